// Project and group files that list themselves, list twice, or list
// thousands of files; and a report that fills its disk part way through a
// project.
#include <unistd.h>

#include <algorithm>

#include <gtest/gtest.h>

#include "harness.h"
#include "reliability_texts.h"

namespace codetal::test {
namespace {

const std::string kModule = "Sub Main()\r\n  Dim x\r\nEnd Sub\r\n";
const Counts kModuleCounts = {3, 3, 0, 0, /*Subs*/ 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, /*Dims*/ 1};

Counts times(const Counts& counts, int factor) {
  Counts product = counts;
  for (int& c : product) c *= factor;
  return product;
}

std::string upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::string project_title(const std::string& name) {
  std::string title = "PROJECT: " + upper(name) + "  -";
  if (title.size() < 117) title.append(117 - title.size(), '-');
  return title + "\n\n";
}

std::string group_title(const std::string& name) {
  return "PROJECT GROUP: " + upper(name) + " \n\n";
}

std::string group_totals(const Counts& counts) {
  return "\n" + std::string(117, '-') + "\n\nGroup Totals \n" + table_rows(counts);
}

// A project's block in the report: title, headings, its modules, totals.
std::string project_block(const std::string& project, const std::vector<std::string>& modules,
                          const Counts& each) {
  std::string block = project_title(project) + kHeadings;
  for (const std::string& module : modules) block += module + " \n" + table_rows(each);
  return block + "Project Totals \n" + table_rows(times(each, static_cast<int>(modules.size())));
}

// `n` with leading zeros to `width` digits.
std::string padded(int n, std::size_t width) {
  std::string digits = std::to_string(n);
  return std::string(width - std::min(width, digits.size()), '0') + digits;
}

// The viewer is not on the test's PATH: a run that analysed a module ends
// after its completion lines.
std::string completed_run(const TempFolder& folder, const std::string& processed) {
  return banner(folder.path()) + processed + kCompletion;
}

// ---- Listing files that point back at themselves or repeat ----

TEST(HostileListings, ProjectListingItselfSkipsItsOwnLine) {
  TempFolder folder;
  add_quiet_options(folder);
  folder.write("m.bas", kModule);
  folder.write("app.vbp",
               "Form=app.vbp\r\nModule=M; m.bas\r\nForm=APP.VBP\r\nClass=A; app.vbp\r\n");
  RunResult result = run_codetal(folder, {"app.vbp"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, completed_run(folder, processing("m.bas")));
  EXPECT_EQ(report_body(result), project_block("app.vbp", {"m.bas"}, kModuleCounts));
  EXPECT_TRUE(only_report_changed(result));
}

TEST(HostileListings, GroupListingItselfSkipsItsOwnLineAndReadsALinkToItAsAProject) {
  TempFolder folder;
  add_quiet_options(folder);
  folder.write("m.bas", kModule);
  folder.write("p.vbp", "Module=M; m.bas\r\n");
  folder.write("app.vbg",
               "VBGROUP 5.0\r\nStartupProject=app.vbg\r\nProject=p.vbp\r\nProject=APP.VBG\r\n"
               "Project=self.vbp\r\n");
  // A project name that leads back to the group: read as a project, it
  // lists no module.
  ASSERT_EQ(::symlink("app.vbg", (folder / "self.vbp").c_str()), 0);
  RunResult result = run_codetal(folder, {"app.vbg"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, completed_run(folder, processing("m.bas")));
  EXPECT_EQ(report_body(result),
            group_title("app.vbg") + project_block("p.vbp", {"m.bas"}, kModuleCounts) +
                project_block("self.vbp", {}, kModuleCounts) + group_totals(kModuleCounts));
  EXPECT_TRUE(only_report_changed(result));
}

TEST(HostileListings, ProjectListedTwiceIsReadAndCountedTwice) {
  TempFolder folder;
  add_quiet_options(folder);
  folder.write("m.bas", kModule);
  folder.write("p.vbp", "Module=M; m.bas\r\n");
  folder.write("app.vbg", "Project=p.vbp\r\nProject=p.vbp\r\n");
  RunResult result = run_codetal(folder, {"app.vbg"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, completed_run(folder, processing("m.bas") + processing("m.bas")));
  const std::string block = project_block("p.vbp", {"m.bas"}, kModuleCounts);
  EXPECT_EQ(report_body(result),
            group_title("app.vbg") + block + block + group_totals(times(kModuleCounts, 2)));
  EXPECT_TRUE(only_report_changed(result));
}

// ---- Thousands of files ----

TEST(HostileListings, GroupOfTwoThousandProjects) {
  constexpr int kProjects = 2000;
  TempFolder folder;
  add_quiet_options(folder);
  folder.write("shared/m.bas", kModule);
  std::string group;
  std::string processed;
  std::string expected = group_title("big.vbg");
  for (int i = 0; i < kProjects; ++i) {
    const std::string project = "p" + padded(i, 4) + ".vbp";
    folder.write(project, "Module=M; shared\\m.bas\r\n");
    group += "Project=" + project + "\r\n";
    processed += processing("shared\\m.bas");
    expected += project_block(project, {"shared\\m.bas"}, kModuleCounts);
  }
  folder.write("big.vbg", group);
  RunResult result = run_codetal(folder, {"big.vbg"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, completed_run(folder, processed));
  EXPECT_EQ(report_body(result), expected + group_totals(times(kModuleCounts, kProjects)));
  EXPECT_TRUE(only_report_changed(result));
}

// Eleven lines: two blank, one comment, eight of code (a Sub, a Dim, a For
// and an If among them).
const std::string kElevenLines =
    "Attribute VB_Name = \"m\"\r\nOption Explicit\r\n' comment\r\n\r\nPrivate Sub S()\r\n"
    "    Dim i As Long\r\n    For i = 1 To 2\r\n        If i = 1 Then i = 2\r\n    Next\r\n"
    "End Sub\r\n\r\n";
const Counts kElevenCounts = {11,        8, 1, 2, /*Subs*/ 1, 0, 0, 0,         0,
                              /*Ifs*/ 1, 0, 0, 0, /*Fors*/ 1, 0, 0, /*Dims*/ 1};

TEST(HostileListings, ProjectOfTenThousandModulesWidensItsTotalsRow) {
  constexpr int kModules = 10000;
  TempFolder folder;
  add_quiet_options(folder);
  std::string project;
  std::string processed;
  std::vector<std::string> modules;
  for (int i = 0; i < kModules; ++i) {
    const std::string module = "src/m" + padded(i, 5) + ".bas";
    folder.write(module, kElevenLines);
    project += "Module=M" + std::to_string(i) + "; " + module + "\r\n";
    processed += processing(module);
    modules.push_back(module);
  }
  folder.write("big.vbp", project);
  RunResult result = run_codetal(folder, {"big.vbp"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, completed_run(folder, processed));
  // 110,000 total lines need six columns; the totals row shifts right.
  const std::string expected = project_block("big.vbp", modules, kElevenCounts);
  EXPECT_NE(expected.find("\n110000    80000    10000    20000  |"), std::string::npos);
  EXPECT_EQ(report_body(result), expected);
  EXPECT_TRUE(only_report_changed(result));
}

// ---- The disk fills up part way through the report ----

TEST(HostileListings, ReportCutShortByAFullDiskKeepsWhatWasWritten) {
  if (windows_build()) GTEST_SKIP() << "file size limits are a POSIX resource";
  constexpr int kModules = 20;
  constexpr long long kLimit = 4096;
  TempFolder folder;
  add_quiet_options(folder);
  std::string project;
  std::string processed;
  std::vector<std::string> modules;
  for (int i = 0; i < kModules; ++i) {
    const std::string module = "m" + padded(i, 2) + ".bas";
    folder.write(module, kModule);
    project += "Module=M; " + module + "\r\n";
    processed += processing(module);
    modules.push_back(module);
  }
  folder.write("app.vbp", project);
  const std::string whole = project_block("app.vbp", modules, kModuleCounts);
  ASSERT_GT(whole.size() + 44, static_cast<std::size_t>(kLimit));

  RunOptions options;
  options.file_size_limit = kLimit;
  RunResult result = run_codetal(folder, {"app.vbp"}, options);
  // The failure shows once, when the gathered texts reach the file; the run
  // goes on and ends with status 2.
  EXPECT_EQ(result.out, completed_run(folder, processed) + kWriteFailure);
  EXPECT_EQ(result.status, 2);
  ASSERT_EQ(result.report.size(), static_cast<std::size_t>(kLimit));
  EXPECT_TRUE(header_is_well_formed(result.report));
  EXPECT_EQ(result.report.substr(44), whole.substr(0, kLimit - 44));
  EXPECT_TRUE(only_report_changed(result));
}

}  // namespace
}  // namespace codetal::test
