#include "analysis/count_module.h"

#include <type_traits>

#include "analysis/classify.h"
#include "analysis/module_assessor.h"
#include "platform/memory_input.h"

namespace codetal {
namespace {

void count_as_code(ModuleStats& stats) {
  ++stats[kTotalLines];
  ++stats[kCodeLines];
}

// One pass over the module's lines; `assessor` reads the facts on the way
// (NoAssessment: the loop is the counting alone).
template <typename Assessor>
void count_lines(LineReader& reader, const CountRules& rules, ModuleStats& stats,
                 Assessor& assessor) {
  LineWords words;
  while (!reader.end_of_module()) {
    reader.read_next_line();
    // Tested before trimming: an indented "Begin VB.Form " starts no header.
    if (starts_designer_block(reader.current_line(), rules.designer_starts)) {
      assessor.designer_block_started();
      reader.skip_designer_block([&](std::string_view line) {
        assessor.designer_line(line);
        if (rules.count_designer_lines) count_as_code(stats);
      });
    }
    ++stats[kTotalLines];
    const std::string_view line = trim_leading_blanks(reader.current_line());
    // Only the assessment reads the words.
    const Counter kind =
        classify_line(line, stats, std::is_same_v<Assessor, NoAssessment> ? nullptr : &words);
    assessor.after_line(line, kind, words, stats);
  }
  assessor.finish(stats);
}

}  // namespace

std::optional<ModuleResult> count_module(LineReader& reader, InputFile& file, CountRules rules) {
  if (!reader.start(file, rules.digest_content)) return std::nullopt;
  ModuleResult result;
  if (rules.assess) {
    ModuleAssessor assessor(result.facts.emplace());
    count_lines(reader, rules, result.stats, assessor);
  } else {
    NoAssessment none;
    count_lines(reader, rules, result.stats, none);
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
