// The input kind a name stands for (tests/data/unit/input_kinds.txt).
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

}  // namespace
}  // namespace codetal
