// File names as project files, group files and wildcard sets list them:
// cutting the name out of a key line, telling modules and projects by their
// extension, and placing a listed name beside the file that lists it.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace codetal {

// A key that names a file. "Module=" and "Class=" lines read "Name; File".
struct ListingKey {
  std::string_view key;
  bool name_after_semicolon;
};

inline constexpr ListingKey kProjectKeys[] = {
    {"Form=", false},
    {"Class=", true},
    {"Module=", true},
};
// With every module kind: the designer-based kinds too, named like forms.
inline constexpr ListingKey kAllKindsProjectKeys[] = {
    {"Form=", false},        {"Class=", true},         {"Module=", true},
    {"UserControl=", false}, {"PropertyPage=", false}, {"UserDocument=", false},
    {"Designer=", false},
};
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
// Which files count as modules: forms, classes and standard modules, or
// also user controls, property pages, user documents and designers.
enum class ModuleKinds { kClassic, kAll };

// ".frm", ".cls" or ".bas" (and with kAll ".ctl", ".pag", ".dob" or ".dsr"),
// ignoring letter case.
bool is_module_name(std::string_view name, ModuleKinds kinds);
// ".vbp", ignoring letter case.
bool is_project_name(std::string_view name);

// Everything up to and including the last "\" or "/"; empty for a bare name.
std::string_view folder_part(std::string_view name);
// Starts with "\", "/" or a drive letter and ":".
bool is_rooted(std::string_view name);
// `listed` as seen from the folder of the file that lists it: the listing
// file's folder part as written, then the name as written. Reuses `out`.
void place_beside(std::string& out, std::string_view listing_file, std::string_view listed);

}  // namespace codetal
