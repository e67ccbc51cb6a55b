#include "traverse/wildcard_set.h"

#include <string>
#include <vector>

#include "traverse/listed_names.h"
#include "traverse/module_sequence.h"

namespace codetal {

void process_wildcard_set(Traversal& run, std::string_view pattern) {
  std::vector<std::string> entries = run.platform.list_matches(pattern);
  if (entries.empty()) {
    run.report.no_match(pattern);
    return;
  }
  run.report.wildcard_set_started(pattern);

  // Entries are bare names of the pattern's folder, never rooted.
  std::string_view folder = folder_part(pattern);
  std::vector<std::string> modules;
  for (const std::string& entry : entries) {
    if (is_module_name(entry, run.module_kinds())) modules.push_back(std::string(folder) + entry);
  }
  Summed sum = process_modules(run, modules);
  if (sum.next == Next::kStop) return;
  run.report.wildcard_set_ended(pattern, sum.totals);
}

}  // namespace codetal
