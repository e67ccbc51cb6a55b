// Paths for the exports: one name for one file, whatever way the run
// reached it ("a\..\b.bas", "./b.bas", "/start/b.bas").
#pragma once

#include <string>
#include <string_view>

namespace codetal {

enum class PathStyle { kPosix, kWindows };

inline constexpr PathStyle kBuildPathStyle =
#if defined(_WIN32)
    PathStyle::kWindows;
#else
    PathStyle::kPosix;
#endif

// `name` (either separator) made absolute against `start`, an absolute
// folder, with "." and ".." folded and the style's separator only; relative
// to `start` when under it. Windows compares folders ignoring letter case
// and knows drive letters and "\\server\share". Letter case is kept: the
// platform gives the case found on disk before this.
std::string clean_path(std::string_view name, std::string_view start, PathStyle style);

// The same, always absolute.
std::string absolute_path(std::string_view name, std::string_view start, PathStyle style);

}  // namespace codetal
