// The option values that "Codetal.INI" can set, with their built-in defaults.
#pragma once

#include <cstdint>

namespace codetal {

struct ReportOptions {
  // List-form lines; a line is written while its field is non-zero.
  std::int32_t blank_lines = 1;
  std::int32_t subs = 1;
  std::int32_t functions = 1;
  std::int32_t lets = 0;
  std::int32_t gets = 0;
  std::int32_t events = 0;
  std::int32_t ifs = 0;
  std::int32_t elseifs = 0;
  std::int32_t dos = 0;
  std::int32_t whiles = 0;
  std::int32_t fors = 0;
  std::int32_t labels = 0;
  std::int32_t winapi = 0;
  std::int32_t dims = 0;
  std::int32_t vars = 0;
  std::int32_t types = 0;
  std::int32_t enums = 0;
  std::int32_t consts = 0;
  // 1 counts form-designer header lines as lines of code.
  std::int32_t count_form_headers = 0;
  // 2 gives the table form, any other value the list form.
  std::int32_t report_form = 2;
  // Page length less 10; kept for the options file's sake, not used.
  std::int32_t lines_per_page = 66;
  // 1 opens the report in NotePad.exe, 2 in WinWord.exe, else no viewer.
  std::int32_t shell_to = 1;

  bool table_form() const { return report_form == 2; }
  bool operator==(const ReportOptions&) const = default;
};

}  // namespace codetal
