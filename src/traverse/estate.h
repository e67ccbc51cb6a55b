// A folder given as the input: the whole estate under it in one run.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "traverse/traversal.h"

namespace codetal {

// Reports every project group under the folder as a group input would, then
// every project that no group lists as a project input would, then the
// module files that no project lists, and last the estate's summary: each
// distinct module file that a project lists counted once, and each content
// once. Folders whose own name matches a pattern of `left_out` are not
// walked. Faults are told and the run goes on; they fail the run.
void process_estate(Traversal& run, std::string_view folder,
                    const std::vector<std::string>& left_out);

}  // namespace codetal
