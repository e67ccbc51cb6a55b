// The cycle every module goes through: opened, counted, reported, summed
// into its project's totals.
#pragma once

#include <string_view>

#include "traverse/traversal.h"

namespace codetal {

// A module that fails stops every input but a project given alone and an
// estate.
Next process_module(Traversal& run, std::string_view module_name);

}  // namespace codetal
