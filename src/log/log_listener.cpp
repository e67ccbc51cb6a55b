#include "log/log_listener.h"

#include "log/layouts.h"

namespace codetal {

void LogListener::group_started(std::string_view group) {
  log_.write_log(project_group_title(group));
}

void LogListener::project_started(std::string_view project) {
  log_.write_log(project_title(project));
  write_heading_lines(log_);
}

void LogListener::wildcard_set_started(std::string_view pattern) {
  log_.write_log(wildcard_set_title(pattern));
  write_heading_lines(log_);
}

void LogListener::single_module_started(std::string_view) {
  write_heading_lines(log_);
}

void LogListener::module_started(std::string_view module, const std::optional<FileIdentity>&) {
  write_module_name_line(log_, module);
}

void LogListener::module_counted(std::string_view module, const ModuleResult& result) {
  report_module(log_, options_, result.stats, module);
}

void LogListener::project_ended(std::string_view, const ModuleStats& totals) {
  report_project_totals(log_, totals);
}

void LogListener::group_ended(std::string_view, const ModuleStats& totals) {
  report_group_totals(log_, totals);
}

void LogListener::estate_started(std::string_view folder) {
  log_.write_log(estate_title(folder));
}

void LogListener::unlisted_modules_started() {
  log_.write_log(kUnlistedModulesTitle);
  write_heading_lines(log_);
}

void LogListener::unlisted_modules_ended(const ModuleStats& totals) {
  report_unlisted_totals(log_, totals);
}

void LogListener::folder_left_out(std::string_view folder) {
  log_.write_log(left_out_title(folder));
}

void LogListener::modules_not_counted(const std::vector<std::string>& files) {
  log_.write_log(not_counted_line(files.size()));
}

void LogListener::estate_ended(std::string_view, const EstateSummary& summary) {
  report_estate_totals(log_, summary.totals);
  report_estate_contents(log_, summary);
}

void LogListener::run_ended() {
  log_.write_log("");
}

void LogListener::run_stopped() {
  log_.write_log("");
}

void LogListener::run_interrupted() {
  log_.write_log(kStoppedNote);
  log_.write_log("");
}

}  // namespace codetal
