// The report's header, and when the log and the console hand their texts on:
// what the data cases cannot see, since they only look at a finished run.
#include "report/log.h"

#include <gtest/gtest.h>

#include "fake_platform.h"

namespace codetal {
namespace {

constexpr const char* kPrompt = "Codetal==>  Press Enter to continue \n";

TEST(ReportHeader, IsFortyFourCharactersWithTwoDigitFields) {
  EXPECT_EQ(build_report_header({2000, 3, 14, 9, 5, 7}),
            "Created by Codetal on 03-14-00 at 09:05:07\n\n");
  EXPECT_EQ(build_report_header({1999, 12, 31, 23, 59, 59}),
            "Created by Codetal on 12-31-99 at 23:59:59\n\n");
}

struct LogFixture : ::testing::Test {
  test::FakePlatform platform;
  Console console{platform};
  ReportLog log{platform, console};
};

TEST_F(LogFixture, ReportIsOnDiskBeforeEveryWait) {
  log.set_report_header(build_report_header(platform.now));
  log.write_log("before the wait \n");
  console.pause();
  EXPECT_EQ(platform.written["Codetal.log"],
            "Created by Codetal on 03-14-00 at 09:05:07\n\nbefore the wait \n");
}

// A report write that fails only when the wait hands the report to the disk
// is told before that wait's prompt, and each prompt gets its own wait.
TEST_F(LogFixture, ReportFailureFoundByAWaitComesBeforeItsPrompt) {
  log.write_log("first \n");  // the header is written at once
  platform.fail_writes = true;
  log.write_log("second \n");
  console.pause();
  console.flush();
  EXPECT_EQ(platform.out,
            "Codetal==>  Write error on Codetal.log \n"
            "Codetal==>  Disk may be full \n"
            "Codetal==>  Program will continue \n" +
                std::string(kPrompt) + "<key>" + kPrompt + "<key>");
}

// Progress mirrored to a terminal is shown as it happens, not at the next
// wait: that terminal is where the user follows the run.
TEST(Console, MirrorToATerminalIsShownAtOnce) {
  test::FakePlatform platform;
  platform.stderr_terminal = true;
  Console console(platform);
  console.mirror_if_redirected();
  console.console_message("Codetal==>  Processing  %s \n", "a.bas");
  EXPECT_EQ(platform.err, "Codetal==>  Processing  a.bas \n");
  EXPECT_EQ(platform.out, "Codetal==>  Processing  a.bas \n");
}

}  // namespace
}  // namespace codetal
