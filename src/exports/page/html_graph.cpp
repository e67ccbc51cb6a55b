#include "exports/page/html_graph.h"

#include <algorithm>
#include <array>

#include "exports/export_text.h"
#include "exports/page/html_parts.h"

namespace codetal::html {
namespace {

constexpr std::int64_t kColumnWidth = 260;
constexpr std::int64_t kNodeHeight = 18;
constexpr std::int64_t kNodeGap = 6;
constexpr std::int64_t kWidestNode = 200;
constexpr std::int64_t kNarrowestNode = 24;

struct Place {
  std::int64_t x, y, width;
};

// Each unit's box: its wave's column, its rank in that wave, a width that
// grows with the lines it holds.
std::vector<Place> places_of(const DependencyGraph& graph) {
  std::int64_t largest = 1;
  for (const GraphUnit& unit : graph.units) largest = std::max(largest, unit.lines);
  std::vector<std::int64_t> filled(static_cast<std::size_t>(graph.waves) + 1, 0);
  std::vector<Place> places;
  for (const GraphUnit& unit : graph.units) {
    std::int64_t& row = filled[static_cast<std::size_t>(unit.wave)];
    const std::int64_t width =
        kNarrowestNode + (kWidestNode - kNarrowestNode) * unit.lines / largest;
    places.push_back(
        {8 + (unit.wave - 1) * kColumnWidth, 28 + row * (kNodeHeight + kNodeGap), width});
    ++row;
  }
  return places;
}

void append_attribute(std::string& out, std::string_view name, std::int64_t value) {
  out += ' ';
  out += name;
  out += "=\"";
  append_number(out, value);
  out += '"';
}

void append_drawing(std::string& out, const DependencyGraph& graph, const RunModel& model) {
  const std::vector<Place> places = places_of(graph);
  std::int64_t height = 40;
  for (const Place& p : places) height = std::max(height, p.y + kNodeHeight + 8);
  out += "<div class=\"scroll\">\n<svg id=\"graph-chart\"";
  append_attribute(out, "width", graph.waves * kColumnWidth + 16);
  append_attribute(out, "height", height);
  out += " role=\"img\">\n";
  for (std::int32_t wave = 1; wave <= graph.waves; ++wave) {
    out += "<text class=\"wave\"";
    append_attribute(out, "x", 8 + (wave - 1) * kColumnWidth);
    out += " y=\"16\">Wave ";
    append_number(out, wave);
    out += "</text>\n";
  }
  for (std::size_t i = 0; i < graph.units.size(); ++i) {
    for (std::size_t to : graph.units[i].depends_on) {
      out += "<line class=\"edge\"";
      append_attribute(out, "data-from", static_cast<std::int64_t>(i));
      append_attribute(out, "data-to", static_cast<std::int64_t>(to));
      append_attribute(out, "x1", places[i].x);
      append_attribute(out, "y1", places[i].y + kNodeHeight / 2);
      append_attribute(out, "x2", places[to].x + places[to].width);
      append_attribute(out, "y2", places[to].y + kNodeHeight / 2);
      out += "/>\n";
    }
  }
  for (std::size_t i = 0; i < graph.units.size(); ++i) {
    const GraphUnit& unit = graph.units[i];
    out += unit.in_cycle ? "<g class=\"node cycle\"" : "<g class=\"node\"";
    append_attribute(out, "data-unit", static_cast<std::int64_t>(i));
    out += "><title>";
    append_html_text(out, unit.file);
    out += ": wave ";
    append_number(out, unit.wave);
    out += ", ";
    append_grouped(out, unit.lines);
    out += " lines</title><rect";
    append_attribute(out, "x", places[i].x);
    append_attribute(out, "y", places[i].y);
    append_attribute(out, "width", places[i].width);
    append_attribute(out, "height", kNodeHeight);
    out += "/><text";
    append_attribute(out, "x", places[i].x + 4);
    append_attribute(out, "y", places[i].y + 13);
    out += '>';
    append_short_name(out, shown_path(unit.file, model.label_root));
    out += "</text></g>\n";
  }
  out += "</svg>\n</div>\n";
}

}  // namespace

const char* const kGraphScript =
    "(function () {\n"
    "  var nodes = document.querySelectorAll(\"#graph-chart .node\");\n"
    "  var edges = document.querySelectorAll(\"#graph-chart .edge\");\n"
    "  function mark(unit, on) {\n"
    "    edges.forEach(function (edge) {\n"
    "      var mine = edge.getAttribute(\"data-from\") === unit ||\n"
    "                 edge.getAttribute(\"data-to\") === unit;\n"
    "      if (mine) edge.classList.toggle(\"on\", on);\n"
    "    });\n"
    "  }\n"
    "  nodes.forEach(function (node) {\n"
    "    var unit = node.getAttribute(\"data-unit\");\n"
    "    node.addEventListener(\"mouseenter\", function () { mark(unit, true); });\n"
    "    node.addEventListener(\"mouseleave\", function () { mark(unit, false); });\n"
    "  });\n"
    "})();\n";

void append_graph_section(std::string& out, const RunModel& model) {
  const DependencyGraph& graph = *model.graph;
  out += "<section id=\"order\">\n<h2>In which order</h2>\n<p class=\"legend\">";
  append_grouped(out, static_cast<std::int64_t>(graph.units.size()));
  out += " files that the run's projects build, in ";
  append_grouped(out, graph.waves);
  out +=
      " waves: a file depends on files of the waves before its own, and files that "
      "depend on each other in a circle (in red) share one. Point at a file to see its "
      "dependencies.</p>\n";
  if (!graph.units.empty()) append_drawing(out, graph, model);
  append_table(out, "unit-table", "The files the projects build",
               {"File", "Wave", "Projects", "Lines", "Depends on", "Used by"}, graph.units,
               [](const GraphUnit& unit) {
                 return std::array<Cell, 6>{
                     text(unit.file),
                     figure(unit.wave),
                     figure(static_cast<std::int64_t>(unit.projects.size())),
                     figure(unit.lines),
                     figure(static_cast<std::int64_t>(unit.depends_on.size())),
                     figure(unit.used_by)};
               });
  out += "</section>\n";
}

}  // namespace codetal::html
