// Modules that no editor should have written, and names that no one should
// have chosen: each run ends with a clear message, the report holds what was
// written before the fault, and nothing but "Codetal.log" changes.
#include <unistd.h>

#include <gtest/gtest.h>

#include "harness.h"
#include "reliability_texts.h"

namespace codetal::test {
namespace {

// A module that was analysed: the viewer is not on the test's PATH, so the
// run ends after the completion lines without a wait.
std::string analysed_run(const TempFolder& folder, const std::string& name) {
  return banner(folder.path()) + processing(name) + kCompletion;
}

// A module that stopped the run: no module analysed, so the run waits.
std::string stopped_run(const TempFolder& folder, const std::string& messages) {
  return banner(folder.path()) + messages + kAbort + kCompletion + kPrompt;
}

void expect_analysed(const TempFolder& folder, const RunResult& result, const std::string& name,
                     const Counts& counts) {
  EXPECT_EQ(result.status, 0) << name;
  EXPECT_EQ(result.out, analysed_run(folder, name));
  EXPECT_EQ(report_body(result), kHeadings + name + " \n" + table_rows(counts));
  EXPECT_TRUE(only_report_changed(result));
}

// ---- Bytes that are not text ----

TEST(HostileModuleBytes, NulAndHighBytesAreCountedAsBytesOfTheirLines) {
  TempFolder folder;
  add_quiet_options(folder);
  folder.write("binary.bas", bytes("Dim a\0b As Long\r\n"
                                   "\0\0\0\n"
                                   "\xff\xfe' not a comment\n"
                                   "' comment \0 with a NUL\n"
                                   "\n"
                                   "Sub Main()\0\n"));
  RunResult result = run_codetal(folder, {"binary.bas"});
  // The NUL line is code, not blank: a line is its bytes, all of them.
  expect_analysed(folder, result, "binary.bas",
                  {6, 4, 1, 1, /*Subs*/ 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, /*Dims*/ 1});
}

TEST(HostileModuleBytes, ImageSavedUnderAModuleNameEndsAtItsCtrlZ) {
  TempFolder folder;
  add_quiet_options(folder);
  // A PNG signature: CR LF, then Ctrl-Z, then binary chunks.
  folder.write("picture.frm", bytes("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x01\0\n\n\n"));
  RunResult result = run_codetal(folder, {"picture.frm"});
  expect_analysed(folder, result, "picture.frm", {1, 1});
}

TEST(HostileModuleBytes, FiftyMegabytesWithoutALineFeedAreOneLine) {
  TempFolder folder;
  add_quiet_options(folder);
  std::string huge = "Dim big As String ' ";
  huge.append(50u << 20, 'x');
  folder.write("huge.bas", huge);
  RunResult result = run_codetal(folder, {"huge.bas"});
  expect_analysed(folder, result, "huge.bas", {1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1});
}

TEST(HostileModuleBytes, ModulesWithoutTextFailAsZeroLength) {
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"returns.bas", std::string(4096, '\r')},
      {"ctrlz.cls", "\x1aSub Main()\r\nEnd Sub\r\n"},
      {"crctrlz.frm", "\r\r\r\x1a\n\n"},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    add_quiet_options(folder);
    folder.write(c.name, c.bytes);
    RunResult result = run_codetal(folder, {c.name});
    EXPECT_EQ(result.status, 2) << c.name;
    EXPECT_EQ(result.out, stopped_run(folder, zero_length(c.name)));
    EXPECT_EQ(report_body(result), kHeadings + c.name + " \n");
    EXPECT_TRUE(only_report_changed(result));
  }
}

// ---- Names that are no readable file ----

TEST(HostileModuleNames, FoldersLinksAndLoopsCannotBeOpened) {
  struct Case {
    const char* name;
    void (*make)(const TempFolder&);
  };
  const Case cases[] = {
      {"old.bas", [](const TempFolder& f) { f.make_folder("old.bas"); }},
      {"gone.bas",
       [](const TempFolder& f) {
         ASSERT_EQ(::symlink("nowhere.bas", (f / "gone.bas").c_str()), 0);
       }},
      {"loop.bas",
       [](const TempFolder& f) { ASSERT_EQ(::symlink("loop.bas", (f / "loop.bas").c_str()), 0); }},
      {"ping.cls",
       [](const TempFolder& f) {
         ASSERT_EQ(::symlink("pong.cls", (f / "ping.cls").c_str()), 0);
         ASSERT_EQ(::symlink("ping.cls", (f / "pong.cls").c_str()), 0);
       }},
      {"pipe.frm",
       [](const TempFolder& f) { ASSERT_EQ(::mkfifo((f / "pipe.frm").c_str(), 0600), 0); }},
  };
  for (const Case& c : cases) {
    // Windows has no such links or pipes; only the folder means the same there.
    if (windows_build() && std::string_view(c.name) != "old.bas") continue;
    TempFolder folder;
    add_quiet_options(folder);
    c.make(folder);
    RunResult result = run_codetal(folder, {c.name});
    EXPECT_EQ(result.status, 2) << c.name;
    EXPECT_EQ(result.out, stopped_run(folder, unable_to_open(c.name)));
    EXPECT_EQ(report_body(result), kHeadings + c.name + " \n");
    EXPECT_TRUE(only_report_changed(result));
  }
}

TEST(HostileModuleNames, LongNamesAreShownWhole) {
  if (windows_build()) GTEST_SKIP() << "Windows paths end at 260 characters";
  TempFolder folder;
  add_quiet_options(folder);
  // 300 characters through a folder; each part within a file system's limit.
  const std::string long_name = std::string(150, 'd') + "/" + std::string(145, 'm') + ".bas";
  ASSERT_EQ(long_name.size(), 300u);
  folder.write(long_name, "Sub Main()\r\nEnd Sub\r\n");
  expect_analysed(folder, run_codetal(folder, {long_name}), long_name, {2, 2, 0, 0, 1});

  // 5,000 characters: longer than any path the system can open.
  const std::string too_long = std::string(4996, 'n') + ".bas";
  RunResult result = run_codetal(folder, {too_long});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, stopped_run(folder, unable_to_open(too_long)));
  EXPECT_EQ(report_body(result), kHeadings + too_long + " \n");
  EXPECT_TRUE(only_report_changed(result));
}

TEST(HostileModuleNames, PercentSignsAreShownVerbatimEverywhere) {
  TempFolder folder;
  add_quiet_options(folder);
  const std::string name = "50%s%n%%%d.bas";
  folder.write(name, "' 100% done %s\r\n");
  const std::string block = kHeadings + name + " \n" + table_rows({1, 0, 1});
  RunResult result = run_codetal(folder, {name});
  expect_analysed(folder, result, name, {1, 0, 1});

  // With /z every report text is echoed as it is, the header first.
  RunResult echoed = run_codetal(folder, {name, "/z"});
  std::string header = echoed.report.substr(0, 44);
  EXPECT_EQ(echoed.out, banner(folder.path()) + header + kHeadings + name + " \n" +
                            processing(name) + table_rows({1, 0, 1}) + kCompletion);
  EXPECT_EQ(report_body(echoed), block);
  EXPECT_TRUE(only_report_changed(echoed));
}

TEST(HostileModuleNames, BlanksAndNonAsciiBytesAreKeptAsTheyAre) {
  TempFolder folder;
  add_quiet_options(folder);
  folder.write("my module.bas", "Dim x\r\n");
  expect_analysed(folder, run_codetal(folder, {"my module.bas"}), "my module.bas",
                  {1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1});

  if (windows_build()) return;  // Windows names are not raw bytes
  // Only ASCII letters are lowered: the name on the command line becomes
  // "\xc3\x89t\xc3\x89 \xe4.bas" and finds its file ignoring ASCII case.
  folder.write("\xc3\x89T\xc3\x89 \xe4.BAS", "' caf\xe9\r\n");
  expect_analysed(folder, run_codetal(folder, {"\xc3\x89T\xc3\x89 \xe4.BAS"}),
                  "\xc3\x89t\xc3\x89 \xe4.bas", {1, 0, 1});
}

}  // namespace
}  // namespace codetal::test
