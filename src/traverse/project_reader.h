// Project (.vbp) and project-group (.vbg) files.
#pragma once

#include <string_view>

#include "traverse/traversal.h"

namespace codetal {

// kGoOn: read to its end and its totals reported; kStop: it could not be
// opened, or a module stopped it (never in an estate, which goes on).
Next read_project_file(Traversal& run, std::string_view project_name);
Next read_group_file(Traversal& run, std::string_view group_name);

}  // namespace codetal
