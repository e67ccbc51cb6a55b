// Windows-1252, the code page a .vbp written on a Western Windows stores
// its names in, read as UTF-8, the encoding of file names on a POSIX
// system a tree was copied to.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace codetal {

// `name` with each byte above 0x7F taken as Windows-1252 and written as
// UTF-8; nullopt when it has no such byte (it would read the same).
std::optional<std::string> cp1252_as_utf8(std::string_view name);

}  // namespace codetal
