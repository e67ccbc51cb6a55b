// File names as project files, group files and wildcard sets list them:
// cutting the name out of a key line, telling modules and projects by their
// extension, and placing a listed name beside the file that lists it.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "analysis/module_kinds.h"

namespace codetal {

// A key that names a file. "Module=" and "Class=" lines read "Name; File".
struct ListingKey {
  std::string_view key;
  bool name_after_semicolon;
};

// The keys a project lists the counted kinds of module under.
std::span<const ListingKey> project_keys(ModuleKinds kinds);

inline constexpr ListingKey kGroupKeys[] = {
    {"Project=", false},
    {"StartupProject=", false},
};

// The name a line lists under one of `keys` (case-sensitive, at the line's
// start), without trailing blanks and tabs; nullopt for any other line.
// `line` comes without its line end.
std::optional<std::string_view> listed_name(std::string_view line,
                                            std::span<const ListingKey> keys);

// The name after its last "\" or "/".
std::string_view final_component(std::string_view name);
// From the last "." of the final component; empty when it has none.
std::string_view extension_of(std::string_view name);
// The extension of one of the counted kinds of module, ignoring letter case.
inline bool is_module_name(std::string_view name, ModuleKinds kinds) {
  return module_kind_of(name, kinds) != nullptr;
}
inline constexpr std::string_view kProjectExtension = ".vbp";
inline constexpr std::string_view kGroupExtension = ".vbg";
// ".vbp" and ".vbg", ignoring letter case.
bool is_project_name(std::string_view name);
bool is_group_name(std::string_view name);

// Everything up to and including the last "\" or "/"; empty for a bare name.
std::string_view folder_part(std::string_view name);
// Starts with "\", "/" or a drive letter and ":".
bool is_rooted(std::string_view name);
// `listed` as seen from the folder of the file that lists it: the listing
// file's folder part as written, then the name as written. Reuses `out`.
void place_beside(std::string& out, std::string_view listing_file, std::string_view listed);

}  // namespace codetal
