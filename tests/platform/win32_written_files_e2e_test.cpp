// The Windows build under Wine: a console control event during a wait still
// ends the run. (Links and a hidden file in the report's place are data
// cases; Wine shows a POSIX link to a file as that file itself, so the
// refusal of links to files is tested on POSIX only.)
#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "harness.h"
#include "terminal_run.h"

namespace codetal::test {
namespace {

// Wine turns SIGINT into Ctrl+C sent to the program's console handlers; the
// handler of the wait lets it through to the default handling.
TEST(Win32WrittenFiles, ControlEventDuringAWaitEndsTheRun) {
  if (!windows_build()) GTEST_SKIP() << "Wine's console control events";
  TempFolder folder;
  folder.write("Codetal.INI", "[Codetal ]\n");
  TerminalOptions options;
  options.stdout_to_terminal = false;
  options.stderr_to_terminal = false;
  options.timeout_seconds = 60;
  TerminalRun run(folder, {"notes.txt"}, options);
  ASSERT_TRUE(run.wait_for_prompt());
  ASSERT_TRUE(run.still_running_after(500));
  run.send_signal(SIGINT);
  EXPECT_FALSE(run.still_running_after(10000));
  RunResult result = run.finish();
  EXPECT_NE(result.status, 2) << "the run went on as if a key had ended the wait";
}

}  // namespace
}  // namespace codetal::test
