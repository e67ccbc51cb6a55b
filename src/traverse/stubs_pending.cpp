// Placeholders until the module cycle, the project readers and wildcard sets
// land; each reports that nothing could be processed.
#include "report/layouts.h"
#include "traverse/generic_class.h"
#include "traverse/module_cycle.h"
#include "traverse/project_reader.h"

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
int read_project_file(RunState& run, std::string_view) {
  run.failed = true;
  return 1;
}
int read_group_file(RunState& run, std::string_view) {
  run.failed = true;
  return 1;
}
int process_generic_class(RunState& run, std::string_view) {
  run.failed = true;
  return 1;
}

}  // namespace codetal
