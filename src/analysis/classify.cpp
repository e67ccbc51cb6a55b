#include "analysis/classify.h"

#include <array>

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
};

// Rules 4 to 17, tried in order on every line of code after rules 1 to 3
// (blank, comment, code) in classify_line; the first rule that applies
// decides. Rule 18: a line that none applies to is code of no statement kind.
constexpr Rule kCodeRules[] = {
    /*  4 */ {Test::kProcedure, {}, kNoCounter},
    /*  5 */ {Test::kApiDeclaration, {}, kWinApi},
    /*  6 */ {Test::kBeginsWith, {"Public Enum ", "Private Enum ", "Enum "}, kEnums},
    /*  7 */ {Test::kBeginsWith, {"Public Type ", "Private Type ", "Type "}, kTypes},
    /*  8 */ {Test::kBeginsWith, {"Const ", "Public Const ", "Private Const "}, kConsts},
    /*  9 */ {Test::kBeginsWith, {"Dim "}, kDims},
    /* 10 */ {Test::kBeginsWith, {"Public ", "Private ", "Static ", "Global "}, kVars},
    /* 11 */ {Test::kLabel, {}, kLabels},
    /* 12 */ {Test::kBeginsWith, {"#"}, kNoCounter},  // conditional compilation
    /* 13 */ {Test::kBeginsWith, {"If "}, kIfs},
    /* 14 */ {Test::kBeginsWith, {"ElseIf "}, kElseIfs},
    /* 15 */ {Test::kWord1Is, {"Do"}, kDos},
    /* 16 */ {Test::kWord1Is, {"Wend"}, kWhiles},  // a While loop counts at its end
    /* 17 */ {Test::kWord1Is, {"For"}, kFors},
};

bool is_blank(std::string_view line) {
  return line.empty() || line == "\n";
}

// An apostrophe first, or "Rem" in any letter case, alone or followed by a
// line feed, blank or tab ("Remark = 1" is code).
bool is_comment(std::string_view line) {
  if (line.starts_with('\'')) return true;
  if (!starts_with_ignoring_case(line, "Rem")) return false;
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

bool applies(const Rule& rule, std::string_view line, const LineWords& words, ModuleStats& stats) {
  switch (rule.test) {
    case Test::kProcedure:
      return classify_procedure(words, stats);
    case Test::kApiDeclaration:
      return is_api_declaration(words);
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

void classify_line(std::string_view line, ModuleStats& stats) {
  // Rule 1, blank; rule 2, comment; rule 3, anything else is code.
  if (is_blank(line)) {
    ++stats[kBlankLines];
    return;
  }
  if (is_comment(line)) {
    ++stats[kCommentLines];
    return;
  }
  ++stats[kCodeLines];
  const LineWords words = split_words(line);
  for (const Rule& rule : kCodeRules) {
    if (applies(rule, line, words, stats)) {
      if (rule.counter != kNoCounter) ++stats[rule.counter];
      return;
    }
  }
}

}  // namespace codetal
