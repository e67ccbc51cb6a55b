// Sorts one line, already trimmed of its leading blanks, into blank, comment
// or code, and a line of code into at most one statement kind.
#pragma once

#include <string_view>

#include "analysis/module_stats.h"
#include "analysis/words.h"

namespace codetal {

// Returns the statement kind's counter it added to; kCounterCount for a
// blank, comment or code line of no kind. Given `words`, it gets the line's
// first words as split here, for the assessment to read rather than split
// again: three where the line begins as a procedure may, one elsewhere;
// left as they were for a blank or a comment.
Counter classify_line(std::string_view line, ModuleStats& stats, LineWords* words = nullptr);

}  // namespace codetal
