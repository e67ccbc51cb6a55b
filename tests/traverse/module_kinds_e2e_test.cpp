// Every VB6 module kind with optAllModuleKinds=1: user controls, property
// pages, user documents and designers are listed and matched like forms, and
// their designer blocks (and an MDI form's) are skipped like a form's. With
// the key off nothing changes. The fixtures' counts are worked out by hand
// in the expected reports under tests/data/module_kinds.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "console_texts.h"
#include "harness.h"
#include "test_data.h"

namespace codetal::test {
namespace {

const char* kFiles[] = {"Kinds.vbp",   "frmShell.frm", "ctlGauge.ctl", "ppgGauge.pag",
                        "modMain.bas", "docHome.dob",  "deData.dsr"};

std::string data(const std::string& name) {
  return read_test_data("module_kinds/" + name);
}

void write_kinds(const TempFolder& folder, const std::string& records) {
  for (const char* name : kFiles) folder.write(name, data(name));
  folder.write("Codetal.INI", "[Codetal ]\r\noptShellTo=0\r\n" + records);
}

// Each module's block (its name line, two rows and the empty line), by name:
// the paragraphs of three lines but the totals.
std::map<std::string, std::string> module_blocks(const std::string& report) {
  std::map<std::string, std::string> blocks;
  for (std::size_t at = 0, end; (end = report.find("\n\n", at)) != std::string::npos;
       at = end + 2) {
    std::string block = report.substr(at, end + 2 - at);
    std::size_t name_end = block.find(" \n");
    if (std::count(block.begin(), block.end(), '\n') != 4 || block.starts_with("Project Totals"))
      continue;
    blocks[block.substr(0, name_end)] = block;
  }
  return blocks;
}

TEST(ModuleKinds, ProjectListingEveryKind) {
  const struct {
    const char* records;
    const char* report;
  } cases[] = {
      {"", "classic_kinds.report"},
      {"optAllModuleKinds=0\r\n", "classic_kinds.report"},
      {"optAllModuleKinds=1\r\n", "all_kinds.report"},
      {"optAllModuleKinds=1\r\noptCountFormHeaders=1\r\n", "all_kinds_headers_counted.report"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.records);
    TempFolder folder;
    write_kinds(folder, c.records);
    RunResult result = run_codetal(folder, {"Kinds.vbp"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(report_body(result), data(c.report));
    EXPECT_TRUE(only_report_changed(result));
  }
  // With the key off, the new lines are as good as absent.
  TempFolder plain;
  write_kinds(plain, "");
  plain.write("Kinds.vbp",
              "Type=Exe\r\nForm=frmShell.frm\r\nModule=modMain; modMain.bas\r\nName=\"Kinds\"\r\n");
  EXPECT_EQ(report_body(run_codetal(plain, {"Kinds.vbp"})), data("classic_kinds.report"));
}

TEST(ModuleKinds, WildcardSetsMatchTheNewExtensionsOnlyWithTheKey) {
  const struct {
    const char* records;
    const char* pattern;
    const char* blocks_from;           // the project report that shows each module
    std::vector<std::string> modules;  // in the order listed, ignoring case
  } cases[] = {
      {"optAllModuleKinds=1\r\n", "*.ctl", "all_kinds.report", {"ctlGauge.ctl"}},
      {"optAllModuleKinds=1\r\n",
       "*.*",
       "all_kinds.report",
       {"ctlGauge.ctl", "deData.dsr", "docHome.dob", "frmShell.frm", "modMain.bas",
        "ppgGauge.pag"}},
      {"", "*.*", "classic_kinds.report", {"frmShell.frm", "modMain.bas"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.records) + c.pattern);
    const std::map<std::string, std::string> blocks = module_blocks(data(c.blocks_from));
    TempFolder folder;
    write_kinds(folder, c.records);
    RunResult result = run_codetal(folder, {c.pattern});
    std::string title = c.pattern;  // upper-cased in the title
    for (char& letter : title)
      letter = letter >= 'a' && letter <= 'z' ? letter - 'a' + 'A' : letter;
    std::string expected = "GENERIC CLASS: " + title + " \n\n" + kHeadings;
    std::string console = banner(folder.path());
    for (const std::string& name : c.modules) {
      expected += blocks.at(name);
      console += processing(name);
    }
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(report_body(result), expected);
    EXPECT_EQ(result.out, console + kCompletion + kPrompt);
  }
  // Without the key a ".ctl" pattern is no input Codetal knows.
  TempFolder folder;
  write_kinds(folder, "");
  RunResult result = run_codetal(folder, {"*.ctl"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, banner(folder.path()) + kInvalid + kCompletion + kPrompt);
}

TEST(ModuleKinds, MissingUserControlFailsLikeAMissingForm) {
  TempFolder folder;
  write_kinds(folder, "optAllModuleKinds=1\r\n");
  folder.write("Kinds.vbp", "Type=Exe\r\nUserControl=gone.ctl\r\nModule=modMain; modMain.bas\r\n");
  RunResult result = run_codetal(folder, {"Kinds.vbp"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, banner(folder.path()) + unable_to_open("gone.ctl") + kContinue +
                            processing("modMain.bas") + kCompletion + kPrompt);
  const std::string report = report_body(result);
  EXPECT_NE(report.find("gone.ctl \nmodMain.bas \n"), std::string::npos);
  EXPECT_TRUE(only_report_changed(result));
}

}  // namespace
}  // namespace codetal::test
