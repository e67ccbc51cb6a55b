// The run model built from a table of event sequences
// (tests/data/unit/run_model.txt): what each list holds, the totals told or
// summed once for what a stopped run left open, and the run at a glance.
#include "exports/run_model.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "test_data.h"

namespace codetal {
namespace {

ModuleStats lines(const std::string& n) {
  ModuleStats stats;
  stats[kTotalLines] = stats[kCodeLines] = std::stoi(n);
  return stats;
}

void tell(RunModelBuilder& model, const std::string& event) {
  if (event == "end") return model.run_ended();
  if (event == "stop") return model.run_stopped();
  const std::string arg = event.size() > 2 ? event.substr(2) : "";
  const std::size_t colon = event.find(':');
  const std::string before = event.substr(0, colon), after = event.substr(colon + 1);
  switch (event[0]) {
    case 'G':
      return model.group_started(arg);
    case 'P':
      return model.project_started(arg);
    case 'S':
      return model.wildcard_set_started(arg);
    case 'M':
      return model.single_module_started(arg);
    case 'E':
      return model.estate_started(arg);
    case 'U':
      return model.unlisted_modules_started();
    case '+':
      return model.module_counted(before.substr(1),
                                  ModuleResult{lines(after), std::nullopt, std::nullopt});
    case '-':
      return model.module_failed(event.substr(1), ModuleFailure::kCannotOpen, Next::kGoOn);
    case 'X':  // "XGo name": a group (G) or project (P) not opened (o) or cut short (r)
      return model.listing_failed(
          event.substr(4), event[1] == 'G' ? ListingKind::kGroup : ListingKind::kProject,
          event[2] == 'o' ? ListingFailure::kCannotOpen : ListingFailure::kReadError);
    case 'p':
      return model.project_ended("", lines(after));
    case 'g':
      return model.group_ended("", lines(after));
    case 's':
      return model.wildcard_set_ended("", lines(after));
    case 'u':
      return model.unlisted_modules_ended(lines(after));
    case 'e': {
      const std::size_t slash = after.find('/');
      EstateSummary summary;
      summary.totals = lines(after.substr(0, slash));
      summary.listed_modules = std::stoi(after.substr(slash + 1));
      return model.estate_ended("", summary);
    }
  }
  ADD_FAILURE() << "no event " << event;
}

// A listing's totals, and "<closed>" or "<cut>" when it could not be read.
std::string figure(const ModuleStats& totals, bool told, const std::string& failure = "") {
  return "=" + std::to_string(totals[kTotalLines]) + (told ? "" : "?") +
         (failure.empty()     ? ""
          : failure[0] == 'c' ? "<closed>"
                              : "<cut>");
}

void describe(std::ostream& out, const std::string& kind, const ModuleList& list) {
  out << kind << (list.name.empty() ? "" : " " + list.name)
      << (kind == "M" ? "" : figure(list.totals, list.ended, list.failure)) << " (";
  const char* gap = "";
  for (const ModuleRecord& m : list.modules) {
    out << gap << m.name;
    if (m.result) out << ':' << m.result->stats[kTotalLines];
    if (!m.result) out << '!';
    gap = " ";
  }
  out << ") ";
}

std::string describe(const RunModel& m) {
  std::ostringstream out;
  for (const GroupRecord& g : m.groups) {
    out << "G " << g.name << figure(g.totals, g.ended, g.failure) << " [";
    for (const ModuleList& p : g.projects) describe(out, "P", p);
    if (!g.projects.empty()) out.seekp(-1, std::ios::cur);
    out << "] ";
  }
  for (const ModuleList& p : m.projects) describe(out, "P", p);
  for (const ModuleList& s : m.sets) describe(out, "S", s);
  if (!m.single.modules.empty()) describe(out, "M", m.single);
  if (m.estate) {
    out << "E " << m.estate->folder << "=" << m.estate->summary.totals[kTotalLines] << "/"
        << m.estate->summary.listed_modules << " ";
    describe(out, "U", m.estate->unlisted);
  }
  out << "run=" << m.totals[kTotalLines] << "/" << m.modules_counted << "/" << m.failed_files.size()
      << (m.completed ? " completed" : " stopped");
  return out.str();
}

TEST(RunModel, EachEventSequenceBuildsItsModel) {
  for (const auto& row : test::read_table("unit/run_model.txt")) {
    RunModelBuilder builder(RunFacts{});
    std::istringstream events(row.at(0));
    for (std::string event; std::getline(events >> std::ws, event, ';');) tell(builder, event);
    EXPECT_EQ(describe(builder.model()), row.at(1)) << row[0];
  }
}

}  // namespace
}  // namespace codetal
