#include "traverse/project_file.h"

#include <span>

#include "platform/text_lines.h"

namespace codetal {
namespace {

// The names `file` lists under `keys` that `wanted` accepts, placed beside
// the listing file; whether a read failed. Every line is shown to `each`.
template <typename Wanted, typename Each>
bool listed_names_of(InputFile& file, std::string_view listing_name,
                     std::span<const ListingKey> keys, Wanted wanted,
                     std::vector<std::string>& names, Each each) {
  TextLines lines(file);
  std::string_view line;
  while (lines.next(line)) {
    each(line);
    std::optional<std::string_view> listed = listed_name(line, keys);
    if (!listed || !wanted(*listed)) continue;
    place_beside(names.emplace_back(), listing_name, *listed);
  }
  return lines.read_failed();
}

}  // namespace

ProjectFile read_project(InputFile& file, std::string_view project_name, ModuleKinds kinds,
                         bool assess) {
  const std::span<const ListingKey> keys = project_keys(kinds);
  ProjectFile project;
  ProjectFacts* facts = assess ? &project.facts.emplace() : nullptr;
  project.read_failed = listed_names_of(
      file, project_name, keys,
      [kinds](std::string_view name) { return is_module_name(name, kinds); }, project.modules,
      [facts](std::string_view line) {
        if (facts != nullptr) read_project_fact(line, *facts);
      });
  return project;
}

GroupFile read_group(InputFile& file, std::string_view group_name) {
  GroupFile group;
  group.read_failed = listed_names_of(file, group_name, kGroupKeys, is_project_name, group.projects,
                                      [](std::string_view) {});
  return group;
}

}  // namespace codetal
