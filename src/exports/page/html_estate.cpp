#include "exports/page/html_estate.h"

#include <algorithm>

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
    rows.push_back(BarRow{module->path, &module->result->stats});
  if (!rows.empty()) append_bar_chart(out, "unlisted-chart", rows);
  out += "</section>\n";
}

void append_copies(std::string& out, const EstateRecord& estate) {
  const EstateSummary& s = estate.summary;
  out += "<section id=\"copies\">\n<h2>Files with the same content</h2>\n";
  if (s.copies.empty()) {
    out += "<p>No two module files hold the same bytes.</p>\n</section>\n";
    return;
  }
  out += "<p>Copies add ";
  append_grouped(out, s.totals[kTotalLines] - s.distinct_content_totals[kTotalLines]);
  out += " lines to the estate totals; each content counted once, the listed files hold ";
  append_grouped(out, s.distinct_content_totals[kTotalLines]);
  out += " lines.</p>\n<ul>\n";
  for (const CopySet& set : s.copies) {
    out += "<li>";
    append_grouped(out, set.counts[kTotalLines]);
    out += " lines in each of ";
    for (std::size_t f = 0; f < set.files.size(); ++f) {
      if (f > 0) out += ", ";
      append_html_text(out, set.files[f]);
    }
    out += "</li>\n";
  }
  out += "</ul>\n</section>\n";
}

void append_listing_failure(std::string& out, std::string_view path, std::string_view failure) {
  out += "<li>";
  append_html_text(out, path);
  out += ": ";
  out += failure;
  out += "</li>\n";
}

void append_not_read(std::string& out, const RunModel& model) {
  if (model.not_read.empty()) return;
  out += "<section id=\"not-read\">\n<h2>Projects and groups not read</h2>\n<ul>\n";
  for (const NotRead& listing : model.not_read)
    append_listing_failure(out, listing.path, listing.failure);
  out += "</ul>\n</section>\n";
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
  if (model.estate->ended) append_copies(out, *model.estate);
  append_not_read(out, model);
}

}  // namespace codetal::html
