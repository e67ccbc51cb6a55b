#include "analysis/analyze.h"

#include <gtest/gtest.h>

#include <string>

#include "fake_platform.h"
#include "traverse/module_cycle.h"

namespace codetal {
namespace {

struct AnalyzeTest : ::testing::Test {
  test::FakePlatform platform;
  RunState run{platform};

  // Analyses one module from a clean state and checks that every counted
  // line is exactly one of code, comment and blank.
  ModuleStats analyse(const std::string& text, bool count_form_headers = false) {
    reset_module_state(run);
    run.options.count_form_headers = count_form_headers ? 1 : 0;
    platform.inputs["m.frm"] = text;
    EXPECT_EQ(analyze_module(run, "m.frm"), 0);
    run.reader.close_module();
    const ModuleStats& s = run.module_stats;
    EXPECT_EQ(s[kCodeLines] + s[kCommentLines] + s[kBlankLines], s[kTotalLines]);
    return s;
  }
};

ModuleStats stats_of(int total, int code, int comments = 0, int blank = 0) {
  ModuleStats s;
  s[kTotalLines] = total;
  s[kCodeLines] = code;
  s[kCommentLines] = comments;
  s[kBlankLines] = blank;
  return s;
}

ModuleStats with(ModuleStats s, Counter counter, int value = 1) {
  s[counter] = value;
  return s;
}

// Eight lines: a designer block with a nested control, then two attributes.
const std::string kHeader =
    "Begin VB.Form Form1 \r\n"
    "   Caption = \"Sub Main\"\r\n"
    "   Begin VB.CommandButton cmdOk \r\n"
    "      Caption = \"If\"\r\n"
    "   End\r\n"
    "End\r\n"
    "Attribute VB_Name = \"Form1\"\r\n"
    "Attribute VB_Exposed = False\r\n";
const int kHeaderLines = 8;
// Five lines: three of code (one Sub), a comment and a blank line.
const std::string kBody =
    "Option Explicit\r\n"
    "\r\n"
    "Private Sub cmdOk_Click()\r\n"
    "  ' close\r\n"
    "End Sub\r\n";

TEST_F(AnalyzeTest, FormHeaderIsSkippedOrCountedAsCode) {
  ModuleStats body = with(stats_of(6, 4, 1, 1), kSubs);
  EXPECT_EQ(analyse("VERSION 5.00\r\n" + kHeader + kBody), body);
  ModuleStats counted = body;
  counted[kTotalLines] += kHeaderLines;
  counted[kCodeLines] += kHeaderLines;
  EXPECT_EQ(analyse("VERSION 5.00\r\n" + kHeader + kBody, true), counted);
  // Anywhere in a module, not only at its top.
  EXPECT_EQ(analyse(kBody + kHeader + "Dim x\r\n"), with(with(stats_of(6, 4, 1, 1), kSubs), kDims));
}

TEST_F(AnalyzeTest, WithoutAttributeLineTheRestOfTheModuleIsHeader) {
  const std::string text =
      "Begin VB.Form F \n"
      "   Caption = 1\n"
      "End\n"
      "Option Explicit\n"
      "Sub Main()\n"
      "Dim x\n";
  // Only the last line reaches the classifier.
  EXPECT_EQ(analyse(text), with(stats_of(1, 1), kDims));
  EXPECT_EQ(analyse(text, true), with(stats_of(6, 6), kDims));
}

TEST_F(AnalyzeTest, ModuleEndingInsideTheHeaderCountsItsLastLineOnce) {
  for (bool on : {false, true}) {
    SCOPED_TRACE(on ? "header lines counted" : "header lines skipped");
    // Inside the designer block.
    EXPECT_EQ(analyse("Begin VB.Form F \n   Caption = 1\n   Height = 2", on),
              on ? stats_of(3, 3) : stats_of(1, 1));
    // On the first "Attribute " line, and on a later one.
    EXPECT_EQ(analyse("Begin VB.Form F \nEnd\nAttribute VB_Name = \"F\"\n", on),
              on ? stats_of(3, 3) : stats_of(1, 1));
    EXPECT_EQ(analyse("Begin VB.Form F \nEnd\nAttribute A = 1\nAttribute B = 2\n", on),
              on ? stats_of(4, 4) : stats_of(1, 1));
    // On its "Begin VB.Form " line: that line is counted once, as code.
    EXPECT_EQ(analyse("' a form\nBegin VB.Form F \n", on), stats_of(2, 1, 1));
    EXPECT_EQ(analyse("Begin VB.Form F ", on), stats_of(1, 1));
  }
}

TEST_F(AnalyzeTest, OnlyAnUnindentedVbFormHeaderIsSkipped) {
  const std::string designer =
      "   Caption = 1\n"
      "End\n"
      "Attribute VB_Name = \"F\"\n"
      "Option Explicit\n";
  for (const char* first :
       {"  Begin VB.Form F \n", "\tBegin VB.Form F \n", "Begin VB.MDIForm MDIForm1 \n",
        "Begin VB.UserControl U \n", "Begin VB.Form\n", "Begin VB.Former F \n"}) {
    EXPECT_EQ(analyse(first + designer), stats_of(5, 5)) << first;
  }
}

TEST_F(AnalyzeTest, AttributeLinesOutsideAFormHeaderAreCode) {
  EXPECT_EQ(analyse("Attribute VB_Name = \"Module1\"\r\nOption Explicit\r\n"), stats_of(2, 2));
}

TEST_F(AnalyzeTest, WholeModulesOfOneKind) {
  EXPECT_EQ(analyse("\n\n  \n\t\n   "), stats_of(5, 0, 0, 5));
  EXPECT_EQ(analyse("' one\r\nRem two\r\n   ' three"), stats_of(3, 0, 3));
}

// A physical line is one line whatever its length, classified by its start
// and, for labels, by its end.
TEST_F(AnalyzeTest, LongLinesCountOnce) {
  std::string filler(100000, 'x');
  EXPECT_EQ(analyse("' " + filler + " Sub A()\n"), stats_of(1, 0, 1));
  EXPECT_EQ(analyse("Dim " + filler + "\nx = 1\n"), with(stats_of(2, 2), kDims));
  EXPECT_EQ(analyse(filler + ":\n"), with(stats_of(1, 1), kLabels));
}

TEST_F(AnalyzeTest, FailedOpenCountsNothing) {
  reset_module_state(run);
  EXPECT_EQ(analyze_module(run, "missing.bas"), 1);
  EXPECT_EQ(run.module_stats, ModuleStats{});
  EXPECT_EQ(run.modules_analyzed, 0);
  analyse("x\n");
  analyse("y\n");
  EXPECT_EQ(run.modules_analyzed, 2);
}

}  // namespace
}  // namespace codetal
