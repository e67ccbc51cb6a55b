#include "platform/wildcard.h"

#include <gtest/gtest.h>

#include "platform/ascii.h"
#include "platform/file_path.h"
#include "test_data.h"

namespace codetal {
namespace {

TEST(Wildcard, EveryRowOfTheTable) {
  for (const auto& row : test::read_table("unit/wildcard.txt"))
    EXPECT_EQ(wildcard_match(row.at(0), row.at(1)) ? "yes" : "no", row.at(2)) << row[0];
}

TEST(FilePaths, EveryRowOfTheTable) {
  for (const auto& row : test::read_table("unit/file_paths.txt")) {
    PathStyle style = row.at(0) == "windows" ? PathStyle::kWindows : PathStyle::kPosix;
    EXPECT_EQ(clean_path(row.at(2), row.at(1), style), row.at(3)) << row[0] << " " << row[2];
  }
}

TEST(Ascii, CaseChangesOnlyAsciiLetters) {
  std::string text = "Ab\xe9\xc9z[`{@";
  make_upper(text);
  EXPECT_EQ(text, "AB\xe9\xc9Z[`{@");
  make_lower(text);
  EXPECT_EQ(text, "ab\xe9\xc9z[`{@");
  EXPECT_TRUE(less_ignoring_case("apple", "Banana"));
  EXPECT_TRUE(less_ignoring_case("FORM", "form"));  // byte order breaks ties
  EXPECT_FALSE(less_ignoring_case("form", "FORM"));
}

}  // namespace
}  // namespace codetal
