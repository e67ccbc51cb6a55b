#include "traverse/wildcard_set.h"

#include <string>
#include <vector>

#include "traverse/listed_names.h"
#include "traverse/module_cycle.h"

namespace codetal {

void process_wildcard_set(Traversal& run, std::string_view pattern) {
  std::vector<std::string> entries = run.platform.list_matches(pattern);
  if (entries.empty()) {
    // Straight to standard output, never mirrored to the error stream.
    run.console.stdout_message("Codetal==>  No Match Found for %.*s \n",
                               static_cast<int>(pattern.size()), pattern.data());
    run.failed = true;
    return;
  }
  run.report.wildcard_set_started(pattern);

  // Entries are bare names of the pattern's folder, never rooted.
  std::string_view folder = folder_part(pattern);
  std::string module_name;
  for (const std::string& entry : entries) {
    if (!is_module_name(entry, run.module_kinds())) continue;
    module_name.assign(folder).append(entry);
    if (process_module(run, module_name) == Next::kStop) return;
  }
  run.report.wildcard_set_ended(pattern, run.project_totals);
}

}  // namespace codetal
