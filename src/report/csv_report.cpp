#include "report/csv_report.h"

#include "report/export_text.h"

namespace codetal {
namespace {

// Where a row stands: the group, project and set columns.
struct Place {
  std::string_view group;
  std::string_view project;
  std::string_view set;
};

class CsvRows {
 public:
  explicit CsvRows(WrittenFile& file) : file_(file) {}

  void heading() {
    std::string& out = file_.text();
    out += "row,group,project,set,module,path";
    for (int counter = 0; counter < kCounterCount; ++counter) {
      out += ',';
      out += counter_name(counter);
    }
    out += ",reason\r\n";
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
        row("module", place, module.name, module.path, &module.result->stats, "");
      } else {
        row("failed", place, module.name, module.path, nullptr, failure_reason(module.failure));
      }
    }
    if (list.ended && !kind.empty()) row(kind, place, "", list.path, &list.totals, list.failure);
  }

  // `path` is the file's that the row is about: the module's, the
  // project's or the group's.
  void row(std::string_view kind, Place place, std::string_view module, std::string_view path,
           const ModuleStats* stats, std::string_view reason) {
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
    out += "\r\n";
    file_.flush_when_large();
  }

 private:
  WrittenFile& file_;
};

}  // namespace

void write_csv(WrittenFile& file, const RunModel& model) {
  if (!file.open()) return;
  CsvRows rows(file);
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
    rows.list(estate->unlisted, Place{}, "unlisted");
    if (estate->ended) {
      rows.row("estate", Place{}, "", estate->path, &estate->summary.totals, "");
      rows.row("distinct_content", Place{}, "", estate->path,
               &estate->summary.distinct_content_totals, "");
    }
  }
  file.close();
}

}  // namespace codetal
