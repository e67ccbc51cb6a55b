// Everything counting one module yields, as one value: the counter, the
// pool, the module cycle and the module-counted event hand it on whole. A
// new fact of a module is a field here, computed by count_module and
// rendered by the outputs that show it.
#pragma once

#include <optional>

#include "analysis/assessment.h"
#include "analysis/content_hash.h"
#include "analysis/module_stats.h"

namespace codetal {

struct ModuleResult {
  // The counts the report prints and the totals add up.
  ModuleStats stats;
  // A digest of its bytes, when the rules asked for one.
  std::optional<ContentDigest> content;
  // What /assess reads beside the counts, when the rules asked for it.
  std::optional<ModuleFacts> facts;

  bool operator==(const ModuleResult&) const = default;
};

}  // namespace codetal
