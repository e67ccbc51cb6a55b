// The comparison's files, each rendered from the one Comparison: the JSON
// for programs, the CSV for spreadsheets (a row per module, project, group
// and the whole) and the page "Since the baseline".
#pragma once

#include "compare/comparison.h"
#include "report/written_file.h"

namespace codetal {

inline constexpr const char* kCompareJsonName = "Codetal-compare.json";
inline constexpr const char* kCompareCsvName = "Codetal-compare.csv";
inline constexpr const char* kComparePageName = "Codetal-compare.html";

void write_compare_json(WrittenFile& file, const Comparison& c);
void write_compare_csv(WrittenFile& file, const Comparison& c);
void write_compare_page(WrittenFile& file, const Comparison& c);

}  // namespace codetal
