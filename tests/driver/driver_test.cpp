// The input kind a name stands for (tests/data/unit/input_kinds.txt).
#include "driver/driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "fake_platform.h"
#include "log/log_file.h"
#include "test_data.h"

namespace codetal {
namespace {

TEST(InputKind, DecidedByTheFinalComponentItsLastDotAndTheKindsKey) {
  const std::map<std::string, InputKind> kinds = {
      {"module", InputKind::kSingleModule}, {"wildcard", InputKind::kWildcardSet},
      {"project", InputKind::kProject},     {"group", InputKind::kProjectGroup},
      {"estate", InputKind::kEstate},       {"invalid", InputKind::kInvalid}};
  for (const auto& row : test::read_table("unit/input_kinds.txt")) {
    EXPECT_EQ(choose_input_kind(row.at(0), ModuleKinds::kClassic), kinds.at(row.at(1))) << row[0];
    EXPECT_EQ(choose_input_kind(row[0], ModuleKinds::kAll), kinds.at(row.at(2))) << row[0];
  }
}

// Ctrl+C, SIGTERM or a closed console while the run measures: it ends at its
// next module, the report says so, and no export is written.
class StoppedAfterOneModule : public test::FakePlatform {
 public:
  // Asked for by the project, then before each of its modules.
  bool stop_requested() override { return ++asks_ > 2; }
  void remove_file(std::string_view name) override { removed.emplace_back(name); }
  std::vector<std::string> removed;

 private:
  int asks_ = 0;
};

TEST(StopAsked, EndsTheRunAtItsNextModuleWithANoteAndNoExport) {
  StoppedAfterOneModule platform;
  platform.inputs = {{"p.vbp", "Module=a; a.bas\r\nModule=b; b.bas\r\n"},
                     {"a.bas", "Sub A()\r\nEnd Sub\r\n"},
                     {"b.bas", "Sub B()\r\nEnd Sub\r\n"}};
  EXPECT_EQ(run_codetal(platform, {"p.vbp", "/b", "/json"}), 2);
  const std::string& log = platform.written["Codetal.log"];
  EXPECT_TRUE(log.ends_with(kStoppedNote)) << log;
  EXPECT_NE(log.find("a.bas"), std::string::npos);
  EXPECT_EQ(log.find("b.bas"), std::string::npos);
  EXPECT_EQ(log.find("Project Totals"), std::string::npos);
  EXPECT_FALSE(platform.written.contains("Codetal.json"));
  EXPECT_EQ(platform.removed, std::vector<std::string>{"Codetal.json"}) << "an earlier run's";
}

// Each file is opened once, whichever thread counts it: a second open would
// be a descriptor the run holds for nothing.
TEST(Run, OpensEachFileOnce) {
  test::FakePlatform platform;
  platform.inputs = {{"g.vbg", "Project=p.vbp\r\n"},
                     {"p.vbp", "Module=a; a.bas\r\nModule=b; b.bas\r\nClass=c; c.cls\r\n"},
                     {"a.bas", "Sub A()\r\nEnd Sub\r\n"},
                     {"b.bas", "x = 1\r\n"},
                     {"c.cls", "Option Explicit\r\n"}};
  EXPECT_EQ(run_codetal(platform, {"g.vbg", "/b", "/json", "/assess"}), 0);
  std::vector<std::string> opened = platform.asked;
  std::erase_if(opened, [](const std::string& name) { return name.ends_with(".INI"); });
  std::sort(opened.begin(), opened.end());
  EXPECT_EQ(opened, (std::vector<std::string>{"a.bas", "b.bas", "c.cls", "g.vbg", "p.vbp"}));
}

}  // namespace
}  // namespace codetal
