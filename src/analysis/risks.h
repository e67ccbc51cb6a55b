// What will not convert as it is: the constructs of VB6 that have no direct
// equivalent in the languages an estate migrates to and cost hand work,
// counted per module by one table of rules, each with its severity and its
// matcher; and the names of the objects created by name at run time
// (late-bound dependencies). Adding a rule is one row of kRiskRules and its
// matcher.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace codetal {

enum class Severity { kHigh, kMedium, kLow };
std::string_view severity_name(Severity severity);

// A line of code as the rules read it: what is inside string literals
// removed (the quotes stay) and everything from the first apostrophe outside
// a literal cut; its words are the runs of ASCII letters, digits and "_".
struct RiskWord {
  std::string_view text;
  std::size_t at;  // in RiskLine::text
};
struct RiskLiteral {
  std::size_t at;         // of its opening quote in RiskLine::text
  std::string_view text;  // as written, a doubled quote still doubled
};
struct RiskLine {
  std::string_view text;
  std::span<const RiskWord> words;
  std::span<const RiskLiteral> literals;
  bool win_api = false;        // the counters count it as a Declare
  std::uint64_t triggers = 0;  // the trigger words the line holds, as bits
};

// A late-bound dependency: the literal named in CreateObject("...") or
// GetObject("..."), as first written.
struct LateBoundName {
  std::string name;
  std::int32_t calls = 0;
  bool operator==(const LateBoundName&) const = default;
};

struct RiskRule {
  std::string_view id;
  Severity severity;
  std::string_view what;  // in a migration planner's words
  // The words, apart by blanks, one of which a line of code holds when its
  // matcher can find anything there: most lines are passed over unread.
  std::string_view triggers;
  // Occurrences on a line of code, or in a designer line; null: none there.
  std::int32_t (*in_code)(const RiskLine& line, std::vector<LateBoundName>& names);
  std::int32_t (*in_designer)(std::string_view line);
  // The rule counts one for a module in which its matcher never matched.
  bool counts_absence = false;
};

extern const std::array<RiskRule, 15> kRiskRules;
inline constexpr std::size_t kRiskRuleCount = 15;
using RiskCounts = std::array<std::int32_t, kRiskRuleCount>;

// The occurrences of the rules of one severity.
std::int64_t findings(const RiskCounts& counts, Severity severity);

// Reads one module's lines as the counting pass hands them over, into the
// module's facts. Its buffers are kept from line to line: a line costs no
// allocation once the longest of the module has been met.
class RiskReader {
 public:
  RiskReader(RiskCounts& counts, std::vector<LateBoundName>& names)
      : counts_(counts), names_(names) {}

  // A line the counters count as code, leading blanks trimmed.
  void code_line(std::string_view line, bool win_api);
  // A line of a designer block.
  void designer_line(std::string_view line);
  // After the module's last line: the rules that count an absence.
  void finish();

 private:
  std::uint64_t read_in_place(std::string_view line, std::string_view& text, bool& quoted);
  std::string_view strip(std::string_view line);
  void split(std::string_view text);

  RiskCounts& counts_;
  std::vector<LateBoundName>& names_;
  std::array<bool, kRiskRuleCount> matched_{};
  std::string text_;
  std::vector<RiskWord> words_;
  std::vector<RiskLiteral> literals_;
};

}  // namespace codetal
