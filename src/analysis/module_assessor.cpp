#include "analysis/module_assessor.h"

namespace codetal {
namespace {

// The counts before a line of code was counted: the line added one to the
// total, one to the code lines and one to its kind's counter, if any.
ModuleStats without_line(ModuleStats stats, Counter kind) {
  --stats[kTotalLines];
  --stats[kCodeLines];
  if (kind != kCounterCount) --stats[kind];
  return stats;
}

}  // namespace

void ModuleAssessor::designer_block_started() {
  before_designer_ = false;
  seen_designer_itself_ = false;
}

void ModuleAssessor::designer_line(std::string_view line) {
  ++line_number_;
  ++facts_.designer_lines;
  risks_.designer_line(line);
  const std::optional<std::string_view> name = control_class(line);
  if (!name) return;
  if (!seen_designer_itself_) {
    seen_designer_itself_ = true;
    return;
  }
  auto found = facts_.controls.find(*name);
  if (found == facts_.controls.end()) found = facts_.controls.emplace(*name, 0).first;
  ++found->second;
}

void ModuleAssessor::declare(std::string_view line) {
  facts_.declares.push_back(read_declare(line));
}

void ModuleAssessor::component(std::string_view line) {
  if (std::optional<Component> component = form_component(line))
    facts_.components.push_back(std::move(*component));
}

void ModuleAssessor::maybe_start(std::string_view line, Counter kind, const LineWords& words,
                                 const ModuleStats& stats) {
  // A Declare or an Event is never a procedure.
  if (kind == kWinApi || kind == kEvents) return;
  if (const std::optional<ProcedureStart> start = procedure_start(line, words))
    procedures_.start(*start, line_number_, without_line(stats, kind));
}

void ModuleAssessor::finish(const ModuleStats& stats) {
  procedures_.finish(stats);
  risks_.finish();
  // Only a form's lines before its designer block name its components.
  if (before_designer_) facts_.components.clear();
}

}  // namespace codetal
