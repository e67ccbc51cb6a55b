// The options file seen from outside: where it is looked for, that it is
// only read, and what its values change in a real run.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <initializer_list>
#include <thread>

#include "console_texts.h"
#include "harness.h"

namespace codetal::test {
namespace {

bool ends_with(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// A module whose figures are known: 13 lines, 11 of code, 1 comment, 1 blank;
// one Sub, one Property Let, one If, one For, one Label and one Dim.
const std::string kModule =
    "Attribute VB_Name = \"m\"\r\n"
    "' a comment\r\n"
    "Option Explicit\r\n"
    "\r\n"
    "Public Property Let Size(ByVal v As Long)\r\n"
    "End Property\r\n"
    "Private Sub Main()\r\n"
    "    Dim i As Long\r\n"
    "    If i = 0 Then i = 1\r\n"
    "    For i = 1 To 3\r\n"
    "    Next i\r\n"
    "Done:\r\n"
    "End Sub\r\n";

const std::string kListAlways =
    "File: m.bas \n"
    "   Total Lines    = 13 \n"
    "   Lines of Code  = 11 \n"
    "   Nbr. Comments  = 1 \n"
    "   Blank Lines    = 1 \n"
    "   ---------------- \n"
    "   Nbr. Subs      = 1 \n"
    "   Nbr. Functions = 0 \n";

// The two table rows of a module block, from the 21 counters in print order.
std::string table_rows(std::initializer_list<int> counters) {
  std::vector<int> c(counters);
  c.resize(21, 0);
  char row[512];
  std::string rows;
  std::snprintf(row, sizeof row,
                "%5d    %5d    %5d    %5d  |       %5d     %5d     %5d     %5d     %5d     %5d"
                "     %5d     %5d \n",
                c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8], c[9], c[10], c[11]);
  rows += row;
  std::snprintf(row, sizeof row,
                "                                  |       %5d     %5d     %5d     %5d     %5d"
                "     %5d     %5d     %5d \n\n",
                c[12], c[13], c[15], c[16], c[17], c[18], c[19], c[20]);
  return rows + row;
}

// ---- Where the file is looked for, and that it is only read ----

TEST(OptionsFileRun, MissingFileIsReportedBeforeTheBannerAndTheRunGoesOn) {
  TempFolder folder;
  RunResult result = run_codetal(folder, {"notes.txt"});
  std::string expected = kMissingOptions + kPrompt + banner(folder.path()) +
                         "Codetal==>  Invalid Input File Name \n"
                         "Codetal==>  No processing occured \n\n" +
                         kCompletion + kPrompt;
  EXPECT_EQ(result.out, expected);
  EXPECT_EQ(result.err, expected);  // standard output is a file: mirrored
  EXPECT_EQ(report_body(result), "");
}

TEST(OptionsFileRun, ReadOnlyFileIsUsedAndLeftUnchanged) {
  TempFolder folder;
  folder.write("Codetal.INI", "[Codetal ]\r\noptNbrIfs\r\n");
  ASSERT_EQ(::chmod((folder / "Codetal.INI").c_str(), 0444), 0);
  auto before = snapshot(folder.path());
  RunResult result = run_codetal(folder, {"notes.txt"});
  // The record without "=" proves the file was read.
  EXPECT_EQ(result.out.substr(0, 100),
            ("Codetal==>  Invalid User Parameter Record \noptNbrIfs\n \n" + kPrompt +
             banner(folder.path()))
                .substr(0, 100));
  EXPECT_EQ(result.out.find("Unable to open"), std::string::npos);
  auto after = snapshot(folder.path());
  after.erase("Codetal.log");
  EXPECT_EQ(after, before);
}

// ---- What the values change (these need module analysis) ----

TEST(OptionsFileRun, ReportZeroAndOneGiveTheListFormWithItsFixedLines) {
  for (const char* form : {"optReport=0\n", "optReport=1\n"}) {
    TempFolder folder;
    folder.write("m.bas", kModule);
    folder.write("Codetal.INI", std::string("[Codetal ]\n") + form);
    RunResult result = run_codetal(folder, {"m.bas"});
    EXPECT_EQ(result.status, 0) << form;
    EXPECT_EQ(report_body(result), kHeadings + "m.bas \n" + kListAlways + "\n") << form;
  }
}

TEST(OptionsFileRun, ListFormShowsEachFlaggedLineInItsPlace) {
  TempFolder folder;
  folder.write("m.bas", kModule);
  folder.write("Codetal.INI",
               "[Codetal ]\n"
               "optNbrLables=1\n"
               "optReport=1\n"
               "optNbrIfs=1\n"
               "optNbrLets=5\n"
               "optNbrFors=0\n"
               "optNbrDims=1\n");
  RunResult result = run_codetal(folder, {"m.bas"});
  EXPECT_EQ(report_body(result), kHeadings + "m.bas \n" + kListAlways +
                                     "   Nbr. Lets      = 1 \n"
                                     "   Nbr. Ifs       = 1 \n"
                                     "   Nbr. Labels    = 1 \n"
                                     "   Nbr. Dims      = 1 \n"
                                     "\n");
}

TEST(OptionsFileRun, CountFormHeadersCountsTheDesignerBlockAsCode) {
  const std::string form =
      "VERSION 5.00\r\n"
      "Begin VB.Form Form1 \r\n"
      "   Caption = \"Main\"\r\n"
      "End\r\n"
      "Attribute VB_Name = \"Form1\"\r\n"
      "Attribute VB_Exposed = False\r\n"
      "Option Explicit\r\n"
      "Private Sub Form_Load()\r\n"
      "End Sub\r\n";
  TempFolder skipped;
  skipped.write("f.frm", form);
  skipped.write("Codetal.INI", "[Codetal ]\noptShellTo=0\n");
  RunResult without = run_codetal(skipped, {"f.frm"});
  // The five header lines are left out of every count...
  EXPECT_EQ(report_body(without), kHeadings + "f.frm \n" + table_rows({4, 4, 0, 0, 1}));

  TempFolder counted;
  counted.write("f.frm", form);
  counted.write("Codetal.INI", "[Codetal ]\noptShellTo=0\noptCountFormHeaders=1\n");
  RunResult with = run_codetal(counted, {"f.frm"});
  // ...or counted as lines of code.
  EXPECT_EQ(report_body(with), kHeadings + "f.frm \n" + table_rows({9, 9, 0, 0, 1}));
}

TEST(OptionsFileRun, ShellToZeroEndsWithThePromptInsteadOfAViewer) {
  TempFolder folder;
  folder.write("m.bas", kModule);
  folder.write("Codetal.INI", "[Codetal ]\noptShellTo=0\n");
  RunResult result = run_codetal(folder, {"m.bas"});
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(ends_with(result.out, kCompletion + kPrompt)) << result.out;

  // The default viewer is not on PATH: the run ends at once, without a wait.
  folder.write("Codetal.INI", "[Codetal ]\n");
  RunResult plain = run_codetal(folder, {"m.bas"});
  EXPECT_TRUE(ends_with(plain.out, kCompletion)) << plain.out;
}

// A viewer that records its argument, then stays until the test releases
// it: a run that waited for it would never end.
void write_viewer(const TempFolder& folder, const std::string& program) {
  const std::string state = folder / "viewer";
  folder.make_folder("viewer");
  folder.write("bin/" + program,
               "#!/bin/sh\n"
               "printf '%s' \"$1\" > '" +
                   state +
                   "/argument.part'\n"
                   "mv '" +
                   state + "/argument.part' '" + state +
                   "/argument'\n"
                   "i=0\n"
                   "while [ ! -e '" +
                   state +
                   "/release' ] && [ $i -lt 1200 ]; do\n"
                   "  sleep 0.05; i=$((i+1))\n"
                   "done\n"
                   ": > '" +
                   state + "/done'\n");
  ASSERT_EQ(::chmod((folder / ("bin/" + program)).c_str(), 0755), 0);
}

bool wait_for_file(const TempFolder& folder, const std::string& name) {
  for (int i = 0; i < 600 && !folder.exists(name); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  return folder.exists(name);
}

TEST(OptionsFileRun, ShellToStartsTheChosenViewerWithoutWaitingForIt) {
  struct Case {
    const char* record;
    const char* program;
  };
  for (const Case& c :
       {Case{"optShellTo=2\n", "WinWord.exe"}, Case{"optShellTo=1\n", "NotePad.exe"}}) {
    TempFolder folder;
    folder.write("m.bas", kModule);
    folder.write("Codetal.INI", std::string("[Codetal ]\n") + c.record);
    write_viewer(folder, c.program);
    RunOptions options;
    options.path_env = folder / "bin" + ":/usr/bin:/bin";
    options.timeout_seconds = 30;
    RunResult result = run_codetal(folder, {"m.bas"}, options);
    folder.write("viewer/release", "");
    EXPECT_EQ(result.status, 0) << c.program;
    EXPECT_TRUE(ends_with(result.out, kCompletion)) << result.out;
    ASSERT_TRUE(wait_for_file(folder, "viewer/done")) << c.program;
    EXPECT_EQ(folder.read("viewer/argument"), "Codetal.log");
  }
}

}  // namespace
}  // namespace codetal::test
