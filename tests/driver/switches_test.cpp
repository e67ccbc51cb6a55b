// The switch scan under both rules, and the lone --version: one line, no
// wait and no clearing.
#include "driver/switches.h"

#include <gtest/gtest.h>

#include <sstream>
#include "driver/driver.h"

#include "fake_platform.h"
#include "test_data.h"

namespace codetal {
namespace {

std::string letters(const Switches& s) {
  return std::string(s.verbose ? "v" : "") + (s.echo ? "z" : "") + (s.batch ? "b" : "");
}

TEST(Switches, EachRuleFindsItsLettersAndBatchOnlyAsAWholeLaterArgument) {
  for (const auto& row : test::read_table("unit/switches.txt")) {
    std::vector<std::string> arguments;
    std::istringstream words(row.at(0));
    for (std::string word; words >> word;) arguments.push_back(word);
    for (int rule = 0; rule < 2; ++rule) {
      const Switches found = scan_switches(
          arguments, rule == 0 ? SwitchScan::kFromFirstSlash : SwitchScan::kAfterInputName);
      EXPECT_EQ(letters(found), row.at(rule + 1) == "-" ? "" : row[rule + 1]) << row[0];
    }
  }
  EXPECT_EQ(build_switch_scan(), SwitchScan::kAfterInputName);  // unit tests run on POSIX
}

TEST(Version, OnlyALoneDoubleDashVersion) {
  EXPECT_TRUE(wants_version({"--version"}));
  for (std::vector<std::string> arguments : {std::vector<std::string>{},
                                             {"--version", "x.bas"},
                                             {"x.bas", "--version"},
                                             {"-version"},
                                             {"--VERSION"},
                                             {"/v"},
                                             {"--versions"}})
    EXPECT_FALSE(wants_version(arguments));
  test::FakePlatform platform;
  EXPECT_EQ(run_codetal(platform, {"--version"}), 0);
  EXPECT_EQ(platform.out, "codetal 1.1a\n");
  EXPECT_EQ(platform.events, "");
  EXPECT_TRUE(platform.written.empty());
}

}  // namespace
}  // namespace codetal
