// What a project (.vbp) or project-group (.vbg) file says, read whole into
// one value before anything it names is processed. A new fact of a project
// file is a field here, read by read_project.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/assessment.h"
#include "platform/platform.h"
#include "traverse/listed_names.h"

namespace codetal {

struct ProjectFile {
  // The modules it lists, in its order, each placed beside the project.
  std::vector<std::string> modules;
  // A read failed before its end: the lines before it were read.
  bool read_failed = false;
  // Its type, references and components, when read for an assessment.
  std::optional<ProjectFacts> facts;
};

struct GroupFile {
  // The projects it lists, in its order, each placed beside the group.
  std::vector<std::string> projects;
  bool read_failed = false;
};

ProjectFile read_project(InputFile& file, std::string_view project_name, ModuleKinds kinds,
                         bool assess = false);
GroupFile read_group(InputFile& file, std::string_view group_name);

}  // namespace codetal
