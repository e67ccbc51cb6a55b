#include "driver/driver.h"

#include "options/options_file.h"
#include "platform/ascii.h"
#include "report/log.h"
#include "report/log_report.h"
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
  console.console_message("Codetal==>     myFile.vbg \n");
  console.console_message("Codetal==>     myFile.vbp \n");
  console.console_message("Codetal==> \n");
  console.console_message("Codetal==>     myFile.bas \n");
  console.console_message("Codetal==>     myFile.cls \n");
  console.console_message("Codetal==>     myFile.frm \n");
  console.console_message("Codetal==> \n");
  console.console_message("Codetal==>     *.bas \n");
  console.console_message("Codetal==>     *.cls \n");
  console.console_message("Codetal==>     *.frm \n");
  console.console_message("Codetal==>     *.* \n");
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

void set_switch(Switches& switches, std::string_view token) {
  char letter = ascii_upper(token.front());
  if (letter == 'V') switches.verbose = true;
  if (letter == 'Z') switches.echo = true;
}

// Runs the input through the traversal; kStop when the run must end at once.
Next traverse_input(Traversal& run, const std::string& name) {
  switch (run.input_kind) {
    case InputKind::kWildcardSet:
      process_wildcard_set(run, name);
      return Next::kGoOn;
    case InputKind::kProjectGroup:
      return read_group_file(run, name);
    case InputKind::kProject:
      return read_project_file(run, name);
    case InputKind::kSingleModule:
      run.report.single_module_started(name);
      process_module(run, name);
      return Next::kGoOn;
    case InputKind::kInvalid:
      break;
  }
  run.console.console_message("Codetal==>  Invalid Input File Name \n");
  run.console.console_message("Codetal==>  No processing occured \n\n");
  run.failed = true;
  return Next::kGoOn;
}

// The one place that turns what happened into the exit status: anything the
// input named that failed, or a report that lost a text though the run went
// on.
int exit_status(const Traversal& run, const ReportLog& log) {
  return run.failed || log.text_lost() ? kExitFailure : kExitSuccess;
}

int complete_run(Traversal& run, ReportLog& log) {
  run.console.console_message("\n");
  run.console.console_message("Codetal==>  Ver. %s Completed \n", kVersionText);
  run.report.run_ended(exit_status(run, log));
  int status = exit_status(run, log);
  if (run.modules_analyzed > 0 && (run.options.shell_to == 1 || run.options.shell_to == 2)) {
    run.console.flush();
    run.platform.start_program(run.options.shell_to == 1 ? "NotePad.exe" : "WinWord.exe",
                               kReportFileName);
    return status;
  }
  run.console.pause();
  return status;
}

}  // namespace

bool wants_usage(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return true;
  if (arguments.size() != 1) return false;
  const std::string& only = arguments.front();
  if (only == "--help" || only == "-h") return true;  // what people type on POSIX
  return only.size() >= 2 && only[0] == '/' && (only[1] == '?' || ascii_upper(only[1]) == 'H');
}

Switches scan_switches(const std::vector<std::string>& arguments) {
  Switches switches;
  std::string joined;
  for (const std::string& argument : arguments) joined.append(argument).append(" ");
  std::size_t at = joined.find('/');
  if (at == std::string::npos) return switches;
  std::string_view rest = std::string_view(joined).substr(at);
  while (!rest.empty()) {
    std::size_t start = rest.find_first_not_of("/ ");
    if (start == std::string_view::npos) break;
    rest.remove_prefix(start);
    std::size_t end = rest.find_first_of("/ ");
    set_switch(switches, rest.substr(0, end));
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
  }
  return switches;
}

InputKind choose_input_kind(std::string_view name) {
  std::size_t folder_end = name.find_last_of("\\/");
  std::string_view final_part =
      folder_end == std::string_view::npos ? name : name.substr(folder_end + 1);
  std::size_t dot = final_part.rfind('.');
  if (dot == std::string_view::npos) return InputKind::kSingleModule;
  std::string_view stem = final_part.substr(0, dot);
  std::string_view extension = final_part.substr(dot);
  // The name is in lower case already, so the extension tests that ignore
  // case decide as exact ones would.
  if (!stem.empty() && stem.back() == '*' && (extension == ".*" || is_module_name(final_part)))
    return InputKind::kWildcardSet;
  if (extension == ".vbg") return InputKind::kProjectGroup;
  if (is_project_name(final_part)) return InputKind::kProject;
  if (is_module_name(final_part)) return InputKind::kSingleModule;
  return InputKind::kInvalid;
}

int run_codetal(Platform& platform, const std::vector<std::string>& arguments) {
  Console console(platform);
  console.clear_screen();
  ReportLog log(platform, console);
  log.set_report_header(build_report_header(platform.local_time()));
  if (wants_usage(arguments)) {
    show_usage(console);
    console.pause();
    return kExitUsage;
  }
  console.mirror_if_redirected();
  ReportOptions options;
  load_options(platform, console, options);
  Switches switches = scan_switches(arguments);
  log.set_echo_log(switches.echo);
  show_banner(platform, console, switches.verbose);

  std::string name = arguments.front();
  make_lower(name);
  LogReport log_report(log, options);
  Traversal run(platform, console, options, log_report, choose_input_kind(name));
  run.threads = counting_threads();
  if (traverse_input(run, name) == Next::kStop) return kExitFailure;
  return complete_run(run, log);
}

}  // namespace codetal
