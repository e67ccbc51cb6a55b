#include "analysis/words.h"

namespace codetal {
namespace {

constexpr int kWordCount = 5;

bool ends_word(char c, bool first_word) {
  switch (c) {
    case '\0':
    case ' ':
    case '(':
    case '\n':
    case '\'':
      return true;
    case '_':
      return !first_word;
    default:
      return false;
  }
}

bool is_access_word(std::string_view word) {
  return word == "Private" || word == "Public" || word == "Friend";
}

// The counter of a procedure declared by `kind` (and `next`, for Property),
// or kCounterCount when it is none of the counted kinds.
Counter procedure_counter(std::string_view kind, std::string_view next) {
  if (kind == "Sub") return kSubs;
  if (kind == "Function") return kFunctions;
  if (kind == "Event") return kEvents;
  if (kind == "Property" && next == "Let") return kLets;
  if (kind == "Property" && next == "Get") return kGets;
  return kCounterCount;
}

}  // namespace

LineWords split_words(std::string_view line) {
  LineWords words;
  std::size_t at = 0;
  for (int i = 0; i < kWordCount; ++i) {
    std::size_t start = at;
    while (at < line.size() && !ends_word(line[at], i == 0)) ++at;
    words.word[static_cast<std::size_t>(i)] = line.substr(start, at - start);
    while (at < line.size() && line[at] == ' ') ++at;
  }
  return words;
}

bool classify_procedure(const LineWords& words, ModuleStats& stats) {
  bool access = is_access_word(words[0]);
  Counter counter =
      access ? procedure_counter(words[1], words[2]) : procedure_counter(words[0], words[1]);
  if (counter == kCounterCount) return false;
  ++stats[counter];
  return true;
}

bool is_api_declaration(const LineWords& words) {
  return words[0] == "Declare" || words[1] == "Declare";
}

}  // namespace codetal
