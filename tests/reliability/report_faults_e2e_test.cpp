// The report cannot be written: the run says so in the report's own words,
// goes on, echoes what it could not write, and ends with status 2, since the
// one thing the user asked for is missing.
#include <unistd.h>

#include <gtest/gtest.h>

#include "harness.h"
#include "reliability_texts.h"

namespace codetal::test {
namespace {

const std::string kModule = "Sub Main()\r\n  Dim x\r\nEnd Sub\r\n";
const Counts kModuleCounts = {3, 3, 0, 0, /*Subs*/ 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, /*Dims*/ 1};

int count_of(const std::string& text, const std::string& part) {
  int found = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++found;
  return found;
}

TEST(ReportFaults, WriteFailureIsShownOnceAndEveryTextStillEchoed) {
  if (windows_build()) GTEST_SKIP() << "/dev/full exists only on POSIX";
  TempFolder folder;
  add_quiet_options(folder);
  folder.write("m.bas", kModule);
  ASSERT_EQ(::symlink("/dev/full", (folder / "Codetal.log").c_str()), 0);
  RunResult result = run_codetal(folder, {"m.bas", "/z"});
  // The header is the first write and fails; from then on nothing more is
  // tried, and each text is only echoed.
  const std::string expected_start = banner(folder.path()) + kWriteFailure;
  ASSERT_EQ(result.out.substr(0, expected_start.size()), expected_start);
  std::string rest = result.out.substr(expected_start.size());
  EXPECT_TRUE(header_is_well_formed(rest));
  EXPECT_EQ(rest.substr(44),
            kHeadings + "m.bas \n" + processing("m.bas") + table_rows(kModuleCounts) + kCompletion);
  EXPECT_EQ(result.status, 2);
  EXPECT_TRUE(only_report_changed(result));
}

// Each text tries the open again, is lost, and is not echoed.
std::string open_failure_run(const std::string& folder) {
  return banner(folder) + kOpenFailure + kOpenFailure + kOpenFailure + processing("m.bas") +
         kOpenFailure + kOpenFailure + kCompletion + kOpenFailure;
}

TEST(ReportFaults, FolderInTheReportsPlaceFailsEveryOpen) {
  TempFolder folder;
  add_quiet_options(folder);
  folder.write("m.bas", kModule);
  folder.make_folder("Codetal.log");
  RunResult result = run_codetal(folder, {"m.bas"});
  // Heading lines, name line, two rows and the closing text: six tries.
  EXPECT_EQ(result.out, open_failure_run(folder.path()));
  EXPECT_EQ(count_of(result.out, kOpenFailure), 6);
  EXPECT_EQ(result.status, 2);
  EXPECT_FALSE(result.report_exists);
  EXPECT_TRUE(only_report_changed(result));
}

TEST(ReportFaults, ReadOnlyFolderFailsEveryOpenEvenForRoot) {
  if (windows_build()) GTEST_SKIP() << "mount namespaces exist only on Linux";
  if (std::string why = read_only_unavailable(); !why.empty()) GTEST_SKIP() << why;
  TempFolder folder;
  add_quiet_options(folder);
  folder.write("m.bas", kModule);
  RunOptions options;
  options.read_only_folder = true;
  RunResult result = run_codetal(folder, {"m.bas"}, options);
  EXPECT_EQ(result.out, open_failure_run(folder.path()));
  EXPECT_EQ(result.status, 2);
  EXPECT_FALSE(result.report_exists);
  EXPECT_TRUE(only_report_changed(result));
}

// A "Codetal.log" planted in the analysed folder must not lead the report
// into another file, create one elsewhere, or hang the run.
TEST(ReportFaults, PlantedLinkOrPipeInTheReportsPlaceIsNeverWrittenThrough) {
  if (windows_build()) GTEST_SKIP() << "POSIX links and pipes";
  struct Case {
    const char* what;
    void (*make)(const TempFolder&);
  };
  const Case cases[] = {
      {"link to a file",
       [](const TempFolder& f) {
         f.write("victim.txt", "keep me\n");
         ASSERT_EQ(::symlink("victim.txt", (f / "Codetal.log").c_str()), 0);
       }},
      {"dangling link",
       [](const TempFolder& f) {
         ASSERT_EQ(::symlink("sub/created.txt", (f / "Codetal.log").c_str()), 0);
         f.make_folder("sub");
       }},
      {"pipe",
       [](const TempFolder& f) { ASSERT_EQ(::mkfifo((f / "Codetal.log").c_str(), 0600), 0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    add_quiet_options(folder);
    folder.write("m.bas", kModule);
    c.make(folder);
    RunOptions options;
    options.timeout_seconds = 20;
    RunResult result = run_codetal(folder, {"m.bas"}, options);
    EXPECT_EQ(result.out, open_failure_run(folder.path()));
    EXPECT_EQ(result.status, 2);
    EXPECT_TRUE(result.changed_files.empty()) << result.changed_files.front();
  }
}

TEST(ReportFaults, LinkToADeviceIsWrittenThrough) {
  if (windows_build()) GTEST_SKIP() << "/dev/null exists only on POSIX";
  TempFolder folder;
  add_quiet_options(folder);
  folder.write("m.bas", kModule);
  ASSERT_EQ(::symlink("/dev/null", (folder / "Codetal.log").c_str()), 0);
  RunResult result = run_codetal(folder, {"m.bas"});
  EXPECT_EQ(result.out, banner(folder.path()) + processing("m.bas") + kCompletion);
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(result.changed_files.empty());
}

TEST(ReportFaults, ExistingReportIsTruncatedOnlyByARunThatWrites) {
  TempFolder folder;
  add_quiet_options(folder);
  folder.write("m.bas", kModule);
  folder.write("Codetal.log", std::string(10000, 'o'));
  RunResult result = run_codetal(folder, {"m.bas"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(report_body(result), kHeadings + "m.bas \n" + table_rows(kModuleCounts));
  EXPECT_TRUE(only_report_changed(result));
}

}  // namespace
}  // namespace codetal::test
