// "Codetal.html" (/html): one self-contained page for people who would
// rather look than read. The listener keeps what the page shows (per
// project and wildcard set, the largest modules, the failures, the run's
// totals) and writes the page when the run ends.
#pragma once

#include <string>
#include <vector>

#include "report/export_file.h"
#include "report/report_listener.h"
#include "report/run_facts.h"

namespace codetal {

inline constexpr const char* kHtmlFileName = "Codetal.html";
inline constexpr std::size_t kLargestModules = 20;

// A project or wildcard set, as the page shows it.
struct PageContainer {
  bool wildcard_set = false;
  std::string name;
  int modules = 0;  // counted
  int failed = 0;
  ModuleStats totals;
};

struct PageModule {
  std::string name;
  ModuleStats stats;
};

struct PageFailure {
  std::string name;
  ModuleFailure why;
};

struct PageData {
  RunFacts facts;
  std::string group;  // empty without a group
  std::vector<PageContainer> containers;
  std::vector<PageModule> largest;  // largest first, at most kLargestModules
  std::vector<PageFailure> failures;
  ModuleStats totals;  // of every module counted
  int modules_counted = 0;
  bool completed = false;
  int exit_status = 0;
};

// The whole page, appended to `out`.
void render_page(std::string& out, const PageData& data);

class HtmlReport final : public ReportListener {
 public:
  HtmlReport(Platform& platform, Console& console, RunFacts facts);

  void group_started(std::string_view group) override { data_.group = group; }
  void project_started(std::string_view project) override { open_container(project, false); }
  void wildcard_set_started(std::string_view pattern) override { open_container(pattern, true); }
  void module_counted(std::string_view module, const ModuleStats& stats) override;
  void module_failed(std::string_view module, ModuleFailure why) override;
  void project_ended(std::string_view, const ModuleStats&) override { in_container_ = false; }
  void wildcard_set_ended(std::string_view, const ModuleStats&) override { in_container_ = false; }
  void run_ended(int exit_status) override;
  void run_stopped() override;

  bool text_lost() const { return file_.text_lost(); }

 private:
  void open_container(std::string_view name, bool wildcard_set);
  void keep_if_largest(std::string_view module, const ModuleStats& stats);
  void write_page(bool completed, int exit_status);

  ExportFile file_;
  PageData data_;
  bool in_container_ = false;
};

}  // namespace codetal
