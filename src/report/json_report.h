// "Codetal.json" (/json): the run as one object: tool, version, input,
// options, then the tree of groups, projects (and wildcard sets) and
// modules with their counts and totals, and the exit status. Each top-level
// list is gathered as the traversal goes and the document is written when
// the run ends, so the lists keep a fixed order whatever the input.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "report/export_file.h"
#include "report/report_listener.h"
#include "report/run_facts.h"

namespace codetal {

inline constexpr const char* kJsonFileName = "Codetal.json";

class JsonReport final : public ReportListener {
 public:
  JsonReport(Platform& platform, Console& console, RunFacts facts);

  void group_started(std::string_view group) override;
  void project_started(std::string_view project) override;
  void wildcard_set_started(std::string_view pattern) override;
  void single_module_started(std::string_view module) override;
  void module_counted(std::string_view module, const ModuleStats& stats) override;
  void module_failed(std::string_view module, ModuleFailure why) override;
  void project_ended(std::string_view project, const ModuleStats& totals) override;
  void group_ended(std::string_view group, const ModuleStats& totals) override;
  void wildcard_set_ended(std::string_view pattern, const ModuleStats& totals) override;
  void run_ended(int exit_status) override;
  void run_stopped() override;

  bool text_lost() const { return file_.text_lost(); }

 private:
  // The top-level lists, in the order the document shows them.
  enum Section { kGroups, kProjects, kSets, kModules, kSectionCount };

  std::string& out() { return sections_[section_]; }
  int item_indent() const { return 4 + 4 * static_cast<int>(open_lists_.size()); }
  void indent(int width);
  void begin_item();
  void open_container(Section section, std::string_view name_key, std::string_view name,
                      std::string_view list_key);
  void close_container(const ModuleStats* totals);
  void write_document(bool completed, int exit_status);
  void write_options();

  ExportFile file_;
  RunFacts facts_;
  std::array<std::string, kSectionCount> sections_;
  Section section_ = kModules;
  // One entry per list open below the top level: true while it is empty.
  std::vector<bool> open_lists_;
};

// {"total": 40, "code": 33, ...}: every counter, by its stable name.
void append_json_counts(std::string& out, const ModuleStats& stats);

}  // namespace codetal
