#include "exports/page/html_risks.h"

#include <array>

#include "exports/page/html_parts.h"

namespace codetal::html {

void append_risks_section(std::string& out, const RunModel& model) {
  const Inventory& inventory = *model.inventory;
  out += "<section id=\"risks\">\n<h2>What will not convert as it is</h2>\n";
  out +=
      "<p class=\"legend\">Constructs with no direct equivalent in the languages a VB6 estate "
      "moves to, which cost hand work; each module file of the run counted once.</p>\n";
  append_table(out, "risk-table", "Findings by rule",
               {"Rule", "What", "Severity", "Occurrences", "Modules", "Projects"}, inventory.risks,
               [](const RiskUse& r) {
                 const RiskRule& rule = kRiskRules[r.rule];
                 return std::array<Cell, 6>{
                     text(rule.id),         text(rule.what),   text(severity_name(rule.severity)),
                     figure(r.occurrences), figure(r.modules), figure(r.projects)};
               });
  append_table(
      out, "risky-module-table", "The modules with the most high, then medium findings",
      {"Module", "High", "Medium", "Low"}, model.risky_modules, [&model](const ModuleRecord* m) {
        const RiskCounts& risks = m->result->facts->risks;
        return std::array<Cell, 4>{
            label(file_of(*m), model.label_root), figure(findings(risks, Severity::kHigh)),
            figure(findings(risks, Severity::kMedium)), figure(findings(risks, Severity::kLow))};
      });
  append_table(out, "late-bound-table", "Objects created by name (late-bound)",
               {"Name", "Calls", "Modules", "Projects"}, inventory.late_bound,
               [](const LateBoundUse& l) {
                 return std::array<Cell, 4>{text(l.name), figure(l.calls), figure(l.modules),
                                            figure(l.projects)};
               });
  out += "</section>\n";
}

}  // namespace codetal::html
