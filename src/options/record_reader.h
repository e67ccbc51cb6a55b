// Whole-line records of a text file, read in large blocks: carriage returns
// are dropped, a Ctrl-Z byte ends the text, and each record keeps its line
// feed (a last line without one arrives without it).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace codetal {

class RecordReader {
 public:
  explicit RecordReader(InputFile& file);

  // The next record, valid until the following call; false at the end of
  // the text or on a read error.
  bool next(std::string_view& record);

 private:
  bool refill();

  InputFile& file_;
  std::vector<char> block_;
  std::size_t at_ = 0;
  std::size_t end_ = 0;
  bool ended_ = false;
  // Reused for every record, so a run of records allocates nothing once it
  // has grown to the longest line.
  std::string record_;
};

}  // namespace codetal
