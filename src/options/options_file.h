// The options file "Codetal.INI".
#pragma once

#include "traverse/run_state.h"

namespace codetal {

// Reads the options into run.options; never stops the run.
void load_table_file(RunState& run);

}  // namespace codetal
