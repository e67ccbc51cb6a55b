// Cutting file names out of project and group lines, telling modules and
// projects by their extension, and placing names beside their listing file,
// against the table tests/data/unit/listed_names.txt; and a listing whose
// read fails part way.
#include "traverse/listed_names.h"

#include <gtest/gtest.h>

#include "fake_platform.h"
#include "test_data.h"
#include "traverse/project_file.h"

namespace codetal {
namespace {

std::string answer(const std::vector<std::string>& row, std::string& placed) {
  const std::string& what = row.at(0);
  const std::string_view name = row.at(1);
  if (what == "project" || what == "all-kinds" || what == "group") {
    std::optional<std::string_view> listed =
        listed_name(name, what == "group"     ? std::span<const ListingKey>(kGroupKeys)
                          : what == "project" ? project_keys(ModuleKinds::kClassic)
                                              : project_keys(ModuleKinds::kAll));
    return listed ? std::string(*listed) : "(none)";
  }
  if (what == "module")
    return is_module_name(name, ModuleKinds::kClassic) ? "classic"
           : is_module_name(name, ModuleKinds::kAll)   ? "all"
                                                       : "no";
  if (what == "vbp") return is_project_name(name) ? "yes" : "no";
  if (what == "extension") return std::string(extension_of(name));
  if (what == "folder") return std::string(folder_part(name));
  place_beside(placed, name, row.at(2));
  return placed;
}

TEST(ListedNames, EveryRowOfTheTable) {
  std::string placed = "left over from the last name";
  for (const auto& row : test::read_table("unit/listed_names.txt"))
    EXPECT_EQ(answer(row, placed), row.back()) << row[0] << " " << row.at(1);
}

// The names before the failure are listed, and the failure is told.
TEST(ListingFiles, AReadThatFailsPartWayKeepsTheNamesBeforeIt) {
  test::FakeInputFile project("Module=a; a.bas\r\n", true), group("Project=p.vbp\r\n", true);
  const ProjectFile read = read_project(project, "x.vbp", ModuleKinds::kClassic, false);
  EXPECT_TRUE(read.read_failed);
  EXPECT_EQ(read.modules, std::vector<std::string>{"a.bas"});
  EXPECT_TRUE(read_group(group, "x.vbg").read_failed);
}

}  // namespace
}  // namespace codetal
