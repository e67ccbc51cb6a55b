#include "check_helpers.h"

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>

#include "analysis/count_module.h"
#include "fake_platform.h"
#include "options/options_file.h"
#include "platform/ascii.h"
#include "platform/memory_input.h"
#include "report/log_report.h"
#include "traverse/project_reader.h"

namespace codetal::fuzz {
namespace {

constexpr std::size_t npos = std::string::npos;

// The text the readers see: a Ctrl-Z ends it and carriage returns vanish.
std::string as_text(std::string_view bytes) {
  std::string text(bytes.substr(0, bytes.find(kCtrlZ)));
  std::erase(text, '\r');
  return text;
}

// Counted on the bytes: nothing for a module without text, sound sums
// otherwise.
std::string check_module_run(std::string_view bytes, bool headers, bool empty, ModuleStats& s) {
  const std::string what = headers ? "with header counting" : "without header counting";
  LineReader reader;
  MemoryInput input(bytes);
  std::optional<ModuleStats> counted = count_module(reader, input, CountRules{headers});
  if (empty) return counted ? what + ": a module without text must count nothing" : "";
  if (!counted) return what + ": a module with text must be counted";
  s = *counted;
  return check_sums(s, what);
}

}  // namespace

std::string describe(const ModuleStats& s) {
  std::string text;
  for (std::int32_t count : s.counts) text += std::to_string(count) + " ";
  return text;
}

std::string check_sums(const ModuleStats& s, const std::string& what) {
  std::int64_t statements = 0;
  for (int i = 0; i < kCounterCount; ++i) {
    if (s.counts[i] < 0) return what + ": negative counter: " + describe(s);
    if (i >= kSubs) statements += s.counts[i];
  }
  if (s[kCodeLines] + s[kCommentLines] + s[kBlankLines] != s[kTotalLines])
    return what + ": code + comments + blanks != total lines: " + describe(s);
  if (statements > s[kCodeLines])
    return what + ": more statements than lines of code: " + describe(s);
  return {};
}

std::string check_module_bytes(std::string_view bytes) {
  const std::string text = as_text(bytes);
  ModuleStats off, on;
  for (bool headers : {false, true}) {
    std::string failure = check_module_run(bytes, headers, text.empty(), headers ? on : off);
    if (!failure.empty()) return failure;
  }
  if (text.empty()) return {};
  // Counting header lines as code counts every line of the text exactly once.
  const std::int64_t lines = std::count(text.begin(), text.end(), '\n') + (text.back() != '\n');
  if (on[kTotalLines] != lines)
    return "with header counting, total lines " + std::to_string(on[kTotalLines]) +
           " != lines of the text " + std::to_string(lines);
  // The option only moves header lines between "skipped" and "code".
  const std::int32_t header = on[kTotalLines] - off[kTotalLines];
  ModuleStats moved = off;
  moved[kTotalLines] += header;
  moved[kCodeLines] += header;
  if (header < 0 || moved != on)
    return "header counting changed more than header lines into code: " + describe(off) + "/ " +
           describe(on);
  if (header != 0 && ("\n" + text).find("\n" + std::string(kFormHeaderStart)) == npos)
    return "header lines skipped without a header";
  return {};
}

std::string check_options_bytes(std::string_view bytes) {
  test::FakePlatform platform;
  platform.inputs[kOptionsFileName] = std::string(bytes);
  ReportOptions o;
  {
    Console console(platform);
    load_options(platform, console, o);
  }
  for (std::int32_t value : {o.blank_lines, o.count_form_headers, o.all_module_kinds}) {
    if (value < 0 || value > 1) return "a blank-line, header or module-kinds setting outside 0..1";
  }
  for (std::size_t i = 0; i < kStatementKindCount; ++i) {
    const StatementKind& kind = kStatementKinds[i];
    const std::int32_t value = o.shown_kinds[i];
    if (kind.option_key.empty() && value != 1) return "a list line without a key changed";
    if (value != (kind.shown_by_default ? 1 : 0) &&
        (value < kind.lowest_value - '0' || value > kind.highest_value - '0'))
      return "a list-line setting outside the values its key accepts";
  }
  if (o.report_form < 0 || o.report_form > 2) return "report form outside 0..2";
  if (o.shell_to < 0 || o.shell_to > 2) return "viewer outside 0..2";

  // Every invalid record is shown and waited for once; nothing else waits.
  const std::string invalid = "Codetal==>  Invalid User Parameter Record \n";
  int shown = 0;
  for (std::size_t at = platform.out.find(invalid); at != npos;
       at = platform.out.find(invalid, at + 1))
    ++shown;
  if (shown != platform.waits()) return "waits differ from invalid records shown";
  if (platform.clears() != 0) return "the screen was cleared although the file exists";

  std::string lower = as_text(bytes);
  make_lower(lower);
  if (lower.find("[codetal ") == npos && (!(o == ReportOptions{}) || !platform.out.empty()))
    return "options changed or messages shown without an options section";
  return {};
}

namespace {

namespace fs = std::filesystem;

// One folder for the whole process, removed when it ends: a copy of
// listing_tree (good modules, a project, an empty module, a folder named as a
// module and broken links that listed names can reach) beside the files
// written for each input.
struct Workspace {
  fs::path root = make_scratch_folder();
  Workspace() {
    fs::copy(CODETAL_FUZZ_LISTING_TREE, root,
             fs::copy_options::recursive | fs::copy_options::copy_symlinks);
  }
  ~Workspace() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
};

// One traversal of a listing file into an in-memory report.
struct ListingRun {
  test::FakePlatform platform;
  Console console{platform};
  ReportLog log{platform, console};
  ReportOptions options;
  LogReport report{log, options};
  Traversal run;
  explicit ListingRun(InputKind kind) : run(platform, console, options, report, kind) {}

  std::string check(Next result, const std::string& label) {
    if (result == Next::kStop && !run.failed) return label + ": a stop was not marked as a failure";
    for (const ModuleStats* totals : {&run.project_totals, &run.group_totals}) {
      if (std::string failure = check_sums(*totals, label); !failure.empty()) return failure;
    }
    if (result == Next::kStop) return {};
    run.report.run_ended(0);
    const std::string& text = platform.written[kReportFileName];
    // Read to its end, the report shows totals that are the sums of the run:
    // a project's own, or every project's and then the group's.
    int projects = 0, groups = 0;
    std::optional<ModuleStats> project_sum = printed_totals(text, "Project Totals \n", projects);
    if (!project_sum) return label + ": a Project Totals block without its two rows";
    ModuleStats expected = run.group_totals;
    expected[kLabels] = 0;
    if (*project_sum != expected)
      return label + ": printed project totals do not add up: " + describe(*project_sum) + "/ " +
             describe(run.group_totals);
    if (label == "project") return projects == 1 ? "" : label + ": not one Project Totals block";
    std::optional<ModuleStats> group = printed_totals(text, "Group Totals \n", groups);
    if (!group || groups != 1) return label + ": not one Group Totals block with its rows";
    if (*group != *project_sum) return label + ": group totals differ from its projects' sum";
    return {};
  }
};

}  // namespace

void write_file(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::optional<ModuleStats> printed_totals(std::string_view report, std::string_view title,
                                          int& blocks) {
  ModuleStats sum;
  blocks = 0;
  for (std::size_t at = report.find(title); at != npos; at = report.find(title, at + 1)) {
    at += title.size();
    std::size_t end = report.find('\n', report.find('\n', at) + 1);
    if (end == npos) return std::nullopt;
    std::string rows(report.substr(at, end - at));
    std::replace_if(
        rows.begin(), rows.end(), [](char c) { return c < '0' || c > '9'; }, ' ');
    std::istringstream numbers(rows);
    int shown = 0;
    for (std::int64_t n; numbers >> n; ++shown) {
      if (shown == kCounterCount - 1) return std::nullopt;
      sum.counts[shown + (shown >= kLabels ? 1 : 0)] += static_cast<std::int32_t>(n);
    }
    if (shown != kCounterCount - 1) return std::nullopt;
    ++blocks;
  }
  return sum;
}

fs::path make_scratch_folder() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/codetal-fuzz-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  return pattern;
}

std::string check_listing_bytes(std::string_view bytes) {
  static const Workspace workspace;
  write_file(workspace.root / "fuzz.vbp", bytes);
  write_file(workspace.root / "fuzz.vbg", bytes);
  {
    ListingRun project(InputKind::kProject);
    Next result = read_project_file(project.run, (workspace.root / "fuzz.vbp").string());
    // Modules never stop a project given alone, and the file is there.
    if (result != Next::kGoOn) return "a project given alone stopped";
    if (project.run.project_totals != ModuleStats{}) return "project totals not reset at its end";
    if (std::string failure = project.check(result, "project"); !failure.empty()) return failure;
  }
  ListingRun group(InputKind::kProjectGroup);
  return group.check(read_group_file(group.run, (workspace.root / "fuzz.vbg").string()), "group");
}

}  // namespace codetal::fuzz
