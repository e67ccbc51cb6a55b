// The viewer at the end of a run that analysed a module: the one its options
// name, started from an absolute folder of PATH with the report, never waited
// for, never taken from the working folder.
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "cases.h"

namespace codetal::test {
namespace {

struct ViewerRun {
  const char* name;     // the case, under tests/data/special
  const char* program;  // the viewer its options name
  const char* before;   // PATH entries before the stand-in viewer's folder
  const char* after;    // and after it
};

// A NotePad.exe planted beside the analysed source (and in its folders
// "tools" and "sub") must never run, however PATH names the working folder.
const ViewerRun kRuns[] = {
    {"viewer", "NotePad.exe", "", ":/usr/bin:/bin"},
    {"viewer-shell-to-1", "NotePad.exe", "", ":/usr/bin:/bin"},
    {"viewer-shell-to-2", "WinWord.exe", "", ":/usr/bin:/bin"},
    {"viewer-planted", "NotePad.exe", ".:", ":/usr/bin:/bin"},
    {"viewer-planted", "NotePad.exe", ":", ":/usr/bin:/bin"},
    {"viewer-planted", "NotePad.exe", "/usr/bin::", ":/bin"},
    {"viewer-planted", "NotePad.exe", "tools:", ":/usr/bin:/bin"},
    {"viewer-planted", "NotePad.exe", "./:sub:", ":/usr/bin:/bin"},
};

// The viewer is started without a wait: give it time to leave its mark.
bool appears(const std::string& path) {
  for (int i = 0; i < 500 && !std::filesystem::exists(path); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  return std::filesystem::exists(path);
}

class Viewer : public ::testing::TestWithParam<ViewerRun> {};

TEST_P(Viewer, StartedFromAnAbsoluteFolderWithTheFinishedReportAndNotWaitedFor) {
  const ViewerRun& v = GetParam();
  const std::string program = v.program;
  TempFolder viewers;  // outside the analysed folder, so its records change nothing there
  viewers.write(program, read_file(data_path("special/stand-in-viewer")));
  ASSERT_EQ(::chmod((viewers / program).c_str(), 0755), 0);
  TempFolder folder;
  Case c = prepare_case(std::string("special/") + v.name, folder);
  c.options.path_env = v.before + viewers.path() + v.after;
  c.options.timeout_seconds = 30;
  RunResult result = run_codetal(folder, c.args, c.options);
  viewers.write(program + ".release", "");
  // The console ends without a wait; a planted viewer would have left its
  // record among the analysed files.
  expect_outcome(c, result);
  ASSERT_TRUE(appears(viewers / program + ".done")) << c.options.path_env;
  // One argument, the report's name, and the run's folder as its own.
  EXPECT_EQ(read_file(viewers / program + ".record"), "1\nCodetal.log\n" + folder.path() + "\n");
  // The report was closed, complete, before the viewer started.
  EXPECT_EQ(read_file(viewers / program + ".report"), result.report_bytes);
}

INSTANTIATE_TEST_SUITE_P(Runs, Viewer, ::testing::ValuesIn(kRuns));

}  // namespace
}  // namespace codetal::test
