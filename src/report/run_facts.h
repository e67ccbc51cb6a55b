// What the exports say about the run as a whole, beside its counts.
#pragma once

#include <string>

#include "options/report_options.h"
#include "platform/platform.h"

namespace codetal {

struct RunFacts {
  std::string version;
  LocalTime started;  // the report header's time
  std::string input;  // the input name as the run used it
  ReportOptions options;
  // The exports add what the assessment read (/assess).
  bool assess = false;
};

}  // namespace codetal
