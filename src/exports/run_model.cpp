#include "exports/run_model.h"

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

void RunModelBuilder::project_assessed(std::string_view, const ProjectFacts& facts) {
  if (list_ != nullptr) list_->facts = facts;
}

void RunModelBuilder::wildcard_set_started(std::string_view pattern) {
  open_list(model_.sets, pattern).path.clear();
}

void RunModelBuilder::single_module_started(std::string_view) {
  list_ = &model_.single;
}

void RunModelBuilder::module_counted(std::string_view module, const ModuleResult& result) {
  if (list_ == nullptr) list_ = &model_.single;
  list_->modules.push_back(
      ModuleRecord{std::string(module), path_of(module), result, ModuleFailure::kCannotOpen});
  ++list_->counted;
}

void RunModelBuilder::module_failed(std::string_view module, ModuleFailure why) {
  if (list_ == nullptr) list_ = &model_.single;
  list_->modules.push_back(ModuleRecord{std::string(module), path_of(module), std::nullopt, why});
  ++list_->failed;
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

void RunModelBuilder::finish(bool completed) {
  RunModel& m = model_;
  m.completed = completed;
  for (GroupRecord& group : m.groups) close_group(group);
  for (ModuleList& project : m.projects) close_list(project);
  for (ModuleList& set : m.sets) close_list(set);
  close_list(m.single);
  if (m.estate) close_list(m.estate->unlisted);

  for_each_list(m, [&m](const ModuleList& list) { m.modules_failed += list.failed; });
  if (m.estate) {
    m.totals = m.estate->summary.totals;
    m.modules_counted = m.estate->summary.listed_modules;
    return;
  }
  // Outside an estate the input is one group, project, set or module: the
  // run's totals are its own.
  for (const GroupRecord& group : m.groups) m.totals += group.totals;
  for (const std::vector<ModuleList>* lists : {&m.projects, &m.sets}) {
    for (const ModuleList& list : *lists) m.totals += list.totals;
  }
  m.totals += m.single.totals;
  for_each_list(m, [&m](const ModuleList& list) { m.modules_counted += list.counted; });
}

}  // namespace codetal
