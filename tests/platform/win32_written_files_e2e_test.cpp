// The report of the Windows build in a folder of unchecked source, under
// Wine: a link planted in its place never creates a file elsewhere, a link
// to a device is written through, and a console control event during a wait
// still ends the run. Wine shows a POSIX link to a file as that file itself,
// so the refusal of links to files is tested on POSIX only.
#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "console_texts.h"
#include "harness.h"
#include "terminal_run.h"

namespace codetal::test {
namespace {

const std::string kModule = "Sub Main()\r\n  Dim x\r\nEnd Sub\r\n";

// Each report text tries the open again and is lost.
std::string open_failure_run(const std::string& folder) {
  return banner(folder) + kOpenFailure + kOpenFailure + kOpenFailure + processing("m.bas") +
         kOpenFailure + kOpenFailure + kCompletion + kOpenFailure;
}

class Win32WrittenFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!windows_build()) GTEST_SKIP() << "the Windows build's opens, under Wine";
    add_quiet_options(folder_);
    folder_.write("m.bas", kModule);
  }
  TempFolder folder_;
};

TEST_F(Win32WrittenFiles, DanglingLinkInTheReportsPlaceCreatesNothing) {
  folder_.make_folder("sub");
  ASSERT_EQ(::symlink("sub/created.txt", (folder_ / "Codetal.log").c_str()), 0);
  RunResult result = run_codetal(folder_, {"m.bas"});
  EXPECT_EQ(result.out, open_failure_run(folder_.path()));
  EXPECT_EQ(result.status, 2);
  EXPECT_TRUE(result.changed_files.empty()) << result.changed_files.front();
}

TEST_F(Win32WrittenFiles, LinkToADeviceIsWrittenThrough) {
  ASSERT_EQ(::symlink("/dev/null", (folder_ / "Codetal.log").c_str()), 0);
  RunResult result = run_codetal(folder_, {"m.bas"});
  EXPECT_EQ(result.out, banner(folder_.path()) + processing("m.bas") + kCompletion);
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(result.changed_files.empty());
}

// As when a file is created over another, a hidden report is not replaced.
TEST_F(Win32WrittenFiles, HiddenReportIsLeftAlone) {
  folder_.write("Codetal.log", "old report\n");
  ASSERT_TRUE(set_hidden_attribute(folder_, "Codetal.log"));
  RunResult result = run_codetal(folder_, {"m.bas"});
  EXPECT_EQ(result.out, open_failure_run(folder_.path()));
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(folder_.read("Codetal.log"), "old report\n");
}

// Wine turns SIGINT into Ctrl+C sent to the program's console handlers; the
// handler of the wait lets it through to the default handling.
TEST_F(Win32WrittenFiles, ControlEventDuringAWaitEndsTheRun) {
  TempFolder folder;
  add_quiet_options(folder);
  TerminalOptions options;
  options.stdout_to_terminal = false;
  options.stderr_to_terminal = false;
  options.timeout_seconds = 60;
  TerminalRun run(folder, {"notes.txt"}, options);
  ASSERT_TRUE(run.wait_for_prompt());
  ASSERT_TRUE(run.still_running_after(500));
  run.send_signal(SIGINT);
  EXPECT_FALSE(run.still_running_after(10000));
  RunResult result = run.finish();
  EXPECT_NE(result.status, 2) << "the run went on as if a key had ended the wait";
}

}  // namespace
}  // namespace codetal::test
