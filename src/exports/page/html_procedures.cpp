#include "exports/page/html_procedures.h"

#include <algorithm>
#include <array>

#include "exports/export_text.h"
#include "exports/page/html_parts.h"

namespace codetal::html {
namespace {

void append_procedure_table(std::string& out, std::string_view id, std::string_view title,
                            const std::vector<ProcedureAt>& procedures, std::string_view root) {
  append_table(out, id, title, {"Module", "Procedure", "Lines", "Complexity"}, procedures,
               [root](const ProcedureAt& l) {
                 return std::array<Cell, 4>{label(l.module, root), text(l.procedure->name),
                                            figure(l.procedure->lines[0]),
                                            figure(l.procedure->complexity)};
               });
}

void append_band_cells(std::string& out, const BandRow& row) {
  out += "<td class=\"n\">";
  append_number(out, row.procedures);
  out += "</td>";
  for (std::int64_t count : row.counts) {
    out += "<td class=\"n\">";
    append_number(out, count);
    out += "</td>";
  }
}

void append_band_table(std::string& out, const ProcedureViews& g, std::string_view root) {
  out += "<h3>Procedures by complexity</h3>\n<div class=\"scroll\">\n<table id=\"band-table\">\n";
  out += "<thead><tr><th>Project</th><th>Procedures</th>";
  for (const ComplexityBand& band : kComplexityBands) {
    out += "<th>";
    out += band.title;
    out += "</th>";
  }
  out += "</tr></thead>\n<tbody>\n";
  for (const BandRow& row : g.lists) {
    out += "<tr>";
    append_cell(out, label(row.label, root));
    append_band_cells(out, row);
    out += "</tr>\n";
  }
  out += "</tbody>\n<tfoot><tr><td>All</td>";
  append_band_cells(out, g.all);
  out += "</tr></tfoot>\n</table>\n</div>\n";
}

}  // namespace

void append_procedures_section(std::string& out, const RunModel& model) {
  const ProcedureViews& g = model.procedures;
  out += "<section id=\"hard\">\n<h2>Where the code is hard</h2>\n";
  out +=
      "<p class=\"legend\">Each module file of the run counted once; twenty procedures "
      "at most in each list. A procedure's complexity is 1, plus each of its If, ElseIf, "
      "Do, While and For lines, plus each Case other than Case Else.</p>\n";
  const std::string_view root = model.label_root;
  append_procedure_table(out, "largest-procedure-table", "The largest procedures", g.largest, root);
  append_procedure_table(out, "complex-procedure-table", "The most complex procedures",
                         g.most_complex, root);
  append_band_table(out, g, root);
  out += "</section>\n";
}

}  // namespace codetal::html
