#include "driver/driver.h"

#include <gtest/gtest.h>

namespace codetal {
namespace {

TEST(InputKind, DecidedByTheFinalComponentAndItsLastDot) {
  EXPECT_EQ(choose_input_kind("form1.frm", ModuleKinds::kClassic), InputKind::kSingleModule);
  EXPECT_EQ(choose_input_kind("readme", ModuleKinds::kClassic), InputKind::kSingleModule);
  EXPECT_EQ(choose_input_kind("/h", ModuleKinds::kClassic), InputKind::kSingleModule);
  EXPECT_EQ(choose_input_kind(".\\main.bas", ModuleKinds::kClassic), InputKind::kSingleModule);
  EXPECT_EQ(choose_input_kind("my.proj\\main.bas", ModuleKinds::kClassic),
            InputKind::kSingleModule);
  EXPECT_EQ(choose_input_kind("my.dir/sub/main", ModuleKinds::kClassic), InputKind::kSingleModule);
  EXPECT_EQ(choose_input_kind("app.vbp", ModuleKinds::kClassic), InputKind::kProject);
  EXPECT_EQ(choose_input_kind("c:\\work\\app.vbg", ModuleKinds::kClassic),
            InputKind::kProjectGroup);
  EXPECT_EQ(choose_input_kind("notes.txt", ModuleKinds::kClassic), InputKind::kInvalid);
  EXPECT_EQ(choose_input_kind("main.frmx", ModuleKinds::kClassic), InputKind::kInvalid);
  EXPECT_EQ(choose_input_kind("name.", ModuleKinds::kClassic), InputKind::kInvalid);
}

TEST(InputKind, WildcardSetsAndLiteralStarNames) {
  EXPECT_EQ(choose_input_kind("*.bas", ModuleKinds::kClassic), InputKind::kWildcardSet);
  EXPECT_EQ(choose_input_kind("*.*", ModuleKinds::kClassic), InputKind::kWildcardSet);
  EXPECT_EQ(choose_input_kind("test*.cls", ModuleKinds::kClassic), InputKind::kWildcardSet);
  EXPECT_EQ(choose_input_kind("src\\*.frm", ModuleKinds::kClassic), InputKind::kWildcardSet);
  EXPECT_EQ(choose_input_kind("my.dir\\*.frm", ModuleKinds::kClassic), InputKind::kWildcardSet);
  EXPECT_EQ(choose_input_kind("a.b*.bas", ModuleKinds::kClassic), InputKind::kWildcardSet);
  EXPECT_EQ(choose_input_kind("*.vbp", ModuleKinds::kClassic), InputKind::kProject);
  EXPECT_EQ(choose_input_kind("*.vbg", ModuleKinds::kClassic), InputKind::kProjectGroup);
  EXPECT_EQ(choose_input_kind("*.txt", ModuleKinds::kClassic), InputKind::kInvalid);
  EXPECT_EQ(choose_input_kind("a*b.bas", ModuleKinds::kClassic), InputKind::kSingleModule);
}

TEST(InputKind, EveryModuleKindOnlyWithTheKey) {
  for (const char* name : {"grid.ctl", "page.pag", "doc.dob", "data.dsr", "*.ctl", "a*.dsr"}) {
    InputKind with_key =
        name[0] == '*' || name[1] == '*' ? InputKind::kWildcardSet : InputKind::kSingleModule;
    EXPECT_EQ(choose_input_kind(name, ModuleKinds::kAll), with_key) << name;
    EXPECT_EQ(choose_input_kind(name, ModuleKinds::kClassic), InputKind::kInvalid) << name;
  }
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
