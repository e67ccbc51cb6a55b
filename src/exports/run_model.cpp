#include "exports/run_model.h"

#include <algorithm>
#include <span>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "analysis/line_counts.h"

namespace codetal {
namespace {

// A list the traversal did not total (it stopped there, or it is the single
// module) is summed from its modules.
void close_list(ModuleList& list) {
  if (list.ended) return;
  list.totals = ModuleStats{};
  for (const ModuleRecord& module : list.modules) {
    if (module.result) list.totals += module.result->stats;
  }
}

void close_group(GroupRecord& group) {
  for (ModuleList& project : group.projects) close_list(project);
  if (group.ended) return;
  group.totals = ModuleStats{};
  for (const ModuleList& project : group.projects) group.totals += project.totals;
}

// A container the traversal did not end has no totals, and the run is not
// whole.
bool left_open(const RunModel& model) {
  bool open = false;
  for (const GroupRecord& group : model.groups) open = open || (!group.ended && group.opened);
  for_each_list(model, [&](const ModuleList& list) {
    open = open || (!list.ended && list.opened && &list != &model.single);
  });
  return open;
}

// An estate's totals are over its distinct listed files; outside an estate
// the input is one group, project, set or module, and the run's totals are
// its own.
void sum_totals(RunModel& m) {
  if (m.estate) {
    m.totals = m.estate->summary.totals;
    m.modules_counted = m.estate->summary.listed_modules;
    return;
  }
  for (const GroupRecord& group : m.groups) m.totals += group.totals;
  for (const std::vector<ModuleList>* lists : {&m.projects, &m.sets}) {
    for (const ModuleList& list : *lists) m.totals += list.totals;
  }
  m.totals += m.single.totals;
  for_each_list(m, [&m](const ModuleList& list) { m.modules_counted += list.counted; });
}

// Numbers every module record by the file it leads to: by its identity,
// or by its path when the traversal found none (a file that is missing).
void number_files(RunModel& m) {
  std::unordered_map<FileIdentity, std::uint32_t, FileIdentityHash> by_identity;
  std::unordered_map<std::string_view, std::uint32_t> by_path;
  std::uint32_t next = 0;
  for_each_list(m, [&](ModuleList& list) {
    for (ModuleRecord& module : list.modules) {
      module.file = module.identity ? by_identity.try_emplace(*module.identity, next).first->second
                                    : by_path.try_emplace(file_of(module), next).first->second;
      if (module.file == next) ++next;
    }
  });
}

void gather_files(RunModel& m) {
  std::unordered_set<std::uint32_t> counted, failed;
  for_each_list(m, [&](ModuleList& list) {
    const bool unlisted = m.estate && &list == &m.estate->unlisted;
    for (ModuleRecord& module : list.modules) {
      const bool first =
          module.result ? counted.insert(module.file).second : failed.insert(module.file).second;
      if (first) (module.result ? m.counted_files : m.failed_files).push_back(&module);
      module.in_totals = module.result && !unlisted && (first || !m.estate);
    }
  });
}

void gather_not_read(RunModel& m) {
  std::unordered_set<std::string_view> seen;
  auto add = [&](ListingKind kind, std::string_view path, std::string_view failure) {
    if (!failure.empty() && seen.insert(path).second) m.not_read.push_back({kind, path, failure});
  };
  for (const GroupRecord& group : m.groups) {
    add(ListingKind::kGroup, group.path, group.failure);
    for (const ModuleList& project : group.projects)
      add(ListingKind::kProject, project.path, project.failure);
  }
  for (const ModuleList& project : m.projects)
    add(ListingKind::kProject, project.path, project.failure);
}

// In an estate each project once, by its path, with every group that lists
// it; projects not read are listed apart.
void gather_projects(RunModel& m) {
  std::unordered_map<std::string_view, std::size_t> seen;
  auto add = [&](const ModuleList& project, const GroupRecord* group) {
    if (!project.opened) return;
    if (!m.estate) {
      m.project_files.push_back({&project, false, {}});
      return;
    }
    auto [at, added] = seen.try_emplace(file_of(project), m.project_files.size());
    if (added) m.project_files.push_back({&project, false, {}});
    if (group != nullptr) m.project_files[at->second].groups.push_back(group->path);
  };
  for (const GroupRecord& group : m.groups) {
    for (const ModuleList& project : group.projects) add(project, &group);
  }
  for (const ModuleList& project : m.projects) add(project, nullptr);
  for (const ModuleList& set : m.sets) m.project_files.push_back({&set, true, {}});
  for (const ProjectView& view : m.project_files) m.projects_by_size.push_back(&view);
  std::stable_sort(m.projects_by_size.begin(), m.projects_by_size.end(),
                   [](const ProjectView* a, const ProjectView* b) {
                     return a->list->totals[kTotalLines] > b->list->totals[kTotalLines];
                   });
}

// The first `kRanked` of `all` by `key`, largest first; ties keep the order
// of `all`. Only the kept ones are sorted.
template <typename Item, typename Key>
std::vector<Item> ranked(const std::vector<Item>& all, Key key) {
  std::vector<std::size_t> order(all.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  const std::size_t kept = std::min(kRanked, order.size());
  std::partial_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(kept), order.end(),
                    [&](std::size_t a, std::size_t b) {
                      const auto ka = key(all[a]), kb = key(all[b]);
                      return ka != kb ? ka > kb : a < b;
                    });
  std::vector<Item> result;
  for (std::size_t i = 0; i < kept; ++i) result.push_back(all[order[i]]);
  return result;
}

std::int32_t lines_of(const ModuleRecord* module) {
  return module->result->stats[kTotalLines];
}

const ModuleFacts* facts_of(const ModuleRecord& module) {
  return module.result && module.result->facts ? &*module.result->facts : nullptr;
}

std::size_t band_of(std::int32_t complexity) {
  std::size_t band = 0;
  while (complexity > kComplexityBands[band].highest) ++band;
  return band;
}

void add_to_band(BandRow& row, const ModuleFacts& facts) {
  for (const Procedure& p : facts.procedures) ++row.counts[band_of(p.complexity)];
  row.procedures += static_cast<std::int64_t>(facts.procedures.size());
}

std::string band_label(const RunModel& model, const ModuleList& list) {
  if (&list == &model.single && !list.modules.empty()) return std::string(file_of(list.modules[0]));
  if (model.estate && &list == &model.estate->unlisted) return "Modules in no project";
  if (list.path.empty()) return "set " + list.name;
  return list.path;
}

// Every procedure of each module file once, in the run's order, and a band
// row for each project file (once) that holds assessed modules.
void rank_procedures(RunModel& m) {
  ProcedureViews& views = m.procedures;
  views.all.label = "All";
  std::vector<ProcedureAt> all;
  std::unordered_set<std::string_view> lists;
  std::unordered_set<std::uint32_t> modules;
  for_each_list(m, [&](const ModuleList& list) {
    if (!lists.insert(file_of(list)).second && !list.path.empty()) return;
    BandRow row{band_label(m, list)};
    std::unordered_set<std::uint32_t> in_list;
    bool assessed = false;
    for (const ModuleRecord& module : list.modules) {
      const ModuleFacts* facts = facts_of(module);
      if (facts == nullptr || !in_list.insert(module.file).second) continue;
      assessed = true;
      add_to_band(row, *facts);
      if (!modules.insert(module.file).second) continue;
      add_to_band(views.all, *facts);
      for (const Procedure& p : facts->procedures) all.push_back({file_of(module), &p});
    }
    if (assessed) views.lists.push_back(std::move(row));
  });
  // The lists with the most complex procedures first: by the highest band,
  // then the next; ties in the run's order.
  std::stable_sort(views.lists.begin(), views.lists.end(), [](const BandRow& a, const BandRow& b) {
    return std::lexicographical_compare(b.counts.rbegin(), b.counts.rend(), a.counts.rbegin(),
                                        a.counts.rend());
  });
  views.largest = ranked(all, [](const ProcedureAt& p) { return p.procedure->lines[0]; });
  views.most_complex = ranked(all, [](const ProcedureAt& p) { return p.procedure->complexity; });
}

// Each module file of `lists` once.
template <typename Lists>
std::vector<const ModuleFacts*> distinct_facts(const Lists& lists) {
  std::vector<const ModuleFacts*> facts;
  std::unordered_set<std::uint32_t> seen;
  for (const ModuleList& list : lists) {
    for (const ModuleRecord& module : list.modules) {
      const ModuleFacts* f = facts_of(module);
      if (f != nullptr && seen.insert(module.file).second) facts.push_back(f);
    }
  }
  return facts;
}

RiskCounts risks_of(const std::vector<const ModuleFacts*>& facts) {
  RiskCounts totals{};
  for (const ModuleFacts* f : facts) {
    for (std::size_t i = 0; i < kRiskRuleCount; ++i) totals[i] += f->risks[i];
  }
  return totals;
}

std::int64_t findings(const ModuleRecord* module, Severity severity) {
  return findings(module->result->facts->risks, severity);
}

void total_risks(RunModel& m, const std::vector<const ModuleFacts*>& modules) {
  for_each_list(m, [](ModuleList& list) {
    list.risk_totals = risks_of(distinct_facts(std::span<const ModuleList>(&list, 1)));
  });
  for (GroupRecord& group : m.groups) group.risk_totals = risks_of(distinct_facts(group.projects));
  m.risk_totals = risks_of(modules);
  std::vector<std::vector<const ModuleFacts*>> projects;
  for (const ProjectView& view : m.project_files) {
    if (!view.wildcard_set) projects.push_back(distinct_facts(std::span(view.list, 1)));
  }
  take_risk_inventory(*m.inventory, modules, projects);
  std::vector<const ModuleRecord*> risky;
  for (const ModuleRecord* module : m.counted_files) {
    if (facts_of(*module) != nullptr &&
        findings(module, Severity::kHigh) + findings(module, Severity::kMedium) > 0)
      risky.push_back(module);
  }
  m.risky_modules = ranked(risky, [](const ModuleRecord* module) {
    return std::pair{findings(module, Severity::kHigh), findings(module, Severity::kMedium)};
  });
}

void take_inventory(RunModel& m) {
  std::vector<const ProjectFacts*> projects;
  for (const ProjectView& view : m.project_files) {
    if (view.list->facts) projects.push_back(&*view.list->facts);
  }
  std::vector<const ModuleFacts*> modules;
  for (const ModuleRecord* module : m.counted_files) {
    if (const ModuleFacts* facts = facts_of(*module)) modules.push_back(facts);
  }
  m.inventory = take_inventory(projects, modules);
  total_risks(m, modules);
}

// The folder of the input's own path: the estate, or the one group, project,
// set or module the run was given.
std::string label_root_of(const RunModel& m) {
  if (m.estate) {
    if (m.estate->path.empty() || m.estate->path == ".") return {};
    const char separator = kWindowsBuild ? '\\' : '/';
    return m.estate->path.back() == separator ? m.estate->path : m.estate->path + separator;
  }
  std::string_view path = !m.groups.empty()           ? std::string_view(m.groups.front().path)
                          : !m.projects.empty()       ? std::string_view(m.projects.front().path)
                          : !m.sets.empty()           ? std::string_view(m.sets.front().name)
                          : !m.single.modules.empty() ? file_of(m.single.modules.front())
                                                      : std::string_view();
  const std::size_t separator = path.find_last_of("\\/");
  return separator == std::string_view::npos ? std::string()
                                             : std::string(path.substr(0, separator + 1));
}

void draw_graph(RunModel& m) {
  std::vector<GraphProject> projects;
  // The views point into the model this builder owns and is still deriving.
  std::vector<ModuleList*> lists;
  for (const ProjectView& view : m.project_files) {
    const ModuleList& list = *view.list;
    if (view.wildcard_set || !list.facts) continue;
    projects.push_back(
        {file_of(list), &*list.facts, list.referenced_projects, list.totals[kTotalLines]});
    lists.push_back(const_cast<ModuleList*>(&list));
  }
  m.graph = build_dependency_graph(projects);
  for (std::size_t i = 0; i < lists.size(); ++i)
    lists[i]->wave = m.graph->units[m.graph->unit_of_project[i]].wave;
}

void derive_views(RunModel& m) {
  m.label_root = label_root_of(m);
  number_files(m);
  gather_files(m);
  gather_not_read(m);
  gather_projects(m);
  m.largest_modules = ranked(m.counted_files, lines_of);
  if (m.estate) {
    std::vector<const ModuleRecord*> unlisted;
    for (const ModuleRecord& module : m.estate->unlisted.modules) {
      if (module.result) unlisted.push_back(&module);
    }
    m.largest_unlisted = ranked(unlisted, lines_of);
  }
  if (!m.facts.assess) return;
  take_inventory(m);
  rank_procedures(m);
  draw_graph(m);
}

}  // namespace

ModuleList& RunModelBuilder::open_list(std::vector<ModuleList>& lists, std::string_view name) {
  ModuleList& list = lists.emplace_back();
  list.name = name;
  list.path = path_of(name);
  list_ = &list;
  return list;
}

void RunModelBuilder::group_started(std::string_view group) {
  GroupRecord& record = model_.groups.emplace_back();
  record.name = group;
  record.path = path_of(group);
  in_group_ = true;
}

void RunModelBuilder::project_started(std::string_view project) {
  open_list(in_group_ ? model_.groups.back().projects : model_.projects, project);
}

// A `*\A` reference names a project file from the referencing one's folder.
void RunModelBuilder::project_assessed(std::string_view project, const ProjectFacts& facts) {
  if (list_ == nullptr) return;
  list_->facts = facts;
  const std::string_view folder = project.substr(0, project.find_last_of("\\/") + 1);
  for (const Reference& r : facts.references) {
    if (r.project) list_->referenced_projects.push_back(path_of(std::string(folder) + r.path));
  }
}

void RunModelBuilder::wildcard_set_started(std::string_view pattern) {
  open_list(model_.sets, pattern).path.clear();
}

void RunModelBuilder::single_module_started(std::string_view) {
  list_ = &model_.single;
}

void RunModelBuilder::module_started(std::string_view,
                                     const std::optional<FileIdentity>& identity) {
  identity_ = identity;
}

void RunModelBuilder::add_module(std::string_view module, std::optional<ModuleResult> result,
                                 ModuleFailure why) {
  if (list_ == nullptr) list_ = &model_.single;
  ++(result ? list_->counted : list_->failed);
  list_->modules.push_back(
      ModuleRecord{std::string(module), path_of(module), std::move(result), why, identity_});
  identity_.reset();
}

void RunModelBuilder::module_counted(std::string_view module, const ModuleResult& result) {
  add_module(module, result, ModuleFailure::kCannotOpen);
}

void RunModelBuilder::module_kept(std::string_view module, ModuleResult&& result) {
  add_module(module, std::move(result), ModuleFailure::kCannotOpen);
}

void RunModelBuilder::module_failed(std::string_view module, ModuleFailure why, Next) {
  add_module(module, std::nullopt, why);
}

void RunModelBuilder::end_list(const ModuleStats& totals) {
  if (list_ == nullptr) return;
  list_->totals = totals;
  list_->ended = true;
  list_ = nullptr;
}

void RunModelBuilder::project_ended(std::string_view, const ModuleStats& totals) {
  end_list(totals);
}

void RunModelBuilder::wildcard_set_ended(std::string_view, const ModuleStats& totals) {
  end_list(totals);
}

void RunModelBuilder::group_ended(std::string_view, const ModuleStats& totals) {
  GroupRecord& group = model_.groups.back();
  group.totals = totals;
  group.ended = true;
  in_group_ = false;
}

void RunModelBuilder::listing_failed(std::string_view name, ListingKind kind, ListingFailure why) {
  // Outside an estate a listing that fails stops the run, as the log tells.
  if (!model_.estate) return;
  const std::string reason(why == ListingFailure::kCannotOpen ? "cannot be opened"
                                                              : "was cut short by a read error");
  if (kind == ListingKind::kGroup) {
    if (why == ListingFailure::kCannotOpen) {
      group_started(name);
      in_group_ = false;
      model_.groups.back().opened = false;
    }
    model_.groups.back().failure = reason;
    return;
  }
  if (why == ListingFailure::kCannotOpen) {
    project_started(name);
    list_->opened = false;
  }
  if (list_ != nullptr) list_->failure = reason;
  if (why == ListingFailure::kCannotOpen) list_ = nullptr;
}

void RunModelBuilder::estate_started(std::string_view folder) {
  EstateRecord& estate = model_.estate.emplace();
  estate.folder = folder;
  estate.path = path_of(folder);
}

void RunModelBuilder::folder_left_out(std::string_view folder) {
  model_.estate->left_out.push_back(path_of(folder));
}

void RunModelBuilder::modules_not_counted(const std::vector<std::string>& files) {
  for (const std::string& file : files) model_.estate->not_counted.push_back(path_of(file));
}

void RunModelBuilder::unlisted_modules_started() {
  list_ = &model_.estate->unlisted;
}

void RunModelBuilder::unlisted_modules_ended(const ModuleStats& totals) {
  end_list(totals);
}

void RunModelBuilder::estate_ended(std::string_view, const EstateSummary& summary) {
  EstateRecord& estate = *model_.estate;
  estate.summary = summary;
  for (CopySet& set : estate.summary.copies) {
    for (std::string& file : set.files) file = path_of(file);
  }
  estate.ended = true;
}

void RunModelBuilder::finish(bool traversed) {
  RunModel& m = model_;
  for (GroupRecord& group : m.groups) close_group(group);
  for (ModuleList& project : m.projects) close_list(project);
  for (ModuleList& set : m.sets) close_list(set);
  close_list(m.single);
  if (m.estate) close_list(m.estate->unlisted);
  m.completed = traversed && !left_open(m);
  sum_totals(m);
  derive_views(m);
}

}  // namespace codetal
