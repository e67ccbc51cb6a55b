#include "analysis/assessment.h"

#include "platform/ascii.h"

namespace codetal {
namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view drop_leading(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && is_blank(text[at])) ++at;
  return text.substr(at);
}

// Trailing blanks, tabs and the line feed.
std::string_view drop_trailing(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0 && (is_blank(text[end - 1]) || text[end - 1] == '\n')) --end;
  return text.substr(0, end);
}

// The text before the first `separator` (all of it when there is none);
// `rest` keeps what follows the separator.
std::string_view take_until(std::string_view& rest, char separator) {
  const std::size_t at = rest.find(separator);
  std::string_view part = rest.substr(0, at);
  rest = at == std::string_view::npos ? std::string_view{} : rest.substr(at + 1);
  return part;
}

// The next word of `rest`: bytes up to a blank or tab.
std::string_view next_word(std::string_view& rest) {
  rest = drop_leading(rest);
  std::size_t end = 0;
  while (end < rest.size() && !is_blank(rest[end])) ++end;
  std::string_view word = rest.substr(0, end);
  rest.remove_prefix(end);
  return word;
}

// `{GUID}#VERSION#LCID`: each part up to its "#", the last to the end.
void read_component_id(std::string_view id, Component& component) {
  component.guid = take_until(id, '#');
  component.version = take_until(id, '#');
  component.lcid = id;
}

// The text between the first quote of `text` and the next (or the end).
std::string_view quoted(std::string_view text) {
  const std::size_t open = text.find('"');
  if (open == std::string_view::npos) return {};
  text.remove_prefix(open + 1);
  return take_until(text, '"');
}

std::string_view after_key(std::string_view line, std::string_view key) {
  return drop_trailing(line.substr(key.size()));
}

}  // namespace

std::optional<std::string_view> control_class(std::string_view line) {
  line = drop_leading(line);
  constexpr std::string_view kBegin = "Begin ";
  if (!line.starts_with(kBegin)) return std::nullopt;
  line.remove_prefix(kBegin.size());
  std::size_t end = 0;
  while (end < line.size() && !is_blank(line[end]) && line[end] != '\n') ++end;
  if (end == line.size() || line[end] == '\n') return std::nullopt;  // no blank after it
  const std::string_view name = line.substr(0, end);
  const std::size_t dot = name.find('.');
  if (dot == 0 || dot == std::string_view::npos || dot + 1 == name.size()) return std::nullopt;
  return name;
}

std::optional<Component> form_component(std::string_view line) {
  constexpr std::string_view kObject = "Object";
  if (!line.starts_with(kObject)) return std::nullopt;
  std::string_view rest = drop_leading(drop_trailing(line).substr(kObject.size()));
  if (!rest.starts_with('=')) return std::nullopt;
  rest = drop_leading(rest.substr(1));
  if (!rest.starts_with('"')) return std::nullopt;
  rest.remove_prefix(1);
  Component component;
  const std::string_view id = take_until(rest, '"');
  if (id.starts_with("*\\A")) {
    component.project = id.substr(3);
    return component;
  }
  read_component_id(id, component);
  component.file = quoted(rest);
  return component;
}

Declare read_declare(std::string_view line) {
  Declare declare;
  std::string_view rest = drop_trailing(line);
  while (!rest.empty()) {
    const std::string_view word = next_word(rest);
    if (word.empty()) break;
    if (declare.name.empty() && (word == "Function" || word == "Sub")) {
      std::string_view name = next_word(rest);
      declare.name = take_until(name, '(');
    } else if (starts_with_ignoring_case(word, "Lib") && (word.size() == 3 || word[3] == '"')) {
      // From the word's end on: `Lib"kernel32"` has its quotes in the word.
      const char* from = word.data() + 3;
      const char* end = rest.data() + rest.size();
      declare.library = quoted(std::string_view(from, static_cast<std::size_t>(end - from)));
      break;
    }
  }
  return declare;
}

namespace {

// A value written `"x"` or `x`.
std::string_view unquoted(std::string_view value) {
  return value.size() >= 2 && value.front() == '"' && value.back() == '"'
             ? value.substr(1, value.size() - 2)
             : value;
}

}  // namespace

void read_project_fact(std::string_view line, ProjectFacts& facts) {
  if (line.starts_with("Type=")) {
    if (facts.type.empty()) facts.type = after_key(line, "Type=");
  } else if (line.starts_with("ExeName32=")) {
    if (facts.exe_name.empty()) facts.exe_name = unquoted(after_key(line, "ExeName32="));
  } else if (line.starts_with("Name=")) {
    if (facts.name.empty()) facts.name = unquoted(after_key(line, "Name="));
  } else if (line.starts_with("Reference=")) {
    std::string_view value = after_key(line, "Reference=");
    Reference& reference = facts.references.emplace_back();
    if (value.starts_with("*\\A")) {
      reference.project = true;
      reference.path = value.substr(3);
      return;
    }
    if (value.starts_with("*\\G")) value.remove_prefix(3);
    reference.guid = take_until(value, '#');
    reference.version = take_until(value, '#');
    reference.lcid = take_until(value, '#');
    reference.path = take_until(value, '#');
    reference.description = value;
  } else if (line.starts_with("Object=")) {
    std::string_view value = after_key(line, "Object=");
    Component& component = facts.components.emplace_back();
    read_component_id(take_until(value, ';'), component);
    component.file = drop_leading(value);
  }
}

}  // namespace codetal
