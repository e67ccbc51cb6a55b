#include "report/layouts.h"

#include "platform/ascii.h"

namespace codetal {
namespace {

// Names are copied as bytes, never formatted, so that any byte of a name
// (a "%" or even a NUL) reaches the report as it is.
void write_name_line(ReportLog& log, std::string_view label, std::string_view name) {
  std::string line;
  line.reserve(label.size() + name.size() + 2);
  line.append(label).append(name).append(" \n");
  log.write_log(line);
}

struct ListLine {
  const char* label;  // padded to 15 characters by the format
  Counter counter;
  std::int32_t ReportOptions::*shown;  // nullptr: always written
};

// The list form's counter lines after the dash line, in print order.
constexpr ListLine kStatementLines[] = {
    {"Nbr. Subs", kSubs, nullptr},
    {"Nbr. Functions", kFunctions, nullptr},
    {"Nbr. Lets", kLets, &ReportOptions::lets},
    {"Nbr. Gets", kGets, &ReportOptions::gets},
    {"Nbr. Events", kEvents, &ReportOptions::events},
    {"Nbr. Ifs", kIfs, &ReportOptions::ifs},
    {"Nbr. ElseIfs", kElseIfs, &ReportOptions::elseifs},
    {"Nbr. Dos", kDos, &ReportOptions::dos},
    {"Nbr. Whiles", kWhiles, &ReportOptions::whiles},
    {"Nbr. Fors", kFors, &ReportOptions::fors},
    {"Nbr. Labels", kLabels, &ReportOptions::labels},
    {"Nbr. WinAPI", kWinApi, &ReportOptions::winapi},
    {"Nbr. Dims", kDims, &ReportOptions::dims},
    {"Nbr. Vars", kVars, &ReportOptions::vars},
    {"Nbr. Types", kTypes, &ReportOptions::types},
    {"Nbr. Enums", kEnums, &ReportOptions::enums},
    {"Nbr. Consts", kConsts, &ReportOptions::consts},
};

std::string upper_title(const char* label, std::string_view name, const char* ending) {
  std::string title = label;
  title.append(name);
  title.append(ending);
  make_upper(title);
  return title;
}

void report_list_form(ReportLog& log, const ReportOptions& options, const ModuleStats& s,
                      std::string_view module_name) {
  write_name_line(log, "File: ", module_name);
  log.write_logf("   Total Lines    = %d \n", s[kTotalLines]);
  log.write_logf("   Lines of Code  = %d \n", s[kCodeLines]);
  log.write_logf("   Nbr. Comments  = %d \n", s[kCommentLines]);
  if (options.blank_lines != 0) log.write_logf("   Blank Lines    = %d \n", s[kBlankLines]);
  log.write_log("   ---------------- \n");
  for (const ListLine& line : kStatementLines) {
    if (line.shown == nullptr || options.*line.shown != 0)
      log.write_logf("   %-15s= %d \n", line.label, s[line.counter]);
  }
  log.write_log("\n");
}

void write_table_rows(ReportLog& log, const ModuleStats& s) {
  log.write_logf(
      "%5d    %5d    %5d    %5d  |       %5d     %5d     %5d     %5d     %5d     %5d"
      "     %5d     %5d \n",
      s[kTotalLines], s[kCodeLines], s[kCommentLines], s[kBlankLines], s[kSubs], s[kFunctions],
      s[kLets], s[kGets], s[kEvents], s[kIfs], s[kElseIfs], s[kDos]);
  log.write_logf("%.*s     %5d     %5d     %5d     %5d     %5d     %5d     %5d     %5d \n\n",
                 static_cast<int>(kRowPrefix.size()), kRowPrefix.data(), s[kWhiles], s[kFors],
                 s[kWinApi], s[kDims], s[kVars], s[kTypes], s[kEnums], s[kConsts]);
}

}  // namespace

std::string generic_class_title(std::string_view pattern) {
  return upper_title("GENERIC CLASS: ", pattern, " \n\n");
}

std::string project_group_title(std::string_view path) {
  return upper_title("PROJECT GROUP: ", path, " \n\n");
}

std::string project_title(std::string_view path) {
  std::string title = upper_title("PROJECT: ", path, "  ");
  title += '-';
  if (title.size() < kTitleWidth) title.append(kTitleWidth - title.size(), '-');
  title += "\n\n";
  return title;
}

void write_module_name_line(ReportLog& log, std::string_view module_name) {
  write_name_line(log, "", module_name);
}

void report_module(ReportLog& log, const ReportOptions& options, const ModuleStats& stats,
                   std::string_view module_name) {
  if (options.table_form()) {
    write_table_rows(log, stats);
  } else {
    report_list_form(log, options, stats, module_name);
  }
}

void report_project_totals(ReportLog& log, const ModuleStats& project_totals) {
  log.write_log("Project Totals \n");
  write_table_rows(log, project_totals);
}

void report_group_totals(ReportLog& log, const ModuleStats& group_totals) {
  log.write_log("\n");
  log.write_log(std::string(kTitleWidth, '-') + "\n");
  log.write_log("\n");
  log.write_log("Group Totals \n");
  write_table_rows(log, group_totals);
}

}  // namespace codetal
