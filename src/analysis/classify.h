// Sorts one line, already trimmed of its leading blanks, into blank, comment
// or code, and a line of code into at most one statement kind.
#pragma once

#include <string_view>

#include "analysis/module_stats.h"

namespace codetal {

// Returns the statement kind's counter it added to; kCounterCount for a
// blank, comment or code line of no kind.
Counter classify_line(std::string_view line, ModuleStats& stats);

}  // namespace codetal
