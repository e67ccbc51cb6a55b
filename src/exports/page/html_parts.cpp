#include "exports/page/html_parts.h"

#include <algorithm>

#include "analysis/line_counts.h"
#include "exports/export_text.h"

namespace codetal::html {
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
