#include "analysis/line_reader.h"

#include <algorithm>
#include <cstring>

#include "analysis/byte_scan.h"
#include "platform/ascii.h"

namespace codetal {
namespace {

// Reads ask for all the free space of the buffer, and never for less than
// this; the buffer starts at four blocks and grows only for longer lines.
constexpr std::size_t kReadBlock = 64 * 1024;
constexpr std::size_t kInitialBuffer = 4 * kReadBlock;

// Carriage returns are dropped from every line, so a CR LF line end arrives
// as a single line feed. The usual case, one CR just before the line feed,
// is mended in place without moving the line.
std::size_t drop_carriage_returns(char* line, std::size_t size, const CarriageReturns& crs) {
  if (crs.count == 0) return size;
  if (crs.count == 1 && crs.last + 2 == size && line[size - 1] == '\n') {
    line[crs.last] = '\n';
    return size - 1;
  }
  return static_cast<std::size_t>(std::remove(line, line + size, '\r') - line);
}

}  // namespace

bool starts_designer_block_after_b(std::string_view line, DesignerStarts starts) {
  for (const ModuleKind& kind : kModuleKinds) {
    if (kind.designer_start.empty() || !is_counted(kind, starts.kinds)) continue;
    if (kind.start_in_own_files_only && &kind != starts.own_kind) continue;
    if (line.starts_with(kind.designer_start)) return true;
  }
  return false;
}

std::string_view trim_leading_blanks(std::string_view line) {
  return line.substr(skip_blanks_and_tabs(line.data(), 0, line.size()));
}

bool LineReader::start(InputFile& file, bool digest) {
  finish();
  file_ = &file;
  digesting_ = digest;
  if (digest) {
    if (hasher_ == nullptr) hasher_ = std::make_unique<ContentHasher>();
    hasher_->reset();
  }
  if (buffer_.size() < kInitialBuffer) buffer_.resize(kInitialBuffer);
  return read_line(lookahead_);
}

void LineReader::read_next_line() {
  current_ = lookahead_;
  if (!read_line(lookahead_)) {
    lookahead_ = Span{};
    end_of_module_ = true;
  }
}

void LineReader::finish() {
  file_ = nullptr;
  current_ = Span{};
  lookahead_ = Span{};
  end_of_module_ = false;
  filled_ = 0;
  next_ = 0;
  input_done_ = false;
}

bool LineReader::advance() {
  read_next_line();
  return !end_of_module_;
}

// Takes the next line, its line feed included, into `line`; false when no
// character is left. A line may be of any length: the buffer grows for it.
bool LineReader::read_line(Span& line) {
  std::size_t searched = 0;  // bytes after next_ known to hold no line feed
  CarriageReturns crs;       // met in those bytes
  for (;;) {
    const std::size_t available = filled_ - next_;
    const std::size_t feed = find_feed(buffer_.data() + next_, searched, available, crs);
    if (feed < available) {
      searched = feed + 1;
      break;
    }
    searched = available;
    if (!fill_buffer()) break;
  }
  if (searched == 0) return false;
  line = Span{next_, drop_carriage_returns(buffer_.data() + next_, searched, crs)};
  next_ += searched;
  // The content is its lines, whatever ends them: a last line without its
  // line feed is the same line, as a CR LF line is an LF one.
  if (digesting_ && line.size != 0) {
    const char* text = buffer_.data() + line.start;
    hasher_->add_line(text, line.size - (text[line.size - 1] == '\n' ? 1 : 0));
  }
  // A rest of nothing but carriage returns holds no character.
  return line.size != 0;
}

// Appends the next block of the module; false once nothing more comes. A read
// error ends the module like its end of file.
bool LineReader::fill_buffer() {
  if (input_done_ || file_ == nullptr) return false;
  make_room();
  long count = file_->read(buffer_.data() + filled_, buffer_.size() - filled_);
  if (count <= 0) {
    input_done_ = true;
    return false;
  }
  const std::size_t kept = cut_at_ctrl_z(buffer_.data() + filled_, static_cast<std::size_t>(count));
  filled_ += kept;
  return true;
}

// Ensures a whole block of free space. Only the current line and the
// unfinished line after it are still needed: they move to the front, and the
// buffer grows only when they leave less than a block free.
void LineReader::make_room() {
  if (buffer_.size() - filled_ >= kReadBlock) return;
  std::size_t keep_from = current_.start;
  std::size_t kept = filled_ - keep_from;
  if (keep_from > 0) std::memmove(buffer_.data(), buffer_.data() + keep_from, kept);
  current_.start -= keep_from;
  next_ -= keep_from;
  filled_ = kept;
  if (buffer_.size() - filled_ < kReadBlock)
    buffer_.resize(std::max(buffer_.size() * 2, filled_ + kReadBlock));
}

// Modules are text: a Ctrl-Z ends the module as if the file ended there.
std::size_t LineReader::cut_at_ctrl_z(char* bytes, std::size_t count) {
  if (const void* stop = std::memchr(bytes, kCtrlZ, count)) {
    count = static_cast<std::size_t>(static_cast<const char*>(stop) - bytes);
    input_done_ = true;
  }
  return count;
}

}  // namespace codetal
