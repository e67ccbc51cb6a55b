// The counting core on bytes, against tables of tests/data/unit: each line's
// class, the line reader's text rules, and whole modules with and without
// their designer blocks.
#include "analysis/count_module.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/classify.h"
#include "analysis/statement_kinds.h"
#include "exports/export_text.h"
#include "fake_platform.h"
#include "platform/memory_input.h"
#include "test_data.h"

namespace codetal {
namespace {

// Counts written as "counter=N", or a counter's name alone for one.
ModuleStats stats_from(const std::string& text) {
  ModuleStats stats;
  std::istringstream words(text);
  for (std::string word; words >> word;) {
    const std::size_t equals = std::min(word.find('='), word.size());
    const std::string name = word.substr(0, equals);
    Counter counter = kCounterCount;
    for (int i = 0; i < kCounterCount; ++i)
      if (counter_name(i) == name) counter = static_cast<Counter>(i);
    EXPECT_NE(counter, kCounterCount) << "no counter " << name;
    if (counter != kCounterCount)
      stats[counter] += equals < word.size() ? std::stoi(word.substr(equals + 1)) : 1;
  }
  return stats;
}

TEST(ClassifyLine, EveryLineOfTheTableCountsOnceWhereItShould) {
  const auto rows = test::read_table("unit/classify_lines.txt");
  for (const auto& row : rows) {
    ModuleStats stats;
    classify_line(trim_leading_blanks(row.at(1)), stats);
    const std::string& kind = row[0];
    EXPECT_EQ(stats, stats_from(kind == "comment"                   ? "comments"
                                : kind == "blank" || kind == "code" ? kind
                                                                    : "code " + kind))
        << "line: \"" << row[1] << "\" should be " << kind;
  }
  EXPECT_GT(rows.size(), 100u);
}

using Lines = std::vector<std::string>;

// Every line as handed out.
Lines read_all(LineReader& reader, InputFile& input) {
  Lines lines;
  if (!reader.start(input)) return lines;
  while (!reader.end_of_module()) {
    reader.read_next_line();
    lines.emplace_back(reader.current_line());
  }
  reader.finish();
  return lines;
}

TEST(LineReader, TextRules) {
  for (const auto& row : test::read_table("unit/line_reader.txt")) {
    LineReader reader;
    MemoryInput input(row[0]);
    EXPECT_EQ(read_all(reader, input), test::lines_in(row.at(1))) << row[0];
  }
}

// Lines of many lengths, far more than one buffer, through reads of odd
// sizes and one reader reused: every line comes out whole and in order.
TEST(LineReader, LinesCrossingBlockBoundariesComeOutWhole) {
  Lines expected;
  std::string bytes;
  unsigned seed = 12345;
  for (int i = 0; i < 4000; ++i) {
    seed = seed * 1103515245u + 12345u;
    std::size_t length = (seed >> 8) % (i % 97 == 0 ? 300000 : 700);
    std::string line(length, static_cast<char>('a' + i % 26));
    expected.push_back(line + "\n");
    bytes += line + (i % 3 == 0 ? "\r\n" : "\n");
  }
  LineReader reader;
  for (bool fail_at_end : {false, true}) {
    test::FakeInputFile input(bytes, fail_at_end);
    EXPECT_EQ(read_all(reader, input), expected);
  }
  test::FakeInputFile failing("a\nb\nc", true);
  EXPECT_EQ(read_all(reader, failing), (Lines{"a\n", "b\n", "c"}));
  // A first line longer than the buffer, in a reader used before.
  const std::string long_line(3 * 1024 * 1024, 'x');
  test::FakeInputFile after(long_line + "\r\ny", false);
  EXPECT_EQ(read_all(reader, after), (Lines{long_line + "\n", "y"}));
}

TEST(CountModule, WholeModulesWithAndWithoutTheirDesignerBlocks) {
  constexpr ModuleKinds kAll = ModuleKinds::kAll;
  const CountRules rules[] = {
      {false, {}}, {false, {kAll}}, {false, {kAll, module_kind_of("x.dsr", kAll)}}, {true, {}}};
  for (const auto& row : test::read_table("unit/count_module.txt")) {
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(count_module_text(row.at(0), rules[i]).stats, stats_from(row.at(i + 1)))
          << row[0].substr(0, 80) << " counted by the rules of column " << i + 1;
  }
  LineReader reader;
  MemoryInput empty("\x1A");
  EXPECT_FALSE(count_module(reader, empty, CountRules{}).has_value());
}

std::string procedure_row(const Procedure& p) {
  std::ostringstream row;
  row << kind_name(p.kind) << ' ' << p.name << ' ' << p.line;
  for (std::int32_t lines : p.lines) row << ' ' << lines;
  row << ' ' << p.complexity;
  return row.str();
}

TEST(CountModule, ProceduresAsWorkedOutByHand) {
  std::map<std::string, std::vector<std::string>> expected;
  for (const auto& row : test::read_table("unit/procedures.txt")) {
    std::vector<std::string>& rows = expected[row.at(0)];
    if (row.size() < 9) continue;
    std::string figures = row[1];
    for (std::size_t i = 2; i < 9; ++i) figures += ' ' + row[i];
    rows.push_back(figures);
  }
  for (const auto& [module, rows] : expected) {
    const std::string text = module.starts_with('@')
                                 ? test::read_file(test::data_path("assess/" + module.substr(1)))
                                 : module;
    const ModuleResult result = count_module_text(text, CountRules{.assess = true});
    std::vector<std::string> found;
    for (const Procedure& p : result.facts.value().procedures) found.push_back(procedure_row(p));
    EXPECT_EQ(found, rows) << module.substr(0, 60);
  }
  EXPECT_GT(expected.size(), 5u);
}

TEST(Assessment, ControlClassesReadNoFurtherThanTheLine) {
  for (const auto& row : test::read_table("unit/control_classes.txt")) {
    const std::unique_ptr<char[]> exact(new char[row.at(0).size()]);
    std::copy(row[0].begin(), row[0].end(), exact.get());
    const std::optional<std::string_view> found =
        control_class(std::string_view(exact.get(), row[0].size()));
    EXPECT_EQ(found ? std::string(*found) : "-", row.at(1)) << row[0];
  }
}

TEST(CountModule, RisksAsWorkedOutByHand) {
  for (const auto& row : test::read_table("unit/risks.txt")) {
    const std::string text = (row.at(0).starts_with("Option ") ? "" : "Option Explicit\n") + row[0];
    const ModuleFacts facts = count_module_text(text, CountRules{.assess = true}).facts.value();
    std::string found, names;
    for (std::size_t i = 0; i < kRiskRuleCount; ++i) {
      if (facts.risks[i] != 0)
        found += (found.empty() ? "" : " ") + std::string(kRiskRules[i].id) + "=" +
                 std::to_string(facts.risks[i]);
    }
    for (const LateBoundName& l : facts.late_bound)
      names += (names.empty() ? "" : " ") + l.name + "*" + std::to_string(l.calls);
    EXPECT_EQ(found.empty() ? "-" : found, row.at(1)) << row[0];
    EXPECT_EQ(names, row.size() > 2 ? row[2] : "") << row[0];
  }
}

}  // namespace
}  // namespace codetal
