// The command line, read once into one value that the whole run uses: the
// input name, the lenient letters /v and /z, the whole-argument switches
// (/b, the exports, /assess, /x:PATTERN), the names a shell expanded, and the
// lone requests for the usage or the version.
#pragma once

#include <string>
#include <vector>

#include "exports/exports.h"

namespace codetal {

// Where the scan for /v and /z begins. From the first "/" of all arguments
// joined, the input name included: the Windows build, where "\" separates
// folders. On POSIX every absolute path holds "/", so only the arguments
// after the input name are scanned there.
enum class SwitchScan { kFromFirstSlash, kAfterInputName };

// This build's rule.
SwitchScan build_switch_scan();

struct CommandLine {
  bool version = false;  // a lone "--version", on every platform
  bool usage = false;    // no argument, or a lone /?, /h... (or --help, -h)
  std::string input;     // the first argument, as given

  bool verbose = false;  // /v: one more banner line
  bool echo = false;     // /z: every report text shown on the console as well
  // The rest count only as whole arguments after the input name, in any
  // letter case, so that a folder called "csv" or "b" in a path never turns
  // one on.
  bool batch = false;  // /b: the screen is never cleared and no key awaited
  ExportChoice exports;
  bool assess = false;                // /assess
  std::vector<std::string> left_out;  // every /x:PATTERN's pattern, in order
  // On POSIX, the first of the names a shell expanded a wildcard into: the
  // argument after the input, when it is no switch. Empty when none.
  std::string stray_name;
  // Arguments after the input that look like switches and are none: a
  // misspelt word (/jsn, --json) rather than letters the scan reads.
  std::vector<std::string> unknown_switches;
  // The input itself is a switch: switches were written before the name.
  bool switch_first = false;

  // `/compare:OLD.json NEW.json` as the first arguments: two earlier runs
  // compared, nothing measured. Names after the two are kept to be told.
  bool compare = false;
  std::string compare_old, compare_new;
  std::vector<std::string> compare_extra;
};

// `arguments` excludes the program's own name.
CommandLine read_command_line(const std::vector<std::string>& arguments, SwitchScan scan);

}  // namespace codetal
