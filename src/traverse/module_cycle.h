// The cycle every module goes through: opened, counted, reported, summed
// into the totals of the list it belongs to.
#pragma once

#include <string_view>

#include "traverse/counting_pool.h"
#include "traverse/traversal.h"

namespace codetal {

// How a module is counted: its designer blocks by the options and, with
// every module kind, by its extension.
CountRules count_rules(const Traversal& run, std::string_view module_name);

// A module that fails stops every input but a project given alone and an
// estate. A counted module's stats are added to `sum`.
Next process_module(Traversal& run, std::string_view module_name, ModuleStats& sum);

// The same cycle for a module opened and counted ahead of its turn: the
// same messages and events, in the same order, as if it were done now.
Next report_counted_module(Traversal& run, std::string_view module_name, CountedModule& counted,
                           ModuleStats& sum);

}  // namespace codetal
