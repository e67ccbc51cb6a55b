#include "traverse/project_reader.h"

#include <memory>
#include <string>

#include "platform/text_lines.h"
#include "report/layouts.h"
#include "traverse/listed_names.h"
#include "traverse/module_cycle.h"

namespace codetal {
namespace {

int size_of(std::string_view text) {
  return static_cast<int>(text.size());
}

std::unique_ptr<InputFile> open_listing(RunState& run, std::string_view name) {
  std::unique_ptr<InputFile> file = run.platform.open_input(name);
  if (file != nullptr) return file;
  run.console.console_message("Codetal==>  Unable to open %.*s for reading \n", size_of(name),
                              name.data());
  run.console.console_message("Codetal==>  The file probably doesn't exist \n\n");
  run.console.pause();
  run.failed = true;
  return nullptr;
}

// A read error ends the file like its end, but the run must not look whole.
void note_read_failure(RunState& run, const TextLines& lines, std::string_view name) {
  if (!lines.read_failed()) return;
  run.console.console_message("Codetal==>  Unable to read %.*s \n", size_of(name), name.data());
  run.failed = true;
}

}  // namespace

int read_project_file(RunState& run, std::string_view project_name) {
  std::unique_ptr<InputFile> file = open_listing(run, project_name);
  if (file == nullptr) return 1;
  run.log.write_log(project_title(project_name));
  run.log.write_log(kHeadingLine1);
  run.log.write_log(kHeadingLine2);

  TextLines lines(*file);
  std::string module_name;
  std::string_view line;
  while (lines.next(line)) {
    std::optional<std::string_view> listed = listed_name(line, kProjectKeys);
    if (!listed || !is_module_name(*listed)) continue;
    place_beside(module_name, project_name, *listed);
    if (process_module(run, module_name) != 0) {
      run.failed = true;
      return 1;
    }
  }
  note_read_failure(run, lines, project_name);

  report_project_totals(run.log, run.project_totals);
  sum_project_totals(run);
  reset_project_state(run);
  return 0;
}

int read_group_file(RunState& run, std::string_view group_name) {
  std::unique_ptr<InputFile> file = open_listing(run, group_name);
  if (file == nullptr) return 1;
  run.log.write_log(project_group_title(group_name));

  TextLines lines(*file);
  std::string project_name;
  std::string_view line;
  while (lines.next(line)) {
    std::optional<std::string_view> listed = listed_name(line, kGroupKeys);
    if (!listed || !is_project_name(*listed)) continue;
    place_beside(project_name, group_name, *listed);
    if (read_project_file(run, project_name) != 0) return 1;
  }
  note_read_failure(run, lines, group_name);

  report_group_totals(run.log, run.group_totals);
  return 0;
}

}  // namespace codetal
