#include "report/json_report.h"

#include "analysis/statement_kinds.h"
#include "report/export_text.h"

namespace codetal {
namespace {

constexpr std::string_view kSectionKeys[] = {"groups", "projects", "sets", "modules"};

}  // namespace

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

JsonReport::JsonReport(Platform& platform, Console& console, RunFacts facts)
    : file_(platform, console, kJsonFileName), facts_(std::move(facts)) {}

void JsonReport::indent(int width) {
  out().append(static_cast<std::size_t>(width), ' ');
}

// Starts the next item of the innermost open list (a top-level list when
// none is open below it).
void JsonReport::begin_item() {
  bool first = open_lists_.empty() ? out().empty() : open_lists_.back();
  if (!open_lists_.empty()) open_lists_.back() = false;
  out() += first ? "\n" : ",\n";
  indent(item_indent());
}

void JsonReport::open_container(Section section, std::string_view name_key, std::string_view name,
                                std::string_view list_key) {
  if (open_lists_.empty()) section_ = section;
  begin_item();
  int key_indent = item_indent() + 2;
  out() += "{\n";
  indent(key_indent);
  out() += '"';
  out() += name_key;
  out() += "\": ";
  append_json_string(out(), name);
  out() += ",\n";
  indent(key_indent);
  out() += '"';
  out() += list_key;
  out() += "\": [";
  open_lists_.push_back(true);
}

// A container that a stopped run leaves open gets no totals.
void JsonReport::close_container(const ModuleStats* totals) {
  bool empty = open_lists_.back();
  open_lists_.pop_back();
  int key_indent = item_indent() + 2;
  if (!empty) {
    out() += '\n';
    indent(key_indent);
  }
  out() += ']';
  if (totals != nullptr) {
    out() += ",\n";
    indent(key_indent);
    out() += "\"totals\": ";
    append_json_counts(out(), *totals);
  }
  out() += '\n';
  indent(item_indent());
  out() += '}';
}

void JsonReport::group_started(std::string_view group) {
  open_container(kGroups, "name", group, "projects");
}

void JsonReport::project_started(std::string_view project) {
  open_container(kProjects, "name", project, "modules");
}

void JsonReport::wildcard_set_started(std::string_view pattern) {
  open_container(kSets, "pattern", pattern, "modules");
}

void JsonReport::single_module_started(std::string_view) {
  if (open_lists_.empty()) section_ = kModules;
}

void JsonReport::module_counted(std::string_view module, const ModuleStats& stats) {
  begin_item();
  out() += "{\"name\": ";
  append_json_string(out(), module);
  out() += ", \"counts\": ";
  append_json_counts(out(), stats);
  out() += '}';
}

void JsonReport::module_failed(std::string_view module, ModuleFailure why) {
  begin_item();
  out() += "{\"name\": ";
  append_json_string(out(), module);
  out() += ", \"failed\": ";
  append_json_string(out(), failure_reason(why));
  out() += '}';
}

void JsonReport::project_ended(std::string_view, const ModuleStats& totals) {
  close_container(&totals);
}

void JsonReport::group_ended(std::string_view, const ModuleStats& totals) {
  close_container(&totals);
}

void JsonReport::wildcard_set_ended(std::string_view, const ModuleStats& totals) {
  close_container(&totals);
}

void JsonReport::run_ended(int exit_status) {
  // A wildcard set stopped by a failed module leaves its container open
  // though the run goes on to its end: closed here, without totals.
  const bool whole = open_lists_.empty();
  while (!open_lists_.empty()) close_container(nullptr);
  write_document(whole, exit_status);
}

void JsonReport::run_stopped() {
  while (!open_lists_.empty()) close_container(nullptr);
  write_document(false, kFailedRunStatus);
}

void JsonReport::write_options() {
  const ReportOptions& options = facts_.options;
  std::string& text = file_.text();
  text += "  \"options\": {\"report_form\": ";
  text += options.table_form() ? "\"table\"" : "\"list\"";
  text += ", \"blank_lines_line\": ";
  text += options.blank_lines != 0 ? "true" : "false";
  text += ", \"count_form_headers\": ";
  text += options.count_form_headers == 1 ? "true" : "false";
  text += ", \"viewer\": ";
  text += options.shell_to == 1   ? "\"NotePad.exe\""
          : options.shell_to == 2 ? "\"WinWord.exe\""
                                  : "null";
  text += ", \"list_lines\": {";
  for (std::size_t i = 0; i < kStatementKindCount; ++i) {
    if (i > 0) text += ", ";
    text += '"';
    text += kStatementKinds[i].field_name;
    text += "\": ";
    text += options.shown_kinds[i] != 0 ? "true" : "false";
  }
  text += "}},\n";
}

void JsonReport::write_document(bool completed, int exit_status) {
  std::string& text = file_.text();
  text += "{\n  \"tool\": \"Codetal\",\n  \"version\": ";
  append_json_string(text, facts_.version);
  text += ",\n  \"started\": ";
  append_json_string(text, iso_local_time(facts_.started));
  text += ",\n  \"input\": ";
  append_json_string(text, facts_.input);
  text += ",\n";
  write_options();
  for (int section = 0; section < kSectionCount; ++section) {
    text += "  \"";
    text += kSectionKeys[section];
    text += "\": [";
    if (!sections_[section].empty()) {
      text += sections_[section];
      text += "\n  ";
    }
    text += "],\n";
    sections_[section].clear();
  }
  text += "  \"completed\": ";
  text += completed ? "true" : "false";
  text += ",\n  \"exit_status\": ";
  append_number(text, exit_status);
  text += "\n}\n";
  file_.finish();
}

}  // namespace codetal
