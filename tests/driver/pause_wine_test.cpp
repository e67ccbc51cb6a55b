// The wait for a key of the Windows build, on the console that Wine gives a
// program started on a terminal: keys typed there arrive as console input
// events, so the console calls of the wait are exercised for real.
#include <gtest/gtest.h>

#include "cases.h"
#include "terminal_run.h"

namespace codetal::test {
namespace {

// Runs of "special/two-waits": a folder in the report's place makes the
// closing write warn and wait, so a run on 'notes.txt' waits twice. The
// keyboard is the terminal's; the messages go to files, away from the
// console's own rendering of them.
class WineConsole : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!windows_build()) GTEST_SKIP() << "the Windows console exists only for the Windows build";
    case_ = prepare_case("special/two-waits", folder_);
    options_.stdout_to_terminal = options_.stderr_to_terminal = false;
    options_.timeout_seconds = 60;
  }
  void expect_both_waits(TerminalRun& run) {
    RunResult result = run.finish();
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, expected(case_, "stdout"));
    EXPECT_EQ(result.err, expected(case_, "stdout"));
  }

  TempFolder folder_;
  Case case_;
  TerminalOptions options_;
};

TEST_F(WineConsole, EachWaitEndsOnAKeyOfItsOwn) {
  TerminalRun run(folder_, case_.args, options_);
  ASSERT_TRUE(run.wait_for_prompt(1));
  EXPECT_TRUE(run.still_running_after(500));
  run.type("x");
  ASSERT_TRUE(run.wait_for_prompt(2));
  EXPECT_TRUE(run.still_running_after(500));
  run.type("\r");
  expect_both_waits(run);
}

TEST_F(WineConsole, AnArrowKeyEndsExactlyOneWait) {
  TerminalRun run(folder_, case_.args, options_);
  ASSERT_TRUE(run.wait_for_prompt(1));
  run.type("\x1b[A");
  ASSERT_TRUE(run.wait_for_prompt(2));
  EXPECT_TRUE(run.still_running_after(500)) << "the arrow ended the second wait as well";
  run.type(" ");
  expect_both_waits(run);
}

TEST_F(WineConsole, KeysTypedAheadEndOnlyTheFirstWait) {
  options_.typed_ahead = "ab\x1b[Acd\r";
  TerminalRun run(folder_, case_.args, options_);
  ASSERT_TRUE(run.wait_for_prompt(2));
  EXPECT_TRUE(run.still_running_after(500)) << "a typed-ahead key ended the second wait";
  run.type("q");
  expect_both_waits(run);
}

// The pending test looks at no more than twenty events: with more waiting it
// sees none, so nothing is thrown away and the next wait ends at once.
TEST_F(WineConsole, MoreThanTwentyPendingEventsAreNotThrownAway) {
  options_.typed_ahead = std::string(24, 'k') + "\r";
  TerminalRun run(folder_, case_.args, options_);
  expect_both_waits(run);
}

}  // namespace
}  // namespace codetal::test
