// The lines of a text file (options, project or group file), read in large
// blocks: every carriage return is dropped, a Ctrl-Z ends the text, and a
// line of any length is one line. Lines are views into the block; only a line that
// crosses a block's end is moved, and the buffer grows only for a line
// longer than itself.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace codetal {

class TextLines {
 public:
  explicit TextLines(InputFile& file, std::size_t block_size = 64 * 1024);

  // The next line with its line feed (a last line without one comes without
  // it); false at the end of the text. The view lasts until the next call.
  bool next(std::string_view& line);
  // A read failed before the end of the file; the lines before it were
  // handed out, the unfinished one is dropped.
  bool read_failed() const { return read_failed_; }

 private:
  void fill();

  InputFile& file_;
  std::vector<char> buffer_;
  std::size_t start_ = 0;  // first byte of the next line
  std::size_t scan_ = 0;   // bytes before this hold no line feed of that line
  std::size_t end_ = 0;    // end of the text read so far
  bool at_end_ = false;
  bool read_failed_ = false;
};

}  // namespace codetal
