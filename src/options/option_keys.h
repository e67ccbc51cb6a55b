// The keys of the options section, in the order they are tried, and the
// values each one accepts.
#pragma once

#include <cstdint>
#include <string_view>

#include "options/report_options.h"

namespace codetal {

enum class ValueRule {
  kOneToEight,     // '1' to '8'
  kZeroOrOne,      // '0' or '1'
  kZeroToTwo,      // '0', '1' or '2'
  kNumberLessTen,  // a decimal number, stored less 10
};

struct OptionKey {
  std::string_view key;
  std::int32_t ReportOptions::*field;
  ValueRule rule;
};

// The first key that the record begins with, ignoring case and looking only
// at the key's own length; nullptr when none does.
const OptionKey* find_option_key(std::string_view record);

// Stores the value by the key's rule; a value it does not accept leaves the
// field as it was.
void apply_option_value(const OptionKey& key, std::string_view value, ReportOptions& options);

// A decimal integer as the options file writes it: optional sign, digits,
// stopping at the first other character; no digits gives 0.
std::int64_t leading_decimal(std::string_view text);

}  // namespace codetal
