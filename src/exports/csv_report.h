// "Codetal.csv" (/csv): one row per module counted or failed and one per
// project, group and wildcard-set total, and an estate's unlisted and
// estate totals, for spreadsheets and scripts. Lines end with CR LF on
// every platform, as spreadsheet programs expect of CSV.
#pragma once

#include "exports/run_model.h"
#include "report/written_file.h"

namespace codetal {

inline constexpr const char* kCsvFileName = "Codetal.csv";

// The whole file for `model`, handed to `file` in large parts.
void write_csv(WrittenFile& file, const RunModel& model);

}  // namespace codetal
