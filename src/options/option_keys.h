// The keys of the options section, in the order they are tried, and the
// values each one accepts.
#pragma once

#include <cstdint>
#include <string_view>

#include "options/report_options.h"

namespace codetal {

struct OptionKey {
  std::string_view key;
  // A value is taken when its first character lies in [lowest, highest];
  // it is stored as that digit. Both '\0': the key is known, its value unused.
  char lowest;
  char highest;
  // What the value sets: a field, or else the list line of a statement kind.
  std::int32_t ReportOptions::*field;
  std::size_t kind;
};

// The first key that the record begins with, ignoring case and looking only
// at the key's own length; nullptr when none does.
const OptionKey* find_option_key(std::string_view record);

// Stores the value by the key's rule; a value it does not accept leaves the
// setting as it was.
void apply_option_value(const OptionKey& key, std::string_view value, ReportOptions& options);

}  // namespace codetal
