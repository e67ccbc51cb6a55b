// In which order an estate can move: the files its projects build (units),
// which of them each depends on, and the waves they fall into. A unit is one
// file name with every project that builds it; a unit depends on the units
// its projects' references and components name. A unit that depends on no
// unit is in wave 1, any other in 1 + the highest wave of its dependencies;
// units that depend on each other in a circle share one wave.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/assessment.h"

namespace codetal {

// A project as the graph reads it.
struct GraphProject {
  std::string_view path;  // its file's
  const ProjectFacts* facts;
  // Its `*\A` references as the paths of the project files they name.
  std::vector<std::string> referenced_projects;
  std::int64_t lines = 0;
};

struct GraphUnit {
  std::string file;                        // as the first project building it names it
  std::vector<std::string_view> projects;  // the paths of those that build it
  std::int32_t wave = 0;
  std::vector<std::size_t> depends_on;  // units, in this graph's order
  std::int32_t used_by = 0;             // units that depend on it
  std::int64_t lines = 0;               // of its largest project
  bool in_cycle = false;
};

// What a project references that no project of the run builds.
struct ExternalDependency {
  std::string file;  // empty when the line names none
  std::string guid;
  bool component = false;  // an Object= line, else a Reference=
  std::int32_t projects = 0;
};

struct DependencyGraph {
  std::vector<GraphUnit> units;  // by wave, then as first met
  std::vector<ExternalDependency> external;
  std::vector<std::vector<std::size_t>> cycles;  // units depending on each other in a circle
  std::int32_t waves = 0;
  std::vector<std::size_t> unit_of_project;  // the unit each project given builds
};

// In time linear in the projects and their references.
DependencyGraph build_dependency_graph(const std::vector<GraphProject>& projects);

// The file a project builds: its ExeName32, or its Name (else its own file's
// name) with the extension of its Type.
std::string built_file(const ProjectFacts& facts, std::string_view project_path);

}  // namespace codetal
