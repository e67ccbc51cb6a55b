// Wildcard matching of file names as the VB6 platform does it.
#pragma once

#include <string_view>

namespace codetal {

// "*" matches any run of characters, "?" one character, letters match
// ignoring case. As on Windows, a pattern ending in ".*" also matches names
// without any ".".
bool wildcard_match(std::string_view pattern, std::string_view name);

}  // namespace codetal
