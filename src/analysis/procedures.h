// The procedures of one module, for /assess: where each starts and ends, its
// own line counts and its cyclomatic complexity, all read from the module's
// running counts in the counting pass itself.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/line_counts.h"
#include "analysis/module_stats.h"
#include "analysis/words.h"

namespace codetal {

enum class ProcedureKind : std::uint8_t {
  kSub,
  kFunction,
  kPropertyGet,
  kPropertyLet,
  kPropertySet
};

// Stable names for machine-readable outputs, in kind order.
inline constexpr std::string_view kProcedureKindNames[] = {"sub", "function", "property_get",
                                                           "property_let", "property_set"};

inline constexpr std::size_t kProcedureKindCount = std::size(kProcedureKindNames);

inline std::string_view kind_name(ProcedureKind kind) {
  return kProcedureKindNames[static_cast<std::size_t>(kind)];
}

struct Procedure {
  ProcedureKind kind = ProcedureKind::kSub;
  std::string name;
  // Its first line's number, every line of the file counted from 1.
  std::int32_t line = 0;
  // From its first line to its last, counted as the module's are; in the
  // order of kLineCounts.
  std::array<std::int32_t, kLineCountCount> lines{};
  std::int32_t complexity = 1;
  bool operator==(const Procedure&) const = default;
};

struct ProcedureStart {
  ProcedureKind kind;
  std::string_view name;
};

// A line of code (leading blanks and tabs trimmed) that starts a procedure:
// at most two of Public, Private, Friend and Static, then Sub, Function or
// Property Get, Let or Set and the name. Every line the counters count as a
// Sub, Function, Let or Get is one. `words` are its first three as the
// classifier split them.
std::optional<ProcedureStart> procedure_start(std::string_view line, const LineWords& words);

// `End Sub`, `End Function` or `End Property`, then a blank, an apostrophe
// or the end of the line.
bool ends_procedure(std::string_view line);

// A `Case` line that adds a way through (not `Case Else`).
bool adds_case_path(std::string_view line);

// Follows one module's procedures through its lines, from the module's
// counts as they grow: a procedure's figures are the counts' growth from
// its first line to its last.
class ProcedureTracker {
 public:
  explicit ProcedureTracker(std::vector<Procedure>& procedures) : procedures_(procedures) {}

  // A start, given the counts before its line: the open procedure, if any,
  // ends on the line before.
  void start(const ProcedureStart& start, std::int32_t line_number, const ModuleStats& before);
  // After each classified line, with the counts that include it.
  void line_counted(std::string_view line, const ModuleStats& stats) {
    if (open_ && !line.empty() && (line.front() == 'C' || line.front() == 'E'))
      case_or_end(line, stats);
  }
  // The end of the module ends an open procedure.
  void finish(const ModuleStats& stats) { close(stats); }

 private:
  void case_or_end(std::string_view line, const ModuleStats& stats);
  void close(const ModuleStats& stats);

  std::vector<Procedure>& procedures_;
  bool open_ = false;
  ModuleStats at_start_;
  std::int32_t cases_ = 0;
};

}  // namespace codetal
