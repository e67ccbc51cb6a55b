#include "traverse/estate.h"

#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "traverse/estate_walk.h"
#include "traverse/module_cycle.h"
#include "traverse/project_reader.h"

namespace codetal {
namespace {

// Listens to the run for the estate's length and keeps, per distinct file,
// what the estate needs:
// the projects read, and the modules listed with whether their counts are
// in the estate totals yet. Names become files by their identity, so that
// "a\..\b.bas", "B.BAS" and a link to it are one file.
class EstateLedger final : public ReportListener {
 public:
  explicit EstateLedger(Platform& platform) : platform_(platform) {}

  void project_started(std::string_view project) override {
    if (std::optional<FileIdentity> id = platform_.identify(project)) projects_.insert(*id);
  }
  void module_started(std::string_view module) override {
    current_ = platform_.identify(module);
    if (current_ && listing_) modules_.try_emplace(*current_, false);
  }
  void module_counted(std::string_view, const ModuleResult& result) override {
    if (!current_ || !listing_) return;
    bool& in_totals = modules_[*current_];
    if (!in_totals) {
      totals_ += result.stats;
      ++modules_in_totals_;
    }
    in_totals = true;
  }
  // From here on modules are counted for themselves, not as listed ones.
  void stop_listing() { listing_ = false; }

  bool project_read(const std::string& project) const {
    std::optional<FileIdentity> id = platform_.identify(project);
    return id && projects_.contains(*id);
  }
  // True the first time a module file is seen, listed or not.
  bool first_sight(const std::string& module) {
    std::optional<FileIdentity> id = platform_.identify(module);
    return !id || modules_.try_emplace(*id, false).second;
  }
  const ModuleStats& totals() const { return totals_; }
  int modules_in_totals() const { return modules_in_totals_; }

 private:
  Platform& platform_;
  std::unordered_set<FileIdentity, FileIdentityHash> projects_;
  std::unordered_map<FileIdentity, bool, FileIdentityHash> modules_;
  std::optional<FileIdentity> current_;
  bool listing_ = true;
  ModuleStats totals_;
  int modules_in_totals_ = 0;
};

void report_unlisted_modules(Traversal& run, EstateLedger& ledger,
                             const std::vector<std::string>& modules) {
  ledger.stop_listing();
  run.report.unlisted_modules_started();
  ModuleStats totals;
  for (const std::string& module : modules) {
    if (ledger.first_sight(module)) process_module(run, module, totals);
  }
  run.report.unlisted_modules_ended(totals);
}

}  // namespace

void process_estate(Traversal& run, std::string_view folder) {
  EstateLedger ledger(run.platform);
  run.report.add(ledger);
  run.report.estate_started(folder);
  EstateFiles files = find_estate_files(run, folder);
  for (const std::string& group : files.groups) process_group_file(run, group);
  for (const std::string& project : files.projects) {
    if (!ledger.project_read(project)) process_project_file(run, project);
  }
  report_unlisted_modules(run, ledger, files.modules);
  run.report.remove(ledger);
  run.report.estate_ended(folder, ledger.totals(), ledger.modules_in_totals());
}

}  // namespace codetal
