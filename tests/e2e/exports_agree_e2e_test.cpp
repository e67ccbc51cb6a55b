// The three exports of one run read back and held against each other,
// figure by figure: every CSV row against the JSON object of the same
// module or total, and every row of the page's project table (and its
// footer, the run at a glance) against the JSON's lists and totals. Each
// writer renders the one model of the run; none may add up on its own.
#include <gtest/gtest.h>

#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>
#include <sstream>

#include "cases.h"

namespace codetal::test {
namespace {

using json = nlohmann::ordered_json;
using Row = std::vector<std::string>;

// The fixtures' names hold no comma or quote, so fields split at commas.
std::vector<Row> csv_rows(const std::string& text) {
  std::vector<Row> rows;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    EXPECT_TRUE(line.ends_with('\r')) << line;
    line.pop_back();
    Row& row = rows.emplace_back();
    std::istringstream fields(line + ",");
    for (std::string field; std::getline(fields, field, ',');) row.push_back(field);
  }
  return rows;
}

// A row's 21 counts (between its path and its reason) as the JSON spells them.
json counts_of(const Row& heading, const Row& row) {
  json counts = json::object();
  const auto first = std::find(heading.begin(), heading.end(), "path") + 1;
  for (auto i = static_cast<std::size_t>(first - heading.begin()); heading[i] != "reason"; ++i)
    counts[heading[i]] = std::stoi(row.at(i));
  return counts;
}

// The page's project table rows: the name (its title), then every figure but the
// comment share, in column order.
std::vector<std::pair<std::string, std::vector<int>>> page_rows(const std::string& page) {
  static const std::regex row(R"re(<tr><td(?: title="([^"]*)")?>[^<]*</td>(.*?)</tr>)re");
  static const std::regex cell(R"(<td class="n">(-?\d+)</td>)");
  std::vector<std::pair<std::string, std::vector<int>>> rows;
  const std::string table = page.substr(page.find("<table id=\"project-table\">"));
  for (std::sregex_iterator r(table.begin(), table.end(), row), end; r != end; ++r) {
    const std::string cells = (*r)[2];
    auto& [name, figures] = rows.emplace_back((*r)[1], std::vector<int>{});
    for (std::sregex_iterator c(cells.begin(), cells.end(), cell); c != end; ++c)
      figures.push_back(std::stoi((*c)[1]));
  }
  return rows;
}

std::vector<int> page_figures(int modules, const json& totals) {
  std::vector<int> figures{modules};
  for (const auto& [name, value] : totals.items()) figures.push_back(value);
  return figures;
}

// The JSON's module lists in run order, as the page shows them: those
// read, and in an estate each project path once.
std::vector<const json*> lists_of(const json& doc) {
  std::vector<const json*> lists;
  std::set<std::string> seen;
  auto add = [&](const json& l) {
    if (l.contains("failed") && !l.contains("totals") && l["modules"].empty()) return;
    if (!doc.contains("estate") || !l.contains("path") || seen.insert(l["path"]).second)
      lists.push_back(&l);
  };
  for (const json& g : doc["groups"])
    for (const json& p : g["projects"]) add(p);
  for (const char* top : {"projects", "sets"})
    for (const json& l : doc[top]) add(l);
  return lists;
}

int counted(const json& list) {
  int n = 0;
  for (const json& m : list["modules"]) n += m.contains("counts");
  return n;
}

class ExportsAgree : public ::testing::TestWithParam<std::string> {};

TEST_P(ExportsAgree, FigureByFigure) {
  TempFolder folder;
  Case c = prepare_case("e2e/" + GetParam(), folder);
  if (!c.skip.empty()) GTEST_SKIP() << c.skip;
  run_codetal(folder, c.args, c.options);
  const json doc = json::parse(read_file(folder / "Codetal.json"));
  const std::vector<Row> csv = csv_rows(read_file(folder / "Codetal.csv"));
  const auto page = page_rows(read_file(folder / "Codetal.html"));

  // The CSV, row by row, against the JSON in the same order.
  std::vector<json> expected;  // per CSV row: its kind and counts, from the JSON
  auto list_rows = [&](const json& l, const char* kind) {
    if (l.contains("failed") && !l.contains("totals") && l["modules"].empty())
      expected.push_back({"failed_" + std::string(kind), {}});
  };
  auto module_rows = [&](const json& modules) {
    for (const json& m : modules)
      expected.push_back(m.contains("counts") ? json{"module", m["counts"]} : json{"failed", {}});
  };
  for (const json& g : doc["groups"]) {
    list_rows(g, "group");
    for (const json& p : g["projects"]) {
      list_rows(p, "project");
      module_rows(p["modules"]);
      if (p.contains("totals")) expected.push_back({"project", p["totals"]});
    }
    if (g.contains("totals")) expected.push_back({"group", g["totals"]});
  }
  for (const char* top : {"projects", "sets"}) {
    for (const json& l : doc[top]) {
      list_rows(l, "project");
      module_rows(l["modules"]);
      if (l.contains("totals"))
        expected.push_back({top == std::string("sets") ? "set" : "project", l["totals"]});
    }
  }
  module_rows(doc["modules"]);
  if (doc.contains("estate")) {
    module_rows(doc["estate"]["unlisted"]);
    expected.push_back({"unlisted", doc["estate"]["unlisted_totals"]});
    expected.push_back({"estate", doc["estate"]["totals"]});
    expected.push_back({"distinct_content", doc["estate"]["distinct_content_totals"]});
  }
  ASSERT_EQ(csv.size(), expected.size() + 1);
  for (std::size_t r = 1; r < csv.size(); ++r) {
    EXPECT_EQ(csv[r][0], expected[r - 1][0]) << "CSV row " << r;
    if (!csv[r][0].starts_with("failed")) {
      EXPECT_EQ(counts_of(csv[0], csv[r]), expected[r - 1][1]) << r;
    }
  }

  // The page's table: one row per JSON list, then the run as a whole.
  const std::vector<const json*> lists = lists_of(doc);
  ASSERT_EQ(page.size(), lists.size() + 1);
  json whole = doc.contains("estate") ? doc["estate"]["totals"] : json::object();
  int whole_modules = doc.contains("estate") ? doc["estate"]["listed_modules"].get<int>() : 0;
  for (std::size_t i = 0; i < lists.size(); ++i) {
    const json& list = *lists[i];
    EXPECT_EQ(page[i].first, list.contains("path") ? list["path"] : list["pattern"]);
    EXPECT_EQ(page[i].second, page_figures(counted(list), list["totals"])) << page[i].first;
  }
  if (!doc.contains("estate")) {
    const json& top = doc["groups"].empty() ? *lists.front() : doc["groups"][0];
    whole = top["totals"];
    for (const json* l : lists) whole_modules += counted(*l);
  }
  EXPECT_EQ(page.back().second, page_figures(whole_modules, whole)) << "the footer";
}

// The README's sizes of the example's exports are those a run writes now.
TEST(ExportsOfTheExample, AreTheSizesTheReadmeGives) {
  if (windows_build()) GTEST_SKIP() << "the README gives the Linux build's sizes";
  TempFolder folder;
  Case c = prepare_case("e2e/exports-example-group", folder);
  run_codetal(folder, c.args, c.options);
  const std::string readme = read_file(data_path("../../README.md"));
  static const std::regex sizes(
      R"(`Codetal\.csv` ([\d,]+) bytes, `Codetal\.json` ([\d,]+) bytes and\s+`Codetal\.html`\s+([\d,]+) bytes)");
  std::smatch found;
  ASSERT_TRUE(std::regex_search(readme, found, sizes));
  const char* files[] = {"Codetal.csv", "Codetal.json", "Codetal.html"};
  for (int i = 0; i < 3; ++i) {
    std::string written = std::to_string(read_file(folder / files[i]).size());
    for (std::size_t at = written.size(); at > 3; at -= 3) written.insert(at - 3, ",");
    EXPECT_EQ(found[i + 1].str(), written) << files[i];
  }
}

// What /assess adds stands in the exports alone: the log, the console and
// every other figure are the run's without it (the facts themselves are
// compared byte for byte by the data cases assess-project and estate-tree).
// The document as it is without /assess: no facts, no inventory.
json without_facts(json doc) {
  doc.erase("inventory");
  doc.erase("started");
  auto strip_list = [](json& l) {
    for (const char* key : {"type", "references", "components"}) l.erase(key);
    for (json& m : l["modules"])
      for (const char* key : {"designer_lines", "controls", "components", "declares", "procedures"})
        m.erase(key);
  };
  for (json& g : doc["groups"])
    for (json& p : g["projects"]) strip_list(p);
  for (const char* top : {"projects", "sets"})
    for (json& l : doc[top]) strip_list(l);
  if (doc.contains("estate")) {
    json unlisted = {{"modules", doc["estate"]["unlisted"]}};
    strip_list(unlisted);
    doc["estate"]["unlisted"] = unlisted["modules"];
  }
  return doc;
}

class Assessment : public ::testing::TestWithParam<std::string> {};

TEST_P(Assessment, AddsItsFactsToTheExportsAlone) {
  TempFolder folder;
  Case c = prepare_case("e2e/" + GetParam(), folder);
  std::vector<std::string> plain_args;
  for (const std::string& a : c.args)
    if (a != "/ASSESS" && a != "/assess") plain_args.push_back(a);
  const RunResult plain = run_codetal(folder, plain_args, c.options);
  const json plain_doc = json::parse(read_file(folder / "Codetal.json"));
  const std::string plain_csv = read_file(folder / "Codetal.csv");
  plain_args.push_back("/assess");
  const RunResult assessed = run_codetal(folder, plain_args, c.options);
  const json doc = json::parse(read_file(folder / "Codetal.json"));
  const std::string csv = read_file(folder / "Codetal.csv");

  EXPECT_EQ(assessed.out, plain.out);
  EXPECT_EQ(masked(assessed.report), masked(plain.report));
  EXPECT_EQ(without_facts(doc), without_facts(plain_doc));
  std::istringstream with_lines(csv), plain_lines(plain_csv);
  for (std::string line, before; std::getline(with_lines, line);) {
    ASSERT_TRUE(std::getline(plain_lines, before));
    for (int i = 0; i < 6; ++i) line.erase(line.rfind(','));
    EXPECT_EQ(line + "\r", before);
  }
  EXPECT_FALSE(doc["inventory"]["controls"].empty());
}

INSTANTIATE_TEST_SUITE_P(Runs, Assessment, ::testing::Values("assess-project", "estate-tree"),
                         case_test_name);
INSTANTIATE_TEST_SUITE_P(Runs, ExportsAgree,
                         ::testing::Values("exports-example-group", "estate-tree",
                                           "exports-wildcard-set"),
                         case_test_name);

}  // namespace
}  // namespace codetal::test
