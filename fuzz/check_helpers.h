// What the checks of several fuzz targets share: counter sums and
// traversals with their totals checked.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "analysis/module_stats.h"
#include "invariants.h"
#include "temp_folder.h"
#include "traverse/traversal.h"

namespace codetal::fuzz {

std::string describe(const ModuleStats& s);

// Every line counted once as blank, comment or code, and each line of code
// at most once as a statement; the empty text when that holds.
std::string check_sums(const ModuleStats& s, const std::string& what);

// `run` on a traversal of `kind` that reads the disk and reports into memory
// through the log, with every total it tells checked against the sums of
// what it told before.
// Returns the first broken rule: `run`'s own, or a total's.
// A listener of the target's own may listen too, and tell its broken rule
// by `failure` after the run.
struct RuleListener : ReportListener {
  std::string failure;
};
std::string check_traversal(InputKind kind, const std::function<std::string(Traversal&)>& run,
                            RuleListener* rules = nullptr);

}  // namespace codetal::fuzz
