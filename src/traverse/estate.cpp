#include "traverse/estate.h"

#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "traverse/estate_walk.h"
#include "traverse/module_cycle.h"
#include "traverse/project_reader.h"

namespace codetal {
namespace {

// Watches the run go by and keeps, per distinct file, what the estate needs:
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
  void module_counted(std::string_view, const ModuleStats& stats) override {
    if (!current_ || !listing_) return;
    bool& in_totals = modules_[*current_];
    if (!in_totals) totals_ += stats;
    in_totals = true;
  }
  // From here on modules are counted for themselves, not as listed ones.
  void unlisted_modules_started() override { listing_ = false; }

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

 private:
  Platform& platform_;
  std::unordered_set<FileIdentity, FileIdentityHash> projects_;
  std::unordered_map<FileIdentity, bool, FileIdentityHash> modules_;
  std::optional<FileIdentity> current_;
  bool listing_ = true;
  ModuleStats totals_;
};

// Each group and project starts from zero totals, as it would alone.
void start_afresh(Traversal& estate) {
  estate.project_totals = ModuleStats{};
  estate.group_totals = ModuleStats{};
}

void report_unlisted_modules(Traversal& estate, EstateLedger& ledger,
                             const std::vector<std::string>& modules) {
  estate.report.unlisted_modules_started();
  start_afresh(estate);
  for (const std::string& module : modules) {
    if (ledger.first_sight(module)) process_module(estate, module);
  }
  estate.report.unlisted_modules_ended(estate.project_totals);
}

}  // namespace

void process_estate(Traversal& run, std::string_view folder) {
  EstateLedger ledger(run.platform);
  ReportFanout events;
  events.add(ledger);
  events.add(run.report);
  Traversal estate(run.platform, run.console, run.options, events, InputKind::kEstate);
  estate.threads = run.threads;  // its projects are counted on every core too

  events.estate_started(folder);
  EstateFiles files = find_estate_files(estate, folder);
  for (const std::string& group : files.groups) {
    start_afresh(estate);
    read_group_file(estate, group);
  }
  for (const std::string& project : files.projects) {
    if (ledger.project_read(project)) continue;
    start_afresh(estate);
    read_project_file(estate, project);
  }
  report_unlisted_modules(estate, ledger, files.modules);
  events.estate_ended(folder, ledger.totals());

  run.modules_analyzed += estate.modules_analyzed;
  run.failed = run.failed || estate.failed;
}

}  // namespace codetal
