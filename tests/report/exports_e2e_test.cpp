// The files /csv, /json and /html add beside the report, from the real
// binary: the bundled example group byte for byte (the same expected files
// for the native build and for codetal.exe under Wine), every figure the
// same as in "Codetal.log", names that survive, and files that cannot be
// written. CODETAL_WRITE_EXPECTED=1 rewrites the expected files instead.
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cases.h"
#include "harness.h"
#include "page_checks.h"

namespace codetal::test {
namespace {

// Keys in the file's order: the counts are read in it.
using Json = nlohmann::ordered_json;

const char* const kExampleFiles[] = {
    "Inventory.vbg",          "Codetal.INI",          "Client/Client.vbp",    "Client/clsItem.cls",
    "Client/frmItem.frm",     "Client/frmMain.frm",   "Client/modClient.bas", "Server/Server.vbp",
    "Client/frmShell.frm",    "Client/ctlQty.ctl",    "Server/clsOrders.cls", "Server/clsStock.cls",
    "Server/modDatabase.bas", "Shared/modShared.bas",
};
const char* const kExports[] = {"Codetal.csv", "Codetal.json", "Codetal.html"};

void copy_example(const TempFolder& folder) {
  for (const char* name : kExampleFiles)
    folder.write(name, read_file(data_path(std::string("../../examples/") + name)));
}

// The time of the run is the one thing that may differ between runs.
std::string without_time(const std::string& text) {
  static const std::regex time(R"(\d{4}-\d\d-\d\d[T ]\d\d:\d\d:\d\d)");
  return std::regex_replace(text, time, "<time>");
}

// One table block of the log, or a row of an export, by the log's name for
// it and its twenty table figures (the table has no Labels column).
struct Block {
  std::string name;
  std::vector<long> figures;
  bool operator==(const Block&) const = default;
};

std::vector<long> numbers_in(std::string line) {
  std::replace(line.begin(), line.end(), '|', ' ');
  std::istringstream in(line);
  std::vector<long> numbers;
  for (long n; in >> n;) numbers.push_back(n);
  return numbers;
}

std::vector<Block> log_blocks(const std::string& report) {
  std::vector<std::string> lines;
  std::istringstream in(report);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  const std::string second_row = std::string(34, ' ') + "|";
  std::vector<Block> blocks;
  for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
    if (lines[i].starts_with(second_row) || !lines[i + 1].starts_with(second_row)) continue;
    std::vector<long> figures = numbers_in(lines[i] + lines[i + 1]);
    std::string name = lines[i - 1].substr(0, lines[i - 1].size() - 1);  // its blank
    blocks.push_back(Block{name, figures});
  }
  return blocks;
}

constexpr int kLabelsColumn = 14;  // among the 21 counters

Block export_block(const std::string& name, const std::vector<long>& counters) {
  Block block{name, counters};
  block.figures.erase(block.figures.begin() + kLabelsColumn);
  return block;
}

// RFC 4180, as much as the file uses: quoted fields, doubled quotes, CR LF.
std::vector<std::vector<std::string>> read_csv(const std::string& text) {
  std::vector<std::vector<std::string>> records(1, std::vector<std::string>(1));
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    std::string& field = records.back().back();
    if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
      field += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && c == ',') {
      records.back().emplace_back();
    } else if (!quoted && c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      ++i;
      records.emplace_back(1);
    } else {
      field += c;
    }
  }
  EXPECT_FALSE(quoted);
  EXPECT_EQ(records.back(), std::vector<std::string>(1)) << "the last line ends with CR LF";
  records.pop_back();
  return records;
}

struct CsvRow {
  std::string kind, group, project, set, module;
  std::vector<long> counters;
  std::string reason;
};

std::vector<CsvRow> csv_rows(const std::string& text) {
  std::vector<std::vector<std::string>> records = read_csv(text);
  std::vector<CsvRow> rows;
  for (std::size_t r = 1; r < records.size(); ++r) {
    const std::vector<std::string>& f = records[r];
    EXPECT_EQ(f.size(), records[0].size()) << r;
    if (f.size() != records[0].size()) continue;
    CsvRow row{f[0], f[1], f[2], f[3], f[4], {}, f.back()};
    for (std::size_t c = 5; c + 1 < f.size(); ++c)
      if (!f[c].empty()) row.counters.push_back(std::stol(f[c]));
    rows.push_back(row);
  }
  return rows;
}

// The CSV's rows as the log's blocks; checks on the way that every total
// row is the sum of the rows it closes.
std::vector<Block> csv_blocks(const std::vector<CsvRow>& rows) {
  std::vector<Block> blocks;
  std::vector<long> project(21), group(21);
  for (const CsvRow& row : rows) {
    if (row.kind == "failed") {
      EXPECT_TRUE(row.counters.empty());
      continue;
    }
    EXPECT_EQ(row.counters.size(), 21u) << row.module;
    if (row.counters.size() != 21u) continue;
    if (row.kind == "module") {
      for (int i = 0; i < 21; ++i) project[i] += row.counters[i];
      blocks.push_back(export_block(row.module, row.counters));
    } else if (row.kind == "project") {
      EXPECT_EQ(row.counters, project) << row.project;
      for (int i = 0; i < 21; ++i) group[i] += project[i];
      project.assign(21, 0);
      blocks.push_back(export_block("Project Totals", row.counters));
    } else {
      EXPECT_EQ(row.kind, "group");
      EXPECT_EQ(row.counters, group);
      blocks.push_back(export_block("Group Totals", row.counters));
    }
  }
  return blocks;
}

std::vector<long> json_counters(const Json& counts) {
  std::vector<long> counters;
  for (const auto& [name, value] : counts.items()) counters.push_back(value.get<long>());
  return counters;
}

void add_json_project(const Json& project, std::vector<Block>& blocks) {
  for (const Json& module : project["modules"]) {
    if (module.contains("counts"))
      blocks.push_back(export_block(module["name"], json_counters(module["counts"])));
  }
  blocks.push_back(export_block("Project Totals", json_counters(project["totals"])));
}

std::vector<Block> json_blocks(const Json& document) {
  std::vector<Block> blocks;
  for (const Json& group : document["groups"]) {
    for (const Json& project : group["projects"]) add_json_project(project, blocks);
    blocks.push_back(export_block("Group Totals", json_counters(group["totals"])));
  }
  for (const Json& project : document["projects"]) add_json_project(project, blocks);
  return blocks;
}

void expect_same_as(const std::string& actual, const std::string& expected_name) {
  std::string path = std::string(CODETAL_TEST_DATA) + "/exports/" + expected_name;
  std::string text = without_time(actual);
  if (std::getenv("CODETAL_WRITE_EXPECTED") != nullptr) {
    std::ofstream(path, std::ios::binary) << text;
    ADD_FAILURE() << "rewrote " << path;
    return;
  }
  EXPECT_EQ(text, read_file(path)) << expected_name;
}

TEST(Exports, ExampleGroupFilesAreTheExpectedBytesAndAgreeWithTheLog) {
  TempFolder folder;
  copy_example(folder);
  RunResult result = run_codetal(folder, {"Inventory.vbg", "/csv", "/JSON", "/Html"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.changed_files, (std::vector<std::string>{"Codetal.csv", "Codetal.html",
                                                            "Codetal.json", "Codetal.log"}));
  std::string csv = read_file(folder / "Codetal.csv");
  std::string json = read_file(folder / "Codetal.json");
  std::string html = read_file(folder / "Codetal.html");
  expect_same_as(csv, "inventory.csv");
  expect_same_as(json, "inventory.json");
  expect_same_as(html, "inventory.html");
  EXPECT_EQ(without_time(json).size(), json.size() - 19 + 6) << "the time, once";

  std::vector<Block> from_log = log_blocks(result.report);
  ASSERT_EQ(from_log.size(), 10u + 2 + 1);
  EXPECT_EQ(csv_blocks(csv_rows(csv)), from_log);
  EXPECT_EQ(json_blocks(Json::parse(json)), from_log);
  Page page = parse_page(html);
  ASSERT_TRUE(page) << "the page is not well-formed";
  EXPECT_EQ(external_references(page), std::vector<std::string>{});
}

TEST(Exports, FailedModulesAndNamesThatNeedQuotingOrAreNotUtf8) {
  TempFolder folder;
  const std::string module = "Sub Main()\r\n  ' hi\r\n\r\n  Dim x\r\nEnd Sub\r\n";
  folder.write("a,b%.bas", module);
  folder.write("plain.frm", module + module);
  folder.write("empty.bas", "");
  folder.write("odd.vbp",
               "Module=A; a,b%.bas\r\nModule=B; say \"hi\".bas\r\nModule=C; caf\xE9.bas\r\n"
               "Module=D; empty.bas\r\nClass=E; \xC3\xA9t\xC3\xA9.cls\r\nForm=plain.frm\r\n");
  RunResult result = run_codetal(folder, {"odd.vbp", "/json", "/csv"});
  EXPECT_EQ(result.status, 2);

  std::vector<CsvRow> rows = csv_rows(read_file(folder / "Codetal.csv"));
  std::vector<std::string> failed;
  for (const CsvRow& row : rows) {
    EXPECT_EQ(row.project, "odd.vbp");
    if (row.kind == "failed") failed.push_back(row.module + ": " + row.reason);
  }
  EXPECT_EQ(failed, (std::vector<std::string>{
                        "say \"hi\".bas: cannot be opened", "caf\xE9.bas: cannot be opened",
                        "empty.bas: holds no text", "\xC3\xA9t\xC3\xA9.cls: cannot be opened"}));
  std::vector<Block> from_log = log_blocks(result.report);
  ASSERT_EQ(from_log.size(), 3u);
  EXPECT_EQ(from_log[0].name, "a,b%.bas");
  EXPECT_EQ(csv_blocks(rows), from_log);

  Json json = Json::parse(read_file(folder / "Codetal.json"));
  EXPECT_EQ(json_blocks(json), from_log);
  std::vector<std::string> names;
  for (const auto& m : json["projects"][0]["modules"]) names.push_back(m["name"]);
  EXPECT_EQ(names, (std::vector<std::string>{"a,b%.bas", "say \"hi\".bas", "caf\xC3\xA9.bas",
                                             "empty.bas", "\xC3\xA9t\xC3\xA9.cls", "plain.frm"}));
  EXPECT_EQ(json["projects"][0]["modules"][2]["failed"], "cannot be opened");
  EXPECT_EQ(json["exit_status"], 2);
}

// A group stops at a module it cannot open; its files still say what was
// counted up to there, and that the run stopped.
TEST(Exports, StoppedGroupStillWritesItsFiles) {
  TempFolder folder;
  folder.write("a.bas", "Sub Main()\r\nEnd Sub\r\n");
  folder.write("p.vbp", "Module=A; a.bas\r\nModule=M; missing.bas\r\nModule=A; a.bas\r\n");
  folder.write("g.vbg", "Project=p.vbp\r\n");
  RunResult result = run_codetal(folder, {"g.vbg", "/csv", "/json"});
  EXPECT_EQ(result.status, 2);
  std::vector<CsvRow> rows = csv_rows(read_file(folder / "Codetal.csv"));
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].kind + " " + rows[1].module, "failed missing.bas");
  Json json = Json::parse(read_file(folder / "Codetal.json"));
  EXPECT_EQ(json["groups"][0]["projects"][0]["modules"].size(), 2u);
  EXPECT_FALSE(json["groups"][0].contains("totals"));
  EXPECT_EQ(json["completed"], false);
  EXPECT_EQ(json["exit_status"], 2);
}

// As for the report: the failure shown in its own words, the run goes on
// and ends with status 2, and the other files are still written.
TEST(Exports, FileThatCannotBeOpenedOrWrittenEndsTheRunWithStatusTwo) {
  for (const char* name : kExports) {
    for (bool full_disk : {false, true}) {
      if (full_disk && windows_build()) continue;  // /dev/full exists only on POSIX
      SCOPED_TRACE(std::string(name) + (full_disk ? " on a full disk" : " as a folder"));
      TempFolder folder;
      folder.write("m.bas", "Sub Main()\r\nEnd Sub\r\n");
      if (full_disk) {
        ASSERT_EQ(::symlink("/dev/full", (folder / name).c_str()), 0);
      } else {
        folder.make_folder(name);
      }
      RunResult result = run_codetal(folder, {"m.bas", "/csv", "/json", "/html"});
      std::string n = name;
      std::string expected =
          full_disk ? "Codetal==>  Write error on " + n + " \nCodetal==>  Disk may be full \n"
                    : "Codetal==>  Unable to open " + n +
                          " for writing \nCodetal==>  The disk is probably full \n";
      EXPECT_NE(
          normalise_line_ends(result.out).find(expected + "Codetal==>  Program will continue \n"),
          std::string::npos)
          << result.out;
      EXPECT_EQ(result.status, 2);
      for (const char* other : kExports) {
        if (other != n) {
          EXPECT_FALSE(read_file(folder / other).empty()) << other;
        }
      }
      if (n != "Codetal.json") {
        EXPECT_EQ(Json::parse(read_file(folder / "Codetal.json"))["exit_status"], 2);
      }
    }
  }
}

std::string find_chromium() {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path != nullptr ? path : "");
  for (std::string folder; std::getline(folders, folder, ':');) {
    std::string program = folder + "/chromium";
    if (!folder.empty() && ::access(program.c_str(), X_OK) == 0) return program;
  }
  return "";
}

// The page as a browser shows it: loaded without an error, the sorting
// script run to its end, the charts drawn. The screenshot is kept in the
// build folder for people to look at.
TEST(Exports, ExamplePageRendersInHeadlessChromium) {
  if (windows_build()) GTEST_SKIP() << "the Windows build writes the same page, checked above";
  std::string chromium = find_chromium();
  if (chromium.empty()) GTEST_SKIP() << "chromium is not installed (tools/install-deps adds it)";
  TempFolder folder;
  copy_example(folder);
  ASSERT_EQ(run_codetal(folder, {"Inventory.vbg", "/html"}).status, 0);
  std::string artifacts = CODETAL_ARTIFACT_DIR;
  std::string browser =
      "cd '" + folder.path() + "' && timeout 120 setsid '" + chromium +
      "' --headless --no-sandbox --disable-gpu --disable-quic --no-first-run"
      " --disable-background-networking --disable-component-update"
      " --disable-sync --enable-logging=stderr --hide-scrollbars --user-data-dir='" +
      folder.path() + "/profile' ";
  std::string page = "file://" + folder.path() + "/Codetal.html";
  ASSERT_EQ(
      std::system((browser + "--dump-dom '" + page + "' >dom.html 2>dom.err </dev/null").c_str()),
      0);
  ASSERT_EQ(std::system(("mkdir -p '" + artifacts + "' && " + browser +
                         "--window-size=1280,2200 --screenshot='" + artifacts +
                         "/example-page.png' '" + page + "' >/dev/null 2>&1 </dev/null")
                            .c_str()),
            0);
  std::string dom = read_file(folder / "dom.html");
  std::string errors = read_file(folder / "dom.err");
  EXPECT_EQ(errors.find("CONSOLE"), std::string::npos) << errors;
  EXPECT_EQ(errors.find("Uncaught"), std::string::npos) << errors;
  EXPECT_NE(dom.find("data-sortable=\"yes\""), std::string::npos) << "the script did not finish";
  for (const char* chart : {"share-chart", "project-chart", "module-chart", "statement-chart"})
    EXPECT_NE(dom.find(std::string("<svg id=\"") + chart + "\""), std::string::npos) << chart;
  EXPECT_EQ(read_file(artifacts + "/example-page.png").substr(1, 3), "PNG");
}

}  // namespace
}  // namespace codetal::test
