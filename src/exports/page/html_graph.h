// The page's section of an assessment on the order an estate can move in:
// its units drawn by wave (one column each, a node's width by the lines it
// holds, the edges of a unit shown while the pointer is on it) and the
// sortable table of units.
#pragma once

#include <string>

#include "exports/run_model.h"

namespace codetal::html {

void append_graph_section(std::string& out, const RunModel& model);

// Shows a unit's edges while the pointer is on it. Written without "<" and
// "&", so that the page stays well-formed XML.
extern const char* const kGraphScript;

}  // namespace codetal::html
