// The exports beyond their bytes (which the data cases compare): the sizes
// the README gives, and that /assess adds its facts to the exports alone.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

#include "cases.h"

namespace codetal::test {
namespace {

using json = nlohmann::ordered_json;

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

}  // namespace
}  // namespace codetal::test
