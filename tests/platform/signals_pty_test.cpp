// Signals that reach a run while it waits for a key, on a real
// (pseudo-)terminal: the terminal's mode is put back before the run ends or
// stops, the run ends by the signal that ended it, and a run continued while
// its wait is still pending waits on in raw mode.
#include <signal.h>
#include <string.h>
#include <termios.h>

#include <gtest/gtest.h>

#include "harness.h"
#include "terminal_run.h"

namespace codetal::test {
namespace {

bool same_mode(const termios& a, const termios& b) {
  return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
         a.c_lflag == b.c_lflag && a.c_cc[VMIN] == b.c_cc[VMIN] && a.c_cc[VTIME] == b.c_cc[VTIME];
}

bool is_raw(const termios& mode) {
  return (mode.c_lflag & (ICANON | ECHO | ISIG)) == 0;
}

// 'notes.txt' is no input kind: the run completes and waits once at its end.
class SignalsDuringAWait : public ::testing::Test {
 protected:
  void SetUp() override {
    if (windows_build()) GTEST_SKIP() << "POSIX signals and terminal modes";
    folder_.write("Codetal.INI", "[Codetal ]\n");
  }
  TempFolder folder_;
};

TEST_F(SignalsDuringAWait, EndingSignalRestoresTheModeThenEndsTheRunByThatSignal) {
  for (int sig : {SIGTERM, SIGHUP, SIGQUIT, SIGINT}) {
    SCOPED_TRACE(::strsignal(sig));
    TerminalRun run(folder_, {"notes.txt"});
    ASSERT_TRUE(run.wait_for_prompt());
    ASSERT_TRUE(run.wait_for_key_wait());
    run.send_signal(sig);
    run.finish();
    EXPECT_EQ(run.ending_signal(), sig);
    EXPECT_TRUE(same_mode(run.mode(), run.initial_mode()));
  }
}

// A signal ignored when the run began (nohup) neither ends the wait nor
// changes the mode.
TEST_F(SignalsDuringAWait, IgnoredSignalStaysIgnored) {
  TerminalOptions options;
  options.ignored_signals = {SIGHUP, SIGTERM};
  TerminalRun run(folder_, {"notes.txt"}, options);
  ASSERT_TRUE(run.wait_for_prompt());
  ASSERT_TRUE(run.wait_for_key_wait());
  run.send_signal(SIGHUP);
  run.send_signal(SIGTERM);
  EXPECT_TRUE(run.still_running_after(300));
  EXPECT_TRUE(is_raw(run.mode()));
  run.type("x");
  RunResult result = run.finish();
  EXPECT_EQ(result.status, 2);
  EXPECT_TRUE(same_mode(run.mode(), run.initial_mode()));
}

// Stopped, the shell gets its terminal back cooked; continued, the run waits
// on in raw mode, for one key, and then ends as usual. Twice, since the
// handler must be in place again after the first stop.
TEST_F(SignalsDuringAWait, StopGivesTheModeBackAndContinueMakesItRawAgain) {
  TerminalOptions options;
  options.foreground_job = true;
  TerminalRun run(folder_, {"notes.txt"}, options);
  ASSERT_TRUE(run.wait_for_prompt());
  ASSERT_TRUE(run.wait_for_key_wait());
  for (int round = 1; round <= 2; ++round) {
    SCOPED_TRACE(round);
    run.send_signal(SIGTSTP);
    ASSERT_TRUE(run.wait_until_stopped());
    EXPECT_TRUE(same_mode(run.mode(), run.initial_mode()));
    run.send_signal(SIGCONT);
    ASSERT_TRUE(run.wait_for_key_wait());
    EXPECT_TRUE(run.still_running_after(200));
  }
  run.type("x");
  RunResult result = run.finish();
  EXPECT_EQ(result.status, 2);
  EXPECT_TRUE(result.out.starts_with("\x1b[H\x1b[2JCodetal==>  Ver. 1.1a   14 March, 2000 \n"));
  EXPECT_TRUE(
      result.out.ends_with("Codetal==>  Invalid Input File Name \n"
                           "Codetal==>  No processing occured \n\n" +
                           kCompletion + kPrompt));
  EXPECT_TRUE(same_mode(run.mode(), run.initial_mode()));
}

// A stop signal to a group that nobody can continue is dropped by the
// kernel: the run neither stops nor loses its raw mode.
TEST_F(SignalsDuringAWait, DroppedStopLeavesTheWaitRaw) {
  TerminalRun run(folder_, {"notes.txt"});
  ASSERT_TRUE(run.wait_for_prompt());
  ASSERT_TRUE(run.wait_for_key_wait());
  run.send_signal(SIGTSTP);
  EXPECT_TRUE(run.still_running_after(300));
  EXPECT_TRUE(is_raw(run.mode()));
  run.type("x");
  EXPECT_EQ(run.finish().status, 2);
}

}  // namespace
}  // namespace codetal::test
