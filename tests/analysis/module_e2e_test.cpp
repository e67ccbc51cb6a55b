// One module given alone on the command line, seen from outside.
#include <gtest/gtest.h>

#include "console_texts.h"
#include "harness.h"
#include "worked_example.h"

namespace codetal::test {
namespace {

TEST(ModuleRun, WorkedExampleInTableForm) {
  TempFolder folder;
  add_quiet_options(folder);
  folder.write("form1.frm", worked_example_module_crlf());
  RunResult result = run_codetal(folder, {"form1.frm"});
  EXPECT_EQ(result.status, 0);
  // The viewer is not on the test's PATH, so the run ends without a wait.
  EXPECT_EQ(result.out,
            banner(folder.path()) + "Codetal==>  Processing  form1.frm \n" + kCompletion);
  EXPECT_EQ(report_body(result),
            kHeadings +
                "form1.frm \n"
                "  120       80       25       15  |           3         2         0         0"
                "         0         9         1         2 \n"
                "                                  |           1         3         0        12"
                "         2         1         0         4 \n\n");
}

TEST(ModuleRun, NameWithoutExtensionIsAModule) {
  TempFolder folder;
  add_quiet_options(folder);
  folder.write("readme", "Sub Main()\nEnd Sub");
  RunResult result = run_codetal(folder, {"readme"});
  EXPECT_EQ(result.status, 0);
  std::string body = report_body(result);
  EXPECT_EQ(body.substr(0, kHeadings.size() + 8), kHeadings + "readme \n");
  EXPECT_NE(body.find("\n    2        2        0        0  |           1 "), std::string::npos);
}

TEST(ModuleRun, ModuleThatCannotBeAnalysedAbortsWithStatusTwo) {
  struct Case {
    const char* name;
    bool exists;
    std::string messages;
  };
  const Case cases[] = {
      {"missing.bas", false,
       "Codetal==>  Unable to open missing.bas for reading \n"
       "Codetal==>  The file probably doesn't exist \n\n"},
      {"empty.cls", true,
       "Codetal==>  Processing  empty.cls \n"
       "\n"
       "Codetal==>  Unable to read empty.cls \n"
       "Codetal==>  File is most probably of zero length \n"},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    add_quiet_options(folder);
    if (c.exists) folder.write(c.name, "");
    RunResult result = run_codetal(folder, {c.name});
    EXPECT_EQ(result.status, 2) << c.name;
    // No module was analysed, so no viewer: the run waits at its end.
    EXPECT_EQ(result.out, banner(folder.path()) + c.messages +
                              "Codetal==>  Program will abort \n\n" + kPrompt + "\n" + kCompletion +
                              kPrompt);
    EXPECT_EQ(report_body(result), kHeadings + c.name + " \n");
  }
}

}  // namespace
}  // namespace codetal::test
