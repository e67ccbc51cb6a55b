// The bundled example group must keep running clean: every module it lists
// is found and reported, and every row adds up.
#include <dirent.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "harness.h"
#include "traverse_expect.h"

namespace codetal::test {
namespace {

void copy_tree(const std::string& from, const TempFolder& to, const std::string& at) {
  DIR* dir = ::opendir(from.c_str());
  ASSERT_NE(dir, nullptr) << from;
  while (dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name == "." || name == ".." || name == "Codetal.log") continue;
    std::string path = from + "/" + name;
    struct stat info;
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    if (S_ISDIR(info.st_mode)) {
      copy_tree(path, to, at + name + "/");
    } else {
      std::ifstream in(path, std::ios::binary);
      std::ostringstream bytes;
      bytes << in.rdbuf();
      to.write(at + name, bytes.str());
    }
  }
  ::closedir(dir);
}

int count_of(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(ExampleGroup, EveryListedModuleIsReportedAndEveryRowAddsUp) {
  TempFolder folder;
  copy_tree(CODETAL_EXAMPLES_DIR, folder, "");
  RunResult result = run_codetal(folder, {"Inventory.vbg"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out.find("Unable"), std::string::npos) << result.out;
  // The options turn the viewer off, so the run ends at the prompt, and only there.
  EXPECT_EQ(count_of(result.out, kPrompt), 1);
  EXPECT_TRUE(result.out.ends_with(kCompletion + kPrompt));

  std::string report = report_body(result);
  const char* modules[] = {
      "Client\\frmMain.frm",   "Client\\frmItem.frm",     "Client\\frmShell.frm",
      "Client\\modClient.bas", "Client\\clsItem.cls",     "Server\\clsStock.cls",
      "Server\\clsOrders.cls", "Server\\modDatabase.bas",
  };
  for (const char* name : modules) {
    std::string line = std::string(name) + " \n";
    EXPECT_EQ(count_of(report, line), 1) << name;
    EXPECT_EQ(count_of(result.out, processing(name)), 1) << name;
  }
  EXPECT_EQ(count_of(report, "Client\\..\\Shared\\modShared.bas \n"), 1);
  EXPECT_EQ(count_of(report, "Server\\..\\Shared\\modShared.bas \n"), 1);
  EXPECT_EQ(report.rfind("PROJECT GROUP: INVENTORY.VBG \n\n", 0), 0u);
  EXPECT_EQ(count_of(report, "Project Totals \n"), 2);
  EXPECT_EQ(count_of(report, "Group Totals \n"), 1);

  // Every first table row: code + comments + blank = total.
  std::istringstream lines(report);
  int rows_checked = 0;
  for (std::string line; std::getline(lines, line);) {
    int total, code, comments, blank;
    char bar;
    if (std::sscanf(line.c_str(), "%d %d %d %d %c", &total, &code, &comments, &blank, &bar) != 5 ||
        bar != '|')
      continue;
    EXPECT_EQ(code + comments + blank, total) << line;
    EXPECT_GT(total, 0) << line;
    ++rows_checked;
  }
  EXPECT_EQ(rows_checked, 10 + 2 + 1);  // modules, project totals, group totals
}

}  // namespace
}  // namespace codetal::test
