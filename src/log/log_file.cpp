#include "log/log_file.h"

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

LogFile::LogFile(Platform& platform, Console& console)
    : console_(console), file_(platform, console, kReportFileName, WrittenFile::Form::kText) {
  console_.set_flush_before_pause(this);
}

LogFile::~LogFile() {
  console_.set_flush_before_pause(nullptr);
  flush();
}

void LogFile::write_log(std::string_view text) {
  if (!file_.is_open() && !file_.given_up()) {
    if (!file_.open()) return;  // told once; no text reaches the report
    write_text(report_header_, true);
  }
  if (text.empty()) {
    file_.close();
    return;
  }
  write_text(text, false);
}

// Texts are gathered and handed to the file in large writes; the header is
// written through at once so that a report that cannot be written at all is
// reported on the first text, where the user expects it.
void LogFile::write_text(std::string_view text, bool write_through) {
  if (!file_.given_up()) {
    file_.text().append(text);
    // While texts are echoed, each is written at once, so that a failure is
    // shown before the echo of the text that met it.
    if (write_through || echo_log_) file_.flush();
    file_.flush_when_large();
  }
  // Echoed after the write attempt, whatever its outcome.
  if (echo_log_) console_.message_text(text);
}

void LogFile::write_logf(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::string_view text = format_into(work_line_, format, args);
  va_end(args);
  if (!text.empty()) write_log(text);
}

void LogFile::flush() {
  file_.flush();
}

}  // namespace codetal
