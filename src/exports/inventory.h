// What the whole run depends on, for an assessment: its components,
// referenced libraries, control classes and DLLs, each summed over the
// distinct files the run model hands it (a project or module that the run
// met twice counts once).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/assessment.h"

namespace codetal {

// Each version of a component or library is a use of its own.
struct ComponentUse {
  std::string guid;  // in upper case
  std::string file;  // as the first file naming it wrote it
  std::string version;
  std::int32_t projects = 0;
  std::int32_t modules = 0;
};

struct ReferenceUse {
  std::string guid;  // in upper case
  std::string description;
  std::string version;
  std::int32_t projects = 0;
};

struct ControlUse {
  std::string control_class;  // as written
  std::int32_t instances = 0;
  std::int32_t modules = 0;
};

struct LibraryUse {
  std::string library;  // in lower case, without ".dll"
  std::int32_t declares = 0;
  std::int32_t modules = 0;
};

// A rule of what will not convert: its occurrences, and the module and
// project files that hold one.
struct RiskUse {
  std::size_t rule;  // in kRiskRules
  std::int64_t occurrences = 0;
  std::int32_t modules = 0;
  std::int32_t projects = 0;
};

struct LateBoundUse {
  std::string name;  // as first written
  std::int64_t calls = 0;
  std::int32_t modules = 0;
  std::int32_t projects = 0;
};

// Each list the most used first; equals by their key. The risks in the
// rules' own order.
struct Inventory {
  std::vector<ComponentUse> components;
  std::vector<ReferenceUse> references;
  std::vector<ControlUse> controls;
  std::vector<LibraryUse> libraries;
  std::vector<RiskUse> risks;
  std::vector<LateBoundUse> late_bound;
};

// The facts of each project file and each module file once.
Inventory take_inventory(const std::vector<const ProjectFacts*>& projects,
                         const std::vector<const ModuleFacts*>& modules);

// The risks and late-bound names over each module file once (`modules`),
// and each project file once with its module files once (`projects`).
void take_risk_inventory(Inventory& inventory, const std::vector<const ModuleFacts*>& modules,
                         const std::vector<std::vector<const ModuleFacts*>>& projects);

// The name under which a Declare's DLL is summed: "KERNEL32.DLL" and
// "kernel32" are one library.
std::string library_key(std::string_view library);

}  // namespace codetal
