// What an assessment adds to "Codetal.json": a module's and a project's
// facts, and the inventory of the run.
#pragma once

#include <string>

#include "analysis/assessment.h"
#include "exports/dependency_graph.h"
#include "exports/inventory.h"

namespace codetal {

// `, "designer_lines": ..., "controls": {...}, "components": [...],
// "declares": [...]`, to follow a module's counts on its line.
void append_json_module_facts(std::string& out, const ModuleFacts& facts);

// The `"type"`, `"references"` and `"components"` members of a project,
// each on a line of its own at `indent`, each followed by ",\n".
void append_json_project_facts(std::string& out, const ProjectFacts& facts, int indent);

// `{"gosub": 2, ...}`: the rules with a count, in the table's order.
void append_json_risks(std::string& out, const RiskCounts& risks);

// The top-level `"dependencies": {...},\n` member: units in wave order,
// what no project of the run builds, the cycles and the number of waves.
void append_json_dependencies(std::string& out, const DependencyGraph& graph);

// The top-level `"inventory": {...},\n` member.
void append_json_inventory(std::string& out, const Inventory& inventory);

}  // namespace codetal
