// The kinds of module a VB6 project lists, in one table: the extension of
// their files, the key a project lists them under, the line that starts
// their designer block, and whether they are counted by default or only
// with optAllModuleKinds=1. The project reader, the wildcard set, the
// estate walk, the line reader and the usage text all read this table:
// adding a kind is one row.
#pragma once

#include <cstddef>
#include <string_view>

namespace codetal {

// Which kinds are counted: those counted by default, or every kind.
enum class ModuleKinds { kClassic, kAll };

struct ModuleKind {
  std::string_view extension;    // ".frm"; empty: files of another kind's extension
  std::string_view listing_key;  // "Form=" in a project file; empty: none of its own
  // "Module=" and "Class=" lines read "Name; File".
  bool name_after_semicolon;
  // The unindented line that starts a designer block; empty: none.
  std::string_view designer_start;
  // The start is read in this kind's own files only, not in every module.
  bool start_in_own_files_only;
  bool counted_by_default;
};

// In the order the usage text shows them.
inline constexpr ModuleKind kModuleKinds[] = {
    {".bas", "Module=", true, "", false, true},
    {".cls", "Class=", true, "", false, true},
    {".frm", "Form=", false, "Begin VB.Form ", false, true},
    // An MDI form is a form file (.frm, Form=); only its designer start is
    // its own, and it is read only when every kind is counted.
    {"", "", false, "Begin VB.MDIForm ", false, false},
    {".ctl", "UserControl=", false, "Begin VB.UserControl ", false, false},
    {".pag", "PropertyPage=", false, "Begin VB.PropertyPage ", false, false},
    {".dob", "UserDocument=", false, "Begin VB.UserDocument ", false, false},
    // A designer's blocks start with its class GUID.
    {".dsr", "Designer=", false, "Begin {", true, false},
};

inline constexpr std::size_t kModuleKindCount = std::size(kModuleKinds);

constexpr bool is_counted(const ModuleKind& kind, ModuleKinds kinds) {
  return kind.counted_by_default || kinds == ModuleKinds::kAll;
}

// The counted kind whose extension `name` ends with, ignoring letter case;
// nullptr when none.
const ModuleKind* module_kind_of(std::string_view name, ModuleKinds kinds);

}  // namespace codetal
