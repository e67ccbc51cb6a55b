#include "console/console.h"

#include <cstdarg>
#include <cstdio>

namespace codetal {

std::string_view format_into(std::string& buffer, const char* format, std::va_list args) {
  if (buffer.size() < 512) buffer.resize(512);
  std::va_list copy;
  va_copy(copy, args);
  int length = std::vsnprintf(buffer.data(), buffer.size(), format, copy);
  va_end(copy);
  if (length < 0) return {};
  if (static_cast<std::size_t>(length) >= buffer.size()) {
    buffer.resize(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
  }
  return std::string_view(buffer.data(), static_cast<std::size_t>(length));
}

Console::Console(Platform& platform)
    : platform_(platform), interactive_(platform.stdout_is_terminal()) {}

Console::~Console() {
  flush();
}

void Console::console_message(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::string_view text = format_into(format_buffer_, format, args);
  va_end(args);
  emit(text, console_mirror_);
}

void Console::message_text(std::string_view text) {
  emit(text, console_mirror_);
}

void Console::stdout_message(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::string_view text = format_into(format_buffer_, format, args);
  va_end(args);
  emit(text, false);
}

void Console::emit(std::string_view text, bool mirror) {
  out_.append(text);
  if (mirror) err_.append(text);
  if (interactive_ || out_.size() >= kFlushThreshold || err_.size() >= kFlushThreshold) flush();
}

void Console::mirror_if_redirected() {
  if (platform_.stdout_is_char_device()) return;
  console_mirror_ = true;
  // The mirror is where the user follows the run: show it as it happens.
  if (platform_.stderr_is_terminal()) interactive_ = true;
}

void Console::flush() {
  if (!out_.empty()) platform_.write_stdout(out_);
  if (!err_.empty()) platform_.write_stderr(err_);
  out_.clear();
  err_.clear();
}

void Console::pause() {
  // The report goes to disk first, so that a failure it meets is told (with
  // its own wait) before this wait's prompt.
  if (flush_before_pause_ != nullptr) flush_before_pause_->flush();
  console_message("Codetal==>  Press Enter to continue \n");
  flush();
  if (!batch_) platform_.wait_for_key();
}

void Console::clear_screen() {
  flush();
  if (!batch_) platform_.clear_screen();
}

}  // namespace codetal
