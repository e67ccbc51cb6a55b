// The analysis of one module: every line read once, counted and classified
// into the run's module counters.
#pragma once

#include <string_view>

#include "traverse/run_state.h"

namespace codetal {

// 0: the module was read to its end and counted into run.module_stats; its
// file is still open. 1: it could not be opened or read, nothing counted.
// Expects the reset state that reset_module_state leaves.
int analyze_module(RunState& run, std::string_view path);

}  // namespace codetal
