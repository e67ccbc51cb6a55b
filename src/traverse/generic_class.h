// Wildcard module sets ("*.bas", "test*.cls", "src\*.*").
#pragma once

#include <string_view>

#include "traverse/run_state.h"

namespace codetal {

// 0: every match processed; 1: nothing matched, or a module stopped the set.
int process_generic_class(RunState& run, std::string_view pattern);

}  // namespace codetal
