// The switch scan under both rules, and the lone --version: one line, no
// wait and no clearing.
#include "driver/switches.h"

#include <gtest/gtest.h>

#include "driver/driver.h"
#include "fake_platform.h"

namespace codetal {
namespace {

std::string letters(const Switches& s) {
  return std::string(s.verbose ? "v" : "") + (s.echo ? "z" : "") + (s.batch ? "b" : "");
}

struct SwitchCase {
  std::vector<std::string> arguments;
  const char* from_first_slash;  // the Windows build
  const char* after_input_name;  // POSIX
};

TEST(Switches, EachRuleFindsItsLettersAndBatchOnlyAsAWholeLaterArgument) {
  const SwitchCase cases[] = {
      {{"x.bas", "/v"}, "v", "v"},
      {{"x.bas", "/v", "zero"}, "vz", "vz"},
      {{"x.bas", "zip", "/v"}, "v", "v"},
      {{"x.bas", "-v"}, "", ""},
      {{"x.bas", "/verbose"}, "v", "v"},
      {{"x.bas", "/vz"}, "v", "v"},
      {{"x.bas", "/v/z"}, "vz", "vz"},
      {{"x.bas", "/Z"}, "z", "z"},
      {{"x.bas", "//", "/q"}, "", ""},
      {{"zz.bas", "v"}, "", ""},
      {{"c:/vb/zip.bas"}, "vz", ""},
      {{"/home/val/zoo/m.bas"}, "vz", ""},
      {{"/home/val/zoo/m.bas", "/V"}, "vz", "v"},
      {{"src/x.bas", "zip"}, "z", ""},
      {{"x.bas", "/b"}, "b", "b"},
      {{"x.bas", "/v", "/B"}, "vb", "vb"},
      {{"/b"}, "", ""},
      {{"c:/b/x.bas"}, "", ""},
      {{"/b/x.bas", "/z"}, "z", "z"},
      {{"x.bas", "/bv"}, "", ""},
      {{"x.bas", "/v/b"}, "v", "v"},
      {{"x.bas", "dir/b"}, "", ""},
      {{"x.bas", "b"}, "", ""},
  };
  for (const SwitchCase& c : cases) {
    std::string line;
    for (const std::string& a : c.arguments) line += a + " ";
    EXPECT_EQ(letters(scan_switches(c.arguments, SwitchScan::kFromFirstSlash)), c.from_first_slash)
        << line;
    EXPECT_EQ(letters(scan_switches(c.arguments, SwitchScan::kAfterInputName)), c.after_input_name)
        << line;
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
