// The input kind a name stands for (tests/data/unit/input_kinds.txt), and
// which arguments ask for the usage text.
#include "driver/driver.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "test_data.h"

namespace codetal {
namespace {

TEST(InputKind, DecidedByTheFinalComponentItsLastDotAndTheKindsKey) {
  const std::map<std::string, InputKind> kinds = {
      {"module", InputKind::kSingleModule}, {"wildcard", InputKind::kWildcardSet},
      {"project", InputKind::kProject},     {"group", InputKind::kProjectGroup},
      {"estate", InputKind::kEstate},       {"invalid", InputKind::kInvalid}};
  for (const auto& row : test::read_table("unit/input_kinds.txt")) {
    EXPECT_EQ(choose_input_kind(row.at(0), ModuleKinds::kClassic), kinds.at(row.at(1))) << row[0];
    EXPECT_EQ(choose_input_kind(row[0], ModuleKinds::kAll), kinds.at(row.at(2))) << row[0];
  }
}

TEST(Usage, OnlyALoneHelpArgumentShowsIt) {
  EXPECT_TRUE(wants_usage({}));
  for (const char* help : {"/?", "/?x", "/help", "/Hx", "--help", "-h"})
    EXPECT_TRUE(wants_usage({help})) << help;
  for (const char* other : {"-help", "/", "x.bas"}) EXPECT_FALSE(wants_usage({other})) << other;
  EXPECT_FALSE(wants_usage({"/h", "x.bas"}));
}

}  // namespace
}  // namespace codetal
