// The switch scan under both rules, the lone --version, and a batch run in
// process: the same console text, no wait and no clearing.
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

// No options file, a project whose one module is missing, and no module
// analysed: the run waits three times and clears twice, unless it is a
// batch run, which says exactly the same without either.
TEST(Batch, SameConsoleAndReportWithoutWaitsOrClearing) {
  auto run = [](std::vector<std::string> arguments, test::FakePlatform& platform) {
    platform.inputs["app.vbp"] = "Module=Gone; gone.bas\n";
    return run_codetal(platform, arguments);
  };
  test::FakePlatform waiting;
  test::FakePlatform batch;
  EXPECT_EQ(run({"app.vbp", "/z"}, waiting), 2);
  EXPECT_EQ(run({"app.vbp", "/z", "/b"}, batch), 2);
  EXPECT_EQ(waiting.events, "ckckk");
  EXPECT_EQ(batch.events, "");
  std::string expected = waiting.out;
  for (std::size_t at; (at = expected.find("<key>")) != std::string::npos;) expected.erase(at, 5);
  EXPECT_EQ(batch.out, expected);
  EXPECT_EQ(batch.err, waiting.err);
  EXPECT_EQ(batch.written, waiting.written);
  EXPECT_NE(batch.out.find("Program will continue"), std::string::npos);
}

}  // namespace
}  // namespace codetal
