#include "exports/export_text.h"

#include <array>
#include <charconv>
#include <cstdio>

#include "analysis/line_counts.h"
#include "analysis/statement_kinds.h"
#include "platform/cp1252.h"

namespace codetal {

std::string_view counter_name(int counter) {
  if (counter < kSubs) return kLineCounts[counter].field_name;
  return kStatementKinds[counter - kSubs].field_name;
}

std::string_view failure_reason(ModuleFailure why) {
  switch (why) {
    case ModuleFailure::kCannotOpen:
      return "cannot be opened";
    case ModuleFailure::kNoText:
      return "holds no text";
  }
  return "not counted";
}

std::string iso_local_time(const LocalTime& t) {
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", t.year % 10000, t.month % 100,
                t.day % 100, t.hour % 100, t.minute % 100, t.second % 100);
  return text;
}

void append_number(std::string& out, std::int64_t value) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, static_cast<std::size_t>(end - digits));
}

void append_csv_field(std::string& out, std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
    out.append(field);
    return;
  }
  out += '"';
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

namespace {

// The length of the well-formed UTF-8 sequence at the start of `bytes`
// (no overlong forms, no surrogates, nothing above U+10FFFF); 0 if none.
std::size_t utf8_sequence_length(std::string_view bytes) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                       : lead >= 0xE0 && lead <= 0xEF ? 3
                       : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                      : 0;
  if (length == 0 || bytes.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
  }
  unsigned char second = byte(1);
  if (lead == 0xE0 && second < 0xA0) return 0;  // overlong
  if (lead == 0xED && second > 0x9F) return 0;  // surrogates
  if (lead == 0xF0 && second < 0x90) return 0;  // overlong
  if (lead == 0xF4 && second > 0x8F) return 0;  // above U+10FFFF
  return length;
}

}  // namespace

bool is_valid_utf8(std::string_view bytes) {
  while (!bytes.empty()) {
    std::size_t length = utf8_sequence_length(bytes);
    if (length == 0) return false;
    bytes.remove_prefix(length);
  }
  return true;
}

void append_utf8(std::string& out, std::string_view name) {
  if (is_valid_utf8(name)) {
    out.append(name);
    return;
  }
  // Not UTF-8: the code page VB6 wrote its files in, as the platform reads
  // the same names when it opens them.
  out += cp1252_as_utf8(name).value_or(std::string(name));
}

namespace {

// Whether a byte of a name must be written otherwise than as it is, in a
// JSON string (quote, backslash, control, any non-ASCII byte until the name
// is known to be UTF-8) or in a page (those of markup as well, and DEL).
constexpr std::array<bool, 256> special_bytes(std::string_view also) {
  std::array<bool, 256> special{};
  for (int c = 0; c < 256; ++c) special[static_cast<std::size_t>(c)] = c < 0x20 || c >= 0x80;
  for (char c : also) special[static_cast<unsigned char>(c)] = true;
  return special;
}
constexpr std::array<bool, 256> kJsonSpecial = special_bytes("\"\\");
constexpr std::array<bool, 256> kHtmlSpecial = special_bytes("&<>\"'\x7F");

bool all_plain(std::string_view text, const std::array<bool, 256>& special) {
  for (char c : text) {
    if (special[static_cast<unsigned char>(c)]) return false;
  }
  return true;
}

}  // namespace

void append_json_string(std::string& out, std::string_view name) {
  out += '"';
  if (all_plain(name, kJsonSpecial)) {
    out.append(name);
    out += '"';
    return;
  }
  std::string text;
  append_utf8(text, name);
  static constexpr char kHex[] = "0123456789abcdef";
  for (char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      out += "\\u00";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else {
      out += c;
    }
  }
  out += '"';
}

void append_html_text(std::string& out, std::string_view name) {
  if (all_plain(name, kHtmlSpecial)) {
    out.append(name);
    return;
  }
  std::string text;
  append_utf8(text, name);
  constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    unsigned char byte = static_cast<unsigned char>(c);
    // U+FFFE and U+FFFF are no characters of XML: a page holding one would
    // not be well-formed. Shown as U+FFFD, as control characters are.
    if (text.compare(i, 2, "\xEF\xBF") == 0 && i + 2 < text.size() &&
        (text[i + 2] == '\xBE' || text[i + 2] == '\xBF')) {
      out += kReplacement;
      i += 2;
      continue;
    }
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        // Control characters are not allowed in a page: shown as U+FFFD.
        if (byte < 0x20 || byte == 0x7F) {
          out += kReplacement;
        } else {
          out += c;
        }
    }
  }
}

}  // namespace codetal
