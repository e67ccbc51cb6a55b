#include "options/record_reader.h"

namespace codetal {
namespace {

constexpr std::size_t kBlockSize = 64 * 1024;
constexpr char kCtrlZ = '\x1a';

bool is_special(char c) {
  return c == '\n' || c == '\r' || c == kCtrlZ;
}

}  // namespace

RecordReader::RecordReader(InputFile& file) : file_(file), block_(kBlockSize) {}

bool RecordReader::refill() {
  if (ended_) return false;
  long n = file_.read(block_.data(), block_.size());
  if (n <= 0) {
    // A read error ends the text like its end.
    ended_ = true;
    return false;
  }
  at_ = 0;
  end_ = static_cast<std::size_t>(n);
  return true;
}

bool RecordReader::next(std::string_view& record) {
  record_.clear();
  while (at_ < end_ || refill()) {
    std::size_t run = at_;
    while (run < end_ && !is_special(block_[run])) ++run;
    record_.append(block_.data() + at_, run - at_);
    at_ = run;
    if (at_ == end_) continue;
    char c = block_[at_++];
    if (c == '\n') {
      record_ += '\n';
      break;
    }
    if (c == kCtrlZ) {
      ended_ = true;
      at_ = end_;
      break;
    }
  }
  record = record_;
  return !record_.empty();
}

}  // namespace codetal
