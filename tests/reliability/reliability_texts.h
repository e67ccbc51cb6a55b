// Console texts and report rows shared by the end-to-end tests of broken
// input and faults.
#pragma once

#include <array>
#include <cstdio>
#include <string>

#include "console_texts.h"
#include "harness.h"

namespace codetal::test {

// The 21 counters in print order: total, code, comments, blanks, Subs,
// Functions, Lets, Gets, Events, Ifs, ElseIfs, Dos, Whiles, Fors, Labels,
// WinAPI, Dims, Vars, Types, Enums, Consts.
using Counts = std::array<int, 21>;

// The two table rows of a module block or a totals block (Labels has no
// column).
inline std::string table_rows(const Counts& c) {
  char first[256];
  char second[256];
  std::snprintf(first, sizeof first,
                "%5d    %5d    %5d    %5d  |       %5d     %5d     %5d     %5d     %5d     %5d"
                "     %5d     %5d \n",
                c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8], c[9], c[10], c[11]);
  std::snprintf(second, sizeof second,
                "                                  |       %5d     %5d     %5d     %5d     %5d"
                "     %5d     %5d     %5d \n\n",
                c[12], c[13], c[15], c[16], c[17], c[18], c[19], c[20]);
  return std::string(first) + second;
}

// The whole of a literal, NUL bytes included.
template <std::size_t N>
std::string bytes(const char (&text)[N]) {
  return std::string(text, N - 1);
}

}  // namespace codetal::test
