// The wait for a key and the clearing of the window, seen on a real
// (pseudo-)terminal: which keys end a wait, that nothing else does, where
// the messages and the clearing go, and that the terminal is left as it was
// found, also when a signal comes during the wait. The Windows build is
// watched on the console that Wine gives a program started on a terminal:
// keys typed there arrive as console input events, so the console calls of
// the wait are exercised for real.
#include <signal.h>
#include <string.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <sstream>

#include "cases.h"
#include "terminal_run.h"
#include "test_data.h"

namespace codetal::test {
namespace {

const std::string kClear = "\x1b[H\x1b[2J";

using Row = std::vector<std::string>;

// The options of a row of tests/data/special/key-waits.txt (see there).
TerminalOptions options_of(const std::string& words, std::vector<std::string>& args) {
  TerminalOptions options;
  std::istringstream in(words);
  for (std::string word; in >> word;) {
    const std::string value = word.substr(std::min(word.find('=') + 1, word.size()));
    options.stdout_to_terminal &= word != "files" && word != "out-file";
    options.stderr_to_terminal &= word != "files";
    if (word == "background") options.job = TerminalOptions::Job::kBackground;
    if (word.starts_with("pipe=")) options.piped_input = value;
    if (word.starts_with("ahead=")) options.typed_ahead = value;
    if (word.starts_with("arg=")) args.push_back(value);
  }
  return options;
}

class KeyWait : public ::testing::TestWithParam<Row> {};

TEST_P(KeyWait, EndsOnItsKeysShowsWhatItShouldAndRestoresTheMode) {
  const Row& row = GetParam();
  const bool wine = windows_build();
  if (row.at(1) == (wine ? "posix" : "wine")) GTEST_SKIP() << "not a run of this build";
  TempFolder folder;
  Case c = prepare_case(row.at(2), folder);
  TerminalOptions options = options_of(row.at(3), c.args);
  options.path_env = c.options.path_env;
  if (wine) options.stdout_to_terminal = options.stderr_to_terminal = false;
  options.timeout_seconds = wine ? 60 : row.at(4).empty() ? 5 : 20;
  std::vector<std::string> keys, shows;
  std::istringstream key_list(row[4]), show_list(wine ? "T T" : row.at(5));
  for (std::string key; std::getline(key_list, key, ',');) keys.push_back(key);
  for (std::string show; show_list >> show;) shows.push_back(show);
  const std::string console = expected(c, "stdout");
  const std::size_t first_prompt = console.find(kPrompt) + kPrompt.size();
  auto text = [&](const std::string& pattern) {
    std::string all;
    for (char part : pattern)
      all += part == 'C'   ? kClear
             : part == 'T' ? console
             : part == 'W' ? console.substr(0, first_prompt)
             : part == 'R' ? console.substr(first_prompt)
             : part == 'E' ? replaced(replaced(options.typed_ahead, "\x1b", "^["), "\r", "\n")
                           : "";
    return all;
  };
  TerminalRun run(folder, c.args, options);
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (keys[i].empty()) continue;
    // Every wait lasts until its key comes.
    ASSERT_TRUE(wine ? run.wait_for_prompt(i + 1) && run.still_running_after(500)
                     : run.waits_for_key(i + 1, 300))
        << "wait " << i + 1;
    if (!wine) {
      EXPECT_EQ(run.mode().c_lflag & ISIG, 0u);
    }
    if (i == 0 && shows.size() > 3) {
      EXPECT_EQ(run.terminal(), text(shows[3]));
    }
    // "|" parts a key's bytes into writes a few milliseconds apart.
    std::istringstream writes(keys[i]);
    for (std::string part; std::getline(writes, part, '|');) {
      run.type(part);
      ::usleep(5000);
    }
  }
  RunResult result = run.finish();
  EXPECT_EQ(result.status, std::stoi(read_file(c.dir + "/status")));
  EXPECT_EQ(masked(result.out), text(shows.at(0)));
  EXPECT_EQ(masked(result.err), text(shows.at(1)));
  if (std::filesystem::exists(c.dir + "/report")) {
    EXPECT_TRUE(same_text(expected(c, "report"), masked(result.report)));
  } else {
    EXPECT_FALSE(result.report_exists);
  }
  if (wine) return;
  EXPECT_EQ(run.terminal(), text(shows.at(2)));
  EXPECT_TRUE(run.mode_restored());
}

INSTANTIATE_TEST_SUITE_P(Terminal, KeyWait,
                         ::testing::ValuesIn(read_table("special/key-waits.txt")),
                         [](const auto& row) { return row.param.at(0); });

// Signals reaching a run of "e2e/invalid-name" while it waits: the mode is
// put back before the run ends or stops, the run ends by the signal that
// ended it, and a run continued while its wait is pending waits on raw.
// Under Wine, SIGINT becomes Ctrl+C for the console's handlers, which the
// wait's handler lets through to the default handling.
class SignalsDuringAWait : public ::testing::Test {
 protected:
  void SetUp() override { c_ = prepare_case("e2e/invalid-name", folder_); }
  // Starts a run (ending the one before) and waits until its wait for a key
  // has begun.
  void start(TerminalOptions options = {}) {
    if (windows_build()) {
      options.stdout_to_terminal = options.stderr_to_terminal = false;
      options.timeout_seconds = 60;
    }
    run_.emplace(folder_, c_.args, options);
    ASSERT_TRUE(run_->wait_for_prompt());
    ASSERT_TRUE(windows_build() ? run_->still_running_after(500) : run_->wait_for_key_wait());
  }
  // A key ends the wait and the run as usual.
  void end_with_a_key() {
    run_->type("x");
    RunResult result = run_->finish();
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, kClear + expected(c_, "stdout"));
    EXPECT_TRUE(run_->mode_restored());
  }
  TempFolder folder_;
  Case c_;
  std::optional<TerminalRun> run_;
};

TEST_F(SignalsDuringAWait, EndingSignalRestoresTheModeThenEndsTheRunByThatSignal) {
  const bool wine = windows_build();
  for (int sig : wine ? std::vector{SIGINT} : std::vector{SIGTERM, SIGHUP, SIGQUIT, SIGINT}) {
    SCOPED_TRACE(::strsignal(sig));
    start();
    run_->send_signal(sig);
    if (wine) {
      EXPECT_FALSE(run_->still_running_after(10000));
      EXPECT_NE(run_->finish().status, 2) << "the run went on as if a key had ended the wait";
      continue;
    }
    run_->finish();
    EXPECT_EQ(run_->ending_signal(), sig);
    EXPECT_TRUE(run_->mode_restored());
  }
}

// Ignored when the run began (nohup), a signal neither ends the wait nor
// changes the mode; a stop signal to a group that nobody can continue is
// dropped by the kernel, with the same result.
TEST_F(SignalsDuringAWait, IgnoredSignalsAndADroppedStopLeaveTheWaitRaw) {
  if (windows_build()) GTEST_SKIP() << "POSIX signals and terminal modes";
  for (bool ignored : {true, false}) {
    SCOPED_TRACE(ignored ? "ignored" : "dropped stop");
    TerminalOptions options;
    if (ignored) options.ignored_signals = {SIGHUP, SIGTERM};
    start(options);
    for (int sig : ignored ? std::vector{SIGHUP, SIGTERM} : std::vector{SIGTSTP})
      run_->send_signal(sig);
    EXPECT_TRUE(run_->still_running_after(300));
    EXPECT_EQ(run_->mode().c_lflag & (ICANON | ECHO | ISIG), 0u);
    end_with_a_key();
  }
}

// Stopped, the shell gets its terminal back cooked; continued, the run waits
// on in raw mode, for one key. Twice, since the handler must be in place
// again after the first stop.
TEST_F(SignalsDuringAWait, StopGivesTheModeBackAndContinueMakesItRawAgain) {
  if (windows_build()) GTEST_SKIP() << "POSIX signals and terminal modes";
  start({.job = TerminalOptions::Job::kForeground});
  for (int round = 1; round <= 2; ++round) {
    SCOPED_TRACE(round);
    run_->send_signal(SIGTSTP);
    ASSERT_TRUE(run_->wait_until_stopped());
    EXPECT_TRUE(run_->mode_restored());
    run_->send_signal(SIGCONT);
    ASSERT_TRUE(run_->wait_for_key_wait());
    EXPECT_TRUE(run_->still_running_after(200));
  }
  end_with_a_key();
}

// A stop during a wait in the middle of a run (a project's missing module)
// ends it by its signal, as ever; the report, written up to the wait, ends
// with the note that the run was stopped before it completed.
TEST(StopDuringAWait, EndsTheRunAndTheReportSaysSo) {
  if (windows_build()) GTEST_SKIP() << "POSIX signals";
  TempFolder folder;
  Case c = prepare_case("e2e/batch-project-missing-module", folder);
  std::erase(c.args, "/b");
  TerminalRun run(folder, c.args, {});
  ASSERT_TRUE(run.wait_for_prompt());
  ASSERT_TRUE(run.wait_for_key_wait());
  run.send_signal(SIGTERM);
  const RunResult result = run.finish();
  EXPECT_EQ(run.ending_signal(), SIGTERM);
  EXPECT_NE(result.report.find("Form1.frm"), std::string::npos);
  EXPECT_TRUE(result.report.ends_with("\nCodetal==>  The run was stopped before it completed \n"))
      << result.report;
}

}  // namespace
}  // namespace codetal::test
