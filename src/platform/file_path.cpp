#include "platform/file_path.h"

#include <vector>

#include "platform/ascii.h"
#include "platform/platform.h"

namespace codetal {
namespace {

bool is_separator(char c) {
  return c == '/' || c == '\\';
}

bool is_drive(std::string_view name) {
  return name.size() >= 2 && name[1] == ':' && ascii_lower(name[0]) >= 'a' &&
         ascii_lower(name[0]) <= 'z';
}

// A path split into its root ("/", "C:\", "\\", or empty for a relative
// name) and its components, "." and ".." folded.
struct Parts {
  std::string root;
  std::vector<std::string_view> components;
};

void add_components(std::string_view rest, Parts& parts) {
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t end = start;
    while (end < rest.size() && !is_separator(rest[end])) ++end;
    std::string_view component = rest.substr(start, end - start);
    if (component == "..") {
      if (!parts.components.empty()) parts.components.pop_back();
    } else if (!component.empty() && component != ".") {
      parts.components.push_back(component);
    }
    start = end + 1;
  }
}

// "C:\\" for a name that starts with a drive letter.
void drive_root(std::string_view name, std::string& root) {
  root.assign(name.data(), 2);
  root.push_back('\\');
}

// The root of an absolute name, and the rest after it; empty root for a
// name relative to the start folder. A Windows name rooted without a drive
// ("\x") or with a drive but no root ("C:x") takes the start's drive or
// root.
std::string_view split_root(std::string_view name, std::string_view start, PathStyle style,
                            std::string& root) {
  if (style == PathStyle::kPosix) {
    if (!name.empty() && is_separator(name[0])) root.assign(1, '/');
    return root.empty() ? name : name.substr(1);
  }
  if (name.size() >= 2 && is_separator(name[0]) && is_separator(name[1])) {
    root.assign(2, '\\');
    return name.substr(2);
  }
  if (is_drive(name) && name.size() >= 3 && is_separator(name[2])) {
    drive_root(name, root);
    return name.substr(3);
  }
  if (!name.empty() && is_separator(name[0])) {
    if (is_drive(start)) {
      drive_root(start, root);
    } else {
      root.assign(1, '\\');
    }
    return name.substr(1);
  }
  if (is_drive(name) && !(is_drive(start) && ascii_lower(start[0]) == ascii_lower(name[0]))) {
    drive_root(name, root);
    return name.substr(2);
  }
  return is_drive(name) ? name.substr(2) : name;
}

bool same_component(std::string_view a, std::string_view b, PathStyle style) {
  return style == PathStyle::kWindows ? equal_ignoring_case(a, b) : a == b;
}

std::string joined(const Parts& parts, std::size_t from, char separator) {
  std::string path;
  for (std::size_t i = from; i < parts.components.size(); ++i) {
    if (i > from) path += separator;
    path += parts.components[i];
  }
  return path;
}

}  // namespace

namespace {

struct Cleaned {
  Parts folder;
  Parts path;
};

Cleaned cleaned(std::string_view name, std::string_view start, PathStyle style) {
  Cleaned c;
  add_components(split_root(start, "", style, c.folder.root), c.folder);
  std::string_view rest = split_root(name, start, style, c.path.root);
  if (c.path.root.empty()) c.path = c.folder;
  add_components(rest, c.path);
  return c;
}

bool is_under(const Parts& path, const Parts& folder, PathStyle style) {
  if (!same_component(path.root, folder.root, style)) return false;
  if (path.components.size() <= folder.components.size()) return false;
  for (std::size_t i = 0; i < folder.components.size(); ++i) {
    if (!same_component(path.components[i], folder.components[i], style)) return false;
  }
  return true;
}

char separator_of(PathStyle style) {
  return style == PathStyle::kWindows ? '\\' : '/';
}

}  // namespace

std::string absolute_path(std::string_view name, std::string_view start, PathStyle style) {
  Cleaned c = cleaned(name, start, style);
  return c.path.root + joined(c.path, 0, separator_of(style));
}

std::string clean_path(std::string_view name, std::string_view start, PathStyle style) {
  Cleaned c = cleaned(name, start, style);
  if (is_under(c.path, c.folder, style))
    return joined(c.path, c.folder.components.size(), separator_of(style));
  return c.path.root + joined(c.path, 0, separator_of(style));
}

std::string Platform::found_path(std::string_view name) {
  return clean_path(name, current_directory(), kBuildPathStyle);
}

}  // namespace codetal
