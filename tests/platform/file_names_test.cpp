// Files opened, listed and written on a real folder: the names a VB6 project
// writes ("\" separators, letter case of another file system) must find
// their files, nothing but ordinary files may be read, and nothing may be
// written through a link or under a name cut short by a NUL.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "harness.h"
#include "platform/platform.h"

namespace codetal {
namespace {

class FileNames : public ::testing::Test {
 protected:
  // The whole content of the file opened under `name` (below the folder
  // unless it starts with "/"), or "<none>".
  std::string read_all(const std::string& name) {
    std::unique_ptr<InputFile> file =
        platform_->open_input(name.starts_with("/") || name.empty() ? name : folder_ / name);
    if (file == nullptr) return "<none>";
    std::string text;
    char block[7];  // small reads: the file must come whole across them
    for (long n; (n = file->read(block, sizeof block)) > 0;) text.append(block, n);
    return text;
  }
  void expect_reads(const std::vector<std::pair<std::string, std::string>>& reads) {
    for (const auto& [name, content] : reads) EXPECT_EQ(read_all(name), content) << name;
  }
  std::vector<std::string> matches(const std::string& pattern) {
    return platform_->list_matches(folder_ / pattern);
  }
  bool write_to(const std::string& name, std::string_view text) {
    std::unique_ptr<OutputFile> file = make_system_platform()->create_output(folder_ / name);
    return file != nullptr && file->write(text) && file->close();
  }

  std::unique_ptr<Platform> platform_ = make_system_platform();
  test::TempFolder folder_;
};

TEST_F(FileNames, BackslashesAndLetterCaseAreResolvedFolderByFolder) {
  folder_.write("Client/Forms/frmMain.frm", "main\n");
  folder_.write("Shared/modUtil.bas", "util\n");
  folder_.write("a.bas", "lower\n");
  folder_.write("A.BAS", "upper\n");
  expect_reads({{"Client\\Forms\\frmMain.frm", "main\n"},
                {"CLIENT/forms/FRMMAIN.FRM", "main\n"},
                {"client\\Forms\\..\\..\\shared\\MODUTIL.bas", "util\n"},
                {"Client\\..\\Shared\\modUtil.bas", "util\n"},
                {"client/forms/nothing.frm", "<none>"},
                // Same length, one letter off (the first or the last): missing.
                {"client/forms/XRMMAIN.FRM", "<none>"},
                {"client/forms/frmmain.frx", "<none>"},
                {"dlient/forms/frmmain.frm", "<none>"},
                {"nowhere/frmMain.frm", "<none>"},
                // The exact name wins, and otherwise the first in byte order.
                {"a.bas", "lower\n"},
                {"A.BAS", "upper\n"},
                {"a.BAS", "upper\n"}});
}

// Each folder is listed once per run for the lookup that ignores case. Bytes
// between 'Z' and 'a' sort before letters once lowered and after them once
// raised: a listing sorted one way and searched the other loses names.
TEST_F(FileNames, EveryNameOfAListedFolderFindsItsOwnFile) {
  std::vector<std::string> names = {"x_.bas", "xa.bas", "XB.bas",    "x`.bas", "x[.BAS", "X^.bas",
                                    "xZ.bas", "x~.bas", "x\xe9.bas", "x.bas",  "x0.bas"};
  for (int i = 0; i < 40; ++i) names.push_back("mod" + std::to_string(i * 7919 % 1000) + ".Bas");
  for (const std::string& name : names) folder_.write(name, name);
  for (const std::string& name : names) {
    std::string swapped = name;
    for (char& c : swapped)
      if ((c | 32) >= 'a' && (c | 32) <= 'z') c = static_cast<char>(c ^ 32);
    expect_reads({{swapped, name}, {name, name}});
  }
  expect_reads({{"X.BA", "<none>"}, {"XC.BAS", "<none>"}});
}

// Folders of the same name under different parents are listed apart, in any
// order of lookups; a file created after its folder was listed is found by
// its exact name, and in a folder created later ignoring case too.
TEST_F(FileNames, EachFolderHasItsOwnListingAndLaterFilesAreFound) {
  folder_.write("a/Sub/one.bas", "a one");
  folder_.write("b/Sub/two.bas", "b two");
  folder_.write("b/Sub/One.bas", "b one");
  expect_reads({{"A/SUB/ONE.BAS", "a one"},
                {"B/SUB/ONE.BAS", "b one"},
                {"B/sub/TWO.bas", "b two"},
                {"A/sub/TWO.bas", "<none>"},
                {"a/SUB/One.bas", "a one"},
                {"b/SUB/one.BAS", "b one"}});
  folder_.write("a/Sub/Late.frm", "late");
  folder_.write("Later/New.bas", "new");
  expect_reads({{"a/Sub/Late.frm", "late"}, {"Later/New.bas", "new"}, {"Later/NEW.BAS", "new"}});
}

TEST_F(FileNames, OnlyOrdinaryFilesOpen) {
  folder_.make_folder("Old.bas");
  ASSERT_EQ(::mkfifo((folder_ / "pipe.bas").c_str(), 0600), 0);
  folder_.write("real.bas", "x\n");
  ASSERT_EQ(::symlink((folder_ / "real.bas").c_str(), (folder_ / "link.bas").c_str()), 0);
  expect_reads({{"Old.bas", "<none>"},
                {"pipe.bas", "<none>"},  // and does not hang
                {"/dev/null", "<none>"},
                {"link.bas", "x\n"},
                {"", "<none>"},
                {std::string("real.bas\0.frm", 13), "<none>"}});
}

TEST_F(FileNames, MatchesAreOrdinaryVisibleFilesSortedIgnoringCase) {
  for (const char* name :
       {"UTIL.BAS", "a.b.bas", "Form1.frm", "MAIN.FRM", "README.TXT", "zeta.bas", ".UTIL.BAS",
        "Beta.Bas", "noext", "Src/Sub/One.cls", "Src/Sub/testTwo.CLS", "Src/Sub/atest.cls"})
    folder_.write(name, "x\n");
  folder_.make_folder("OLD.BAS");
  ASSERT_EQ(::mkfifo((folder_ / "fifo.bas").c_str(), 0600), 0);
  ASSERT_EQ(::symlink((folder_ / "zeta.bas").c_str(), (folder_ / "link.bas").c_str()), 0);
  ASSERT_EQ(::symlink("/dev/null", (folder_ / "dev.bas").c_str()), 0);
  using Names = std::vector<std::string>;
  EXPECT_EQ(matches("*.bas"), (Names{"a.b.bas", "Beta.Bas", "link.bas", "UTIL.BAS", "zeta.bas"}));
  EXPECT_EQ(matches("*.*"), (Names{"a.b.bas", "Beta.Bas", "Form1.frm", "link.bas", "MAIN.FRM",
                                   "noext", "README.TXT", "UTIL.BAS", "zeta.bas"}));
  EXPECT_EQ(matches("?eta.bas"), (Names{"Beta.Bas", "zeta.bas"}));
  EXPECT_EQ(matches("*.cls"), Names{});
  // The pattern's folder is found ignoring case and with backslashes.
  EXPECT_EQ(matches("src\\sub\\test*.cls"), Names{"testTwo.CLS"});
  EXPECT_EQ(matches("SRC/SUB/*.cls"), (Names{"atest.cls", "One.cls", "testTwo.CLS"}));
  EXPECT_EQ(matches("missing/*.cls"), Names{});
}

// Written files (the report, exports) are created or emptied in place, but
// never through a link into another file or one that creates a file
// elsewhere, and never under a name cut short by a NUL; devices are written.
TEST_F(FileNames, WrittenFilesRefuseLinksAndCutNames) {
  folder_.write("out/old.csv", std::string(5000, 'o'));
  folder_.write("victim.txt", "keep me\n");
  folder_.make_folder("sub");
  ASSERT_EQ(::symlink("victim.txt", (folder_ / "file.json").c_str()), 0);
  ASSERT_EQ(::symlink("sub/created.html", (folder_ / "dangling.html").c_str()), 0);
  ASSERT_EQ(::symlink("/dev/null", (folder_ / "null.csv").c_str()), 0);
  ASSERT_EQ(::mkfifo((folder_ / "pipe.csv").c_str(), 0600), 0);
  EXPECT_TRUE(write_to("out\\new.csv", "a;b\n"));
  EXPECT_TRUE(write_to("out/old.csv", "c\n"));
  EXPECT_FALSE(write_to("file.json", "x"));
  EXPECT_FALSE(write_to("dangling.html", "x"));
  EXPECT_FALSE(write_to("pipe.csv", "x"));  // and does not hang
  EXPECT_FALSE(write_to(std::string("cut\0.csv", 8), "x"));
  EXPECT_TRUE(write_to("null.csv", "x"));
  expect_reads({{"out/new.csv", "a;b\n"},
                {"out/old.csv", "c\n"},
                {"victim.txt", "keep me\n"},
                {"sub/created.html", "<none>"},
                {"cut", "<none>"}});
}

}  // namespace
}  // namespace codetal
