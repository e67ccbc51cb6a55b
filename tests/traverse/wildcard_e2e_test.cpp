// Wildcard module sets: which directory entries become modules, in which
// order, under which names, and what a set without a match leaves behind.
#include <gtest/gtest.h>

#include "harness.h"
#include "traverse_expect.h"

namespace codetal::test {
namespace {

// 5 lines: code 4, blank 1; a Sub.
const std::string kUtil =
    "Attribute VB_Name = \"Util\"\nOption Explicit\n\nPublic Sub Go()\nEnd Sub\n";
const Counts kUtilCounts = {5, 4, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

// 4 lines: code 3, comment 1; a Function.
const std::string kCalc =
    "' one calculation\nPublic Function F() As Long\n    F = 1\nEnd Function\n";
const Counts kCalcCounts = {4, 3, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

// 9 lines, of which the header (Begin .. Attribute) is 4: 5 lines of code; a
// Sub and a Dim.
const std::string kForm =
    "VERSION 5.00\nBegin VB.Form Form1 \n   Caption = \"Main\"\nEnd\n"
    "Attribute VB_Name = \"Form1\"\nOption Explicit\nPrivate Sub Form_Load()\n"
    "    Dim n As Long\nEnd Sub\n";
const Counts kFormCounts = {5, 5, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0};

class Wildcards : public ::testing::Test {
 protected:
  Wildcards() { folder_.write("Codetal.INI", "[Codetal ]\n"); }

  // The report of a set whose modules were all analysed.
  static std::string set_report(const std::string& upper_pattern, const std::string& blocks) {
    return "GENERIC CLASS: " + upper_pattern + " \n\n" + kHeadings + blocks;
  }
  static std::string block(const std::string& name, const Counts& counts) {
    return name + " \n" + rows(counts);
  }

  TempFolder folder_;
};

TEST_F(Wildcards, FormsInEitherLetterCaseAreTaken) {
  folder_.write("MAIN.FRM", crlf(kForm));
  folder_.write("Form1.frm", crlf(kCalc));
  folder_.write("MAIN.FRMX", crlf(kUtil));
  folder_.write("notes.txt", "x\r\n");
  RunResult result = run_codetal(folder_, {"*.frm"});
  EXPECT_EQ(report_body(result),
            set_report("*.FRM", block("Form1.frm", kCalcCounts) + block("MAIN.FRM", kFormCounts)));
  EXPECT_EQ(result.out, banner(folder_.path()) + processing("Form1.frm") + processing("MAIN.FRM") +
                            kCompletion);
  EXPECT_EQ(result.status, 0);
}

TEST_F(Wildcards, StarDotStarTakesModulesOnlyAmongOrdinaryVisibleFiles) {
  folder_.write("README.TXT", "Read me\r\n");
  folder_.write("UTIL.BAS", crlf(kUtil));
  folder_.write("A.B.BAS", crlf(kCalc));
  folder_.write(".UTIL.BAS", crlf(kForm));
  folder_.write("MAIN.FRMX", crlf(kForm));
  folder_.write("OLD.BAS/Inner.bas", crlf(kForm));
  RunResult result = run_codetal(folder_, {"*.*"});
  EXPECT_EQ(report_body(result),
            set_report("*.*", block("A.B.BAS", kCalcCounts) + block("UTIL.BAS", kUtilCounts)));
  EXPECT_EQ(result.out,
            banner(folder_.path()) + processing("A.B.BAS") + processing("UTIL.BAS") + kCompletion);
  EXPECT_EQ(result.status, 0);
}

TEST_F(Wildcards, PrefixPatternMatchesIgnoringCase) {
  folder_.write("testOne.cls", crlf(kUtil));
  folder_.write("TestTwo.CLS", crlf(kCalc));
  folder_.write("atest.cls", crlf(kForm));
  folder_.write("test.bas", crlf(kForm));
  RunResult result = run_codetal(folder_, {"TEST*.cls"});
  EXPECT_EQ(report_body(result), set_report("TEST*.CLS", block("testOne.cls", kUtilCounts) +
                                                             block("TestTwo.CLS", kCalcCounts)));
  EXPECT_EQ(result.status, 0);
}

TEST_F(Wildcards, PatternWithAFolderPartNamesTheModulesWithIt) {
  folder_.write("Src/Util.bas", crlf(kUtil));
  folder_.write("Src/Old/Calc.bas", crlf(kCalc));
  folder_.write("Calc.bas", crlf(kCalc));
  RunResult result = run_codetal(folder_, {"Src\\*.bas"});
  EXPECT_EQ(report_body(result), set_report("SRC\\*.BAS", block("src\\Util.bas", kUtilCounts)));
  EXPECT_EQ(result.out, banner(folder_.path()) + processing("src\\Util.bas") + kCompletion);
  EXPECT_EQ(result.status, 0);
}

TEST_F(Wildcards, NoMatchIsToldOnStandardOutputOnly) {
  folder_.write("a.bas", crlf(kUtil));
  folder_.make_folder("b.cls");
  RunResult result = run_codetal(folder_, {"*.cls"});
  EXPECT_EQ(report_body(result), "");
  EXPECT_EQ(result.out, banner(folder_.path()) + "Codetal==>  No Match Found for *.cls \n" +
                            kCompletion + kPrompt);
  EXPECT_EQ(result.err, banner(folder_.path()) + kCompletion + kPrompt);
  EXPECT_EQ(result.status, 2);
}

TEST_F(Wildcards, ZeroLengthModuleStopsTheSet) {
  folder_.write("a.bas", crlf(kUtil));
  folder_.write("b.bas", "");
  folder_.write("c.bas", crlf(kCalc));
  RunResult result = run_codetal(folder_, {"*.bas"});
  EXPECT_EQ(report_body(result), set_report("*.BAS", block("a.bas", kUtilCounts) + "b.bas \n"));
  EXPECT_EQ(result.out, banner(folder_.path()) + processing("a.bas") + processing("b.bas") +
                            "\n"
                            "Codetal==>  Unable to read b.bas \n"
                            "Codetal==>  File is most probably of zero length \n"
                            "Codetal==>  Program will abort \n\n" +
                            kPrompt + "\n" + kCompletion);
  EXPECT_EQ(result.status, 2);
}

}  // namespace
}  // namespace codetal::test
