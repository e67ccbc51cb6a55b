// Drawing parts of the page (cards, bar charts, figures and names as the
// page writes them), shared by its sections.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/module_stats.h"

namespace codetal::html {

// The page's style sheet, and the script that sorts each table by the column
// clicked: every page Codetal writes shares them.
extern const std::string_view kPageStyle;
extern const std::string_view kSortScript;

// The page up to its body: `title` (a name, escaped here after "Codetal: "),
// the style sheet and `more_style`.
void append_page_head(std::string& out, std::string_view title, std::string_view more_style);

constexpr std::int64_t kLabelWidth = 280;
constexpr std::int64_t kBarWidth = 600;
constexpr std::int64_t kRowHeight = 22;

// "2,548,361": large figures read at a glance.
void append_grouped(std::string& out, std::int64_t value);
// "12.3 %", rounded to one decimal with integers only.
void append_percent(std::string& out, std::int64_t part, std::int64_t whole);
// A long name keeps its end, where a path says most, behind an ellipsis.
void append_short_name(std::string& out, std::string_view name);
// A path as the page shows it: relative to `root` when under it.
std::string_view shown_path(std::string_view path, std::string_view root);
void append_card(std::string& out, std::string_view value, std::string_view label);
void append_count_card(std::string& out, std::int64_t value, std::string_view label);
void append_chart_start(std::string& out, std::string_view id, std::size_t rows);

struct BarRow {
  std::string_view name;  // whole, in the tooltip
  const ModuleStats* stats;
  std::string_view shown = {};  // the label; the name when empty
};

// Rows of stacked bars, one per name, in a frame that scrolls when there
// are many, so that no bar is squashed.
void append_bar_chart(std::string& out, std::string_view id, const std::vector<BarRow>& rows);

// One cell of a table row: a text, or a label (a path shown relative to the
// page's root and wrapped in its column, whole in its tooltip), or a figure,
// which sorts as a number.
struct Cell {
  std::string_view text;
  std::int64_t number = 0;
  bool is_number = false;
  bool is_label = false;
  std::string_view shown = {};
};

inline Cell text(std::string_view value) {
  return Cell{value, 0, false, false, {}};
}
inline Cell label(std::string_view value, std::string_view root = {}) {
  return Cell{value, 0, false, true, shown_path(value, root)};
}
inline Cell figure(std::int64_t value) {
  return Cell{{}, value, true, false, {}};
}

void append_cell(std::string& out, const Cell& cell);

// A titled table of `items` that sorts by the column clicked, one row each
// as `row` gives its cells; a sentence instead when there is none.
template <typename Items, typename Row>
void append_table(std::string& out, std::string_view id, std::string_view title,
                  std::initializer_list<std::string_view> heads, const Items& items, Row row) {
  out += "<h3>";
  out += title;
  out += "</h3>\n";
  if (items.empty()) {
    out += "<p>None in this run.</p>\n";
    return;
  }
  out += "<div class=\"scroll\">\n<table id=\"";
  out += id;
  out += "\">\n<thead><tr>";
  // A column of texts is headed on the left, like its cells (by an
  // attribute: the sorting script sets the heads' class).
  const auto first = row(*items.begin());
  auto column = first.begin();
  for (std::string_view head : heads) {
    out += column != first.end() && !column->is_number ? "<th data-text=\"yes\">" : "<th>";
    if (column != first.end()) ++column;
    out += head;
    out += "</th>";
  }
  out += "</tr></thead>\n<tbody>\n";
  for (const auto& item : items) {
    out += "<tr>";
    for (const Cell& cell : row(item)) append_cell(out, cell);
    out += "</tr>\n";
  }
  out += "</tbody>\n</table>\n</div>\n";
}

}  // namespace codetal::html
