// The page's section of an assessment: what the run depends on, in tables
// that sort by the column clicked.
#pragma once

#include <string>

#include "exports/run_model.h"

namespace codetal::html {

void append_assessment_section(std::string& out, const RunModel& model);

}  // namespace codetal::html
