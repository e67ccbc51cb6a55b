// The page's sections that only an estate has: its modules in no project,
// its files with the same content, and the projects and groups it could
// not read.
#pragma once

#include <string>

#include "exports/run_model.h"

namespace codetal::html {

// Cards beside the estate's totals at a glance.
void append_estate_cards(std::string& out, const RunModel& model);

void append_estate_sections(std::string& out, const RunModel& model);

}  // namespace codetal::html
