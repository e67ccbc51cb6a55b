#include "traverse/estate_walk.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

#include "platform/ascii.h"
#include "platform/wildcard.h"
#include "traverse/listed_names.h"

namespace codetal {
namespace {

class EstateWalk {
 public:
  EstateWalk(Traversal& run, const std::vector<std::string>& left_out)
      : run_(run), left_out_(left_out), matched_(left_out.size(), false) {}

  // A pattern that matched no folder was most likely mistyped, or names a
  // path where a folder's name is meant.
  void tell_unmatched() {
    for (std::size_t i = 0; i < left_out_.size(); ++i) {
      if (!matched_[i] && !left_out_[i].empty()) run_.report.pattern_unmatched(left_out_[i]);
    }
  }

  void walk(const std::string& folder) {
    if (!first_visit(folder)) return;
    std::vector<FolderEntry> entries;
    if (!run_.platform.list_folder(folder, entries)) {
      run_.report.folder_unreadable(folder);
      return;
    }
    std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
      return less_ignoring_case(a.name, b.name);
    });
    for (const FolderEntry& entry : entries) {
      std::string name = inside(folder, entry.name);
      if (entry.is_folder && is_left_out(entry.name)) {
        run_.report.folder_left_out(name);
      } else if (entry.is_folder) {
        walk(name);
      } else {
        file_found(std::move(name));
      }
    }
  }

  EstateFiles found;

 private:
  // A folder reached again, through a mount or a link that the platform
  // could not tell, would repeat its files or never end.
  bool first_visit(const std::string& folder) {
    std::optional<FileIdentity> identity = run_.platform.identify(folder);
    return !identity || visited_.insert(*identity).second;
  }

  bool is_left_out(std::string_view folder) {
    bool left_out = false;
    for (std::size_t i = 0; i < left_out_.size(); ++i) {
      if (!wildcard_match(left_out_[i], folder)) continue;
      matched_[i] = true;
      left_out = true;
    }
    return left_out;
  }

  void file_found(std::string name) {
    if (is_group_name(name)) {
      found.groups.push_back(std::move(name));
    } else if (is_project_name(name)) {
      found.projects.push_back(std::move(name));
    } else if (is_module_name(name, run_.module_kinds())) {
      found.modules.push_back(std::move(name));
    } else if (is_module_name(name, ModuleKinds::kAll)) {
      found.not_counted.push_back(std::move(name));
    }
  }

  // Folders walked are joined with the platform's own separator; names read
  // from listing files keep theirs.
  static std::string inside(std::string_view folder, std::string_view entry) {
    std::string name(folder);
    if (!name.empty() && name.back() != '\\' && name.back() != '/')
      name += kWindowsBuild ? '\\' : '/';
    name.append(entry);
    return name;
  }

  Traversal& run_;
  const std::vector<std::string>& left_out_;
  std::vector<bool> matched_;
  std::unordered_set<FileIdentity, FileIdentityHash> visited_;
};

}  // namespace

EstateFiles find_estate_files(Traversal& run, std::string_view folder,
                              const std::vector<std::string>& left_out) {
  EstateWalk walk(run, left_out);
  walk.walk(std::string(folder));
  walk.tell_unmatched();
  return std::move(walk.found);
}

}  // namespace codetal
