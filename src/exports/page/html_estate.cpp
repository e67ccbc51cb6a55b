#include "exports/page/html_estate.h"

#include <algorithm>
#include <array>

#include "exports/export_text.h"
#include "exports/page/html_page.h"
#include "exports/page/html_parts.h"

namespace codetal::html {
namespace {

void append_unlisted(std::string& out, const RunModel& model) {
  const ModuleList& unlisted = model.estate->unlisted;
  out += "<section id=\"unlisted\">\n<h2>Modules in no project</h2>\n<p>";
  append_grouped(out, unlisted.counted);
  out += " modules, ";
  append_grouped(out, unlisted.totals[kTotalLines]);
  out += " lines, that no project lists.</p>\n";
  std::vector<BarRow> rows;
  for (const ModuleRecord* module : model.largest_unlisted)
    rows.push_back(
        BarRow{module->path, &module->result->stats, shown_path(module->path, model.label_root)});
  if (!rows.empty()) append_bar_chart(out, "unlisted-chart", rows);
  out += "</section>\n";
}

void append_copies(std::string& out, const RunModel& model) {
  const EstateSummary& s = model.estate->summary;
  out += "<section id=\"copies\">\n<h2>Files with the same content</h2>\n";
  if (s.copies.empty()) {
    out += "<p>No two module files hold the same bytes.</p>\n</section>\n";
    return;
  }
  out += "<p>Copies add ";
  append_grouped(out, s.totals[kTotalLines] - s.distinct_content_totals[kTotalLines]);
  out += " lines to the estate totals; each content counted once, the listed files hold ";
  append_grouped(out, s.distinct_content_totals[kTotalLines]);
  out += " lines.</p>\n";
  struct CopyRow {
    const CopySet* set;
    std::string paths;
  };
  std::vector<CopyRow> rows;
  for (const CopySet& set : s.copies) {
    CopyRow& row = rows.emplace_back(CopyRow{&set, {}});
    for (const std::string& file : set.files)
      row.paths.append(row.paths.empty() ? "" : ", ").append(shown_path(file, model.label_root));
  }
  append_table(out, "copy-table", "Each content and its files", {"Lines", "Files", "Paths"}, rows,
               [](const CopyRow& row) {
                 return std::array<Cell, 3>{
                     figure(row.set->counts[kTotalLines]),
                     figure(static_cast<std::int64_t>(row.set->files.size())), label(row.paths)};
               });
  out += "</section>\n";
}

void append_not_read(std::string& out, const RunModel& model) {
  if (model.not_read.empty()) return;
  out += "<section id=\"not-read\">\n<h2>Projects and groups not read</h2>\n";
  append_table(out, "not-read-table", "Each file once", {"Path", "Kind", "Why"}, model.not_read,
               [&model](const NotRead& listing) {
                 return std::array<Cell, 3>{
                     label(listing.path, model.label_root),
                     text(listing.kind == ListingKind::kGroup ? "group" : "project"),
                     text(listing.failure)};
               });
  out += "</section>\n";
}

}  // namespace

void append_estate_cards(std::string& out, const RunModel& model) {
  const EstateRecord& estate = *model.estate;
  const EstateSummary& s = estate.summary;
  append_count_card(out, estate.unlisted.totals[kTotalLines], "lines in no project");
  append_count_card(out, estate.unlisted.counted, "modules in no project");
  append_count_card(out, s.distinct_content_totals[kTotalLines], "lines of distinct content");
  append_count_card(out, s.groups, "groups");
  append_count_card(out, s.projects, "projects");
  if (!model.not_read.empty())
    append_count_card(out, static_cast<std::int64_t>(model.not_read.size()),
                      "projects and groups not read");
}

void append_estate_sections(std::string& out, const RunModel& model) {
  if (!model.estate) return;
  append_unlisted(out, model);
  if (model.estate->ended) append_copies(out, model);
  append_not_read(out, model);
}

}  // namespace codetal::html
