#include "traverse/module_cycle.h"

#include <memory>
#include <optional>
#include <string>

#include "analysis/count_module.h"
#include "platform/ascii.h"

namespace codetal {

CountRules count_rules(const Traversal& run, std::string_view name) {
  CountRules rules;
  rules.count_designer_lines = run.options.count_form_headers == 1;
  rules.digest_content = run.input_kind == InputKind::kEstate;
  rules.assess = run.assess;
  rules.designer_starts = {run.module_kinds(), module_kind_of(name, run.module_kinds())};
  return rules;
}

namespace {

// Shows a module's messages in their order around its counting, which
// `count` does (or hands over, when done elsewhere) once the file is known
// to be open.
template <typename Count>
std::optional<ModuleResult> show_and_count(Traversal& run, const std::string& name, bool opened,
                                           Count count, ModuleFailure& why) {
  if (!opened) {
    run.console.console_message("Codetal==>  Unable to open %s for reading \n", name.c_str());
    run.console.console_message("Codetal==>  The file probably doesn't exist \n\n");
    why = ModuleFailure::kCannotOpen;
    return std::nullopt;
  }
  run.console.console_message("Codetal==>  Processing  %s \n", name.c_str());
  std::optional<ModuleResult> result = count();
  if (!result) {
    run.console.console_message("\n");
    run.console.console_message("Codetal==>  Unable to read %s \n", name.c_str());
    run.console.console_message("Codetal==>  File is most probably of zero length \n");
    why = ModuleFailure::kNoText;
  }
  return result;
}

// The failure has been shown; only a project given alone goes on with its
// next module.
Next after_failed_module(Traversal& run) {
  run.failed = true;
  if (run.input_kind == InputKind::kProject || run.goes_on_after_faults()) {
    run.console.console_message("Codetal==>  Program will continue \n\n");
    if (!run.goes_on_after_faults()) run.console.pause();
    return Next::kGoOn;
  }
  run.console.console_message("Codetal==>  Program will abort \n\n");
  run.console.pause();
  run.console.console_message("\n");
  return Next::kStop;
}

template <typename Open, typename Count>
Next cycle(Traversal& run, std::string_view module_name, Open open, Count count, ModuleStats& sum) {
  // Messages print names with "%s": a copy ends at a NUL as they always have.
  const std::string name(module_name);
  run.report.module_started(
      module_name, run.identifies_modules ? run.platform.identify(module_name) : std::nullopt);
  ModuleFailure why = ModuleFailure::kCannotOpen;
  std::optional<ModuleResult> result = show_and_count(run, name, open(), count, why);
  if (!result) {
    run.report.module_failed(module_name, why);
    return after_failed_module(run);
  }
  ++run.modules_analyzed;
  run.report.module_counted(module_name, *result);
  sum += result->stats;
  return Next::kGoOn;
}

}  // namespace

Next process_module(Traversal& run, std::string_view module_name, ModuleStats& sum) {
  std::unique_ptr<InputFile> file;
  return cycle(
      run, module_name,
      [&] {
        file = run.platform.open_input(module_name);
        return file != nullptr;
      },
      [&] { return count_module(run.reader, *file, count_rules(run, module_name)); }, sum);
}

Next report_counted_module(Traversal& run, std::string_view module_name, CountedModule& counted,
                           ModuleStats& sum) {
  return cycle(
      run, module_name, [&] { return counted.opened; }, [&] { return std::move(counted.result); },
      sum);
}

}  // namespace codetal
