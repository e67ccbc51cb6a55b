// The run as data, for the outputs written when it ends (/csv, /json,
// /html): groups, projects, wildcard sets and modules as the traversal told
// them, the estate, failures and every total. Totals are those the
// traversal told; what a stopped run left open is summed once here, when
// the run ends. Each module keeps its result, never its text.
//
// Every view of the run that more than one output shows (each file once,
// the failures, whether the run completed, the rankings, the inventory) is
// derived here, once, when the run ends; the renderers only read them.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analysis/module_result.h"
#include "exports/dependency_graph.h"
#include "exports/inventory.h"
#include "report/report_listener.h"
#include "report/run_facts.h"

namespace codetal {

struct ModuleRecord {
  std::string name;
  std::string path;                    // the file the name leads to, as one clean path
  std::optional<ModuleResult> result;  // empty: not counted, for `failure`
  ModuleFailure failure = ModuleFailure::kCannotOpen;
  std::optional<FileIdentity> identity;  // as the traversal found the file
  // The file it leads to, numbered when the run ends: equal for every
  // record of one file (by identity; by path when it has none).
  std::uint32_t file = 0;
  // Its figures are in the run's totals (an estate's count each listed file
  // once, at its first listing; its modules in no project stand apart).
  bool in_totals = false;
};

// A project, a wildcard set, the single module or the estate's modules in
// no project.
struct ModuleList {
  std::string name;  // the project's name or the set's pattern
  std::string path;  // the project file's; empty for the others
  std::vector<ModuleRecord> modules;
  int counted = 0;
  int failed = 0;
  ModuleStats totals;
  // The traversal told its totals; else the run stopped in it, and
  // `totals` are those of the modules counted before.
  bool ended = false;
  // Why the project file could not be read, when it could not: not opened
  // (no module, no totals) or cut short.
  std::string failure;
  bool opened = true;
  // A project's type, references and components, in an assessment.
  std::optional<ProjectFacts> facts;
  // Derived with /assess: over its module files, each once.
  RiskCounts risk_totals{};
  // The project files its `*\A` references name, as paths of the run.
  std::vector<std::string> referenced_projects;
  // Derived with /assess: the wave of the file it builds (0: none).
  std::int32_t wave = 0;
};

struct GroupRecord {
  std::string name;
  std::string path;
  std::vector<ModuleList> projects;
  ModuleStats totals;
  bool ended = false;
  std::string failure;  // as a project's
  bool opened = true;
  RiskCounts risk_totals{};  // derived with /assess, as a project's
};

struct EstateRecord {
  std::string folder;
  std::string path;
  std::vector<std::string> left_out;  // the folders' paths, in walk order
  // Module files of kinds the options leave out, by path, in walk order.
  std::vector<std::string> not_counted;
  ModuleList unlisted;
  EstateSummary summary;  // its copy sets' files by their paths
  bool ended = false;
};

// A project or group file that could not be read.
struct NotRead {
  ListingKind kind;
  std::string_view path;
  std::string_view failure;
};

// Each project file once (an estate's groups share projects), and each
// wildcard set, with the groups that list it.
struct ProjectView {
  const ModuleList* list;
  bool wildcard_set;
  std::vector<std::string_view> groups;  // their paths
};

// The bands of cyclomatic complexity the page counts procedures in.
struct ComplexityBand {
  std::string_view title;
  std::int32_t highest;  // of its complexities
};
inline constexpr ComplexityBand kComplexityBands[] = {{"1\xE2\x80\x93"
                                                       "10",
                                                       10},
                                                      {"11\xE2\x80\x93"
                                                       "20",
                                                       20},
                                                      {"21\xE2\x80\x93"
                                                       "50",
                                                       50},
                                                      {"Over 50", INT32_MAX}};
inline constexpr std::size_t kComplexityBandCount = std::size(kComplexityBands);

struct BandRow {
  std::string label;
  std::array<std::int64_t, kComplexityBandCount> counts{};
  std::int64_t procedures = 0;
};

struct ProcedureAt {
  std::string_view module;  // its file
  const Procedure* procedure;
};

// How many procedures a ranking lists, and modules the largest modules.
inline constexpr std::size_t kRanked = 20;

struct ProcedureViews {
  std::vector<ProcedureAt> largest;       // by lines, at most kRanked
  std::vector<ProcedureAt> most_complex;  // by complexity, at most kRanked
  std::vector<BandRow> lists;             // a row per project (file once) or set assessed
  BandRow all;
};

struct RunModel {
  RunModel() = default;
  // The views point into the records: a model is moved, never copied.
  RunModel(const RunModel&) = delete;
  RunModel& operator=(const RunModel&) = delete;
  RunModel(RunModel&&) = default;
  RunModel& operator=(RunModel&&) = default;

  RunFacts facts;
  // In the order the run reaches them: every group, then the projects in
  // no group, the wildcard sets, the single module and the estate's own.
  std::vector<GroupRecord> groups;
  std::vector<ModuleList> projects;
  std::vector<ModuleList> sets;
  ModuleList single;
  std::optional<EstateRecord> estate;
  // The traversal went to its end and closed every list it opened.
  bool completed = false;
  // The run at a glance, set when it ends: an estate's totals over its
  // distinct listed files; any other input's own totals.
  ModuleStats totals;
  int modules_counted = 0;

  // Each module file once, in the run's order: its first counted record,
  // and its first failure (a file may have both).
  std::vector<const ModuleRecord*> counted_files;
  std::vector<const ModuleRecord*> failed_files;
  // Each project and group file not read once, by path, in the run's order.
  std::vector<NotRead> not_read;
  std::vector<ProjectView> project_files;
  std::vector<const ProjectView*> projects_by_size;  // largest first, ties in the run's order
  // The largest of counted_files by lines (ties in the run's order), at
  // most kRanked; and of the estate's modules in no project.
  std::vector<const ModuleRecord*> largest_modules;
  std::vector<const ModuleRecord*> largest_unlisted;
  // The folder the page's labels are relative to, with its separator: the
  // estate's, or the input's own; empty when paths are relative already.
  std::string label_root;
  // With /assess: over each project and module file once.
  std::optional<Inventory> inventory;
  RiskCounts risk_totals{};
  // The modules with the most high, then medium findings, at most kRanked.
  std::vector<const ModuleRecord*> risky_modules;
  // The estate's own dependency graph: its projects' files and their waves.
  std::optional<DependencyGraph> graph;
  ProcedureViews procedures;
};

// The file a list or module stands for: its path, or its name when it has
// none (a wildcard set, or a run without paths).
inline std::string_view file_of(const ModuleList& list) {
  return list.path.empty() ? std::string_view(list.name) : std::string_view(list.path);
}
inline std::string_view file_of(const ModuleRecord& module) {
  return module.path.empty() ? std::string_view(module.name) : std::string_view(module.path);
}

// Every module list of the run in its order: the groups' projects, the
// projects, the sets, the single module, then the estate's unlisted ones.
// `Model` is RunModel, or const RunModel for a reader.
template <typename Model, typename Visit>
void for_each_list(Model& model, Visit visit) {
  for (auto& group : model.groups) {
    for (auto& project : group.projects) visit(project);
  }
  for (auto& project : model.projects) visit(project);
  for (auto& set : model.sets) visit(set);
  visit(model.single);
  if (model.estate) visit(model.estate->unlisted);
}

// Builds the model from the events, beside the log.
class RunModelBuilder final : public ReportListener {
 public:
  // The path of a file the run names (Platform::found_path); the name
  // itself by default.
  using PathOf = std::function<std::string(std::string_view)>;

  explicit RunModelBuilder(RunFacts facts, PathOf path_of = {}) : path_of_(std::move(path_of)) {
    model_.facts = std::move(facts);
  }

  void group_started(std::string_view group) override;
  void project_started(std::string_view project) override;
  void project_assessed(std::string_view project, const ProjectFacts& facts) override;
  void wildcard_set_started(std::string_view pattern) override;
  void single_module_started(std::string_view module) override;
  void module_started(std::string_view module,
                      const std::optional<FileIdentity>& identity) override;
  void module_counted(std::string_view module, const ModuleResult& result) override;
  void module_kept(std::string_view module, ModuleResult&& result) override;
  void module_failed(std::string_view module, ModuleFailure why, Next) override;
  void project_ended(std::string_view project, const ModuleStats& totals) override;
  void listing_failed(std::string_view name, ListingKind kind, ListingFailure why) override;
  void folder_left_out(std::string_view folder) override;
  void modules_not_counted(const std::vector<std::string>& files) override;
  void group_ended(std::string_view group, const ModuleStats& totals) override;
  void wildcard_set_ended(std::string_view pattern, const ModuleStats& totals) override;
  void estate_started(std::string_view folder) override;
  void unlisted_modules_started() override;
  void unlisted_modules_ended(const ModuleStats& totals) override;
  void estate_ended(std::string_view folder, const EstateSummary& summary) override;
  void run_ended() override { finish(true); }
  void run_stopped() override { finish(false); }

  const RunModel& model() const { return model_; }

 private:
  ModuleList& open_list(std::vector<ModuleList>& lists, std::string_view name);
  void end_list(const ModuleStats& totals);
  void add_module(std::string_view module, std::optional<ModuleResult> result, ModuleFailure why);
  void finish(bool traversed);

  std::string path_of(std::string_view name) const {
    return path_of_ ? path_of_(name) : std::string(name);
  }

  PathOf path_of_;
  RunModel model_;
  ModuleList* list_ = nullptr;  // the list modules go to
  bool in_group_ = false;
  std::optional<FileIdentity> identity_;  // of the module told last
};

}  // namespace codetal
