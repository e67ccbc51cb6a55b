// Sorts one line, already trimmed of its leading blanks, into blank, comment
// or code, and a line of code into at most one statement kind.
#pragma once

#include <string_view>

#include "analysis/module_stats.h"

namespace codetal {

void classify_line(std::string_view line, ModuleStats& stats);

}  // namespace codetal
