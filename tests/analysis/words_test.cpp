#include "analysis/words.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_data.h"

namespace codetal {
namespace {

TEST(SplitWords, OnlyBlanksSeparateAndEndingCharactersStay) {
  for (const auto& row : test::read_table("unit/words.txt")) {
    ASSERT_EQ(row.size(), 6u) << row[0];
    LineWords words = split_words(row[0]);
    EXPECT_EQ(std::vector<std::string>(words.word.begin(), words.word.end()),
              std::vector<std::string>(row.begin() + 1, row.end()))
        << row[0];
  }
}

}  // namespace
}  // namespace codetal
