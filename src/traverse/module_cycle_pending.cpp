// Placeholder until the module cycle lands.
#include "report/layouts.h"
#include "traverse/module_cycle.h"

namespace codetal {

int process_module(RunState& run, std::string_view module_name) {
  run.current_module_name = module_name;
  write_module_name_line(run.log, module_name);
  run.failed = true;
  return 1;
}
void sum_module_totals(RunState& run) {
  run.project_totals += run.module_stats;
}
void sum_project_totals(RunState& run) {
  run.group_totals += run.project_totals;
}
void reset_module_state(RunState& run) {
  run.module_stats = ModuleStats{};
}
void reset_project_state(RunState& run) {
  run.project_totals = ModuleStats{};
}

}  // namespace codetal
