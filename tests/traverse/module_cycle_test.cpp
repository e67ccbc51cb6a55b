#include "traverse/module_cycle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_platform.h"
#include "report/layouts.h"

namespace codetal {
namespace {

const std::string kPrompt = "Codetal==>  Press Enter to continue \n<key>";

struct ModuleCycleTest : ::testing::Test {
  test::FakePlatform platform;
  RunState run{platform};

  std::string console_text() {
    run.console.flush();
    return platform.out;
  }
  // The report's lines once it is closed (no header is set in-process).
  std::vector<std::string> report_lines() {
    run.log.write_log("");
    std::string body = platform.written["Codetal.log"];
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < body.size();) {
      std::size_t end = body.find('\n', at);
      lines.push_back(body.substr(at, end - at));
      at = end + 1;
    }
    return lines;
  }
};

ModuleStats some_totals() {
  ModuleStats s;
  s[kTotalLines] = 10;
  s[kCodeLines] = 10;
  s[kSubs] = 2;
  return s;
}

TEST_F(ModuleCycleTest, FailedModuleStopsEveryInputButAProject) {
  struct Case {
    InputKind kind;
    int result;
    const char* policy;
  };
  const Case cases[] = {
      {InputKind::kSingleModule, 1, "Codetal==>  Program will abort \n\n"},
      {InputKind::kWildcardSet, 1, "Codetal==>  Program will abort \n\n"},
      {InputKind::kProjectGroup, 1, "Codetal==>  Program will abort \n\n"},
      {InputKind::kProject, 0, "Codetal==>  Program will continue \n\n"},
  };
  for (const Case& c : cases) {
    test::FakePlatform fresh;
    RunState state(fresh);
    state.input_kind = c.kind;
    state.project_totals = some_totals();
    state.group_totals = some_totals();
    EXPECT_EQ(process_module(state, "Missing.bas"), c.result);
    state.console.flush();
    std::string expected = std::string(
                               "Codetal==>  Unable to open Missing.bas for reading \n"
                               "Codetal==>  The file probably doesn't exist \n\n") +
                           c.policy + kPrompt + (c.result == 1 ? "\n" : "");
    EXPECT_EQ(fresh.out, expected);
    EXPECT_EQ(fresh.waits(), 1);
    EXPECT_TRUE(state.failed);
    EXPECT_EQ(state.project_totals, some_totals());
    EXPECT_EQ(state.group_totals, some_totals());
    EXPECT_EQ(state.module_stats, ModuleStats{});
    EXPECT_EQ(state.current_module_name, "Missing.bas");
    // The name line stands in the report; no block follows it.
    state.log.write_log("");
    EXPECT_EQ(fresh.written["Codetal.log"], "Missing.bas \n");
  }
}

TEST_F(ModuleCycleTest, ZeroLengthModuleFailsLikeAMissingOne) {
  run.input_kind = InputKind::kProject;
  platform.inputs["Empty.bas"] = "";
  EXPECT_EQ(process_module(run, "Empty.bas"), 0);
  EXPECT_EQ(console_text(),
            "Codetal==>  Processing  Empty.bas \n"
            "\n"
            "Codetal==>  Unable to read Empty.bas \n"
            "Codetal==>  File is most probably of zero length \n"
            "Codetal==>  Program will continue \n\n" +
                kPrompt);
  EXPECT_TRUE(run.failed);
  EXPECT_EQ(run.modules_analyzed, 0);
  EXPECT_EQ(run.project_totals, ModuleStats{});
}

TEST_F(ModuleCycleTest, ModulesInARowStartFromZeroAndAddUp) {
  run.input_kind = InputKind::kProject;
  // The first module is large and ends inside a form header, mid-line.
  std::string big = "Begin VB.Form F \n";
  for (int i = 0; i < 150000; ++i) big += "Sub S()\n";
  big += "   Caption = 1";
  platform.inputs["Big.frm"] = big;
  platform.inputs["small.bas"] = "Dim x\r\n' note\r\n\r\nIf x Then x = 2\r\n";
  ModuleStats first;
  first[kTotalLines] = 1;
  first[kCodeLines] = 1;
  ModuleStats second;
  second[kTotalLines] = 4;
  second[kCodeLines] = 2;
  second[kCommentLines] = 1;
  second[kBlankLines] = 1;
  second[kDims] = 1;
  second[kIfs] = 1;

  ASSERT_EQ(process_module(run, "Big.frm"), 0);
  EXPECT_EQ(run.project_totals, first);
  EXPECT_EQ(run.module_stats, ModuleStats{});
  EXPECT_FALSE(run.reader.end_of_module());
  ASSERT_EQ(process_module(run, "small.bas"), 0);
  ModuleStats both = first;
  both += second;
  EXPECT_EQ(run.project_totals, both);
  EXPECT_EQ(run.module_stats, ModuleStats{});
  EXPECT_EQ(run.modules_analyzed, 2);
  EXPECT_FALSE(run.failed);
  EXPECT_EQ(console_text(),
            "Codetal==>  Processing  Big.frm \n"
            "Codetal==>  Processing  small.bas \n");

  std::vector<std::string> lines = report_lines();
  ASSERT_EQ(lines.size(), 8u);  // per module: name line, two rows, empty line
  EXPECT_EQ(lines[0], "Big.frm ");
  EXPECT_EQ(lines[4], "small.bas ");
  for (std::size_t row : {2u, 6u}) EXPECT_TRUE(lines[row].starts_with(kRowPrefix)) << row;
  EXPECT_TRUE(lines[5].starts_with("    4        2        1        1  |  "));
}

TEST_F(ModuleCycleTest, ProjectSumsIntoTheGroupAndResetsAlone) {
  run.project_totals = some_totals();
  run.module_stats[kIfs] = 3;
  sum_project_totals(run);
  sum_project_totals(run);
  ModuleStats twice = some_totals();
  twice += some_totals();
  EXPECT_EQ(run.group_totals, twice);
  reset_project_state(run);
  EXPECT_EQ(run.project_totals, ModuleStats{});
  EXPECT_EQ(run.group_totals, twice);
  EXPECT_EQ(run.module_stats[kIfs], 3);  // zero anyway after a project's last module
  sum_module_totals(run);
  EXPECT_EQ(run.project_totals[kIfs], 3);
  reset_module_state(run);
  EXPECT_EQ(run.module_stats, ModuleStats{});
  EXPECT_EQ(run.project_totals[kIfs], 3);
}

}  // namespace
}  // namespace codetal
