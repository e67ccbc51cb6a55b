#include "report/layouts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_platform.h"

namespace codetal {
namespace {

constexpr std::size_t kRowWidth = 118;

struct LayoutTest : ::testing::Test {
  test::FakePlatform platform;
  Console console{platform};
  ReportLog log{platform, console};

  // What the report holds once closed; no header is set in-process.
  std::string body() {
    log.write_log("");
    return platform.written["Codetal.log"];
  }
};

std::vector<std::string> split_lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    lines.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return lines;
}

// Every counter a different value, so a misplaced column shows.
ModuleStats distinct_stats() {
  ModuleStats s;
  for (int c = 0; c < kCounterCount; ++c) s[static_cast<Counter>(c)] = 100 + c;
  return s;
}

// The text right-aligned to end at (1-based) column `last` of a line.
bool ends_at_column(const std::string& line, const std::string& text, std::size_t last) {
  return last >= text.size() && line.size() >= last &&
         line.compare(last - text.size(), text.size(), text) == 0 &&
         (last == text.size() || line[last - text.size() - 1] == ' ');
}

TEST_F(LayoutTest, TableRowsLineUpUnderTheHeadings) {
  ModuleStats s = distinct_stats();
  s[kLabels] = 77777;
  write_heading_lines(log);
  report_module(log, ReportOptions{}, s, "m.bas");
  std::vector<std::string> lines = split_lines(body());
  ASSERT_EQ(lines.size(), 6u);  // headings, rows, each pair with an empty line after it
  const std::vector<std::string> headings(lines.begin(), lines.begin() + 2);
  const std::vector<std::string> rows(lines.begin() + 3, lines.end());
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(rows[2], "");
  EXPECT_EQ(headings[0].substr(0, 35), "Total    Lines   Rems &    Blank  |");
  EXPECT_EQ(headings[1].substr(0, 35), "Lines     Code  Comments   Lines  |");
  EXPECT_TRUE(rows[1].starts_with(kRowPrefix));
  const Counter first_row[] = {kSubs, kFunctions, kLets, kGets, kEvents, kIfs, kElseIfs, kDos};
  const Counter second_row[] = {kWhiles, kFors, kWinApi, kDims, kVars, kTypes, kEnums, kConsts};
  const char* first_heads[] = {"Subs", "Funcs", "Lets", "Gets", "Events", "Ifs", "ElseIfs", "Dos"};
  const char* second_heads[] = {"Whiles", "Fors",  "WinAPI", "Dims",
                                "Vars",   "Types", "Enums",  "Consts"};
  for (std::size_t i = 0; i < 8; ++i) {
    std::size_t last = 47 + 10 * i;
    EXPECT_TRUE(ends_at_column(headings[0], first_heads[i], last)) << first_heads[i];
    EXPECT_TRUE(ends_at_column(headings[1], second_heads[i], last)) << second_heads[i];
    EXPECT_TRUE(ends_at_column(rows[0], std::to_string(s[first_row[i]]), last)) << i;
    EXPECT_TRUE(ends_at_column(rows[1], std::to_string(s[second_row[i]]), last)) << i;
  }
  const Counter left[] = {kTotalLines, kCodeLines, kCommentLines, kBlankLines};
  const std::size_t left_last[] = {5, 14, 23, 32};
  for (std::size_t i = 0; i < 4; ++i)
    EXPECT_TRUE(ends_at_column(rows[0], std::to_string(s[left[i]]), left_last[i])) << i;
  for (const std::string& line : {headings[0], headings[1], rows[0], rows[1]}) {
    EXPECT_EQ(line.size(), kRowWidth);
    EXPECT_EQ(line.substr(32, 5), "  |  ");
  }
  EXPECT_EQ(rows[0].find("77777"), std::string::npos);  // Labels has no column
  EXPECT_EQ(rows[1].find("77777"), std::string::npos);
}

TEST_F(LayoutTest, WideNumbersShiftTheirRowAndAreNeverCut) {
  ModuleStats s;
  s[kTotalLines] = 123456;
  s[kCodeLines] = 123456;
  s[kConsts] = 2147483647;
  report_module(log, ReportOptions{}, s, "big.bas");
  std::vector<std::string> rows = split_lines(body());
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_TRUE(rows[0].starts_with("123456    123456        0        0  |  "));
  EXPECT_EQ(rows[0].size(), kRowWidth + 2);
  EXPECT_TRUE(rows[1].starts_with(kRowPrefix));
  EXPECT_TRUE(rows[1].ends_with("     2147483647 "));
  EXPECT_EQ(rows[1].size(), kRowWidth + 5);
}

TEST_F(LayoutTest, ListFormShowsTheSwitchedOnLines) {
  ModuleStats s = distinct_stats();
  ReportOptions defaults;
  defaults.report_form = 0;
  report_module(log, defaults, s, "Form1.frm");
  ReportOptions all = defaults;
  all.shown_kinds.fill(1);
  all.blank_lines = 0;
  report_module(log, all, s, "Form1.frm");
  EXPECT_EQ(body(),
            "File: Form1.frm \n"
            "   Total Lines    = 100 \n"
            "   Lines of Code  = 101 \n"
            "   Nbr. Comments  = 102 \n"
            "   Blank Lines    = 103 \n"
            "   ---------------- \n"
            "   Nbr. Subs      = 104 \n"
            "   Nbr. Functions = 105 \n"
            "\n"
            "File: Form1.frm \n"
            "   Total Lines    = 100 \n"
            "   Lines of Code  = 101 \n"
            "   Nbr. Comments  = 102 \n"
            "   ---------------- \n"
            "   Nbr. Subs      = 104 \n"
            "   Nbr. Functions = 105 \n"
            "   Nbr. Lets      = 106 \n"
            "   Nbr. Gets      = 107 \n"
            "   Nbr. Events    = 108 \n"
            "   Nbr. Ifs       = 109 \n"
            "   Nbr. ElseIfs   = 110 \n"
            "   Nbr. Dos       = 111 \n"
            "   Nbr. Whiles    = 112 \n"
            "   Nbr. Fors      = 113 \n"
            "   Nbr. Labels    = 114 \n"
            "   Nbr. WinAPI    = 115 \n"
            "   Nbr. Dims      = 116 \n"
            "   Nbr. Vars      = 117 \n"
            "   Nbr. Types     = 118 \n"
            "   Nbr. Enums     = 119 \n"
            "   Nbr. Consts    = 120 \n"
            "\n");
}

TEST_F(LayoutTest, NamesAreWrittenAsTheyAre) {
  write_module_name_line(log, "Sub\\100%s%n.Bas");
  ReportOptions list;
  list.report_form = 1;
  report_module(log, list, ModuleStats{}, "a%d.frm");
  std::string text = body();
  EXPECT_TRUE(text.starts_with("Sub\\100%s%n.Bas \nFile: a%d.frm \n   Total Lines    = 0 \n"));
}

TEST_F(LayoutTest, TotalsKeepTheTableFormWithTheirTitles) {
  ModuleStats s = distinct_stats();
  report_module(log, ReportOptions{}, s, "m.bas");
  std::string rows = body();
  report_project_totals(log, s);
  report_group_totals(log, s);
  EXPECT_EQ(body(), "Project Totals \n" + rows + "\n" + std::string(117, '-') +
                        "\n\nGroup Totals \n" + rows);
}

TEST(Titles, UpperCasedAndProjectsPaddedWithDashes) {
  EXPECT_EQ(wildcard_set_title("src\\*.bas"), "GENERIC CLASS: SRC\\*.BAS \n\n");
  EXPECT_EQ(project_group_title("c:\\work\\app.vbg"), "PROJECT GROUP: C:\\WORK\\APP.VBG \n\n");
  EXPECT_EQ(project_group_title("\xe9t\xe9.vbg"), "PROJECT GROUP: \xe9T\xe9.VBG \n\n");
  const std::string text = "PROJECT: C:\\WORK\\DEMO.VBP  ";
  EXPECT_EQ(project_title("c:\\work\\demo.vbp"),
            text + std::string(117 - text.size(), '-') + "\n\n");
  // A title already 117 characters or longer still gets exactly one dash.
  for (std::size_t path_size : {104u, 105u, 106u, 110u}) {
    std::string path(path_size, 'p');
    std::size_t before_dashes = 9 + path_size + 2;
    std::size_t dashes = before_dashes < 117 ? 117 - before_dashes : 1;
    EXPECT_EQ(project_title(path),
              "PROJECT: " + std::string(path_size, 'P') + "  " + std::string(dashes, '-') + "\n\n")
        << path_size;
  }
}

}  // namespace
}  // namespace codetal
