// The fixed-column texts of the report: titles, heading lines, module blocks
// (table or list form) and the Project and Group Totals rows.
#pragma once

#include <string>
#include <string_view>

#include "analysis/module_stats.h"
#include "options/report_options.h"
#include "report/log.h"

namespace codetal {

// Each heading line is its counts half followed by its statement-column half.
inline constexpr std::string_view kHeadingLine1 =
    "Total    Lines   Rems &    Blank  |        Subs     Funcs      Lets      Gets    Events"
    "       Ifs   ElseIfs       Dos \n";
inline constexpr std::string_view kHeadingLine2 =
    "Lines     Code  Comments   Lines  |      Whiles      Fors    WinAPI      Dims      Vars"
    "     Types     Enums    Consts \n\n";
// Every second table row begins with exactly this text.
inline constexpr std::string_view kRowPrefix = "                                  |  ";
inline constexpr std::size_t kTitleWidth = 117;

std::string generic_class_title(std::string_view pattern);
std::string project_group_title(std::string_view path);
std::string project_title(std::string_view path);

void write_module_name_line(ReportLog& log, std::string_view module_name);
void report_module(ReportLog& log, const ReportOptions& options, const ModuleStats& stats,
                   std::string_view module_name);
void report_project_totals(ReportLog& log, const ModuleStats& project_totals);
void report_group_totals(ReportLog& log, const ModuleStats& group_totals);

}  // namespace codetal
