#include "exports/json_report.h"

#include "analysis/statement_kinds.h"
#include "exports/export_text.h"
#include "exports/json_assessment.h"

namespace codetal {

void append_json_counts(std::string& out, const ModuleStats& stats) {
  out += '{';
  for (int counter = 0; counter < kCounterCount; ++counter) {
    if (counter > 0) out += ", ";
    out += '"';
    out += counter_name(counter);
    out += "\": ";
    append_number(out, stats[static_cast<Counter>(counter)]);
  }
  out += '}';
}

namespace {

class JsonWriter {
 public:
  explicit JsonWriter(WrittenFile& file) : file_(file), out_(file.text()) {}

  void document(const RunModel& model, int exit_status) {
    assess_ = model.facts.assess;
    out_ += "{\n  \"tool\": \"Codetal\",\n  \"format\": ";
    append_number(out_, kJsonFormat);
    out_ += ",\n  \"version\": ";
    append_json_string(out_, model.facts.version);
    out_ += ",\n  \"started\": ";
    append_json_string(out_, iso_local_time(model.facts.started));
    out_ += ",\n  \"input\": ";
    append_json_string(out_, model.facts.input);
    out_ += ",\n";
    options(model.facts.options);
    top_list("groups", model.groups, [&](const GroupRecord& g) { group(g); });
    top_list("projects", model.projects, [&](const ModuleList& p) { list(p, "name", 4); });
    top_list("sets", model.sets, [&](const ModuleList& s) { list(s, "pattern", 4); });
    top_list("modules", model.single.modules, [&](const ModuleRecord& m) { module(m); });
    if (model.estate) estate(*model.estate, model);
    if (model.inventory) append_json_inventory(out_, *model.inventory);
    if (model.graph) append_json_dependencies(out_, *model.graph);
    out_ += "  \"completed\": ";
    out_ += model.completed ? "true" : "false";
    out_ += ",\n  \"exit_status\": ";
    append_number(out_, exit_status);
    out_ += "\n}\n";
  }

 private:
  void indent(int width) { out_.append(static_cast<std::size_t>(width), ' '); }

  // The items of a list whose items stand at `item_indent`, each on a line
  // of its own; the list's closing bracket follows two places back.
  template <typename Items, typename Item>
  void items(const Items& all, int item_indent, Item item) {
    bool first = true;
    for (const auto& one : all) {
      out_ += first ? "\n" : ",\n";
      first = false;
      indent(item_indent);
      item(one);
      file_.flush_when_large();
    }
    if (!first) {
      out_ += '\n';
      indent(item_indent - 2);
    }
  }

  template <typename Items, typename Item>
  void top_list(std::string_view key, const Items& all, Item item) {
    out_ += "  \"";
    out_ += key;
    out_ += "\": [";
    items(all, 4, item);
    out_ += "],\n";
  }

  void module(const ModuleRecord& m) {
    out_ += "{\"name\": ";
    append_json_string(out_, m.name);
    out_ += ", \"path\": ";
    append_json_string(out_, m.path);
    if (m.result) {
      out_ += ", \"counts\": ";
      append_json_counts(out_, m.result->stats);
      if (m.result->content) {
        out_ += ", \"content\": ";
        append_json_string(out_, content_hex(*m.result->content));
      }
      if (m.result->facts) append_json_module_facts(out_, *m.result->facts);
    } else {
      out_ += ", \"failed\": ";
      append_json_string(out_, failure_reason(m.failure));
    }
    out_ += '}';
  }

  // `{"name": ..., "LIST": [...], "totals": ...}` at `at`, keys two deeper.
  // A set has a pattern and no path.
  template <typename Items, typename Item>
  void container(int at, std::string_view name_key, std::string_view name, const std::string* path,
                 std::string_view failure, const ProjectFacts* facts, std::string_view list_key,
                 const Items& all, Item item, const ModuleStats* totals, const RiskCounts& risks) {
    out_ += "{\n";
    indent(at + 2);
    out_ += '"';
    out_ += name_key;
    out_ += "\": ";
    append_json_string(out_, name);
    out_ += ",\n";
    if (path != nullptr) {
      indent(at + 2);
      out_ += "\"path\": ";
      append_json_string(out_, *path);
      out_ += ",\n";
    }
    if (!failure.empty()) {
      indent(at + 2);
      out_ += "\"failed\": ";
      append_json_string(out_, failure);
      out_ += ",\n";
    }
    if (facts != nullptr) append_json_project_facts(out_, *facts, at + 2);
    indent(at + 2);
    out_ += '"';
    out_ += list_key;
    out_ += "\": [";
    items(all, at + 4, item);
    out_ += ']';
    if (totals != nullptr) {
      out_ += ",\n";
      indent(at + 2);
      out_ += "\"totals\": ";
      append_json_counts(out_, *totals);
    }
    if (assess_) {
      out_ += ",\n";
      indent(at + 2);
      out_ += "\"risk_totals\": ";
      append_json_risks(out_, risks);
    }
    out_ += '\n';
    indent(at);
    out_ += '}';
  }

  void list(const ModuleList& l, std::string_view name_key, int at) {
    container(
        at, name_key, l.name, name_key == "name" ? &l.path : nullptr, l.failure,
        l.facts ? &*l.facts : nullptr, "modules", l.modules,
        [&](const ModuleRecord& m) { module(m); }, l.ended ? &l.totals : nullptr, l.risk_totals);
  }

  void group(const GroupRecord& g) {
    container(
        4, "name", g.name, &g.path, g.failure, nullptr, "projects", g.projects,
        [&](const ModuleList& p) { list(p, "name", 8); }, g.ended ? &g.totals : nullptr,
        g.risk_totals);
  }

  void key(std::string_view name) {
    out_ += ",\n    \"";
    out_ += name;
    out_ += "\": ";
  }

  void estate(const EstateRecord& e, const RunModel& model) {
    out_ += "  \"estate\": {\n    \"folder\": ";
    append_json_string(out_, e.folder);
    key("path");
    append_json_string(out_, e.path);
    key("left_out");
    out_ += '[';
    for (std::size_t i = 0; i < e.left_out.size(); ++i) {
      if (i > 0) out_ += ", ";
      append_json_string(out_, e.left_out[i]);
    }
    out_ += ']';
    key("not_counted");
    out_ += '[';
    for (std::size_t i = 0; i < e.not_counted.size(); ++i) {
      out_ += i > 0 ? ", " : "";
      out_ += "{\"path\": ";
      append_json_string(out_, e.not_counted[i]);
      out_ += ", \"reason\": ";
      append_json_string(out_, kNotCountedReason);
      out_ += '}';
    }
    out_ += ']';
    if (e.ended) estate_summary(e, model);
    if (assess_) {
      key("risk_totals");
      append_json_risks(out_, model.risk_totals);
    }
    if (e.unlisted.ended) {
      key("unlisted_totals");
      append_json_counts(out_, e.unlisted.totals);
    }
    key("unlisted");
    out_ += '[';
    items(e.unlisted.modules, 6, [&](const ModuleRecord& m) { module(m); });
    out_ += "]\n  },\n";
  }

  void estate_summary(const EstateRecord& e, const RunModel& model) {
    const EstateSummary& s = e.summary;
    int failed_projects = 0, failed_groups = 0;
    for (const NotRead& listing : model.not_read)
      ++(listing.kind == ListingKind::kGroup ? failed_groups : failed_projects);
    key("totals");
    append_json_counts(out_, s.totals);
    key("distinct_content_totals");
    append_json_counts(out_, s.distinct_content_totals);
    for (const auto& [name, count] :
         {std::pair{"groups", s.groups},
          {"projects", s.projects},
          {"listed_modules", s.listed_modules},
          {"unlisted_modules", s.unlisted_modules},
          {"failed_modules", static_cast<int>(model.failed_files.size())},
          {"failed_projects", failed_projects},
          {"failed_groups", failed_groups}}) {
      key(name);
      append_number(out_, count);
    }
    key("copies");
    out_ += '[';
    items(s.copies, 6, [&](const CopySet& set) {
      out_ += "{\"files\": [";
      for (std::size_t i = 0; i < set.files.size(); ++i) {
        if (i > 0) out_ += ", ";
        append_json_string(out_, set.files[i]);
      }
      out_ += "], \"counts\": ";
      append_json_counts(out_, set.counts);
      out_ += '}';
    });
    out_ += ']';
  }

  void options(const ReportOptions& options) {
    out_ += "  \"options\": {\"report_form\": ";
    out_ += options.table_form() ? "\"table\"" : "\"list\"";
    out_ += ", \"blank_lines_line\": ";
    out_ += options.blank_lines != 0 ? "true" : "false";
    out_ += ", \"count_form_headers\": ";
    out_ += options.count_form_headers == 1 ? "true" : "false";
    out_ += ", \"viewer\": ";
    out_ += options.shell_to == 1   ? "\"NotePad.exe\""
            : options.shell_to == 2 ? "\"WinWord.exe\""
                                    : "null";
    out_ += ", \"list_lines\": {";
    for (std::size_t i = 0; i < kStatementKindCount; ++i) {
      if (i > 0) out_ += ", ";
      out_ += '"';
      out_ += kStatementKinds[i].field_name;
      out_ += "\": ";
      out_ += options.shown_kinds[i] != 0 ? "true" : "false";
    }
    out_ += "}},\n";
  }

  WrittenFile& file_;
  std::string& out_;
  bool assess_ = false;
};

}  // namespace

void write_json(WrittenFile& file, const RunModel& model, int exit_status) {
  if (!file.open()) return;
  JsonWriter(file).document(model, exit_status);
  file.close();
}

}  // namespace codetal
