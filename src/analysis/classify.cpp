#include "analysis/classify.h"

#include <array>
#include <bit>
#include <cstdint>

#include "analysis/words.h"
#include "platform/ascii.h"

namespace codetal {
namespace {

// How a rule looks at a line of code. Literals include their trailing blank,
// which the line must have too; all comparisons are case-sensitive.
enum class Test {
  kProcedure,       // classify_procedure counts the kind itself
  kApiDeclaration,  // "Declare" as word 1 or 2
  kBeginsWith,      // the line begins with one of the literals
  kWord1Is,         // word 1 is the literal, whole
  kLabel,           // ends with ":" and its line feed, and is no "Case " line
};

constexpr Counter kNoCounter = kCounterCount;

struct Rule {
  Test test;
  std::array<std::string_view, 4> literals;
  Counter counter;
  // The only bytes a line can begin with for the rule to apply; null: any.
  // Derived from the literals where the rule has them.
  const char* first_bytes = nullptr;
};

// The statement rules, tried in this order on every line of code (after
// classify_line has told blank lines and comments apart); the first rule
// that applies decides, and a line that none applies to is code of no
// statement kind.
constexpr Rule kCodeRules[] = {
    // procedure heads: Private Public Friend Sub ...
    {Test::kProcedure, {}, kNoCounter, "PFSE"},
    // WinAPI declarations
    {Test::kApiDeclaration, {}, kWinApi},
    // enumerations, user types and constants, before the variables
    {Test::kBeginsWith, {"Public Enum ", "Private Enum ", "Enum "}, kEnums},
    {Test::kBeginsWith, {"Public Type ", "Private Type ", "Type "}, kTypes},
    {Test::kBeginsWith, {"Const ", "Public Const ", "Private Const "}, kConsts},
    // local and module-level variables
    {Test::kBeginsWith, {"Dim "}, kDims},
    {Test::kBeginsWith, {"Public ", "Private ", "Static ", "Global "}, kVars},
    // line labels
    {Test::kLabel, {}, kLabels},
    // conditional compilation is code of no kind, whatever follows the "#"
    {Test::kBeginsWith, {"#"}, kNoCounter},
    // branches and loops; a While loop counts at its end
    {Test::kBeginsWith, {"If "}, kIfs},
    {Test::kBeginsWith, {"ElseIf "}, kElseIfs},
    {Test::kWord1Is, {"Do"}, kDos},
    {Test::kWord1Is, {"Wend"}, kWhiles},
    {Test::kWord1Is, {"For"}, kFors},
};

constexpr std::size_t kRuleCount = std::size(kCodeRules);
using RuleSet = std::uint32_t;
static_assert(kRuleCount <= 32);

bool may_begin_with(const Rule& rule, unsigned char c) {
  if (rule.first_bytes != nullptr)
    return std::string_view(rule.first_bytes).find(static_cast<char>(c)) != std::string_view::npos;
  if (rule.test != Test::kBeginsWith && rule.test != Test::kWord1Is) return true;
  for (std::string_view literal : rule.literals) {
    if (!literal.empty() && static_cast<unsigned char>(literal.front()) == c) return true;
  }
  return false;
}

// For each first byte of a line, the rules that may apply to it, so that a
// line is only tried against those; the order between them stays the table's.
const std::array<RuleSet, 256> kCandidates = [] {
  std::array<RuleSet, 256> sets{};
  for (unsigned c = 0; c < 256; ++c) {
    for (std::size_t i = 0; i < kRuleCount; ++i) {
      if (may_begin_with(kCodeRules[i], static_cast<unsigned char>(c))) sets[c] |= RuleSet{1} << i;
    }
  }
  return sets;
}();

static_assert(kCodeRules[0].test == Test::kProcedure, "the procedure rule is the first");
bool may_declare_procedure(char first) {
  return (kCandidates[static_cast<unsigned char>(first)] & RuleSet{1}) != 0;
}

bool is_blank(std::string_view line) {
  return line.empty() || line == "\n";
}

// An apostrophe first, or "Rem" in any letter case, alone or followed by a
// line feed, blank or tab ("Remark = 1" is code).
bool is_comment(std::string_view line) {
  if (line.starts_with('\'')) return true;
  // Most lines are told apart by their first byte alone.
  if (ascii_lower(line.front()) != 'r' || !starts_with_ignoring_case(line, "Rem")) return false;
  return line.size() == 3 || line[3] == '\n' || line[3] == ' ' || line[3] == '\t';
}

// The first byte is compared on its own first: it rejects nearly every
// literal without a call to compare the rest.
bool begins_with_any(std::string_view line, const Rule& rule) {
  for (std::string_view literal : rule.literals) {
    if (!literal.empty() && line.front() == literal.front() && line.starts_with(literal))
      return true;
  }
  return false;
}

// Whether the rule applies; `counted` is then the counter it adds to.
bool applies(const Rule& rule, std::string_view line, const LineWords& words, Counter& counted) {
  counted = rule.counter;
  switch (rule.test) {
    case Test::kProcedure:
      counted = procedure_kind(words);
      return counted != kCounterCount;
    case Test::kApiDeclaration:
      return is_api_declaration(line, words);
    case Test::kBeginsWith:
      return begins_with_any(line, rule);
    case Test::kWord1Is:
      return words[0] == rule.literals[0];
    case Test::kLabel:
      return line.ends_with(":\n") && !line.starts_with("Case ");
  }
  return false;
}

}  // namespace

Counter classify_line(std::string_view line, ModuleStats& stats, LineWords* kept) {
  // A line is blank, a comment, or else code.
  if (is_blank(line)) {
    ++stats[kBlankLines];
    return kNoCounter;
  }
  if (is_comment(line)) {
    ++stats[kCommentLines];
    return kNoCounter;
  }
  ++stats[kCodeLines];
  // Only procedures read words 2 and 3, and only lines that begin as one
  // can be one; every other rule reads word 1 at most. Splitting no further
  // than needed is most of the classifier's speed.
  const LineWords words = split_words(line, may_declare_procedure(line.front()) ? 3 : 1);
  if (kept != nullptr) *kept = words;
  for (RuleSet left = kCandidates[static_cast<unsigned char>(line.front())]; left != 0;
       left &= left - 1) {
    const Rule& rule = kCodeRules[std::countr_zero(left)];
    Counter counted;
    if (applies(rule, line, words, counted)) {
      if (counted != kNoCounter) ++stats[counted];
      return counted;
    }
  }
  return kNoCounter;
}

}  // namespace codetal
