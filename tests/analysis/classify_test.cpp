#include "analysis/classify.h"

#include <gtest/gtest.h>

#include <string>

#include "analysis/line_reader.h"

namespace codetal {
namespace {

// What one line must count: blank, comment, code of no statement kind
// (kCodeLines), or code of one statement kind.
struct LineCase {
  std::string line;  // as read, before trimming
  Counter kind;
};

ModuleStats expected_for(Counter kind) {
  ModuleStats stats;
  if (kind == kBlankLines || kind == kCommentLines || kind == kCodeLines) {
    stats[kind] = 1;
  } else {
    stats[kCodeLines] = 1;
    stats[kind] = 1;
  }
  return stats;
}

void check_lines(std::initializer_list<LineCase> cases) {
  for (const LineCase& c : cases) {
    ModuleStats stats;
    classify_line(trim_leading_blanks(c.line), stats);
    EXPECT_EQ(stats, expected_for(c.kind)) << "line: \"" << c.line << "\"";
  }
}

TEST(ClassifyLine, BlankLines) {
  check_lines({
      {"\n", kBlankLines},
      {"", kBlankLines},  // a last line of nothing but blanks, once trimmed
      {"   ", kBlankLines},
      {" \t \t\n", kBlankLines},
      {"\f\n", kCodeLines},
  });
}

TEST(ClassifyLine, CommentLinesAndRemForms) {
  check_lines({
      {"' a comment\n", kCommentLines},
      {"'\n", kCommentLines},
      {"    ' indented by blanks\n", kCommentLines},
      {"\t\t'indented by tabs\n", kCommentLines},
      {"Rem\n", kCommentLines},
      {"REM Note\n", kCommentLines},
      {"rem\n", kCommentLines},
      {"Rem", kCommentLines},
      {"rEm\tx\n", kCommentLines},
      {"  Rem indented\n", kCommentLines},
      {"Remark = 1\n", kCodeLines},
      {"Rem(1) = 2\n", kCodeLines},
      // "Rem" but for one letter is code.
      {"Dem x\n", kCodeLines},
      {"Rim x\n", kCodeLines},
      {"Rex x\n", kCodeLines},
      {"x = 1 ' code first\n", kCodeLines},
  });
}

TEST(ClassifyLine, ProceduresComeBeforeTheVariablePrefixes) {
  check_lines({
      {"Sub\n", kSubs},
      {"Private Sub Form_Load()\n", kSubs},
      {"Public Function Area(r As Double) As Double\n", kFunctions},
      {"Friend Function F()\n", kFunctions},
      {"Public Property Let Name(v As String)\n", kLets},
      {"Property Get Name() As String\n", kGets},
      {"Event Changed()\n", kEvents},
      {"Friend Event Done()\n", kEvents},
      // Not recognised as procedures: the later prefix tests decide.
      {"Public Property Set Value(v)\n", kVars},
      {"Property Set Value(v)\n", kCodeLines},
      {"Static Function F()\n", kVars},
      {"Private Static Sub Tick()\n", kVars},
      {"sub main()\n", kCodeLines},
      // Names that run straight on from a procedure word.
      {"Subtotal = 1\n", kCodeLines},
      {"Functions = 2\n", kCodeLines},
      {"Eventual = 3\n", kCodeLines},
      {"Private Subtotal As Long\n", kVars},
      {"Public Property Letter(v)\n", kVars},
      {"Property Getter\n", kCodeLines},
  });
}

TEST(ClassifyLine, DeclareLinesAndTheirContinuation) {
  check_lines({
      {"Private Declare Function GetTickCount Lib \"kernel32\" _\n", kWinApi},
      {"    () As Long\n", kCodeLines},
      {"Declare Sub Sleep Lib \"kernel32\" (ByVal ms As Long)\n", kWinApi},
      {"Public Declare Function Beep Lib \"kernel32\" () As Long\n", kWinApi},
      {"declare Sub Sleep Lib \"kernel32\"\n", kCodeLines},
      {"Private Static Declare Sub X Lib \"k\"\n", kVars},
      {"Declared = True\n", kCodeLines},
      {"Public Declared As Boolean\n", kVars},
  });
}

TEST(ClassifyLine, DeclarationPrefixesNeedTheirTrailingBlank) {
  check_lines({
      {"Public Enum Colors\n", kEnums},
      {"Private Enum Sizes\n", kEnums},
      {"Enum Shapes\n", kEnums},
      {"Enum\n", kCodeLines},
      {"Public Type Point\n", kTypes},
      {"Private Type Rect\n", kTypes},
      {"Type Size\n", kTypes},
      {"End Type\n", kCodeLines},
      {"Const Pi = 3.14\n", kConsts},
      {"Public Const Max = 10\n", kConsts},
      {"Private Const Min = 0\n", kConsts},
      {"Global Const X = 1\n", kVars},
      {"Dim x As Long\n", kDims},
      {"Dim a As Long: a = 1\n", kDims},
      {"  Dim i As Integer\n", kDims},
      {"dim x\n", kCodeLines},
      {"Dim\tx As Long\n", kCodeLines},
      {"ReDim x(5)\n", kCodeLines},
      {"Public Count As Long\n", kVars},
      {"Private mName As String\n", kVars},
      {"Static Calls As Long\n", kVars},
      {"Global gApp As Object\n", kVars},
      {"Public\n", kCodeLines},
      {"Publicity = 1\n", kCodeLines},
      // Names that run straight on from a rule's words are variables or
      // plain code, never the declaration the words begin.
      {"Public TypeOfThermometer As String\n", kVars},
      {"Private Typed As Long\n", kVars},
      {"Public Enumerated As Long\n", kVars},
      {"Private Enumerator As Object\n", kVars},
      {"Public Constant As Long\n", kVars},
      {"Private Constants(3) As Long\n", kVars},
      {"Typeface = 1\n", kCodeLines},
      {"Enumerate x\n", kCodeLines},
      {"Constant = 1\n", kCodeLines},
      {"Dimension = 1\n", kCodeLines},
      {"Statics = 1\n", kCodeLines},
      {"Globals = 1\n", kCodeLines},
      {"Privately = 1\n", kCodeLines},
  });
}

TEST(ClassifyLine, LabelsEndWithColonAndLineFeed) {
  check_lines({
      {"ErrHandler:\n", kLabels},
      {"  Retry:\n", kLabels},
      {"Case Else:\n", kCodeLines},
      {"Case 1:\n", kCodeLines},
      {"ErrHandler: \n", kCodeLines},
      {"ErrHandler:", kCodeLines},  // a last line without its line feed
      {"ErrHandler: ' note\n", kCodeLines},
      // Earlier rules take their lines first; the label rule beats the later ones.
      {"Dim x:\n", kDims},
      {"Public Sub A:\n", kSubs},
      {"#Else:\n", kLabels},
      {"If x Then:\n", kLabels},
      {"Do:\n", kLabels},
  });
}

TEST(ClassifyLine, ConditionalCompilationIsCodeOfNoKind) {
  check_lines({
      {"#If DEBUG Then\n", kCodeLines},
      {"#ElseIf WIN32 Then\n", kCodeLines},
      {"#Const DEBUG = 1\n", kCodeLines},
      {"#End If\n", kCodeLines},
  });
}

TEST(ClassifyLine, BranchesAndLoops) {
  check_lines({
      {"If x Then y = 1\n", kIfs},
      {"If(x) Then\n", kCodeLines},
      {"Iffy = 2\n", kCodeLines},
      {"ElseIfy = 2\n", kCodeLines},
      {"Form = 1\n", kCodeLines},
      {"Doing = 1\n", kCodeLines},
      {"Wending = 1\n", kCodeLines},
      {"Fore = 1\n", kCodeLines},
      {"ElseIf x = 2 Then\n", kElseIfs},
      {"Else\n", kCodeLines},
      {"End If\n", kCodeLines},
      {"Do While x < 10\n", kDos},
      {"Do\n", kDos},
      {"Loop\n", kCodeLines},
      {"do\n", kCodeLines},
      {"Dolly = 1\n", kCodeLines},
      {"While x < 10\n", kCodeLines},
      {"Wend\n", kWhiles},
      {"Wend", kWhiles},
      {"For i = 1 To 10\n", kFors},
      {"For Each item In Items\n", kFors},
      {"Format x\n", kCodeLines},
      {"Next i\n", kCodeLines},
      {"Select Case x\n", kCodeLines},
      {"On Error GoTo ErrHandler\n", kCodeLines},
  });
}

}  // namespace
}  // namespace codetal
