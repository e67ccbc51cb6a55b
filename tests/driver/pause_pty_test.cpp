// The wait for a key and the clearing of the window, seen on a real
// (pseudo-)terminal: which keys end a wait, that nothing else does, and that
// the terminal is left as it was found.
#include <termios.h>

#include <gtest/gtest.h>

#include "console_texts.h"
#include "harness.h"
#include "terminal_run.h"

namespace codetal::test {
namespace {

const std::string kClear = "\x1b[H\x1b[2J";
const std::string kOpenFailure =
    "Codetal==>  Unable to open Codetal.log for writing \n"
    "Codetal==>  The disk is probably full \n"
    "Codetal==>  Program will continue \n";

// 'notes.txt' is no input kind: the run completes and waits once at its end.
std::string one_wait_console(const TempFolder& folder) {
  return banner(folder.path()) + kInvalid + kCompletion + kPrompt;
}

// A folder in the report's place makes the closing write warn and wait, so
// the run waits twice.
void prepare_two_waits(const TempFolder& folder) {
  add_quiet_options(folder);
  folder.make_folder("Codetal.log");
}
std::string two_wait_console(const TempFolder& folder) {
  return banner(folder.path()) + kInvalid + kCompletion + kOpenFailure + kPrompt + kPrompt;
}

bool same_mode(const termios& a, const termios& b) {
  return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
         a.c_lflag == b.c_lflag && a.c_cc[VMIN] == b.c_cc[VMIN] && a.c_cc[VTIME] == b.c_cc[VTIME] &&
         a.c_cc[VINTR] == b.c_cc[VINTR];
}

class Pause : public ::testing::Test {
 protected:
  void SetUp() override {
    if (windows_build()) GTEST_SKIP() << "the POSIX terminal is not the Windows console";
  }
};

TEST_F(Pause, AKeyEndsTheWaitUnechoedAndTheModeIsRestored) {
  TempFolder folder;
  add_quiet_options(folder);
  TerminalRun run(folder, {"notes.txt"});
  ASSERT_TRUE(run.wait_for_prompt());
  ASSERT_TRUE(run.wait_for_key_wait());
  EXPECT_EQ(run.mode().c_lflag & ISIG, 0u);
  EXPECT_TRUE(run.still_running_after(200));
  run.type("x");
  RunResult result = run.finish();
  EXPECT_EQ(result.status, 2);
  // On the terminal each message appears once, after the cleared window.
  EXPECT_EQ(result.out, kClear + one_wait_console(folder));
  EXPECT_TRUE(same_mode(run.mode(), run.initial_mode()));
}

TEST_F(Pause, AnArrowKeyEndsExactlyOneWait) {
  TempFolder folder;
  prepare_two_waits(folder);
  TerminalRun run(folder, {"notes.txt"});
  ASSERT_TRUE(run.wait_for_prompt(1));
  ASSERT_TRUE(run.wait_for_key_wait());
  run.type("\x1b[A");
  ASSERT_TRUE(run.wait_for_prompt(2));
  ASSERT_TRUE(run.wait_for_key_wait());
  EXPECT_TRUE(run.still_running_after(300)) << "the rest of the arrow ended the second wait";
  run.type("\r");
  RunResult result = run.finish();
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, kClear + two_wait_console(folder));
  EXPECT_TRUE(same_mode(run.mode(), run.initial_mode()));
}

// Without an options file the run warns, waits, and clears the window once
// the key has come, before its banner.
TEST_F(Pause, MissingOptionsWaitThenTheWindowIsClearedAgain) {
  const std::string missing_options =
      "Codetal==>  Unable to open C:\\RUK\\Codetal.INI for reading \n"
      "Codetal==>  The Codetal.INI file must be placed \n"
      "Codetal==>  in C:\\Codetal\\ directory to be used. \n\n"
      "Codetal==>  Codetal will continue; using internal defaults and  \n"
      "Codetal==>  Command Line Options as parameters \n\n";
  TempFolder folder;
  TerminalRun run(folder, {"notes.txt"});
  ASSERT_TRUE(run.wait_for_prompt(1));
  ASSERT_TRUE(run.wait_for_key_wait());
  EXPECT_TRUE(run.still_running_after(200));
  EXPECT_EQ(run.terminal(), kClear + missing_options + kPrompt);
  run.type("\r");
  ASSERT_TRUE(run.wait_for_prompt(2));
  ASSERT_TRUE(run.wait_for_key_wait());
  run.type("\r");
  RunResult result = run.finish();
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, kClear + missing_options + kPrompt + kClear + one_wait_console(folder));
  EXPECT_TRUE(same_mode(run.mode(), run.initial_mode()));
}

TEST_F(Pause, KeysTypedAheadEndOnlyTheFirstWait) {
  TempFolder folder;
  prepare_two_waits(folder);
  TerminalOptions options;
  options.typed_ahead = "ab\x1b[Acd\r";
  TerminalRun run(folder, {"notes.txt"}, options);
  ASSERT_TRUE(run.wait_for_prompt(2));
  ASSERT_TRUE(run.wait_for_key_wait());
  EXPECT_TRUE(run.still_running_after(300)) << "a typed-ahead key ended the second wait";
  run.type(" ");
  RunResult result = run.finish();
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.out.find(two_wait_console(folder)), std::string::npos);
  EXPECT_TRUE(same_mode(run.mode(), run.initial_mode()));
}

// With signal keys switched off for the wait, Ctrl+C, Ctrl+\ and Ctrl+Z are
// keys like any other: the run neither dies nor stops, and goes on to its end.
TEST_F(Pause, ControlKeysEndTheWaitAndTheRunGoesOn) {
  TempFolder folder;
  prepare_two_waits(folder);
  // Every report text now warns and waits, the first one before completion.
  TerminalRun run(folder, {"missing.bas"});
  const std::string keys[] = {"\x03", "\x1c", "\x1a"};
  int prompts = 0;
  while (run.wait_for_prompt(prompts + 1)) {
    ASSERT_TRUE(run.wait_for_key_wait());
    run.type(prompts < 3 ? keys[prompts] : "\r");
    ++prompts;
  }
  RunResult result = run.finish();
  EXPECT_EQ(result.status, 2);
  EXPECT_GE(prompts, 4);
  std::size_t first_prompt = result.out.find(kPrompt);
  EXPECT_LT(first_prompt, result.out.find(kCompletion));
  EXPECT_TRUE(result.out.ends_with(kPrompt));
  EXPECT_TRUE(same_mode(run.mode(), run.initial_mode()));
}

TEST_F(Pause, PipedInputNeverEndsAWait) {
  TempFolder folder;
  add_quiet_options(folder);
  TerminalOptions options;
  options.stdin_from_pipe = true;
  options.piped_input = "\n\r x\n";
  options.stdout_to_terminal = false;
  TerminalRun run(folder, {"notes.txt"}, options);
  ASSERT_TRUE(run.wait_for_prompt());
  ASSERT_TRUE(run.wait_for_key_wait());
  EXPECT_TRUE(run.still_running_after(300)) << "standard input ended the wait";
  run.type("\r");
  RunResult result = run.finish();
  EXPECT_EQ(result.status, 2);
  // Standard output is a file: the window's clearing is not in it, and every
  // message is mirrored to the terminal through standard error.
  EXPECT_EQ(result.out, one_wait_console(folder));
  EXPECT_EQ(result.err, kClear + one_wait_console(folder));
}

TEST_F(Pause, BothStreamsInFilesTheWaitAndTheClearingStayOnTheTerminal) {
  TempFolder folder;
  add_quiet_options(folder);
  TerminalOptions options;
  options.stdout_to_terminal = false;
  options.stderr_to_terminal = false;
  TerminalRun run(folder, {"notes.txt"}, options);
  ASSERT_TRUE(run.wait_for_prompt());
  ASSERT_TRUE(run.wait_for_key_wait());
  EXPECT_TRUE(run.still_running_after(200));
  run.type("q");
  RunResult result = run.finish();
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, one_wait_console(folder));
  EXPECT_EQ(result.err, one_wait_console(folder));
  EXPECT_EQ(run.terminal(), kClear);
}

TEST_F(Pause, UsageInAFileIsNotMirroredButStillWaits) {
  TempFolder folder;
  TerminalOptions options;
  options.stdout_to_terminal = false;
  TerminalRun run(folder, {}, options);
  ASSERT_TRUE(run.wait_for_prompt());
  ASSERT_TRUE(run.wait_for_key_wait());
  EXPECT_TRUE(run.still_running_after(200));
  run.type("\r");
  RunResult result = run.finish();
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, kUsage);
  EXPECT_EQ(result.err, kClear);
  EXPECT_FALSE(result.report_exists);
}

// A background job must not clear, nor switch the mode of, the terminal that
// the foreground job is using; there is nobody at its keyboard to wait for.
TEST_F(Pause, BackgroundRunNeitherClearsNorWaits) {
  TempFolder folder;
  prepare_two_waits(folder);
  TerminalOptions options;
  options.background = true;
  options.stdout_to_terminal = false;
  options.stderr_to_terminal = false;
  options.timeout_seconds = 5;
  TerminalRun run(folder, {"notes.txt"}, options);
  RunResult result = run.finish();
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, two_wait_console(folder));
  EXPECT_EQ(run.terminal(), "");
  EXPECT_TRUE(same_mode(run.mode(), run.initial_mode()));
}

}  // namespace
}  // namespace codetal::test
