#include "analysis/procedures.h"

#include "analysis/words.h"

namespace codetal {
namespace {

bool is_modifier(std::string_view word) {
  return word == "Public" || word == "Private" || word == "Friend" || word == "Static";
}

std::optional<ProcedureKind> kind_of(std::string_view word, std::string_view next) {
  if (word == "Sub") return ProcedureKind::kSub;
  if (word == "Function") return ProcedureKind::kFunction;
  if (word != "Property") return std::nullopt;
  if (next == "Get") return ProcedureKind::kPropertyGet;
  if (next == "Let") return ProcedureKind::kPropertyLet;
  if (next == "Set") return ProcedureKind::kPropertySet;
  return std::nullopt;
}

// The name from where the declaring words end: past blanks, up to a blank,
// a "(" or the line's end.
std::string_view name_after(std::string_view line, std::string_view last_word) {
  std::size_t at = static_cast<std::size_t>(last_word.data() - line.data()) + last_word.size();
  while (at < line.size() && line[at] == ' ') ++at;
  std::size_t end = at;
  while (end < line.size() && line[end] != ' ' && line[end] != '(' && line[end] != '\n') ++end;
  return line.substr(at, end - at);
}

bool ends_word(std::string_view rest) {
  return rest.empty() || rest.front() == ' ' || rest.front() == '\'' || rest.front() == '\n';
}

// Whether the line begins with a word a start can begin with: most lines
// are turned away here, before their words are split.
bool may_start(std::string_view line) {
  if (line.empty()) return false;
  switch (line.front()) {
    case 'S':
      return line.starts_with("Sub") || line.starts_with("Static");
    case 'F':
      return line.starts_with("Function") || line.starts_with("Friend");
    case 'P':
      return line.starts_with("Pu") || line.starts_with("Pri") || line.starts_with("Property");
    default:
      return false;
  }
}

}  // namespace

std::optional<ProcedureStart> procedure_start(std::string_view line, const LineWords& split) {
  if (!may_start(line)) return std::nullopt;
  // The counters' own words, so that whatever they count as a procedure is
  // one here too.
  int at = 0;
  while (at < 2 && is_modifier(split[at])) ++at;
  // Only "Public Static Property Get" and its kin need a fourth word.
  const LineWords words = at == 2 && split[2] == "Property" ? split_words(line, 4) : split;
  const std::optional<ProcedureKind> kind = kind_of(words[at], words[at + 1]);
  if (!kind) return std::nullopt;
  const std::string_view last =
      *kind == ProcedureKind::kSub || *kind == ProcedureKind::kFunction ? words[at] : words[at + 1];
  return ProcedureStart{*kind, name_after(line, last)};
}

bool ends_procedure(std::string_view line) {
  if (!line.starts_with("End ")) return false;
  for (std::string_view end : {"End Sub", "End Function", "End Property"}) {
    if (line.starts_with(end)) return ends_word(line.substr(end.size()));
  }
  return false;
}

bool adds_case_path(std::string_view line) {
  if (!line.starts_with("Case ")) return false;
  std::string_view rest = line.substr(5);
  while (rest.starts_with(' ')) rest.remove_prefix(1);
  if (!rest.starts_with("Else")) return true;
  rest.remove_prefix(4);
  return !(ends_word(rest) || rest.front() == ':' || rest.front() == '\t');
}

void ProcedureTracker::start(const ProcedureStart& start, std::int32_t line_number,
                             const ModuleStats& before) {
  close(before);
  Procedure& procedure = procedures_.emplace_back();
  procedure.kind = start.kind;
  procedure.name = start.name;
  procedure.line = line_number;
  at_start_ = before;
  cases_ = 0;
  open_ = true;
}

void ProcedureTracker::case_or_end(std::string_view line, const ModuleStats& stats) {
  if (adds_case_path(line)) ++cases_;
  if (ends_procedure(line)) close(stats);
}

void ProcedureTracker::close(const ModuleStats& stats) {
  if (!open_) return;
  Procedure& procedure = procedures_.back();
  for (std::size_t i = 0; i < kLineCountCount; ++i) {
    const Counter counter = kLineCounts[i].counter;
    procedure.lines[i] = stats[counter] - at_start_[counter];
  }
  std::int32_t branches = cases_;
  for (Counter counter : {kIfs, kElseIfs, kDos, kWhiles, kFors})
    branches += stats[counter] - at_start_[counter];
  procedure.complexity = 1 + branches;
  open_ = false;
}

}  // namespace codetal
