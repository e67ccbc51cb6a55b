// "Codetal.html" (/html): one self-contained page for people who would
// rather look than read, rendered from the run's model when it ends: the
// totals at a glance, projects and wildcard sets by size, the largest
// modules, the statement mix, a sortable table and the failures.
#pragma once

#include <string>

#include "exports/run_model.h"
#include "report/written_file.h"

namespace codetal {

inline constexpr const char* kHtmlFileName = "Codetal.html";

// The whole page, appended to `out`.
void render_page(std::string& out, const RunModel& model, int exit_status);

void write_html(WrittenFile& file, const RunModel& model, int exit_status);

}  // namespace codetal
