#include "log/layouts.h"

#include <cstdio>

#include "analysis/statement_kinds.h"
#include "platform/ascii.h"

namespace codetal {
namespace {

// The counts half of each table line; the statement columns follow the bar.
constexpr std::string_view kCountsHeading[] = {"Total    Lines   Rems &    Blank  |",
                                               "Lines     Code  Comments   Lines  |"};
// The first statement column is two characters wider than the others.
constexpr int kFirstColumnWidth = 12;
constexpr int kColumnWidth = 10;

std::string build_heading_line(int row) {
  std::string text(kCountsHeading[row - 1]);
  int width = kFirstColumnWidth;
  for (const StatementKind& kind : kStatementKinds) {
    if (kind.table_row != row) continue;
    text.append(static_cast<std::size_t>(width) - kind.column_title.size(), ' ');
    text.append(kind.column_title);
    width = kColumnWidth;
  }
  text.append(row == 1 ? " \n" : " \n\n");
  return text;
}

// As "%5d" would, without a format call per column of every row.
void append_five_wide(std::string& line, std::int32_t value) {
  char digits[12];
  char* end = digits + sizeof digits;
  char* at = end;
  std::int64_t rest = value < 0 ? -static_cast<std::int64_t>(value) : value;
  do {
    *--at = static_cast<char>('0' + rest % 10);
    rest /= 10;
  } while (rest != 0);
  if (value < 0) *--at = '-';
  std::size_t size = static_cast<std::size_t>(end - at);
  if (size < 5) line.append(5 - size, ' ');
  line.append(at, size);
}

// Appends the statement columns of one table row after its bar.
void append_statement_columns(std::string& line, const ModuleStats& s, int row) {
  int width = kFirstColumnWidth;
  for (const StatementKind& kind : kStatementKinds) {
    if (kind.table_row != row) continue;
    // The padding is fixed and the number at least five wide, so a wider
    // number shifts the rest of the row rather than being cut.
    line.append(static_cast<std::size_t>(width - 5), ' ');
    append_five_wide(line, s[kind.counter]);
    width = kColumnWidth;
  }
}

void write_table_rows(LogFile& log, const ModuleStats& s) {
  char counts[64];
  int n = std::snprintf(counts, sizeof counts, "%5d    %5d    %5d    %5d  |", s[kTotalLines],
                        s[kCodeLines], s[kCommentLines], s[kBlankLines]);
  std::string line(counts, static_cast<std::size_t>(n));
  append_statement_columns(line, s, 1);
  line.append(" \n");
  log.write_log(line);
  line.assign(kRowPrefix.substr(0, kRowPrefix.size() - 2));
  append_statement_columns(line, s, 2);
  line.append(" \n\n");
  log.write_log(line);
}

// Names are copied as bytes, never formatted, so that any byte of a name
// (a "%" or even a NUL) reaches the report as it is.
void write_name_line(LogFile& log, std::string_view label, std::string_view name) {
  std::string line;
  line.reserve(label.size() + name.size() + 2);
  line.append(label).append(name).append(" \n");
  log.write_log(line);
}

void report_list_form(LogFile& log, const ReportOptions& options, const ModuleStats& s,
                      std::string_view module_name) {
  write_name_line(log, "File: ", module_name);
  log.write_logf("   Total Lines    = %d \n", s[kTotalLines]);
  log.write_logf("   Lines of Code  = %d \n", s[kCodeLines]);
  log.write_logf("   Nbr. Comments  = %d \n", s[kCommentLines]);
  if (options.blank_lines != 0) log.write_logf("   Blank Lines    = %d \n", s[kBlankLines]);
  log.write_log("   ---------------- \n");
  for (std::size_t i = 0; i < kStatementKindCount; ++i) {
    const StatementKind& kind = kStatementKinds[i];
    if (options.shown_kinds[i] == 0) continue;
    log.write_logf("   %-15.*s= %d \n", static_cast<int>(kind.list_label.size()),
                   kind.list_label.data(), s[kind.counter]);
  }
  log.write_log("\n");
}

std::string upper_title(const char* label, std::string_view name, const char* ending) {
  std::string title = label;
  title.append(name);
  title.append(ending);
  make_upper(title);
  return title;
}

// A rule across the table, then the labelled totals.
void write_ruled_totals(LogFile& log, std::string_view label, const ModuleStats& totals) {
  log.write_log("\n");
  log.write_log(std::string(kTitleWidth, '-') + "\n");
  log.write_log("\n");
  log.write_log(label);
  write_table_rows(log, totals);
}

}  // namespace

void write_heading_lines(LogFile& log) {
  static const std::string lines[] = {build_heading_line(1), build_heading_line(2)};
  for (const std::string& line : lines) log.write_log(line);
}

std::string wildcard_set_title(std::string_view pattern) {
  return upper_title("GENERIC CLASS: ", pattern, " \n\n");
}

std::string project_group_title(std::string_view path) {
  return upper_title("PROJECT GROUP: ", path, " \n\n");
}

std::string estate_title(std::string_view folder) {
  return upper_title("ESTATE: ", folder, " \n\n");
}

std::string project_title(std::string_view path) {
  std::string title = upper_title("PROJECT: ", path, "  ");
  title += '-';
  if (title.size() < kTitleWidth) title.append(kTitleWidth - title.size(), '-');
  title += "\n\n";
  return title;
}

void write_module_name_line(LogFile& log, std::string_view module_name) {
  write_name_line(log, "", module_name);
}

void report_module(LogFile& log, const ReportOptions& options, const ModuleStats& stats,
                   std::string_view module_name) {
  if (options.table_form()) {
    write_table_rows(log, stats);
  } else {
    report_list_form(log, options, stats, module_name);
  }
}

void report_project_totals(LogFile& log, const ModuleStats& project_totals) {
  log.write_log("Project Totals \n");
  write_table_rows(log, project_totals);
}

void report_group_totals(LogFile& log, const ModuleStats& group_totals) {
  write_ruled_totals(log, "Group Totals \n", group_totals);
}

void report_unlisted_totals(LogFile& log, const ModuleStats& unlisted_totals) {
  log.write_log("Unlisted Totals \n");
  write_table_rows(log, unlisted_totals);
}

void report_estate_totals(LogFile& log, const ModuleStats& estate_totals) {
  write_ruled_totals(log, "Estate Totals \n", estate_totals);
}

void report_estate_contents(LogFile& log, const EstateSummary& summary) {
  if (!summary.copies.empty()) {
    log.write_log("FILES WITH THE SAME CONTENT \n\n");
    write_heading_lines(log);
    for (const CopySet& set : summary.copies) {
      for (const std::string& file : set.files) write_module_name_line(log, file);
      write_table_rows(log, set.counts);
    }
  }
  log.write_log("Distinct Content Totals \n");
  write_table_rows(log, summary.distinct_content_totals);
}

std::string left_out_title(std::string_view folder) {
  return upper_title("FOLDER LEFT OUT: ", folder, " \n\n");
}

std::string not_counted_line(std::size_t files) {
  return "MODULES NOT COUNTED: " + std::to_string(files) +
         " files of kinds counted only with optAllModuleKinds=1 \n\n";
}

}  // namespace codetal
