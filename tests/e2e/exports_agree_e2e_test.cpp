// The three exports of one run read back and held against each other,
// figure by figure: every CSV row against the JSON object of the same
// module or total, and every row of the page's project table (and its
// footer, the run at a glance) against the JSON's lists and totals. Each
// writer renders the one model of the run; none may add up on its own.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <regex>
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

// A row's 21 counts as the JSON spells them.
json counts_of(const Row& heading, const Row& row) {
  json counts = json::object();
  const auto first = std::find(heading.begin(), heading.end(), "path") + 1;
  for (auto i = static_cast<std::size_t>(first - heading.begin()); i + 1 < heading.size(); ++i)
    counts[heading[i]] = std::stoi(row.at(i));
  return counts;
}

// The page's table rows: the name (its title), then every figure but the
// comment share, in column order.
std::vector<std::pair<std::string, std::vector<int>>> page_rows(const std::string& page) {
  static const std::regex row(R"re(<tr><td(?: title="([^"]*)")?>[^<]*</td>(.*?)</tr>)re");
  static const std::regex cell(R"(<td class="n">(-?\d+)</td>)");
  std::vector<std::pair<std::string, std::vector<int>>> rows;
  for (std::sregex_iterator r(page.begin(), page.end(), row), end; r != end; ++r) {
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

// The JSON's module lists in run order, each with its group's name.
struct Listed {
  std::string group;
  const json* list;
};

std::vector<Listed> lists_of(const json& doc) {
  std::vector<Listed> lists;
  for (const json& g : doc["groups"])
    for (const json& p : g["projects"]) lists.push_back({g["name"], &p});
  for (const char* top : {"projects", "sets"})
    for (const json& l : doc[top]) lists.push_back({"", &l});
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
  auto module_rows = [&](const json& modules) {
    for (const json& m : modules)
      expected.push_back(m.contains("counts") ? json{"module", m["counts"]} : json{"failed", {}});
  };
  for (const json& g : doc["groups"]) {
    for (const json& p : g["projects"]) {
      module_rows(p["modules"]);
      if (p.contains("totals")) expected.push_back({"project", p["totals"]});
    }
    if (g.contains("totals")) expected.push_back({"group", g["totals"]});
  }
  for (const char* top : {"projects", "sets"}) {
    for (const json& l : doc[top]) {
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
  }
  ASSERT_EQ(csv.size(), expected.size() + 1);
  for (std::size_t r = 1; r < csv.size(); ++r) {
    EXPECT_EQ(csv[r][0], expected[r - 1][0]) << "CSV row " << r;
    if (csv[r][0] != "failed") {
      EXPECT_EQ(counts_of(csv[0], csv[r]), expected[r - 1][1]) << r;
    }
  }

  // The page's table: one row per JSON list, then the run as a whole.
  const std::vector<Listed> lists = lists_of(doc);
  ASSERT_EQ(page.size(), lists.size() + 1);
  json whole = doc.contains("estate") ? doc["estate"]["totals"] : json::object();
  int whole_modules = doc.contains("estate") ? doc["estate"]["listed_modules"].get<int>() : 0;
  for (std::size_t i = 0; i < lists.size(); ++i) {
    const json& list = *lists[i].list;
    EXPECT_EQ(page[i].first, list.contains("name") ? list["name"] : list["pattern"]);
    EXPECT_EQ(page[i].second, page_figures(counted(list), list["totals"])) << page[i].first;
  }
  if (!doc.contains("estate")) {
    const json& top = doc["groups"].empty() ? *lists.front().list : doc["groups"][0];
    whole = top["totals"];
    for (const Listed& l : lists) whole_modules += counted(*l.list);
  }
  EXPECT_EQ(page.back().second, page_figures(whole_modules, whole)) << "the footer";
}

// The README's sizes of the example's exports are those a run writes now.
TEST(ExportsOfTheExample, AreTheSizesTheReadmeGives) {
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

INSTANTIATE_TEST_SUITE_P(Runs, ExportsAgree,
                         ::testing::Values("exports-example-group", "estate-tree",
                                           "exports-wildcard-set"),
                         [](const auto& param) {
                           std::string name = param.param;
                           for (char& ch : name) ch = ch == '-' ? '_' : ch;
                           return name;
                         });

}  // namespace
}  // namespace codetal::test
