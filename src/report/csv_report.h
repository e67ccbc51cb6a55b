// "Codetal.csv" (/csv): one row per module counted or failed and one per
// project, group and wildcard-set total, for spreadsheets and scripts. Rows
// are written as the traversal goes; lines end with CR LF on every platform,
// as spreadsheet programs expect of CSV.
#pragma once

#include <string>

#include "report/export_file.h"
#include "report/report_listener.h"

namespace codetal {

inline constexpr const char* kCsvFileName = "Codetal.csv";

class CsvReport final : public ReportListener {
 public:
  CsvReport(Platform& platform, Console& console);

  void group_started(std::string_view group) override { group_ = group; }
  void project_started(std::string_view project) override { project_ = project; }
  void wildcard_set_started(std::string_view pattern) override { set_ = pattern; }
  void module_counted(std::string_view module, const ModuleStats& stats) override;
  void module_failed(std::string_view module, ModuleFailure why) override;
  void project_ended(std::string_view project, const ModuleStats& totals) override;
  void group_ended(std::string_view group, const ModuleStats& totals) override;
  void wildcard_set_ended(std::string_view pattern, const ModuleStats& totals) override;
  void run_ended(int exit_status) override;
  void run_stopped() override;

  bool text_lost() const { return file_.text_lost(); }

 private:
  // The row's kind and module; the group, project and set are those open.
  void row(std::string_view kind, std::string_view module, const ModuleStats* stats,
           std::string_view reason);

  ExportFile file_;
  std::string group_;
  std::string project_;
  std::string set_;
};

}  // namespace codetal
