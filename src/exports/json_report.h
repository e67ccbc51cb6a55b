// "Codetal.json" (/json): the run as one object: tool, version, input,
// options, then the tree of groups, projects (and wildcard sets) and
// modules with their counts and totals, an estate's own totals, and the
// exit status. The lists keep a fixed order whatever the input.
#pragma once

#include <string>

#include "exports/run_model.h"
#include "report/written_file.h"

namespace codetal {

// The layout of the file, given as its "format": a comparison refuses a file
// of a later one rather than misread it.
inline constexpr int kJsonFormat = 1;

inline constexpr const char* kJsonFileName = "Codetal.json";

// The whole document for `model`, ending with `exit_status`.
void write_json(WrittenFile& file, const RunModel& model, int exit_status);

// {"total": 40, "code": 33, ...}: every counter, by its stable name.
void append_json_counts(std::string& out, const ModuleStats& stats);

}  // namespace codetal
