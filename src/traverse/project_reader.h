// Project (.vbp) and project-group (.vbg) files.
#pragma once

#include <string_view>

#include "traverse/run_state.h"

namespace codetal {

// 0: read to its end and totals written; 1: stopped.
int read_project_file(RunState& run, std::string_view project_name);
int read_group_file(RunState& run, std::string_view group_name);

}  // namespace codetal
