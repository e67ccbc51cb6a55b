#include "check_helpers.h"

#include <algorithm>
#include <array>
#include <optional>

#include "analysis/count_module.h"
#include "fake_platform.h"
#include "options/options_file.h"
#include "platform/ascii.h"
#include "platform/memory_input.h"
#include "traverse/project_file.h"
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
  std::optional<ModuleResult> counted = count_module(reader, input, CountRules{headers});
  if (empty) return counted ? what + ": a module without text must count nothing" : "";
  if (!counted) return what + ": a module with text must be counted";
  s = counted->stats;
  return check_sums(s, what);
}

// An assessment reads beside the counts and never changes them: its
// designer lines are the lines the counts skip, one Declare per WinAPI
// count, and controls stand only in designer blocks, none on a block's
// first line.
// Procedures lie in file order within the module, share no line, hold no
// more lines than it counts, and include whatever the counters count.
std::string check_procedures(const std::vector<Procedure>& procedures, const ModuleStats& stats,
                             std::int64_t lines) {
  std::int64_t held = 0, next_line = 1;
  std::array<std::int32_t, kProcedureKindCount> kinds{};
  for (const Procedure& p : procedures) {
    if (p.line < next_line || p.line > lines) return "a procedure starts out of file order";
    next_line = p.line + 1;
    ++kinds[static_cast<std::size_t>(p.kind)];
    held += p.lines[kTotalLines];
    if (p.lines[kTotalLines] != p.lines[kCodeLines] + p.lines[kCommentLines] + p.lines[kBlankLines])
      return "a procedure's lines are not its code, comment and blank lines";
    if (p.lines[kCodeLines] < 1 || p.complexity < 1) return "a procedure without its start line";
  }
  if (held > stats[kTotalLines]) return "procedures hold more lines than the module counts";
  if (kinds[0] < stats[kSubs] || kinds[1] < stats[kFunctions] || kinds[2] < stats[kGets] ||
      kinds[3] < stats[kLets])
    return "fewer procedures than the counters count";
  return {};
}

// The text with what string literals and comments hold replaced by words the
// rules count (line ends, quotes and Ctrl-Z kept).
std::string with_rule_words_hidden(std::string_view bytes) {
  static constexpr std::string_view kFill = "GoSub VarPtr(x) On Error Resume Next As New GoTo ";
  std::string text(bytes);
  bool literal = false, comment = false;
  std::size_t filled = 0;
  for (char& c : text) {
    if (c == '\n') {
      literal = comment = false;
      continue;
    }
    const bool kept = c == '\r' || c == kCtrlZ || c == '"';
    if (!comment && c == '"') literal = !literal;
    if (!literal && !comment && c == '\'') {
      comment = true;
      continue;
    }
    if ((literal || comment) && !kept) c = kFill[filled++ % kFill.size()];
  }
  return text;
}

std::string check_assessment(std::string_view bytes, std::int64_t lines) {
  CountRules rules{
      false, {ModuleKinds::kAll, module_kind_of(".dsr", ModuleKinds::kAll)}, false, false};
  const ModuleStats plain = count_module_text(bytes, rules).stats;
  rules.assess = true;
  const ModuleResult assessed = count_module_text(bytes, rules);
  if (assessed.stats != plain) return "the assessment changed the counts";
  const ModuleFacts& facts = assessed.facts.value();
  if (facts.designer_lines + plain[kTotalLines] != lines)
    return "designer lines and counted lines are not the module's lines";
  if (static_cast<std::int64_t>(facts.declares.size()) != plain[kWinApi])
    return "Declares read differ from the WinAPI count";
  std::int64_t controls = 0;
  for (const auto& [name, count] : facts.controls) controls += count;
  if (controls > 0 && controls >= facts.designer_lines)
    return "more controls than designer lines after the block's first";
  if (count_module_text(with_rule_words_hidden(bytes), rules).facts.value().risks != facts.risks)
    return "a rule counted what a string literal or a comment holds";
  return check_procedures(facts.procedures, plain, lines);
}

}  // namespace

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
  if (header != 0 && ("\n" + text).find("\n" + std::string("Begin VB.Form ")) == npos)
    return "header lines skipped without a header";
  return check_assessment(bytes, lines);
}

std::string check_options_bytes(std::string_view bytes) {
  test::FakePlatform platform;
  platform.inputs[kOptionsFileName] = std::string(bytes);
  ReportOptions o;
  {
    Console console(platform);
    load_options(platform, console, o);
  }
  for (std::int32_t value : {o.blank_lines, o.count_form_headers}) {
    if (value < 0 || value > 1) return "a blank-line or header setting outside 0..1";
  }
  if (o.all_module_kinds < -1 || o.all_module_kinds > 1)
    return "a module-kinds setting not unset, 0 or 1";
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
struct Workspace : test::TempFolder {
  Workspace() {
    fs::copy(CODETAL_FUZZ_LISTING_TREE, path(),
             fs::copy_options::recursive | fs::copy_options::copy_symlinks);
  }
};

}  // namespace

std::string check_listing_bytes(std::string_view bytes) {
  static const Workspace workspace;
  const std::string project = workspace / "fuzz.vbp", group = workspace / "fuzz.vbg";
  test::write_file(project, bytes);
  test::write_file(group, bytes);
  // Every Reference= and Object= line of a project is one fact, however
  // little of it can be read.
  MemoryInput listing(bytes);
  const ProjectFacts facts = read_project(listing, project, ModuleKinds::kAll, true).facts.value();
  const std::string text = "\n" + as_text(bytes);
  auto lines_with = [&](const std::string& key) {
    std::size_t n = 0;
    for (std::size_t at = text.find("\n" + key); at != npos; at = text.find("\n" + key, at + 1))
      ++n;
    return n;
  };
  if (facts.references.size() != lines_with("Reference=") ||
      facts.components.size() != lines_with("Object="))
    return "a Reference= or Object= line was not read as one";
  std::string failure = check_traversal(InputKind::kProject, [&](Traversal& run) -> std::string {
    // Modules never stop a project given alone, and the file is there.
    return process_project_file(run, project).next == Next::kGoOn ? ""
                                                                  : "a project given alone stopped";
  });
  if (!failure.empty()) return failure;
  return check_traversal(InputKind::kProjectGroup, [&](Traversal& run) -> std::string {
    FailureWatch failures;
    run.report.add(failures);
    const Next result = process_group_file(run, group).next;
    run.report.remove(failures);
    return result == Next::kStop && !failures.failed() ? "a stop was not marked as a failure" : "";
  });
}

}  // namespace codetal::fuzz
