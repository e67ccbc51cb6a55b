// The options file "Codetal.INI": only the records of a section whose header
// begins "[Codetal " are read; a missing file or a bad record never stops the
// run, and the file is never written.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "driver/console.h"
#include "platform/text_lines.h"
#include "traverse/run_state.h"

namespace codetal {

inline constexpr const char* kOptionsFileName = "Codetal.INI";
inline constexpr const char* kSecondOptionsFileName = "C:\\RUK\\Codetal.INI";

// Reads the options into run.options; never stops the run.
void load_table_file(RunState& run);

// Applies the records of one section, up to the next record that begins
// with "[" (consumed) or the end of the file.
void get_user_options(RunState& run, TextLines& records);

// The text after the first "=" of the record; none when there is no "="
// (reported, then a wait) or nothing follows it.
std::optional<std::string_view> get_parm(Console& console, std::string_view record);

// Drops the leading blanks and tabs; returns how many there were.
std::size_t remove_lb_and_tabs(std::string_view& text);

// The header test looks at the record as read: an indented header is none.
bool is_section_header(std::string_view record);

}  // namespace codetal
