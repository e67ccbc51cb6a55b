#include "check_helpers.h"

#include <memory>

#include "fake_platform.h"
#include "log/console_listener.h"
#include "log/log_listener.h"

namespace codetal::fuzz {
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

namespace {

// Listens beside the log and checks every total the run tells against the
// sums of what it told before.
class TotalsChecker final : public ReportListener {
 public:
  std::string failure;

  void project_started(std::string_view) override { project_ = {}; }
  void group_started(std::string_view) override { group_ = {}; }
  void module_counted(std::string_view, const ModuleResult& result) override {
    expect(check_sums(result.stats, "module").empty(), "a module's counts do not add up");
    project_ += result.stats;
  }
  void project_ended(std::string_view, const ModuleStats& totals) override {
    expect(totals == project_, "project totals differ from its modules' sum");
    group_ += totals;
  }
  void group_ended(std::string_view, const ModuleStats& totals) override {
    expect(totals == group_, "group totals differ from its projects' sum");
  }
  void unlisted_modules_started() override { project_ = {}; }
  void unlisted_modules_ended(const ModuleStats& totals) override {
    expect(totals == project_, "unlisted modules' totals differ from their sum");
  }

 private:
  void expect(bool holds, const char* what) {
    if (!holds && failure.empty()) failure = what;
  }
  ModuleStats project_, group_;
};

// Folders, identities and files from the disk; console and report in memory.
struct DiskPlatform : test::FakePlatform {
  std::unique_ptr<Platform> disk = make_system_platform();
  bool is_folder(std::string_view name) override { return disk->is_folder(name); }
  bool list_folder(std::string_view folder, std::vector<FolderEntry>& entries) override {
    return disk->list_folder(folder, entries);
  }
  std::optional<FileIdentity> identify(std::string_view name) override {
    return disk->identify(name);
  }
  std::string found_path(std::string_view name) override { return disk->found_path(name); }
};

}  // namespace

std::string check_traversal(InputKind kind, const std::function<std::string(Traversal&)>& run,
                            RuleListener* rules) {
  DiskPlatform platform;
  TotalsChecker checker;
  std::string failure;
  {
    Console console(platform);
    LogFile log(platform, console);
    ReportOptions options;
    LogListener report(log, options);
    ConsoleListener messages(console, false);
    ReportFanout events;
    events.add(messages);
    events.add(report);
    events.add(checker);
    if (rules != nullptr) events.add(*rules);
    Traversal traversal(platform, options, events, kind);
    failure = run(traversal);
    events.run_ended();
  }
  if (failure.empty()) failure = checker.failure;
  return failure.empty() && rules != nullptr ? rules->failure : failure;
}

}  // namespace codetal::fuzz
