// The first words of a line of code, and the two declaration tests that
// read them.
#pragma once

#include <array>
#include <string_view>

#include "analysis/module_stats.h"

namespace codetal {

// Words 1 to 5 of one line, as views into it; a word the line does not have
// is empty. Words are kept whole whatever their length: a word longer than
// any keyword simply equals none.
struct LineWords {
  std::array<std::string_view, 5> word;

  std::string_view operator[](int index) const { return word[static_cast<std::size_t>(index)]; }
};

// Only blanks separate words; a parenthesis, line feed or apostrophe ends the
// words, and so does an underscore after word 1 (so "My_Value" is one word 1
// but "Form_Load" as word 3 is "Form").
// Only the first `count` words are split; the rest stay empty (the
// classifier reads no word after the third).
LineWords split_words(std::string_view line, int count = 5);

// Sub, Function, Property Let, Property Get and Event declarations, with or
// without "Private", "Public" or "Friend" in front: the kind's counter, or
// kCounterCount when the words declare none of them.
Counter procedure_kind(const LineWords& words);

// "Declare" as word 1 or word 2 of `line`; only word 1 of `words` is read.
bool is_api_declaration(std::string_view line, const LineWords& words);

}  // namespace codetal
