// The wait for a key and the clearing of the window, seen on a real
// (pseudo-)terminal: which keys end a wait, that nothing else does, and that
// the terminal is left as it was found. The Windows build is watched on the
// console that Wine gives a program started on a terminal: keys typed there
// arrive as console input events, so the console calls of the wait are
// exercised for real.
#include <termios.h>

#include <gtest/gtest.h>

#include "cases.h"
#include "terminal_run.h"

namespace codetal::test {
namespace {

const std::string kClear = "\x1b[H\x1b[2J";

bool same_mode(const termios& a, const termios& b) {
  return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
         a.c_lflag == b.c_lflag && a.c_cc[VMIN] == b.c_cc[VMIN] && a.c_cc[VTIME] == b.c_cc[VTIME] &&
         a.c_cc[VINTR] == b.c_cc[VINTR];
}

// Runs on a terminal: "e2e/invalid-name" ('notes.txt' is no input kind)
// completes and waits once at its end; "special/two-waits" has a folder in
// the report's place, so the closing write warns and waits too.
class TerminalWait : public ::testing::Test {
 protected:
  std::vector<std::string> lay_out(const std::string& name) {
    case_ = prepare_case(name, folder_);
    return case_.args;
  }
  std::string console() const { return expected(case_, "stdout"); }
  // Ends the run and checks its status and that the terminal's mode is back.
  RunResult finish(TerminalRun& run) {
    RunResult result = run.finish();
    EXPECT_EQ(result.status, std::stoi(read_file(case_.dir + "/status")));
    EXPECT_TRUE(windows_build() || same_mode(run.mode(), run.initial_mode()));
    return result;
  }

  TempFolder folder_;
  Case case_;
};

class Pause : public TerminalWait {
 protected:
  void SetUp() override {
    if (windows_build()) GTEST_SKIP() << "the POSIX terminal is not the Windows console";
  }
};

TEST_F(Pause, AKeyEndsTheWaitUnechoedAndTheModeIsRestored) {
  TerminalRun run(folder_, lay_out("e2e/invalid-name"));
  ASSERT_TRUE(run.waits_for_key(1));
  EXPECT_EQ(run.mode().c_lflag & ISIG, 0u);
  run.type("x");
  // On the terminal each message appears once, after the cleared window.
  EXPECT_EQ(finish(run).out, kClear + console());
}

TEST_F(Pause, AnArrowKeyEndsExactlyOneWait) {
  TerminalRun run(folder_, lay_out("special/two-waits"));
  ASSERT_TRUE(run.waits_for_key(1));
  run.type("\x1b[A");
  ASSERT_TRUE(run.waits_for_key(2, 300)) << "the rest of the arrow ended the second wait";
  run.type("\r");
  EXPECT_EQ(finish(run).out, kClear + console());
}

// Without an options file the run warns, waits, and clears the window once
// the key has come, before its banner.
TEST_F(Pause, MissingOptionsWaitThenTheWindowIsClearedAgain) {
  TerminalRun run(folder_, lay_out("e2e/options-missing"));
  const std::string warning = console().substr(0, console().find(kPrompt) + kPrompt.size());
  ASSERT_TRUE(run.waits_for_key(1));
  EXPECT_EQ(run.terminal(), kClear + warning);
  run.type("\r");
  ASSERT_TRUE(run.waits_for_key(2));
  run.type("\r");
  EXPECT_EQ(finish(run).out, kClear + warning + kClear + console().substr(warning.size()));
}

TEST_F(Pause, KeysTypedAheadEndOnlyTheFirstWait) {
  TerminalOptions options;
  options.typed_ahead = "ab\x1b[Acd\r";
  TerminalRun run(folder_, lay_out("special/two-waits"), options);
  ASSERT_TRUE(run.waits_for_key(2, 300)) << "a typed-ahead key ended the second wait";
  run.type(" ");
  EXPECT_NE(finish(run).out.find(console()), std::string::npos);
}

// With signal keys switched off for the wait, Ctrl+C, Ctrl+\ and Ctrl+Z are
// keys like any other: the run neither dies nor stops, and goes on to its end.
TEST_F(Pause, ControlKeysEndTheWaitAndTheRunGoesOn) {
  lay_out("special/two-waits");
  // Every report text now warns and waits, the first one before completion.
  TerminalRun run(folder_, {"missing.bas"});
  const std::string keys[] = {"\x03", "\x1c", "\x1a"};
  int prompts = 0;
  while (run.wait_for_prompt(prompts + 1)) {
    ASSERT_TRUE(run.wait_for_key_wait());
    run.type(prompts < 3 ? keys[prompts] : "\r");
    ++prompts;
  }
  RunResult result = finish(run);
  EXPECT_GE(prompts, 4);
  EXPECT_LT(result.out.find(kPrompt), result.out.find(kCompletion));
  EXPECT_TRUE(result.out.ends_with(kPrompt));
}

TEST_F(Pause, PipedInputNeverEndsAWait) {
  TerminalOptions options;
  options.stdin_from_pipe = true;
  options.piped_input = "\n\r x\n";
  options.stdout_to_terminal = false;
  TerminalRun run(folder_, lay_out("e2e/invalid-name"), options);
  ASSERT_TRUE(run.waits_for_key(1, 300)) << "standard input ended the wait";
  run.type("\r");
  RunResult result = finish(run);
  // Standard output is a file: the window's clearing is not in it, and every
  // message is mirrored to the terminal through standard error.
  EXPECT_EQ(result.out, console());
  EXPECT_EQ(result.err, kClear + console());
}

TEST_F(Pause, BothStreamsInFilesTheWaitAndTheClearingStayOnTheTerminal) {
  TerminalOptions options;
  options.stdout_to_terminal = options.stderr_to_terminal = false;
  TerminalRun run(folder_, lay_out("e2e/invalid-name"), options);
  ASSERT_TRUE(run.waits_for_key(1));
  run.type("q");
  RunResult result = finish(run);
  EXPECT_EQ(result.out, console());
  EXPECT_EQ(result.err, console());
  EXPECT_EQ(run.terminal(), kClear);
}

TEST_F(Pause, UsageInAFileIsNotMirroredButStillWaits) {
  TerminalOptions options;
  options.stdout_to_terminal = false;
  TerminalRun run(folder_, lay_out("e2e/usage-none"), options);
  ASSERT_TRUE(run.waits_for_key(1));
  run.type("\r");
  RunResult result = finish(run);
  EXPECT_EQ(result.out, console());
  EXPECT_EQ(result.err, kClear);
  EXPECT_FALSE(result.report_exists);
}

// A background job must not clear, nor switch the mode of, the terminal that
// the foreground job is using; there is nobody at its keyboard to wait for.
TEST_F(Pause, BackgroundRunNeitherClearsNorWaits) {
  TerminalOptions options;
  options.background = true;
  options.stdout_to_terminal = options.stderr_to_terminal = false;
  options.timeout_seconds = 5;
  TerminalRun run(folder_, lay_out("special/two-waits"), options);
  EXPECT_EQ(finish(run).out, console());
  EXPECT_EQ(run.terminal(), "");
}

// The keyboard is the terminal's; the messages go to files, away from Wine's
// own rendering of them on the console.
class WineConsole : public TerminalWait {
 protected:
  void SetUp() override {
    if (!windows_build()) GTEST_SKIP() << "the Windows console exists only for the Windows build";
    options_.stdout_to_terminal = options_.stderr_to_terminal = false;
    options_.timeout_seconds = 60;
  }
  void expect_both_waits(TerminalRun& run) {
    RunResult result = finish(run);
    EXPECT_EQ(result.out, console());
    EXPECT_EQ(result.err, console());
  }
  TerminalOptions options_;
};

TEST_F(WineConsole, EachWaitEndsOnAKeyOfItsOwn) {
  TerminalRun run(folder_, lay_out("special/two-waits"), options_);
  ASSERT_TRUE(run.wait_for_prompt(1));
  EXPECT_TRUE(run.still_running_after(500));
  run.type("x");
  ASSERT_TRUE(run.wait_for_prompt(2));
  EXPECT_TRUE(run.still_running_after(500));
  run.type("\r");
  expect_both_waits(run);
}

TEST_F(WineConsole, AnArrowKeyEndsExactlyOneWait) {
  TerminalRun run(folder_, lay_out("special/two-waits"), options_);
  ASSERT_TRUE(run.wait_for_prompt(1));
  run.type("\x1b[A");
  ASSERT_TRUE(run.wait_for_prompt(2));
  EXPECT_TRUE(run.still_running_after(500)) << "the arrow ended the second wait as well";
  run.type(" ");
  expect_both_waits(run);
}

TEST_F(WineConsole, KeysTypedAheadEndOnlyTheFirstWait) {
  options_.typed_ahead = "ab\x1b[Acd\r";
  TerminalRun run(folder_, lay_out("special/two-waits"), options_);
  ASSERT_TRUE(run.wait_for_prompt(2));
  EXPECT_TRUE(run.still_running_after(500)) << "a typed-ahead key ended the second wait";
  run.type("q");
  expect_both_waits(run);
}

// The pending test looks at no more than twenty events: with more waiting it
// sees none, so nothing is thrown away and the next wait ends at once.
TEST_F(WineConsole, MoreThanTwentyPendingEventsAreNotThrownAway) {
  options_.typed_ahead = std::string(24, 'k') + "\r";
  TerminalRun run(folder_, lay_out("special/two-waits"), options_);
  expect_both_waits(run);
}

}  // namespace
}  // namespace codetal::test
