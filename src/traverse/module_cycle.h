// The cycle every module goes through, and the sums and resets around it.
#pragma once

#include <string_view>

#include "traverse/run_state.h"

namespace codetal {

// 0: the caller goes on; 1: the caller stops its traversal.
int process_module(RunState& run, std::string_view module_name);
void sum_module_totals(RunState& run);
void sum_project_totals(RunState& run);
void reset_module_state(RunState& run);
void reset_project_state(RunState& run);

}  // namespace codetal
