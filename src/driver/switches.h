// The command line's switches: the lenient letters /v and /z, the whole
// arguments /b and /x:PATTERN, and the lone --version.
#pragma once

#include <string>
#include <vector>

namespace codetal {

struct Switches {
  bool verbose = false;  // /v: one more banner line
  bool echo = false;     // /z: every report text shown on the console as well
  bool batch = false;    // /b: the screen is never cleared and no key awaited
};

// Where the scan for /v and /z begins. From the first "/" of all arguments
// joined, the input name included: the Windows build, where "\" separates
// folders. On POSIX every absolute path holds "/", so only the arguments
// after the input name are scanned there.
enum class SwitchScan { kFromFirstSlash, kAfterInputName };

// This build's rule.
SwitchScan build_switch_scan();

// `arguments` excludes the program's own name. /b counts only as a whole
// argument after the input name, in either letter case.
Switches scan_switches(const std::vector<std::string>& arguments, SwitchScan scan);

// The patterns of every /x:PATTERN argument after the input name ("/X:"
// too), in order: folders an estate leaves out.
std::vector<std::string> scan_left_out_patterns(const std::vector<std::string>& arguments);

// A lone "--version", on every platform.
bool wants_version(const std::vector<std::string>& arguments);

}  // namespace codetal
