#include "analysis/risks.h"

#include <algorithm>
#include <bit>
#include <initializer_list>

#include "analysis/byte_scan.h"
#include "platform/ascii.h"

namespace codetal {
namespace {

constexpr std::array<bool, 256> kWordBytes = [] {
  std::array<bool, 256> word{};
  for (int c = 0; c < 256; ++c)
    word[static_cast<std::size_t>(c)] = is_word_byte_of_name(static_cast<char>(c));
  return word;
}();

bool is_word_byte(char c) {
  return kWordBytes[static_cast<unsigned char>(c)];
}

// The word that begins at `start`.
std::string_view word_from(std::string_view text, std::size_t start) {
  std::size_t end = start;
  while (end < text.size() && is_word_byte(text[end])) ++end;
  return text.substr(start, end - start);
}

bool is_any(std::string_view word, std::initializer_list<std::string_view> wanted) {
  return std::any_of(wanted.begin(), wanted.end(),
                     [word](std::string_view w) { return equal_ignoring_case(word, w); });
}

std::int32_t words_in(const RiskLine& line, std::initializer_list<std::string_view> wanted) {
  std::int32_t count = 0;
  for (const RiskWord& word : line.words) count += is_any(word.text, wanted) ? 1 : 0;
  return count;
}

// Each place where `sequence` stands as consecutive words.
std::int32_t sequences_in(const RiskLine& line, std::initializer_list<std::string_view> sequence) {
  std::int32_t count = 0;
  const std::size_t length = sequence.size();
  for (std::size_t i = 0; i + length <= line.words.size(); ++i) {
    std::size_t k = 0;
    for (std::string_view wanted : sequence) {
      if (!equal_ignoring_case(line.words[i + k].text, wanted)) break;
      ++k;
    }
    count += k == length ? 1 : 0;
  }
  return count;
}

bool first_word_is(const RiskLine& line, std::initializer_list<std::string_view> wanted) {
  return !line.words.empty() && line.words.front().at == 0 && is_any(line.words[0].text, wanted);
}

// Where the first byte after `at` that is no blank stands; the end if none.
std::size_t after_blanks(std::string_view text, std::size_t at) {
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
  return at;
}

bool followed_by(const RiskLine& line, const RiskWord& word, char wanted) {
  const std::size_t at = after_blanks(line.text, word.at + word.text.size());
  return at < line.text.size() && line.text[at] == wanted;
}

// A doubled quote inside a literal stands for one.
std::string literal_text(std::string_view written) {
  std::string text;
  for (std::size_t i = 0; i < written.size(); ++i) {
    text += written[i];
    if (written[i] == '"' && i + 1 < written.size() && written[i + 1] == '"') ++i;
  }
  return text;
}

void add_late_bound(std::vector<LateBoundName>& names, std::string_view written) {
  const std::string name = literal_text(written);
  for (LateBoundName& known : names) {
    if (equal_ignoring_case(known.name, name)) {
      ++known.calls;
      return;
    }
  }
  names.push_back({name, 1});
}

std::int32_t go_sub(const RiskLine& line, std::vector<LateBoundName>&) {
  return words_in(line, {"GoSub"});
}

std::int32_t pointer(const RiskLine& line, std::vector<LateBoundName>&) {
  return words_in(line, {"VarPtr", "StrPtr", "ObjPtr"});
}

std::int32_t dde_in_code(const RiskLine& line, std::vector<LateBoundName>&) {
  return words_in(line, {"LinkExecute", "LinkPoke", "LinkRequest", "LinkSend"});
}

// `LinkMode = N` with N a number other than 0.
std::int32_t dde_in_designer(std::string_view line) {
  std::size_t at = after_blanks(line, 0);
  constexpr std::string_view kKey = "LinkMode";
  if (!starts_with_ignoring_case(line.substr(at), kKey)) return 0;
  at += kKey.size();
  if (at < line.size() && is_word_byte(line[at])) return 0;
  at = after_blanks(line, at);
  if (at >= line.size() || line[at] != '=') return 0;
  at = after_blanks(line, at + 1);
  const std::size_t digits = at;
  bool other_than_zero = false;
  for (; at < line.size() && line[at] >= '0' && line[at] <= '9'; ++at)
    other_than_zero = other_than_zero || line[at] != '0';
  return at > digits && other_than_zero ? 1 : 0;
}

std::int32_t data_control(std::string_view line) {
  const std::string_view trimmed = line.substr(after_blanks(line, 0));
  return trimmed.starts_with("Begin VB.Data ") || trimmed.starts_with("Begin MSRDC.MSRDC ") ? 1 : 0;
}

// CreateObject( or GetObject(; a literal right after the parenthesis names
// the late-bound dependency.
std::int32_t late_binding(const RiskLine& line, std::vector<LateBoundName>& names) {
  std::int32_t count = 0;
  for (const RiskWord& word : line.words) {
    if (!is_any(word.text, {"CreateObject", "GetObject"}) || !followed_by(line, word, '('))
      continue;
    ++count;
    const std::size_t open = after_blanks(line.text, word.at + word.text.size());
    const std::size_t quote = after_blanks(line.text, open + 1);
    // An empty literal names nothing (GetObject("", "Word.Document")).
    for (const RiskLiteral& literal : line.literals) {
      if (literal.at == quote && !literal.text.empty()) add_late_bound(names, literal.text);
    }
  }
  return count;
}

std::int32_t resume_next(const RiskLine& line, std::vector<LateBoundName>&) {
  return sequences_in(line, {"On", "Error", "Resume", "Next"});
}

std::int32_t def_type(const RiskLine& line, std::vector<LateBoundName>&) {
  return first_word_is(line, {"DefBool", "DefByte", "DefInt", "DefLng", "DefCur", "DefSng",
                              "DefDbl", "DefDec", "DefDate", "DefStr", "DefObj", "DefVar"})
             ? 1
             : 0;
}

std::int32_t option_base(const RiskLine& line, std::vector<LateBoundName>&) {
  return first_word_is(line, {"Option"}) && line.words.size() >= 3 &&
                 equal_ignoring_case(line.words[1].text, "Base") && line.words[2].text == "1"
             ? 1
             : 0;
}

std::int32_t as_any(const RiskLine& line, std::vector<LateBoundName>&) {
  return line.win_api ? sequences_in(line, {"As", "Any"}) : 0;
}

std::int32_t as_new(const RiskLine& line, std::vector<LateBoundName>&) {
  return sequences_in(line, {"As", "New"});
}

// Each `To` inside parentheses of a declaration whose lower bound (from the
// nearest "(" or "," before it, blanks trimmed) is not 0: arrays that do not
// start at 0, as the target languages' do.
std::int32_t lower_bound(const RiskLine& line, std::vector<LateBoundName>&) {
  if (!first_word_is(line, {"Dim", "ReDim", "Private", "Public", "Global", "Static"})) return 0;
  std::int32_t count = 0;
  std::size_t scanned = 0;
  int depth = 0;
  for (const RiskWord& word : line.words) {
    for (; scanned < word.at; ++scanned)
      depth += line.text[scanned] == '(' ? 1 : line.text[scanned] == ')' ? -1 : 0;
    if (depth <= 0 || !equal_ignoring_case(word.text, "To")) continue;
    const std::size_t from = line.text.find_last_of("(,", word.at);
    std::string_view bound = line.text.substr(from + 1, word.at - from - 1);
    bound.remove_prefix(std::min(bound.find_first_not_of(" \t"), bound.size()));
    bound = bound.substr(0, bound.find_last_not_of(" \t") + 1);
    count += bound == "0" ? 0 : 1;
  }
  return count;
}

std::int32_t fixed_string(const RiskLine& line, std::vector<LateBoundName>&) {
  std::int32_t count = 0;
  for (const RiskWord& word : line.words)
    count += equal_ignoring_case(word.text, "String") && followed_by(line, word, '*') ? 1 : 0;
  return count;
}

// `On Error GoTo` handles errors; any other GoTo jumps.
std::int32_t go_to(const RiskLine& line, std::vector<LateBoundName>&) {
  std::int32_t count = 0;
  for (std::size_t i = 0; i < line.words.size(); ++i) {
    if (equal_ignoring_case(line.words[i].text, "GoTo") &&
        (i == 0 || !equal_ignoring_case(line.words[i - 1].text, "Error")))
      ++count;
  }
  return count;
}

std::int32_t variant(const RiskLine& line, std::vector<LateBoundName>&) {
  return sequences_in(line, {"As", "Variant"});
}

std::int32_t option_explicit(const RiskLine& line, std::vector<LateBoundName>&) {
  return first_word_is(line, {"Option"}) && line.words.size() >= 2 &&
                 equal_ignoring_case(line.words[1].text, "Explicit")
             ? 1
             : 0;
}

}  // namespace

// In the order the outputs list them.
const std::array<RiskRule, kRiskRuleCount> kRiskRules = {{
    {"gosub", Severity::kHigh, "GoSub jumps inside a procedure", "GoSub", go_sub, nullptr},
    {"pointer", Severity::kHigh, "memory addresses (VarPtr, StrPtr, ObjPtr)",
     "VarPtr StrPtr ObjPtr", pointer, nullptr},
    {"dde", Severity::kHigh, "DDE conversations between programs",
     "LinkExecute LinkPoke LinkRequest LinkSend", dde_in_code, dde_in_designer},
    {"data-control", Severity::kHigh, "bound data controls (Data, RemoteData)", "", nullptr,
     data_control},
    {"late-binding", Severity::kMedium, "objects created by name at run time",
     "CreateObject GetObject", late_binding, nullptr},
    {"on-error-resume-next", Severity::kMedium, "errors ignored (On Error Resume Next)", "Resume",
     resume_next, nullptr},
    {"deftype", Severity::kMedium, "types given by a name's first letter (DefInt ...)",
     "DefBool DefByte DefInt DefLng DefCur DefSng DefDbl DefDec DefDate DefStr DefObj DefVar",
     def_type, nullptr},
    {"option-base", Severity::kMedium, "arrays that start at 1 (Option Base 1)", "Base",
     option_base, nullptr},
    {"as-any", Severity::kMedium, "Declares that take any type (As Any)", "Any", as_any, nullptr},
    {"as-new", Severity::kMedium, "variables created on first use (As New)", "New", as_new,
     nullptr},
    {"lower-bound", Severity::kMedium, "arrays declared with a lower bound other than 0", "To",
     lower_bound, nullptr},
    {"fixed-string", Severity::kLow, "fixed-length strings (String * N)", "String", fixed_string,
     nullptr},
    {"goto", Severity::kLow, "GoTo jumps other than On Error GoTo", "GoTo", go_to, nullptr},
    {"variant", Severity::kLow, "variables of no fixed type (As Variant)", "Variant", variant,
     nullptr},
    {"no-option-explicit", Severity::kMedium, "modules without Option Explicit", "Explicit",
     option_explicit, nullptr, true},
}};

std::int64_t findings(const RiskCounts& counts, Severity severity) {
  std::int64_t found = 0;
  for (std::size_t i = 0; i < kRiskRuleCount; ++i)
    found += kRiskRules[i].severity == severity ? counts[i] : 0;
  return found;
}

namespace {

// Every rule's trigger words by their length, each with its bit, and each
// rule's bits.
struct Triggers {
  static constexpr std::size_t kLongest = 16;
  struct Word {
    std::string_view text;
    std::uint64_t bit;
  };
  std::array<std::vector<Word>, kLongest + 1> by_length;
  std::array<std::uint64_t, kRiskRuleCount> of_rule{};
  // By a word's first two letters (their low five bits: case does not
  // count), the lengths of the trigger words it may be, as bits: a word that
  // begins as one is still passed over unless its length is one's too.
  std::array<std::uint32_t, 32 * 32> lengths_by_start{};

  static std::size_t start_of(std::string_view word) {
    return static_cast<std::size_t>(word[0] & 31) * 32 + static_cast<std::size_t>(word[1] & 31);
  }
  // By a word's first two bytes as they stand (the first in the low byte),
  // whether a trigger word begins with them in any letter case: nearly every
  // word of a line is turned away by this one bit.
  std::array<std::uint64_t, 65536 / 64> begins{};

  static unsigned pair_of(char first, char second) {
    return static_cast<unsigned char>(first) |
           static_cast<unsigned>(static_cast<unsigned char>(second)) << 8;
  }
  bool may_begin(const char* word) const {
    const unsigned pair = pair_of(word[0], word[1]);
    return (begins[pair >> 6] >> (pair & 63) & 1) != 0;
  }
  void note_beginning(std::string_view word) {
    for (const char first : {ascii_lower(word[0]), ascii_upper(word[0])}) {
      for (const char second : {ascii_lower(word[1]), ascii_upper(word[1])}) {
        const unsigned pair = pair_of(first, second);
        begins[pair >> 6] |= std::uint64_t{1} << (pair & 63);
      }
    }
  }

  Triggers() {
    std::size_t next = 0;
    for (std::size_t i = 0; i < kRiskRuleCount; ++i) {
      std::string_view rest = kRiskRules[i].triggers;
      while (!rest.empty()) {
        const std::size_t blank = std::min(rest.find(' '), rest.size());
        const std::string_view word = rest.substr(0, blank);
        rest.remove_prefix(std::min(blank + 1, rest.size()));
        std::uint64_t bit = bit_of(word);
        if (bit == 0) {
          bit = std::uint64_t{1} << next++;
          by_length[word.size()].push_back({word, bit});
          lengths_by_start[start_of(word)] |= std::uint32_t{1} << word.size();
          note_beginning(word);
        }
        of_rule[i] |= bit;
      }
    }
  }

  std::uint64_t bit_of(std::string_view word) const {
    if (word.size() < 2 || word.size() > kLongest ||
        (lengths_by_start[start_of(word)] >> word.size() & 1) == 0)
      return 0;
    const char first = ascii_lower(word.front());
    for (const Word& known : by_length[word.size()]) {
      if (ascii_lower(known.text.front()) == first && equal_ignoring_case(known.text, word))
        return known.bit;
    }
    return 0;
  }
};

// Built once at start-up, after the rules it is built from (defined above
// in this file): the lines ask for it millions of times.
const Triggers kTriggers;

}  // namespace

std::string_view severity_name(Severity severity) {
  switch (severity) {
    case Severity::kHigh:
      return "high";
    case Severity::kMedium:
      return "medium";
    case Severity::kLow:
      return "low";
  }
  return "low";
}

// A line that holds a literal as the rules read it: a copy without what
// its literals hold, up to its comment or line feed.
std::string_view RiskReader::strip(std::string_view line) {
  const std::size_t stop = line.find('"');
  text_.assign(line.substr(0, stop));
  bool in_literal = false;
  std::size_t literal_start = 0;
  for (std::size_t i = stop; i < line.size(); ++i) {
    const char c = line[i];
    if (in_literal) {
      if (c != '"') continue;
      if (i + 1 < line.size() && line[i + 1] == '"') {
        ++i;
        continue;
      }
      literals_.push_back({text_.size() - 1, line.substr(literal_start, i - literal_start)});
      in_literal = false;
      text_ += '"';
      continue;
    }
    if (c == '\'' || c == '\n') break;
    text_ += c;
    if (c == '"') {
      in_literal = true;
      literal_start = i + 1;
    }
  }
  return text_;
}

// The words of a line of code as the rules read it.
void RiskReader::split(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    if (!is_word_byte(text[i])) {
      ++i;
      continue;
    }
    const std::string_view word = word_from(text, i);
    words_.push_back({word, i});
    i += word.size();
  }
}

namespace {

// Which of 64 bytes lie inside a literal, its opening quote included and
// its closing one not, given whether the first byte comes inside one: a
// doubled quote inside a literal leaves it and enters it again, and stands
// between no other bytes.
std::uint64_t inside_literals(std::uint64_t quotes, bool inside_before) {
  std::uint64_t inside = quotes;
  inside ^= inside << 1;
  inside ^= inside << 2;
  inside ^= inside << 4;
  inside ^= inside << 8;
  inside ^= inside << 16;
  inside ^= inside << 32;
  return inside_before ? ~inside : inside;
}

}  // namespace

// The trigger words of a line, read where it stands up to its comment or
// line feed, 64 bytes at a time, what its literals hold passed over; `text`
// is the line up to there, and `quoted` tells that it holds a literal. A
// word is looked at by its first two letters only, unless a trigger word
// begins with them.
std::uint64_t RiskReader::read_in_place(std::string_view line, std::string_view& text,
                                        bool& quoted) {
  const Triggers& table = kTriggers;
  std::uint64_t held = 0;
  std::uint64_t word_before = 0;  // 1: the byte before the 64 is a word's
  bool inside_before = false;
  quoted = false;
  for (std::size_t at = 0; at < line.size(); at += 64) {
    const WordByteMarks marks = mark_word_bytes(line.data(), at, line.size());
    // Most lines hold no literal.
    const std::uint64_t inside =
        marks.quotes == 0 && !inside_before ? 0 : inside_literals(marks.quotes, inside_before);
    const std::uint64_t ends = marks.ends & ~inside;
    const unsigned stop = ends != 0 ? static_cast<unsigned>(std::countr_zero(ends)) : 64;
    const std::uint64_t before_stop =
        stop < 64 ? (std::uint64_t{1} << stop) - 1 : ~std::uint64_t{0};
    const std::uint64_t words = marks.words & ~inside & before_stop;
    // A quote in the comment is no literal.
    quoted = quoted || (marks.quotes & before_stop) != 0;
    for (std::uint64_t starts = words & ~(words << 1 | word_before); starts != 0;
         starts &= starts - 1) {
      const std::size_t start = at + static_cast<std::size_t>(std::countr_zero(starts));
      if (start + 1 < line.size() && table.may_begin(line.data() + start))
        held |= table.bit_of(word_from(line, start));
    }
    if (stop < 64) {
      text = line.substr(0, at + stop);
      return held;
    }
    word_before = words >> 63;
    inside_before = (inside >> 63) != 0;
  }
  text = line;
  return held;
}

// Most lines hold no trigger word: they are read once, in place, and keep
// no word; only a line with a literal that holds one is copied.
void RiskReader::code_line(std::string_view line, bool win_api) {
  std::string_view text;
  bool quoted = false;
  const std::uint64_t held = read_in_place(line, text, quoted);
  if (held == 0) return;
  literals_.clear();
  if (quoted) text = strip(line);
  words_.clear();
  split(text);
  const RiskLine read{text, words_, literals_, win_api, held};
  const Triggers& table = kTriggers;
  for (std::size_t i = 0; i < kRiskRuleCount; ++i) {
    const RiskRule& rule = kRiskRules[i];
    if (rule.in_code == nullptr || (read.triggers & table.of_rule[i]) == 0) continue;
    const std::int32_t found = rule.in_code(read, names_);
    if (found == 0) continue;
    matched_[i] = true;
    if (!rule.counts_absence) counts_[i] += found;
  }
}

void RiskReader::designer_line(std::string_view line) {
  for (std::size_t i = 0; i < kRiskRuleCount; ++i) {
    if (kRiskRules[i].in_designer != nullptr) counts_[i] += kRiskRules[i].in_designer(line);
  }
}

void RiskReader::finish() {
  for (std::size_t i = 0; i < kRiskRuleCount; ++i) {
    if (kRiskRules[i].counts_absence && !matched_[i]) counts_[i] = 1;
  }
}

}  // namespace codetal
