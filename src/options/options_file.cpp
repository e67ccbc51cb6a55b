#include "options/options_file.h"

namespace codetal {

// Placeholder until the options reader lands: the defaults stay.
void load_table_file(RunState&) {}

}  // namespace codetal
