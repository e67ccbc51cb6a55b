#include "driver/driver.h"

#include <gtest/gtest.h>

#include "fake_platform.h"

namespace codetal {
namespace {

TEST(InputKind, DecidedByTheFinalComponentAndItsLastDot) {
  EXPECT_EQ(choose_input_kind("form1.frm"), InputKind::kSingleModule);
  EXPECT_EQ(choose_input_kind("readme"), InputKind::kSingleModule);
  EXPECT_EQ(choose_input_kind("/h"), InputKind::kSingleModule);
  EXPECT_EQ(choose_input_kind(".\\main.bas"), InputKind::kSingleModule);
  EXPECT_EQ(choose_input_kind("my.proj\\main.bas"), InputKind::kSingleModule);
  EXPECT_EQ(choose_input_kind("my.dir/sub/main"), InputKind::kSingleModule);
  EXPECT_EQ(choose_input_kind("app.vbp"), InputKind::kProject);
  EXPECT_EQ(choose_input_kind("c:\\work\\app.vbg"), InputKind::kProjectGroup);
  EXPECT_EQ(choose_input_kind("notes.txt"), InputKind::kInvalid);
  EXPECT_EQ(choose_input_kind("main.frmx"), InputKind::kInvalid);
  EXPECT_EQ(choose_input_kind("name."), InputKind::kInvalid);
}

TEST(InputKind, WildcardSetsAndLiteralStarNames) {
  EXPECT_EQ(choose_input_kind("*.bas"), InputKind::kWildcardSet);
  EXPECT_EQ(choose_input_kind("*.*"), InputKind::kWildcardSet);
  EXPECT_EQ(choose_input_kind("test*.cls"), InputKind::kWildcardSet);
  EXPECT_EQ(choose_input_kind("src\\*.frm"), InputKind::kWildcardSet);
  EXPECT_EQ(choose_input_kind("my.dir\\*.frm"), InputKind::kWildcardSet);
  EXPECT_EQ(choose_input_kind("a.b*.bas"), InputKind::kWildcardSet);
  EXPECT_EQ(choose_input_kind("*.vbp"), InputKind::kProject);
  EXPECT_EQ(choose_input_kind("*.vbg"), InputKind::kProjectGroup);
  EXPECT_EQ(choose_input_kind("*.txt"), InputKind::kInvalid);
  EXPECT_EQ(choose_input_kind("a*b.bas"), InputKind::kSingleModule);
}

TEST(Usage, OnlyALoneHelpArgumentShowsIt) {
  EXPECT_TRUE(wants_usage({}));
  EXPECT_TRUE(wants_usage({"/?"}));
  EXPECT_TRUE(wants_usage({"/?x"}));
  EXPECT_TRUE(wants_usage({"/help"}));
  EXPECT_TRUE(wants_usage({"/Hx"}));
  EXPECT_TRUE(wants_usage({"--help"}));
  EXPECT_TRUE(wants_usage({"-h"}));
  EXPECT_FALSE(wants_usage({"/h", "x.bas"}));
  EXPECT_FALSE(wants_usage({"-help"}));
  EXPECT_FALSE(wants_usage({"/"}));
  EXPECT_FALSE(wants_usage({"x.bas"}));
}

}  // namespace
}  // namespace codetal
