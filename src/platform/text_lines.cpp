#include "platform/text_lines.h"

#include <cstring>

#include "platform/ascii.h"

namespace codetal {

TextLines::TextLines(InputFile& file, std::size_t block_size)
    : file_(file), buffer_(block_size < 16 ? 16 : block_size) {}

bool TextLines::next(std::string_view& line) {
  for (;;) {
    const char* text = buffer_.data();
    const void* feed = scan_ < end_ ? std::memchr(text + scan_, '\n', end_ - scan_) : nullptr;
    if (feed != nullptr) {
      std::size_t at = static_cast<std::size_t>(static_cast<const char*>(feed) - text);
      line = std::string_view(text + start_, at + 1 - start_);
      start_ = scan_ = at + 1;
      return true;
    }
    scan_ = end_;
    if (at_end_) {
      if (start_ == end_) return false;
      line = std::string_view(text + start_, end_ - start_);  // last line without a line feed
      start_ = scan_ = end_;
      return true;
    }
    fill();
  }
}

// Keeps the unfinished line at the front, reads one more block after it and
// applies the text-mode rules to the new bytes in place.
void TextLines::fill() {
  std::size_t kept = end_ - start_;
  if (start_ > 0) std::memmove(buffer_.data(), buffer_.data() + start_, kept);
  scan_ -= start_;
  start_ = 0;
  end_ = kept;
  if (end_ == buffer_.size()) buffer_.resize(buffer_.size() * 2);

  long count = file_.read(buffer_.data() + end_, buffer_.size() - end_);
  if (count <= 0) {
    at_end_ = true;
    if (count < 0) {
      read_failed_ = true;
      end_ = start_;  // an unfinished line could name the wrong file
    }
    return;
  }
  char* in = buffer_.data() + end_;
  char* stop = in + count;
  char* out = in;
  for (; in != stop; ++in) {
    if (*in == '\r') continue;
    if (*in == kCtrlZ) {
      at_end_ = true;
      break;
    }
    *out++ = *in;
  }
  end_ = static_cast<std::size_t>(out - buffer_.data());
}

}  // namespace codetal
