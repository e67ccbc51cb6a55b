// The project and group readers in-process: which lines hand a name on, and
// what reaches the report and the console when a listed file is missing.
#include "traverse/project_reader.h"

#include <gtest/gtest.h>

#include "fake_platform.h"

namespace codetal {
namespace {

std::string repeat(std::string_view text, int times) {
  std::string result;
  for (int i = 0; i < times; ++i) result.append(text);
  return result;
}

const std::string kHeadings =
    "Total    Lines   Rems &    Blank  |        Subs     Funcs      Lets      Gets    Events"
    "       Ifs   ElseIfs       Dos \n"
    "Lines     Code  Comments   Lines  |      Whiles      Fors    WinAPI      Dims      Vars"
    "     Types     Enums    Consts \n\n";
const std::string kZeroRows = "    0        0        0        0  |  " + repeat("         0", 8) +
                              " \n" + std::string(34, ' ') + "|  " + repeat("         0", 8) +
                              " \n\n";
const std::string kZeroProjectTotals = "Project Totals \n" + kZeroRows;
const std::string kPrompt = "Codetal==>  Press Enter to continue \n<key>";

std::string unable_to_open(const std::string& name) {
  return "Codetal==>  Unable to open " + name +
         " for reading \n"
         "Codetal==>  The file probably doesn't exist \n\n" +
         kPrompt;
}

class Readers : public ::testing::Test {
 protected:
  // Everything written to the report, once it is closed.
  std::string report() {
    run_.log.write_log("");
    return platform_.written.count("Codetal.log") ? platform_.written["Codetal.log"] : "<none>";
  }
  std::string console() {
    run_.console.flush();
    return platform_.out;
  }

  test::FakePlatform platform_;
  RunState run_{platform_};
};

TEST_F(Readers, MissingProjectOrGroupFileStopsWithNothingInTheReport) {
  run_.input_kind = InputKind::kProject;
  EXPECT_EQ(read_project_file(run_, "nowhere\\app.vbp"), 1);
  EXPECT_EQ(read_group_file(run_, "nowhere/app.vbg"), 1);
  EXPECT_TRUE(run_.failed);
  EXPECT_EQ(console(), unable_to_open("nowhere\\app.vbp") + unable_to_open("nowhere/app.vbg"));
  EXPECT_EQ(platform_.written.count("Codetal.log"), 0u);
}

TEST_F(Readers, GroupHandsOnProjectLinesOnlyAndStopsAtAMissingOne) {
  platform_.inputs["grp/One.vbp"] = "Type=Exe\r\n";
  platform_.inputs["grp/Two\\Two.VBP"] = "Type=Exe\r\n";
  platform_.inputs["grp/never.vbp"] = "Type=Exe\r\n";
  platform_.inputs["grp/app.vbg"] =
      "VBGROUP 5.0\r\n"
      "project=lower.vbp\r\n"
      " Project=indented.vbp\r\n"
      "Project=noext\r\n"
      "Project=other.vbg\r\n"
      "StartupProject=One.vbp\r\n"
      "Project=Two\\Two.VBP\r\n"
      "Project=Missing\\Missing.vbp\r\n"
      "Project=never.vbp\r\n";
  run_.input_kind = InputKind::kProjectGroup;
  EXPECT_EQ(read_group_file(run_, "grp/app.vbg"), 1);
  EXPECT_TRUE(run_.failed);
  EXPECT_EQ(report(),
            "PROJECT GROUP: GRP/APP.VBG \n\n"
            "PROJECT: GRP/ONE.VBP  " +
                std::string(95, '-') + "\n\n" + kHeadings + kZeroProjectTotals +
                "PROJECT: GRP/TWO\\TWO.VBP  " + std::string(91, '-') + "\n\n" + kHeadings +
                kZeroProjectTotals);
  EXPECT_EQ(console(), unable_to_open("grp/Missing\\Missing.vbp"));
}

// Missing modules of a project given alone are passed over, so every name
// that a line hands on shows in the report.
TEST_F(Readers, ProjectHandsOnExactlyTheModuleLinesInTheirOrder) {
  platform_.inputs["app/app.vbp"] =
      "Type=Exe\r\n"
      "Reference=*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#..\\..\\stdole2.tlb#OLE\r\n"
      "Form=frmMain.frm\r\n"
      "form=lower.frm\r\n"
      "  Form=indented.frm\r\n"
      "Form=\r\n"
      "Form=noext\r\n"
      "Form=notes.txt\r\n"
      "Form=x.frmx\r\n"
      "Module=modMain; MODMAIN.BAS\r\n"
      "Class=clsItem; My Classes\\clsItem.cls \t\r\n"
      "Form=..\\Shared\\frmAbout.frm\r\n"
      "Object={831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0; MSCOMCTL.OCX\r\n"
      "Module=modMain; MODMAIN.BAS\r\n"
      "UserControl=ctlGrid.ctl\r\n"
      "Startup=\"frmMain\"\r\n"
      "Class=clsLast; clsLast.cls";
  run_.input_kind = InputKind::kProject;
  EXPECT_EQ(read_project_file(run_, "app/app.vbp"), 0);
  EXPECT_EQ(report(), "PROJECT: APP/APP.VBP  " + std::string(95, '-') + "\n\n" + kHeadings +
                          "app/frmMain.frm \n"
                          "app/MODMAIN.BAS \n"
                          "app/My Classes\\clsItem.cls \n"
                          "app/..\\Shared\\frmAbout.frm \n"
                          "app/MODMAIN.BAS \n"
                          "app/clsLast.cls \n" +
                          kZeroProjectTotals);
  EXPECT_EQ(platform_.waits(), 6);  // one per missing module
  EXPECT_TRUE(run_.failed);
}

// Serves "Type=Exe" and then fails, as a disk going bad would.
class FailingDiskPlatform : public test::FakePlatform {
 public:
  std::unique_ptr<InputFile> open_input(std::string_view name) override {
    if (name != "bad.vbp") return FakePlatform::open_input(name);
    struct Failing : InputFile {
      bool served = false;
      long read(char* buffer, std::size_t size) override {
        if (served || size < 10) return -1;
        served = true;
        std::string_view text = "Type=Exe\r\n";
        text.copy(buffer, text.size());
        return static_cast<long>(text.size());
      }
    };
    return std::make_unique<Failing>();
  }
};

TEST(ReadersOnABadDisk, ReadErrorEndsTheProjectButFailsTheRun) {
  FailingDiskPlatform platform;
  RunState run(platform);
  run.input_kind = InputKind::kProject;
  EXPECT_EQ(read_project_file(run, "bad.vbp"), 0);
  EXPECT_TRUE(run.failed);
  run.console.flush();
  EXPECT_EQ(platform.out, "Codetal==>  Unable to read bad.vbp \n");
  run.log.write_log("");
  EXPECT_EQ(platform.written["Codetal.log"],
            "PROJECT: BAD.VBP  " + std::string(99, '-') + "\n\n" + kHeadings + kZeroProjectTotals);
}

}  // namespace
}  // namespace codetal
