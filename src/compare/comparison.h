// Two runs compared: every module file matched by its path under its run's
// root, then the rest by content, so that a file moved or renamed is seen
// as such; projects and groups matched by path; what the assessment found,
// when both runs were assessed. Every view the outputs show is derived
// here, once; the renderers only read.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "compare/snapshot.h"
#include "exports/run_model.h"

namespace codetal {

enum class FileState { kSame, kModified, kMoved, kAdded, kRemoved, kNotRead };
inline constexpr std::string_view kFileStateNames[] = {"same",  "modified", "moved",
                                                       "added", "removed",  "not_read"};
inline constexpr std::size_t kFileStateCount = std::size(kFileStateNames);
// As people read them, on the console and the page.
inline constexpr std::string_view kFileStateWords[] = {"same",  "modified", "moved",
                                                       "added", "removed",  "not read"};
static_assert(std::size(kFileStateWords) == kFileStateCount);
inline std::string_view state_name(FileState state) {
  return kFileStateNames[static_cast<std::size_t>(state)];
}

using StateCounts = std::array<std::int64_t, kFileStateCount>;
using CountChange = std::array<std::int64_t, kCounterCount>;

// A procedure added (no old complexity), removed (no new one) or changed.
struct ProcedureChange {
  std::string_view kind;
  std::string_view name;
  std::int32_t old_complexity = -1;
  std::int32_t new_complexity = -1;
};

struct FileChange {
  FileState state = FileState::kSame;
  const SnapModule* old = nullptr;          // null when added
  const SnapModule* now = nullptr;          // null when removed
  CountChange change{};                     // new counts less old ones
  const SnapModule* copy_of = nullptr;      // an added file whose content the baseline holds
  std::vector<ProcedureChange> procedures;  // when both runs were assessed
};

enum class ListState { kKept, kAdded, kRemoved };
inline constexpr std::string_view kListStateNames[] = {"kept", "added", "removed"};

struct ListChange {
  ListState state = ListState::kKept;
  const SnapList* old = nullptr;
  const SnapList* now = nullptr;
  StateCounts files{};   // its files (of either run) by state
  CountChange change{};  // of its totals
};

// Units of the dependency graph, references or components of both runs.
struct ThingChanges {
  std::vector<const SnapThing*> added, removed;
  std::vector<std::pair<const SnapThing*, const SnapThing*>> rewaved;  // old, new
};

struct Comparison {
  const Snapshot* old = nullptr;
  const Snapshot* now = nullptr;
  bool options_differ = false;
  bool both_assessed = false;
  // The new run's files in its order, then the files it lost in the old
  // run's order.
  std::vector<FileChange> files;
  StateCounts files_by_state{};
  CountChange old_totals{}, new_totals{};  // each file once
  CountChange total_change{};
  std::vector<ListChange> projects, groups;
  // Views: the files that changed most (code lines, then all lines), and
  // the files moved, as indices into `files`.
  std::vector<std::size_t> largest;
  std::vector<std::size_t> moved;
  // When both runs were assessed.
  std::int64_t procedures_added = 0, procedures_removed = 0, procedures_changed = 0;
  std::array<std::int64_t, kComplexityBandCount> old_bands{}, new_bands{};
  std::array<std::int64_t, kRiskRuleCount> old_risks{}, new_risks{};
  ThingChanges units, references, components;
};

// How many files the page and the console rank.
inline constexpr std::size_t kLargestChanges = 20;

Comparison compare_runs(const Snapshot& old, const Snapshot& now);

}  // namespace codetal
