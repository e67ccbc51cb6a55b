// Shared pieces of the expected console and report texts of the traversal's
// end-to-end tests.
#pragma once

#include <array>
#include <cstdio>
#include <string>

#include "console_texts.h"
#include "harness.h"

namespace codetal::test {

// The counts of one module or total, in the report's order without Labels:
// total, code, comments, blank | Subs, Funcs, Lets, Gets, Events, Ifs,
// ElseIfs, Dos | Whiles, Fors, WinAPI, Dims, Vars, Types, Enums, Consts.
using Counts = std::array<int, 20>;

// The two table rows: four counts right-aligned in five columns with four
// blanks between, the bar, then eight ten-column statement columns per row.
inline std::string rows(const Counts& c) {
  char text[512];
  std::snprintf(text, sizeof text,
                "%5d    %5d    %5d    %5d  |       %5d     %5d     %5d     %5d     %5d     %5d"
                "     %5d     %5d \n"
                "                                  |       %5d     %5d     %5d     %5d     %5d"
                "     %5d     %5d     %5d \n\n",
                c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8], c[9], c[10], c[11], c[12],
                c[13], c[14], c[15], c[16], c[17], c[18], c[19]);
  return text;
}

inline std::string project_totals(const Counts& c) {
  return "Project Totals \n" + rows(c);
}

inline std::string group_totals(const Counts& c) {
  return "\n" + std::string(117, '-') + "\n\nGroup Totals \n" + rows(c);
}

// "PROJECT: " and the name in capitals, two blanks, dashes to 117 columns.
inline std::string project_title(const std::string& upper_name) {
  std::string title = "PROJECT: " + upper_name + "  ";
  title.append(title.size() < 117 ? 117 - title.size() : 1, '-');
  return title + "\n\n";
}

// VB6 writes its files with CR LF line ends.
inline std::string crlf(const std::string& text) {
  std::string result;
  for (char c : text) {
    if (c == '\n') result += '\r';
    result += c;
  }
  return result;
}

}  // namespace codetal::test
