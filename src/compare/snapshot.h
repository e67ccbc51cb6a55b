// An earlier run as its Codetal.json tells it, read back for a comparison:
// each module file once with its counts, content and (when assessed) its
// procedures and risks, the projects and groups with their files, and what
// the assessment found of the estate as a whole. Module records are taken
// one at a time as the file is read, so that the memory a run's JSON takes
// is that of its records, not of its text.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/module_stats.h"
#include "analysis/risks.h"
#include "exports/json_report.h"
#include "platform/platform.h"

namespace codetal {

struct SnapProcedure {
  std::string kind;
  std::string name;
  std::int32_t complexity = 0;
  std::int32_t code = 0;  // its code lines
};

struct SnapModule {
  std::string path;  // as the run wrote it
  std::string key;   // relative to the run's root, one separator, lower case
  bool counted = false;
  ModuleStats counts;
  std::string content;  // the digest in hex; empty when the run wrote none
  std::vector<SnapProcedure> procedures;
  RiskCounts risks{};
};

// A project or a group: its files by index into Snapshot::files.
struct SnapList {
  std::string path;
  std::string key;
  std::vector<std::size_t> files;
  std::optional<ModuleStats> totals;  // when the run ended its list
};

// A unit of the dependency graph, a reference or a component.
struct SnapThing {
  std::string key;   // what matches it between runs
  std::string name;  // what a planner reads
  std::int32_t wave = 0;
};

struct Snapshot {
  std::string file;  // the JSON's name, as given
  std::string input;
  std::string started;
  std::string options;  // the run's options, as one text to tell them apart
  bool completed = false;
  bool assessed = false;
  std::vector<SnapModule> files;  // each file once, in the run's order
  std::vector<SnapList> projects;
  std::vector<SnapList> groups;
  std::vector<SnapThing> units, references, components;
};

// The root's part of a path, and the path from there on: one separator,
// "." and "x/.." taken out, ASCII letters in lower case.
std::string comparison_key(std::string_view path, std::string_view root);

// Reads `file`; on failure, `error` says why in a sentence that follows the
// file's name ("is not JSON: ...").
std::optional<Snapshot> read_snapshot(InputFile& file, std::string name, std::string& error);

}  // namespace codetal
