// Unattended runs on a terminal (/b), --version, and the switch scan of an
// input name that holds folders.
#include <termios.h>

#include <gtest/gtest.h>

#include "console_texts.h"
#include "harness.h"
#include "terminal_run.h"

namespace codetal::test {
namespace {

struct BatchCase {
  const char* what;
  bool options_file;
  const char* project;  // app.vbp's text, when the run needs one
  std::vector<std::string> arguments;
  int status;
  std::string (*console)(const TempFolder&);
  bool streams_to_files;  // 'codetal ... </dev/null >log 2>&1' on a terminal
};

std::string missing_options(const TempFolder& f) {
  return kMissingOptions + kPrompt + banner(f.path()) + kInvalid + kCompletion + kPrompt;
}
std::string end_of_run(const TempFolder& f) {
  return banner(f.path()) + kInvalid + kCompletion + kPrompt;
}
std::string failed_module(const TempFolder& f) {
  return banner(f.path()) + unable_to_open("gone.bas") + kContinue + kCompletion + kPrompt;
}
std::string version(const TempFolder&) {
  return "codetal 1.1a\n";
}

const BatchCase kBatchCases[] = {
    {"missing options", false, nullptr, {"notes.txt", "/b"}, 2, missing_options, false},
    {"end of run", true, nullptr, {"notes.txt", "/B"}, 2, end_of_run, false},
    {"failed module", true, "Module=Gone; gone.bas\n", {"app.vbp", "/b"}, 2, failed_module, false},
    {"all redirected", false, "Module=Gone; gone.bas\n", {"APP.VBP", "/z", "/b"}, 2, nullptr, true},
    {"version", false, nullptr, {"--version"}, 0, version, false},
};

bool same_mode(const termios& a, const termios& b) {
  return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_lflag == b.c_lflag;
}

// Each place where a run would wait for a key passes at once, and the
// terminal is neither cleared nor switched out of its mode.
TEST(BatchOnATerminal, EndsWithoutAKeyAndNeverClears) {
  for (const BatchCase& c : kBatchCases) {
    if (windows_build() && c.console == version) continue;  // an input name there
    TempFolder folder;
    if (c.options_file) add_quiet_options(folder);
    if (c.project != nullptr) folder.write("app.vbp", c.project);
    TerminalOptions options;
    // The Windows build's keyboard is Wine's console on the terminal; its
    // messages go to files, away from the console's own rendering.
    options.stdout_to_terminal = options.stderr_to_terminal =
        !(c.streams_to_files || windows_build());
    options.stdin_from_pipe = c.streams_to_files;
    options.timeout_seconds = windows_build() ? 60 : 10;
    TerminalRun run(folder, c.arguments, options);
    RunResult result = run.finish();
    EXPECT_EQ(result.status, c.status) << c.what;
    if (c.console != nullptr) {
      EXPECT_EQ(result.out, c.console(folder)) << c.what;
    }
    if (windows_build()) continue;
    EXPECT_TRUE(same_mode(run.mode(), run.initial_mode())) << c.what;
    if (c.streams_to_files) {
      EXPECT_EQ(run.terminal(), "") << c.what;
      EXPECT_EQ(result.err, result.out) << c.what;
    } else {
      EXPECT_EQ(run.terminal(), result.out) << c.what;  // no clearing among it
    }
  }
}

// With the same switches, a batch run says and writes what a run without a
// keyboard says and writes. (No /z: its echo of the creation time could fall
// in another second.)
TEST(BatchRun, SameConsoleReportAndStatusAsWithoutIt) {
  TempFolder folder;
  add_quiet_options(folder);
  folder.write("app.vbp", "Module=Gone; gone.bas\nModule=M; m.bas\n");
  folder.write("m.bas", "Attribute VB_Name = \"M\"\nDim x As Long\n");
  RunResult plain = run_codetal(folder, {"app.vbp", "/v"});
  RunResult batch = run_codetal(folder, {"app.vbp", "/v", "/b"});
  EXPECT_EQ(batch.status, plain.status);
  EXPECT_EQ(batch.out, plain.out);
  EXPECT_EQ(batch.err, plain.err);
  EXPECT_EQ(report_body(batch), report_body(plain));
  EXPECT_TRUE(only_report_changed(batch));
}

TEST(Version, ALoneVersionRequestOnPosixAnInputNameOtherwise) {
  TempFolder folder;
  add_quiet_options(folder);
  RunResult lone = run_codetal(folder, {"--version"});
  RunResult second = run_codetal(folder, {"--version", "x.bas"});
  for (const RunResult* input : {windows_build() ? &lone : &second, &second}) {
    EXPECT_EQ(input->status, 2);
    EXPECT_NE(input->out.find(unable_to_open("--version")), std::string::npos);
  }
  if (windows_build()) return;
  EXPECT_EQ(lone.status, 0);
  EXPECT_EQ(lone.out, "codetal 1.1a\n");
  EXPECT_EQ(lone.err, "");
  EXPECT_TRUE(lone.changed_files.empty());
}

// Folder names of the input name are no switches on POSIX, whatever their
// first letter; the Windows build still scans them.
TEST(SwitchScan, FoldersOfTheInputNameTurnOnNothingOnPosix) {
  TempFolder folder;
  add_quiet_options(folder);
  folder.write("src/val/zoo/m.bas", "Attribute VB_Name = \"M\"\nDim x As Long\n");
  const std::string absolute = folder / "src/val/zoo/m.bas";
  const bool old_scan = windows_build();
  struct Case {
    std::vector<std::string> arguments;
    bool verbose;
    bool echo;
  };
  std::vector<Case> cases = {{{"src/val/zoo/m.bas"}, old_scan, old_scan},
                             {{"src/val/zoo/m.bas", "/v"}, true, old_scan}};
  if (!windows_build())
    cases.insert(cases.end(), {{{absolute}, false, false},
                               {{absolute, "/v"}, true, false},
                               {{absolute, "x", "/z"}, false, true}});
  for (const Case& c : cases) {
    RunResult result = run_codetal(folder, c.arguments);
    std::string name = c.arguments.front();  // the report shows it lower-cased
    for (char& ch : name) ch = static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch + 32 : ch);
    EXPECT_EQ(result.status, 0) << name;
    EXPECT_TRUE(result.out.starts_with(banner(folder.path(), c.verbose))) << name;
    EXPECT_EQ(result.out.find("Created by Codetal") != std::string::npos, c.echo) << name;
    EXPECT_NE(report_body(result).find(name + " \n"), std::string::npos) << name;
  }
}

}  // namespace
}  // namespace codetal::test
