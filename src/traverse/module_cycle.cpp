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
  rules.digest_content = run.digests_content || run.input_kind == InputKind::kEstate;
  rules.assess = run.assess;
  rules.designer_starts = {run.module_kinds(), module_kind_of(name, run.module_kinds())};
  return rules;
}

namespace {

// A module that fails stops every input but a project given alone and an
// estate.
Next after_failed_module(const Traversal& run) {
  const bool goes_on = run.input_kind == InputKind::kProject || run.goes_on_after_faults();
  return goes_on ? Next::kGoOn : Next::kStop;
}

// Tells the module's events in their order around its counting, which
// `count` does (or hands over, when done elsewhere) once the file is known
// to be open.
template <typename Open, typename Count>
Next cycle(Traversal& run, std::string_view module_name, Open open, Count count, ModuleStats& sum) {
  if (run.platform.stop_requested()) return Next::kStop;  // Ctrl+C, a closed console
  run.report.module_started(
      module_name, run.identifies_modules ? run.platform.identify(module_name) : std::nullopt);
  ModuleFailure why = ModuleFailure::kCannotOpen;
  std::optional<ModuleResult> result;
  if (open()) {
    run.report.module_opened(module_name);
    result = count();
    why = ModuleFailure::kNoText;
  }
  if (!result) {
    const Next next = after_failed_module(run);
    run.report.module_failed(module_name, why, next);
    return next;
  }
  ++run.modules_analyzed;
  sum += result->stats;
  run.report.module_kept(module_name, std::move(*result));
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
