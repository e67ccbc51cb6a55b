#include "exports/exports.h"

#include "exports/csv_report.h"
#include "exports/dot_report.h"
#include "exports/json_report.h"
#include "exports/page/html_page.h"

namespace codetal {
namespace {

void choose(std::optional<WrittenFile>& file, bool chosen, Platform& platform, Console& console,
            const char* name) {
  if (chosen) file.emplace(platform, console, name, WrittenFile::Form::kBytes);
}

}  // namespace

Exports::Exports(Platform& platform, Console& console, ExportChoice choice) {
  choose(csv_, choice.csv, platform, console, kCsvFileName);
  choose(html_, choice.html, platform, console, kHtmlFileName);
  choose(json_, choice.json, platform, console, kJsonFileName);
  choose(dot_, choice.dot, platform, console, kDotFileName);
}

bool Exports::text_lost() const {
  return (csv_ && csv_->text_lost()) || (html_ && html_->text_lost()) ||
         (json_ && json_->text_lost()) || (dot_ && dot_->text_lost());
}

void Exports::remove_earlier() {
  for (std::optional<WrittenFile>* file : {&csv_, &html_, &json_, &dot_}) {
    if (*file) (*file)->remove_earlier();
  }
}

void Exports::give_up_uncreatable(Platform& platform, Console& console) {
  int told = 0;
  for (std::optional<WrittenFile>* file : {&csv_, &html_, &json_, &dot_}) {
    if (!*file) continue;
    const std::string problem = platform.creation_problem((*file)->name());
    if (problem.empty()) continue;
    console.console_message("Codetal==>  Unable to open %s for writing \n",
                            (*file)->name().c_str());
    console.console_message("Codetal==>  Reason: %s \n", problem.c_str());
    (*file)->give_up();
    ++told;
  }
  if (told == 0) return;
  console.console_message("Codetal==>  Program will continue without %s \n\n",
                          told == 1 ? "it" : "them");
  console.pause();
}

void Exports::write(const RunModel& model, const std::function<int()>& exit_status) {
  if (csv_) write_csv(*csv_, model);
  if (dot_ && model.graph) write_dot(*dot_, *model.graph);
  if (html_) write_html(*html_, model, exit_status());
  if (json_) write_json(*json_, model, exit_status());
}

}  // namespace codetal
