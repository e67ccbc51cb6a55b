#include "console/console.h"

#include <gtest/gtest.h>

#include "fake_platform.h"
#include "report/log.h"

namespace codetal {
namespace {

constexpr const char* kPrompt = "Codetal==>  Press Enter to continue \n";

TEST(Console, EachStreamKeepsTheOrderOfItsMessages) {
  test::FakePlatform platform;
  Console console(platform);
  console.console_message("before %s \n", "mirror");
  console.mirror_if_redirected();
  console.console_message("Codetal==>  %s \n", "one");
  console.stdout_message("Codetal==>  No Match Found for %s \n", "*.bas");
  console.message_text("100% \n");
  console.pause();
  console.console_message("Codetal==>  %d \n", 2);
  console.flush();
  EXPECT_EQ(platform.out,
            "before mirror \nCodetal==>  one \nCodetal==>  No Match Found for *.bas \n100% \n" +
                std::string(kPrompt) + "<key>Codetal==>  2 \n");
  EXPECT_EQ(platform.err, "Codetal==>  one \n100% \n" + std::string(kPrompt) + "Codetal==>  2 \n");
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

// A report write that fails only when the wait hands the report to the disk
// is told before that wait's prompt, and each prompt gets its own wait.
TEST(Console, ReportFailureFoundByAWaitComesBeforeItsPrompt) {
  test::FakePlatform platform;
  Console console(platform);
  ReportLog log(platform, console);
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

}  // namespace
}  // namespace codetal
