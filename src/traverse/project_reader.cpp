#include "traverse/project_reader.h"

#include <memory>
#include <string>

#include "platform/text_lines.h"
#include "traverse/listed_names.h"
#include "traverse/module_sequence.h"

namespace codetal {
namespace {

int size_of(std::string_view text) {
  return static_cast<int>(text.size());
}

std::unique_ptr<InputFile> open_listing(Traversal& run, std::string_view name) {
  std::unique_ptr<InputFile> file = run.platform.open_input(name);
  if (file != nullptr) return file;
  run.console.console_message("Codetal==>  Unable to open %.*s for reading \n", size_of(name),
                              name.data());
  run.console.console_message("Codetal==>  The file probably doesn't exist \n\n");
  if (!run.goes_on_after_faults()) run.console.pause();
  run.failed = true;
  return nullptr;
}

// A read error ends the file like its end, but the run must not look whole.
void note_read_failure(Traversal& run, const TextLines& lines, std::string_view name) {
  if (!lines.read_failed()) return;
  run.console.console_message("Codetal==>  Unable to read %.*s \n", size_of(name), name.data());
  run.failed = true;
}

// The modules a project file lists, read from it as they are needed.
class ProjectModules final : public ModuleNames {
 public:
  ProjectModules(TextLines& lines, std::string_view project_name, ModuleKinds kinds)
      : lines_(lines), project_name_(project_name), kinds_(kinds) {}
  bool next(std::string& name) override {
    const std::span<const ListingKey> keys = kinds_ == ModuleKinds::kAll
                                                 ? std::span<const ListingKey>(kAllKindsProjectKeys)
                                                 : std::span<const ListingKey>(kProjectKeys);
    std::string_view line;
    while (lines_.next(line)) {
      std::optional<std::string_view> listed = listed_name(line, keys);
      if (!listed || !is_module_name(*listed, kinds_)) continue;
      place_beside(name, project_name_, *listed);
      return true;
    }
    return false;
  }

 private:
  TextLines& lines_;
  std::string_view project_name_;
  ModuleKinds kinds_;
};

}  // namespace

Next read_project_file(Traversal& run, std::string_view project_name) {
  std::unique_ptr<InputFile> file = open_listing(run, project_name);
  if (file == nullptr) return run.goes_on_after_faults() ? Next::kGoOn : Next::kStop;
  run.report.project_started(project_name);

  TextLines lines(*file);
  ProjectModules modules(lines, project_name, run.module_kinds());
  if (process_modules(run, modules) == Next::kStop) return Next::kStop;
  note_read_failure(run, lines, project_name);

  run.report.project_ended(project_name, run.project_totals);
  run.group_totals += run.project_totals;
  run.project_totals = ModuleStats{};
  return Next::kGoOn;
}

Next read_group_file(Traversal& run, std::string_view group_name) {
  std::unique_ptr<InputFile> file = open_listing(run, group_name);
  if (file == nullptr) return run.goes_on_after_faults() ? Next::kGoOn : Next::kStop;
  run.report.group_started(group_name);

  TextLines lines(*file);
  std::string project_name;
  std::string_view line;
  while (lines.next(line)) {
    std::optional<std::string_view> listed = listed_name(line, kGroupKeys);
    if (!listed || !is_project_name(*listed)) continue;
    place_beside(project_name, group_name, *listed);
    if (read_project_file(run, project_name) == Next::kStop) return Next::kStop;
  }
  note_read_failure(run, lines, group_name);

  run.report.group_ended(group_name, run.group_totals);
  return Next::kGoOn;
}

}  // namespace codetal
