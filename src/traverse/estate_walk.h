// The files of an estate: every project group, project and module file of a
// folder tree.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "traverse/traversal.h"

namespace codetal {

// For the sets of files and folders an estate has seen.
struct EstateFiles {
  std::vector<std::string> groups;
  std::vector<std::string> projects;
  std::vector<std::string> modules;
  // Module files of kinds the options leave out (optAllModuleKinds=0).
  std::vector<std::string> not_counted;
};

// Walks the tree under `folder` in a stable order: the entries of each
// folder by name ignoring case, a subfolder's tree in its place among them.
// Hidden entries and links to folders are left out, and no folder is walked
// twice. Names are the folder as given, then the platform's separator and
// the entries' own names. A folder that cannot be read is told and fails the run; the walk
// goes on with the rest. A folder whose own name matches one of the
// `left_out` patterns ("*" and "?", ignoring case) is told and not walked.
EstateFiles find_estate_files(Traversal& run, std::string_view folder,
                              const std::vector<std::string>& left_out);

}  // namespace codetal
