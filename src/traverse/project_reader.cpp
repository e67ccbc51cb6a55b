#include "traverse/project_reader.h"

#include <memory>
#include <string>

#include "traverse/module_sequence.h"
#include "traverse/project_file.h"

namespace codetal {
namespace {

std::unique_ptr<InputFile> open_listing(Traversal& run, std::string_view name, ListingKind kind) {
  std::unique_ptr<InputFile> file = run.platform.open_input(name);
  if (file == nullptr) run.report.listing_failed(name, kind, ListingFailure::kCannotOpen);
  return file;
}

// A read error ends the file like its end, but the run must not look whole.
void note_read_failure(Traversal& run, bool read_failed, std::string_view name, ListingKind kind) {
  if (read_failed) run.report.listing_failed(name, kind, ListingFailure::kReadError);
}

Summed not_opened(const Traversal& run) {
  return Summed{run.goes_on_after_faults() ? Next::kGoOn : Next::kStop, {}};
}

}  // namespace

Summed process_project_file(Traversal& run, std::string_view project_name) {
  if (run.platform.stop_requested()) return Summed{Next::kStop, {}};
  std::unique_ptr<InputFile> file = open_listing(run, project_name, ListingKind::kProject);
  if (file == nullptr) return not_opened(run);
  run.report.project_started(project_name);
  const ProjectFile project = read_project(*file, project_name, run.module_kinds(), run.assess);
  file.reset();
  if (project.facts) run.report.project_assessed(project_name, *project.facts);

  Summed sum = process_modules(run, project.modules);
  if (sum.next == Next::kStop) return sum;
  note_read_failure(run, project.read_failed, project_name, ListingKind::kProject);
  run.report.project_ended(project_name, sum.totals);
  return sum;
}

Summed process_group_file(Traversal& run, std::string_view group_name) {
  if (run.platform.stop_requested()) return Summed{Next::kStop, {}};
  std::unique_ptr<InputFile> file = open_listing(run, group_name, ListingKind::kGroup);
  if (file == nullptr) return not_opened(run);
  run.report.group_started(group_name);
  const GroupFile group = read_group(*file, group_name);
  file.reset();

  Summed sum;
  for (const std::string& project : group.projects) {
    Summed one = process_project_file(run, project);
    if (one.next == Next::kStop) return one;
    sum.totals += one.totals;
  }
  note_read_failure(run, group.read_failed, group_name, ListingKind::kGroup);
  run.report.group_ended(group_name, sum.totals);
  return sum;
}

}  // namespace codetal
