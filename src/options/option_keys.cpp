#include "options/option_keys.h"

#include <algorithm>
#include <limits>

#include "platform/ascii.h"

namespace codetal {
namespace {

// optBlankLines comes first so that it is never mistaken for another key.
constexpr OptionKey kOptionKeys[] = {
    {"optBlankLines", &ReportOptions::blank_lines, ValueRule::kZeroOrOne},
    {"optLinesPerPage", &ReportOptions::lines_per_page, ValueRule::kNumberLessTen},
    {"optNbrLets", &ReportOptions::lets, ValueRule::kOneToEight},
    {"optNbrGets", &ReportOptions::gets, ValueRule::kOneToEight},
    {"optNbrEvents", &ReportOptions::events, ValueRule::kZeroOrOne},
    {"optNbrIfs", &ReportOptions::ifs, ValueRule::kZeroOrOne},
    {"optNbrElseIfs", &ReportOptions::elseifs, ValueRule::kZeroOrOne},
    {"optNbrDos", &ReportOptions::dos, ValueRule::kZeroOrOne},
    {"optNbrWhiles", &ReportOptions::whiles, ValueRule::kZeroOrOne},
    {"optNbrFors", &ReportOptions::fors, ValueRule::kZeroOrOne},
    {"optNbrLables", &ReportOptions::labels, ValueRule::kZeroOrOne},
    {"optNbrWinAPI", &ReportOptions::winapi, ValueRule::kZeroOrOne},
    {"optNbrDims", &ReportOptions::dims, ValueRule::kZeroOrOne},
    {"optNbrVars", &ReportOptions::vars, ValueRule::kZeroOrOne},
    {"optNbrTypes", &ReportOptions::types, ValueRule::kZeroOrOne},
    {"optNbrEnums", &ReportOptions::enums, ValueRule::kZeroOrOne},
    {"optNbrConsts", &ReportOptions::consts, ValueRule::kZeroOrOne},
    {"optCountFormHeaders", &ReportOptions::count_form_headers, ValueRule::kZeroOrOne},
    {"optReport", &ReportOptions::report_form, ValueRule::kZeroOrOne},
    {"optShellTo", &ReportOptions::shell_to, ValueRule::kZeroToTwo},
};

bool digit_in(char c, char low, char high) {
  return c >= low && c <= high;
}

bool accepted(ValueRule rule, char first) {
  switch (rule) {
    case ValueRule::kOneToEight:
      return digit_in(first, '1', '8');
    case ValueRule::kZeroOrOne:
      return digit_in(first, '0', '1');
    case ValueRule::kZeroToTwo:
      return digit_in(first, '0', '2');
    case ValueRule::kNumberLessTen:
      return true;
  }
  return false;
}

std::int32_t clamp_to_int32(std::int64_t value) {
  constexpr std::int64_t low = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t high = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(std::clamp(value, low, high));
}

}  // namespace

const OptionKey* find_option_key(std::string_view record) {
  for (const OptionKey& option : kOptionKeys) {
    if (starts_with_ignoring_case(record, option.key)) return &option;
  }
  return nullptr;
}

std::int64_t leading_decimal(std::string_view text) {
  // Saturates well beyond the 32-bit range, so a long run of digits cannot
  // overflow and still reads as "too large".
  constexpr std::int64_t kLimit = std::int64_t{1} << 40;
  std::size_t at = 0;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  std::int64_t value = 0;
  for (; at < text.size() && digit_in(text[at], '0', '9'); ++at) {
    value = std::min(value * 10 + (text[at] - '0'), kLimit);
  }
  return negative ? -value : value;
}

void apply_option_value(const OptionKey& key, std::string_view value, ReportOptions& options) {
  if (key.rule == ValueRule::kNumberLessTen) {
    options.*key.field = clamp_to_int32(leading_decimal(value) - 10);
    return;
  }
  if (!value.empty() && accepted(key.rule, value.front())) options.*key.field = value.front() - '0';
}

}  // namespace codetal
