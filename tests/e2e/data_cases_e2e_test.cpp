// Every case folder of tests/data/e2e, run as it says and compared with what
// it expects: console, report, other written files, exit status, and that
// nothing else changed. Then what a byte comparison cannot tell: that a
// run under load gives the same bytes every time, that the example's page
// works in a browser and that its exports have the sizes the README gives.
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cases.h"
#include "test_data.h"

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

INSTANTIATE_TEST_SUITE_P(E2e, DataCase, ::testing::ValuesIn(case_names("e2e")), case_test_name);

// Two snapshots of an estate made here: the baseline's run, then the run of
// the same estate a month later (a case whose files and steps change it),
// each one's JSON kept; their comparison as the third case expects.
TEST(Compare, AnEstateSinceItsBaseline) {
  TempFolder folder;
  for (const auto& [name, json] :
       {std::pair{"baseline", "old.json"}, {"month-later", "new.json"}}) {
    Case c = prepare_case(std::string("compare/") + name, folder);
    ASSERT_EQ(run_codetal(folder, c.args).status, 0) << name;
    std::filesystem::rename(folder / "Codetal.json", folder / json);
  }
  Case c = prepare_case("compare/since", folder);
  expect_outcome(c, run_codetal(folder, c.args));
  // The module rows as worked by hand, in the run's order.
  std::istringstream csv(replaced(read_file(folder / "Codetal-compare.csv"), "\\", "/"));
  std::string line;
  std::getline(csv, line);
  for (const auto& row : read_table("compare/since/worked")) {
    if (row[0] == "state") continue;
    std::getline(csv, line);
    std::vector<std::string> cells;
    std::istringstream fields(line);
    for (std::string cell; std::getline(fields, cell, ',');) cells.push_back(cell);
    ASSERT_GE(cells.size(), 12u) << line;
    const std::string then = row[1] == "-" ? "" : row[1];
    const std::string now = row[2] == "-" ? "" : row[2];
    EXPECT_EQ(cells[1] + " " + cells[2] + " " + cells[3] + " " + cells[10] + " " + cells[11],
              row[0] + " " + then + " " + now + " " + row[3] + " " + row[4]);
  }
}

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

// Both streams in one file, past the console's buffer many times: each
// stream's messages are whole and in order, however the two interleave.
TEST(Mirror, BothStreamsInOneFileKeepEveryMessageWhole) {
  TempFolder folder;
  Case c = prepare_case("e2e/ten-thousand-modules", folder);
  c.options.stdout_to = "with-stderr";
  const RunResult result = run_codetal(folder, c.args, c.options);
  std::istringstream want_lines(expected(c, "stdout")), got(masked(result.out));
  std::vector<std::string> want;
  for (std::string line; std::getline(want_lines, line);) want.push_back(line);
  std::size_t out = 0, err = 0;
  for (std::string line; std::getline(got, line);) {
    if (out < want.size() && line == want[out]) {
      ++out;
    } else {
      ASSERT_TRUE(err < out && line == want[err]) << "a broken or misplaced line: " << line;
      ++err;
    }
  }
  EXPECT_EQ(out, want.size());
  EXPECT_EQ(err, want.size());
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

// The example's page, and an estate's with its tables of copies, projects
// not read and modules not counted: every table sortable once the script
// has run.
TEST(Exports, PagesRenderInHeadlessChromium) {
  if (windows_build()) GTEST_SKIP() << "the Windows build writes the same page";
  std::string chromium = find_chromium();
  if (chromium.empty()) GTEST_SKIP() << "chromium is not installed (tools/install-deps adds it)";
  for (const char* name : {"exports-example-group", "estate-each-file-once", "estate-in-waves"}) {
    SCOPED_TRACE(name);
    TempFolder folder;
    Case c = prepare_case(std::string("e2e/") + name, folder);
    run_codetal(folder, c.args);
    const std::string artifacts = CODETAL_ARTIFACT_DIR, page = folder / "Codetal.html";
    const std::string browser = "cd '" + folder.path() + "' && timeout 120 setsid '" + chromium +
                                "' --headless --no-sandbox --disable-gpu --disable-quic"
                                " --no-first-run --disable-background-networking"
                                " --disable-component-update --disable-sync"
                                " --enable-logging=stderr --hide-scrollbars --user-data-dir='" +
                                folder.path() + "/profile' ";
    const std::string runs[] = {"--dump-dom 'file://" + page + "' >dom.html 2>dom.err",
                                "--window-size=1280,2200 --screenshot='" + artifacts + "/" + name +
                                    ".png' 'file://" + page + "' >/dev/null 2>&1"};
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
    auto count = [&dom](const std::string& text) {
      std::size_t n = 0;
      for (std::size_t at = dom.find(text); at != std::string::npos; at = dom.find(text, at + 1))
        ++n;
      return n;
    };
    EXPECT_GT(count("<table"), 0u);
    EXPECT_EQ(count("data-sortable=\"yes\""), count("<table")) << "a table the script left";
    if (std::string_view(name) == "estate-in-waves") {
      EXPECT_NE(dom.find("<svg id=\"graph-chart\""), std::string::npos);
    }
    for (const char* chart : {"share-chart", "project-chart", "module-chart", "statement-chart"})
      EXPECT_NE(dom.find(std::string("<svg id=\"") + chart + "\""), std::string::npos) << chart;
    EXPECT_EQ(read_file(artifacts + "/" + name + ".png").substr(1, 3), "PNG");
  }
}

}  // namespace
}  // namespace codetal::test
