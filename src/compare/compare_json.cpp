#include "compare/compare_outputs.h"
#include "exports/export_text.h"

namespace codetal {
namespace {

void counts(std::string& out, const CountChange& change) {
  out += '{';
  for (int counter = 0; counter < kCounterCount; ++counter) {
    out += counter > 0 ? ", \"" : "\"";
    out += counter_name(counter);
    out += "\": ";
    append_number(out, change[counter]);
  }
  out += '}';
}

void states(std::string& out, const StateCounts& files) {
  out += '{';
  for (std::size_t s = 0; s < kFileStateCount; ++s) {
    out += s > 0 ? ", \"" : "\"";
    out += kFileStateNames[s];
    out += "\": ";
    append_number(out, files[s]);
  }
  out += '}';
}

void path_or_null(std::string& out, const std::string* path) {
  if (path == nullptr) {
    out += "null";
  } else {
    append_json_string(out, *path);
  }
}

void run(std::string& out, const char* key, const Snapshot& s) {
  out += "  \"";
  out += key;
  out += "\": {\"file\": ";
  append_json_string(out, s.file);
  out += ", \"input\": ";
  append_json_string(out, s.input);
  out += ", \"started\": ";
  append_json_string(out, s.started);
  out += ", \"completed\": ";
  out += s.completed ? "true" : "false";
  out += ", \"assessed\": ";
  out += s.assessed ? "true" : "false";
  out += "},\n";
}

void procedure(std::string& out, const ProcedureChange& p) {
  out += "{\"kind\": ";
  append_json_string(out, p.kind);
  out += ", \"name\": ";
  append_json_string(out, p.name);
  out += ", \"change\": ";
  out += p.old_complexity < 0 ? "\"added\"" : p.new_complexity < 0 ? "\"removed\"" : "\"changed\"";
  for (const auto& [key, value] : {std::pair{", \"old_complexity\": ", p.old_complexity},
                                   {", \"new_complexity\": ", p.new_complexity}}) {
    out += key;
    if (value < 0) {
      out += "null";
    } else {
      append_number(out, value);
    }
  }
  out += '}';
}

void module(std::string& out, const FileChange& f) {
  out += "    {\"state\": \"";
  out += state_name(f.state);
  out += "\", \"old_path\": ";
  path_or_null(out, f.old != nullptr ? &f.old->path : nullptr);
  out += ", \"new_path\": ";
  path_or_null(out, f.now != nullptr ? &f.now->path : nullptr);
  out += ", \"change\": ";
  counts(out, f.change);
  if (f.copy_of != nullptr) {
    out += ", \"copy_of\": ";
    append_json_string(out, f.copy_of->path);
  }
  if (!f.procedures.empty()) {
    out += ", \"procedures\": [";
    for (const ProcedureChange& p : f.procedures) {
      if (&p != f.procedures.data()) out += ", ";
      procedure(out, p);
    }
    out += ']';
  }
  out += '}';
}

void list(std::string& out, const ListChange& l) {
  out += "    {\"state\": \"";
  out += kListStateNames[static_cast<std::size_t>(l.state)];
  out += "\", \"old_path\": ";
  path_or_null(out, l.old != nullptr ? &l.old->path : nullptr);
  out += ", \"new_path\": ";
  path_or_null(out, l.now != nullptr ? &l.now->path : nullptr);
  out += ", \"files\": ";
  states(out, l.files);
  out += ", \"change\": ";
  counts(out, l.change);
  out += '}';
}

template <typename Items, typename Item>
void items(WrittenFile& file, const char* key, const Items& all, Item item) {
  std::string& out = file.text();
  out += "  \"";
  out += key;
  out += "\": [";
  bool first = true;
  for (const auto& one : all) {
    out += first ? "\n" : ",\n";
    first = false;
    item(out, one);
    file.flush_when_large();
  }
  out += first ? "],\n" : "\n  ],\n";
}

void names(std::string& out, const std::vector<const SnapThing*>& things) {
  out += '[';
  for (std::size_t i = 0; i < things.size(); ++i) {
    if (i > 0) out += ", ";
    append_json_string(out, things[i]->name);
  }
  out += ']';
}

void things(std::string& out, const char* key, const ThingChanges& t, bool waves) {
  out += ",\n    \"";
  out += key;
  out += "\": {\"added\": ";
  names(out, t.added);
  out += ", \"removed\": ";
  names(out, t.removed);
  if (waves) {
    out += ", \"waves_changed\": [";
    for (std::size_t i = 0; i < t.rewaved.size(); ++i) {
      out += i > 0 ? ", {\"unit\": " : "{\"unit\": ";
      append_json_string(out, t.rewaved[i].second->name);
      out += ", \"old\": ";
      append_number(out, t.rewaved[i].first->wave);
      out += ", \"new\": ";
      append_number(out, t.rewaved[i].second->wave);
      out += '}';
    }
    out += ']';
  }
  out += '}';
}

void then_and_now(std::string& out, std::int64_t old, std::int64_t now) {
  out += ", \"old\": ";
  append_number(out, old);
  out += ", \"new\": ";
  append_number(out, now);
  out += ", \"change\": ";
  append_number(out, now - old);
  out += '}';
}

void assessment(std::string& out, const Comparison& c) {
  out += "  \"assessment\": ";
  if (!c.both_assessed) {
    out += "null\n";
    return;
  }
  out += "{\n    \"procedures\": {\"added\": ";
  append_number(out, c.procedures_added);
  out += ", \"removed\": ";
  append_number(out, c.procedures_removed);
  out += ", \"changed\": ";
  append_number(out, c.procedures_changed);
  out += "},\n    \"complexity_bands\": [";
  for (std::size_t b = 0; b < kComplexityBandCount; ++b) {
    out += b > 0 ? ", {\"band\": " : "{\"band\": ";
    append_json_string(out, kComplexityBands[b].title);
    then_and_now(out, c.old_bands[b], c.new_bands[b]);
  }
  out += "],\n    \"risks\": [";
  for (std::size_t r = 0; r < kRiskRuleCount; ++r) {
    out += r > 0 ? ", {\"rule\": " : "{\"rule\": ";
    append_json_string(out, kRiskRules[r].id);
    out += ", \"severity\": ";
    append_json_string(out, severity_name(kRiskRules[r].severity));
    then_and_now(out, c.old_risks[r], c.new_risks[r]);
  }
  out += ']';
  things(out, "units", c.units, true);
  things(out, "references", c.references, false);
  things(out, "components", c.components, false);
  out += "\n  }\n";
}

}  // namespace

void write_compare_json(WrittenFile& file, const Comparison& c) {
  if (!file.open()) return;
  std::string& out = file.text();
  out += "{\n  \"tool\": \"Codetal\",\n  \"format\": ";
  append_number(out, kJsonFormat);
  out += ",\n";
  run(out, "old", *c.old);
  run(out, "new", *c.now);
  out += "  \"options_differ\": ";
  out += c.options_differ ? "true" : "false";
  out += ",\n  \"files\": ";
  states(out, c.files_by_state);
  out += ",\n  \"totals\": {\"old\": ";
  counts(out, c.old_totals);
  out += ", \"new\": ";
  counts(out, c.new_totals);
  out += ", \"change\": ";
  counts(out, c.total_change);
  out += "},\n";
  items(file, "modules", c.files, module);
  items(file, "projects", c.projects, list);
  items(file, "groups", c.groups, list);
  assessment(out, c);
  out += "}\n";
  file.close();
}

}  // namespace codetal
