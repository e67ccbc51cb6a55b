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

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "cases.h"
#include "terminal_run.h"

namespace codetal::test {
namespace {

const std::string kClear = "\x1b[H\x1b[2J";

enum Builds { kPosix, kBoth, kWine };

struct KeyRun {
  const char* what;
  Builds builds;
  const char* name;  // the case laid out, under tests/data
  TerminalOptions options;
  // One key a wait, in order; "" for a wait that a typed-ahead key ends.
  std::vector<std::string> keys;
  // What standard output and error hold and what the terminal shows (POSIX;
  // under Wine both streams go to files and hold the console): C the
  // clearing, T the case's console, W its text up to the first prompt, R the
  // rest, E the typed-ahead keys' echo.
  const char* out;
  const char* err;
  const char* terminal;
  const char* at_first_wait = "";  // the terminal then, when given
  const char* argument = nullptr;  // added to the case's arguments
};

void PrintTo(const KeyRun& k, std::ostream* os) {
  *os << k.what;
}

TerminalOptions to_files(TerminalOptions options) {
  options.stdout_to_terminal = options.stderr_to_terminal = false;
  return options;
}

const TerminalOptions kAhead = to_files({.typed_ahead = "ab\x1b[Acd\r"});

// 'notes.txt' is no input kind ("e2e/invalid-name"): the run completes and
// waits once at its end; "special/two-waits" has a folder in the report's
// place, so the closing write warns and waits too.
const KeyRun kKeyRuns[] = {
    {"a key", kPosix, "e2e/invalid-name", {}, {"x"}, "CT", "CT", "CT"},
    {"an arrow ends one wait", kBoth, "special/two-waits", {}, {"\x1b[A", "\r"}, "CT", "CT", "CT"},
    // Without an options file the run warns, waits, and clears the window
    // once the key has come, before its banner.
    {"no options", kPosix, "e2e/options-missing", {}, {"\r", "\r"}, "CWCR", "CWCR", "CWCR", "CW"},
    {"typed ahead", kBoth, "special/two-waits", kAhead, {"", " "}, "T", "T", "EC"},
    // With signal keys switched off for the wait, Ctrl+C, Ctrl+\ and Ctrl+Z
    // are keys like any other: the run neither dies nor stops.
    {"control keys",
     kPosix,
     "special/two-waits-missing-module",
     {},
     {"\x03", "\x1c", "\x1a", "\r", "\r", "\r"},
     "CT",
     "CT",
     "CT"},
    // Standard output in a file: messages mirrored to the terminal through
    // standard error, and piped input never ends a wait.
    {"piped input",
     kPosix,
     "e2e/invalid-name",
     {.stdout_to_terminal = false, .stdin_from_pipe = true, .piped_input = "\n\r x\n"},
     {"\r"},
     "T",
     "CT",
     "CT"},
    {"both in files", kPosix, "e2e/invalid-name", to_files({}), {"q"}, "T", "T", "C"},
    {"usage in a file",
     kPosix,
     "e2e/usage-none",
     {.stdout_to_terminal = false},
     {"\r"},
     "T",
     "C",
     "C"},
    // A background job must not clear, nor switch the mode of, the terminal
    // that the foreground job is using; there is nobody at its keyboard.
    {"background", kPosix, "special/two-waits", to_files({.background = true}), {}, "T", "T", ""},
    // A batch run (/b) ends without a key and never clears the terminal,
    // also with standard input a pipe and both streams in files.
    {"batch no options", kBoth, "e2e/options-missing", {}, {}, "T", "T", "T", "", "/b"},
    {"batch failed module", kBoth, "e2e/project-missing-module", {}, {}, "T", "T", "T", "", "/b"},
    {"batch two waits", kBoth, "special/two-waits", {}, {}, "T", "T", "T", "", "/b"},
    {"batch in files",
     kBoth,
     "e2e/project-missing-module",
     to_files({.stdin_from_pipe = true}),
     {},
     "T",
     "T",
     "",
     "",
     "/b"},
    // No viewer that can be started (not executable, a folder, a broken
    // interpreter): the run ends at once, silently, without a wait.
    {"no viewer startable", kBoth, "e2e/viewer-none-startable", {}, {}, "CT", "CT", "CT"},
    // The pending test looks at no more than twenty events: with more
    // waiting it sees none, so nothing is thrown away and the next wait ends
    // at once.
    {"over twenty pending",
     kWine,
     "special/two-waits",
     to_files({.typed_ahead = std::string(24, 'k') + "\r"}),
     {},
     "T",
     "T",
     ""},
};

class KeyWait : public ::testing::TestWithParam<KeyRun> {};

TEST_P(KeyWait, EndsOnItsKeysShowsWhatItShouldAndRestoresTheMode) {
  const KeyRun& k = GetParam();
  const bool wine = windows_build();
  if (k.builds == (wine ? kPosix : kWine)) GTEST_SKIP() << "not a run of this build";
  TempFolder folder;
  Case c = prepare_case(k.name, folder);
  if (k.argument != nullptr) c.args.push_back(k.argument);
  TerminalOptions options = wine ? to_files(k.options) : k.options;
  options.path_env = c.options.path_env;
  options.timeout_seconds = wine ? 60 : k.keys.empty() ? 5 : 20;
  const std::string console = expected(c, "stdout");
  const std::size_t first_prompt = console.find(kPrompt) + kPrompt.size();
  auto text = [&](const char* pattern) {
    std::string all;
    for (const char* at = pattern; *at != '\0'; ++at)
      all += *at == 'C'   ? kClear
             : *at == 'T' ? console
             : *at == 'W' ? console.substr(0, first_prompt)
             : *at == 'R' ? console.substr(first_prompt)
                          : replaced(replaced(options.typed_ahead, "\x1b", "^["), "\r", "\n");
    return all;
  };
  TerminalRun run(folder, c.args, options);
  for (std::size_t i = 0; i < k.keys.size(); ++i) {
    if (k.keys[i].empty()) continue;
    // Every wait lasts until its key comes.
    ASSERT_TRUE(wine ? run.wait_for_prompt(i + 1) && run.still_running_after(500)
                     : run.waits_for_key(i + 1, 300))
        << "wait " << i + 1;
    if (!wine) {
      EXPECT_EQ(run.mode().c_lflag & ISIG, 0u);
    }
    if (i == 0 && *k.at_first_wait != '\0') {
      EXPECT_EQ(run.terminal(), text(k.at_first_wait));
    }
    run.type(k.keys[i]);
  }
  RunResult result = run.finish();
  EXPECT_EQ(result.status, std::stoi(read_file(c.dir + "/status")));
  EXPECT_EQ(result.out, text(wine ? "T" : k.out));
  EXPECT_EQ(result.err, text(wine ? "T" : k.err));
  if (std::filesystem::exists(c.dir + "/report")) {
    EXPECT_TRUE(same_text(expected(c, "report"), masked(result.report)));
  } else {
    EXPECT_FALSE(result.report_exists);
  }
  if (wine) return;
  EXPECT_EQ(run.terminal(), text(k.terminal));
  EXPECT_TRUE(run.mode_restored());
}

INSTANTIATE_TEST_SUITE_P(Terminal, KeyWait, ::testing::ValuesIn(kKeyRuns), [](const auto& row) {
  std::string name = row.param.what;
  for (char& ch : name) ch = ch == ' ' ? '_' : ch;
  return name;
});

bool is_raw(const termios& mode) {
  return (mode.c_lflag & (ICANON | ECHO | ISIG)) == 0;
}

// Signals reaching a run of "e2e/invalid-name" while it waits: the mode is
// put back before the run ends or stops, the run ends by the signal that
// ended it, and a run continued while its wait is pending waits on raw.
class SignalsDuringAWait : public ::testing::Test {
 protected:
  void SetUp() override {
    if (windows_build()) GTEST_SKIP() << "POSIX signals and terminal modes";
    c_ = prepare_case("e2e/invalid-name", folder_);
  }
  // Starts a run and waits until its wait for a key has begun.
  void start(const TerminalOptions& options = {}) {
    run_.emplace(folder_, c_.args, options);
    ASSERT_TRUE(run_->wait_for_prompt());
    ASSERT_TRUE(run_->wait_for_key_wait());
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
  for (int sig : {SIGTERM, SIGHUP, SIGQUIT, SIGINT}) {
    SCOPED_TRACE(::strsignal(sig));
    start();
    run_->send_signal(sig);
    run_->finish();
    EXPECT_EQ(run_->ending_signal(), sig);
    EXPECT_TRUE(run_->mode_restored());
    run_.reset();
  }
}

// Ignored when the run began (nohup), a signal neither ends the wait nor
// changes the mode; a stop signal to a group that nobody can continue is
// dropped by the kernel, with the same result.
TEST_F(SignalsDuringAWait, IgnoredSignalsAndADroppedStopLeaveTheWaitRaw) {
  for (bool ignored : {true, false}) {
    SCOPED_TRACE(ignored ? "ignored" : "dropped stop");
    TerminalOptions options;
    if (ignored) options.ignored_signals = {SIGHUP, SIGTERM};
    start(options);
    for (int sig : ignored ? std::vector{SIGHUP, SIGTERM} : std::vector{SIGTSTP})
      run_->send_signal(sig);
    EXPECT_TRUE(run_->still_running_after(300));
    EXPECT_TRUE(is_raw(run_->mode()));
    end_with_a_key();
    run_.reset();
  }
}

// Stopped, the shell gets its terminal back cooked; continued, the run waits
// on in raw mode, for one key. Twice, since the handler must be in place
// again after the first stop.
TEST_F(SignalsDuringAWait, StopGivesTheModeBackAndContinueMakesItRawAgain) {
  start({.foreground_job = true});
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

}  // namespace
}  // namespace codetal::test
