// The page's section of an assessment on what will not convert as it is:
// the rules with their findings, the modules with the most, and the names
// of the objects created by name at run time.
#pragma once

#include <string>

#include "exports/run_model.h"

namespace codetal::html {

void append_risks_section(std::string& out, const RunModel& model);

}  // namespace codetal::html
