// Names are whatever bytes a listing holds: each export must hand them back
// unchanged to a reader of its format: a CSV reader written here to RFC
// 4180, a JSON parser and an XML parser from elsewhere.
#include <libxml/parser.h>

#include <algorithm>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <vector>

#include "compare/compare_outputs.h"
#include "compare/snapshot.h"
#include "exports/csv_report.h"
#include "exports/exports.h"
#include "exports/json_report.h"
#include "exports/page/html_page.h"
#include "fake_platform.h"
#include "invariants.h"
#include "platform/memory_input.h"

namespace codetal::fuzz {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// RFC 4180 with CR LF line ends; nullopt when the text breaks its rules.
std::optional<Rows> parse_csv(std::string_view t) {
  Rows rows(1);
  std::string field;
  for (std::size_t i = 0; i < t.size();) {
    if (t[i] == '"') {
      for (++i;; ++i) {
        if (i >= t.size()) return std::nullopt;
        if (t[i] == '"' && (i + 1 >= t.size() || t[i + 1] != '"')) break;
        field += t[i];
        i += t[i] == '"';
      }
      ++i;
    } else {
      for (; i < t.size() && t[i] != ',' && t[i] != '\r'; ++i) {
        if (t[i] == '"' || t[i] == '\n') return std::nullopt;
        field += t[i];
      }
    }
    rows.back().push_back(std::move(field));
    field.clear();
    if (i < t.size() && t[i] == ',' && ++i) continue;
    if (t.substr(i, 2) != "\r\n") return std::nullopt;
    i += 2;
    if (i < t.size()) rows.emplace_back();
  }
  return rows;
}

// Well-formed UTF-8 (no overlong forms, no surrogates, nothing above
// U+10FFFF), as the JSON library decides it.
bool valid_utf8(std::string_view s) {
  try {
    return !nlohmann::json(s).dump().empty();
  } catch (const nlohmann::json::type_error&) {
    return false;
  }
}

// The values of every "name" key, wherever it stands.
void collect_names(const nlohmann::json& value, std::vector<std::string>& names) {
  for (auto item = value.begin(); value.is_structured() && item != value.end(); ++item) {
    if (value.is_object() && item.key() == "name" && item->is_string()) names.push_back(*item);
    collect_names(*item, names);
  }
}

std::string check_csv(const std::string& csv, const std::string (&names)[3]) {
  const auto& [group, project, module] = names;
  std::optional<Rows> rows = parse_csv(csv);
  // A unit row follows when the facts were assessed.
  if (!rows || rows->size() < 5 || rows->size() > 6) return "CSV: not five or six rows of RFC 4180";
  const std::vector<std::vector<std::string>> expected = {{"module", group, project, "", module},
                                                          {"failed", group, project, "", module},
                                                          {"project", group, project, "", ""},
                                                          {"group", group, "", "", ""}};
  for (std::size_t r = 0; r < expected.size(); ++r) {
    const std::vector<std::string>& row = (*rows)[r + 1];
    if (row.size() != (*rows)[0].size()) return "CSV: a row's fields differ from the heading's";
    if (!std::equal(expected[r].begin(), expected[r].end(), row.begin()))
      return "CSV: a name did not read back as written, row " + std::to_string(r + 1);
  }
  return {};
}

std::string check_json(const std::string& json, const std::string (&names)[3]) {
  // The parser refuses ill-formed UTF-8 as well as broken syntax.
  const nlohmann::json document = nlohmann::json::parse(json, nullptr, false);
  if (document.is_discarded()) return "JSON: not one document of UTF-8";
  std::vector<std::string> found;
  collect_names(document, found);
  // A name of UTF-8 reads back as it was; any other is decoded, which the
  // parse above has shown to be UTF-8.
  for (const std::string& name : names) {
    if (valid_utf8(name) && std::find(found.begin(), found.end(), name) == found.end())
      return "JSON: a name did not read back as its text";
  }
  return {};
}

std::string check_html(const std::string& html) {
  std::unique_ptr<xmlDoc, void (*)(xmlDoc*)> page(
      xmlReadMemory(html.data(), static_cast<int>(html.size()), "page.html", "UTF-8",
                    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
      xmlFreeDoc);
  return page ? std::string() : "HTML: not well-formed UTF-8 XML";
}

}  // namespace

std::string check_exports_bytes(std::string_view bytes) {
  // The first two bytes cut the rest into a group, a project and a module.
  const std::string_view rest = bytes.substr(std::min<std::size_t>(bytes.size(), 2));
  const std::size_t first =
      bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]) % (rest.size() + 1);
  const std::size_t second =
      bytes.size() < 2 ? 0 : static_cast<unsigned char>(bytes[1]) % (rest.size() - first + 1);
  const std::string names[3] = {std::string(rest.substr(0, first)),
                                std::string(rest.substr(first, second)),
                                std::string(rest.substr(first + second))};
  ModuleStats stats;
  for (int i = 0; i < kCounterCount; ++i) stats.counts[i] = 7 * i + 1;
  // An input of odd length is assessed: the names stand in every fact too.
  const bool assess = bytes.size() % 2 == 1;
  std::optional<ModuleFacts> facts;
  if (assess) {
    facts.emplace();
    facts->controls[names[1]] = 2;
    facts->components.push_back({names[0], names[1], names[2], names[2], ""});
    facts->declares.push_back({names[2], names[0]});
    facts->procedures.push_back({ProcedureKind::kPropertySet, names[2], 3, {4, 3, 1, 0}, 5});
  }
  test::FakePlatform platform;
  {
    Console console(platform);
    RunModelBuilder model(RunFacts{"1.0", platform.now, names[0], ReportOptions{}, assess});
    model.group_started(names[0]);
    model.project_started(names[1]);
    if (assess)
      model.project_assessed(names[1],
                             ProjectFacts{names[2],
                                          names[0],
                                          names[1],
                                          {{false, names[0], "1.0", "0", names[1], names[2]},
                                           {true, "", "", "", names[0], ""}},
                                          {{names[1], "2.0", "0", names[0], ""}}});
    model.module_started(names[2], std::nullopt);
    model.module_counted(names[2], ModuleResult{stats, std::nullopt, facts});
    model.module_failed(names[2], ModuleFailure::kCannotOpen, Next::kGoOn);
    model.project_ended(names[1], stats);
    model.group_ended(names[0], stats);
    model.run_ended();
    Exports(platform, console, ExportChoice{true, true, true}).write(model.model(), [] {
      return 0;
    });
  }
  for (std::string failure : {check_csv(platform.written[kCsvFileName], names),
                              check_json(platform.written[kJsonFileName], names),
                              check_html(platform.written[kHtmlFileName])}) {
    if (!failure.empty()) return failure;
  }
  return {};
}

// A run compared with itself: nothing moved, added, removed or changed, and
// the comparison's files read back.
std::string check_compare_bytes(std::string_view bytes) {
  MemoryInput input(bytes);
  std::string why;
  const std::optional<Snapshot> run = read_snapshot(input, "run.json", why);
  if (!run) return why.empty() ? "comparison: a refusal without a reason" : "";
  const Comparison c = compare_runs(*run, *run);
  if (c.files_by_state[0] + c.files_by_state[5] != static_cast<std::int64_t>(run->files.size()))
    return "comparison: a file of a run changed against itself";
  if (std::any_of(c.total_change.begin(), c.total_change.end(), [](auto n) { return n != 0; }) ||
      c.procedures_added + c.procedures_removed + c.procedures_changed != 0)
    return "comparison: a run's figures changed against itself";
  test::FakePlatform platform;
  {
    Console console(platform);
    for (const auto& [name, write] : {std::pair{kCompareJsonName, &write_compare_json},
                                      {kComparePageName, &write_compare_page}}) {
      WrittenFile file(platform, console, name, WrittenFile::Form::kBytes);
      write(file, c);
    }
  }
  if (nlohmann::json::parse(platform.written[kCompareJsonName], nullptr, false).is_discarded())
    return "comparison: its JSON is not one document of UTF-8";
  return check_html(platform.written[kComparePageName]);
}

}  // namespace codetal::fuzz
