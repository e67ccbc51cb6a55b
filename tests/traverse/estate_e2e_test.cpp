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

}  // namespace
}  // namespace codetal::test
