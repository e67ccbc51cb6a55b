// The report in-process: its header, when the log and the console hand
// their texts on (what the data cases cannot see, since they only look at a
// finished run), every layout written once into a log and compared with
// tests/data/unit/layouts.log (every counter a different value, so that a
// misplaced column shows; numbers too wide for their column; both list
// forms; names that look like formats; totals and titles), and how the
// exports write any name (tests/data/unit/export_text.txt; their files are
// checked byte for byte by the data cases exports-*).
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "cases.h"
#include "exports/export_text.h"
#include "fake_platform.h"
#include "log/layouts.h"
#include "log/log_file.h"
#include "test_data.h"

namespace codetal {
namespace {

using test::kPrompt;

TEST(ReportHeader, IsFortyFourCharactersWithTwoDigitFields) {
  EXPECT_EQ(build_report_header({2000, 3, 14, 9, 5, 7}),
            "Created by Codetal on 03-14-00 at 09:05:07\n\n");
  EXPECT_EQ(build_report_header({1999, 12, 31, 23, 59, 59}),
            "Created by Codetal on 12-31-99 at 23:59:59\n\n");
}

struct LogFixture : ::testing::Test {
  test::FakePlatform platform;
  Console console{platform};
  LogFile log{platform, console};
};

TEST_F(LogFixture, ReportIsOnDiskBeforeEveryWait) {
  log.set_report_header(build_report_header(platform.now));
  log.write_log("before the wait \n");
  console.pause();
  EXPECT_EQ(platform.written["Codetal.log"],
            "Created by Codetal on 03-14-00 at 09:05:07\n\nbefore the wait \n");
}

// A report write that fails only when the wait hands the report to the disk
// is told before that wait's prompt, and each prompt gets its own wait.
// Echoed, each text is written at once: its failure comes before its echo.
TEST(LogFile, FailureIsToldBeforeThePromptOrTheEchoThatMetIt) {
  const std::string failure =
      "Codetal==>  Write error on Codetal.log \n"
      "Codetal==>  Disk may be full \n"
      "Codetal==>  Program will continue \n" +
      kPrompt + "<key>";
  for (bool echoed : {false, true}) {
    test::FakePlatform platform;
    Console console{platform};
    LogFile log{platform, console};
    log.set_echo_log(echoed);
    log.write_log("first \n");  // the header is written at once
    platform.fail_writes = true;
    log.write_log("second \n");
    console.pause();
    console.flush();
    EXPECT_EQ(platform.out,
              (echoed ? "first \n" + failure + "second \n" : failure) + kPrompt + "<key>");
  }
}

// Progress mirrored to a terminal is shown as it happens, not at the next
// wait: that terminal is where the user follows the run. Messages that
// fill the format buffer (512 bytes at first) to its last byte stay whole.
TEST(Console, MirrorToATerminalIsShownAtOnce) {
  test::FakePlatform platform;
  platform.stderr_terminal = true;
  Console console(platform);
  console.mirror_if_redirected();
  std::string shown;
  for (std::size_t size : {5u, 485u, 486u, 487u, 3000u}) {
    const std::string name(size, 'n');
    console.console_message("Codetal==>  Processing  %s \n", name.c_str());
    shown += "Codetal==>  Processing  " + name + " \n";
    EXPECT_EQ(platform.err, shown) << size;
  }
  EXPECT_EQ(platform.out, shown);
}

TEST(Layouts, EveryLayoutAsExpected) {
  test::FakePlatform platform;
  Console console{platform};
  LogFile log{platform, console};
  ModuleStats s;
  for (int c = 0; c < kCounterCount; ++c) s[static_cast<Counter>(c)] = 100 + c;
  ModuleStats wide;
  wide[kTotalLines] = wide[kCodeLines] = 123456;
  wide[kConsts] = 2147483647;
  ReportOptions list, all;
  list.report_form = 0;
  all.report_form = 1;
  all.shown_kinds.fill(1);
  all.blank_lines = 0;

  write_heading_lines(log);
  report_module(log, ReportOptions{}, s, "m.bas");
  report_module(log, ReportOptions{}, wide, "big.bas");
  report_module(log, list, s, "Form1.frm");
  report_module(log, all, s, "Form1.frm");
  write_module_name_line(log, "Sub\\100%s%n.Bas");
  report_module(log, all, ModuleStats{}, "a%d.frm");
  report_project_totals(log, s);
  report_group_totals(log, s);
  report_unlisted_totals(log, wide);
  report_estate_totals(log, s);
  for (const char* name : {"src\\*.bas", "c:\\work\\app.vbg", "\xe9t\xe9.vbg"})
    log.write_log(wildcard_set_title(name) + project_group_title(name) + estate_title(name));
  // A title 117 characters or longer still gets exactly one dash.
  for (std::size_t size : {16u, 104u, 105u, 106u, 110u})
    log.write_log(project_title("c:\\work\\" + std::string(size - 8, 'p')));
  log.write_log("");
  const std::string& text = platform.written["Codetal.log"];
  if (std::getenv("CODETAL_WRITE_EXPECTED") != nullptr)  // after a deliberate change
    std::ofstream(test::data_path("unit/layouts.log"), std::ios::binary) << text;
  EXPECT_TRUE(test::same_text(test::read_file(test::data_path("unit/layouts.log")), text));
}

TEST(ExportText, FieldsAndStringsSurviveAnyName) {
  for (const auto& row : test::read_table("unit/export_text.txt")) {
    std::string csv, json, html;
    append_csv_field(csv, row.at(0));
    append_json_string(json, row[0]);
    append_html_text(html, row[0]);
    EXPECT_EQ(csv, row.at(1)) << row[0];
    EXPECT_EQ(json, row.at(2)) << row[0];
    EXPECT_EQ(html, row.at(3)) << row[0];
  }
}

}  // namespace
}  // namespace codetal
