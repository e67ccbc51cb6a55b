// Cutting file names out of project and group lines, telling modules and
// projects by their extension, and placing names beside their listing file.
#include "traverse/listed_names.h"

#include <gtest/gtest.h>

namespace codetal {
namespace {

using Name = std::optional<std::string_view>;

TEST(ListedName, ProjectLinesNameTheirFileWithInnerBlanksKept) {
  EXPECT_EQ(listed_name("Form=frmMain.frm", kProjectKeys), Name("frmMain.frm"));
  EXPECT_EQ(listed_name("Form=My Forms\\Main.frm  \t ", kProjectKeys), Name("My Forms\\Main.frm"));
  EXPECT_EQ(listed_name("Form=..\\Shared\\frmAbout.frm", kProjectKeys),
            Name("..\\Shared\\frmAbout.frm"));
  EXPECT_EQ(listed_name("Module=modMain; modMain.bas", kProjectKeys), Name("modMain.bas"));
  EXPECT_EQ(listed_name("Class=clsItem;   Item Classes\\clsItem.cls\t", kProjectKeys),
            Name("Item Classes\\clsItem.cls"));
  EXPECT_EQ(listed_name("Module=a;b; c.bas", kProjectKeys), Name("b; c.bas"));  // first ";"
  EXPECT_EQ(listed_name("Module=Module1.bas", kProjectKeys), Name("Module1.bas"));
  EXPECT_EQ(listed_name("Form=", kProjectKeys), Name(""));
  EXPECT_EQ(listed_name("Module=modEmpty;   ", kProjectKeys), Name(""));
}

TEST(ListedName, OnlyTheExactKeysAtTheLineStartCount) {
  for (std::string_view line :
       {"form=Form1.frm", "FORM=Form1.frm", "  Form=Form1.frm", "\tModule=m; m.bas",
        "module=Module1; Module1.bas", "Reference=*\\G{00020430-0000-0000-C000-000000000046}#2.0#0",
        "Object={831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0; MSCOMCTL.OCX",
        "UserControl=ctlGrid.ctl", "Startup=\"frmMain\"", "Project=Client.vbp", "Form", ""}) {
    EXPECT_EQ(listed_name(line, kProjectKeys), std::nullopt) << line;
  }
  // The designer-based kinds are named like forms, and only with every kind.
  EXPECT_EQ(listed_name("UserControl=ctlGrid.ctl ", kAllKindsProjectKeys), Name("ctlGrid.ctl"));
  EXPECT_EQ(listed_name("PropertyPage=a;b.pag", kAllKindsProjectKeys), Name("a;b.pag"));
  EXPECT_EQ(listed_name("UserDocument=doc.dob", kAllKindsProjectKeys), Name("doc.dob"));
  EXPECT_EQ(listed_name("Designer=DataEnvironment1.Dsr", kAllKindsProjectKeys),
            Name("DataEnvironment1.Dsr"));
  EXPECT_EQ(listed_name("Module=m; m.bas", kAllKindsProjectKeys), Name("m.bas"));
  EXPECT_EQ(listed_name("usercontrol=x.ctl", kAllKindsProjectKeys), std::nullopt);
  EXPECT_EQ(listed_name("StartupProject=Client\\Client.vbp", kGroupKeys),
            Name("Client\\Client.vbp"));
  EXPECT_EQ(listed_name("Project=Server\\My Server.vbp ", kGroupKeys),
            Name("Server\\My Server.vbp"));
  // A group's project name is the whole value, as a form's is.
  EXPECT_EQ(listed_name("Project=a;b.vbp", kGroupKeys), Name("a;b.vbp"));
  EXPECT_EQ(listed_name("Project= Client.vbp", kGroupKeys), Name(" Client.vbp"));
  EXPECT_EQ(listed_name("StartupProject=x; y.vbp", kGroupKeys), Name("x; y.vbp"));
  EXPECT_EQ(listed_name("StartupProject= y.vbp", kGroupKeys), Name(" y.vbp"));
  EXPECT_EQ(listed_name("Form= a;b.frm", kProjectKeys), Name(" a;b.frm"));
  EXPECT_EQ(listed_name("project=Server.vbp", kGroupKeys), std::nullopt);
  EXPECT_EQ(listed_name("VBGROUP 5.0", kGroupKeys), std::nullopt);
  EXPECT_EQ(listed_name("Form=Form1.frm", kGroupKeys), std::nullopt);
}

TEST(Extension, TakenFromTheLastDotOfTheFinalComponentIgnoringCase) {
  for (std::string_view name : {"..\\Shared\\Main.frm", "A.B.BAS", "MODULE1.BAS", "Form1.frm",
                                "my.dir/x.Cls", "sub.d\\.bas"})
    EXPECT_TRUE(is_module_name(name, ModuleKinds::kClassic)) << name;
  for (std::string_view name :
       {"MAIN.FRMX", "x.basx", "x.ba", "my.frm\\Main", "noext", "name.", "x.vbp", "", "..\\"})
    EXPECT_FALSE(is_module_name(name, ModuleKinds::kAll)) << name;
  for (std::string_view name : {"a.ctl", "B.PAG", "c.Dob", "..\\d.dsr"}) {
    EXPECT_TRUE(is_module_name(name, ModuleKinds::kAll)) << name;
    EXPECT_FALSE(is_module_name(name, ModuleKinds::kClassic)) << name;
  }
  EXPECT_FALSE(is_module_name("x.ctlx", ModuleKinds::kAll));
  EXPECT_FALSE(is_module_name("x.dca", ModuleKinds::kAll));
  EXPECT_TRUE(is_project_name("Client\\Client.VBP"));
  EXPECT_TRUE(is_project_name("..\\a.b\\c.d.vbp"));
  EXPECT_FALSE(is_project_name("app.vbp.bak"));
  EXPECT_FALSE(is_project_name("app.vbg"));
  EXPECT_FALSE(is_project_name("app.vbp\\x"));
  EXPECT_EQ(extension_of("a.b\\c"), "");
  EXPECT_EQ(extension_of("dir/A.B.Bas"), ".Bas");
}

TEST(PlaceBeside, ListingFolderAsWrittenThenTheNameAsWritten) {
  struct Case {
    std::string_view listing, listed, expected;
  };
  const Case cases[] = {
      {"app.vbp", "Form1.frm", "Form1.frm"},
      {"c:\\work\\app\\app.vbp", "Form1.frm", "c:\\work\\app\\Form1.frm"},
      {"sub/app.vbp", "..\\Shared\\m.bas", "sub/..\\Shared\\m.bas"},
      {"grp/Client\\Client.vbp", "My Forms\\frmMain.frm", "grp/Client\\My Forms\\frmMain.frm"},
      {"sub/app.vbp", "\\lib\\m.bas", "\\lib\\m.bas"},
      {"sub/app.vbp", "/usr/src/m.bas", "/usr/src/m.bas"},
      {"sub/app.vbp", "D:\\vb\\m.bas", "D:\\vb\\m.bas"},
      {"sub/app.vbp", "d:m.bas", "d:m.bas"},
      {"sub/app.vbp", "1:m.bas", "sub/1:m.bas"},
      {"/abs/dir/app.vbp", "m.bas", "/abs/dir/m.bas"},
  };
  std::string out = "left over from the last name";
  for (const Case& c : cases) {
    place_beside(out, c.listing, c.listed);
    EXPECT_EQ(out, c.expected) << c.listing << " + " << c.listed;
  }
  EXPECT_EQ(folder_part("a\\b/c.vbp"), "a\\b/");
  EXPECT_EQ(folder_part("c.vbp"), "");
}

}  // namespace
}  // namespace codetal
