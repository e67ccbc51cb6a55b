// What /assess reads beside the counts, for a migration: what a module's
// designer holds and which DLLs its code declares, and what a project file
// references. Each reader takes one line and records what it can read of it;
// a part the line lacks stays empty.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/procedures.h"
#include "analysis/risks.h"

namespace codetal {

// An ActiveX component: `{GUID}#VERSION#LCID` and its file; or, on a form,
// a control of another project (`*\A` and its path, in `project`).
struct Component {
  std::string guid;
  std::string version;
  std::string lcid;
  std::string file;
  std::string project;
  bool operator==(const Component&) const = default;
};

// A type library (`*\G{GUID}#VERSION#LCID#PATH#DESCRIPTION`), or another
// project (`*\A` and its path, in `path`).
struct Reference {
  bool project = false;
  std::string guid;
  std::string version;
  std::string lcid;
  std::string path;
  std::string description;
  bool operator==(const Reference&) const = default;
};

struct Declare {
  std::string name;
  std::string library;  // as written between the quotes
  bool operator==(const Declare&) const = default;
};

struct ModuleFacts {
  // The lines of its designer blocks, which the counts skip by default.
  std::int32_t designer_lines = 0;
  // Controls in its designer blocks, by class as written ("VB.Menu").
  std::map<std::string, std::int32_t, std::less<>> controls;
  // The `Object = ` lines before its first designer block.
  std::vector<Component> components;
  std::vector<Declare> declares;
  // In file order.
  std::vector<Procedure> procedures;
  // What will not convert as it is, by rule; the late-bound names in the
  // order first met.
  RiskCounts risks{};
  std::vector<LateBoundName> late_bound;
  bool operator==(const ModuleFacts&) const = default;
};

struct ProjectFacts {
  std::string type;  // its first `Type=` line's value
  // Its first `ExeName32=` and `Name=` values, quotes removed: the file it
  // builds.
  std::string exe_name;
  std::string name;
  std::vector<Reference> references;
  std::vector<Component> components;
  bool operator==(const ProjectFacts&) const = default;
};

// The class of a designer line `Begin Library.Class ` (after leading blanks
// and tabs), or nothing.
std::optional<std::string_view> control_class(std::string_view line);

// A form's `Object = "{GUID}#VERSION#LCID"; "FILE"` line (leading blanks
// already trimmed), or nothing when the line is not one.
std::optional<Component> form_component(std::string_view line);

// A line the counters count as a Declare.
Declare read_declare(std::string_view line);

// Adds what a project file's line says (`Type=`, `Reference=`, `Object=`;
// keys compared case-sensitively, the line as the project reader has it).
void read_project_fact(std::string_view line, ProjectFacts& facts);

}  // namespace codetal
