#include "exports/page/html_procedures.h"

#include <algorithm>
#include <array>
#include <unordered_set>

#include "exports/export_text.h"
#include "exports/page/html_parts.h"

namespace codetal::html {
namespace {

constexpr std::size_t kListed = 20;

struct Band {
  std::string_view title;
  std::int32_t highest;  // of its complexities
};
constexpr Band kBands[] = {{"1\xE2\x80\x93"
                            "10",
                            10},
                           {"11\xE2\x80\x93"
                            "20",
                            20},
                           {"21\xE2\x80\x93"
                            "50",
                            50},
                           {"Over 50", INT32_MAX}};
constexpr std::size_t kBandCount = std::size(kBands);

std::size_t band_of(std::int32_t complexity) {
  std::size_t band = 0;
  while (complexity > kBands[band].highest) ++band;
  return band;
}

struct BandRow {
  std::string label;
  std::array<std::int64_t, kBandCount> counts{};
  std::int64_t procedures = 0;

  void add(const ModuleFacts& facts) {
    for (const Procedure& p : facts.procedures) ++counts[band_of(p.complexity)];
    procedures += static_cast<std::int64_t>(facts.procedures.size());
  }
};

struct Located {
  std::string_view module;  // its file
  const Procedure* procedure;
};

const ModuleFacts* facts_of(const ModuleRecord& module) {
  return module.result && module.result->facts ? &*module.result->facts : nullptr;
}

std::string label_of(const RunModel& model, const ModuleList& list) {
  if (&list == &model.single && !list.modules.empty()) return std::string(file_of(list.modules[0]));
  if (model.estate && &list == &model.estate->unlisted) return "Modules in no project";
  if (list.path.empty()) return "set " + list.name;
  return list.path;
}

// Every procedure of each module file once, in the run's order, and a band
// row for each project file (once) that holds assessed modules.
struct Gathered {
  std::vector<Located> procedures;
  std::vector<BandRow> lists;
  BandRow all;
};

Gathered gather(const RunModel& model) {
  Gathered g;
  g.all.label = "All";
  std::unordered_set<std::string_view> lists, modules;
  for_each_list(model, [&](const ModuleList& list) {
    if (!lists.insert(file_of(list)).second && !list.path.empty()) return;
    BandRow row{label_of(model, list)};
    std::unordered_set<std::string_view> in_list;
    bool assessed = false;
    for (const ModuleRecord& module : list.modules) {
      const ModuleFacts* facts = facts_of(module);
      if (facts == nullptr || !in_list.insert(file_of(module)).second) continue;
      assessed = true;
      row.add(*facts);
      if (!modules.insert(file_of(module)).second) continue;
      g.all.add(*facts);
      for (const Procedure& p : facts->procedures) g.procedures.push_back({file_of(module), &p});
    }
    if (assessed) g.lists.push_back(std::move(row));
  });
  return g;
}

// The first `kListed` procedures in the order `before` gives; ties keep the
// run's order.
template <typename Before>
std::vector<Located> first_by(std::vector<Located> all, Before before) {
  std::stable_sort(all.begin(), all.end(), before);
  if (all.size() > kListed) all.resize(kListed);
  return all;
}

void append_procedure_table(std::string& out, std::string_view id, std::string_view title,
                            const std::vector<Located>& procedures) {
  append_table(out, id, title, {"Module", "Procedure", "Lines", "Complexity"}, procedures,
               [](const Located& l) {
                 return std::array<Cell, 4>{label(l.module), text(l.procedure->name),
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

void append_band_table(std::string& out, const Gathered& g) {
  out += "<h3>Procedures by complexity</h3>\n<div class=\"scroll\">\n<table id=\"band-table\">\n";
  out += "<thead><tr><th>Project</th><th>Procedures</th>";
  for (const Band& band : kBands) {
    out += "<th>";
    out += band.title;
    out += "</th>";
  }
  out += "</tr></thead>\n<tbody>\n";
  for (const BandRow& row : g.lists) {
    out += "<tr>";
    append_cell(out, label(row.label));
    append_band_cells(out, row);
    out += "</tr>\n";
  }
  out += "</tbody>\n<tfoot><tr><td>All</td>";
  append_band_cells(out, g.all);
  out += "</tr></tfoot>\n</table>\n</div>\n";
}

}  // namespace

void append_procedures_section(std::string& out, const RunModel& model) {
  const Gathered g = gather(model);
  out += "<section id=\"hard\">\n<h2>Where the code is hard</h2>\n";
  out +=
      "<p class=\"legend\">Each module file of the run counted once; twenty procedures "
      "at most in each list. A procedure's complexity is 1, plus each of its If, ElseIf, "
      "Do, While and For lines, plus each Case other than Case Else.</p>\n";
  append_procedure_table(out, "largest-procedure-table", "The largest procedures",
                         first_by(g.procedures, [](const Located& a, const Located& b) {
                           return a.procedure->lines[0] > b.procedure->lines[0];
                         }));
  append_procedure_table(out, "complex-procedure-table", "The most complex procedures",
                         first_by(g.procedures, [](const Located& a, const Located& b) {
                           return a.procedure->complexity > b.procedure->complexity;
                         }));
  append_band_table(out, g);
  out += "</section>\n";
}

}  // namespace codetal::html
