#include "exports/dot_report.h"

#include "exports/export_text.h"

namespace codetal {
namespace {

// A quoted DOT string of the name as UTF-8.
void append_dot_string(std::string& out, std::string_view name) {
  std::string text;
  append_utf8(text, name);
  out += '"';
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
  }
  out += '"';
}

void append_node(std::string& out, const GraphUnit& unit, std::size_t index) {
  out += "  u";
  append_number(out, static_cast<std::int64_t>(index));
  out += " [label=";
  append_dot_string(out, unit.file);
  out.insert(out.size() - 1, "\\nwave " + std::to_string(unit.wave));
  if (unit.in_cycle) out += ", color=red";
  out += "];\n";
}

}  // namespace

void write_dot(WrittenFile& file, const DependencyGraph& graph) {
  if (!file.open()) return;
  std::string& out = file.text();
  out += "digraph estate {\n  rankdir=LR;\n  node [shape=box];\n";
  for (std::size_t i = 0; i < graph.units.size(); ++i) append_node(out, graph.units[i], i);
  for (std::int32_t wave = 1; wave <= graph.waves; ++wave) {
    out += "  { rank=same;";
    for (std::size_t i = 0; i < graph.units.size(); ++i) {
      if (graph.units[i].wave != wave) continue;
      out += " u";
      append_number(out, static_cast<std::int64_t>(i));
      out += ';';
    }
    out += " }\n";
  }
  for (std::size_t i = 0; i < graph.units.size(); ++i) {
    for (std::size_t to : graph.units[i].depends_on) {
      out += "  u";
      append_number(out, static_cast<std::int64_t>(i));
      out += " -> u";
      append_number(out, static_cast<std::int64_t>(to));
      out += graph.units[i].in_cycle && graph.units[to].in_cycle ? " [color=red];\n" : ";\n";
      file.flush_when_large();
    }
  }
  out += "}\n";
  file.close();
}

}  // namespace codetal
