// `codetal /compare:OLD.json NEW.json`: two earlier runs' JSON read back and
// compared, the comparison written beside them and summed up on the console.
// Nothing is measured, no report written and no key awaited.
#pragma once

#include <string>

#include "console/console.h"
#include "platform/platform.h"

namespace codetal {

// False when a file could not be read or is not a run's JSON (told, and
// nothing written) or when a file of the comparison could not be written.
bool run_comparison(Platform& platform, Console& console, const std::string& old_name,
                    const std::string& new_name);

}  // namespace codetal
