// "Codetal-compare.html": the page of a comparison, self-contained and
// well-formed like the run's own page, with its style and sorting script.
#include <array>

#include "compare/compare_outputs.h"
#include "exports/export_text.h"
#include "exports/page/html_parts.h"

namespace codetal {
namespace {

using namespace html;

std::string_view path_of(const SnapModule* m) {
  return m != nullptr ? std::string_view(m->path) : std::string_view();
}
std::string_view path_of(const SnapList* l) {
  return l != nullptr ? std::string_view(l->path) : std::string_view();
}

void head(std::string& out, const Comparison& c) {
  append_page_head(out, "since the baseline", "td.t,th[data-text]{text-align:left}\n");
  out += "<header>\n";
  out += "<h1>Since the baseline</h1>\n";
  for (const auto& [lead, s] : {std::pair{"Then: ", c.old}, {"Now: ", c.now}}) {
    out += "<p class=\"meta\">";
    out += lead;
    append_html_text(out, s->file);
    out += ", a run of ";
    append_html_text(out, s->input);
    out += " started ";
    append_html_text(out, s->started);
    out += s->completed ? "" : ", stopped early";
    out += ".</p>\n";
  }
  if (c.options_differ)
    out += "<p class=\"meta\">The two runs were made with different options.</p>\n";
  out += "</header>\n";
}

// "1,200 then, 1,260 now": a card whose label says what changed how much.
void then_now_card(std::string& out, std::int64_t old, std::int64_t now, std::string_view what) {
  std::string value;
  if (now >= old) value += '+';
  append_grouped(value, now - old);
  std::string label(what);
  label += ": ";
  append_grouped(label, old);
  label += " then, ";
  append_grouped(label, now);
  label += " now";
  append_card(out, value, label);
}

std::int64_t complex_procedures(const std::array<std::int64_t, kComplexityBandCount>& bands) {
  std::int64_t over = 0;
  for (std::size_t b = 1; b < kComplexityBandCount; ++b) over += bands[b];
  return over;
}

std::int64_t by_severity(const std::array<std::int64_t, kRiskRuleCount>& risks, Severity level) {
  std::int64_t sum = 0;
  for (std::size_t r = 0; r < kRiskRuleCount; ++r)
    if (kRiskRules[r].severity == level) sum += risks[r];
  return sum;
}

void glance(std::string& out, const Comparison& c) {
  out += "<section id=\"glance\">\n<h2>At a glance</h2>\n<div class=\"cards\">\n";
  then_now_card(out, c.old_totals[kTotalLines], c.new_totals[kTotalLines], "lines");
  then_now_card(out, c.old_totals[kCodeLines], c.new_totals[kCodeLines], "code lines");
  for (std::size_t s = 0; s < kFileStateCount; ++s) {
    std::string label = "files ";
    label += kFileStateWords[s];
    append_count_card(out, c.files_by_state[s], label);
  }
  if (c.both_assessed) {
    then_now_card(out, complex_procedures(c.old_bands), complex_procedures(c.new_bands),
                  "procedures of complexity over 10");
    for (Severity level : {Severity::kHigh, Severity::kMedium, Severity::kLow}) {
      std::string label(severity_name(level));
      label += " risks";
      then_now_card(out, by_severity(c.old_risks, level), by_severity(c.new_risks, level), label);
    }
  }
  out += "</div>\n</section>\n";
}

void largest(std::string& out, const Comparison& c) {
  out += "<section id=\"largest\">\n";
  append_table(out, "largest-table", "The modules with the largest changes",
               {"State", "Then", "Now", "Lines", "Code", "Comments", "Blank"}, c.largest,
               [&](std::size_t i) {
                 const FileChange& f = c.files[i];
                 return std::array{text(state_name(f.state)),    label(path_of(f.old)),
                                   label(path_of(f.now)),        figure(f.change[kTotalLines]),
                                   figure(f.change[kCodeLines]), figure(f.change[kCommentLines]),
                                   figure(f.change[kBlankLines])};
               });
  append_table(out, "moved-table", "Moved and renamed files", {"Then", "Now", "Code lines"},
               c.moved, [&](std::size_t i) {
                 const FileChange& f = c.files[i];
                 return std::array{label(path_of(f.old)), label(path_of(f.now)),
                                   figure(f.now->counts[kCodeLines])};
               });
  out += "</section>\n";
}

void per_project(std::string& out, const Comparison& c) {
  out += "<section id=\"per-project\">\n";
  for (const auto& [id, title, lists] : {std::tuple{"project-table", "Per project", &c.projects},
                                         {"group-table", "Per group", &c.groups}}) {
    append_table(out, id, title,
                 {"State", "Then", "Now", "Same", "Modified", "Moved", "Added", "Removed",
                  "Not read", "Lines", "Code"},
                 *lists, [&](const ListChange& l) {
                   return std::array{text(kListStateNames[static_cast<std::size_t>(l.state)]),
                                     label(path_of(l.old)),
                                     label(path_of(l.now)),
                                     figure(l.files[0]),
                                     figure(l.files[1]),
                                     figure(l.files[2]),
                                     figure(l.files[3]),
                                     figure(l.files[4]),
                                     figure(l.files[5]),
                                     figure(l.change[kTotalLines]),
                                     figure(l.change[kCodeLines])};
                 });
  }
  out += "</section>\n";
}

void assessment(std::string& out, const Comparison& c) {
  if (!c.both_assessed) return;
  out += "<section id=\"assessment\">\n<h2>What the assessment found</h2>\n<div class=\"cards\">\n";
  append_count_card(out, c.procedures_added, "procedures added");
  append_count_card(out, c.procedures_removed, "procedures removed");
  append_count_card(out, c.procedures_changed, "procedures changed");
  out += "</div>\n";
  std::array<std::size_t, kComplexityBandCount> bands{};
  for (std::size_t b = 0; b < bands.size(); ++b) bands[b] = b;
  append_table(out, "band-table", "Procedures by complexity", {"Complexity", "Then", "Now"}, bands,
               [&](std::size_t b) {
                 return std::array{text(kComplexityBands[b].title), figure(c.old_bands[b]),
                                   figure(c.new_bands[b])};
               });
  std::array<std::size_t, kRiskRuleCount> rules{};
  for (std::size_t r = 0; r < rules.size(); ++r) rules[r] = r;
  append_table(out, "risk-table", "What will not convert as it is",
               {"Rule", "Severity", "Then", "Now"}, rules, [&](std::size_t r) {
                 return std::array{text(kRiskRules[r].id),
                                   text(severity_name(kRiskRules[r].severity)),
                                   figure(c.old_risks[r]), figure(c.new_risks[r])};
               });
  struct Row {
    std::string_view what, change, name;
  };
  std::vector<Row> rows;
  for (const auto& [what, things] :
       {std::pair{"unit", &c.units}, {"reference", &c.references}, {"component", &c.components}}) {
    for (const SnapThing* t : things->added) rows.push_back({what, "added", t->name});
    for (const SnapThing* t : things->removed) rows.push_back({what, "removed", t->name});
    for (const auto& [was, is] : things->rewaved) rows.push_back({what, "wave changed", is->name});
  }
  append_table(out, "dependency-table", "Units, references and components",
               {"Kind", "Change", "Name"}, rows, [](const Row& r) {
                 return std::array{text(r.what), text(r.change), text(r.name)};
               });
  out += "</section>\n";
}

}  // namespace

void write_compare_page(WrittenFile& file, const Comparison& c) {
  if (!file.open()) return;
  std::string& out = file.text();
  head(out, c);
  glance(out, c);
  largest(out, c);
  per_project(out, c);
  assessment(out, c);
  out += "<script>\n";
  out += kSortScript;
  out += "</script>\n</body>\n</html>\n";
  file.close();
}

}  // namespace codetal
