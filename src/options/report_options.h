// The option values that "Codetal.INI" can set, with their built-in defaults.
#pragma once

#include <array>
#include <cstdint>

#include "analysis/statement_kinds.h"

namespace codetal {

struct ReportOptions {
  // List-form statement lines, one per row of kStatementKinds; a line is
  // written while its value is non-zero.
  std::array<std::int32_t, kStatementKindCount> shown_kinds = [] {
    std::array<std::int32_t, kStatementKindCount> shown{};
    for (std::size_t i = 0; i < kStatementKindCount; ++i)
      shown[i] = kStatementKinds[i].shown_by_default ? 1 : 0;
    return shown;
  }();
  // The list form's "Blank Lines" line, written while non-zero.
  std::int32_t blank_lines = 1;
  // 1 counts form-designer header lines as lines of code.
  std::int32_t count_form_headers = 0;
  // 2 gives the table form, any other value the list form.
  std::int32_t report_form = 2;
  // 1 opens the report in NotePad.exe, 2 in WinWord.exe, else no viewer.
  std::int32_t shell_to = 1;
  // 1 also counts user controls, property pages, user documents and
  // designers, and skips the designer blocks of every kind; 0 does not.
  // Unset (-1): every kind in a folder run (an estate is all of its code),
  // the classic ones otherwise.
  std::int32_t all_module_kinds = -1;

  bool table_form() const { return report_form == 2; }
  bool operator==(const ReportOptions&) const = default;
};

}  // namespace codetal
