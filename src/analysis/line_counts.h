// The four line counts, one row each: the counter, its stable name for
// machine-readable outputs, and how the page titles it. The fixed-column
// report lays them out in its own formats.
#pragma once

#include <cstddef>
#include <string_view>

#include "analysis/module_stats.h"

namespace codetal {

struct LineCount {
  Counter counter;
  std::string_view field_name;
  // The page: its table column, its card at a glance, its word in a tooltip.
  std::string_view column_title;
  std::string_view card_label;
  std::string_view tooltip_word;
};

// In counter order, from kTotalLines on.
inline constexpr LineCount kLineCounts[] = {
    {kTotalLines, "total", "Lines", "lines", "lines"},
    {kCodeLines, "code", "Code", "lines of code", "code"},
    {kCommentLines, "comments", "Comments", "comment lines", "comments"},
    {kBlankLines, "blank", "Blank", "blank lines", "blank"},
};

inline constexpr std::size_t kLineCountCount = std::size(kLineCounts);
static_assert(kLineCountCount == kSubs, "one row per line counter");

constexpr bool line_counts_in_counter_order() {
  for (std::size_t i = 0; i < kLineCountCount; ++i) {
    if (kLineCounts[i].counter != static_cast<Counter>(i)) return false;
  }
  return true;
}
static_assert(line_counts_in_counter_order(), "rows in counter order");

}  // namespace codetal
