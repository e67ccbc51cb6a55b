#include "exports/json_assessment.h"

#include "exports/export_text.h"

namespace codetal {
namespace {

// One object on one line, its members written in the order given.
class Object {
 public:
  explicit Object(std::string& out) : out_(out) { out_ += '{'; }
  ~Object() { out_ += '}'; }
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  Object& text(std::string_view key, std::string_view value) {
    name(key);
    append_json_string(out_, value);
    return *this;
  }
  Object& number(std::string_view key, std::int64_t value) {
    name(key);
    append_number(out_, value);
    return *this;
  }

 private:
  void name(std::string_view key) {
    if (!first_) out_ += ", ";
    first_ = false;
    out_ += '"';
    out_ += key;
    out_ += "\": ";
  }

  std::string& out_;
  bool first_ = true;
};

template <typename Items, typename Item>
void inline_list(std::string& out, const Items& items, Item item) {
  out += '[';
  bool first = true;
  for (const auto& one : items) {
    if (!first) out += ", ";
    first = false;
    item(one);
  }
  out += ']';
}

void component(std::string& out, const Component& c) {
  if (!c.project.empty()) {
    Object(out).text("project", c.project);
    return;
  }
  Object(out)
      .text("guid", c.guid)
      .text("version", c.version)
      .text("lcid", c.lcid)
      .text("file", c.file);
}

void reference(std::string& out, const Reference& r) {
  if (r.project) {
    Object(out).text("project", r.path);
    return;
  }
  Object(out)
      .text("guid", r.guid)
      .text("version", r.version)
      .text("lcid", r.lcid)
      .text("path", r.path)
      .text("description", r.description);
}

void procedure(std::string& out, const Procedure& p) {
  out += "{\"kind\": \"";
  out += kind_name(p.kind);
  out += "\", \"name\": ";
  append_json_string(out, p.name);
  out += ", \"line\": ";
  append_number(out, p.line);
  out += ", \"counts\": ";
  {
    Object counts(out);
    for (std::size_t i = 0; i < kLineCountCount; ++i)
      counts.number(kLineCounts[i].field_name, p.lines[i]);
  }
  out += ", \"complexity\": ";
  append_number(out, p.complexity);
  out += '}';
}

// A list of the inventory, an item a line at six places.
template <typename Items, typename Item>
void inventory_list(std::string& out, std::string_view key, const Items& items, Item item,
                    bool last) {
  out += "    \"";
  out += key;
  out += "\": [";
  bool first = true;
  for (const auto& one : items) {
    out += first ? "\n      " : ",\n      ";
    first = false;
    item(one);
  }
  if (!first) out += "\n    ";
  out += last ? "]\n" : "],\n";
}

}  // namespace

void append_json_module_facts(std::string& out, const ModuleFacts& facts) {
  out += ", \"designer_lines\": ";
  append_number(out, facts.designer_lines);
  out += ", \"controls\": {";
  bool first = true;
  for (const auto& [name, count] : facts.controls) {
    if (!first) out += ", ";
    first = false;
    append_json_string(out, name);
    out += ": ";
    append_number(out, count);
  }
  out += "}, \"components\": ";
  inline_list(out, facts.components, [&](const Component& c) { component(out, c); });
  out += ", \"declares\": ";
  inline_list(out, facts.declares, [&](const Declare& d) {
    Object(out).text("name", d.name).text("library", d.library);
  });
  out += ", \"procedures\": ";
  inline_list(out, facts.procedures, [&](const Procedure& p) { procedure(out, p); });
  out += ", \"risks\": ";
  append_json_risks(out, facts.risks);
  out += ", \"late_bound\": ";
  inline_list(out, facts.late_bound, [&](const LateBoundName& l) {
    Object(out).text("name", l.name).number("calls", l.calls);
  });
}

void append_json_risks(std::string& out, const RiskCounts& risks) {
  Object counts(out);
  for (std::size_t i = 0; i < kRiskRuleCount; ++i) {
    if (risks[i] != 0) counts.number(kRiskRules[i].id, risks[i]);
  }
}

void append_json_project_facts(std::string& out, const ProjectFacts& facts, int indent) {
  const std::string margin(static_cast<std::size_t>(indent), ' ');
  out += margin;
  out += "\"type\": ";
  append_json_string(out, facts.type);
  out += ",\n";
  out += margin;
  out += "\"references\": ";
  inline_list(out, facts.references, [&](const Reference& r) { reference(out, r); });
  out += ",\n";
  out += margin;
  out += "\"components\": ";
  inline_list(out, facts.components, [&](const Component& c) { component(out, c); });
  out += ",\n";
}

void append_json_inventory(std::string& out, const Inventory& inventory) {
  out += "  \"inventory\": {\n";
  inventory_list(
      out, "components", inventory.components,
      [&](const ComponentUse& c) {
        Object(out)
            .text("guid", c.guid)
            .text("file", c.file)
            .text("version", c.version)
            .number("projects", c.projects)
            .number("modules", c.modules);
      },
      false);
  inventory_list(
      out, "references", inventory.references,
      [&](const ReferenceUse& r) {
        Object(out)
            .text("guid", r.guid)
            .text("description", r.description)
            .text("version", r.version)
            .number("projects", r.projects);
      },
      false);
  inventory_list(
      out, "controls", inventory.controls,
      [&](const ControlUse& c) {
        Object(out)
            .text("class", c.control_class)
            .number("instances", c.instances)
            .number("modules", c.modules);
      },
      false);
  inventory_list(
      out, "libraries", inventory.libraries,
      [&](const LibraryUse& l) {
        Object(out)
            .text("library", l.library)
            .number("declares", l.declares)
            .number("modules", l.modules);
      },
      false);
  inventory_list(
      out, "risks", inventory.risks,
      [&](const RiskUse& r) {
        Object(out)
            .text("rule", kRiskRules[r.rule].id)
            .text("severity", severity_name(kRiskRules[r.rule].severity))
            .number("occurrences", r.occurrences)
            .number("modules", r.modules)
            .number("projects", r.projects);
      },
      false);
  inventory_list(
      out, "late_bound", inventory.late_bound,
      [&](const LateBoundUse& l) {
        Object(out)
            .text("name", l.name)
            .number("calls", l.calls)
            .number("modules", l.modules)
            .number("projects", l.projects);
      },
      true);
  out += "  },\n";
}

void append_json_dependencies(std::string& out, const DependencyGraph& graph) {
  out += "  \"dependencies\": {\n";
  inventory_list(
      out, "units", graph.units,
      [&](const GraphUnit& unit) {
        out += "{\"file\": ";
        append_json_string(out, unit.file);
        out += ", \"projects\": ";
        inline_list(out, unit.projects, [&](std::string_view p) { append_json_string(out, p); });
        out += ", \"wave\": ";
        append_number(out, unit.wave);
        out += ", \"depends_on\": ";
        inline_list(out, unit.depends_on,
                    [&](std::size_t u) { append_json_string(out, graph.units[u].file); });
        out += ", \"used_by\": ";
        append_number(out, unit.used_by);
        out += '}';
      },
      false);
  inventory_list(
      out, "external", graph.external,
      [&](const ExternalDependency& e) {
        Object(out)
            .text("file", e.file)
            .text("guid", e.guid)
            .text("kind", e.component ? "component" : "reference")
            .number("projects", e.projects);
      },
      false);
  inventory_list(
      out, "cycles", graph.cycles,
      [&](const std::vector<std::size_t>& cycle) {
        inline_list(out, cycle,
                    [&](std::size_t u) { append_json_string(out, graph.units[u].file); });
      },
      false);
  out += "    \"waves\": ";
  append_number(out, graph.waves);
  out += "\n  },\n";
}

}  // namespace codetal
