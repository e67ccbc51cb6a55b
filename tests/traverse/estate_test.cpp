// Folders of an estate that cannot be read: each is told, the rest of the
// estate is still reported without a wait, and the run fails.
#include <gtest/gtest.h>

#include "driver/driver.h"
#include "fake_platform.h"

namespace codetal::test {
namespace {

class FolderPlatform : public FakePlatform {
 public:
  std::map<std::string, std::vector<FolderEntry>> readable;
  std::string unreadable;
  std::map<std::string, FileIdentity> identities;

  bool is_folder(std::string_view name) override {
    return name == unreadable || readable.contains(std::string(name));
  }
  bool list_folder(std::string_view folder, std::vector<FolderEntry>& entries) override {
    auto found = readable.find(std::string(folder));
    if (found == readable.end()) return false;
    entries.insert(entries.end(), found->second.begin(), found->second.end());
    return true;
  }
  std::optional<FileIdentity> identify(std::string_view name) override {
    auto found = identities.find(std::string(name));
    if (found == identities.end()) return std::nullopt;
    return found->second;
  }
};

// A table row pair of a total and code count, every other count 0.
std::string rows(int lines) {
  std::string zeros;
  for (int i = 0; i < 8; ++i) zeros += "         0";
  const char* n = lines == 0 ? "0" : "1";
  return std::string("    ") + n + "        " + n + "        0        0  |  " + zeros + " \n" +
         std::string(34, ' ') + "|  " + zeros + " \n\n";
}

const std::string kHeadings =
    "Total    Lines   Rems &    Blank  |        Subs     Funcs      Lets      Gets    Events"
    "       Ifs   ElseIfs       Dos \n"
    "Lines     Code  Comments   Lines  |      Whiles      Fors    WinAPI      Dims      Vars"
    "     Types     Enums    Consts \n\n";

TEST(EstateFaults, UnreadableFoldersAreToldAndTheRestIsReported) {
  struct Case {
    std::string unreadable;
    std::string unlisted_rows;  // the MODULES IN NO PROJECT rows
    int unlisted;
  };
  const Case cases[] = {
      {"estate", "", 0},
      {"estate\\sub", "estate\\b.bas \n" + rows(1), 1},
  };
  for (const Case& c : cases) {
    FolderPlatform platform;
    platform.inputs["Codetal.INI"] = "[Codetal ]\noptShellTo=0\n";
    platform.unreadable = c.unreadable;
    if (c.unreadable != "estate") {
      platform.readable["estate"] = {{"sub", true}, {"b.bas", false}};
      platform.inputs["estate\\b.bas"] = "x = 1\r\n";
    }
    EXPECT_EQ(run_codetal(platform, {"Estate"}), 2) << c.unreadable;
    EXPECT_NE(platform.out.find("Codetal==>  Unable to read " + c.unreadable + " \n"),
              std::string::npos);
    EXPECT_EQ(platform.waits(), 1);  // the one at the end
    std::string report = platform.written["Codetal.log"];
    const std::string estate_totals =
        "\n" + std::string(117, '-') + "\n\nEstate Totals \n" + rows(0);
    EXPECT_EQ(report.substr(report.find("\n\n") + 2),
              "ESTATE: ESTATE \n\nMODULES IN NO PROJECT \n\n" + kHeadings + c.unlisted_rows +
                  "Unlisted Totals \n" + rows(c.unlisted) + estate_totals);
  }
}

// A mount or a link the platform could not tell leads back into the tree.
TEST(EstateFaults, AFolderReachedAgainIsNotWalkedAgain) {
  FolderPlatform platform;
  platform.inputs["Codetal.INI"] = "[Codetal ]\noptShellTo=0\n";
  platform.readable["estate"] = {{"again", true}, {"b.bas", false}};
  platform.readable["estate\\again"] = {{"again", true}, {"b.bas", false}};
  platform.identities["estate"] = platform.identities["estate\\again"] = FileIdentity{1, 2};
  platform.inputs["estate\\b.bas"] = "x = 1\r\n";
  EXPECT_EQ(run_codetal(platform, {"estate"}), 0);
  EXPECT_EQ(platform.out.find("again"), std::string::npos) << platform.out;
}

}  // namespace
}  // namespace codetal::test
