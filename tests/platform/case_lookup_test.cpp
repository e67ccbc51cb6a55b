// The lookup that ignores letter case lists each folder once per run: every
// name of a folder must still find its own file, in whichever folder, and a
// file created after its folder was listed is found by its exact name.
#include <gtest/gtest.h>

#include "harness.h"
#include "platform/platform.h"

namespace codetal {
namespace {

using test::TempFolder;

std::string read_all(Platform& platform, const std::string& name) {
  std::unique_ptr<InputFile> file = platform.open_input(name);
  if (file == nullptr) return "<none>";
  std::string text;
  char block[64];
  for (long n; (n = file->read(block, sizeof block)) > 0;) text.append(block, n);
  return text;
}

std::string swap_case(std::string name) {
  for (char& c : name) {
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 32);
    else if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c + 32);
  }
  return name;
}

// Bytes between 'Z' and 'a' sort before letters once letters are lowered and
// after them once raised: a listing sorted one way and searched the other
// loses names.
TEST(CaseLookup, EveryNameOfAListedFolderFindsItsOwnFile) {
  TempFolder folder;
  std::vector<std::string> names = {"x_.bas", "xa.bas", "XB.bas",    "x`.bas", "x[.BAS", "X^.bas",
                                    "xZ.bas", "x~.bas", "x\xe9.bas", "x.bas",  "x0.bas"};
  for (int i = 0; i < 40; ++i) names.push_back("mod" + std::to_string(i * 7919 % 1000) + ".Bas");
  for (const std::string& name : names) folder.write(name, name);
  auto platform = make_system_platform();
  for (const std::string& name : names) {
    EXPECT_EQ(read_all(*platform, folder / swap_case(name)), name);
    EXPECT_EQ(read_all(*platform, folder / name), name);
  }
  EXPECT_EQ(read_all(*platform, folder / "X.BA"), "<none>");
  EXPECT_EQ(read_all(*platform, folder / "XC.BAS"), "<none>");
}

// Folders of the same name under different parents are listed apart, and
// the order of lookups does not matter.
TEST(CaseLookup, EachFolderHasItsOwnListing) {
  TempFolder folder;
  folder.write("a/Sub/one.bas", "a one");
  folder.write("b/Sub/two.bas", "b two");
  folder.write("b/Sub/One.bas", "b one");
  auto platform = make_system_platform();
  const struct {
    const char* name;
    const char* content;
  } lookups[] = {{"A/SUB/ONE.BAS", "a one"}, {"B/SUB/ONE.BAS", "b one"},
                 {"B/sub/TWO.bas", "b two"}, {"A/sub/TWO.bas", "<none>"},
                 {"a/SUB/One.bas", "a one"}, {"b/SUB/one.BAS", "b one"}};
  for (const auto& lookup : lookups)
    EXPECT_EQ(read_all(*platform, folder / lookup.name), lookup.content) << lookup.name;
}

TEST(CaseLookup, FileCreatedAfterItsFolderWasListedIsFoundByItsExactName) {
  TempFolder folder;
  folder.write("Forms/Main.frm", "main");
  auto platform = make_system_platform();
  ASSERT_EQ(read_all(*platform, folder / "forms/MAIN.FRM"), "main");
  folder.write("Forms/Late.frm", "late");
  folder.write("Later/New.bas", "new");
  EXPECT_EQ(read_all(*platform, folder / "Forms/Late.frm"), "late");
  EXPECT_EQ(read_all(*platform, folder / "Later/New.bas"), "new");
  // A folder created later is found ignoring case below its exact name.
  EXPECT_EQ(read_all(*platform, folder / "Later/NEW.BAS"), "new");
}

}  // namespace
}  // namespace codetal
