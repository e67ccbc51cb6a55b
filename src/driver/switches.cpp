#include "driver/switches.h"

#include <string_view>

#include "platform/ascii.h"
#include "platform/platform.h"

namespace codetal {
namespace {

void set_switch(Switches& switches, std::string_view token) {
  char letter = ascii_upper(token.front());
  if (letter == 'V') switches.verbose = true;
  if (letter == 'Z') switches.echo = true;
}

// From the first "/" on, every word between "/" and blanks is a switch token
// and only its first letter counts.
void scan_letters(Switches& switches, std::string_view joined) {
  std::size_t at = joined.find('/');
  if (at == std::string_view::npos) return;
  std::string_view rest = joined.substr(at);
  while (!rest.empty()) {
    std::size_t start = rest.find_first_not_of("/ ");
    if (start == std::string_view::npos) break;
    rest.remove_prefix(start);
    std::size_t end = rest.find_first_of("/ ");
    set_switch(switches, rest.substr(0, end));
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
  }
}

}  // namespace

SwitchScan build_switch_scan() {
  return kWindowsBuild ? SwitchScan::kFromFirstSlash : SwitchScan::kAfterInputName;
}

Switches scan_switches(const std::vector<std::string>& arguments, SwitchScan scan) {
  Switches switches;
  std::string joined;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0 && arguments[i].size() == 2 && arguments[i][0] == '/' &&
        ascii_upper(arguments[i][1]) == 'B')
      switches.batch = true;
    if (i > 0 || scan == SwitchScan::kFromFirstSlash) joined.append(arguments[i]).append(" ");
  }
  scan_letters(switches, joined);
  return switches;
}

std::vector<std::string> scan_left_out_patterns(const std::vector<std::string>& arguments) {
  std::vector<std::string> patterns;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument.size() >= 3 && argument[0] == '/' && ascii_upper(argument[1]) == 'X' &&
        argument[2] == ':')
      patterns.push_back(argument.substr(3));
  }
  return patterns;
}

bool wants_version(const std::vector<std::string>& arguments) {
  return arguments.size() == 1 && arguments.front() == "--version";
}

}  // namespace codetal
