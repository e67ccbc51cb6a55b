// The page's section of an assessment on where the code is hard: the
// largest and the most complex procedures, and how many procedures fall in
// each band of complexity, per project and over the run.
#pragma once

#include <string>

#include "exports/run_model.h"

namespace codetal::html {

void append_procedures_section(std::string& out, const RunModel& model);

}  // namespace codetal::html
