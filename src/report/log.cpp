#include "report/log.h"

#include <cstdarg>
#include <cstdio>

namespace codetal {

std::string build_report_header(const LocalTime& t) {
  char text[96];
  std::snprintf(text, sizeof text, "Created by Codetal on %02d-%02d-%02d at %02d:%02d:%02d\n\n",
                t.month % 100, t.day % 100, t.year % 100, t.hour % 100, t.minute % 100,
                t.second % 100);
  return text;
}

ReportLog::ReportLog(Platform& platform, Console& console)
    : platform_(platform), console_(console) {
  console_.set_flush_before_pause(this);
}

ReportLog::~ReportLog() {
  console_.set_flush_before_pause(nullptr);
  flush();
}

bool ReportLog::open_report() {
  file_ = platform_.create_output(kReportFileName);
  if (file_ != nullptr) return true;
  text_lost_ = true;
  console_.console_message("Codetal==>  Unable to open Codetal.log for writing \n");
  console_.console_message("Codetal==>  The disk is probably full \n");
  console_.console_message("Codetal==>  Program will continue \n");
  console_.pause();
  return false;
}

void ReportLog::write_log(std::string_view text) {
  if (file_ == nullptr && !failed_) {
    if (!open_report()) return;  // the text is lost; the next one tries again
    write_text(report_header_, true);
  }
  if (text.empty()) {
    close_report();
    return;
  }
  write_text(text, false);
}

// Texts are gathered and handed to the file in large writes; the header is
// written through at once so that a report that cannot be written at all is
// reported on the first text, where the user expects it.
void ReportLog::write_text(std::string_view text, bool write_through) {
  if (!failed_) {
    pending_.append(text);
    // While texts are echoed, each is written at once, so that a failure is
    // shown before the echo of the text that met it.
    if (write_through || echo_log_ || pending_.size() >= kFlushThreshold) flush();
  }
  // Echoed after the write attempt, whatever its outcome.
  if (echo_log_) console_.message_text(text);
}

void ReportLog::write_logf(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::string_view text = format_into(work_line_, format, args);
  va_end(args);
  if (!text.empty()) write_log(text);
}

void ReportLog::flush() {
  if (file_ == nullptr || failed_ || pending_.empty()) return;
  bool written = file_->write(pending_);
  pending_.clear();
  if (!written) report_write_failure();
}

void ReportLog::report_write_failure() {
  // Marked first: the wait below flushes the report again.
  failed_ = true;
  text_lost_ = true;
  console_.console_message("Codetal==>  Write error on Codetal.log \n");
  console_.console_message("Codetal==>  Disk may be full \n");
  console_.console_message("Codetal==>  Program will continue \n");
  console_.pause();
  file_->close();
  file_.reset();
}

void ReportLog::close_report() {
  flush();
  if (file_ != nullptr) {
    file_->close();  // a failure while closing is not reported
    file_.reset();
  }
}

}  // namespace codetal
