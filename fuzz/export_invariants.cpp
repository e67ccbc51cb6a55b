// Names are whatever bytes a listing holds: each export must hand them back
// unchanged to a reader of its format. The parsers here are written apart
// from the writers, to the formats' own rules.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>
#include <vector>

#include "fake_platform.h"
#include "invariants.h"
#include "report/csv_report.h"
#include "report/html_report.h"
#include "report/json_report.h"

namespace codetal::fuzz {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// RFC 4180 with CR LF line ends; nullopt when the text breaks its rules.
std::optional<Rows> parse_csv(std::string_view t) {
  Rows rows(1);
  std::string field;
  for (std::size_t i = 0; i < t.size();) {
    if (t[i] == '"') {
      for (++i;; ++i) {
        if (i >= t.size()) return std::nullopt;
        if (t[i] == '"' && (i + 1 >= t.size() || t[i + 1] != '"')) break;
        field += t[i];
        i += t[i] == '"';
      }
      ++i;
    } else {
      for (; i < t.size() && t[i] != ',' && t[i] != '\r'; ++i) {
        if (t[i] == '"' || t[i] == '\n') return std::nullopt;
        field += t[i];
      }
    }
    rows.back().push_back(std::move(field));
    field.clear();
    if (i < t.size() && t[i] == ',' && ++i) continue;
    if (t.substr(i, 2) != "\r\n") return std::nullopt;
    i += 2;
    if (i < t.size()) rows.emplace_back();
  }
  return rows;
}

void append_code_point(std::string& out, unsigned cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | cp >> 6);
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | cp >> 12);
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// A JSON document, checked whole; the values of its "name" keys kept.
struct JsonReader {
  std::string_view t;
  std::size_t i = 0;
  std::vector<std::string> names;

  void blanks() {
    while (i < t.size() && std::strchr(" \t\r\n", t[i]) && t[i]) ++i;
  }
  bool take(std::string_view word) {
    blanks();
    if (t.substr(i, word.size()) != word) return false;
    i += word.size();
    return true;
  }
  bool string(std::string& out) {
    if (!take("\"")) return false;
    while (i < t.size()) {
      const unsigned char c = static_cast<unsigned char>(t[i++]);
      if (c == '"') return true;
      if (c < 0x20) return false;
      if (c != '\\') {
        out += static_cast<char>(c);
        continue;
      }
      static constexpr const char* kEscapes = "\"\\/bfnrt";
      const char e = i < t.size() ? t[i++] : '\0';
      if (const char* at = e ? std::strchr(kEscapes, e) : nullptr) {
        out += "\"\\/\b\f\n\r\t"[at - kEscapes];
      } else if (e == 'u' && i + 4 <= t.size()) {
        char* end = nullptr;
        const std::string hex(t.substr(i, 4));
        append_code_point(out, static_cast<unsigned>(std::strtoul(hex.c_str(), &end, 16)));
        if (end != hex.c_str() + 4) return false;
        i += 4;
      } else {
        return false;
      }
    }
    return false;
  }
  bool list(char close, bool keyed) {
    if (take(std::string(1, close))) return true;
    do {
      std::string key, text;
      if (keyed && !(string(key) && take(":"))) return false;
      blanks();
      const bool named = keyed && key == "name" && i < t.size() && t[i] == '"';
      if (named ? !string(text) : !value()) return false;
      if (named) names.push_back(text);
    } while (take(","));
    return take(std::string(1, close));
  }
  bool value() {
    std::string ignored;
    blanks();
    if (take("{")) return list('}', true);
    if (take("[")) return list(']', false);
    if (i < t.size() && t[i] == '"') return string(ignored);
    if (take("true") || take("false") || take("null")) return true;
    const std::size_t start = i;
    i += i < t.size() && t[i] == '-';
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    return i > start && t[i - 1] != '-';
  }
};

// Well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool valid_utf8(std::string_view s) {
  static constexpr unsigned kLeast[] = {0, 0x80, 0x800, 0x10000};
  for (std::size_t i = 0; i < s.size();) {
    const unsigned c = static_cast<unsigned char>(s[i++]);
    const int more = c < 0x80 ? 0 : c < 0xC0 ? -1 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : c < 0xF8 ? 3 : -1;
    if (more < 0 || i + more > s.size()) return false;
    unsigned cp = more ? c & (0x3F >> more) : c;
    for (int k = 0; k < more; ++k, ++i) {
      if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return false;
      cp = cp << 6 | (static_cast<unsigned char>(s[i]) & 0x3F);
    }
    if (cp < kLeast[more] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return false;
  }
  return true;
}

// A name as text: as it is when it is UTF-8, otherwise its bytes as Latin-1.
std::string as_text(std::string_view name) {
  if (valid_utf8(name)) return std::string(name);
  std::string text;
  for (char c : name) append_code_point(text, static_cast<unsigned char>(c));
  return text;
}

// A page in the XML subset it is written in: every tag closed in order,
// attributes quoted, every "&" an entity, the script left as it is. The
// decoded texts and attribute values are kept.
struct PageReader {
  std::string_view t;
  std::size_t i = 0;
  std::vector<std::string> texts;

  bool decoded(char end, std::string& out) {
    static constexpr std::pair<std::string_view, char> kEntities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&#39;", '\''}};
    for (; i < t.size() && t[i] != end; ++i) {
      if (t[i] == '<') return false;
      if (t[i] != '&') {
        out += t[i];
        continue;
      }
      const auto* known = std::find_if(std::begin(kEntities), std::end(kEntities), [&](auto& e) {
        return t.substr(i, e.first.size()) == e.first;
      });
      if (known == std::end(kEntities)) return false;
      out += known->second;
      i += known->first.size() - 1;
    }
    return i < t.size() || end == '<';
  }
  std::string name() {
    const std::size_t start = i;
    while (i < t.size() && (std::isalnum(static_cast<unsigned char>(t[i])) || t[i] == '-')) ++i;
    return std::string(t.substr(start, i - start));
  }
  bool tag(std::vector<std::string>& open) {
    if (t.substr(i, 2) == "</") {
      i += 2;
      if (open.empty() || name() != open.back() || t.substr(i, 1) != ">") return false;
      open.pop_back();
      ++i;
      return true;
    }
    ++i;
    open.push_back(name());
    while (i < t.size() && t[i] == ' ') {
      ++i;
      std::string value;
      if (name().empty() || t.substr(i, 2) != "=\"" || !((i += 2), decoded('"', value)))
        return false;
      texts.push_back(value);
      ++i;
    }
    if (t.substr(i, 2) == "/>") {
      open.pop_back();
      i += 2;
      return true;
    }
    if (open.back().empty() || t.substr(i, 1) != ">") return false;
    ++i;
    if (open.back() != "script") return true;
    i = t.find("</script>", i);
    return i != std::string_view::npos;
  }
  bool page() {
    if (t.substr(0, 16) != "<!DOCTYPE html>\n") return false;
    i = 16;
    std::vector<std::string> open;
    while (i < t.size()) {
      std::string text;
      if (!decoded('<', text)) return false;
      texts.push_back(text);
      if (i < t.size() && !tag(open)) return false;
    }
    return open.empty() && valid_utf8(t);
  }
};

bool holds(const std::vector<std::string>& texts, std::string_view wanted) {
  return std::any_of(texts.begin(), texts.end(), [&](const std::string& text) {
    return text.find(wanted) != std::string::npos;
  });
}

std::string check_csv(const std::string& csv, const std::string (&names)[3]) {
  const auto& [group, project, module] = names;
  std::optional<Rows> rows = parse_csv(csv);
  if (!rows || rows->size() != 5) return "CSV: not five rows of RFC 4180";
  const std::vector<std::vector<std::string>> expected = {{"module", group, project, "", module},
                                                          {"failed", group, project, "", module},
                                                          {"project", group, project, "", ""},
                                                          {"group", group, "", "", ""}};
  for (std::size_t r = 0; r < expected.size(); ++r) {
    const std::vector<std::string>& row = (*rows)[r + 1];
    if (row.size() != (*rows)[0].size()) return "CSV: a row's fields differ from the heading's";
    if (!std::equal(expected[r].begin(), expected[r].end(), row.begin()))
      return "CSV: a name did not read back as written, row " + std::to_string(r + 1);
  }
  return {};
}

std::string check_json(const std::string& json, const std::string (&names)[3]) {
  JsonReader reader{json, 0, {}};
  if (!reader.value() || (reader.blanks(), reader.i != json.size()) || !valid_utf8(json))
    return "JSON: not one document of UTF-8";
  for (const std::string& name : names) {
    if (std::find(reader.names.begin(), reader.names.end(), as_text(name)) == reader.names.end())
      return "JSON: a name did not read back as its text";
  }
  return {};
}

std::string check_html(const std::string& html, const std::string (&names)[3]) {
  PageReader reader{html, 0, {}};
  if (!reader.page()) return "HTML: not well-formed at byte " + std::to_string(reader.i);
  for (const std::string& name : names) {
    std::string shown = as_text(name);
    for (char& c : shown) {
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '\x01';
    }
    std::string wanted;
    for (char c : shown) wanted += c == '\x01' ? std::string("\xEF\xBF\xBD") : std::string(1, c);
    if (!holds(reader.texts, wanted)) return "HTML: a name is not shown as its text";
  }
  return {};
}

}  // namespace

std::string check_exports_bytes(std::string_view bytes) {
  // The first two bytes cut the rest into a group, a project and a module.
  const std::string_view rest = bytes.substr(std::min<std::size_t>(bytes.size(), 2));
  const std::size_t first =
      bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]) % (rest.size() + 1);
  const std::size_t second =
      bytes.size() < 2 ? 0 : static_cast<unsigned char>(bytes[1]) % (rest.size() - first + 1);
  const std::string names[3] = {std::string(rest.substr(0, first)),
                                std::string(rest.substr(first, second)),
                                std::string(rest.substr(first + second))};
  ModuleStats stats;
  for (int i = 0; i < kCounterCount; ++i) stats.counts[i] = 7 * i + 1;
  test::FakePlatform platform;
  {
    Console console(platform);
    const RunFacts facts{"1.0", platform.now, names[0], ReportOptions{}};
    CsvReport csv(platform, console);
    JsonReport json(platform, console, facts);
    HtmlReport html(platform, console, facts);
    ReportFanout exports;
    for (ReportListener* writer : std::initializer_list<ReportListener*>{&csv, &json, &html})
      exports.add(*writer);
    exports.group_started(names[0]);
    exports.project_started(names[1]);
    exports.module_started(names[2]);
    exports.module_counted(names[2], stats);
    exports.module_failed(names[2], ModuleFailure::kCannotOpen);
    exports.project_ended(names[1], stats);
    exports.group_ended(names[0], stats);
    exports.run_ended(0);
  }
  for (std::string failure : {check_csv(platform.written[kCsvFileName], names),
                              check_json(platform.written[kJsonFileName], names),
                              check_html(platform.written[kHtmlFileName], names)}) {
    if (!failure.empty()) return failure;
  }
  return {};
}

}  // namespace codetal::fuzz
