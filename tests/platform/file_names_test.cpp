// Opening files and listing wildcard matches on a real folder: the names a
// VB6 project writes ("\" separators, letter case of another file system)
// must find their files, and nothing but ordinary files may be read.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "harness.h"
#include "platform/platform.h"

namespace codetal {
namespace {

using test::TempFolder;

class FileNames : public ::testing::Test {
 protected:
  // The whole content of the file opened under `name`, or "<none>".
  std::string read_all(const std::string& name) {
    std::unique_ptr<InputFile> file = platform_->open_input(name);
    if (file == nullptr) return "<none>";
    std::string text;
    char block[7];  // small reads: the file must come whole across them
    for (long n; (n = file->read(block, sizeof block)) > 0;) text.append(block, n);
    return text;
  }
  std::vector<std::string> matches(const std::string& pattern) {
    return platform_->list_matches(folder_.path() + "/" + pattern);
  }

  std::unique_ptr<Platform> platform_ = make_system_platform();
  TempFolder folder_;
};

TEST_F(FileNames, BackslashesSeparateFoldersAndParentFoldersWork) {
  folder_.write("Client/Form1.frm", "form one\n");
  folder_.write("Shared/modUtil.bas", "util\n");
  const std::string root = folder_.path();
  EXPECT_EQ(read_all(root + "\\Client\\Form1.frm"), "form one\n");
  EXPECT_EQ(read_all(root + "/Client\\..\\Shared\\modUtil.bas"), "util\n");
}

TEST_F(FileNames, LetterCaseIsResolvedFolderByFolder) {
  folder_.write("Client/Forms/frmMain.frm", "main\n");
  folder_.write("Shared/modUtil.bas", "util\n");
  const std::string root = folder_.path();
  EXPECT_EQ(read_all(root + "/CLIENT/forms/FRMMAIN.FRM"), "main\n");
  EXPECT_EQ(read_all(root + "\\client\\Forms\\..\\..\\shared\\MODUTIL.bas"), "util\n");
  EXPECT_EQ(read_all(root + "/client/forms/nothing.frm"), "<none>");
  // Same length, one letter off (the first or the last): missing.
  EXPECT_EQ(read_all(root + "/client/forms/XRMMAIN.FRM"), "<none>");
  EXPECT_EQ(read_all(root + "/client/forms/frmmain.frx"), "<none>");
  EXPECT_EQ(read_all(root + "/dlient/forms/frmmain.frm"), "<none>");
  EXPECT_EQ(read_all(root + "/nowhere/frmMain.frm"), "<none>");
}

TEST_F(FileNames, ExactNameWinsAndOtherwiseTheFirstInByteOrder) {
  folder_.write("a.bas", "lower\n");
  folder_.write("A.BAS", "upper\n");
  const std::string root = folder_.path();
  EXPECT_EQ(read_all(root + "/a.bas"), "lower\n");
  EXPECT_EQ(read_all(root + "/A.BAS"), "upper\n");
  EXPECT_EQ(read_all(root + "/a.BAS"), "upper\n");
}

TEST_F(FileNames, OnlyOrdinaryFilesOpen) {
  folder_.make_folder("Old.bas");
  ASSERT_EQ(::mkfifo((folder_ / "pipe.bas").c_str(), 0600), 0);
  folder_.write("real.bas", "x\n");
  ASSERT_EQ(::symlink((folder_ / "real.bas").c_str(), (folder_ / "link.bas").c_str()), 0);
  EXPECT_EQ(read_all(folder_ / "Old.bas"), "<none>");
  EXPECT_EQ(read_all(folder_ / "pipe.bas"), "<none>");  // and does not hang
  EXPECT_EQ(read_all("/dev/null"), "<none>");
  EXPECT_EQ(read_all(folder_ / "link.bas"), "x\n");
  EXPECT_EQ(read_all(""), "<none>");
  EXPECT_EQ(read_all(folder_ / std::string("real.bas\0.frm", 13)), "<none>");
}

TEST_F(FileNames, MatchesAreOrdinaryVisibleFilesSortedIgnoringCase) {
  for (const char* name : {"UTIL.BAS", "a.b.bas", "Form1.frm", "MAIN.FRM", "README.TXT", "zeta.bas",
                           ".UTIL.BAS", "Beta.Bas", "noext"})
    folder_.write(name, "x\n");
  folder_.make_folder("OLD.BAS");
  ASSERT_EQ(::mkfifo((folder_ / "fifo.bas").c_str(), 0600), 0);
  ASSERT_EQ(::symlink((folder_ / "zeta.bas").c_str(), (folder_ / "link.bas").c_str()), 0);
  ASSERT_EQ(::symlink("/dev/null", (folder_ / "dev.bas").c_str()), 0);

  EXPECT_EQ(matches("*.bas"),
            (std::vector<std::string>{"a.b.bas", "Beta.Bas", "link.bas", "UTIL.BAS", "zeta.bas"}));
  EXPECT_EQ(matches("*.frm"), (std::vector<std::string>{"Form1.frm", "MAIN.FRM"}));
  EXPECT_EQ(matches("*.*"),
            (std::vector<std::string>{"a.b.bas", "Beta.Bas", "Form1.frm", "link.bas", "MAIN.FRM",
                                      "noext", "README.TXT", "UTIL.BAS", "zeta.bas"}));
  EXPECT_EQ(matches("?eta.bas"), (std::vector<std::string>{"Beta.Bas", "zeta.bas"}));
  EXPECT_EQ(matches("*.cls"), std::vector<std::string>{});
}

TEST_F(FileNames, PatternFolderIsFoundIgnoringCaseAndWithBackslashes) {
  folder_.write("Src/Sub/One.cls", "x\n");
  folder_.write("Src/Sub/testTwo.CLS", "x\n");
  folder_.write("Src/Sub/atest.cls", "x\n");
  EXPECT_EQ(matches("src\\sub\\test*.cls"), std::vector<std::string>{"testTwo.CLS"});
  EXPECT_EQ(matches("SRC/SUB/*.cls"),
            (std::vector<std::string>{"atest.cls", "One.cls", "testTwo.CLS"}));
  EXPECT_EQ(matches("missing/*.cls"), std::vector<std::string>{});
}

}  // namespace
}  // namespace codetal
