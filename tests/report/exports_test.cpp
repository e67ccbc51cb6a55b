// The export writers driven by events in-process: texts that must survive
// any name, the JSON tree for every kind of input, and the page for one
// project and for hundreds.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "analysis/statement_kinds.h"
#include "fake_platform.h"
#include "page_checks.h"
#include "report/csv_report.h"
#include "report/export_text.h"
#include "report/html_report.h"
#include "report/json_report.h"

namespace codetal {
namespace {

using test::attribute;
using test::text_of;

TEST(ExportText, FieldsAndStringsSurviveAnyName) {
  struct Case {
    std::string name, csv, json, html;
  };
  const Case cases[] = {
      {"plain.bas", "plain.bas", "\"plain.bas\"", "plain.bas"},
      {"a,b.bas", "\"a,b.bas\"", "\"a,b.bas\"", "a,b.bas"},
      {"say \"hi\".bas", "\"say \"\"hi\"\".bas\"", "\"say \\\"hi\\\".bas\"",
       "say &quot;hi&quot;.bas"},
      {"100%s\\x.bas", "100%s\\x.bas", "\"100%s\\\\x.bas\"", "100%s\\x.bas"},
      {"line\nbreak", "\"line\nbreak\"", "\"line\\u000abreak\"",
       "line\xEF\xBF\xBD"
       "break"},
      {"<b>&'", "<b>&'", "\"<b>&'\"", "&lt;b&gt;&amp;&#39;"},
      // Valid UTF-8 stays as it is; anything else is read as Latin-1.
      {"\xC3\xA9t\xC3\xA9", "\xC3\xA9t\xC3\xA9", "\"\xC3\xA9t\xC3\xA9\"", "\xC3\xA9t\xC3\xA9"},
      {"caf\xE9", "caf\xE9", "\"caf\xC3\xA9\"", "caf\xC3\xA9"},
      {"\xC3\xA9\xFF", "\xC3\xA9\xFF", "\"\xC3\x83\xC2\xA9\xC3\xBF\"", "\xC3\x83\xC2\xA9\xC3\xBF"},
      {"\xED\xA0\x80", "\xED\xA0\x80", "\"\xC3\xAD\xC2\xA0\xC2\x80\"",
       "\xC3\xAD\xC2\xA0\xC2\x80"},  // a surrogate is no valid UTF-8
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string csv, json, html;
    append_csv_field(csv, c.name);
    append_json_string(json, c.name);
    append_html_text(html, c.name);
    EXPECT_EQ(csv, c.csv);
    EXPECT_EQ(json, c.json);
    EXPECT_EQ(html, c.html);
  }
  EXPECT_FALSE(is_valid_utf8("\xC0\xAF"));          // overlong
  EXPECT_FALSE(is_valid_utf8("\xF4\x90\x80\x80"));  // above U+10FFFF
  EXPECT_TRUE(is_valid_utf8("\xF0\x9F\x98\x80"));
}

ModuleStats stats_of(int total) {
  ModuleStats stats;
  stats[kTotalLines] = total;
  stats[kCodeLines] = total - total / 4;
  stats[kBlankLines] = total / 4;
  for (const StatementKind& kind : kStatementKinds) stats[kind.counter] = kind.counter;
  return stats;
}

struct Writers : ::testing::Test {
  test::FakePlatform platform;
  Console console{platform};
  RunFacts facts{"1.1a", {2000, 3, 14, 9, 5, 7}, "in.vbg", {}};
};

// Each kind of input lands in its own list; a stopped run closes what it
// left open, without totals.
TEST_F(Writers, JsonTreeForEveryKindOfInput) {
  struct Case {
    const char* what;
    std::function<void(ReportListener&)> events;
    std::function<void(const nlohmann::json&)> check;
  };
  const ModuleStats one = stats_of(8);
  const Case cases[] = {
      {"single module",
       [&](ReportListener& r) {
         r.single_module_started("m.bas");
         r.module_counted("m.bas", one);
         r.run_ended(0);
       },
       [](const nlohmann::json& j) {
         EXPECT_EQ(j["modules"][0]["name"], "m.bas");
         EXPECT_EQ(j["modules"][0]["counts"]["total"], 8);
         EXPECT_EQ(j["modules"][0]["counts"]["consts"], kConsts);
         EXPECT_TRUE(j["completed"]);
       }},
      {"wildcard set",
       [&](ReportListener& r) {
         r.wildcard_set_started("*.bas");
         r.module_counted("a.bas", one);
         r.module_failed("b.bas", ModuleFailure::kNoText);
         r.wildcard_set_ended("*.bas", one);
         r.run_ended(2);
       },
       [](const nlohmann::json& j) {
         EXPECT_EQ(j["sets"][0]["pattern"], "*.bas");
         EXPECT_EQ(j["sets"][0]["modules"][1]["failed"], "holds no text");
         EXPECT_EQ(j["sets"][0]["totals"]["code"], 6);
         EXPECT_EQ(j["exit_status"], 2);
       }},
      {"group stopped in its second project",
       [&](ReportListener& r) {
         r.group_started("g.vbg");
         r.project_started("p.vbp");
         r.project_ended("p.vbp", ModuleStats{});
         r.project_started("q.vbp");
         r.module_failed("x.bas", ModuleFailure::kCannotOpen);
         r.run_stopped();
       },
       [](const nlohmann::json& j) {
         const nlohmann::json& projects = j["groups"][0]["projects"];
         ASSERT_EQ(projects.size(), 2u);
         EXPECT_EQ(projects[0]["modules"].size(), 0u);
         EXPECT_EQ(projects[0]["totals"]["total"], 0);
         EXPECT_EQ(projects[1]["modules"][0]["failed"], "cannot be opened");
         EXPECT_FALSE(projects[1].contains("totals"));
         EXPECT_FALSE(j["groups"][0].contains("totals"));
         EXPECT_FALSE(j["completed"]);
         EXPECT_EQ(j["exit_status"], 2);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    {
      JsonReport json(platform, console, facts);
      c.events(json);
    }
    nlohmann::json document = nlohmann::json::parse(platform.written["Codetal.json"]);
    for (const char* list : {"groups", "projects", "sets", "modules"})
      EXPECT_TRUE(document[list].is_array()) << list;
    EXPECT_EQ(document["started"], "2000-03-14T09:05:07");
    EXPECT_EQ(document["options"]["report_form"], "table");
    c.check(document);
  }
}

TEST_F(Writers, CsvRowsOfAWildcardSetAndALostFile) {
  {
    CsvReport csv(platform, console);
    csv.wildcard_set_started("*.bas");
    // Enough rows to be handed to the file in several writes.
    for (int i = 0; i < 2000; ++i) csv.module_counted("a.bas", stats_of(4));
    csv.wildcard_set_ended("*.bas", stats_of(4));
    csv.run_ended(0);
  }
  const std::string& text = platform.written["Codetal.csv"];
  const std::string module_row = "\r\nmodule,,,*.bas,a.bas,4,3,0,1,4,5,";
  std::size_t rows = 0;
  for (std::size_t at = text.find(module_row); at != std::string::npos;
       at = text.find(module_row, at + 1))
    ++rows;
  EXPECT_EQ(rows, 2000u);
  EXPECT_TRUE(
      text.ends_with("\r\nset,,,*.bas,,4,3,0,1,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,\r\n"));

  platform.fail_create = true;
  CsvReport lost(platform, console);
  lost.run_ended(0);
  EXPECT_TRUE(lost.text_lost());
  EXPECT_NE(platform.out.find("Unable to open Codetal.csv for writing"), std::string::npos);
  EXPECT_EQ(platform.waits(), 1);
}

// The values shown by a chart's bars, top to bottom.
std::vector<long> bar_values(xmlNode* chart) {
  std::vector<long> values;
  for (xmlNode* bar : test::children_named(chart, "g")) {
    std::string shown = text_of(test::children_named(bar, "text").back());
    std::erase(shown, ',');
    values.push_back(std::stol(shown));
  }
  return values;
}

TEST_F(Writers, PageReadsWellForOneProjectAndForThreeHundred) {
  for (int projects : {1, 300}) {
    SCOPED_TRACE(projects);
    std::string long_name(90, 'x');
    long_name += "\\end\xE9.vbp";
    {
      HtmlReport html(platform, console, facts);
      html.group_started("in.vbg");
      for (int p = 0; p < projects; ++p) {
        std::string name = p == projects / 2 ? long_name : "p" + std::to_string(p) + ".vbp";
        html.project_started(name);
        int size = (p * 37) % 101 + 1;  // sizes in no order
        html.module_counted("m" + std::to_string(p) + ".bas", stats_of(size));
        html.project_ended(name, stats_of(size));
      }
      html.group_ended("in.vbg", ModuleStats{});
      html.run_ended(0);
    }
    test::Page page = test::parse_page(platform.written["Codetal.html"]);
    ASSERT_TRUE(page) << "not well-formed";
    EXPECT_TRUE(test::external_references(page).empty());

    xmlNode* chart = test::element_by_id(page, "project-chart");
    ASSERT_NE(chart, nullptr);
    std::vector<long> sizes = bar_values(chart);
    ASSERT_EQ(sizes.size(), static_cast<std::size_t>(projects));
    EXPECT_TRUE(std::is_sorted(sizes.rbegin(), sizes.rend()));
    // Never squashed: the frame around the chart scrolls instead.
    EXPECT_GE(std::stol(attribute(chart, "height")), 22L * projects);
    EXPECT_EQ(attribute(chart->parent, "class"), "scroll");
    EXPECT_EQ(bar_values(test::element_by_id(page, "module-chart")).size(),
              std::min<std::size_t>(projects, kLargestModules));

    // The long name: its end behind an ellipsis, whole in the tooltip.
    const std::string utf8_end = "\\end\xC3\xA9.vbp";
    const std::string shown = "\xE2\x80\xA6" + std::string(30, 'x') + utf8_end;
    bool found = false;
    for (xmlNode* bar : test::children_named(chart, "g")) {
      if (text_of(test::children_named(bar, "text").front()) != shown) continue;
      found = true;
      EXPECT_TRUE(text_of(test::children_named(bar, "title").front())
                      .starts_with(std::string(90, 'x') + utf8_end + ": "));
    }
    EXPECT_TRUE(found) << "no bar labelled " << shown;

    std::vector<long> kinds = bar_values(test::element_by_id(page, "statement-chart"));
    ASSERT_EQ(kinds.size(), kStatementKindCount);
    for (std::size_t i = 0; i < kStatementKindCount; ++i)
      EXPECT_EQ(kinds[i], static_cast<long>(kStatementKinds[i].counter) * projects);
    if (projects == 300) {
      xmlNode* consts =
          test::children_named(test::element_by_id(page, "statement-chart"), "g").back();
      EXPECT_EQ(text_of(test::children_named(consts, "text").back()), "6,000");
    }
    xmlNode* table = test::element_by_id(page, "project-table");
    EXPECT_EQ(test::children_named(test::children_named(table, "tbody").front(), "tr").size(),
              static_cast<std::size_t>(projects));
  }
}

}  // namespace
}  // namespace codetal
