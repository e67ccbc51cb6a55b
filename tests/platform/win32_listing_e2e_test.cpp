// Wildcard sets on Windows: the directory listing passes over hidden files
// and folders, whatever their names.
#include <gtest/gtest.h>

#include "harness.h"

namespace codetal::test {
namespace {

const std::string kModule =
    "Attribute VB_Name = \"Shared\"\n"
    "Option Explicit\n"
    "\n"
    "Public Sub Run()\n"
    "  Dim n As Integer\n"
    "End Sub\n";

void add_module_folder(const TempFolder& folder, const std::string& name) {
  folder.write("Codetal.INI", "[Codetal ]\n");
  folder.write(name, kModule);
}

TEST(Win32Listing, HiddenFileAndFolderNamedLikeAModuleArePassedOver) {
  if (!windows_build()) GTEST_SKIP() << "the hidden attribute is the Windows file system's";
  TempFolder folder;
  add_module_folder(folder, "MAIN.BAS");
  folder.write("UTIL.BAS", kModule);
  folder.write("OLD.BAS/INNER.BAS", kModule);

  // Before it is hidden, UTIL.BAS is taken like any module.
  RunResult visible = run_codetal(folder, {"*.bas"});
  ASSERT_NE(report_body(visible).find("UTIL.BAS"), std::string::npos) << visible.report;

  ASSERT_TRUE(set_hidden_attribute(folder, "UTIL.BAS"));
  RunResult hidden = run_codetal(folder, {"*.bas"});

  TempFolder reference;
  add_module_folder(reference, "MAIN.BAS");
  RunResult expected = run_codetal(reference, {"*.bas"});
  ASSERT_NE(report_body(expected).find("MAIN.BAS"), std::string::npos) << expected.report;
  EXPECT_EQ(report_body(hidden), report_body(expected));
  EXPECT_EQ(hidden.status, expected.status);
  EXPECT_TRUE(folder.exists("UTIL.BAS"));
}

}  // namespace
}  // namespace codetal::test
