#include "traverse/generic_class.h"

#include <string>
#include <vector>

#include "report/layouts.h"
#include "traverse/listed_names.h"
#include "traverse/module_cycle.h"

namespace codetal {

int process_generic_class(RunState& run, std::string_view pattern) {
  std::vector<std::string> entries = run.platform.list_matches(pattern);
  if (entries.empty()) {
    // Straight to standard output, never mirrored to the error stream.
    run.console.stdout_message("Codetal==>  No Match Found for %.*s \n",
                               static_cast<int>(pattern.size()), pattern.data());
    run.failed = true;
    return 1;
  }
  run.log.write_log(generic_class_title(pattern));
  run.log.write_log(kHeadingLine1);
  run.log.write_log(kHeadingLine2);

  // Entries are bare names of the pattern's folder, never rooted.
  std::string_view folder = folder_part(pattern);
  std::string module_name;
  for (const std::string& entry : entries) {
    if (!is_module_name(entry)) continue;
    module_name.assign(folder).append(entry);
    if (process_module(run, module_name) != 0) {
      run.failed = true;
      return 1;
    }
  }
  return 0;
}

}  // namespace codetal
