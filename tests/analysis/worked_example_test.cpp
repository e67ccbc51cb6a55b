// The report's worked example, in-process: its counts, and its block in
// list form with the Labels line switched on.
#include <gtest/gtest.h>

#include <string>

#include "analysis/analyze.h"
#include "fake_platform.h"
#include "traverse/module_cycle.h"
#include "worked_example.h"

namespace codetal {
namespace {

struct WorkedExample : ::testing::Test {
  test::FakePlatform platform;
  RunState run{platform};
  WorkedExample() {
    run.input_kind = InputKind::kSingleModule;
    platform.inputs["form1.frm"] = test::worked_example_module_crlf();
  }
  // What the report holds once closed; no header is set in-process.
  std::string report_body() {
    run.log.write_log("");
    return platform.written["Codetal.log"];
  }
};

TEST_F(WorkedExample, HasTheCountsOfTheExample) {
  ASSERT_EQ(analyze_module(run, "form1.frm"), 0);
  ModuleStats expected;
  const std::pair<Counter, int> counts[] = {
      {kTotalLines, 120}, {kCodeLines, 80}, {kCommentLines, 25}, {kBlankLines, 15},
      {kSubs, 3},         {kFunctions, 2},  {kIfs, 9},           {kElseIfs, 1},
      {kDos, 2},          {kWhiles, 1},     {kFors, 3},          {kLabels, 1},
      {kDims, 12},        {kVars, 2},       {kTypes, 1},         {kConsts, 4},
  };
  for (auto [counter, value] : counts) expected[counter] = value;
  EXPECT_EQ(run.module_stats, expected);
}

TEST_F(WorkedExample, ListFormWithLabelsShown) {
  run.options.labels = 1;
  for (int form : {0, 1}) {
    SCOPED_TRACE(form);
    platform.written.clear();
    run.options.report_form = form;
    ASSERT_EQ(process_module(run, "form1.frm"), 0);
    EXPECT_EQ(report_body(),
              "form1.frm \n"
              "File: form1.frm \n"
              "   Total Lines    = 120 \n"
              "   Lines of Code  = 80 \n"
              "   Nbr. Comments  = 25 \n"
              "   Blank Lines    = 15 \n"
              "   ---------------- \n"
              "   Nbr. Subs      = 3 \n"
              "   Nbr. Functions = 2 \n"
              "   Nbr. Labels    = 1 \n"
              "\n");
  }
}

TEST_F(WorkedExample, TableFormAndItsCountsWithTheHeaderCounted) {
  run.options.count_form_headers = 1;
  ASSERT_EQ(process_module(run, "form1.frm"), 0);
  // The designer header's 17 lines become lines of code.
  EXPECT_EQ(report_body(),
            "form1.frm \n"
            "  137       97       25       15  |           3         2         0         0"
            "         0         9         1         2 \n"
            "                                  |           1         3         0        12"
            "         2         1         0         4 \n\n");
}

}  // namespace
}  // namespace codetal
