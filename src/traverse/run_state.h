// Everything one run owns: the console, the report, the options, the three
// counter records and the traversal's flags. One object per run, handed to
// the operations, so every part can be tested in-process.
#pragma once

#include <cstdint>
#include <string>

#include "analysis/line_reader.h"
#include "analysis/module_stats.h"
#include "driver/console.h"
#include "options/report_options.h"
#include "platform/platform.h"
#include "report/log.h"

namespace codetal {

enum class InputKind { kNone, kSingleModule, kWildcardSet, kProject, kProjectGroup, kInvalid };

struct RunState {
  explicit RunState(Platform& p) : platform(p), console(p), log(p, console) {}

  Platform& platform;
  Console console;
  ReportLog log;
  ReportOptions options;
  InputKind input_kind = InputKind::kNone;

  ModuleStats module_stats;
  ModuleStats project_totals;
  ModuleStats group_totals;
  std::string current_module_name;
  // Modules whose first line was read; no viewer is started when it is 0.
  std::int32_t modules_analyzed = 0;
  // Something the input named could not be analysed: the run exits with 2.
  bool failed = false;
  // Reads the module being analysed; kept for the whole run with its buffer.
  LineReader reader{platform, console, modules_analyzed};
};

}  // namespace codetal
