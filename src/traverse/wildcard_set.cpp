#include "traverse/wildcard_set.h"

#include <string>
#include <vector>

#include "traverse/listed_names.h"
#include "traverse/module_sequence.h"

namespace codetal {
namespace {

// The matches that are modules, as names in the pattern's folder.
class MatchedModules final : public ModuleNames {
 public:
  MatchedModules(const std::vector<std::string>& entries, std::string_view folder,
                 ModuleKinds kinds)
      : entries_(entries), folder_(folder), kinds_(kinds) {}
  bool next(std::string& name) override {
    while (at_ < entries_.size()) {
      const std::string& entry = entries_[at_++];
      if (!is_module_name(entry, kinds_)) continue;
      name.assign(folder_).append(entry);
      return true;
    }
    return false;
  }

 private:
  const std::vector<std::string>& entries_;
  std::string_view folder_;
  ModuleKinds kinds_;
  std::size_t at_ = 0;
};

}  // namespace

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
  MatchedModules modules(entries, folder, run.module_kinds());
  if (process_modules(run, modules) == Next::kStop) return;
  run.report.wildcard_set_ended(pattern, run.project_totals);
}

}  // namespace codetal
