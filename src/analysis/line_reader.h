// The line reader: hands out the lines of one opened module at a time, with
// one line of lookahead so that the module's last line is known as it is
// handed out, and skips (or counts) a form's designer header. One reader
// serves a whole run, so its buffer is allocated once.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "analysis/content_hash.h"
#include "analysis/module_kinds.h"
#include "analysis/module_stats.h"
#include "platform/platform.h"

namespace codetal {

inline constexpr std::string_view kAttributeStart = "Attribute ";

// Which unindented lines start a designer block: those of the kinds
// counted, and those read only in their own files when the module is one.
struct DesignerStarts {
  ModuleKinds kinds = ModuleKinds::kClassic;
  const ModuleKind* own_kind = nullptr;  // the module file's kind, if known
};

bool starts_designer_block_after_b(std::string_view line, DesignerStarts starts);

// Inline: nearly every line is rejected by its first byte, on the hot path.
inline bool starts_designer_block(std::string_view line, DesignerStarts starts) {
  return !line.empty() && line.front() == 'B' && starts_designer_block_after_b(line, starts);
}

// Leading blanks and tabs removed; trailing blanks and the line feed stay.
std::string_view trim_leading_blanks(std::string_view line);

class LineReader {
 public:
  LineReader() = default;
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // Starts on `file`, which must outlive the reading: true when its first
  // line is the lookahead line, false when it holds no character. With
  // `digest`, the lines read are digested on the way (see content()).
  bool start(InputFile& file, bool digest = false);
  // The lookahead line becomes the current line; `end_of_module` is raised
  // when no line follows it.
  void read_next_line();
  // Called on a current line that starts a designer block; returns with
  // the first line after the block (or the module's last line) current and
  // not yet counted. Each line of the block is handed to `on_line` first.
  template <typename OnLine>
  void skip_designer_block(OnLine on_line);
  // Lets go of the file; the buffer stays for the next module.
  void finish();

  bool end_of_module() const { return end_of_module_; }
  // The digest of the module's lines (up to a Ctrl-Z, each ended by a line
  // feed, however it ended in the file), once the
  // whole module has been read from a start with `digest`.
  ContentDigest content() const { return hasher_->digest(); }
  // Views into the read buffer, valid until the next read.
  std::string_view current_line() const { return view(current_); }

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

  InputFile* file_ = nullptr;
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
  bool digesting_ = false;
  std::unique_ptr<ContentHasher> hasher_;  // made by the first start that digests
};

// The block runs up to and including the first "Attribute " line and the
// "Attribute " lines right after it. A module that ends on the block's
// first line, or inside it, leaves its last line to the caller, which counts
// it like any last line.
template <typename OnLine>
void LineReader::skip_designer_block(OnLine on_line) {
  if (end_of_module_) return;
  on_line(current_line());
  do {
    if (!advance()) return;
    on_line(current_line());
  } while (!current_line().starts_with(kAttributeStart));
  while (advance() && current_line().starts_with(kAttributeStart)) on_line(current_line());
}

}  // namespace codetal
