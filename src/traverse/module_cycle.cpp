#include "traverse/module_cycle.h"

#include "analysis/analyze.h"
#include "report/layouts.h"

namespace codetal {
namespace {

// The analysis has shown why it failed; only a project given alone goes on
// with its next module.
int after_failed_analysis(RunState& run) {
  run.failed = true;
  if (run.input_kind == InputKind::kProject) {
    run.console.console_message("Codetal==>  Program will continue \n\n");
    run.console.pause();
    return 0;
  }
  run.console.console_message("Codetal==>  Program will abort \n\n");
  run.console.pause();
  run.console.console_message("\n");
  return 1;
}

}  // namespace

int process_module(RunState& run, std::string_view module_name) {
  run.current_module_name = module_name;
  // Written first, so the name stands in the report even when the analysis fails.
  write_module_name_line(run.log, run.current_module_name);
  if (analyze_module(run, run.current_module_name) != 0) return after_failed_analysis(run);
  run.reader.close_module();
  report_module(run.log, run.options, run.module_stats, run.current_module_name);
  sum_module_totals(run);
  reset_module_state(run);
  return 0;
}

void sum_module_totals(RunState& run) {
  run.project_totals += run.module_stats;
}

void sum_project_totals(RunState& run) {
  run.group_totals += run.project_totals;
}

void reset_module_state(RunState& run) {
  run.reader.reset();
  run.module_stats = ModuleStats{};
}

void reset_project_state(RunState& run) {
  run.reader.reset();
  run.project_totals = ModuleStats{};
}

}  // namespace codetal
