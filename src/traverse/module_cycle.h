// The cycle every module goes through: opened, counted, reported, summed
// into its project's totals.
#pragma once

#include <string_view>

#include "traverse/counting_pool.h"
#include "traverse/traversal.h"

namespace codetal {

// How a module is counted: its designer blocks by the options and, with
// every module kind, by its extension.
CountRules count_rules(const Traversal& run, std::string_view module_name);

// A module that fails stops every input but a project given alone and an
// estate.
Next process_module(Traversal& run, std::string_view module_name);

// The same cycle for a module opened and counted ahead of its turn: the
// same messages and events, in the same order, as if it were done now.
Next report_counted_module(Traversal& run, std::string_view module_name, CountedModule& counted);

}  // namespace codetal
