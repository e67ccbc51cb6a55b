// The page of "Codetal.html": inline CSS and SVG only, so that it opens
// offline and from a mail attachment. It is also well-formed XML, which
// keeps it simple to check. Every figure and position is an integer, so
// that each build writes the same bytes.
#include <algorithm>
#include <cstdint>

#include "analysis/line_counts.h"
#include "analysis/statement_kinds.h"
#include "exports/export_text.h"
#include "exports/page/html_assessment.h"
#include "exports/page/html_estate.h"
#include "exports/page/html_graph.h"
#include "exports/page/html_page.h"
#include "exports/page/html_parts.h"
#include "exports/page/html_procedures.h"
#include "exports/page/html_risks.h"

namespace codetal {
namespace {

using namespace html;

std::string_view kind_title(const StatementKind& kind) {
  std::string_view label = kind.list_label;
  if (label.starts_with("Nbr. ")) label.remove_prefix(5);
  return label;
}

// What the page shows: the model, with its views, and the exit status.
struct PageData {
  const RunModel& model;
  int exit_status;
};

// An estate by its folder's path, as found on disk; any other input as
// the run took it.
std::string_view input_name(const RunModel& model) {
  return model.estate ? std::string_view(model.estate->path) : std::string_view(model.facts.input);
}

void append_head(std::string& out, const PageData& data) {
  // The assessment's tables have text beyond their first column.
  append_page_head(out, input_name(data.model),
                   !data.model.facts.assess ? ""
                                            : "td.t,th[data-text]{text-align:left}\n"
                                              ".node rect{fill:#dbe5f1;stroke:#3465a4}\n"
                                              ".node.cycle rect{fill:#f6d5d5;stroke:#c00}\n"
                                              ".edge{stroke:#3465a4;stroke-opacity:.12}\n"
                                              ".edge.on{stroke-opacity:1;stroke-width:2}\n"
                                              "text.wave{font-weight:bold}\n");
}

std::string_view input_description(const PageData& data) {
  if (data.model.estate) return "Estate";
  if (!data.model.groups.empty()) return "Project group";
  if (data.model.project_files.empty()) return "Input";
  return data.model.project_files.front().wildcard_set ? "Wildcard set" : "Project";
}

void append_title(std::string& out, const PageData& data) {
  out += "<header>\n<h1>";
  out += input_description(data);
  out += ' ';
  append_html_text(out, input_name(data.model));
  out += "</h1>\n<p class=\"meta\">Codetal ";
  append_html_text(out, data.model.facts.version);
  out += ", run started ";
  std::string time = iso_local_time(data.model.facts.started);
  time[10] = ' ';
  out += time;
  out += ". ";
  out += data.model.completed ? "Completed" : "Stopped early";
  out += " with exit status ";
  append_number(out, data.exit_status);
  out += ".</p>\n</header>\n";
}

void append_summary(std::string& out, const PageData& data) {
  const ModuleStats& t = data.model.totals;
  out += "<section id=\"totals\">\n<h2>Totals at a glance</h2>\n<div class=\"cards\">\n";
  for (const LineCount& count : kLineCounts)
    append_count_card(out, t[count.counter], count.card_label);
  std::string share;
  append_percent(share, t[kCommentLines], t[kTotalLines]);
  append_card(out, share, "comment share");
  append_count_card(out, data.model.modules_counted, "modules counted");
  if (data.model.estate) append_estate_cards(out, data.model);
  if (!data.model.failed_files.empty())
    append_count_card(out, static_cast<std::int64_t>(data.model.failed_files.size()),
                      "modules failed");
  out += "</div>\n";
  append_bar_chart(out, "share-chart", {BarRow{"All modules", &t}});
  out += "</section>\n";
}

void append_projects_chart(std::string& out, const PageData& data) {
  out += "<section id=\"projects\">\n<h2>Projects by size</h2>\n";
  if (data.model.project_files.empty()) {
    out += "<p>This run has no project.</p>\n</section>\n";
    return;
  }
  std::vector<BarRow> rows;
  for (const ProjectView* c : data.model.projects_by_size)
    rows.push_back(BarRow{file_of(*c->list), &c->list->totals,
                          shown_path(file_of(*c->list), data.model.label_root)});
  append_bar_chart(out, "project-chart", rows);
  out += "</section>\n";
}

void append_modules_chart(std::string& out, const PageData& data) {
  out += "<section id=\"modules\">\n<h2>The ";
  append_number(out, static_cast<std::int64_t>(kRanked));
  out += " largest modules</h2>\n";
  if (data.model.largest_modules.empty()) {
    out += "<p>No module was counted.</p>\n</section>\n";
    return;
  }
  std::vector<BarRow> rows;
  for (const ModuleRecord* m : data.model.largest_modules)
    rows.push_back(
        BarRow{file_of(*m), &m->result->stats, shown_path(file_of(*m), data.model.label_root)});
  append_bar_chart(out, "module-chart", rows);
  out += "</section>\n";
}

void append_statement_chart(std::string& out, const PageData& data) {
  out += "<section id=\"statements\">\n<h2>What the code is made of</h2>\n";
  out += "<p class=\"legend\">Statements of each kind in every module counted.</p>\n";
  std::int64_t largest = 0;
  for (const StatementKind& kind : kStatementKinds)
    largest = std::max<std::int64_t>(largest, data.model.totals[kind.counter]);
  out += "<div class=\"scroll\">\n";
  append_chart_start(out, "statement-chart", kStatementKindCount);
  std::int64_t y = 4;
  for (const StatementKind& kind : kStatementKinds) {
    std::int64_t count = data.model.totals[kind.counter];
    std::int64_t width = largest > 0 ? count * kBarWidth / largest : 0;
    out += "<g class=\"bar\"><text class=\"label\" x=\"";
    append_number(out, kLabelWidth - 8);
    out += "\" y=\"";
    append_number(out, y + 15);
    out += "\">";
    out += kind_title(kind);
    out += "</text><rect class=\"kind\" x=\"";
    append_number(out, kLabelWidth);
    out += "\" y=\"";
    append_number(out, y + 3);
    out += "\" width=\"";
    append_number(out, width);
    out += "\" height=\"16\"/><text x=\"";
    append_number(out, kLabelWidth + width + 6);
    out += "\" y=\"";
    append_number(out, y + 15);
    out += "\">";
    append_grouped(out, count);
    out += "</text></g>\n";
    y += kRowHeight;
  }
  out += "</svg>\n</div>\n</section>\n";
}

void append_number_cells(std::string& out, int modules, const ModuleStats& stats) {
  auto cell = [&out](std::int64_t value) {
    out += "<td class=\"n\">";
    append_number(out, value);
    out += "</td>";
  };
  cell(modules);
  for (const LineCount& count : kLineCounts) cell(stats[count.counter]);
  out += "<td>";
  append_percent(out, stats[kCommentLines], stats[kTotalLines]);
  out += "</td>";
  for (const StatementKind& kind : kStatementKinds) cell(stats[kind.counter]);
}

void append_table_head(std::string& out, bool groups, bool waves) {
  out += "<thead><tr><th>Name</th>";
  if (groups) out += "<th>Groups</th>";
  if (waves) out += "<th>Wave</th>";
  out += "<th>Modules</th>";
  for (const LineCount& count : kLineCounts) {
    out += "<th>";
    out += count.column_title;
    out += "</th>";
  }
  out += "<th>Comment share</th>";
  for (const StatementKind& kind : kStatementKinds) {
    out += "<th>";
    out += kind_title(kind);
    out += "</th>";
  }
  out += "</tr></thead>\n";
}

void append_project_table(std::string& out, const PageData& data) {
  if (data.model.project_files.empty()) return;
  out += "<section id=\"table\">\n<h2>Projects in numbers</h2>\n<div class=\"wide\">\n";
  out += "<table id=\"project-table\">\n";
  const bool groups = data.model.estate.has_value();
  const bool waves = data.model.graph.has_value();
  append_table_head(out, groups, waves);
  out += "<tbody>\n";
  for (const ProjectView& c : data.model.project_files) {
    out += "<tr><td class=\"l\" title=\"";
    append_html_text(out, file_of(*c.list));
    out += "\">";
    if (c.wildcard_set) out += "set ";
    append_html_text(out, shown_path(file_of(*c.list), data.model.label_root));
    out += "</td>";
    if (groups) {
      out += "<td class=\"l\">";
      for (std::size_t i = 0; i < c.groups.size(); ++i) {
        if (i > 0) out += ", ";
        append_html_text(out, shown_path(c.groups[i], data.model.label_root));
      }
      out += "</td>";
    }
    if (waves) {
      out += "<td class=\"n\">";
      append_number(out, c.list->wave);
      out += "</td>";
    }
    append_number_cells(out, c.list->counted, c.list->totals);
    out += "</tr>\n";
  }
  out += "</tbody>\n<tfoot><tr><td>All</td>";
  if (groups) out += "<td></td>";
  if (waves) out += "<td></td>";
  append_number_cells(out, data.model.modules_counted, data.model.totals);
  out += "</tr></tfoot>\n</table>\n</div>\n</section>\n";
}

void append_failures(std::string& out, const PageData& data) {
  if (data.model.failed_files.empty()) return;
  out += "<section id=\"failures\">\n<h2>Modules not counted</h2>\n";
  append_table(out, "failure-table", "Each module file once", {"Module", "Why"},
               data.model.failed_files, [&data](const ModuleRecord* f) {
                 return std::array<Cell, 2>{label(file_of(*f), data.model.label_root),
                                            text(failure_reason(f->failure))};
               });
  out += "</section>\n";
}

}  // namespace

void render_page(std::string& out, const RunModel& model, int exit_status) {
  const PageData data{model, exit_status};
  append_head(out, data);
  append_title(out, data);
  append_summary(out, data);
  append_projects_chart(out, data);
  append_modules_chart(out, data);
  append_estate_sections(out, model);
  if (model.facts.assess) {
    append_assessment_section(out, model);
    append_procedures_section(out, model);
    append_risks_section(out, model);
    append_graph_section(out, model);
  }
  append_statement_chart(out, data);
  append_project_table(out, data);
  append_failures(out, data);
  out += "<script>\n";
  out += kSortScript;
  if (model.graph) out += html::kGraphScript;
  out += "</script>\n</body>\n</html>\n";
}

void write_html(WrittenFile& file, const RunModel& model, int exit_status) {
  if (!file.open()) return;
  render_page(file.text(), model, exit_status);
  file.close();
}

}  // namespace codetal
