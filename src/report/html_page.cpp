// The page of "Codetal.html": inline CSS and SVG only, so that it opens
// offline and from a mail attachment. It is also well-formed XML, which
// keeps it simple to check. Every figure and position is an integer, so
// that each build writes the same bytes.
#include <algorithm>
#include <cstdint>

#include "analysis/line_counts.h"
#include "analysis/statement_kinds.h"
#include "report/export_text.h"
#include "report/html_report.h"

namespace codetal {
namespace {

constexpr std::size_t kLabelCharacters = 40;
constexpr std::int64_t kChartWidth = 960;
constexpr std::int64_t kLabelWidth = 280;
constexpr std::int64_t kBarWidth = 600;
constexpr std::int64_t kRowHeight = 22;

constexpr std::string_view kStyle =
    "body{font-family:'DejaVu Sans',Arial,Helvetica,sans-serif;margin:0;padding:20px 32px;"
    "color:#222;background:#fafafa}\n"
    "h1{font-size:22px;margin:0 0 4px}\n"
    "h2{font-size:17px;margin:28px 0 8px}\n"
    ".meta{color:#555;margin:0 0 4px}\n"
    ".cards{display:flex;flex-wrap:wrap;gap:12px;margin-bottom:12px}\n"
    ".card{background:#fff;border:1px solid #ddd;border-radius:6px;padding:10px 16px;"
    "min-width:110px}\n"
    ".card b{display:block;font-size:22px}\n"
    ".card span{color:#555;font-size:13px}\n"
    ".scroll{max-height:560px;overflow:auto;border:1px solid #ddd;background:#fff}\n"
    ".wide{max-height:640px;overflow:auto;border:1px solid #ddd;background:#fff}\n"
    "svg{display:block}\n"
    "svg text{font-size:12px;fill:#222}\n"
    "svg text.label{text-anchor:end}\n"
    ".code{fill:#3465a4;background:#3465a4}\n"
    ".comments{fill:#e69f00;background:#e69f00}\n"
    ".blank{fill:#b8b8b8;background:#b8b8b8}\n"
    ".kind{fill:#6a51a3}\n"
    ".key{display:inline-block;width:12px;height:12px;margin:0 4px 0 14px;"
    "vertical-align:-1px}\n"
    ".legend{margin:0 0 6px;font-size:13px}\n"
    "table{border-collapse:collapse;font-size:13px;white-space:nowrap}\n"
    "th,td{padding:4px 8px;border-bottom:1px solid #eee;text-align:right}\n"
    "th:first-child,td:first-child{text-align:left}\n"
    "th{background:#f0f0f0;position:sticky;top:0}\n"
    "th.sortable{cursor:pointer}\n"
    "tfoot td{font-weight:bold;border-top:2px solid #ccc}\n";

// Sorts the project table by the column clicked, again for the other way.
// Written without "<" and "&", so that the page stays well-formed XML.
constexpr std::string_view kSortScript =
    "(function () {\n"
    "  var table = document.getElementById(\"project-table\");\n"
    "  if (!table) return;\n"
    "  function key(cell) {\n"
    "    if (cell.className === \"n\") return Number(cell.textContent);\n"
    "    return (cell.getAttribute(\"title\") || cell.textContent).toLowerCase();\n"
    "  }\n"
    "  function sorter(column) {\n"
    "    var descending = false;\n"
    "    return function () {\n"
    "      var body = table.tBodies[0];\n"
    "      var rows = Array.prototype.slice.call(body.rows);\n"
    "      descending = !descending;\n"
    "      rows.sort(function (a, b) {\n"
    "        var x = key(a.cells[column]), y = key(b.cells[column]);\n"
    "        var order = x > y ? 1 : (y > x ? -1 : 0);\n"
    "        return descending ? -order : order;\n"
    "      });\n"
    "      rows.forEach(function (row) { body.appendChild(row); });\n"
    "    };\n"
    "  }\n"
    "  var heads = table.tHead.rows[0].cells;\n"
    "  for (var i = 0; i !== heads.length; i++) {\n"
    "    heads[i].className = \"sortable\";\n"
    "    heads[i].title = \"Sort by this column\";\n"
    "    heads[i].addEventListener(\"click\", sorter(i));\n"
    "  }\n"
    "  table.setAttribute(\"data-sortable\", \"yes\");\n"
    "})();\n";

void append_int(std::string& out, std::int64_t value) {
  append_number(out, value);
}

// "2,548,361": large figures read at a glance.
void append_grouped(std::string& out, std::int64_t value) {
  std::string digits;
  append_int(digits, value);
  std::size_t first = digits.starts_with("-") ? 1 : 0;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > first && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
}

// "12.3 %", rounded to one decimal with integers only.
void append_percent(std::string& out, std::int64_t part, std::int64_t whole) {
  std::int64_t permille = whole > 0 ? (part * 1000 + whole / 2) / whole : 0;
  append_int(out, permille / 10);
  out += '.';
  append_int(out, permille % 10);
  out += " %";
}

bool is_continuation_byte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// A long name keeps its end, where a path says most, behind an ellipsis.
void append_short_name(std::string& out, std::string_view name) {
  std::string text;
  append_utf8(text, name);
  std::size_t characters = 0;
  std::size_t kept_from = 0;  // where the last characters but one begin
  for (std::size_t i = text.size(); i > 0; --i) {
    if (is_continuation_byte(text[i - 1])) continue;
    if (++characters == kLabelCharacters - 1) kept_from = i - 1;
  }
  if (characters <= kLabelCharacters) {
    append_html_text(out, text);
    return;
  }
  out += "\xE2\x80\xA6";  // an ellipsis
  append_html_text(out, std::string_view(text).substr(kept_from));
}

std::string_view kind_title(const StatementKind& kind) {
  std::string_view label = kind.list_label;
  if (label.starts_with("Nbr. ")) label.remove_prefix(5);
  return label;
}

// A project or wildcard set, as the page shows it.
struct PageContainer {
  const ModuleList* list;
  bool wildcard_set;
};

// What the page shows, taken from the model: the projects and sets as
// containers, the largest modules and the failures, in the run's order.
struct PageData {
  const RunModel& model;
  int exit_status;
  std::vector<PageContainer> containers;
  std::vector<const ModuleRecord*> largest;  // largest first, at most kLargestModules
  std::vector<const ModuleRecord*> failures;
};

// Kept in order as they come, so that modules of the same size keep the
// order of the traversal.
void keep_if_largest(std::vector<const ModuleRecord*>& largest, const ModuleRecord& module) {
  const std::int32_t lines = module.result->stats[kTotalLines];
  std::size_t at = 0;
  while (at < largest.size() && largest[at]->result->stats[kTotalLines] >= lines) ++at;
  if (at >= kLargestModules) return;
  largest.insert(largest.begin() + static_cast<std::ptrdiff_t>(at), &module);
  if (largest.size() > kLargestModules) largest.pop_back();
}

PageData page_data(const RunModel& model, int exit_status) {
  PageData data{model, exit_status, {}, {}, {}};
  for (const GroupRecord& group : model.groups) {
    for (const ModuleList& project : group.projects) data.containers.push_back({&project, false});
  }
  for (const ModuleList& project : model.projects) data.containers.push_back({&project, false});
  for (const ModuleList& set : model.sets) data.containers.push_back({&set, true});
  for_each_list(model, [&](const ModuleList& list) {
    for (const ModuleRecord& module : list.modules) {
      if (module.result) {
        keep_if_largest(data.largest, module);
      } else {
        data.failures.push_back(&module);
      }
    }
  });
  return data;
}

void append_head(std::string& out, const PageData& data) {
  out += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\"/>\n";
  out += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"/>\n";
  out += "<title>Codetal: ";
  append_html_text(out, data.model.facts.input);
  out += "</title>\n<style>\n";
  out += kStyle;
  out += "</style>\n</head>\n<body>\n";
}

std::string_view input_description(const PageData& data) {
  if (data.model.estate) return "Estate";
  if (!data.model.groups.empty()) return "Project group";
  if (data.containers.empty()) return "Input";
  return data.containers.front().wildcard_set ? "Wildcard set" : "Project";
}

void append_title(std::string& out, const PageData& data) {
  out += "<header>\n<h1>";
  out += input_description(data);
  out += ' ';
  append_html_text(out, data.model.facts.input);
  out += "</h1>\n<p class=\"meta\">Codetal ";
  append_html_text(out, data.model.facts.version);
  out += ", run started ";
  std::string time = iso_local_time(data.model.facts.started);
  time[10] = ' ';
  out += time;
  out += ". ";
  out += data.model.completed ? "Completed" : "Stopped early";
  out += " with exit status ";
  append_int(out, data.exit_status);
  out += ".</p>\n</header>\n";
}

void append_card(std::string& out, std::string_view value, std::string_view label) {
  out += "<div class=\"card\"><b>";
  out += value;
  out += "</b><span>";
  out += label;
  out += "</span></div>\n";
}

void append_count_card(std::string& out, std::int64_t value, std::string_view label) {
  std::string text;
  append_grouped(text, value);
  append_card(out, text, label);
}

void append_legend(std::string& out) {
  out += "<p class=\"legend\"><span class=\"key code\"></span>code";
  out += "<span class=\"key comments\"></span>comments";
  out += "<span class=\"key blank\"></span>blank</p>\n";
}

// One stacked bar (code, comments, blank) at `y`, scaled to `largest`.
void append_stacked_bar(std::string& out, std::int64_t y, const ModuleStats& stats,
                        std::int64_t largest) {
  const Counter parts[] = {kCodeLines, kCommentLines, kBlankLines};
  const char* classes[] = {"code", "comments", "blank"};
  std::int64_t sum = 0;
  std::int64_t x = kLabelWidth;
  for (int i = 0; i < 3; ++i) {
    sum += stats[parts[i]];
    std::int64_t end = kLabelWidth + (largest > 0 ? sum * kBarWidth / largest : 0);
    out += "<rect class=\"";
    out += classes[i];
    out += "\" x=\"";
    append_int(out, x);
    out += "\" y=\"";
    append_int(out, y + 3);
    out += "\" width=\"";
    append_int(out, end - x);
    out += "\" height=\"16\"/>";
    x = end;
  }
  out += "<text x=\"";
  append_int(out, x + 6);
  out += "\" y=\"";
  append_int(out, y + 15);
  out += "\">";
  append_grouped(out, stats[kTotalLines]);
  out += "</text>";
}

void append_chart_start(std::string& out, std::string_view id, std::size_t rows) {
  std::int64_t height = static_cast<std::int64_t>(rows) * kRowHeight + 8;
  out += "<svg id=\"";
  out += id;
  out += "\" width=\"";
  append_int(out, kChartWidth);
  out += "\" height=\"";
  append_int(out, height);
  out += "\" viewBox=\"0 0 ";
  append_int(out, kChartWidth);
  out += ' ';
  append_int(out, height);
  out += "\" role=\"img\">\n";
}

void append_row_label(std::string& out, std::int64_t y, std::string_view name) {
  out += "<text class=\"label\" x=\"";
  append_int(out, kLabelWidth - 8);
  out += "\" y=\"";
  append_int(out, y + 15);
  out += "\">";
  append_short_name(out, name);
  out += "</text>";
}

// The whole name and its figures, shown as the row's tooltip.
void append_row_tooltip(std::string& out, std::string_view name, const ModuleStats& stats) {
  out += "<title>";
  append_html_text(out, name);
  out += ": ";
  for (const LineCount& count : kLineCounts) {
    if (count.counter != kTotalLines) out += ", ";
    append_int(out, stats[count.counter]);
    out += ' ';
    out += count.tooltip_word;
  }
  out += "</title>";
}

struct BarRow {
  std::string_view name;
  const ModuleStats* stats;
};

// Rows of stacked bars, one per name, in a frame that scrolls when there
// are many, so that no bar is squashed.
void append_bar_chart(std::string& out, std::string_view id, const std::vector<BarRow>& rows) {
  std::int64_t largest = 0;
  for (const BarRow& row : rows)
    largest = std::max<std::int64_t>(largest, (*row.stats)[kTotalLines]);
  append_legend(out);
  out += "<div class=\"scroll\">\n";
  append_chart_start(out, id, rows.size());
  std::int64_t y = 4;
  for (const BarRow& row : rows) {
    out += "<g class=\"bar\">";
    append_row_tooltip(out, row.name, *row.stats);
    append_row_label(out, y, row.name);
    append_stacked_bar(out, y, *row.stats, largest);
    out += "</g>\n";
    y += kRowHeight;
  }
  out += "</svg>\n</div>\n";
}

void append_summary(std::string& out, const PageData& data) {
  const ModuleStats& t = data.model.totals;
  out += "<section id=\"totals\">\n<h2>Totals at a glance</h2>\n<div class=\"cards\">\n";
  for (const LineCount& count : kLineCounts)
    append_count_card(out, t[count.counter], count.card_label);
  std::string share;
  append_percent(share, t[kCommentLines], t[kTotalLines]);
  append_card(out, share, "comment share");
  append_count_card(out, data.model.modules_counted, "modules counted");
  if (data.model.estate) {
    const ModuleList& unlisted = data.model.estate->unlisted;
    append_count_card(out, unlisted.totals[kTotalLines], "lines in no project");
    append_count_card(out, unlisted.counted, "modules in no project");
  }
  if (data.model.modules_failed > 0)
    append_count_card(out, data.model.modules_failed, "modules failed");
  out += "</div>\n";
  append_bar_chart(out, "share-chart", {BarRow{"All modules", &t}});
  out += "</section>\n";
}

void append_projects_chart(std::string& out, const PageData& data) {
  out += "<section id=\"projects\">\n<h2>Projects by size</h2>\n";
  if (data.containers.empty()) {
    out += "<p>This run has no project.</p>\n</section>\n";
    return;
  }
  std::vector<BarRow> rows;
  for (const PageContainer& c : data.containers)
    rows.push_back(BarRow{c.list->name, &c.list->totals});
  std::stable_sort(rows.begin(), rows.end(), [](const BarRow& a, const BarRow& b) {
    return (*a.stats)[kTotalLines] > (*b.stats)[kTotalLines];
  });
  append_bar_chart(out, "project-chart", rows);
  out += "</section>\n";
}

void append_modules_chart(std::string& out, const PageData& data) {
  out += "<section id=\"modules\">\n<h2>The ";
  append_int(out, static_cast<std::int64_t>(kLargestModules));
  out += " largest modules</h2>\n";
  if (data.largest.empty()) {
    out += "<p>No module was counted.</p>\n</section>\n";
    return;
  }
  std::vector<BarRow> rows;
  for (const ModuleRecord* m : data.largest) rows.push_back(BarRow{m->name, &m->result->stats});
  append_bar_chart(out, "module-chart", rows);
  out += "</section>\n";
}

void append_statement_chart(std::string& out, const PageData& data) {
  out += "<section id=\"statements\">\n<h2>What the code is made of</h2>\n";
  out += "<p class=\"legend\">Statements of each kind in every module counted.</p>\n";
  std::int64_t largest = 0;
  for (const StatementKind& kind : kStatementKinds)
    largest = std::max<std::int64_t>(largest, data.model.totals[kind.counter]);
  out += "<div class=\"scroll\">\n";
  append_chart_start(out, "statement-chart", kStatementKindCount);
  std::int64_t y = 4;
  for (const StatementKind& kind : kStatementKinds) {
    std::int64_t count = data.model.totals[kind.counter];
    std::int64_t width = largest > 0 ? count * kBarWidth / largest : 0;
    out += "<g class=\"bar\"><text class=\"label\" x=\"";
    append_int(out, kLabelWidth - 8);
    out += "\" y=\"";
    append_int(out, y + 15);
    out += "\">";
    out += kind_title(kind);
    out += "</text><rect class=\"kind\" x=\"";
    append_int(out, kLabelWidth);
    out += "\" y=\"";
    append_int(out, y + 3);
    out += "\" width=\"";
    append_int(out, width);
    out += "\" height=\"16\"/><text x=\"";
    append_int(out, kLabelWidth + width + 6);
    out += "\" y=\"";
    append_int(out, y + 15);
    out += "\">";
    append_grouped(out, count);
    out += "</text></g>\n";
    y += kRowHeight;
  }
  out += "</svg>\n</div>\n</section>\n";
}

void append_number_cells(std::string& out, int modules, const ModuleStats& stats) {
  auto cell = [&out](std::int64_t value) {
    out += "<td class=\"n\">";
    append_int(out, value);
    out += "</td>";
  };
  cell(modules);
  for (const LineCount& count : kLineCounts) cell(stats[count.counter]);
  out += "<td>";
  append_percent(out, stats[kCommentLines], stats[kTotalLines]);
  out += "</td>";
  for (const StatementKind& kind : kStatementKinds) cell(stats[kind.counter]);
}

void append_table_head(std::string& out) {
  out += "<thead><tr><th>Name</th><th>Modules</th>";
  for (const LineCount& count : kLineCounts) {
    out += "<th>";
    out += count.column_title;
    out += "</th>";
  }
  out += "<th>Comment share</th>";
  for (const StatementKind& kind : kStatementKinds) {
    out += "<th>";
    out += kind_title(kind);
    out += "</th>";
  }
  out += "</tr></thead>\n";
}

void append_project_table(std::string& out, const PageData& data) {
  if (data.containers.empty()) return;
  out += "<section id=\"table\">\n<h2>Projects in numbers</h2>\n<div class=\"wide\">\n";
  out += "<table id=\"project-table\">\n";
  append_table_head(out);
  out += "<tbody>\n";
  for (const PageContainer& c : data.containers) {
    out += "<tr><td title=\"";
    append_html_text(out, c.list->name);
    out += "\">";
    if (c.wildcard_set) out += "set ";
    append_short_name(out, c.list->name);
    out += "</td>";
    append_number_cells(out, c.list->counted, c.list->totals);
    out += "</tr>\n";
  }
  out += "</tbody>\n<tfoot><tr><td>All</td>";
  append_number_cells(out, data.model.modules_counted, data.model.totals);
  out += "</tr></tfoot>\n</table>\n</div>\n</section>\n";
}

void append_failures(std::string& out, const PageData& data) {
  if (data.failures.empty()) return;
  out += "<section id=\"failures\">\n<h2>Modules not counted</h2>\n<ul>\n";
  for (const ModuleRecord* f : data.failures) {
    out += "<li>";
    append_html_text(out, f->name);
    out += ": ";
    out += failure_reason(f->failure);
    out += "</li>\n";
  }
  out += "</ul>\n</section>\n";
}

}  // namespace

void render_page(std::string& out, const RunModel& model, int exit_status) {
  const PageData data = page_data(model, exit_status);
  append_head(out, data);
  append_title(out, data);
  append_summary(out, data);
  append_projects_chart(out, data);
  append_modules_chart(out, data);
  append_statement_chart(out, data);
  append_project_table(out, data);
  append_failures(out, data);
  out += "<script>\n";
  out += kSortScript;
  out += "</script>\n</body>\n</html>\n";
}

void write_html(WrittenFile& file, const RunModel& model, int exit_status) {
  if (!file.open()) return;
  render_page(file.text(), model, exit_status);
  file.close();
}

}  // namespace codetal
