// The viewer at the end of a run that analysed a module: the one its options
// name, started from an absolute folder of PATH with the report, never waited
// for, never taken from the working folder.
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "cases.h"
#include "test_data.h"

namespace codetal::test {
namespace {

// The viewer is started without a wait: give it time to leave its mark.
bool appears(const std::string& path) {
  for (int i = 0; i < 500 && !std::filesystem::exists(path); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  return std::filesystem::exists(path);
}

// A row of tests/data/special/viewers.txt: a case, its viewer, the PATH.
class Viewer : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(Viewer, StartedFromAnAbsoluteFolderWithTheFinishedReportAndNotWaitedFor) {
  const std::string& program = GetParam().at(1);
  if (windows_build() && GetParam().at(2).starts_with("@DATA@"))
    GTEST_SKIP() << "Windows has no execute permission to pass a file over for";
  TempFolder viewers;  // outside the analysed folder, so its records change nothing there
  write_file(viewers / program, read_file(data_path("special/stand-in-viewer")));
  ASSERT_EQ(::chmod((viewers / program).c_str(), 0755), 0);
  TempFolder folder;
  Case c = prepare_case("special/" + GetParam().at(0), folder);
  c.options.path_env = replaced(replaced(GetParam().at(2), "@VIEWERS@", viewers.path()), "@DATA@",
                                data_path("special"));
  c.options.timeout_seconds = 30;
  RunResult result = run_codetal(folder, c.args, c.options);
  write_file(viewers / program + ".release", "");
  // The console ends without a wait; a planted viewer would have left its
  // record among the analysed files.
  expect_outcome(c, result);
  ASSERT_TRUE(appears(viewers / program + ".done")) << c.options.path_env;
  // One argument, the report's name, and the run's folder as its own.
  EXPECT_EQ(read_file(viewers / program + ".record"), "1\nCodetal.log\n" + folder.path() + "\n");
  // The report was closed, complete, before the viewer started.
  EXPECT_EQ(read_file(viewers / program + ".report"), result.report_bytes);
}

INSTANTIATE_TEST_SUITE_P(Runs, Viewer, ::testing::ValuesIn(read_table("special/viewers.txt")));

}  // namespace
}  // namespace codetal::test
