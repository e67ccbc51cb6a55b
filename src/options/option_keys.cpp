#include "options/option_keys.h"

#include <array>

#include "platform/ascii.h"

namespace codetal {
namespace {

constexpr std::size_t kNoKind = kStatementKindCount;

constexpr OptionKey field_key(std::string_view key, char lowest, char highest,
                              std::int32_t ReportOptions::*field) {
  return OptionKey{key, lowest, highest, field, kNoKind};
}

constexpr std::size_t kKindKeyCount = [] {
  std::size_t count = 0;
  for (const StatementKind& kind : kStatementKinds) count += kind.option_key.empty() ? 0 : 1;
  return count;
}();

// optBlankLines comes first so that it is never mistaken for another key;
// the statement kinds follow in their own order, and keys added later go
// last, so that no record that matched a key before matches another now.
constexpr auto kOptionKeys = [] {
  std::array<OptionKey, 2 + kKindKeyCount + 4> keys{};
  std::size_t at = 0;
  keys[at++] = field_key("optBlankLines", '0', '1', &ReportOptions::blank_lines);
  // The page length of a printed report: read, since files have it, but
  // the report is never paged.
  keys[at++] = field_key("optLinesPerPage", '\0', '\0', nullptr);
  for (std::size_t i = 0; i < kStatementKindCount; ++i) {
    const StatementKind& kind = kStatementKinds[i];
    if (!kind.option_key.empty())
      keys[at++] = OptionKey{kind.option_key, kind.lowest_value, kind.highest_value, nullptr, i};
  }
  keys[at++] = field_key("optCountFormHeaders", '0', '1', &ReportOptions::count_form_headers);
  keys[at++] = field_key("optReport", '0', '1', &ReportOptions::report_form);
  keys[at++] = field_key("optShellTo", '0', '2', &ReportOptions::shell_to);
  keys[at++] = field_key("optAllModuleKinds", '0', '1', &ReportOptions::all_module_kinds);
  return keys;
}();

}  // namespace

const OptionKey* find_option_key(std::string_view record) {
  for (const OptionKey& option : kOptionKeys) {
    if (starts_with_ignoring_case(record, option.key)) return &option;
  }
  return nullptr;
}

void apply_option_value(const OptionKey& key, std::string_view value, ReportOptions& options) {
  if (value.empty() || value.front() < key.lowest || value.front() > key.highest) return;
  if (key.lowest == '\0') return;
  std::int32_t digit = value.front() - '0';
  if (key.field != nullptr) {
    options.*key.field = digit;
  } else {
    options.shown_kinds[key.kind] = digit;
  }
}

}  // namespace codetal
