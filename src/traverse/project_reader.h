// Project (.vbp) and project-group (.vbg) inputs: each file read, then what
// it lists processed in its order.
#pragma once

#include <string_view>

#include "traverse/traversal.h"

namespace codetal {

// kGoOn: read to its end and its totals reported and returned; kStop: it
// could not be opened, or a module stopped it (never in an estate, which
// goes on).
Summed process_project_file(Traversal& run, std::string_view project_name);
Summed process_group_file(Traversal& run, std::string_view group_name);

}  // namespace codetal
