// The line classifier against a table of lines and the one counter each
// must add to (tests/data/unit/classify_lines.txt).
#include "analysis/classify.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "analysis/line_reader.h"
#include "analysis/statement_kinds.h"
#include "test_data.h"

namespace codetal {
namespace {

std::string unescape(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    char c = text[++i];
    out += c == 'n' ? '\n' : c == 't' ? '\t' : c == 'f' ? '\f' : c == 'r' ? '\r' : c;
  }
  return out;
}

// What one line of the given kind must count.
ModuleStats expected_for(std::string_view kind) {
  ModuleStats stats;
  if (kind == "blank") {
    stats[kBlankLines] = 1;
  } else if (kind == "comment") {
    stats[kCommentLines] = 1;
  } else {
    stats[kCodeLines] = 1;
    for (const StatementKind& k : kStatementKinds) {
      if (k.field_name == kind) stats[k.counter] = 1;
    }
  }
  return stats;
}

TEST(ClassifyLine, EveryLineOfTheTableCountsOnceWhereItShould) {
  std::istringstream table(test::read_test_data("unit/classify_lines.txt"));
  int checked = 0;
  for (std::string row; std::getline(table, row);) {
    if (row.empty() || row[0] == '#') continue;
    const std::size_t tab = row.find('\t');
    ASSERT_NE(tab, std::string::npos) << row;
    const std::string kind = row.substr(0, tab);
    const std::string line = unescape(std::string_view(row).substr(tab + 1));
    ModuleStats stats;
    classify_line(trim_leading_blanks(line), stats);
    EXPECT_EQ(stats, expected_for(kind)) << "line: \"" << line << "\" should be " << kind;
    ++checked;
  }
  EXPECT_GT(checked, 100);
}

}  // namespace
}  // namespace codetal
