#include "analysis/count_module.h"

#include "analysis/classify.h"
#include "platform/memory_input.h"

namespace codetal {
namespace {

void count_as_code(ModuleStats& stats) {
  ++stats[kTotalLines];
  ++stats[kCodeLines];
}

// The facts of one designer block's lines: its first `Begin Library.Class`
// line is the form or control itself, every later one a control on it.
class DesignerBlock {
 public:
  explicit DesignerBlock(ModuleFacts& facts) : facts_(facts) {}

  void add(std::string_view line) {
    ++facts_.designer_lines;
    const std::optional<std::string_view> name = control_class(line);
    if (!name) return;
    if (!seen_itself_) {
      seen_itself_ = true;
      return;
    }
    auto found = facts_.controls.find(*name);
    if (found == facts_.controls.end()) found = facts_.controls.emplace(*name, 0).first;
    ++found->second;
  }

 private:
  ModuleFacts& facts_;
  bool seen_itself_ = false;
};

// One pass over the module's lines. With `kAssess` the facts are read on
// the way; without it the loop is the counting alone.
template <bool kAssess>
void count_lines(LineReader& reader, const CountRules& rules, ModuleResult& result) {
  ModuleStats& stats = result.stats;
  [[maybe_unused]] ModuleFacts* facts = kAssess ? &result.facts.emplace() : nullptr;
  [[maybe_unused]] bool before_designer = true;
  while (!reader.end_of_module()) {
    reader.read_next_line();
    // Tested before trimming: an indented "Begin VB.Form " starts no header.
    if (starts_designer_block(reader.current_line(), rules.designer_starts)) {
      if constexpr (kAssess) {
        before_designer = false;
        DesignerBlock block(*facts);
        reader.skip_designer_block([&](std::string_view line) {
          block.add(line);
          if (rules.count_designer_lines) count_as_code(stats);
        });
      } else {
        reader.skip_designer_block([&](std::string_view) {
          if (rules.count_designer_lines) count_as_code(stats);
        });
      }
    }
    ++stats[kTotalLines];
    const std::string_view line = trim_leading_blanks(reader.current_line());
    const Counter kind = classify_line(line, stats);
    if constexpr (kAssess) {
      if (kind == kWinApi) facts->declares.push_back(read_declare(line));
      if (before_designer && line.starts_with('O')) {
        if (std::optional<Component> component = form_component(line))
          facts->components.push_back(std::move(*component));
      }
    }
  }
  // Only a form's lines before its designer block name its components.
  if constexpr (kAssess) {
    if (before_designer) facts->components.clear();
  }
}

}  // namespace

std::optional<ModuleResult> count_module(LineReader& reader, InputFile& file, CountRules rules) {
  if (!reader.start(file, rules.digest_content)) return std::nullopt;
  ModuleResult result;
  if (rules.assess) {
    count_lines<true>(reader, rules, result);
  } else {
    count_lines<false>(reader, rules, result);
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
