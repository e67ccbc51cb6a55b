// Texts shared by the machine-readable outputs: field quoting, escaping,
// names as UTF-8, and the stable names of the counters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "analysis/module_stats.h"
#include "platform/platform.h"
#include "report/report_listener.h"

namespace codetal {

// "total", "code", "comments", "blank", then the statement kinds' names.
std::string_view counter_name(int counter);

// Why a module was not counted, in words.
std::string_view failure_reason(ModuleFailure why);

// "2026-03-14T09:05:07": local time, no zone.
std::string iso_local_time(const LocalTime& time);

void append_number(std::string& out, std::int64_t value);

// One field of RFC 4180: quoted (quotes doubled) when it holds a comma, a
// quote, CR or LF; otherwise as it is. Bytes stay bytes.
void append_csv_field(std::string& out, std::string_view field);

// Why a module file of the estate was not counted.
inline constexpr std::string_view kNotCountedReason = "optAllModuleKinds=0";

bool is_valid_utf8(std::string_view bytes);
// A name as UTF-8: as it is when it is valid UTF-8, otherwise each byte
// above 0x7F taken as Windows-1252, so that every name reads as text.
void append_utf8(std::string& out, std::string_view name);

// A JSON string literal, quotes included, of a name (as UTF-8 above).
void append_json_string(std::string& out, std::string_view name);

// Text for HTML content and quoted attribute values, as UTF-8 above.
void append_html_text(std::string& out, std::string_view name);

}  // namespace codetal
