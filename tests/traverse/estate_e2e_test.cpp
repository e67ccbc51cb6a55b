// A folder as the input: every group, project and module under it in one
// run, each file counted once in the estate totals.
#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <map>
#include <sstream>

#include <gtest/gtest.h>

#include "traverse_expect.h"

namespace codetal::test {
namespace {

std::string estate_data(const std::string& name) {
  return read_file(std::string(CODETAL_ESTATE_DATA) + "/" + name);
}

// The estate of tests/data/estate/Estate, plus two links that a walk must
// not follow: one from Tools back up to the estate's root, a loop, and one to
// a folder beside the estate whose module would show as unlisted.
void lay_out_estate(const TempFolder& folder) {
  namespace fs = std::filesystem;
  fs::copy(std::string(CODETAL_ESTATE_DATA) + "/Estate", folder / "Estate",
           fs::copy_options::recursive);
  ASSERT_EQ(::symlink("..", (folder / "Estate/Tools/loop").c_str()), 0);
  folder.write("Outside/modOutside.bas", "x = 1\r\n");
  ASSERT_EQ(::symlink("../../Outside", (folder / "Estate/Tools/outside").c_str()), 0);
  // Windows hides by attribute; Wine also hides names with a leading ".".
  if (windows_build()) set_hidden_attribute(folder, "Estate/.attic");
  add_quiet_options(folder);
}

void replace_all(std::string& text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// Project titles fill the line with dashes to a fixed width.
void redraw_project_titles(std::string& report) {
  std::istringstream lines(report);
  std::string redrawn;
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("PROJECT: ")) {
      std::string title = project_title(line.substr(9, line.find("  -") - 9));
      line = title.substr(0, title.size() - 2);
    }
    redrawn += line + "\n";
  }
  report = redrawn;
}

// A name as the file system sees it: letter case ignored, "x\..\" dropped.
std::string same_file_key(std::string name) {
  for (char& c : name)
    c = c == '/' ? '\\' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (std::size_t up; (up = name.find("\\..\\")) != std::string::npos;) {
    std::size_t start = name.rfind('\\', up - 1);
    name.erase(start + 1, up + 4 - start - 1);
  }
  return name;
}

// The twenty numbers of a row pair.
Counts parse_rows(std::istringstream& lines) {
  Counts c{};
  std::string first, second;
  std::getline(lines, first);
  std::getline(lines, second);
  std::istringstream numbers(first + " " + second);
  for (int& n : c) {
    std::string word;
    while (numbers >> word && word == "|") {
    }
    n = std::stoi(word);
  }
  return c;
}

// From the report alone: every listed module file's row, once per file,
// summed; and the Estate Totals row.
void sum_distinct_listed_files(const std::string& report, Counts& sum, Counts& estate_totals,
                               int& files) {
  std::map<std::string, Counts> distinct;
  std::istringstream lines(report.substr(0, report.find("MODULES IN NO PROJECT")));
  for (std::string line; std::getline(lines, line);) {
    bool module_line = line.starts_with("estate\\") && lines.peek() != 'P' && lines.peek() != '\n';
    if (module_line) distinct[same_file_key(line)] = parse_rows(lines);
  }
  sum = Counts{};
  for (const auto& [name, counts] : distinct)
    for (std::size_t i = 0; i < sum.size(); ++i) sum[i] += counts[i];
  files = static_cast<int>(distinct.size());
  std::istringstream totals(report.substr(report.find("Estate Totals \n") + 15));
  estate_totals = parse_rows(totals);
}

TEST(Estate, WholeReportAndEstateTotalsOverDistinctFiles) {
  TempFolder folder;
  lay_out_estate(folder);
  RunResult result = run_codetal(folder, {"Estate"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, banner(folder.path()) + estate_data("Estate.console"));
  EXPECT_EQ(result.err, result.out);
  EXPECT_EQ(report_body(result), estate_data("Estate.log"));
  EXPECT_TRUE(only_report_changed(result));

  Counts sum, estate_totals;
  int files = 0;
  sum_distinct_listed_files(report_body(result), sum, estate_totals, files);
  EXPECT_EQ(files, 7);
  EXPECT_EQ(estate_totals, sum);
}

TEST(Estate, FolderGivenAsDotDotDotOrWithATrailingSeparator) {
  struct Form {
    std::string argument;
    std::string run_in;  // inside the temporary folder
    std::string prefix;  // what stands for "estate\" in every name
  };
  const Form forms[] = {
      {"Estate\\", "", "estate\\"},
      {"estate/", "", "estate/"},
      {".", "Estate", ".\\"},
      {"..", "Estate/Tools", "..\\"},
  };
  for (const Form& form : forms) {
    TempFolder folder;
    lay_out_estate(folder);
    if (!form.run_in.empty()) add_quiet_options(folder, form.run_in + "/");
    RunOptions options;
    options.folder = form.run_in;
    RunResult result = run_codetal(folder, {form.argument}, options);

    std::string report = estate_data("Estate.log");
    std::string console = estate_data("Estate.console");
    std::string upper_prefix = upper(form.prefix);
    replace_all(report, "ESTATE: ESTATE \n", "ESTATE: " + upper(form.argument) + " \n");
    replace_all(report, "estate\\", form.prefix);
    replace_all(report, "ESTATE\\", upper_prefix);
    replace_all(console, "estate\\", form.prefix);
    redraw_project_titles(report);
    EXPECT_EQ(result.status, 2) << form.argument;
    EXPECT_EQ(report_body(result), report) << form.argument;
    std::string run_folder = form.run_in.empty() ? folder.path() : folder / form.run_in;
    EXPECT_EQ(result.out, banner(run_folder) + console) << form.argument;
  }
}

TEST(Estate, EmptyFolderGivesTheTitleAndZeroTotals) {
  TempFolder folder;
  add_quiet_options(folder);
  folder.make_folder("Empty");
  RunResult result = run_codetal(folder, {"Empty"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, banner(folder.path()) + kCompletion + kPrompt);
  EXPECT_EQ(report_body(result), estate_data("Empty.log"));
  EXPECT_TRUE(only_report_changed(result));
}

}  // namespace
}  // namespace codetal::test
