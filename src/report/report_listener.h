// What the traversal tells the outputs, in the order it happens. The
// traversal decides what is analysed and in what order; each listener
// decides how its output looks. Every event has a default that ignores it.
#pragma once

#include <string_view>
#include <vector>

#include "analysis/module_stats.h"

namespace codetal {

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
  virtual void wildcard_set_started(std::string_view /*pattern*/) {}
  virtual void single_module_started(std::string_view /*module*/) {}
  // Told before the module is opened, so the name stands first whatever
  // becomes of it.
  virtual void module_started(std::string_view /*module*/) {}
  virtual void module_counted(std::string_view /*module*/, const ModuleStats& /*stats*/) {}
  virtual void module_failed(std::string_view /*module*/, ModuleFailure /*why*/) {}
  virtual void project_ended(std::string_view /*project*/, const ModuleStats& /*totals*/) {}
  virtual void group_ended(std::string_view /*group*/, const ModuleStats& /*totals*/) {}
  virtual void wildcard_set_ended(std::string_view /*pattern*/, const ModuleStats& /*totals*/) {}
  // Last: `exit_status` is the run's status as far as it is known.
  virtual void run_ended(int /*exit_status*/) {}
};

// Hands every event to each listener in the order they were added.
class ReportFanout final : public ReportListener {
 public:
  void add(ReportListener& listener) { listeners_.push_back(&listener); }

  void group_started(std::string_view group) override {
    for (ReportListener* l : listeners_) l->group_started(group);
  }
  void project_started(std::string_view project) override {
    for (ReportListener* l : listeners_) l->project_started(project);
  }
  void wildcard_set_started(std::string_view pattern) override {
    for (ReportListener* l : listeners_) l->wildcard_set_started(pattern);
  }
  void single_module_started(std::string_view module) override {
    for (ReportListener* l : listeners_) l->single_module_started(module);
  }
  void module_started(std::string_view module) override {
    for (ReportListener* l : listeners_) l->module_started(module);
  }
  void module_counted(std::string_view module, const ModuleStats& stats) override {
    for (ReportListener* l : listeners_) l->module_counted(module, stats);
  }
  void module_failed(std::string_view module, ModuleFailure why) override {
    for (ReportListener* l : listeners_) l->module_failed(module, why);
  }
  void project_ended(std::string_view project, const ModuleStats& totals) override {
    for (ReportListener* l : listeners_) l->project_ended(project, totals);
  }
  void group_ended(std::string_view group, const ModuleStats& totals) override {
    for (ReportListener* l : listeners_) l->group_ended(group, totals);
  }
  void wildcard_set_ended(std::string_view pattern, const ModuleStats& totals) override {
    for (ReportListener* l : listeners_) l->wildcard_set_ended(pattern, totals);
  }
  void run_ended(int exit_status) override {
    for (ReportListener* l : listeners_) l->run_ended(exit_status);
  }

 private:
  std::vector<ReportListener*> listeners_;
};

}  // namespace codetal
