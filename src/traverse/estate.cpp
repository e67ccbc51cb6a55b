#include "traverse/estate.h"

#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "traverse/estate_walk.h"
#include "traverse/module_cycle.h"
#include "traverse/module_sequence.h"
#include "traverse/project_reader.h"

namespace codetal {
namespace {

// Listens to the run for the estate's length and keeps, per distinct file,
// what the estate needs: the projects read or tried, the modules listed
// with whether their counts are in the estate totals yet, and the files of
// each content. Names become files by their identity, so that
// "a\..\b.bas", "B.BAS" and a link to it are one file.
class EstateLedger final : public ReportListener {
 public:
  explicit EstateLedger(Platform& platform) : platform_(platform) {}

  void group_started(std::string_view) override { ++summary_.groups; }
  void project_started(std::string_view project) override {
    std::optional<FileIdentity> id = platform_.identify(project);
    if (!id || projects_.insert(*id).second) ++summary_.projects;
  }
  void listing_failed(std::string_view name, ListingKind kind, ListingFailure why) override;
  void module_started(std::string_view, const std::optional<FileIdentity>& identity) override {
    current_ = identity;
    if (current_ && listing_) modules_.try_emplace(*current_, false);
  }
  void module_counted(std::string_view module, const ModuleResult& result) override;
  // From here on modules are counted for themselves, not as listed ones.
  void stop_listing() { listing_ = false; }

  // Read, or tried and failed: either way told already.
  bool project_seen(const std::string& project) const {
    std::optional<FileIdentity> id = platform_.identify(project);
    return id && projects_.contains(*id);
  }
  // True the first time a module file is seen, listed or not.
  bool first_sight(const std::string& module) {
    std::optional<FileIdentity> id = platform_.identify(module);
    return !id || modules_.try_emplace(*id, false).second;
  }
  // The summary, its copy sets gathered.
  const EstateSummary& summary();

 private:
  // A file counted for the first time: its content is one more of its kind.
  void add_content(std::string_view module, const ModuleResult& result, bool listed);

  Platform& platform_;
  std::unordered_set<FileIdentity, FileIdentityHash> projects_;
  std::unordered_map<FileIdentity, bool, FileIdentityHash> modules_;
  std::optional<FileIdentity> current_;
  bool listing_ = true;
  // Per content, the copy set its files form; `contents_` in first-seen
  // order.
  std::unordered_map<ContentDigest, std::size_t, ContentDigestHash> content_index_;
  std::vector<CopySet> contents_;
  std::unordered_set<ContentDigest, ContentDigestHash> listed_contents_;
  EstateSummary summary_;
};

// A project that cannot be opened has been tried: the walk does not try it
// again.
void EstateLedger::listing_failed(std::string_view name, ListingKind kind, ListingFailure why) {
  if (kind == ListingKind::kGroup || why != ListingFailure::kCannotOpen) return;
  if (std::optional<FileIdentity> id = platform_.identify(name)) projects_.insert(*id);
}

void EstateLedger::module_counted(std::string_view module, const ModuleResult& result) {
  if (!current_) return;  // gone since it was read: no file to tell apart
  if (!listing_) {
    ++summary_.unlisted_modules;
    add_content(module, result, false);
    return;
  }
  bool& in_totals = modules_[*current_];
  if (in_totals) return;
  in_totals = true;
  summary_.totals += result.stats;
  ++summary_.listed_modules;
  add_content(module, result, true);
}

void EstateLedger::add_content(std::string_view module, const ModuleResult& result, bool listed) {
  if (!result.content) return;
  auto [at, added] = content_index_.try_emplace(*result.content, contents_.size());
  if (added) contents_.push_back(CopySet{{}, result.stats});
  contents_[at->second].files.emplace_back(module);
  if (listed && listed_contents_.insert(*result.content).second)
    summary_.distinct_content_totals += result.stats;
}

const EstateSummary& EstateLedger::summary() {
  summary_.copies.clear();
  for (CopySet& set : contents_) {
    if (set.files.size() > 1) summary_.copies.push_back(std::move(set));
  }
  contents_.clear();
  return summary_;
}

// The modules no project lists, each file once, counted on every core.
void report_unlisted_modules(Traversal& run, EstateLedger& ledger,
                             const std::vector<std::string>& modules) {
  ledger.stop_listing();
  std::vector<std::string> unlisted;
  for (const std::string& module : modules) {
    if (ledger.first_sight(module)) unlisted.push_back(module);
  }
  run.report.unlisted_modules_started();
  Summed sum = process_modules(run, unlisted);
  run.report.unlisted_modules_ended(sum.totals);
}

}  // namespace

void process_estate(Traversal& run, std::string_view folder,
                    const std::vector<std::string>& left_out) {
  EstateLedger ledger(run.platform);
  run.identifies_modules = true;
  run.report.add(ledger);
  run.report.estate_started(folder);
  EstateFiles files = find_estate_files(run, folder, left_out);
  if (!files.not_counted.empty()) run.report.modules_not_counted(files.not_counted);
  // An estate goes on after every failure; only a stop asked for ends it.
  auto stopped = [&run] { return run.platform.stop_requested(); };
  for (const std::string& group : files.groups) {
    if (!stopped()) process_group_file(run, group);
  }
  for (const std::string& project : files.projects) {
    if (!stopped() && !ledger.project_seen(project)) process_project_file(run, project);
  }
  if (!stopped()) report_unlisted_modules(run, ledger, files.modules);
  run.report.remove(ledger);
  if (!stopped()) run.report.estate_ended(folder, ledger.summary());
}

}  // namespace codetal
