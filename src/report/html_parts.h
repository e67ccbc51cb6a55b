// Drawing parts of the page (cards, bar charts, figures and names as the
// page writes them), shared by its sections.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/module_stats.h"

namespace codetal::html {

constexpr std::int64_t kLabelWidth = 280;
constexpr std::int64_t kBarWidth = 600;
constexpr std::int64_t kRowHeight = 22;

void append_int(std::string& out, std::int64_t value);
// "2,548,361": large figures read at a glance.
void append_grouped(std::string& out, std::int64_t value);
// "12.3 %", rounded to one decimal with integers only.
void append_percent(std::string& out, std::int64_t part, std::int64_t whole);
// A long name keeps its end, where a path says most, behind an ellipsis.
void append_short_name(std::string& out, std::string_view name);
void append_card(std::string& out, std::string_view value, std::string_view label);
void append_count_card(std::string& out, std::int64_t value, std::string_view label);
void append_chart_start(std::string& out, std::string_view id, std::size_t rows);

struct BarRow {
  std::string_view name;
  const ModuleStats* stats;
};

// Rows of stacked bars, one per name, in a frame that scrolls when there
// are many, so that no bar is squashed.
void append_bar_chart(std::string& out, std::string_view id, const std::vector<BarRow>& rows);

}  // namespace codetal::html
