#include "report/csv_report.h"

#include "report/export_text.h"

namespace codetal {

CsvReport::CsvReport(Platform& platform, Console& console)
    : file_(platform, console, kCsvFileName) {
  std::string& out = file_.text();
  out += "row,group,project,set,module";
  for (int counter = 0; counter < kCounterCount; ++counter) {
    out += ',';
    out += counter_name(counter);
  }
  out += ",reason\r\n";
}

void CsvReport::row(std::string_view kind, std::string_view module, const ModuleStats* stats,
                    std::string_view reason) {
  std::string& out = file_.text();
  out += kind;
  for (std::string_view name :
       {std::string_view(group_), std::string_view(project_), std::string_view(set_), module}) {
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
  file_.write_when_large();
}

void CsvReport::module_counted(std::string_view module, const ModuleStats& stats) {
  row("module", module, &stats, "");
}

void CsvReport::module_failed(std::string_view module, ModuleFailure why) {
  row("failed", module, nullptr, failure_reason(why));
}

void CsvReport::project_ended(std::string_view, const ModuleStats& totals) {
  row("project", "", &totals, "");
  project_.clear();
}

void CsvReport::group_ended(std::string_view, const ModuleStats& totals) {
  row("group", "", &totals, "");
  group_.clear();
}

void CsvReport::wildcard_set_ended(std::string_view, const ModuleStats& totals) {
  row("set", "", &totals, "");
  set_.clear();
}

void CsvReport::run_ended(int) {
  file_.finish();
}

void CsvReport::run_stopped() {
  file_.finish();
}

}  // namespace codetal
