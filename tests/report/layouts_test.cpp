// The report's fixed-column texts, every layout written once into a log and
// compared with tests/data/unit/layouts.log: every counter a different value,
// so that a misplaced column shows; numbers too wide for their column; both
// list forms; names that look like formats; totals and titles.
#include "report/layouts.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "cases.h"
#include "fake_platform.h"
#include "test_data.h"

namespace codetal {
namespace {

TEST(Layouts, EveryLayoutAsExpected) {
  test::FakePlatform platform;
  Console console{platform};
  ReportLog log{platform, console};
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
  EXPECT_TRUE(test::same_text(test::read_test_data("unit/layouts.log"), text));
}

}  // namespace
}  // namespace codetal
