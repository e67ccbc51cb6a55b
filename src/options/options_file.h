// The options file "Codetal.INI": only the records of a section whose header
// begins "[Codetal " are read; a missing file or a bad record never stops the
// run, and the file is never written.
#pragma once

#include "console/console.h"
#include "options/report_options.h"
#include "platform/platform.h"

namespace codetal {

inline constexpr const char* kOptionsFileName = "Codetal.INI";
inline constexpr const char* kSecondOptionsFileName = "C:\\RUK\\Codetal.INI";

// Reads the options into `options`, which holds the defaults on entry.
void load_options(Platform& platform, Console& console, ReportOptions& options);

}  // namespace codetal
