#include "analysis/analyze.h"

#include "analysis/classify.h"
#include "analysis/line_reader.h"

namespace codetal {

int analyze_module(RunState& run, std::string_view path) {
  LineReader& reader = run.reader;
  if (reader.open_module(path) != 0) return 1;
  const bool count_header_lines = run.options.count_form_headers == 1;
  while (!reader.end_of_module()) {
    reader.read_next_line();
    // Tested before trimming: an indented "Begin VB.Form " starts no header.
    if (reader.current_line().starts_with(kFormHeaderStart))
      reader.skip_form_header(count_header_lines, run.module_stats);
    ++run.module_stats[kTotalLines];
    classify_line(trim_leading_blanks(reader.current_line()), run.module_stats);
  }
  return 0;
}

}  // namespace codetal
