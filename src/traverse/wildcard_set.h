// Wildcard module sets ("*.bas", "test*.cls", "src\*.*").
#pragma once

#include <string_view>

#include "traverse/traversal.h"

namespace codetal {

// Reports every module the pattern matches; a set without a match, or a
// module that fails, ends it; each is told as a failure.
void process_wildcard_set(Traversal& run, std::string_view pattern);

}  // namespace codetal
