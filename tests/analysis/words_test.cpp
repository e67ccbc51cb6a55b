#include "analysis/words.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace codetal {
namespace {

std::vector<std::string> words_of(std::string_view line) {
  LineWords words = split_words(line);
  return {words.word.begin(), words.word.end()};
}

TEST(SplitWords, OnlyBlanksSeparateAndEndingCharactersStay) {
  using W = std::vector<std::string>;
  EXPECT_EQ(words_of("Private Sub Form_Load()\n"), (W{"Private", "Sub", "Form", "", ""}));
  EXPECT_EQ(words_of("Public Function Area(ByVal r As Double) As Double\n"),
            (W{"Public", "Function", "Area", "", ""}));
  EXPECT_EQ(words_of("My_Value = Other_Value + 1\n"), (W{"My_Value", "=", "Other", "", ""}));
  EXPECT_EQ(words_of("For i = 1 To 10 'count\n"), (W{"For", "i", "=", "1", "To"}));
  EXPECT_EQ(words_of("Do While x < 10\n"), (W{"Do", "While", "x", "<", "10"}));
  EXPECT_EQ(words_of("Loop\n"), (W{"Loop", "", "", "", ""}));
  EXPECT_EQ(words_of("Wend"), (W{"Wend", "", "", "", ""}));
  EXPECT_EQ(words_of("x = y 'note\n"), (W{"x", "=", "y", "", ""}));
  // A tab belongs to its word; several blanks are one separator.
  EXPECT_EQ(words_of("Dim\tx   As  Long\n"), (W{"Dim\tx", "As", "Long", "", ""}));
  EXPECT_EQ(words_of("a:b, c.d \"e\""), (W{"a:b,", "c.d", "\"e\"", "", ""}));
}

TEST(SplitWords, WordsAreKeptWholeAndPreviousSplitsLeaveNothing) {
  std::string long_word(300, 'x');
  const std::string line = "Sub " + long_word + " y\n";
  LineWords words = split_words(line);
  EXPECT_EQ(words[1], long_word);
  EXPECT_EQ(words[2], "y");
  words = split_words("\n");
  for (std::string_view word : words.word) EXPECT_EQ(word, "");
}

struct ProcedureCase {
  const char* line;
  Counter counter;  // kCounterCount: not a counted procedure
};

TEST(ClassifyProcedure, CountsTheDeclaredKindWithOrWithoutAccessWord) {
  const ProcedureCase cases[] = {
      {"Sub\n", kSubs},
      {"Sub Main()\n", kSubs},
      {"Function F() As Long\n", kFunctions},
      {"Property Let Value(v)\n", kLets},
      {"Property Get Value() As Long\n", kGets},
      {"Event Changed()\n", kEvents},
      {"Private Sub Form_Load()\n", kSubs},
      {"Public Function Area(r)\n", kFunctions},
      {"Friend Property Let Name(v)\n", kLets},
      {"Public Property Get Name()\n", kGets},
      {"Public Event Done(ByVal ok As Boolean)\n", kEvents},
      {"Property Set Value(v)\n", kCounterCount},
      {"Public Property Set Value(v)\n", kCounterCount},
      {"Property Value\n", kCounterCount},
      {"Static Function F()\n", kCounterCount},
      {"Private Static Sub Tick()\n", kCounterCount},
      {"sub Main()\n", kCounterCount},
      {"Public sub Main()\n", kCounterCount},
      {"Subroutine = 1\n", kCounterCount},
      {"Global Sub X()\n", kCounterCount},
      {"Public Declare Function Beep Lib \"kernel32\" ()\n", kCounterCount},
  };
  for (const ProcedureCase& c : cases) {
    ModuleStats stats;
    bool counted = classify_procedure(split_words(c.line), stats);
    ModuleStats expected;
    if (c.counter != kCounterCount) expected[c.counter] = 1;
    EXPECT_EQ(counted, c.counter != kCounterCount) << c.line;
    EXPECT_EQ(stats, expected) << c.line;
  }
}

TEST(IsApiDeclaration, DeclareAsFirstOrSecondWholeWord) {
  EXPECT_TRUE(is_api_declaration(split_words("Declare Sub Sleep Lib \"kernel32\" (ByVal ms&)\n")));
  EXPECT_TRUE(is_api_declaration(split_words("Private Declare Function GetTickCount Lib _\n")));
  EXPECT_TRUE(is_api_declaration(split_words("Public Declare Function Beep Lib \"k\" ()\n")));
  EXPECT_FALSE(is_api_declaration(split_words("declare Sub Sleep Lib \"k\"\n")));
  EXPECT_FALSE(is_api_declaration(split_words("Private Static Declare Sub X Lib \"k\"\n")));
  EXPECT_FALSE(is_api_declaration(split_words("Declared = True\n")));
  EXPECT_FALSE(is_api_declaration(split_words("Call Declared\n")));
}

}  // namespace
}  // namespace codetal
