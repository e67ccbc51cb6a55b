// Batch runs (/b) on a terminal: each end-to-end case that would wait for a
// key, run with /b added, ends without one, never clears the terminal and
// says exactly what the case expects of a run without a keyboard.
#include <gtest/gtest.h>

#include "cases.h"
#include "terminal_run.h"

namespace codetal::test {
namespace {

struct BatchCase {
  const char* name;       // waits: for the missing options file and at the
                          // end; at a failed module of a project; twice at a
                          // report that cannot be opened
  bool streams_to_files;  // 'codetal ... </dev/null >log 2>&1' on a terminal
};

TEST(BatchOnATerminal, EndsWithoutAKeyAndNeverClears) {
  const BatchCase cases[] = {{"e2e/options-missing", false},
                             {"e2e/project-missing-module", false},
                             {"special/two-waits", false},
                             {"e2e/project-missing-module", true}};
  for (const BatchCase& b : cases) {
    TempFolder folder;
    Case c = prepare_case(b.name, folder);
    c.args.push_back("/b");
    TerminalOptions options;
    // The Windows build's keyboard is Wine's console on the terminal; its
    // messages go to files, away from the console's own rendering.
    options.stdout_to_terminal = options.stderr_to_terminal =
        !(b.streams_to_files || windows_build());
    options.stdin_from_pipe = b.streams_to_files;
    options.timeout_seconds = windows_build() ? 60 : 10;
    TerminalRun run(folder, c.args, options);
    RunResult result = run.finish();
    EXPECT_EQ(result.status, std::stoi(read_file(c.dir + "/status"))) << b.name;
    EXPECT_TRUE(same_text(expected(c, "stdout"), masked(result.out))) << b.name;
    if (windows_build()) continue;
    EXPECT_TRUE(run.mode_restored()) << b.name;
    // Nothing but the messages reached the terminal: no clearing.
    EXPECT_EQ(run.terminal(), b.streams_to_files ? "" : result.out) << b.name;
  }
}

// A lone --version on a terminal: one line, no clearing, no options file
// looked for, no wait.
TEST(BatchOnATerminal, VersionPrintsOneLineAndNothingElse) {
  if (windows_build()) GTEST_SKIP() << "--version is an input name on Windows";
  TempFolder folder;
  TerminalOptions options;
  options.timeout_seconds = 10;
  TerminalRun run(folder, {"--version"}, options);
  RunResult result = run.finish();
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(run.terminal(), "codetal 1.1a\n");
  EXPECT_FALSE(result.report_exists);
}

}  // namespace
}  // namespace codetal::test
