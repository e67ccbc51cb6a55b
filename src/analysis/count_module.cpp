#include "analysis/count_module.h"

#include "analysis/classify.h"
#include "platform/memory_input.h"

namespace codetal {

std::optional<ModuleResult> count_module(LineReader& reader, InputFile& file, CountRules rules) {
  if (!reader.start(file, rules.digest_content)) return std::nullopt;
  ModuleResult result;
  ModuleStats& stats = result.stats;
  while (!reader.end_of_module()) {
    reader.read_next_line();
    // Tested before trimming: an indented "Begin VB.Form " starts no header.
    if (starts_designer_block(reader.current_line(), rules.designer_starts))
      reader.skip_form_header(rules.count_designer_lines, stats);
    ++stats[kTotalLines];
    classify_line(trim_leading_blanks(reader.current_line()), stats);
  }
  if (rules.digest_content) result.content = reader.content();
  reader.finish();
  return result;
}

ModuleResult count_module_text(std::string_view bytes, CountRules rules) {
  LineReader reader;
  MemoryInput input(bytes);
  return count_module(reader, input, rules).value_or(ModuleResult{});
}

}  // namespace codetal
