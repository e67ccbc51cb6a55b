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
  // Words and blanks that run past the first sixteen bytes.
  EXPECT_EQ(words_of("Property          Get Name()\n"), (W{"Property", "Get", "Name", "", ""}));
  EXPECT_EQ(words_of("A_Very_Long_First_Word x_y\n"),
            (W{"A_Very_Long_First_Word", "x", "", "", ""}));
  EXPECT_EQ(words_of("Public  Sub  Main_(x)\n"), (W{"Public", "Sub", "Main", "", ""}));
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

}  // namespace
}  // namespace codetal
