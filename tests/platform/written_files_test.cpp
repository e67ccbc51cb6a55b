// Files written under any name (the report, exports): created or emptied,
// but never through a link into another file or one that creates a file
// elsewhere, and never under a name cut short by a NUL.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "harness.h"
#include "platform/platform.h"

namespace codetal {
namespace {

using test::TempFolder;

bool write_to(const std::string& name, std::string_view text) {
  std::unique_ptr<OutputFile> file = make_system_platform()->create_output(name);
  return file != nullptr && file->write(text) && file->close();
}

TEST(WrittenFiles, AnyNameIsCreatedOrEmptiedInPlace) {
  TempFolder folder;
  folder.make_folder("out");
  folder.write("out/old.csv", std::string(5000, 'o'));
  EXPECT_TRUE(write_to(folder / "out\\new.csv", "a;b\n"));
  EXPECT_TRUE(write_to(folder / "out/old.csv", "c\n"));
  EXPECT_EQ(test::read_file(folder / "out/new.csv"), "a;b\n");
  EXPECT_EQ(test::read_file(folder / "out/old.csv"), "c\n");
}

TEST(WrittenFiles, LinksAndCutNamesAreRefusedDevicesWritten) {
  TempFolder folder;
  folder.write("victim.txt", "keep me\n");
  folder.make_folder("sub");
  ASSERT_EQ(::symlink("victim.txt", (folder / "file.json").c_str()), 0);
  ASSERT_EQ(::symlink("sub/created.html", (folder / "dangling.html").c_str()), 0);
  ASSERT_EQ(::symlink("/dev/null", (folder / "null.csv").c_str()), 0);
  ASSERT_EQ(::mkfifo((folder / "pipe.csv").c_str(), 0600), 0);
  EXPECT_FALSE(write_to(folder / "file.json", "x"));
  EXPECT_FALSE(write_to(folder / "dangling.html", "x"));
  EXPECT_FALSE(write_to(folder / "pipe.csv", "x"));  // and does not hang
  EXPECT_FALSE(write_to(folder / std::string("cut\0.csv", 8), "x"));
  EXPECT_TRUE(write_to(folder / "null.csv", "x"));
  EXPECT_EQ(test::read_file(folder / "victim.txt"), "keep me\n");
  EXPECT_NE(::access((folder / "sub/created.html").c_str(), F_OK), 0);
  EXPECT_NE(::access((folder / "cut").c_str(), F_OK), 0);
}

}  // namespace
}  // namespace codetal
