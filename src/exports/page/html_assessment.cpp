#include "exports/page/html_assessment.h"

#include "exports/export_text.h"
#include "exports/inventory.h"
#include "exports/page/html_parts.h"
#include "platform/ascii.h"

namespace codetal::html {
namespace {

bool is_built_in(const ControlUse& control) {
  return starts_with_ignoring_case(control.control_class, "VB.");
}

void append_controls(std::string& out, const std::vector<ControlUse>& controls) {
  std::vector<ControlUse> others, built_in;
  for (const ControlUse& control : controls)
    (is_built_in(control) ? built_in : others).push_back(control);
  auto row = [](const ControlUse& c) {
    return std::vector<Cell>{text(c.control_class), figure(c.instances), figure(c.modules)};
  };
  append_table(out, "control-table", "Controls a migration replaces (not VB.)",
               {"Class", "Instances", "Modules"}, others, row);
  append_table(out, "vb-control-table", "Built-in controls (VB.)",
               {"Class", "Instances", "Modules"}, built_in, row);
}

}  // namespace

void append_assessment_section(std::string& out, const RunModel& model) {
  const Inventory& inventory = *model.inventory;
  out += "<section id=\"depends\">\n<h2>What it depends on</h2>\n";
  out += "<p class=\"legend\">Each project and module file of the run counted once.</p>\n";
  append_table(out, "component-table", "Components (ActiveX controls) by projects using them",
               {"File", "GUID", "Version", "Projects", "Modules"}, inventory.components,
               [](const ComponentUse& c) {
                 return std::vector<Cell>{text(c.file), text(c.guid), text(c.version),
                                          figure(c.projects), figure(c.modules)};
               });
  append_table(out, "reference-table", "Referenced libraries by projects using them",
               {"Library", "GUID", "Version", "Projects"}, inventory.references,
               [](const ReferenceUse& r) {
                 return std::vector<Cell>{text(r.description), text(r.guid), text(r.version),
                                          figure(r.projects)};
               });
  append_controls(out, inventory.controls);
  append_table(out, "library-table", "DLLs by Declares", {"DLL", "Declares", "Modules"},
               inventory.libraries, [](const LibraryUse& l) {
                 return std::vector<Cell>{
                     text(l.library.empty() ? std::string_view("(not on the line)")
                                            : std::string_view(l.library)),
                     figure(l.declares), figure(l.modules)};
               });
  out += "</section>\n";
}

}  // namespace codetal::html
