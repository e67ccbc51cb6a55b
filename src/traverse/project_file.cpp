#include "traverse/project_file.h"

#include <span>

#include "platform/text_lines.h"

namespace codetal {
namespace {

// The names `file` lists under `keys` that `wanted` accepts, placed beside
// the listing file; whether a read failed.
template <typename Wanted>
bool listed_names_of(InputFile& file, std::string_view listing_name,
                     std::span<const ListingKey> keys, Wanted wanted,
                     std::vector<std::string>& names) {
  TextLines lines(file);
  std::string_view line;
  while (lines.next(line)) {
    std::optional<std::string_view> listed = listed_name(line, keys);
    if (!listed || !wanted(*listed)) continue;
    place_beside(names.emplace_back(), listing_name, *listed);
  }
  return lines.read_failed();
}

}  // namespace

ProjectFile read_project(InputFile& file, std::string_view project_name, ModuleKinds kinds) {
  const std::span<const ListingKey> keys = kinds == ModuleKinds::kAll
                                               ? std::span<const ListingKey>(kAllKindsProjectKeys)
                                               : std::span<const ListingKey>(kProjectKeys);
  ProjectFile project;
  project.read_failed = listed_names_of(
      file, project_name, keys,
      [kinds](std::string_view name) { return is_module_name(name, kinds); }, project.modules);
  return project;
}

GroupFile read_group(InputFile& file, std::string_view group_name) {
  GroupFile group;
  group.read_failed =
      listed_names_of(file, group_name, kGroupKeys, is_project_name, group.projects);
  return group;
}

}  // namespace codetal
