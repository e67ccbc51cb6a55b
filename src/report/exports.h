// The outputs that switches add beside the report (/csv, /json, /html), as
// one listener: each is told every event after the report, and each is
// written when the run ends. The JSON file is written last, so that the
// exit status it records counts a failure of the others.
#pragma once

#include <memory>

#include "report/csv_report.h"
#include "report/html_report.h"
#include "report/json_report.h"
#include "report/log.h"
#include "report/run_facts.h"

namespace codetal {

struct ExportChoice {
  bool csv = false;
  bool json = false;
  bool html = false;
};

class Exports final : public ReportListener {
 public:
  // `log` is asked whether the report lost a text, for the recorded status.
  Exports(Platform& platform, Console& console, const ReportLog& log, ExportChoice choice,
          const RunFacts& facts);

  void group_started(std::string_view group) override { writers_.group_started(group); }
  void project_started(std::string_view project) override { writers_.project_started(project); }
  void wildcard_set_started(std::string_view pattern) override {
    writers_.wildcard_set_started(pattern);
  }
  void single_module_started(std::string_view module) override {
    writers_.single_module_started(module);
  }
  void module_counted(std::string_view module, const ModuleStats& stats) override {
    writers_.module_counted(module, stats);
  }
  void module_failed(std::string_view module, ModuleFailure why) override {
    writers_.module_failed(module, why);
  }
  void project_ended(std::string_view project, const ModuleStats& totals) override {
    writers_.project_ended(project, totals);
  }
  void group_ended(std::string_view group, const ModuleStats& totals) override {
    writers_.group_ended(group, totals);
  }
  void wildcard_set_ended(std::string_view pattern, const ModuleStats& totals) override {
    writers_.wildcard_set_ended(pattern, totals);
  }
  void run_ended(int exit_status) override;
  void run_stopped() override { writers_.run_stopped(); }

  // True once any of the files lost a text: the run must end as a failure.
  bool text_lost() const;

 private:
  const ReportLog& log_;
  std::unique_ptr<CsvReport> csv_;
  std::unique_ptr<HtmlReport> html_;
  std::unique_ptr<JsonReport> json_;
  ReportFanout writers_;
};

}  // namespace codetal
