// "Codetal.log" as a listener: the fixed-column layouts written to the
// report file as the traversal goes.
#pragma once

#include "log/log_file.h"
#include "options/report_options.h"
#include "report/report_listener.h"

namespace codetal {

class LogListener final : public ReportListener {
 public:
  LogListener(LogFile& log, const ReportOptions& options) : log_(log), options_(options) {}

  void group_started(std::string_view group) override;
  void project_started(std::string_view project) override;
  void wildcard_set_started(std::string_view pattern) override;
  void single_module_started(std::string_view module) override;
  void module_started(std::string_view module, const std::optional<FileIdentity>&) override;
  void module_counted(std::string_view module, const ModuleResult& result) override;
  void project_ended(std::string_view project, const ModuleStats& totals) override;
  void group_ended(std::string_view group, const ModuleStats& totals) override;
  void estate_started(std::string_view folder) override;
  void unlisted_modules_started() override;
  void unlisted_modules_ended(const ModuleStats& totals) override;
  void folder_left_out(std::string_view folder) override;
  void modules_not_counted(const std::vector<std::string>& files) override;
  void estate_ended(std::string_view folder, const EstateSummary& summary) override;
  void run_ended() override;
  // A stopped run leaves a report of its own too, if only its header.
  void run_stopped() override;
  void run_interrupted() override;

 private:
  LogFile& log_;
  const ReportOptions& options_;
};

}  // namespace codetal
