// The driver seen from outside: usage, banner, switches, input names, the
// console mirror and the report file's failures.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "console_texts.h"
#include "harness.h"

namespace codetal::test {
namespace {

TEST(DriverUsage, ShownForHelpFormsWithStatusOneAndNoReport) {
  for (std::vector<std::string> arguments :
       {std::vector<std::string>{}, {"/?"}, {"/?x"}, {"/help"}, {"/H"}, {"--help"}, {"-h"}}) {
    TempFolder folder;
    RunResult result = run_codetal(folder, arguments);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, kUsage);
    EXPECT_EQ(result.err, "");  // the usage comes before the mirror test
    EXPECT_FALSE(result.report_exists);
  }
}

TEST(DriverUsage, ExistingReportIsLeftUntouched) {
  TempFolder folder;
  folder.write("Codetal.log", "old report\n");
  RunResult result = run_codetal(folder, {"/?"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.report, "old report\n");
}

TEST(DriverUsage, TwoArgumentsAreNotUsage) {
  TempFolder folder;
  add_quiet_options(folder);
  RunResult result = run_codetal(folder, {"/h", "x.bas"});
  EXPECT_EQ(result.status, 2);  // the module named "/h" could not be analysed
  EXPECT_NE(result.out.find("Codetal==>  Unable to open /h for reading \n"), std::string::npos);
  EXPECT_EQ(report_body(result), kHeadings + "/h \n");
}

TEST(DriverInput, InvalidNameGivesHeaderOnlyReportAndStatusTwo) {
  TempFolder folder;
  add_quiet_options(folder);
  RunResult result = run_codetal(folder, {"notes.txt"});
  std::string expected = banner(folder.path()) + kInvalid + kCompletion + kPrompt;
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, expected);
  EXPECT_EQ(result.err, expected);  // standard output is a file: mirrored
  EXPECT_TRUE(header_is_well_formed(result.report));
  EXPECT_EQ(report_body(result), "");
}

// The banner names the folder the run works in; a "%" in it is shown as is.
TEST(DriverInput, BannerNamesTheWorkingFolderAndTheReportIsWrittenThere) {
  TempFolder folder;
  const std::string work = "work 100%s %d";
  folder.make_folder(work);
  folder.write(work + "/Codetal.INI", "[Codetal ]\n");
  RunOptions options;
  options.folder = work;
  RunResult result = run_codetal(folder, {"notes.txt"}, options);
  EXPECT_EQ(result.out, banner(folder / work) + kInvalid + kCompletion + kPrompt);
  EXPECT_EQ(report_body(result), "");
  EXPECT_FALSE(folder.exists("Codetal.log"));
}

// The kind comes from the final path component and its last "."; the name
// is lower-cased before it is used anywhere.
TEST(DriverInput, ModuleNamesWithDotsInFoldersAreSingleModules) {
  for (const char* name : {".\\MAIN.BAS", "My.Proj\\main.bas", "MyForm.FRM", "readme"}) {
    TempFolder folder;
    add_quiet_options(folder);
    RunResult result = run_codetal(folder, {name});
    std::string lower = name;
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    EXPECT_EQ(report_body(result), kHeadings + lower + " \n") << name;
    EXPECT_EQ(result.out.find(kInvalid), std::string::npos) << name;
  }
}

// A project or group that cannot be read ends the run at once: no completion
// and no report, status 2, and the console holds everything said until then.
TEST(DriverInput, UnreadableProjectEndsTheRunAtOnceWithNothingLost) {
  for (const char* name : {"app.vbp", "APP.VBG", "*.vbp"}) {
    TempFolder folder;
    add_quiet_options(folder);
    RunResult result = run_codetal(folder, {name});
    EXPECT_EQ(result.status, 2) << name;
    EXPECT_TRUE(result.out.starts_with(banner(folder.path()))) << name;
    EXPECT_EQ(result.out.find(kCompletion), std::string::npos) << name;
    EXPECT_EQ(result.err, result.out) << name;
    EXPECT_FALSE(result.report_exists) << name;
  }
}

TEST(DriverInput, MirrorIsOffWhenStandardOutputIsACharacterDevice) {
  TempFolder folder;
  add_quiet_options(folder);
  RunOptions options;
  options.stdout_to_dev_null = true;
  RunResult result = run_codetal(folder, {"notes.txt"}, options);
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "");
}

// A reader that went away ('codetal app.vbg | head') ends neither the run
// nor its report; the user still sees everything through the mirror.
TEST(DriverStreams, StandardOutputWithoutAReaderDoesNotEndTheRun) {
  TempFolder folder;
  add_quiet_options(folder);
  RunOptions options;
  options.stdout_to_closed_pipe = true;
  RunResult result = run_codetal(folder, {"notes.txt"}, options);
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, banner(folder.path()) + kInvalid + kCompletion + kPrompt);
  EXPECT_EQ(report_body(result), "");
}

// Without standard output the report must not take its place: console text
// never lands in "Codetal.log".
TEST(DriverStreams, ClosedStandardOutputKeepsConsoleTextOutOfTheReport) {
  TempFolder folder;
  add_quiet_options(folder);
  RunOptions options;
  options.stdout_closed = true;
  RunResult result = run_codetal(folder, {"missing.bas"}, options);
  EXPECT_EQ(report_body(result), kHeadings + "missing.bas \n");
  EXPECT_TRUE(result.err.starts_with(banner(folder.path())));
  EXPECT_TRUE(result.err.ends_with(kCompletion + kPrompt));
}

TEST(DriverSwitches, VerboseModeAddsOneBannerLine) {
  TempFolder folder;
  add_quiet_options(folder);
  RunResult verbose = run_codetal(folder, {"x.txt", "/V"});
  EXPECT_EQ(verbose.out, banner(folder.path(), true) + kInvalid + kCompletion + kPrompt);
}

TEST(DriverSwitches, AfterTheFirstSlashEveryWordIsASwitch) {
  TempFolder folder;
  add_quiet_options(folder);
  // 'zero' has no "/" of its own and still turns on the echo.
  RunResult zero = run_codetal(folder, {"x.bas", "/v", "zero"});
  std::string header = zero.report.substr(0, 44);
  EXPECT_TRUE(zero.out.starts_with(banner(folder.path(), true) + header + kHeadings + "x.bas \n"))
      << zero.out;
  EXPECT_EQ(report_body(zero), kHeadings + "x.bas \n");
  // With no report text before it, the closing write echoes the header alone.
  RunResult invalid = run_codetal(folder, {"x.txt", "/v", "zero"});
  header = invalid.report.substr(0, 44);
  EXPECT_EQ(invalid.out, banner(folder.path(), true) + kInvalid + kCompletion + header + kPrompt);

  // Without any "/" nothing is a switch.
  RunResult dash = run_codetal(folder, {"x.bas", "-v", "-z"});
  EXPECT_TRUE(dash.out.starts_with(banner(folder.path()))) << dash.out;
  EXPECT_EQ(dash.out.find("Created by Codetal"), std::string::npos);
  EXPECT_EQ(report_body(dash), kHeadings + "x.bas \n");
}

// On the Windows build a "/" inside the input name starts the scan: 'vb' and
// 'zip.bas' switch on verbose mode and the echo. On POSIX only the arguments
// after the input name are scanned.
TEST(DriverSwitches, SlashInsideTheInputNameStartsTheScanOnWindowsOnly) {
  TempFolder folder;
  add_quiet_options(folder);
  RunResult result = run_codetal(folder, {"c:/vb/zip.bas"});
  std::string header = result.report.substr(0, 44);
  const bool on = windows_build();
  EXPECT_EQ(result.out.substr(0, banner(folder.path(), on).size()), banner(folder.path(), on));
  EXPECT_EQ(result.out.find(header + kHeadings + "c:/vb/zip.bas \n") != std::string::npos, on);
  EXPECT_EQ(report_body(result), kHeadings + "c:/vb/zip.bas \n");
}

TEST(DriverSwitches, EchoShowsEveryReportTextVerbatimIncludingPercent) {
  TempFolder folder;
  add_quiet_options(folder);
  RunResult result = run_codetal(folder, {"100%s%n%d.bas", "/z"});
  std::string header = result.report.substr(0, 44);
  EXPECT_NE(result.out.find(header + kHeadings + "100%s%n%d.bas \n"), std::string::npos);
  EXPECT_EQ(report_body(result), kHeadings + "100%s%n%d.bas \n");
  EXPECT_NE(result.out.find("Codetal==>  Unable to open 100%s%n%d.bas for reading \n"),
            std::string::npos);
}

TEST(DriverReport, WriteFailureIsReportedOnceAndTheRunGoesOn) {
  if (windows_build()) GTEST_SKIP() << "/dev/full exists only on POSIX";
  TempFolder folder;
  add_quiet_options(folder);
  ASSERT_EQ(::symlink("/dev/full", (folder / "Codetal.log").c_str()), 0);
  RunResult result = run_codetal(folder, {"notes.txt", "/z"});
  const std::string failure =
      "Codetal==>  Write error on Codetal.log \n"
      "Codetal==>  Disk may be full \n"
      "Codetal==>  Program will continue \n" +
      kPrompt;
  // The header's write fails; it is still echoed after the messages.
  std::string expected = banner(folder.path()) + kInvalid + kCompletion + failure;
  ASSERT_EQ(result.out.substr(0, expected.size()), expected);
  std::string rest = result.out.substr(expected.size());
  EXPECT_TRUE(header_is_well_formed(rest));
  EXPECT_EQ(rest.substr(44), kPrompt);
  EXPECT_EQ(result.status, 2);
}

TEST(DriverReport, LineEndsAreThoseOfThePlatformsTextFiles) {
  TempFolder folder;
  add_quiet_options(folder);
  RunResult result = run_codetal(folder, {"missing.bas"});
  ASSERT_TRUE(result.report_exists);
  std::string expected_bytes;
  for (char c : result.report) {
    if (c == '\n' && windows_build()) expected_bytes += '\r';
    expected_bytes += c;
  }
  EXPECT_EQ(result.report_bytes, expected_bytes);
  EXPECT_EQ(report_body(result), kHeadings + "missing.bas \n");
}

TEST(DriverReport, OpenFailureIsReportedForEachText) {
  TempFolder folder;
  add_quiet_options(folder);
  folder.make_folder("Codetal.log");
  RunResult result = run_codetal(folder, {"missing.bas"});
  const std::string failure =
      "Codetal==>  Unable to open Codetal.log for writing \n"
      "Codetal==>  The disk is probably full \n"
      "Codetal==>  Program will continue \n" +
      kPrompt;
  // Two heading lines, the module name line and the closing text: four tries.
  std::string out = result.out;
  int tries = 0;
  for (std::size_t at = out.find(failure); at != std::string::npos; at = out.find(failure, at + 1))
    ++tries;
  EXPECT_EQ(tries, 4);
  EXPECT_EQ(result.status, 2);
}

}  // namespace
}  // namespace codetal::test
