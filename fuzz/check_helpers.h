// What the checks of several fuzz targets share: counter sums, the totals a
// report prints, and scratch files.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/module_stats.h"
#include "invariants.h"

namespace codetal::fuzz {

std::string describe(const ModuleStats& s);

// Every line counted once as blank, comment or code, and each line of code
// at most once as a statement; the empty text when that holds.
std::string check_sums(const ModuleStats& s, const std::string& what);

// Every printed totals block of `title` summed: the twenty figures of its two
// table rows (no Labels); nullopt when a block's rows do not hold exactly
// twenty numbers. `blocks` is how many there were.
std::optional<ModuleStats> printed_totals(std::string_view report, std::string_view title,
                                          int& blocks);

void write_file(const std::filesystem::path& path, std::string_view bytes);

// A new folder under $TMPDIR (or /tmp), for the caller to remove.
std::filesystem::path make_scratch_folder();

}  // namespace codetal::fuzz
