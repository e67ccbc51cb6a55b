// The command line read under both letter rules, and the lone --version: one
// line, no wait and no clearing.
#include "driver/command_line.h"

#include <gtest/gtest.h>

#include <sstream>

#include "driver/driver.h"
#include "fake_platform.h"
#include "test_data.h"

namespace codetal {
namespace {

std::string described(const CommandLine& c) {
  std::string words;
  auto say = [&words](bool on, std::string_view word) {
    if (on) words.append(words.empty() ? "" : " ").append(word);
  };
  say(c.verbose, "v");
  say(c.echo, "z");
  say(c.batch, "b");
  say(c.exports.csv, "csv");
  say(c.exports.json, "json");
  say(c.exports.html, "html");
  say(c.exports.dot, "dot");
  say(c.assess, "assess");
  for (const std::string& pattern : c.left_out) say(true, "x=" + pattern);
  say(!c.stray_name.empty(), "stray=" + c.stray_name);
  for (const std::string& unknown : c.unknown_switches) say(true, "?" + unknown);
  say(c.switch_first, "first");
  say(c.usage, "usage");
  say(c.version, "version");
  say(c.compare, "compare=" + c.compare_old + ">" + c.compare_new);
  for (const std::string& extra : c.compare_extra) say(true, "+" + extra);
  return words.empty() ? "-" : words;
}

TEST(CommandLine, EachRuleFindsWhatTheArgumentsSayAndNothingInAPattern) {
  for (const auto& row : test::read_table("unit/command_line.txt")) {
    std::vector<std::string> arguments;
    std::istringstream words(row.at(0) == "_" ? "" : row[0]);
    for (std::string word; words >> word;) arguments.push_back(word);
    EXPECT_EQ(described(read_command_line(arguments, SwitchScan::kFromFirstSlash)), row.at(1))
        << row[0];
    EXPECT_EQ(described(read_command_line(arguments, SwitchScan::kAfterInputName)), row.at(2))
        << row[0];
  }
  EXPECT_EQ(build_switch_scan(), SwitchScan::kAfterInputName);  // unit tests run on POSIX
}

TEST(Version, PrintsOneLineAndTouchesNothing) {
  test::FakePlatform platform;
  EXPECT_EQ(run_codetal(platform, {"--version"}), 0);
  EXPECT_EQ(platform.out, "codetal 1.1a\n");
  EXPECT_EQ(platform.events, "");
  EXPECT_TRUE(platform.written.empty());
}

}  // namespace
}  // namespace codetal
