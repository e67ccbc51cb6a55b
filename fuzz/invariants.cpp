#include "invariants.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>

#include "analysis/count_module.h"
#include "analysis/module_stats.h"
#include "fake_platform.h"
#include "options/options_file.h"
#include "platform/ascii.h"
#include "platform/memory_input.h"
#include "report/layouts.h"
#include "report/log_report.h"
#include "traverse/project_reader.h"

namespace codetal::fuzz {
namespace {

// The text the readers see: a Ctrl-Z ends it and carriage returns vanish.
std::string as_text(std::string_view bytes) {
  std::string text(bytes.substr(0, bytes.find(kCtrlZ)));
  std::erase(text, '\r');
  return text;
}

std::int64_t count_lines(std::string_view text) {
  std::int64_t feeds = static_cast<std::int64_t>(std::count(text.begin(), text.end(), '\n'));
  return feeds + (!text.empty() && text.back() != '\n' ? 1 : 0);
}

bool has_form_header_line(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    if (text.substr(at).starts_with(kFormHeaderStart)) return true;
    std::size_t feed = text.find('\n', at);
    if (feed == std::string_view::npos) break;
    at = feed + 1;
  }
  return false;
}

std::string describe(const ModuleStats& s) {
  std::string text;
  for (int i = 0; i < kCounterCount; ++i) text += (i ? " " : "") + std::to_string(s.counts[i]);
  return text;
}

// Every line counted once as blank, comment or code, and each line of code
// at most once as a statement.
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

struct ModuleRun {
  bool counted = false;
  ModuleStats stats;
  std::string report;
};

// Counted on the bytes, then reported through the log's listener into an
// in-memory report: the table form on one run, the list form on the other.
ModuleRun run_module(std::string_view bytes, bool count_headers) {
  ModuleRun out;
  LineReader reader;
  MemoryInput input(bytes);
  std::optional<ModuleStats> stats = count_module(reader, input, CountRules{count_headers});
  if (!stats) return out;
  out.counted = true;
  out.stats = *stats;
  test::FakePlatform platform;
  {
    Console console(platform);
    ReportLog log(platform, console);
    ReportOptions options;
    options.report_form = count_headers ? 0 : 2;
    LogReport report(log, options);
    report.module_started("fuzz.frm");
    report.module_counted("fuzz.frm", out.stats);
    report.run_ended(0);
  }
  out.report = platform.written[kReportFileName];
  return out;
}

std::string check_module_report(const ModuleRun& run, bool table_form) {
  const ModuleStats& s = run.stats;
  char first[128];
  if (table_form) {
    std::snprintf(first, sizeof first, "fuzz.frm \n%5d    %5d    %5d    %5d  |  ", s[kTotalLines],
                  s[kCodeLines], s[kCommentLines], s[kBlankLines]);
    if (run.report.find(first) == std::string::npos) return "table row 1 missing or misplaced";
    if (run.report.find("\n" + std::string(kRowPrefix)) == std::string::npos)
      return "table row 2 does not begin with the row prefix";
  } else {
    std::snprintf(first, sizeof first, "File: fuzz.frm \n   Total Lines    = %d \n",
                  s[kTotalLines]);
    if (run.report.find(first) == std::string::npos) return "list block missing or misplaced";
  }
  return {};
}

std::string check_one_module_run(const ModuleRun& run, bool empty_text, const char* label) {
  const std::string what = label;
  if (empty_text) {
    if (run.counted) return what + ": a module without text must count nothing";
    return {};
  }
  if (!run.counted) return what + ": a module with text must be counted";
  if (std::string failure = check_sums(run.stats, what); !failure.empty()) return failure;
  return check_module_report(run, std::string_view(label) == "without header counting");
}

}  // namespace

std::string check_module_bytes(std::string_view bytes) {
  const std::string text = as_text(bytes);
  const ModuleRun off = run_module(bytes, false);
  const ModuleRun on = run_module(bytes, true);
  for (const auto& [run, label] :
       {std::pair{&off, "without header counting"}, std::pair{&on, "with header counting"}}) {
    if (std::string failure = check_one_module_run(*run, text.empty(), label); !failure.empty())
      return failure;
  }
  if (text.empty()) return {};

  // Counting header lines as code counts every line of the text exactly once.
  const std::int64_t lines = count_lines(text);
  if (on.stats[kTotalLines] != lines)
    return "with header counting, total lines " + std::to_string(on.stats[kTotalLines]) +
           " != lines of the text " + std::to_string(lines);
  // The option only moves header lines between "skipped" and "code".
  const std::int32_t header = on.stats[kTotalLines] - off.stats[kTotalLines];
  if (header < 0 || on.stats[kCodeLines] - off.stats[kCodeLines] != header)
    return "header lines counted differently as total and as code: " + describe(off.stats) + " / " +
           describe(on.stats);
  for (int i = kCommentLines; i < kCounterCount; ++i) {
    if (on.stats.counts[i] != off.stats.counts[i])
      return "header counting changed a counter other than total and code: " + describe(off.stats) +
             " / " + describe(on.stats);
  }
  if (header != 0 && !has_form_header_line(text)) return "header lines skipped without a header";
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
    std::int32_t value = o.shown_kinds[i];
    if (kind.option_key.empty() && value != 1) return "a list line without a key changed";
    std::int32_t highest = kind.highest_value - '0';
    if (value != (kind.shown_by_default ? 1 : 0) &&
        (value < kind.lowest_value - '0' || value > highest))
      return "a list-line setting outside the values its key accepts";
  }
  if (o.report_form < 0 || o.report_form > 2) return "report form outside 0..2";
  if (o.shell_to < 0 || o.shell_to > 2) return "viewer outside 0..2";

  // Every invalid record is shown and waited for once; nothing else waits.
  const std::string invalid = "Codetal==>  Invalid User Parameter Record \n";
  int shown = 0;
  for (std::size_t at = platform.out.find(invalid); at != std::string::npos;
       at = platform.out.find(invalid, at + 1))
    ++shown;
  if (shown != platform.waits()) return "waits differ from invalid records shown";
  if (platform.clears() != 0) return "the screen was cleared although the file exists";

  std::string lower = as_text(bytes);
  make_lower(lower);
  if (lower.find("[codetal ") == std::string::npos &&
      (!(o == ReportOptions{}) || !platform.out.empty()))
    return "options changed or messages shown without an options section";
  return {};
}

namespace {

namespace fs = std::filesystem;

void write_file(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

// One folder for the whole process, removed when it ends. Besides the files
// written for each input it holds good modules, a project, an empty module, a
// folder and two broken links that listed names can reach.
class Workspace {
 public:
  Workspace() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/codetal-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
    write_file(root_ / "a.bas",
               "Attribute VB_Name = \"a\"\r\nOption Explicit\r\n' note\r\n\r\n"
               "Public Sub Main()\r\n  Dim i As Long\r\n  For i = 1 To 3\r\n  Next\r\nEnd Sub\r\n");
    fs::create_directory(root_ / "Forms");
    write_file(root_ / "Forms" / "Main.frm",
               "VERSION 5.00\r\nBegin VB.Form Main \r\n   Caption = \"x\"\r\nEnd\r\n"
               "Attribute VB_Name = \"Main\"\r\nPrivate Sub Form_Load()\r\nEnd Sub\r\n");
    write_file(root_ / "c d.cls", "Private m As Long\r\nPublic Property Get V() As Long\r\n");
    write_file(root_ / "empty.bas", "");
    fs::create_directory(root_ / "old.bas");
    fs::create_symlink("nowhere.bas", root_ / "gone.bas");
    fs::create_symlink("loop.bas", root_ / "loop.bas");
    fs::create_symlink("fuzz.vbg", root_ / "group.vbp");
    write_file(root_ / "other.vbp",
               "Module=A; a.bas\r\nForm=forms\\main.frm\r\nClass=C; c d.cls\r\n");
  }
  ~Workspace() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  std::string path(const char* name) const { return (root_ / name).string(); }

 private:
  fs::path root_;
};

// The counters in the order the two table rows show them (no Labels).
constexpr Counter kRowOrder[] = {kTotalLines, kCodeLines, kCommentLines, kBlankLines, kSubs,
                                 kFunctions,  kLets,      kGets,         kEvents,     kIfs,
                                 kElseIfs,    kDos,       kWhiles,       kFors,       kWinApi,
                                 kDims,       kVars,      kTypes,        kEnums,      kConsts};

// The figures of the two table rows that start at `at`; nullopt when the
// rows do not hold exactly the twenty numbers.
std::optional<ModuleStats> read_rows(std::string_view report, std::size_t at) {
  std::size_t end = report.find('\n', report.find('\n', at) + 1);
  if (end == std::string_view::npos) return std::nullopt;
  std::string_view rows = report.substr(at, end - at);
  ModuleStats figures;
  std::size_t shown = 0;
  for (std::size_t i = 0; i < rows.size();) {
    if (rows[i] < '0' || rows[i] > '9') {
      ++i;
      continue;
    }
    std::int64_t value = 0;
    for (; i < rows.size() && rows[i] >= '0' && rows[i] <= '9'; ++i)
      value = value * 10 + (rows[i] - '0');
    if (shown == std::size(kRowOrder)) return std::nullopt;
    figures[kRowOrder[shown++]] = static_cast<std::int32_t>(value);
  }
  if (shown != std::size(kRowOrder)) return std::nullopt;
  return figures;
}

ModuleStats without_labels(ModuleStats figures) {
  figures[kLabels] = 0;
  return figures;
}

// Every printed totals block of `title`, summed, in the order written.
std::optional<ModuleStats> printed_totals(std::string_view report, std::string_view title,
                                          int& blocks) {
  ModuleStats sum;
  blocks = 0;
  for (std::size_t at = report.find(title); at != std::string_view::npos;
       at = report.find(title, at + 1)) {
    std::optional<ModuleStats> rows = read_rows(report, at + title.size());
    if (!rows) return std::nullopt;
    sum += *rows;
    ++blocks;
  }
  return sum;
}

std::string check_listing_run(test::FakePlatform& platform, Traversal& run, Next result,
                              const std::string& label) {
  if (result == Next::kStop && !run.failed) return label + ": a stop was not marked as a failure";
  for (const ModuleStats* totals : {&run.project_totals, &run.group_totals}) {
    if (std::string failure = check_sums(*totals, label); !failure.empty()) return failure;
  }
  if (result == Next::kStop) return {};
  run.report.run_ended(0);
  const std::string& report = platform.written[kReportFileName];
  // Read to its end, the report shows totals that are the sums of the run:
  // a project's own, or every project's and then the group's.
  int projects = 0;
  std::optional<ModuleStats> project_sum = printed_totals(report, "Project Totals \n", projects);
  if (!project_sum) return label + ": a Project Totals block without its two rows";
  if (*project_sum != without_labels(run.group_totals))
    return label + ": printed project totals do not add up: " + describe(*project_sum) + " / " +
           describe(run.group_totals);
  if (label == "project") return projects == 1 ? "" : label + ": not one Project Totals block";
  int groups = 0;
  std::optional<ModuleStats> group = printed_totals(report, "Group Totals \n", groups);
  if (!group || groups != 1) return label + ": not one Group Totals block with its rows";
  if (*group != *project_sum) return label + ": group totals differ from its projects' sum";
  return {};
}

}  // namespace

// One traversal of a listing file into an in-memory report.
struct ListingRun {
  test::FakePlatform platform;
  Console console{platform};
  ReportLog log{platform, console};
  ReportOptions options;
  LogReport report{log, options};
  Traversal run;
  explicit ListingRun(InputKind kind) : run(platform, console, options, report, kind) {}
};

std::string check_listing_bytes(std::string_view bytes) {
  static const Workspace workspace;
  write_file(workspace.path("fuzz.vbp"), bytes);
  write_file(workspace.path("fuzz.vbg"), bytes);
  {
    ListingRun project(InputKind::kProject);
    Next result = read_project_file(project.run, workspace.path("fuzz.vbp"));
    // Modules never stop a project given alone, and the file is there.
    if (result != Next::kGoOn) return "a project given alone stopped";
    if (project.run.project_totals != ModuleStats{}) return "project totals not reset at its end";
    std::string failure = check_listing_run(project.platform, project.run, result, "project");
    if (!failure.empty()) return failure;
  }
  ListingRun group(InputKind::kProjectGroup);
  Next result = read_group_file(group.run, workspace.path("fuzz.vbg"));
  return check_listing_run(group.platform, group.run, result, "group");
}

}  // namespace codetal::fuzz
