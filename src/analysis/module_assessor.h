// What /assess reads of one module on the counting pass: the counting loop
// hands it each line as it goes, and it fills the module's facts. Without
// /assess the loop is given NoAssessment, whose calls compile to nothing.
#pragma once

#include <optional>
#include <string_view>

#include "analysis/assessment.h"
#include "analysis/module_stats.h"
#include "analysis/procedures.h"
#include "analysis/words.h"

namespace codetal {

struct NoAssessment {
  void designer_block_started() {}
  void designer_line(std::string_view) {}
  void after_line(std::string_view, Counter, const LineWords&, const ModuleStats&) {}
  void finish(const ModuleStats&) {}
};

class ModuleAssessor {
 public:
  explicit ModuleAssessor(ModuleFacts& facts)
      : facts_(facts), procedures_(facts.procedures), risks_(facts.risks, facts.late_bound) {}

  void designer_block_started();
  // Each line of a designer block, which the counting then skips.
  void designer_line(std::string_view line);
  // A classified line (leading blanks trimmed), its kind, the words the
  // classifier split and the counts that include it.
  // Inline, on the hot path: a line's first byte turns most lines away.
  void after_line(std::string_view line, Counter kind, const LineWords& words,
                  const ModuleStats& stats) {
    ++line_number_;
    if (stats[kCodeLines] != code_lines_) {  // a line of code, not a comment or a blank
      code_lines_ = stats[kCodeLines];
      risks_.code_line(line, kind == kWinApi);
    }
    if (kind == kWinApi) declare(line);
    if (line.empty()) return;
    const char first = line.front();
    if (first == 'O' && before_designer_) component(line);
    if (first == 'S' || first == 'F' || first == 'P') maybe_start(line, kind, words, stats);
    procedures_.line_counted(line, stats);
  }
  void finish(const ModuleStats& stats);

 private:
  void declare(std::string_view line);
  void component(std::string_view line);
  void maybe_start(std::string_view line, Counter kind, const LineWords& words,
                   const ModuleStats& stats);

  ModuleFacts& facts_;
  ProcedureTracker procedures_;
  RiskReader risks_;
  std::int32_t code_lines_ = 0;
  std::int32_t line_number_ = 0;
  bool before_designer_ = true;
  // The block's first `Begin Library.Class` line is the form or control
  // itself, every later one a control on it.
  bool seen_designer_itself_ = false;
};

}  // namespace codetal
