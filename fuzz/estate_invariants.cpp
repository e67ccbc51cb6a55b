// An estate is whatever a folder holds. The bytes plan a small tree on disk;
// the run over it must end, its totals must be the sums of what it reports,
// and its estate totals must hold each listed module file once (module k
// has 2^k lines, one of them code, so a file counted twice shows as a carry:
// the total lines have fewer bits set than modules were summed). Files with the
// same bytes, and only those, form its copy sets; its distinct-content
// totals count each content among its listed files once; nothing is
// walked under a folder left out.
#include <sys/stat.h>

#include <bit>
#include <map>
#include <set>

#include "check_helpers.h"
#include "platform/wildcard.h"
#include "traverse/estate.h"

namespace codetal::fuzz {
namespace {

namespace fs = std::filesystem;

// What a listing line may name: the eight modules, then other spellings of
// them through links, and entries that are no module file at all.
constexpr const char* kModules[] = {"m0.bas",         "Lib/M1.BAS",
                                    "Lib/Sub/f2.frm", ".hid/c3.cls",
                                    "c4.cls",         "Lib/m5.bas",
                                    "Other/m6.bas",   ".m7.bas",
                                    "L0.bas",         "pipe.bas",
                                    "dir.bas",        "gone.bas",
                                    "Lib/up/m0.bas",  "Lib/Sub/back/m5.bas",
                                    "missing.bas",    "Lib/Sub/../../c4.cls"};
constexpr const char* kProjects[] = {"p0.vbp",        "Lib/p1.vbp", ".hid/p2.vbp", "Other/p3.vbp",
                                     "Other/lib.vbp", "g.vbg",      "missing.vbp", "m0.bas"};
constexpr const char* kGroups[] = {"g.vbg", "Lib/h.vbg"};
// Links (name, target) and other odd entries, each present when its bit of
// the plan's second byte is set.
constexpr std::pair<const char*, const char*> kLinks[] = {{"Lib/up", ".."},
                                                          {"Lib/Sub/back", "../../Lib"},
                                                          {"L0.bas", "m0.bas"},
                                                          {"gone.bas", "nowhere.bas"},
                                                          {"Other/lib.vbp", "../Lib/p1.vbp"}};

// The name of `path` as a listing in `owner`'s folder writes it, one of
// four ways: as it is, upper case, after ".\", or with "/" for "\".
std::string listed_name(std::string_view owner, std::string path, int spelling) {
  for (char c : owner) {
    if (c == '/') path = "../" + path;
  }
  for (char& c : path) {
    if (spelling == 1 && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (spelling != 3 && c == '/') c = '\\';
  }
  return spelling == 2 ? ".\\" + path : path;
}

std::string module_line(std::string_view owner, int module, int spelling) {
  const std::string name = listed_name(owner, kModules[module], spelling);
  if (name.ends_with(".frm")) return "Form=" + name + "\r\n";
  return std::string(name.ends_with(".bas") ? "Module=M; " : "Class=C; ") + name + "\r\n";
}

// The tree the plan describes, written afresh under `root`.
void plant_tree(const fs::path& root, std::string_view plan) {
  auto bit = [&](std::size_t byte, int n) {
    return byte < plan.size() && (static_cast<unsigned char>(plan[byte]) >> n & 1);
  };
  for (const char* folder : {"Lib/Sub", ".hid", "Other"}) fs::create_directories(root / folder);
  for (int k = 0; k < 8; ++k) {
    std::string text;
    for (int line = 1; line < (1 << k); ++line) text += "' note\r\n";
    if (bit(0, k)) test::write_file(root / kModules[k], text + "x = 1\r\n");
  }
  // Copies: m6 with the bytes of m0, c4 with those of M1.
  if (bit(2, 6) && bit(0, 0) && bit(0, 6))
    fs::copy_file(root / kModules[0], root / kModules[6], fs::copy_options::overwrite_existing);
  if (bit(2, 6) && bit(0, 1) && bit(0, 4))
    fs::copy_file(root / kModules[1], root / kModules[4], fs::copy_options::overwrite_existing);
  for (int n = 0; n < 5; ++n) {
    if (bit(1, n)) fs::create_symlink(kLinks[n].second, root / kLinks[n].first);
  }
  if (bit(1, 5)) ::mkfifo((root / "pipe.bas").c_str(), 0600);
  if (bit(1, 6)) fs::create_directory(root / "dir.bas");
  std::string listings[6];
  for (int n = 0; n < 4; ++n) listings[n] = "Type=Exe\r\n";
  for (int n = 4; n < 6; ++n) listings[n] = "VBGROUP 5.0\r\n";
  // Then two bytes a line: its listing and spelling, and what it names.
  for (std::size_t at = 3; at + 1 < plan.size(); at += 2) {
    const unsigned v = static_cast<unsigned char>(plan[at]);
    const int owner = v & 7, spelling = v >> 3 & 3, target = plan[at + 1] & 15;
    if (owner < 4) {
      listings[owner] += module_line(kProjects[owner], target, spelling);
    } else {
      const char* group = kGroups[owner / 6];
      listings[4 + owner / 6] +=
          "Project=" + listed_name(group, kProjects[target & 7], spelling) + "\r\n";
    }
  }
  for (int n = 0; n < 6; ++n) {
    if (bit(2, n)) test::write_file(root / (n < 4 ? kProjects[n] : kGroups[n - 4]), listings[n]);
  }
}

// The folders the plan leaves out, by patterns that match "Sub" and "Other".
std::vector<std::string> left_out(std::string_view plan) {
  std::vector<std::string> patterns;
  if (plan.size() > 1 && (plan[1] & 0x80)) patterns.push_back("s?B");
  if (plan.size() > 2 && (plan[2] & 0x80)) patterns.push_back("*THER");
  return patterns;
}

std::string text_of(Platform& platform, std::string_view name) {
  return test::read_file(platform.found_path(name));
}

class ContentRules final : public fuzz::RuleListener {
 public:
  ContentRules(Platform& platform, std::string root, std::vector<std::string> patterns)
      : platform_(platform), root_(std::move(root)), patterns_(std::move(patterns)) {}

  void module_counted(std::string_view module, const ModuleResult& result) override {
    std::optional<FileIdentity> id = platform_.identify(module);
    if (!id || !files_.insert({id->volume, id->file}).second) return;
    if (listing_) listed_ += result.stats;
    Content& content = contents_[text_of(platform_, module)];
    ++content.files;
    if (listing_ && !content.listed) {
      content.listed = true;
      distinct_ += result.stats;
    }
    if (!listing_) expect(!under_left_out(module), "a module under a folder left out was walked");
  }
  void group_started(std::string_view group) override {
    expect(!under_left_out(group), "a group under a folder left out was read");
    in_group_ = true;
  }
  void group_ended(std::string_view, const ModuleStats&) override { in_group_ = false; }
  void project_started(std::string_view project) override {
    expect(in_group_ || !under_left_out(project), "a project under a folder left out was walked");
  }
  void folder_left_out(std::string_view folder) override {
    expect(under_left_out(std::string(folder) + "/x"), "a folder left out that no pattern names");
  }
  void unlisted_modules_started() override { listing_ = false; }
  void estate_ended(std::string_view, const EstateSummary& summary) override {
    const ModuleStats& totals = summary.totals;
    expect(totals == listed_, "estate totals differ from the sum of distinct listed files");
    // Copies have the lines of the file they copy: then carries are no fault.
    if (summary.copies.empty())
      expect(std::popcount(static_cast<unsigned>(totals[kTotalLines])) == totals[kCodeLines],
             "a module file counted twice in the estate totals");
    std::size_t sets = 0;
    for (const auto& [text, content] : contents_) sets += content.files > 1;
    expect(summary.copies.size() == sets, "copy sets are not the files with equal bytes");
    for (const CopySet& set : summary.copies) {
      expect(set.files.size() > 1, "a copy set of one file");
      for (const std::string& file : set.files)
        expect(text_of(platform_, file) == text_of(platform_, set.files[0]),
               "a copy set holds files whose bytes differ");
    }
    expect(summary.distinct_content_totals == distinct_,
           "distinct-content totals are not each listed content once");
  }

 private:
  struct Content {
    int files = 0;
    bool listed = false;
  };
  // Whether a folder of the name below the root matches a pattern.
  bool under_left_out(std::string_view name) const {
    if (!name.starts_with(root_)) return false;
    name.remove_prefix(root_.size());
    for (std::size_t end; (end = name.find_first_of("/\\", 1)) != std::string_view::npos;
         name.remove_prefix(end)) {
      const std::string_view folder = name.substr(1, end - 1);
      for (const std::string& pattern : patterns_) {
        if (wildcard_match(pattern, folder)) return true;
      }
    }
    return false;
  }
  void expect(bool holds, const char* what) {
    if (!holds && failure.empty()) failure = what;
  }

  Platform& platform_;
  std::set<std::pair<std::uint64_t, std::uint64_t>> files_;
  std::map<std::string, Content> contents_;
  std::string root_;
  std::vector<std::string> patterns_;
  ModuleStats listed_, distinct_;
  bool listing_ = true;
  bool in_group_ = false;
};

}  // namespace

std::string check_estate_bytes(std::string_view bytes) {
  static const test::TempFolder scratch;
  const fs::path root = scratch / "estate";
  fs::remove_all(root);
  plant_tree(root, bytes);
  std::unique_ptr<Platform> disk = make_system_platform();
  ContentRules rules(*disk, root.string(), left_out(bytes));
  return check_traversal(
      InputKind::kEstate,
      [&](Traversal& run) -> std::string {
        process_estate(run, root.string(), left_out(bytes));
        return {};
      },
      &rules);
}

}  // namespace codetal::fuzz
