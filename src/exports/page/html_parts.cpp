#include "exports/page/html_parts.h"

#include <algorithm>

#include "analysis/line_counts.h"
#include "exports/export_text.h"

namespace codetal::html {

const std::string_view kPageStyle =
    "body{font-family:'DejaVu Sans',Arial,Helvetica,sans-serif;margin:0;padding:20px 32px;"
    "color:#222;background:#fafafa}\n"
    "h1{font-size:22px;margin:0 0 4px}\n"
    "h2{font-size:17px;margin:28px 0 8px}\n"
    "h3{font-size:15px;margin:18px 0 6px}\n"
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
    "td.l{white-space:normal;overflow-wrap:anywhere;min-width:12em;max-width:36em}\n"
    "tfoot td{font-weight:bold;border-top:2px solid #ccc}\n";

// Sorts each table by the column clicked, again for the other way.
// Written without "<" and "&", so that the page stays well-formed XML.
const std::string_view kSortScript =
    "(function () {\n"
    "  function key(cell) {\n"
    "    if (cell.className === \"n\") return Number(cell.textContent);\n"
    "    return (cell.getAttribute(\"title\") || cell.textContent).toLowerCase();\n"
    "  }\n"
    "  function sortable(table) {\n"
    "    function sorter(column) {\n"
    "      var descending = false;\n"
    "      return function () {\n"
    "        var body = table.tBodies[0];\n"
    "        var rows = Array.prototype.slice.call(body.rows);\n"
    "        descending = !descending;\n"
    "        rows.sort(function (a, b) {\n"
    "          var x = key(a.cells[column]), y = key(b.cells[column]);\n"
    "          var order = x > y ? 1 : (y > x ? -1 : 0);\n"
    "          return descending ? -order : order;\n"
    "        });\n"
    "        rows.forEach(function (row) { body.appendChild(row); });\n"
    "      };\n"
    "    }\n"
    "    var heads = table.tHead.rows[0].cells;\n"
    "    for (var i = 0; i !== heads.length; i++) {\n"
    "      heads[i].className = \"sortable\";\n"
    "      heads[i].title = \"Sort by this column\";\n"
    "      heads[i].addEventListener(\"click\", sorter(i));\n"
    "    }\n"
    "    table.setAttribute(\"data-sortable\", \"yes\");\n"
    "  }\n"
    "  var tables = document.getElementsByTagName(\"table\");\n"
    "  for (var t = 0; t !== tables.length; t++) sortable(tables[t]);\n"
    "})();\n";

namespace {

constexpr std::size_t kLabelCharacters = 40;
constexpr std::int64_t kChartWidth = 960;

bool is_continuation_byte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
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
    append_number(out, x);
    out += "\" y=\"";
    append_number(out, y + 3);
    out += "\" width=\"";
    append_number(out, end - x);
    out += "\" height=\"16\"/>";
    x = end;
  }
  out += "<text x=\"";
  append_number(out, x + 6);
  out += "\" y=\"";
  append_number(out, y + 15);
  out += "\">";
  append_grouped(out, stats[kTotalLines]);
  out += "</text>";
}

void append_row_label(std::string& out, std::int64_t y, std::string_view name) {
  out += "<text class=\"label\" x=\"";
  append_number(out, kLabelWidth - 8);
  out += "\" y=\"";
  append_number(out, y + 15);
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
    append_number(out, stats[count.counter]);
    out += ' ';
    out += count.tooltip_word;
  }
  out += "</title>";
}

}  // namespace

void append_page_head(std::string& out, std::string_view title, std::string_view more_style) {
  out += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\"/>\n";
  out += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"/>\n";
  out += "<title>Codetal: ";
  append_html_text(out, title);
  out += "</title>\n<style>\n";
  out += kPageStyle;
  out += more_style;
  out += "</style>\n</head>\n<body>\n";
}

void append_grouped(std::string& out, std::int64_t value) {
  std::string digits;
  append_number(digits, value);
  std::size_t first = digits.starts_with("-") ? 1 : 0;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > first && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
}

void append_percent(std::string& out, std::int64_t part, std::int64_t whole) {
  std::int64_t permille = whole > 0 ? (part * 1000 + whole / 2) / whole : 0;
  append_number(out, permille / 10);
  out += '.';
  append_number(out, permille % 10);
  out += " %";
}

void append_cell(std::string& out, const Cell& cell) {
  if (cell.is_number) {
    out += "<td class=\"n\">";
    append_number(out, cell.number);
  } else if (cell.is_label) {
    out += "<td class=\"t l\" title=\"";
    append_html_text(out, cell.text);
    out += "\">";
    append_html_text(out, cell.shown);
  } else {
    out += "<td class=\"t\">";
    append_html_text(out, cell.text);
  }
  out += "</td>";
}

std::string_view shown_path(std::string_view path, std::string_view root) {
  return !root.empty() && path.size() > root.size() && path.starts_with(root)
             ? path.substr(root.size())
             : path;
}

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

void append_chart_start(std::string& out, std::string_view id, std::size_t rows) {
  std::int64_t height = static_cast<std::int64_t>(rows) * kRowHeight + 8;
  out += "<svg id=\"";
  out += id;
  out += "\" width=\"";
  append_number(out, kChartWidth);
  out += "\" height=\"";
  append_number(out, height);
  out += "\" viewBox=\"0 0 ";
  append_number(out, kChartWidth);
  out += ' ';
  append_number(out, height);
  out += "\" role=\"img\">\n";
}

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
    append_row_label(out, y, row.shown.empty() ? row.name : row.shown);
    append_stacked_bar(out, y, *row.stats, largest);
    out += "</g>\n";
    y += kRowHeight;
  }
  out += "</svg>\n</div>\n";
}

}  // namespace codetal::html
