// Every case folder of tests/data/e2e, run as it says and compared with what
// it expects: console, report, other written files, exit status, and that
// nothing else changed. Then what a byte comparison cannot tell: that the
// expected estate totals were worked out by hand, and that the example's
// page works in a browser.
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <vector>

#include "cases.h"

namespace codetal::test {
namespace {

class DataCase : public ::testing::TestWithParam<std::string> {};

TEST_P(DataCase, RunsAsExpected) {
  TempFolder folder;
  Case c = prepare_case("e2e/" + GetParam(), folder);
  if (!c.skip.empty()) GTEST_SKIP() << c.skip;
  RunResult result = run_codetal(folder, c.args, c.options);
  if (c.options.read_only_folder && result.status == RunOptions::kNoReadOnlyFolder)
    GTEST_SKIP() << "no private mount namespace with a read-only bind mount here";
  expect_outcome(c, result);
}

std::string test_name(const ::testing::TestParamInfo<std::string>& info) {
  std::string name = info.param;
  for (char& ch : name) ch = ch == '-' ? '_' : ch;
  return name;
}

INSTANTIATE_TEST_SUITE_P(E2e, DataCase, ::testing::ValuesIn(case_names("e2e")), test_name);

// Modules counted on eight threads, finishing out of order, and a module
// that stops the group: the same bytes every run, under load.
TEST(Parallel, FailingModuleUnderLoadGivesTheSameOutcomeEveryRun) {
  // Under Wine, many runs back to back now and then lose their connection to
  // Wine's own server, which says nothing of the build.
  if (windows_build()) GTEST_SKIP() << "Wine's server drops a client now and then under load";
  TempFolder folder;
  Case c = prepare_case("e2e/parallel-group-stops-at-an-empty-module", folder);
  const char* was = std::getenv("CODETAL_THREADS");
  const std::string setting = was != nullptr ? was : "";
  ::setenv("CODETAL_THREADS", "8", 1);
  for (int run = 0; run < 30 && !::testing::Test::HasFailure(); ++run) {
    SCOPED_TRACE(run);
    expect_outcome(c, run_codetal(folder, c.args, c.options));
  }
  was != nullptr ? ::setenv("CODETAL_THREADS", setting.c_str(), 1) : ::unsetenv("CODETAL_THREADS");
}

// An estate's totals count each module file once however many projects
// list it. Worked out here from the module rows of the expected report of
// the data case estate-tree, never from the code under test.
using Counts = std::array<long, 20>;

// The twenty numbers of the row pair that starts the stream.
Counts parse_rows(std::istream& lines) {
  std::string first, second;
  std::getline(lines, first);
  std::getline(lines, second);
  std::istringstream numbers(replaced(first + " " + second, "|", " "));
  Counts c{};
  for (long& n : c) numbers >> n;
  return c;
}

TEST(Estate, TotalsAreTheSumOverDistinctListedFiles) {
  const std::string report = read_file(data_path("e2e/estate-tree/report"));
  std::map<std::string, Counts> distinct;
  std::istringstream lines(report.substr(0, report.find("MODULES IN NO PROJECT")));
  for (std::string line; std::getline(lines, line);) {
    if (!line.starts_with("estate\\") || lines.peek() == 'P' || lines.peek() == '\n') continue;
    // The file system's name: letter case ignored, "x\..\" dropped.
    for (char& c : line) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    for (std::size_t up; (up = line.find("\\..\\")) != std::string::npos;)
      line.erase(line.rfind('\\', up - 1) + 1, up + 3 - line.rfind('\\', up - 1));
    distinct[line] = parse_rows(lines);
  }
  Counts sum{};
  for (const auto& [name, counts] : distinct)
    for (std::size_t i = 0; i < sum.size(); ++i) sum[i] += counts[i];
  std::istringstream totals(report.substr(report.find("Estate Totals \n") + 15));
  EXPECT_EQ(distinct.size(), 7u);
  EXPECT_EQ(parse_rows(totals), sum);
}

// The example's CSV and JSON say what its log says: every module, project
// and group row in the same order with the same figures (the log has no
// Labels column), each totals row the sum of the rows it closes. Read from
// the expected files of the data case exports-example-group.
std::vector<long> numbers_after(std::string_view text, std::size_t skip_fields) {
  std::vector<long> numbers;
  std::size_t field = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] == ',') ++field;
    if (field < skip_fields || text[at] < '0' || text[at] > '9') continue;
    std::size_t end = text.find_first_not_of("0123456789", at);
    numbers.push_back(std::stol(std::string(text.substr(at, end - at))));
    at = end - 1;
  }
  return numbers;
}

TEST(Exports, ExampleFiguresAgreeWithTheLogAndAddUp) {
  const std::string dir = "e2e/exports-example-group/";
  std::istringstream log(read_file(data_path(dir + "report")));
  std::vector<Counts> from_log;
  for (std::string line; std::getline(log, line);) {
    if (line.empty() || line[0] == ' ' || (line[0] >= '0' && line[0] <= '9')) continue;
    if (log.peek() == ' ' || (log.peek() >= '0' && log.peek() <= '9')) {
      if (line.starts_with("Total") || line.starts_with("Lines")) continue;
      from_log.push_back(parse_rows(log));
    }
  }
  std::istringstream csv(read_file(data_path(dir + "files/Codetal.csv")));
  std::string json = read_file(data_path(dir + "files/Codetal.json"));
  std::vector<long> sums[2];  // a project's, a group's
  std::size_t row = 0, object = 0;
  std::string line;
  std::getline(csv, line);  // the header
  for (; std::getline(csv, line); ++row) {
    std::vector<long> counters = numbers_after(line, 5);
    ASSERT_EQ(counters.size(), 21u) << line;
    const std::size_t open =
        json.find(line.starts_with("module") ? "\"counts\"" : "\"totals\"", object);
    ASSERT_NE(open, std::string::npos) << line;
    object = json.find('}', open);
    EXPECT_EQ(numbers_after(std::string_view(json).substr(open, object - open), 0), counters);
    const int level = line.starts_with("module") ? -1 : line.starts_with("project") ? 0 : 1;
    if (level >= 0) {
      EXPECT_EQ(counters, sums[level]) << line;
    }
    if (level < 1) {
      auto& into = sums[level + 1];
      into.resize(21);
      for (std::size_t i = 0; i < 21; ++i) into[i] += counters[i];
    }
    if (level >= 0) sums[level].assign(21, 0);
    counters.erase(counters.begin() + 14);  // Labels
    ASSERT_LT(row, from_log.size());
    EXPECT_TRUE(std::equal(counters.begin(), counters.end(), from_log[row].begin())) << line;
  }
  EXPECT_EQ(row, from_log.size());
}

// The example's page as a browser shows it: loaded without an error, the
// sorting script run to its end, the charts drawn. The screenshot is kept in
// the build folder for people to look at.
std::string find_chromium() {
  std::istringstream folders(std::getenv("PATH") != nullptr ? std::getenv("PATH") : "");
  for (std::string folder; std::getline(folders, folder, ':');)
    if (!folder.empty() && ::access((folder + "/chromium").c_str(), X_OK) == 0)
      return folder + "/chromium";
  return "";
}

TEST(Exports, ExamplePageRendersInHeadlessChromium) {
  if (windows_build()) GTEST_SKIP() << "the Windows build writes the same page";
  std::string chromium = find_chromium();
  if (chromium.empty()) GTEST_SKIP() << "chromium is not installed (tools/install-deps adds it)";
  TempFolder folder;
  Case c = prepare_case("e2e/exports-example-group", folder);
  ASSERT_EQ(run_codetal(folder, c.args).status, 0);
  const std::string artifacts = CODETAL_ARTIFACT_DIR, page = folder / "Codetal.html";
  const std::string browser = "cd '" + folder.path() + "' && timeout 120 setsid '" + chromium +
                              "' --headless --no-sandbox --disable-gpu --disable-quic"
                              " --no-first-run --disable-background-networking"
                              " --disable-component-update --disable-sync"
                              " --enable-logging=stderr --hide-scrollbars --user-data-dir='" +
                              folder.path() + "/profile' ";
  const std::string runs[] = {"--dump-dom 'file://" + page + "' >dom.html 2>dom.err",
                              "--window-size=1280,2200 --screenshot='" + artifacts +
                                  "/example-page.png' 'file://" + page + "' >/dev/null 2>&1"};
  std::filesystem::create_directories(artifacts);
  for (const std::string& run : runs)
    ASSERT_EQ(std::system((browser + run + " </dev/null").c_str()), 0) << run;
  // Well-formed (the page is XHTML-clean) and nothing loaded from elsewhere.
  EXPECT_EQ(std::system(("xmllint --noout '" + page + "'").c_str()), 0);
  const std::string html = read_file(page);
  for (const char* reference : {"src=", "href=", "url(", "@import"})
    EXPECT_EQ(html.find(reference), std::string::npos) << reference;
  std::string dom = read_file(folder / "dom.html"), errors = read_file(folder / "dom.err");
  EXPECT_EQ(errors.find("CONSOLE"), std::string::npos) << errors;
  EXPECT_EQ(errors.find("Uncaught"), std::string::npos) << errors;
  EXPECT_NE(dom.find("data-sortable=\"yes\""), std::string::npos) << "the script did not finish";
  for (const char* chart : {"share-chart", "project-chart", "module-chart", "statement-chart"})
    EXPECT_NE(dom.find(std::string("<svg id=\"") + chart + "\""), std::string::npos) << chart;
  EXPECT_EQ(read_file(artifacts + "/example-page.png").substr(1, 3), "PNG");
}

}  // namespace
}  // namespace codetal::test
