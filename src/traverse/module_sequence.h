// The modules of one project or wildcard set, processed in list order.
// With more than one thread, the modules after the one being reported are
// opened in list order and counted ahead by other threads; the report, the
// console and the failures still come one module at a time, in list order.
#pragma once

#include <string>

#include "traverse/traversal.h"

namespace codetal {

// Where the module names come from, one at a time, as they are needed.
class ModuleNames {
 public:
  virtual ~ModuleNames() = default;
  // The next name into `name`; false after the last.
  virtual bool next(std::string& name) = 0;
};

// Runs process_module on each name in turn; kStop when a module stopped the
// traversal (modules counted ahead of it are dropped unseen).
Next process_modules(Traversal& run, ModuleNames& names);

}  // namespace codetal
