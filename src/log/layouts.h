// The fixed-column texts of the report: titles, heading lines, module blocks
// (table or list form) and the Project and Group Totals rows. The statement
// columns and list lines come from the table of statement kinds.
#pragma once

#include <string>
#include <string_view>

#include "analysis/module_stats.h"
#include "log/log_file.h"
#include "options/report_options.h"
#include "report/estate_summary.h"

namespace codetal {

// Every second table row begins with exactly this text.
inline constexpr std::string_view kRowPrefix = "                                  |  ";
inline constexpr std::size_t kTitleWidth = 117;

// The two heading lines of a table (the second with the blank line after
// it), each written as a text of its own.
void write_heading_lines(LogFile& log);

std::string wildcard_set_title(std::string_view pattern);
std::string project_group_title(std::string_view path);
std::string project_title(std::string_view path);
std::string estate_title(std::string_view folder);
inline constexpr std::string_view kUnlistedModulesTitle = "MODULES IN NO PROJECT \n\n";

void write_module_name_line(LogFile& log, std::string_view module_name);
void report_module(LogFile& log, const ReportOptions& options, const ModuleStats& stats,
                   std::string_view module_name);
void report_project_totals(LogFile& log, const ModuleStats& project_totals);
void report_group_totals(LogFile& log, const ModuleStats& group_totals);
void report_unlisted_totals(LogFile& log, const ModuleStats& unlisted_totals);
// Laid out as the Group Totals.
void report_estate_totals(LogFile& log, const ModuleStats& estate_totals);
// After the estate totals: each set of files with the same bytes (their
// names, then the counts of one), when there are any, then the totals that
// count each content once.
void report_estate_contents(LogFile& log, const EstateSummary& summary);
std::string left_out_title(std::string_view folder);
// The one line that tells how many module files the options left out.
std::string not_counted_line(std::size_t files);

}  // namespace codetal
