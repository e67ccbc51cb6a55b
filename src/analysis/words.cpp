#include "analysis/words.h"

#include <array>
#include <bit>

#include "analysis/byte_scan.h"

namespace codetal {
namespace {

constexpr int kWordCount = 5;

// Which bytes end a word: bit 1 for word 1, bit 2 for the later words (an
// underscore ends only those). A table keeps the scan to one load a byte;
// words are short, so this beats wider compares.
constexpr std::array<unsigned char, 256> kWordEnds = [] {
  std::array<unsigned char, 256> ends{};
  for (unsigned char c : {'\0', ' ', '(', '\n', '\''}) ends[c] = 3;
  ends['_'] = 2;
  return ends;
}();
constexpr unsigned char kEndsWord1 = 1;
constexpr unsigned char kEndsLaterWords = 2;

std::size_t word_end(std::string_view line, std::size_t at, unsigned char mask) {
  while (at < line.size() && (kWordEnds[static_cast<unsigned char>(line[at])] & mask) == 0) ++at;
  return at;
}

std::size_t skip_blanks(std::string_view line, std::size_t at) {
  while (at < line.size() && line[at] == ' ') ++at;
  return at;
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

// Splits the words that lie within the first sixteen bytes from bit masks,
// a few instructions a word; returns how many it split, with `at` where the
// next word starts. Lines are mostly longer and their first words short.
int split_within_sixteen(std::string_view line, int count, LineWords& words, std::size_t& at) {
  WordMasks masks;
  if (!first_sixteen_word_masks(line.data(), line.size(), masks)) return 0;
  constexpr unsigned kSixteen = 0xFFFF;
  int i = 0;
  while (i < count && i < kWordCount) {
    const unsigned ends = (i == 0 ? masks.word1_ends : masks.later_ends) >> at;
    if (ends == 0) break;  // the word runs past the sixteen bytes
    const std::size_t end = at + static_cast<std::size_t>(std::countr_zero(ends));
    words.word[static_cast<std::size_t>(i++)] = std::string_view(line.data() + at, end - at);
    const unsigned non_blanks = (~masks.blanks & kSixteen) >> end;
    if (non_blanks == 0) {
      at = skip_blanks(line, 16);
      break;
    }
    at = end + static_cast<std::size_t>(std::countr_zero(non_blanks));
  }
  return i;
}

}  // namespace

LineWords split_words(std::string_view line, int count) {
  LineWords words;
  std::size_t at = 0;
  for (int i = split_within_sixteen(line, count, words, at); i < count && i < kWordCount; ++i) {
    std::size_t start = at;
    at = word_end(line, at, i == 0 ? kEndsWord1 : kEndsLaterWords);
    words.word[static_cast<std::size_t>(i)] = std::string_view(line.data() + start, at - start);
    at = skip_blanks(line, at);
  }
  return words;
}

Counter procedure_kind(const LineWords& words) {
  return is_access_word(words[0]) ? procedure_counter(words[1], words[2])
                                  : procedure_counter(words[0], words[1]);
}

bool is_api_declaration(std::string_view line, const LineWords& words) {
  if (words[0] == "Declare") return true;
  // Word 2 compared where it starts, without splitting it off.
  constexpr std::string_view kDeclare = "Declare";
  std::size_t at = skip_blanks(line, words[0].size());
  if (line.substr(at, kDeclare.size()) != kDeclare) return false;
  at += kDeclare.size();
  return at == line.size() ||
         (kWordEnds[static_cast<unsigned char>(line[at])] & kEndsLaterWords) != 0;
}

}  // namespace codetal
