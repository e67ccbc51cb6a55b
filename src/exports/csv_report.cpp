#include "exports/csv_report.h"

#include <algorithm>

#include "exports/export_text.h"

namespace codetal {
namespace {

// Where a row stands: the group, project and set columns.
struct Place {
  std::string_view group;
  std::string_view project;
  std::string_view set;
};

// The last column, `counted`: 1 on a module row whose figures are in the
// run's totals (an estate's count each listed file once, at its first
// listing; its modules in no project have their own totals), 0 on the others.
//
// An assessment's columns, after the others: a module's designer lines
// and controls, a project's references and components, a module's
// procedures and their highest complexity, and its findings of what will not
// convert by severity; a unit's wave, projects, dependencies and users.
// Empty on the rows they do not describe.
constexpr std::string_view kAssessColumns =
    ",designer_lines,controls,references,components,procedures,complexity_max,risks_high,"
    "risks_medium,risks_low,wave,projects,depends_on,used_by";
constexpr std::string_view kNoAssessCells = ",,,,,,,,,,,,,";
constexpr std::string_view kNoUnitCells = ",,,,";

std::string module_cells(const ModuleResult& result) {
  if (!result.facts) return std::string(kNoAssessCells);
  const ModuleFacts& facts = *result.facts;
  std::int64_t controls = 0;
  for (const auto& [name, count] : facts.controls) controls += count;
  std::int32_t complexity_max = 0;
  for (const Procedure& p : facts.procedures)
    complexity_max = std::max(complexity_max, p.complexity);
  std::string cells = ",";
  append_number(cells, facts.designer_lines);
  cells += ',';
  append_number(cells, controls);
  cells += ",,,";
  append_number(cells, static_cast<std::int64_t>(facts.procedures.size()));
  cells += ',';
  append_number(cells, complexity_max);
  for (Severity severity : {Severity::kHigh, Severity::kMedium, Severity::kLow}) {
    cells += ',';
    append_number(cells, findings(facts.risks, severity));
  }
  return cells += kNoUnitCells;
}

std::string unit_cells(const GraphUnit& unit) {
  std::string cells = ",,,,,,,,,";
  for (std::int64_t value :
       {std::int64_t{unit.wave}, static_cast<std::int64_t>(unit.projects.size()),
        static_cast<std::int64_t>(unit.depends_on.size()), std::int64_t{unit.used_by}}) {
    cells += ',';
    append_number(cells, value);
  }
  return cells;
}

std::string project_cells(const ModuleList& list) {
  if (!list.facts) return std::string(kNoAssessCells);
  std::string cells = ",,,";
  append_number(cells, static_cast<std::int64_t>(list.facts->references.size()));
  cells += ',';
  append_number(cells, static_cast<std::int64_t>(list.facts->components.size()));
  return (cells += ",,,,,") += kNoUnitCells;
}

class CsvRows {
 public:
  CsvRows(WrittenFile& file, bool assess) : file_(file), assess_(assess) {}

  void heading() {
    std::string& out = file_.text();
    out += "row,group,project,set,module,path";
    for (int counter = 0; counter < kCounterCount; ++counter) {
      out += ',';
      out += counter_name(counter);
    }
    out += ",reason";
    if (assess_) out += kAssessColumns;
    out += ",counted\r\n";
  }

  // The list's modules, then its totals row `kind` when the traversal told
  // them.
  void list(const ModuleList& list, Place place, std::string_view kind) {
    if (!list.opened) {
      row("failed_project", place, "", list.path, nullptr, list.failure);
      return;
    }
    for (const ModuleRecord& module : list.modules) {
      if (module.result) {
        row("module", place, module.name, module.path, &module.result->stats, "",
            module_cells(*module.result), module.in_totals ? "1" : "0");
      } else {
        row("failed", place, module.name, module.path, nullptr, failure_reason(module.failure));
      }
    }
    if (list.ended && !kind.empty())
      row(kind, place, "", list.path, &list.totals, list.failure, project_cells(list));
  }

  // `path` is the file's that the row is about: the module's, the
  // project's or the group's.
  // `assessed` holds the assessment's cells, each after its comma.
  void row(std::string_view kind, Place place, std::string_view module, std::string_view path,
           const ModuleStats* stats, std::string_view reason,
           std::string_view assessed = kNoAssessCells, std::string_view counted = "") {
    std::string& out = file_.text();
    out += kind;
    for (std::string_view name : {place.group, place.project, place.set, module, path}) {
      out += ',';
      append_csv_field(out, name);
    }
    // A failed module has no counts: its cells stay empty rather than 0.
    for (int counter = 0; counter < kCounterCount; ++counter) {
      out += ',';
      if (stats != nullptr) append_number(out, (*stats)[static_cast<Counter>(counter)]);
    }
    out += ',';
    append_csv_field(out, reason);
    if (assess_) out += assessed;
    out += ',';
    out += counted;
    out += "\r\n";
    file_.flush_when_large();
  }

 private:
  WrittenFile& file_;
  bool assess_;
};

}  // namespace

void write_csv(WrittenFile& file, const RunModel& model) {
  if (!file.open()) return;
  CsvRows rows(file, model.facts.assess);
  rows.heading();
  for (const GroupRecord& group : model.groups) {
    for (const ModuleList& project : group.projects)
      rows.list(project, Place{group.name, project.name, ""}, "project");
    if (!group.opened)
      rows.row("failed_group", Place{group.name, "", ""}, "", group.path, nullptr, group.failure);
    if (group.ended)
      rows.row("group", Place{group.name, "", ""}, "", group.path, &group.totals, group.failure);
  }
  for (const ModuleList& project : model.projects)
    rows.list(project, Place{"", project.name, ""}, "project");
  for (const ModuleList& set : model.sets) rows.list(set, Place{"", "", set.name}, "set");
  rows.list(model.single, Place{}, "");
  if (const std::optional<EstateRecord>& estate = model.estate) {
    for (const std::string& path : estate->not_counted)
      rows.row("not_counted", Place{}, "", path, nullptr, kNotCountedReason);
    rows.list(estate->unlisted, Place{}, "unlisted");
    if (estate->ended) {
      rows.row("estate", Place{}, "", estate->path, &estate->summary.totals, "");
      rows.row("distinct_content", Place{}, "", estate->path,
               &estate->summary.distinct_content_totals, "");
    }
  }
  if (model.graph) {
    for (const GraphUnit& unit : model.graph->units)
      rows.row("unit", Place{}, "", unit.file, nullptr, "", unit_cells(unit));
  }
  file.close();
}

}  // namespace codetal
