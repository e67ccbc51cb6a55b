#include "compare/compare_run.h"

#include <optional>

#include "compare/compare_outputs.h"
#include "compare/comparison.h"
#include "compare/snapshot.h"
#include "report/written_file.h"

namespace codetal {
namespace {

std::optional<Snapshot> read_run(Platform& platform, Console& console, const std::string& name) {
  const std::unique_ptr<InputFile> file = platform.open_input(name);
  if (file == nullptr) {
    console.console_message("Codetal==>  Unable to open %s for reading \n", name.c_str());
    console.console_message("Codetal==>  The file probably doesn't exist \n");
    return std::nullopt;
  }
  std::string why;
  std::optional<Snapshot> snap = read_snapshot(*file, name, why);
  if (!snap) console.console_message("Codetal==>  %s %s \n", name.c_str(), why.c_str());
  return snap;
}

std::string signed_number(std::int64_t value) {
  std::string text(value >= 0 ? "+" : "");
  text.append(std::to_string(value));
  return text;
}

void tell_summary(Console& console, const Comparison& c) {
  console.console_message("Codetal==>  Compared %s with %s \n", c.old->file.c_str(),
                          c.now->file.c_str());
  std::string files;
  for (std::size_t s = 0; s < kFileStateCount; ++s) {
    if (s > 0) files.append(", ");
    files.append(std::to_string(c.files_by_state[s]));
    files.append(" ");
    files.append(kFileStateWords[s]);
  }
  console.console_message("Codetal==>  Files: %s \n", files.c_str());
  for (const auto& [what, counter] : {std::pair{"Lines", kTotalLines}, {"Code lines", kCodeLines}})
    console.console_message("Codetal==>  %s: %s then, %s now (%s) \n", what,
                            std::to_string(c.old_totals[counter]).c_str(),
                            std::to_string(c.new_totals[counter]).c_str(),
                            signed_number(c.total_change[counter]).c_str());
}

}  // namespace

bool run_comparison(Platform& platform, Console& console, const std::string& old_name,
                    const std::string& new_name) {
  const std::optional<Snapshot> old = read_run(platform, console, old_name);
  const std::optional<Snapshot> now = old ? read_run(platform, console, new_name) : std::nullopt;
  if (!old || !now) {
    console.console_message("Codetal==>  Nothing was compared \n\n");
    return false;
  }
  const Comparison c = compare_runs(*old, *now);
  if (c.options_differ)
    console.console_message(
        "Codetal==>  The two runs were made with different options: "
        "compared anyway \n");
  for (const Snapshot* s : {c.old, c.now}) {
    if (!s->completed)
      console.console_message("Codetal==>  %s is of a run stopped early: compared as it is \n",
                              s->file.c_str());
  }
  tell_summary(console, c);
  bool whole = true;
  for (const auto& [name, write] : {std::pair{kCompareJsonName, &write_compare_json},
                                    {kCompareCsvName, &write_compare_csv},
                                    {kComparePageName, &write_compare_page}}) {
    WrittenFile file(platform, console, name, WrittenFile::Form::kBytes);
    write(file, c);
    whole = whole && !file.text_lost();
  }
  console.console_message("Codetal==>  Written: %s, %s, %s \n\n", kCompareJsonName, kCompareCsvName,
                          kComparePageName);
  return whole;
}

}  // namespace codetal
