// Files opened, listed and written on a real folder: the names a VB6 project
// writes ("\" separators, letter case of another file system) must find
// their files, nothing but ordinary files may be read, and nothing may be
// written through a link or under a name cut short by a NUL.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "harness.h"
#include "platform/platform.h"
#include "test_data.h"

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

TEST_F(FileNames, EveryLookupOfTheTable) {
  test::prepare_case("unit/file-names", folder_);
  for (const auto& row : test::read_table("unit/file-names/lookups.txt")) {
    if (row.at(0) == "read") {
      EXPECT_EQ(read_all(row.at(1)), row.at(2)) << row[1];
      continue;
    }
    std::string names;
    for (const std::string& name : matches(row.at(1))) names += (names.empty() ? "" : " ") + name;
    EXPECT_EQ(names, row.at(2)) << row[1];
  }
}

// A file created after its folder was listed is found by its exact name,
// and in a folder created later ignoring case too.
TEST_F(FileNames, FilesCreatedAfterTheirFolderWasListedAreFound) {
  folder_.write("Forms/Main.frm", "main");
  ASSERT_EQ(read_all("forms/MAIN.FRM"), "main");
  folder_.write("Forms/Late.frm", "late");
  folder_.write("Later/New.bas", "new");
  expect_reads({{"Forms/Late.frm", "late"}, {"Later/New.bas", "new"}, {"Later/NEW.BAS", "new"}});
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
