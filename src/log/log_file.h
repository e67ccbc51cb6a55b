// The report file "Codetal.log": opened on the first write of a run, started
// with the header, written in one pass, closed by the empty text.
#pragma once

#include <string>
#include <string_view>

#include "console/console.h"
#include "platform/platform.h"
#include "report/written_file.h"

namespace codetal {

inline constexpr const char* kReportFileName = "Codetal.log";
// The report's last text when a stop was asked for before the run completed.
inline constexpr std::string_view kStoppedNote =
    "\nCodetal==>  The run was stopped before it completed \n";

// "Created by Codetal on MM-DD-YY at HH:MM:SS\n\n", always 44 characters.
std::string build_report_header(const LocalTime& time);

class LogFile final : public Flushable {
 public:
  LogFile(Platform& platform, Console& console);
  ~LogFile() override;
  LogFile(const LogFile&) = delete;
  LogFile& operator=(const LogFile&) = delete;

  void set_report_header(std::string header) { report_header_ = std::move(header); }
  void set_echo_log(bool on) { echo_log_ = on; }

  // Writes one text verbatim; the empty text closes the report.
  void write_log(std::string_view text);
  // Formats a text (data only as "%s"/"%d" values) and writes it.
  void write_logf(const char* format, ...) CODETAL_PRINTF(2, 3);

  // Hands the buffered texts to the file; a failure is reported once.
  void flush() override;

  // True once a text could not be written (a failed open or write): the
  // report is incomplete, and the run must not end as a success.
  bool text_lost() const { return file_.text_lost(); }

 private:
  void write_text(std::string_view text, bool write_through);

  Console& console_;
  WrittenFile file_;
  bool echo_log_ = false;
  std::string report_header_;
  std::string work_line_;
};

}  // namespace codetal
