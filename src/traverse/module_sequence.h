// The modules of one project or wildcard set, processed in list order.
// With more than one thread, the modules after the one being reported are
// opened in list order and counted ahead by other threads; the report, the
// console and the failures still come one module at a time, in list order.
#pragma once

#include <string>
#include <vector>

#include "traverse/traversal.h"

namespace codetal {

// Runs process_module on each name in turn and returns the totals of those
// counted; kStop when a module stopped the traversal (modules counted ahead
// of it are dropped unseen).
Summed process_modules(Traversal& run, const std::vector<std::string>& names);

}  // namespace codetal
