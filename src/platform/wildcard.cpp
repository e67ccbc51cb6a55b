#include "platform/wildcard.h"

#include "platform/ascii.h"

namespace codetal {
namespace {

// Iterative matcher with one backtrack point for the last "*": linear in
// practice, never exponential.
bool match_here(std::string_view pattern, std::string_view name) {
  std::size_t p = 0, n = 0;
  std::size_t star = std::string_view::npos, star_name = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      star_name = n;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' || ascii_lower(pattern[p]) == ascii_lower(name[n]))) {
      ++p;
      ++n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++star_name;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

bool wildcard_match(std::string_view pattern, std::string_view name) {
  if (match_here(pattern, name)) return true;
  bool any_extension = pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*";
  return any_extension && name.find('.') == std::string_view::npos &&
         match_here(pattern.substr(0, pattern.size() - 2), name);
}

}  // namespace codetal
