// The counting core on bytes: the line reader's text rules, the designer
// header, and whole modules whose counts are worked out by hand.
#include "analysis/count_module.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory_input.h"
#include "test_data.h"

namespace codetal {
namespace {

// Serves bytes in reads of ever-changing odd sizes, and can fail (-1) once
// they are used up, so block boundaries fall everywhere.
class ChunkedInput : public InputFile {
 public:
  ChunkedInput(std::string bytes, bool fail_at_end)
      : bytes_(std::move(bytes)), fail_at_end_(fail_at_end) {}
  long read(char* buffer, std::size_t size) override {
    static constexpr std::size_t kSizes[] = {1, 7, 4096, 65536, 13, 100000, 2};
    if (at_ == bytes_.size()) return fail_at_end_ ? -1 : 0;
    std::size_t n = std::min({size, bytes_.size() - at_, kSizes[calls_++ % 7]});
    bytes_.copy(buffer, n, at_);
    at_ += n;
    return static_cast<long>(n);
  }

 private:
  std::string bytes_;
  bool fail_at_end_;
  std::size_t at_ = 0;
  std::size_t calls_ = 0;
};

using Lines = std::vector<std::string>;

// Every line as handed out.
Lines read_all(LineReader& reader, InputFile& input) {
  Lines lines;
  if (!reader.start(input)) return lines;
  // A module whose end is not known at its last line shows an empty extra one.
  while (!reader.end_of_module()) {
    reader.read_next_line();
    lines.emplace_back(reader.current_line());
  }
  reader.finish();
  return lines;
}

Lines read_all(const std::string& bytes) {
  LineReader reader;
  MemoryInput input(bytes);
  return read_all(reader, input);
}

TEST(LineReader, TextRules) {
  const struct {
    std::string bytes;
    Lines lines;
  } cases[] = {
      {"Option Explicit\r\n\r\nDim x\r\n", {"Option Explicit\n", "\n", "Dim x\n"}},
      {"a\r\r\nb\rc\n", {"a\n", "bc\n"}},
      {"last\r", {"last"}},
      {std::string("a\nb\x1A") + "c\nd\n", {"a\n", "b"}},
      {"a\n\x1A\n", {"a\n"}},
      {"Sub A()\nEnd Sub", {"Sub A()\n", "End Sub"}},
      {"\n", {"\n"}},
      // No character at all: the module holds no text.
      {"", {}},
      {"\r\r", {}},
      {"\x1A"
       "Sub A()\n",
       {}},
  };
  for (const auto& c : cases) EXPECT_EQ(read_all(c.bytes), c.lines) << c.bytes;
}

// Lines of many lengths, far more than one buffer, through reads of odd
// sizes and one reader reused: every line comes out whole and in order.
TEST(LineReader, LinesCrossingBlockBoundariesComeOutWhole) {
  Lines expected;
  std::string bytes;
  unsigned seed = 12345;
  for (int i = 0; i < 4000; ++i) {
    seed = seed * 1103515245u + 12345u;
    std::size_t length = (seed >> 8) % (i % 97 == 0 ? 300000 : 700);
    std::string line(length, static_cast<char>('a' + i % 26));
    expected.push_back(line + "\n");
    bytes += line + (i % 3 == 0 ? "\r\n" : "\n");
  }
  LineReader reader;
  for (bool fail_at_end : {false, true}) {
    ChunkedInput input(bytes, fail_at_end);
    EXPECT_EQ(read_all(reader, input), expected);
  }
  ChunkedInput failing("a\nb\nc", true);
  EXPECT_EQ(read_all(reader, failing), (Lines{"a\n", "b\n", "c"}));
}

TEST(TrimLeadingBlanks, RemovesBlanksAndTabsOnlyAtTheStart) {
  EXPECT_EQ(trim_leading_blanks(" \t  Dim x \t\n"), "Dim x \t\n");
  EXPECT_EQ(trim_leading_blanks(std::string(19, ' ') + "x"), "x");
  EXPECT_EQ(trim_leading_blanks(" \t "), "");
  EXPECT_EQ(trim_leading_blanks("\f x"), "\f x");
}

// Counts as {total, code, comments, blank} plus statement counters.
ModuleStats stats_of(int total, int code, int comments = 0, int blank = 0,
                     std::initializer_list<Counter> statements = {}) {
  ModuleStats s;
  s[kTotalLines] = total;
  s[kCodeLines] = code;
  s[kCommentLines] = comments;
  s[kBlankLines] = blank;
  for (Counter c : statements) ++s[c];
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
// Five lines: three of code (one Sub), a comment and a blank line.
const std::string kBody =
    "Option Explicit\r\n"
    "\r\n"
    "Private Sub cmdOk_Click()\r\n"
    "  ' close\r\n"
    "End Sub\r\n";

TEST(CountModule, DesignerHeaderIsSkippedOrCountedAsCode) {
  const struct {
    std::string text;
    ModuleStats skipped;
    ModuleStats counted;
  } cases[] = {
      {"VERSION 5.00\r\n" + kHeader + kBody, stats_of(6, 4, 1, 1, {kSubs}),
       stats_of(14, 12, 1, 1, {kSubs})},
      // Anywhere in a module, not only at its top.
      {kBody + kHeader + "Dim x\r\n", stats_of(6, 4, 1, 1, {kSubs, kDims}),
       stats_of(14, 12, 1, 1, {kSubs, kDims})},
      // Without an "Attribute " line the rest of the module is header, and
      // only its last line reaches the classifier.
      {"Begin VB.Form F \nEnd\nOption Explicit\nDim x\n", stats_of(1, 1, 0, 0, {kDims}),
       stats_of(4, 4, 0, 0, {kDims})},
      // Ending inside the header, on its first or a later "Attribute " line,
      // or on the "Begin VB.Form " line itself: the last line counts once.
      {"Begin VB.Form F \n   Caption = 1\n   Height = 2", stats_of(1, 1), stats_of(3, 3)},
      {"Begin VB.Form F \nEnd\nAttribute VB_Name = \"F\"\n", stats_of(1, 1), stats_of(3, 3)},
      {"Begin VB.Form F \nEnd\nAttribute A = 1\nAttribute B = 2\n", stats_of(1, 1), stats_of(4, 4)},
      {"' a form\nBegin VB.Form F \n", stats_of(2, 1, 1), stats_of(2, 1, 1)},
      {"Begin VB.Form F ", stats_of(1, 1), stats_of(1, 1)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(count_module_text(c.text, CountRules{false}), c.skipped) << c.text;
    EXPECT_EQ(count_module_text(c.text, CountRules{true}), c.counted) << c.text;
  }
}

TEST(CountModule, OnlyAnUnindentedVbFormLineStartsAHeader) {
  const std::string designer = "   Caption = 1\nEnd\nAttribute VB_Name = \"F\"\nOption Explicit\n";
  for (const char* first :
       {"  Begin VB.Form F \n", "\tBegin VB.Form F \n", "Begin VB.MDIForm MDIForm1 \n",
        "Begin VB.UserControl U \n", "Begin VB.Form\n", "Begin VB.Former F \n",
        "Begin VB.Forms F \n", "begin VB.Form F \n", "Begin VB.form F \n"}) {
    EXPECT_EQ(count_module_text(first + designer, CountRules{false}), stats_of(5, 5)) << first;
  }
  EXPECT_EQ(
      count_module_text("Attribute VB_Name = \"M\"\r\nOption Explicit\r\n", CountRules{false}),
      stats_of(2, 2));
}

// Every kind's designer block starts only with every module kind on; "Begin
// {" only in a designer file.
TEST(CountModule, DesignerBlocksOfEveryKind) {
  const std::string block = "   Caption = 1\nEnd\nAttribute VB_Name = \"F\"\nOption Explicit\n";
  const struct {
    const char* first;
    int lines_counted[3];  // by kForms, kAllKinds, kAllKindsAndDsr
  } cases[] = {
      {"Begin VB.Form F \n", {1, 1, 1}},
      {"Begin VB.MDIForm M \n", {5, 1, 1}},
      {"Begin VB.UserControl U \n", {5, 1, 1}},
      {"Begin VB.PropertyPage P \n", {5, 1, 1}},
      {"Begin VB.UserDocument D \n", {5, 1, 1}},
      {"Begin {C0E45035-5775-11D0-B388-00A0C9055D8E} DataEnvironment1 \n", {5, 5, 1}},
      {"Begin VB.MDIForm\n", {5, 5, 5}},
      {"  Begin VB.UserControl U \n", {5, 5, 5}},
      {" Begin {C0E45035} D \n", {5, 5, 5}},
      {"Begin VB.Label L \n", {5, 5, 5}},
  };
  const DesignerStarts starts[] = {DesignerStarts::kForms, DesignerStarts::kAllKinds,
                                   DesignerStarts::kAllKindsAndDsr};
  for (const auto& c : cases) {
    for (int i = 0; i < 3; ++i) {
      const int n = c.lines_counted[i];
      EXPECT_EQ(count_module_text(c.first + block, CountRules{false, starts[i]}), stats_of(n, n))
          << c.first << i;
      EXPECT_EQ(count_module_text(c.first + block, CountRules{true, starts[i]}), stats_of(5, 5))
          << c.first << i;
    }
  }
}

TEST(CountModule, WholeModules) {
  std::string filler(100000, 'x');
  const struct {
    std::string text;
    ModuleStats stats;
  } cases[] = {
      {"\n\n  \n\t\n   ", stats_of(5, 0, 0, 5)},
      {"' one\r\nRem two\r\n   ' three", stats_of(3, 0, 3)},
      // A physical line is one line whatever its length.
      {"' " + filler + " Sub A()\n", stats_of(1, 0, 1)},
      {"Dim " + filler + "\nx = 1\n", stats_of(2, 2, 0, 0, {kDims})},
      {filler + ":\n", stats_of(1, 1, 0, 0, {kLabels})},
  };
  for (const auto& c : cases) EXPECT_EQ(count_module_text(c.text, CountRules{false}), c.stats);
  LineReader reader;
  MemoryInput empty("\x1A");
  EXPECT_FALSE(count_module(reader, empty, CountRules{false}).has_value());
}

// A form built so that it has known counts: after its 17-line designer
// header, 120 lines, 80 of code, 25 comments and 15 blank, and a mix of
// every statement kind but Lets, Gets, Events, WinAPI and Enums.
TEST(CountModule, WorkedExampleForm) {
  const std::string text = test::read_test_data("unit/worked_example.frm");
  ModuleStats expected = stats_of(120, 80, 25, 15);
  const std::pair<Counter, int> statements[] = {
      {kSubs, 3}, {kFunctions, 2}, {kIfs, 9},   {kElseIfs, 1}, {kDos, 2},   {kWhiles, 1},
      {kFors, 3}, {kLabels, 1},    {kDims, 12}, {kVars, 2},    {kTypes, 1}, {kConsts, 4},
  };
  for (auto [counter, value] : statements) expected[counter] = value;
  EXPECT_EQ(count_module_text(text, CountRules{false}), expected);
  expected[kTotalLines] += 17;
  expected[kCodeLines] += 17;
  EXPECT_EQ(count_module_text(text, CountRules{true}), expected);
}

}  // namespace
}  // namespace codetal
