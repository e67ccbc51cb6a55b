// What the traversal tells the outputs, in the order it happens. The
// traversal decides what is analysed and in what order; each listener
// decides how its output looks. Every event has a default that ignores it.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "analysis/module_result.h"
#include "platform/platform.h"
#include "report/estate_summary.h"

namespace codetal {

// A project or group file that could not be read: not opened at all, or
// cut short by a read error (its modules up to there are reported).
enum class ListingKind { kGroup, kProject };
enum class ListingFailure { kCannotOpen, kReadError };

// What the traversal does after an item: go on with its next one, or stop
// its own traversal too.
enum class Next { kGoOn, kStop };

// Why a module could not be counted.
enum class ModuleFailure {
  kCannotOpen,  // no readable ordinary file of that name
  kNoText,      // the file holds no character
};

class ReportListener {
 public:
  virtual ~ReportListener() = default;

  virtual void group_started(std::string_view /*group*/) {}
  virtual void project_started(std::string_view /*project*/) {}
  // Right after project_started, in an assessment: what its file says.
  virtual void project_assessed(std::string_view /*project*/, const ProjectFacts& /*facts*/) {}
  virtual void wildcard_set_started(std::string_view /*pattern*/) {}
  virtual void single_module_started(std::string_view /*module*/) {}
  // Told before the module is opened, so the name stands first whatever
  // becomes of it; with the file's identity, where the run tells files
  // apart (an estate, or a run with exports).
  virtual void module_started(std::string_view /*module*/,
                              const std::optional<FileIdentity>& /*identity*/) {}
  // The file is open: it is counted now.
  virtual void module_opened(std::string_view /*module*/) {}
  virtual void module_counted(std::string_view /*module*/, const ModuleResult& /*result*/) {}
  // The listener that keeps results (see ReportFanout::keep_results_in) is
  // told this instead, and takes the result itself.
  virtual void module_kept(std::string_view module, ModuleResult&& result) {
    module_counted(module, result);
  }
  // With what the traversal does next: a module that fails stops every
  // input but a project given alone and an estate.
  virtual void module_failed(std::string_view /*module*/, ModuleFailure /*why*/, Next /*next*/) {}
  virtual void project_ended(std::string_view /*project*/, const ModuleStats& /*totals*/) {}
  // Told where the project or group would have started (kCannotOpen), or
  // before its end (kReadError).
  virtual void listing_failed(std::string_view /*name*/, ListingKind /*kind*/,
                              ListingFailure /*why*/) {}
  virtual void group_ended(std::string_view /*group*/, const ModuleStats& /*totals*/) {}
  virtual void wildcard_set_ended(std::string_view /*pattern*/, const ModuleStats& /*totals*/) {}
  // A wildcard set that matches no file at all: nothing of it is started.
  virtual void no_match(std::string_view /*pattern*/) {}
  // A folder's estate: started first, then each folder left out of its
  // walk; its groups and projects come as above, then the modules that no
  // project lists, then what it adds up to.
  virtual void estate_started(std::string_view /*folder*/) {}
  virtual void folder_left_out(std::string_view /*folder*/) {}
  // After the walk: a /x: pattern that left out no folder.
  virtual void pattern_unmatched(std::string_view /*pattern*/) {}
  // After the walk: the module files of kinds the options leave out.
  virtual void modules_not_counted(const std::vector<std::string>& /*files*/) {}
  // A folder of the walk whose entries cannot be listed: the walk goes on.
  virtual void folder_unreadable(std::string_view /*folder*/) {}
  virtual void unlisted_modules_started() {}
  virtual void unlisted_modules_ended(const ModuleStats& /*totals*/) {}
  virtual void estate_ended(std::string_view /*folder*/, const EstateSummary& /*summary*/) {}
  // Last, once the input has been traversed to its end.
  virtual void run_ended() {}
  // Instead of run_ended when the traversal stopped at a failure: no totals
  // follow, and the run ends with its failure status.
  virtual void run_stopped() {}
  // Instead of either when a stop was asked for (Ctrl+C, a signal, a closed
  // console): the run ends without its totals, and writes no export.
  virtual void run_interrupted() {}
};

// Hands every event to each listener in the order they were added.
class ReportFanout final : public ReportListener {
 public:
  void add(ReportListener& listener) { listeners_.push_back(&listener); }
  // For a listener that only part of the run needs.
  void remove(ReportListener& listener) { std::erase(listeners_, &listener); }

  void group_started(std::string_view group) override {
    for (ReportListener* l : listeners_) l->group_started(group);
  }
  void project_started(std::string_view project) override {
    for (ReportListener* l : listeners_) l->project_started(project);
  }
  void project_assessed(std::string_view project, const ProjectFacts& facts) override {
    for (ReportListener* l : listeners_) l->project_assessed(project, facts);
  }
  void wildcard_set_started(std::string_view pattern) override {
    for (ReportListener* l : listeners_) l->wildcard_set_started(pattern);
  }
  void single_module_started(std::string_view module) override {
    for (ReportListener* l : listeners_) l->single_module_started(module);
  }
  void module_started(std::string_view module,
                      const std::optional<FileIdentity>& identity) override {
    for (ReportListener* l : listeners_) l->module_started(module, identity);
  }
  void module_opened(std::string_view module) override {
    for (ReportListener* l : listeners_) l->module_opened(module);
  }
  void module_counted(std::string_view module, const ModuleResult& result) override {
    for (ReportListener* l : listeners_) l->module_counted(module, result);
  }
  // Each listener reads the result, then the one that keeps results takes
  // it: a module's facts travel from the counter to the model without a copy.
  void module_kept(std::string_view module, ModuleResult&& result) override {
    for (ReportListener* l : listeners_) {
      if (l != keeper_) l->module_counted(module, result);
    }
    if (keeper_ != nullptr) keeper_->module_kept(module, std::move(result));
  }
  void keep_results_in(ReportListener& keeper) {
    add(keeper);
    keeper_ = &keeper;
  }
  void module_failed(std::string_view module, ModuleFailure why, Next next) override {
    for (ReportListener* l : listeners_) l->module_failed(module, why, next);
  }
  void project_ended(std::string_view project, const ModuleStats& totals) override {
    for (ReportListener* l : listeners_) l->project_ended(project, totals);
  }
  void listing_failed(std::string_view name, ListingKind kind, ListingFailure why) override {
    for (ReportListener* l : listeners_) l->listing_failed(name, kind, why);
  }
  void group_ended(std::string_view group, const ModuleStats& totals) override {
    for (ReportListener* l : listeners_) l->group_ended(group, totals);
  }
  void wildcard_set_ended(std::string_view pattern, const ModuleStats& totals) override {
    for (ReportListener* l : listeners_) l->wildcard_set_ended(pattern, totals);
  }
  void no_match(std::string_view pattern) override {
    for (ReportListener* l : listeners_) l->no_match(pattern);
  }
  void estate_started(std::string_view folder) override {
    for (ReportListener* l : listeners_) l->estate_started(folder);
  }
  void folder_left_out(std::string_view folder) override {
    for (ReportListener* l : listeners_) l->folder_left_out(folder);
  }
  void pattern_unmatched(std::string_view pattern) override {
    for (ReportListener* l : listeners_) l->pattern_unmatched(pattern);
  }
  void modules_not_counted(const std::vector<std::string>& files) override {
    for (ReportListener* l : listeners_) l->modules_not_counted(files);
  }
  void folder_unreadable(std::string_view folder) override {
    for (ReportListener* l : listeners_) l->folder_unreadable(folder);
  }
  void unlisted_modules_started() override {
    for (ReportListener* l : listeners_) l->unlisted_modules_started();
  }
  void unlisted_modules_ended(const ModuleStats& totals) override {
    for (ReportListener* l : listeners_) l->unlisted_modules_ended(totals);
  }
  void estate_ended(std::string_view folder, const EstateSummary& summary) override {
    for (ReportListener* l : listeners_) l->estate_ended(folder, summary);
  }
  void run_ended() override {
    for (ReportListener* l : listeners_) l->run_ended();
  }
  void run_stopped() override {
    for (ReportListener* l : listeners_) l->run_stopped();
  }
  void run_interrupted() override {
    for (ReportListener* l : listeners_) l->run_interrupted();
  }

 private:
  std::vector<ReportListener*> listeners_;
  ReportListener* keeper_ = nullptr;
};

// Whether anything the input named could not be analysed, as the traversal
// told it: the run then ends with status 2.
class FailureWatch final : public ReportListener {
 public:
  bool failed() const { return failed_; }

  void module_failed(std::string_view, ModuleFailure, Next) override { failed_ = true; }
  void listing_failed(std::string_view, ListingKind, ListingFailure) override { failed_ = true; }
  void no_match(std::string_view) override { failed_ = true; }
  void folder_unreadable(std::string_view) override { failed_ = true; }

 private:
  bool failed_ = false;
};

}  // namespace codetal
