// The line reader: hands out the lines of one module at a time, with one
// line of lookahead so that the module's last line is known as it is handed
// out, and skips (or counts) a form's designer header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "analysis/module_stats.h"
#include "driver/console.h"
#include "platform/platform.h"

namespace codetal {

inline constexpr std::string_view kFormHeaderStart = "Begin VB.Form ";
inline constexpr std::string_view kAttributeStart = "Attribute ";

// Leading blanks and tabs removed; trailing blanks and the line feed stay.
std::string_view trim_leading_blanks(std::string_view line);

class LineReader {
 public:
  // Every module whose first line was read adds 1 to `modules_analyzed`.
  LineReader(Platform& platform, Console& console, std::int32_t& modules_analyzed)
      : platform_(platform), console_(console), modules_analyzed_(modules_analyzed) {}
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // 0: the module is open and its first line is the lookahead line.
  // 1: it could not be opened or holds no character; the reason is shown.
  int open_module(std::string_view path);
  // The lookahead line becomes the current line; `end_of_module` is raised
  // when no line follows it.
  void read_next_line();
  // Called on a current line that begins with kFormHeaderStart; returns with
  // the first line after the header (or the module's last line) current and
  // not yet counted. Header lines count as code when `count_header_lines`.
  void skip_form_header(bool count_header_lines, ModuleStats& stats);
  void close_module() { file_.reset(); }
  // Empties both lines and lowers `end_of_module`, ready for the next module.
  void reset();

  bool end_of_module() const { return end_of_module_; }
  // Views into the read buffer, valid until the next read.
  std::string_view current_line() const { return view(current_); }
  std::string_view lookahead_line() const { return view(lookahead_); }

 private:
  struct Span {
    std::size_t start = 0;
    std::size_t size = 0;
  };

  std::string_view view(Span span) const {
    return std::string_view(buffer_.data() + span.start, span.size);
  }
  bool read_line(Span& line);
  bool fill_buffer();
  void make_room();
  std::size_t cut_at_ctrl_z(char* bytes, std::size_t count);
  bool advance();

  Platform& platform_;
  Console& console_;
  std::int32_t& modules_analyzed_;
  std::unique_ptr<InputFile> file_;
  // Text of the module read so far (CR bytes are dropped line by line as
  // lines are handed out); [0, filled_)
  // is valid and [next_, filled_) not yet handed out.
  std::vector<char> buffer_;
  std::size_t filled_ = 0;
  std::size_t next_ = 0;
  bool input_done_ = false;
  Span current_;
  Span lookahead_;
  bool end_of_module_ = false;
};

}  // namespace codetal
