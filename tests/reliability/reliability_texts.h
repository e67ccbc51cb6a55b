// Console texts and report rows shared by the end-to-end tests of broken
// input and faults.
#pragma once

#include <array>
#include <cstdio>
#include <string>

#include "harness.h"

namespace codetal::test {

inline const std::string kPrompt = "Codetal==>  Press Enter to continue \n";
inline const std::string kCompletion = "\nCodetal==>  Ver. 1.1a Completed \n";
inline const std::string kAbort = "Codetal==>  Program will abort \n\n" + kPrompt + "\n";
inline const std::string kContinue = "Codetal==>  Program will continue \n\n" + kPrompt;
inline const std::string kHeadings =
    "Total    Lines   Rems &    Blank  |        Subs     Funcs      Lets      Gets    Events"
    "       Ifs   ElseIfs       Dos \n"
    "Lines     Code  Comments   Lines  |      Whiles      Fors    WinAPI      Dims      Vars"
    "     Types     Enums    Consts \n\n";
inline const std::string kWriteFailure =
    "Codetal==>  Write error on Codetal.log \n"
    "Codetal==>  Disk may be full \n"
    "Codetal==>  Program will continue \n" +
    kPrompt;
inline const std::string kOpenFailure =
    "Codetal==>  Unable to open Codetal.log for writing \n"
    "Codetal==>  The disk is probably full \n"
    "Codetal==>  Program will continue \n" +
    kPrompt;

inline std::string banner(const std::string& folder) {
  return "Codetal==>  Ver. 1.1a   14 March, 2000 \n"
         "Codetal==>  Visual Basic Source Code Statistics \n"
         "Codetal==>  Made by the Codetal team for VB6 maintainers \n"
         "Codetal==>  Sales: sales@codetal.example \n"
         "Codetal==>  Current Working Directory is " +
         expected_current_folder(folder) + " \n\n";
}

inline std::string processing(const std::string& name) {
  return "Codetal==>  Processing  " + name + " \n";
}

inline std::string cannot_open(const std::string& name) {
  return "Codetal==>  Unable to open " + name +
         " for reading \n"
         "Codetal==>  The file probably doesn't exist \n\n";
}

inline std::string zero_length(const std::string& name) {
  return processing(name) + "\nCodetal==>  Unable to read " + name +
         " \n"
         "Codetal==>  File is most probably of zero length \n";
}

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

// An options file that sets nothing, so that runs do not stop to report a
// missing one.
inline void add_quiet_options(const TempFolder& folder) {
  folder.write("Codetal.INI", "[Codetal ]\n");
}

}  // namespace codetal::test
