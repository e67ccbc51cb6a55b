#include "driver/driver.h"

#include "driver/switches.h"

#include "options/options_file.h"
#include "platform/ascii.h"
#include "report/layouts.h"
#include "traverse/generic_class.h"
#include "traverse/module_cycle.h"
#include "traverse/project_reader.h"

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
  console.console_message(
      "Codetal==>  Options: /v verbose  /z echo report  /b batch (no waits) \n");
  console.console_message("\n");
  console.console_message("Codetal==>  For the latest updates and product information: \n");
  console.console_message("Codetal==>     https://codetal.example/ \n");
  console.console_message("Codetal==>     sales@codetal.example \n");
}

void show_banner(RunState& run, bool verbose_mode) {
  Console& console = run.console;
  console.console_message("Codetal==>  Ver. %s   %s \n", kVersionText, kReleaseDateText);
  console.console_message("Codetal==>  Visual Basic Source Code Statistics \n");
  console.console_message("Codetal==>  Made by the Codetal team for VB6 maintainers \n");
  console.console_message("Codetal==>  Sales: sales@codetal.example \n");
  if (verbose_mode) console.console_message("Codetal==>  Verbose Mode (/v Option) \n");
  std::string folder = run.platform.current_directory();
  console.console_message("Codetal==>  Current Working Directory is %s \n", folder.c_str());
  console.console_message("\n");
}

bool is_module_extension(std::string_view extension) {
  return extension == ".frm" || extension == ".cls" || extension == ".bas";
}

// Runs the input through the traversal; false when the run must end at once.
bool traverse_input(RunState& run, const std::string& name) {
  switch (run.input_kind) {
    case InputKind::kWildcardSet:
      process_generic_class(run, name);
      return true;
    case InputKind::kProjectGroup:
      return read_group_file(run, name) == 0;
    case InputKind::kProject:
      return read_project_file(run, name) == 0;
    case InputKind::kSingleModule:
      run.log.write_log(kHeadingLine1);
      run.log.write_log(kHeadingLine2);
      process_module(run, name);
      return true;
    default:
      run.console.console_message("Codetal==>  Invalid Input File Name \n");
      run.console.console_message("Codetal==>  No processing occured \n\n");
      run.failed = true;
      return true;
  }
}

int complete_run(RunState& run) {
  run.console.console_message("\n");
  run.console.console_message("Codetal==>  Ver. %s Completed \n", kVersionText);
  run.log.write_log("");
  // A report that lost a text is a failure too, though the run went on.
  int status = run.failed || run.log.text_lost() ? kExitFailure : kExitSuccess;
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

InputKind choose_input_kind(std::string_view name) {
  std::size_t folder_end = name.find_last_of("\\/");
  std::string_view final_part =
      folder_end == std::string_view::npos ? name : name.substr(folder_end + 1);
  std::size_t dot = final_part.rfind('.');
  if (dot == std::string_view::npos) return InputKind::kSingleModule;
  std::string_view stem = final_part.substr(0, dot);
  std::string_view extension = final_part.substr(dot);
  if (!stem.empty() && stem.back() == '*' && (extension == ".*" || is_module_extension(extension)))
    return InputKind::kWildcardSet;
  if (extension == ".vbg") return InputKind::kProjectGroup;
  if (extension == ".vbp") return InputKind::kProject;
  if (is_module_extension(extension)) return InputKind::kSingleModule;
  return InputKind::kInvalid;
}

int run_codetal(Platform& platform, const std::vector<std::string>& arguments) {
  if (wants_version(arguments)) {
    platform.write_stdout(std::string("codetal ") + kVersionText + "\n");
    return kExitSuccess;
  }
  const Switches switches = scan_switches(arguments, build_switch_scan());
  RunState run(platform);
  run.console.set_batch(switches.batch);
  run.console.clear_screen();
  run.log.set_report_header(build_report_header(platform.local_time()));
  if (wants_usage(arguments)) {
    show_usage(run.console);
    run.console.pause();
    return kExitUsage;
  }
  run.console.test_console_mirror();
  load_table_file(run);
  if (switches.echo) run.log.set_echo_log(true);
  show_banner(run, switches.verbose);

  std::string name = arguments.front();
  make_lower(name);
  run.input_kind = choose_input_kind(name);
  if (!traverse_input(run, name)) return kExitFailure;
  return complete_run(run);
}

}  // namespace codetal
