// The viewer at the end of a run that analysed a module: started from PATH
// with the report, never waited for, never taken from the working folder.
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "console_texts.h"
#include "harness.h"
#include "terminal_run.h"

namespace codetal::test {
namespace {

const std::string kModule =
    "Attribute VB_Name = \"Main\"\r\n"
    "Option Explicit\r\n"
    "\r\n"
    "Public Sub Main()\r\n"
    "    Dim i As Integer\r\n"
    "End Sub\r\n";

void write_script(const TempFolder& folder, const std::string& name, const std::string& body) {
  folder.write(name, "#!/bin/sh\n" + body);
  ASSERT_EQ(::chmod((folder / name).c_str(), 0755), 0);
}

// A stand-in viewer: records its arguments and working folder, keeps a copy
// of the report as it found it, then stays until the test releases it, so
// that a run that waited for it would never end.
void write_recording_viewer(const TempFolder& folder, const std::string& name) {
  folder.make_folder("viewer");
  const std::string state = "'" + folder / "viewer" + "'";
  write_script(folder, name,
               "{ printf '%s\\n' \"$#\" \"$@\"; pwd -P; } > " + state + "/record.part\n" +
                   "cp Codetal.log " + state + "/report 2>/dev/null\n" +  //
                   "mv " + state + "/record.part " + state + "/record\n" +
                   "i=0\n"
                   "while [ ! -e " +
                   state + "/release ] && [ $i -lt 600 ]; do sleep 0.05; i=$((i+1)); done\n" +
                   ": > " + state + "/done\n");
}

bool wait_for_file(const TempFolder& folder, const std::string& name) {
  for (int i = 0; i < 500 && !folder.exists(name); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  return folder.exists(name);
}

void prepare_module_run(const TempFolder& folder) {
  add_quiet_options(folder);  // the default viewer is NotePad.exe
  folder.write("m.bas", kModule);
}

TEST(Viewer, StartedFromPathWithTheFinishedReportAndNotWaitedFor) {
  TempFolder folder;
  prepare_module_run(folder);
  write_recording_viewer(folder, "bin/NotePad.exe");
  RunOptions options;
  options.path_env = folder / "bin" + ":/usr/bin:/bin";
  options.timeout_seconds = 15;
  RunResult result = run_codetal(folder, {"m.bas"}, options);
  folder.write("viewer/release", "");
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(result.out.ends_with(kCompletion)) << result.out;
  ASSERT_TRUE(wait_for_file(folder, "viewer/done"));
  // One argument, the report's name, and the run's folder as its own.
  EXPECT_EQ(folder.read("viewer/record"), "1\nCodetal.log\n" + folder.path() + "\n");
  // The report was closed, complete, before the viewer started.
  EXPECT_EQ(folder.read("viewer/report"), result.report_bytes);
  EXPECT_NE(report_body(result).find("m.bas \n"), std::string::npos);
}

// A "NotePad.exe" planted beside the analysed source must never run, however
// PATH names the working folder: ".", an empty entry, or a relative folder.
TEST(Viewer, NeverTakenFromTheWorkingFolder) {
  for (const char* search :
       {".:/usr/bin:/bin", ":/usr/bin:/bin", "/usr/bin::/bin", "tools:/usr/bin:/bin"}) {
    TempFolder folder;
    prepare_module_run(folder);
    folder.make_folder("state");
    const std::string planted = ": > '" + folder / "state/planted" + "'\n";
    write_script(folder, "NotePad.exe", planted);
    write_script(folder, "tools/NotePad.exe", planted);
    write_script(folder, "bin/NotePad.exe", ": > '" + folder / "state/started" + "'\n");
    RunOptions options;
    options.path_env = std::string(search) + ":" + folder / "bin";
    options.timeout_seconds = 30;
    RunResult result = run_codetal(folder, {"m.bas"}, options);
    EXPECT_EQ(result.status, 0) << search;
    // A run starts one viewer at most: the one from the absolute folder.
    EXPECT_TRUE(wait_for_file(folder, "state/started")) << search;
    EXPECT_FALSE(folder.exists("state/planted")) << search;
  }
}

// No viewer that can be started: the run ends at once, silently, with status
// 0 and no wait, even with a person at the terminal.
TEST(Viewer, NoneStartableEndsTheRunSilentlyWithoutAWait) {
  TempFolder folder;
  prepare_module_run(folder);
  folder.write("plain/NotePad.exe", "#!/bin/sh\n: > started\n");  // not executable
  folder.make_folder("folder/NotePad.exe");
  write_script(folder, "broken/NotePad.exe", "");
  folder.write("broken/NotePad.exe", "#!/no/such/interpreter\n");
  TerminalOptions options;
  options.path_env =
      folder / "plain" + ":" + folder / "folder" + ":" + folder / "broken" + ":/usr/bin:/bin";
  options.timeout_seconds = 10;
  // Wine's console renders what goes to the terminal: there the keyboard
  // alone is the terminal's, the messages go to files.
  options.stdout_to_terminal = options.stderr_to_terminal = !windows_build();
  TerminalRun run(folder, {"m.bas"}, options);
  RunResult result = run.finish();
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(result.out.ends_with(kCompletion)) << result.out;
  EXPECT_EQ(result.out.find(kPrompt), std::string::npos);
  EXPECT_FALSE(folder.exists("plain/started"));
}

}  // namespace
}  // namespace codetal::test
