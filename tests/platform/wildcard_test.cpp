#include "platform/wildcard.h"

#include <gtest/gtest.h>

#include "platform/ascii.h"

namespace codetal {
namespace {

TEST(Wildcard, StarAndQuestionMarkIgnoreLetterCase) {
  EXPECT_TRUE(wildcard_match("*.frm", "MAIN.FRM"));
  EXPECT_TRUE(wildcard_match("*.frm", "Form1.frm"));
  EXPECT_TRUE(wildcard_match("test*.cls", "TestOne.CLS"));
  EXPECT_TRUE(wildcard_match("t?st.bas", "tEst.bas"));
  EXPECT_FALSE(wildcard_match("*.frm", "MAIN.FRMX"));
  EXPECT_FALSE(wildcard_match("test*.cls", "atest.cls"));
  EXPECT_FALSE(wildcard_match("t?st.bas", "tst.bas"));
}

TEST(Wildcard, StarDotStarAlsoMatchesNamesWithoutExtension) {
  EXPECT_TRUE(wildcard_match("*.*", "README"));
  EXPECT_TRUE(wildcard_match("*.*", "A.B.BAS"));
  EXPECT_FALSE(wildcard_match("a*.*", "README"));
}

TEST(Wildcard, ManyStarsStayLinear) {
  std::string name(5000, 'a');
  EXPECT_FALSE(wildcard_match("*a*a*a*a*a*a*a*a*b", name));
  EXPECT_TRUE(wildcard_match("*a*a*a*a*a*a*a*a*", name));
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
