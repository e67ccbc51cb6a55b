// Estate faults no real folder shows to root: folders that cannot be read
// are each told, the rest of the estate is still reported without a wait
// (tests/data/unit/estate-unreadable-*.log), and the run fails; a folder
// reached again through a mount or a link is not walked again.
#include <gtest/gtest.h>

#include "driver/driver.h"
#include "fake_platform.h"
#include "test_data.h"

namespace codetal::test {
namespace {

// The walk joins folders with the platform's separator.
const std::string kSep = kWindowsBuild ? "\\" : "/";

struct EstatePlatform : FakePlatform {
  EstatePlatform() { inputs["Codetal.INI"] = "[Codetal ]\noptShellTo=0\n"; }
};

TEST(EstateFaults, UnreadableFoldersAreToldAndTheRestIsReported) {
  for (std::string unreadable : {std::string("estate"), "estate" + kSep + "sub"}) {
    EstatePlatform platform;
    platform.folders[unreadable] = std::nullopt;
    if (unreadable != "estate") {
      platform.folders["estate"] = {{{"sub", true}, {"b.bas", false}}};
      platform.inputs["estate" + kSep + "b.bas"] = "x = 1\r\n";
    }
    EXPECT_EQ(run_codetal(platform, {"Estate"}), 2) << unreadable;
    EXPECT_NE(platform.out.find("Codetal==>  Unable to read " + unreadable + " \n"),
              std::string::npos);
    EXPECT_EQ(platform.waits(), 1);  // the one at the end
    EXPECT_EQ(platform.written["Codetal.log"],
              read_file(data_path("unit/estate-unreadable-" +
                                  std::string(unreadable == "estate" ? "top" : "sub") + ".log")));
  }
}

TEST(EstateFaults, AFolderReachedAgainIsNotWalkedAgain) {
  EstatePlatform platform;
  platform.folders["estate"] =
      platform.folders["estate" + kSep + "again"] = {{{"again", true}, {"b.bas", false}}};
  platform.identities["estate"] = platform.identities["estate" + kSep + "again"] =
      FileIdentity{1, 2};
  platform.inputs["estate" + kSep + "b.bas"] = "x = 1\r\n";
  EXPECT_EQ(run_codetal(platform, {"estate"}), 0);
  EXPECT_EQ(platform.out.find("again"), std::string::npos) << platform.out;
}

// A project that a group lists, that is there and cannot be opened, is the
// walk's too: told once, not tried again as a project in no group.
TEST(EstateFaults, AProjectThatCannotBeOpenedIsToldOnce) {
  EstatePlatform platform;
  platform.disk = false;
  platform.folders["estate"] = {{{"g.vbg", false}, {"p.vbp", false}}};
  platform.inputs["estate" + kSep + "g.vbg"] = "VBGROUP 5.0\r\nProject=p.vbp\r\n";
  platform.identities["estate" + kSep + "p.vbp"] = FileIdentity{1, 3};
  EXPECT_EQ(run_codetal(platform, {"estate"}), 2);
  const std::string told = "Unable to open estate" + kSep + "p.vbp";
  const std::size_t first = platform.out.find(told);
  ASSERT_NE(first, std::string::npos) << platform.out;
  EXPECT_EQ(platform.out.find(told, first + 1), std::string::npos) << platform.out;
}

// Only a group not read: its row in the CSV, and the page's list of what was
// not read; with nothing failed, no such list.
TEST(EstateFaults, AGroupNotReadStandsInTheExports) {
  for (bool fails : {true, false}) {
    EstatePlatform platform;
    platform.disk = false;
    platform.folders["estate"] = {{{"g.vbg", false}, {"m.bas", false}}};
    platform.inputs["estate" + kSep + "m.bas"] = "x = 1\r\n";
    if (!fails) platform.inputs["estate" + kSep + "g.vbg"] = "VBGROUP 5.0\r\n";
    EXPECT_EQ(run_codetal(platform, {"estate", "/csv", "/html"}), fails ? 2 : 0);
    const std::string& csv = platform.written["Codetal.csv"];
    const std::string& page = platform.written["Codetal.html"];
    const std::string row = "failed_group,estate" + kSep + "g.vbg,";
    EXPECT_EQ(csv.find(row) != std::string::npos, fails) << csv;
    EXPECT_EQ(page.find("Projects and groups not read") != std::string::npos, fails);
    EXPECT_EQ(page.find(">g.vbg</td><td class=\"t\">group</td>") != std::string::npos, fails)
        << page;
  }
}

}  // namespace
}  // namespace codetal::test
