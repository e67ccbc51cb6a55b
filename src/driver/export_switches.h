// The switches that add files beside the report: /csv, /json and /html.
#pragma once

#include <string>
#include <vector>

#include "report/exports.h"

namespace codetal {

// Each counts only as a whole argument after the input name, in any letter
// case, so that a folder called "csv" in a path never turns one on.
ExportChoice scan_export_switches(const std::vector<std::string>& arguments);

// /assess, by the same rule: the exports add what a migration depends on.
bool wants_assessment(const std::vector<std::string>& arguments);

}  // namespace codetal
