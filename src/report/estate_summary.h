// What an estate adds up to once it has been walked: the totals over its
// distinct files and contents, the files that hold the same bytes, and how
// many groups, projects and modules it holds. What failed is the run
// model's to count, by the same keys as every other view.
#pragma once

#include <string>
#include <vector>

#include "analysis/module_stats.h"

namespace codetal {

// Files (distinct by identity, listed or not) that hold identical bytes.
struct CopySet {
  std::vector<std::string> files;  // names as the run reached them, first seen first
  ModuleStats counts;              // the first one's
};

struct EstateSummary {
  ModuleStats totals;                   // each distinct listed module file once
  ModuleStats distinct_content_totals;  // those, each distinct content once
  std::vector<CopySet> copies;
  int groups = 0;            // project groups read
  int projects = 0;          // distinct project files read
  int listed_modules = 0;    // distinct listed module files counted
  int unlisted_modules = 0;  // module files in no project, counted
};

}  // namespace codetal
