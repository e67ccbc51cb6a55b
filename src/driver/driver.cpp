#include "driver/driver.h"

#include "driver/command_line.h"

#include "compare/compare_run.h"
#include "log/console_listener.h"
#include "log/log_file.h"
#include "log/log_listener.h"
#include "options/options_file.h"
#include "platform/ascii.h"
#include "traverse/estate.h"
#include "traverse/listed_names.h"
#include "traverse/module_cycle.h"
#include "traverse/project_reader.h"
#include "traverse/wildcard_set.h"

namespace codetal {
namespace {

void show_usage(Console& console) {
  console.console_message("Codetal==>  Ver. %s of %s \n", kVersionText, kReleaseDateText);
  console.console_message("\n");
  console.console_message("Codetal==>  Usage: Codetal  SourceFileName  [Options] \n");
  console.console_message("\n");
  console.console_message("Codetal==>  SourceFileName may be: \n");
  console.console_message("Codetal==> \n");
  for (std::string_view extension : {kGroupExtension, kProjectExtension})
    console.console_message("Codetal==>     myFile%s \n", std::string(extension).c_str());
  // The kinds counted by default; the others are told of in the manual.
  for (const char* stem : {"myFile", "*"}) {
    console.console_message("Codetal==> \n");
    for (const ModuleKind& kind : kModuleKinds) {
      if (kind.counted_by_default && !kind.extension.empty())
        console.console_message("Codetal==>     %s%s \n", stem,
                                std::string(kind.extension).c_str());
    }
  }
  console.console_message("Codetal==>     *.* \n");
  console.console_message("Codetal==> \n");
  console.console_message("Codetal==>     myFolder  (every group, project and module under it) \n");
  console.console_message("\n");
  console.console_message(
      "Codetal==>  Options: /v  /z  /b (batch: no waits)  /csv  /json  /html  /assess  /dot \n");
  console.console_message(
      "Codetal==>           /x:PATTERN (a folder run leaves out the folders it names) \n");
  console.console_message("\n");
  console.console_message("Codetal==>  For the latest updates and product information: \n");
  console.console_message("Codetal==>     https://codetal.example/ \n");
  console.console_message("Codetal==>     sales@codetal.example \n");
}

void show_banner(Platform& platform, Console& console, bool verbose_mode) {
  console.console_message("Codetal==>  Ver. %s   %s \n", kVersionText, kReleaseDateText);
  console.console_message("Codetal==>  Visual Basic Source Code Statistics \n");
  console.console_message("Codetal==>  Made by the Codetal team for VB6 maintainers \n");
  console.console_message("Codetal==>  Sales: sales@codetal.example \n");
  if (verbose_mode) console.console_message("Codetal==>  Verbose Mode (/v Option) \n");
  std::string folder = platform.current_directory();
  console.console_message("Codetal==>  Current Working Directory is %s \n", folder.c_str());
  console.console_message("\n");
}

// Arguments that would not do what they were meant to: switches before the
// input name, names a shell expanded a wildcard into, misspelt switches.
// True when one was told.
bool tell_ignored_arguments(Console& console, const CommandLine& line) {
  if (line.switch_first) {
    console.console_message(
        "Codetal==>  Switches come after the input name: %s is read as the input \n\n",
        line.input.c_str());
  } else if (!line.stray_name.empty()) {
    console.console_message(
        "Codetal==>  Only the first name is measured: %s and the names after it "
        "are not \n",
        line.stray_name.c_str());
    console.console_message(
        "Codetal==>  Quote a wildcard (\"*.frm\") so that the shell passes it whole \n\n");
  }
  for (const std::string& unknown : line.unknown_switches)
    console.console_message("Codetal==>  Unknown switch %s: ignored \n", unknown.c_str());
  if (!line.unknown_switches.empty()) console.console_message("\n");
  return line.switch_first || !line.stray_name.empty() || !line.unknown_switches.empty();
}

// Folders are left out of an estate only; an empty pattern leaves out
// nothing. Either is told, and changes nothing else.
void tell_unused_patterns(Console& console, InputKind kind,
                          const std::vector<std::string>& left_out) {
  if (left_out.empty()) return;
  if (kind != InputKind::kEstate) {
    console.console_message("Codetal==>  /x: has no effect: the input is not a folder \n\n");
    return;
  }
  for (const std::string& pattern : left_out) {
    if (pattern.empty()) {
      console.console_message("Codetal==>  /x: without a pattern leaves out nothing \n\n");
      return;
    }
  }
}

// The assessment adds to the exports only: without one it is told, and
// changes nothing else.
bool assessment_of(Console& console, const CommandLine& line) {
  if (!line.assess) return false;
  if (line.exports.any()) return true;
  console.console_message(
      "Codetal==>  /assess adds to /csv, /json and /html: without them it has no effect \n\n");
  return false;
}

// The dependency graph is the assessment's: /dot without /assess is told and
// writes nothing.
ExportChoice exports_of(Console& console, const CommandLine& line) {
  ExportChoice choice = line.exports;
  if (!choice.dot || line.assess) return choice;
  console.console_message(
      "Codetal==>  /dot draws the dependency graph of /assess: without it it has no effect \n\n");
  choice.dot = false;
  return choice;
}

// Runs the input through the traversal; kStop when the run must end at once.
// False in `valid` when the name is of no input kind.
Next traverse_input(Traversal& run, Console& console, const std::string& name,
                    const std::vector<std::string>& left_out, bool& valid) {
  switch (run.input_kind) {
    case InputKind::kWildcardSet:
      process_wildcard_set(run, name);
      return Next::kGoOn;
    case InputKind::kProjectGroup:
      return process_group_file(run, name).next;
    case InputKind::kProject:
      return process_project_file(run, name).next;
    case InputKind::kSingleModule: {
      run.report.single_module_started(name);
      ModuleStats totals;
      process_module(run, name, totals);
      return Next::kGoOn;
    }
    case InputKind::kEstate:
      process_estate(run, name, left_out);
      return Next::kGoOn;
    case InputKind::kInvalid:
      break;
  }
  console.console_message("Codetal==>  Invalid Input File Name \n");
  console.console_message("Codetal==>  No processing occured \n\n");
  valid = false;
  return Next::kGoOn;
}

// What the run tells and writes, each a listener of the traversal: the
// console's messages and the report as it goes, whether anything failed,
// and the exports, rendered from the model at its end.
struct RunOutputs {
  RunOutputs(LogFile& log_file, Platform& platform, Console& console, ExportChoice choice,
             const ReportOptions& options, RunFacts facts, InputKind kind)
      : log(log_file),
        messages(console, kind != InputKind::kEstate),
        log_listener(log_file, options),
        exports(platform, console, choice),
        model(std::move(facts),
              [&platform](std::string_view name) { return platform.found_path(name); }) {
    for (ReportListener* listener :
         {static_cast<ReportListener*>(&messages), static_cast<ReportListener*>(&log_listener),
          static_cast<ReportListener*>(&failures)})
      report.add(*listener);
    if (choice.any()) report.keep_results_in(model);
  }
  LogFile& log;
  ConsoleListener messages;
  LogListener log_listener;
  FailureWatch failures;
  Exports exports;
  RunModelBuilder model;
  ReportFanout report;
  // What the driver itself told: names not measured, a name of no input.
  bool told_failure = false;
};

// The one place that turns what happened into the exit status: anything the
// input named that failed, or a written file that lost a text though the
// run went on.
int exit_status(const RunOutputs& outputs) {
  const bool failed = outputs.failures.failed() || outputs.told_failure;
  const bool lost = outputs.log.text_lost() || outputs.exports.text_lost();
  return failed || lost ? kExitFailure : kExitSuccess;
}

// A stop asked for ends the run without exports: an earlier run's files of
// the same names go too, so that none stands beside this run's report.
int end_interrupted_run(Platform& platform, RunOutputs& outputs) {
  outputs.report.run_interrupted();
  outputs.exports.remove_earlier();
  platform.end_stopped_run();
  return kExitFailure;
}

int end_run(Console& console, RunOutputs& outputs, bool stopped) {
  if (stopped) {
    outputs.report.run_stopped();
  } else {
    console.console_message("\n");
    console.console_message("Codetal==>  Ver. %s Completed \n", kVersionText);
    outputs.report.run_ended();
  }
  outputs.exports.write(outputs.model.model(), [&] { return exit_status(outputs); });
  return exit_status(outputs);
}

// After a run that went to its end: the viewer on the report, or a wait. A
// batch run is a scheduled job or a build step: it never leaves a program
// open behind it.
void show_report(const Traversal& run, Console& console) {
  const bool viewer = run.options.shell_to == 1 || run.options.shell_to == 2;
  if (viewer && run.modules_analyzed > 0 && !console.batch()) {
    console.flush();
    run.platform.start_program(run.options.shell_to == 1 ? "NotePad.exe" : "WinWord.exe",
                               kReportFileName);
    return;
  }
  console.pause();
}

// A folder is an estate, unless its name has the extension of a module, a
// project or a group: such a name keeps its kind, and fails as it always has.
InputKind input_kind_of(Platform& platform, std::string_view name, const ReportOptions& options) {
  const ModuleKinds kinds = module_kinds_of(options, InputKind::kInvalid);
  InputKind kind = choose_input_kind(name, kinds);
  bool plain_name = kind == InputKind::kInvalid ||
                    (kind == InputKind::kSingleModule && !is_module_name(name, kinds));
  return plain_name && platform.is_folder(name) ? InputKind::kEstate : kind;
}

// Two earlier runs compared: a job for scripts as much as for people, so the
// screen is never cleared and no key awaited; nothing is measured and no
// report written.
int compare_asked_runs(Platform& platform, const CommandLine& line) {
  Console console(platform);
  console.set_batch(true);
  console.mirror_if_redirected();
  if (line.compare_old.empty() || line.compare_new.empty()) {
    console.console_message(
        "Codetal==>  /compare needs two runs' JSON: codetal /compare:OLD.json NEW.json \n");
  } else if (!line.compare_extra.empty()) {
    console.console_message(
        "Codetal==>  Two runs are compared: %s and the names after it are not read \n",
        line.compare_extra.front().c_str());
  } else {
    return run_comparison(platform, console, line.compare_old, line.compare_new) ? kExitSuccess
                                                                                 : kExitFailure;
  }
  console.console_message("Codetal==>  Nothing was compared \n\n");
  return kExitFailure;
}

}  // namespace

InputKind choose_input_kind(std::string_view name, ModuleKinds kinds) {
  std::size_t folder_end = name.find_last_of("\\/");
  std::string_view final_part =
      folder_end == std::string_view::npos ? name : name.substr(folder_end + 1);
  std::size_t dot = final_part.rfind('.');
  if (dot == std::string_view::npos) return InputKind::kSingleModule;
  std::string_view stem = final_part.substr(0, dot);
  std::string_view extension = final_part.substr(dot);
  // The name is in lower case already, so the extension tests that ignore
  // case decide as exact ones would.
  if (!stem.empty() && stem.back() == '*' &&
      (extension == ".*" || is_module_name(final_part, kinds)))
    return InputKind::kWildcardSet;
  if (is_group_name(final_part)) return InputKind::kProjectGroup;
  if (is_project_name(final_part)) return InputKind::kProject;
  if (is_module_name(final_part, kinds)) return InputKind::kSingleModule;
  return InputKind::kInvalid;
}

int run_codetal(Platform& platform, const std::vector<std::string>& arguments) {
  const CommandLine line = read_command_line(arguments, build_switch_scan());
  if (line.version) {
    platform.write_stdout(std::string("codetal ") + kVersionText + "\n");
    return kExitSuccess;
  }
  if (line.compare) return compare_asked_runs(platform, line);
  Console console(platform);
  console.set_batch(line.batch);
  console.clear_screen();
  LogFile log(platform, console);
  const LocalTime started = platform.local_time();
  log.set_report_header(build_report_header(started));
  if (line.usage) {
    show_usage(console);
    console.pause();
    return kExitUsage;
  }
  console.mirror_if_redirected();
  if (platform.lock_for_run(kReportFileName) == Platform::RunLock::kHeldElsewhere) {
    console.console_message("Codetal==>  Another run is writing %s in this folder \n\n",
                            kReportFileName);
    console.pause();
    return kExitFailure;
  }
  ReportOptions options;
  load_options(platform, console, options);
  log.set_echo_log(line.echo);
  show_banner(platform, console, line.verbose);

  std::string name = line.input;
  make_lower(name);
  const bool assess = assessment_of(console, line);
  const ExportChoice choice = exports_of(console, line);
  const InputKind kind = input_kind_of(platform, name, options);
  RunOutputs outputs(log, platform, console, choice, options,
                     RunFacts{kVersionText, started, name, options, assess}, kind);
  Traversal run(platform, options, outputs.report, kind);
  run.threads = counting_threads();
  run.assess = assess;
  run.identifies_modules = choice.any();
  run.digests_content = choice.json;
  outputs.told_failure = tell_ignored_arguments(console, line);
  tell_unused_patterns(console, kind, line.left_out);
  // A folder run of hours is measured only when its report can be written;
  // exports that cannot be are told now, not after the measuring.
  if (kind == InputKind::kEstate) {
    const std::string problem = platform.creation_problem(kReportFileName);
    if (!problem.empty()) {
      console.console_message("Codetal==>  Unable to open %s for writing \n", kReportFileName);
      console.console_message("Codetal==>  Reason: %s \n", problem.c_str());
      console.console_message(
          "Codetal==>  Nothing was measured: a folder run needs its report \n\n");
      console.pause();
      return kExitFailure;
    }
  }
  outputs.exports.give_up_uncreatable(platform, console);
  platform.arm_stop(kReportFileName, kStoppedNote);
  bool valid = true;
  const bool stopped = traverse_input(run, console, name, line.left_out, valid) == Next::kStop;
  outputs.told_failure = outputs.told_failure || !valid;
  if (platform.stop_requested()) return end_interrupted_run(platform, outputs);
  const int status = end_run(console, outputs, stopped);
  // Asked for while the exports were written: the run is whole, and ends
  // as asked.
  platform.end_stopped_run();
  platform.disarm_stop();
  if (!stopped) show_report(run, console);
  return status;
}

}  // namespace codetal
