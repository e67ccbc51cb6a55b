// The console texts of a run that the end-to-end tests expect, byte for
// byte, and the options file that keeps a run from stopping at its absence.
#pragma once

#include <string>

#include "harness.h"

namespace codetal::test {

inline const std::string kUsage =
    "Codetal==>  Ver. 1.1a of 14 March, 2000 \n"
    "\n"
    "Codetal==>  Usage: Codetal  SourceFileName  [Options] \n"
    "\n"
    "Codetal==>  SourceFileName may be: \n"
    "Codetal==> \n"
    "Codetal==>     myFile.vbg \n"
    "Codetal==>     myFile.vbp \n"
    "Codetal==> \n"
    "Codetal==>     myFile.bas \n"
    "Codetal==>     myFile.cls \n"
    "Codetal==>     myFile.frm \n"
    "Codetal==> \n"
    "Codetal==>     *.bas \n"
    "Codetal==>     *.cls \n"
    "Codetal==>     *.frm \n"
    "Codetal==>     *.* \n"
    "\n"
    "Codetal==>  Options: /v verbose  /z echo report  /b batch (no waits) \n"
    "\n"
    "Codetal==>  For the latest updates and product information: \n"
    "Codetal==>     https://codetal.example/ \n"
    "Codetal==>     sales@codetal.example \n"
    "Codetal==>  Press Enter to continue \n";

inline const std::string kPrompt = "Codetal==>  Press Enter to continue \n";

inline std::string banner(const std::string& folder, bool verbose = false) {
  return "Codetal==>  Ver. 1.1a   14 March, 2000 \n"
         "Codetal==>  Visual Basic Source Code Statistics \n"
         "Codetal==>  Made by the Codetal team for VB6 maintainers \n"
         "Codetal==>  Sales: sales@codetal.example \n" +
         std::string(verbose ? "Codetal==>  Verbose Mode (/v Option) \n" : "") +
         "Codetal==>  Current Working Directory is " + expected_current_folder(folder) + " \n\n";
}

inline const std::string kCompletion = "\nCodetal==>  Ver. 1.1a Completed \n";
inline const std::string kInvalid =
    "Codetal==>  Invalid Input File Name \n"
    "Codetal==>  No processing occured \n\n";
inline const std::string kHeadings =
    "Total    Lines   Rems &    Blank  |        Subs     Funcs      Lets      Gets    Events"
    "       Ifs   ElseIfs       Dos \n"
    "Lines     Code  Comments   Lines  |      Whiles      Fors    WinAPI      Dims      Vars"
    "     Types     Enums    Consts \n\n";

inline const std::string kAbort = "Codetal==>  Program will abort \n\n" + kPrompt + "\n";
inline const std::string kContinue = "Codetal==>  Program will continue \n\n" + kPrompt;
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
inline const std::string kMissingOptions =
    "Codetal==>  Unable to open C:\\RUK\\Codetal.INI for reading \n"
    "Codetal==>  The Codetal.INI file must be placed \n"
    "Codetal==>  in C:\\Codetal\\ directory to be used. \n\n"
    "Codetal==>  Codetal will continue; using internal defaults and  \n"
    "Codetal==>  Command Line Options as parameters \n\n";

inline std::string processing(const std::string& name) {
  return "Codetal==>  Processing  " + name + " \n";
}

inline std::string unable_to_open(const std::string& name) {
  return "Codetal==>  Unable to open " + name +
         " for reading \n"
         "Codetal==>  The file probably doesn't exist \n\n";
}

inline std::string zero_length(const std::string& name) {
  return processing(name) + "\nCodetal==>  Unable to read " + name +
         " \n"
         "Codetal==>  File is most probably of zero length \n";
}

// An options file that sets nothing, so runs do not stop at its absence.
// `at` is a folder inside the temporary folder, ending in "/", for runs
// started there.
inline void add_quiet_options(const TempFolder& folder, const std::string& at = "") {
  folder.write(at + "Codetal.INI", "[Codetal ]\n");
}

}  // namespace codetal::test
