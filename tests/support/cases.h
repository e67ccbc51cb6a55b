// End-to-end cases kept as data: a folder under tests/data holding
//   args    the command line, one argument a line
//   in/     the files the run sees, copied byte for byte into its folder
//   setup   optional steps, one a line, applied after the copy (see cases.cpp)
//   repeat  optional: how many numbers @I@ takes, and their digits
//   stdout  the expected console; stderr when it is not a mirror of stdout
//   report  the expected "Codetal.log"; without it the run must change nothing
//   files/  the other files the run writes (the exports), byte for byte, their
//           ISO time as @WHEN@; CODETAL_WRITE_EXPECTED=1 rewrites them
//   written optional: files the run writes that another case compares
//   status  the expected exit status
//   variants  optional: a table (a header row, then a row a variant: its
//           name, then a value for each placeholder @NAME@ the header names);
//           each row is a case of its own, named "case:variant"
// Expected texts use "\n" line ends and these placeholders: @FOLDER@ the
// run's folder as the banner names it, @ROOT@ the temporary folder (also
// @ROOT_LOWER@, @ROOT_UPPER@), @WHEN@ the report header's date and time,
// @DASHES@ dashes up to column 117, and @EACH@...@END@ a block repeated for
// every number @I@. In `in/` of a repeated case a file whose name holds @I@
// is written once for every number.
#pragma once

#include <string>
#include <vector>

#include "harness.h"

namespace codetal::test {

struct Case {
  std::string dir;   // the case's folder
  std::string root;  // the temporary folder it was laid out in
  std::vector<std::string> args;
  RunOptions options;
  std::string skip;  // why this build cannot run the case; empty when it can
  int repeat = 0;    // how many numbers @I@ takes
  int width = 0;     // its digits, with leading zeros
  std::vector<std::pair<std::string, std::string>> values;  // a variant's placeholders
};

// The path of a file or folder under tests/data.
std::string data_path(const std::string& name);
// The names of the case folders below a folder of tests/data.
std::vector<std::string> case_names(const std::string& folder);

// A case's name as a test's: "-" and ":" as "_".
inline std::string case_test_name(const ::testing::TestParamInfo<std::string>& info) {
  std::string name = info.param;
  for (char& ch : name) ch = ch == '-' || ch == ':' ? '_' : ch;
  return name;
}

// Lays the case `name` (a folder of tests/data) out in `folder`.
Case prepare_case(const std::string& name, const TempFolder& folder);
// An expected file of the case, placeholders filled in; "" when it is missing.
std::string expected(const Case& c, const std::string& file);
// The header's date and time of every report text as @WHEN@.
std::string masked(std::string text);
// Equal texts, or the first line where they part.
::testing::AssertionResult same_text(const std::string& expected, const std::string& actual);
// Compares a run with everything the case expects.
void expect_outcome(const Case& c, const RunResult& result);

}  // namespace codetal::test
