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

class FolderPlatform : public FakePlatform {
 public:
  std::map<std::string, std::vector<FolderEntry>> readable;
  std::string unreadable;
  std::map<std::string, FileIdentity> identities;

  FolderPlatform() { inputs["Codetal.INI"] = "[Codetal ]\noptShellTo=0\n"; }
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

TEST(EstateFaults, UnreadableFoldersAreToldAndTheRestIsReported) {
  for (std::string unreadable : {"estate", "estate\\sub"}) {
    FolderPlatform platform;
    platform.unreadable = unreadable;
    if (unreadable != "estate") {
      platform.readable["estate"] = {{"sub", true}, {"b.bas", false}};
      platform.inputs["estate\\b.bas"] = "x = 1\r\n";
    }
    EXPECT_EQ(run_codetal(platform, {"Estate"}), 2) << unreadable;
    EXPECT_NE(platform.out.find("Codetal==>  Unable to read " + unreadable + " \n"),
              std::string::npos);
    EXPECT_EQ(platform.waits(), 1);  // the one at the end
    EXPECT_EQ(platform.written["Codetal.log"],
              read_test_data("unit/estate-unreadable-" +
                             std::string(unreadable == "estate" ? "top" : "sub") + ".log"));
  }
}

TEST(EstateFaults, AFolderReachedAgainIsNotWalkedAgain) {
  FolderPlatform platform;
  platform.readable["estate"] = {{"again", true}, {"b.bas", false}};
  platform.readable["estate\\again"] = {{"again", true}, {"b.bas", false}};
  platform.identities["estate"] = platform.identities["estate\\again"] = FileIdentity{1, 2};
  platform.inputs["estate\\b.bas"] = "x = 1\r\n";
  EXPECT_EQ(run_codetal(platform, {"estate"}), 0);
  EXPECT_EQ(platform.out.find("again"), std::string::npos) << platform.out;
}

}  // namespace
}  // namespace codetal::test
