// The wait for a key of the Windows build, on the console that Wine gives a
// program started on a terminal: keys typed there arrive as console input
// events, so the console calls of the wait are exercised for real.
#include <gtest/gtest.h>

#include "console_texts.h"
#include "harness.h"
#include "terminal_run.h"

namespace codetal::test {
namespace {

const std::string kOpenFailure =
    "Codetal==>  Unable to open Codetal.log for writing \n"
    "Codetal==>  The disk is probably full \n"
    "Codetal==>  Program will continue \n";

// A folder in the report's place makes the closing write warn and wait, so
// a run on 'notes.txt' waits twice.
void prepare_two_waits(const TempFolder& folder) {
  add_quiet_options(folder);
  folder.make_folder("Codetal.log");
}
std::string two_wait_console(const TempFolder& folder) {
  return banner(folder.path()) + kInvalid + kCompletion + kOpenFailure + kPrompt + kPrompt;
}

// The keyboard is the terminal's; the messages go to files, away from the
// console's own rendering of them.
TerminalOptions keyboard_only() {
  TerminalOptions options;
  options.stdout_to_terminal = false;
  options.stderr_to_terminal = false;
  options.timeout_seconds = 60;
  return options;
}

class WineConsole : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!windows_build()) GTEST_SKIP() << "the Windows console exists only for the Windows build";
  }
};

TEST_F(WineConsole, EachWaitEndsOnAKeyOfItsOwn) {
  TempFolder folder;
  prepare_two_waits(folder);
  TerminalRun run(folder, {"notes.txt"}, keyboard_only());
  ASSERT_TRUE(run.wait_for_prompt(1));
  EXPECT_TRUE(run.still_running_after(500));
  run.type("x");
  ASSERT_TRUE(run.wait_for_prompt(2));
  EXPECT_TRUE(run.still_running_after(500));
  run.type("\r");
  RunResult result = run.finish();
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, two_wait_console(folder));
  EXPECT_EQ(result.err, two_wait_console(folder));
}

TEST_F(WineConsole, AnArrowKeyEndsExactlyOneWait) {
  TempFolder folder;
  prepare_two_waits(folder);
  TerminalRun run(folder, {"notes.txt"}, keyboard_only());
  ASSERT_TRUE(run.wait_for_prompt(1));
  run.type("\x1b[A");
  ASSERT_TRUE(run.wait_for_prompt(2));
  EXPECT_TRUE(run.still_running_after(500)) << "the arrow ended the second wait as well";
  run.type(" ");
  RunResult result = run.finish();
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, two_wait_console(folder));
}

TEST_F(WineConsole, KeysTypedAheadEndOnlyTheFirstWait) {
  TempFolder folder;
  prepare_two_waits(folder);
  TerminalOptions options = keyboard_only();
  options.typed_ahead = "ab\x1b[Acd\r";
  TerminalRun run(folder, {"notes.txt"}, options);
  ASSERT_TRUE(run.wait_for_prompt(2));
  EXPECT_TRUE(run.still_running_after(500)) << "a typed-ahead key ended the second wait";
  run.type("q");
  RunResult result = run.finish();
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, two_wait_console(folder));
}

// The pending test looks at no more than twenty events: with more waiting it
// sees none, so nothing is thrown away and the next wait ends at once.
TEST_F(WineConsole, MoreThanTwentyPendingEventsAreNotThrownAway) {
  TempFolder folder;
  prepare_two_waits(folder);
  TerminalOptions options = keyboard_only();
  options.typed_ahead = std::string(24, 'k') + "\r";
  TerminalRun run(folder, {"notes.txt"}, options);
  RunResult result = run.finish();
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, two_wait_console(folder));
}

}  // namespace
}  // namespace codetal::test
