// The console's messages about the traversal: each module processed, and
// every file or folder that could not be read, worded here as the run has
// always shown them. The traversal only tells what happened.
#pragma once

#include "console/console.h"
#include "report/report_listener.h"

namespace codetal {

class ConsoleListener final : public ReportListener {
 public:
  // `waits_after_faults`: a failure waits for a key before the run goes on
  // (every input but an estate, which tells and goes on).
  ConsoleListener(Console& console, bool waits_after_faults)
      : console_(console), waits_after_faults_(waits_after_faults) {}

  void module_opened(std::string_view module) override;
  void module_failed(std::string_view module, ModuleFailure why, Next next) override;
  void listing_failed(std::string_view name, ListingKind kind, ListingFailure why) override;
  void no_match(std::string_view pattern) override;
  void folder_unreadable(std::string_view folder) override;
  void pattern_unmatched(std::string_view pattern) override;

 private:
  void cannot_open(const std::string& name);

  Console& console_;
  bool waits_after_faults_;
};

}  // namespace codetal
