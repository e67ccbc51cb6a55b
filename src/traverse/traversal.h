// What one traversal of the input owns: where it reads and reports, and the
// options it counts by. It tells what happens, and what fails, to the
// report interface; the console's messages are worded by a listener. One
// object per run,
// handed to the operations of this folder; totals are returned by the
// operations that sum them, never kept here.
#pragma once

#include <cstdint>
#include <memory>

#include "analysis/line_reader.h"
#include "analysis/module_stats.h"
#include "options/report_options.h"
#include "platform/platform.h"
#include "report/report_listener.h"
#include "traverse/counting_pool.h"
#include "traverse/listed_names.h"

namespace codetal {

// kEstate: a folder, with every project group, project and module under it.
enum class InputKind { kSingleModule, kWildcardSet, kProject, kProjectGroup, kEstate, kInvalid };

inline ModuleKinds module_kinds_of(const ReportOptions& options, InputKind input) {
  const bool all =
      options.all_module_kinds == -1 ? input == InputKind::kEstate : options.all_module_kinds == 1;
  return all ? ModuleKinds::kAll : ModuleKinds::kClassic;
}

// What processing a list of modules, a project or a group gives back:
// whether the caller goes on, and the totals of what it counted.
struct Summed {
  Next next = Next::kGoOn;
  ModuleStats totals;
};

struct Traversal {
  Traversal(Platform& p, const ReportOptions& o, ReportFanout& r, InputKind kind)
      : platform(p), options(o), report(r), input_kind(kind) {}

  ModuleKinds module_kinds() const { return module_kinds_of(options, input_kind); }

  Platform& platform;
  const ReportOptions& options;
  // Every output listens here; a part of the run may add a listener of its
  // own for its length.
  ReportFanout& report;
  const InputKind input_kind;

  // A file that fails is told, then waits for a key and stops the input it
  // belongs to (all but a lone project's modules); an estate of hundreds of
  // projects tells it and goes on without a wait.
  bool goes_on_after_faults() const { return input_kind == InputKind::kEstate; }

  // Modules and projects are assessed as well as counted (/assess).
  bool assess = false;
  // Each module's file is identified as it is reported, for the outputs
  // that tell files apart (an estate's ledger, the exports).
  bool identifies_modules = false;
  // Each module's content is digested (the JSON gives it, and an estate
  // finds its copies by it).
  bool digests_content = false;
  // Modules whose first line was read; no viewer is started when it is 0.
  std::int32_t modules_analyzed = 0;
  // Kept for the whole run, so that its buffer is allocated once.
  LineReader reader;
  // Threads that count modules; with 1 each module is opened and counted at
  // its turn. The pool is started for the first project or wildcard set.
  unsigned threads = 1;
  std::unique_ptr<CountingPool> pool;
};

}  // namespace codetal
