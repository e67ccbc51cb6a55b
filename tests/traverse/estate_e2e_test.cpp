// An estate's totals count each module file once however many projects
// list it. Worked out here from the module rows of the expected report of
// the data case estate-tree (which the real run must match byte for byte),
// never from the code under test.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <sstream>

#include "cases.h"

namespace codetal::test {
namespace {

using Counts = std::array<long, 20>;

// The twenty numbers of a row pair.
Counts parse_rows(std::istream& lines) {
  Counts c{};
  std::string first, second, word;
  std::getline(lines, first);
  std::getline(lines, second);
  std::istringstream numbers(first + " " + second);
  for (long& n : c) {
    while (numbers >> word && word == "|") {
    }
    n = std::stol(word);
  }
  return c;
}

// A name as the file system sees it: letter case ignored, "x\..\" dropped.
std::string same_file_key(std::string name) {
  for (char& c : name) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  for (std::size_t up; (up = name.find("\\..\\")) != std::string::npos;)
    name.erase(name.rfind('\\', up - 1) + 1, up + 4 - name.rfind('\\', up - 1) - 1);
  return name;
}

TEST(Estate, TotalsAreTheSumOverDistinctListedFiles) {
  const std::string report = read_file(data_path("e2e/estate-tree/report"));
  std::map<std::string, Counts> distinct;
  std::istringstream lines(report.substr(0, report.find("MODULES IN NO PROJECT")));
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("estate\\") && lines.peek() != 'P' && lines.peek() != '\n')
      distinct[same_file_key(line)] = parse_rows(lines);
  }
  Counts sum{};
  for (const auto& [name, counts] : distinct)
    for (std::size_t i = 0; i < sum.size(); ++i) sum[i] += counts[i];
  std::istringstream totals(report.substr(report.find("Estate Totals \n") + 15));
  EXPECT_EQ(distinct.size(), 7u);
  EXPECT_EQ(parse_rows(totals), sum);
}

}  // namespace
}  // namespace codetal::test
