#include "report/exports.h"

namespace codetal {

Exports::Exports(Platform& platform, Console& console, const ReportLog& log, ExportChoice choice,
                 const RunFacts& facts)
    : log_(log) {
  if (choice.csv) {
    csv_ = std::make_unique<CsvReport>(platform, console);
    writers_.add(*csv_);
  }
  if (choice.html) {
    html_ = std::make_unique<HtmlReport>(platform, console, facts);
    writers_.add(*html_);
  }
  if (choice.json) {
    json_ = std::make_unique<JsonReport>(platform, console, facts);
    writers_.add(*json_);
  }
}

bool Exports::text_lost() const {
  return (csv_ && csv_->text_lost()) || (html_ && html_->text_lost()) ||
         (json_ && json_->text_lost());
}

// The status was taken before the report closed and before these files
// were written; a text lost since then makes it the failure status.
void Exports::run_ended(int exit_status) {
  auto status = [&] {
    bool lost = log_.text_lost() || text_lost();
    return lost && exit_status == 0 ? kFailedRunStatus : exit_status;
  };
  if (csv_) csv_->run_ended(status());
  if (html_) html_->run_ended(status());
  if (json_) json_->run_ended(status());
}

}  // namespace codetal
