// Files opened, listed and written on a real folder, against the table
// tests/data/unit/file-names/lookups.txt: the names a VB6 project writes
// ("\" separators, letter case of another file system) must find their
// files, nothing but ordinary files may be read, and nothing may be written
// through a link or under a name cut short by a NUL.

#include <gtest/gtest.h>

#include "harness.h"
#include "platform/cp1252.h"
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
    if (row[0] == "path") {
      const std::string under = folder_ / "";
      const std::string path = platform_->found_path(folder_ / row.at(1));
      EXPECT_EQ(path.starts_with(under) ? path.substr(under.size()) : path, row.at(2)) << row[1];
      continue;
    }
    if (row[0] == "write") {
      EXPECT_EQ(write_to(row.at(1), "written") ? "yes" : "no", row.at(2)) << row[1];
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
  test::write_file(folder_ / "Forms/Main.frm", "main");
  ASSERT_EQ(read_all("forms/MAIN.FRM"), "main");
  test::write_file(folder_ / "Forms/Late.frm", "late");
  test::write_file(folder_ / "Later/New.bas", "new");
  expect_reads({{"Forms/Late.frm", "late"}, {"Later/New.bas", "new"}, {"Later/NEW.BAS", "new"}});
}

// A listed name read as Windows-1252: the C1 range holds the code page's own
// characters, the five bytes it leaves undefined their C1 controls.
TEST(Cp1252Names, HighBytesBecomeTheirUtf8) {
  EXPECT_EQ(cp1252_as_utf8("Module1.bas"), std::nullopt);
  EXPECT_EQ(cp1252_as_utf8("M\xf3"
                           "dulos\\c\xe1lculo.bas"),
            "M\xc3\xb3"
            "dulos\\c\xc3\xa1lculo.bas");
  EXPECT_EQ(cp1252_as_utf8("\x80\x92\x9f\x81\xff"),
            "\xe2\x82\xac\xe2\x80\x99\xc5\xb8\xc2\x81\xc3\xbf");
}

}  // namespace
}  // namespace codetal
