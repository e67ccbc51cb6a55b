// The console: every message of a run goes through console_message, which
// writes to standard output and, once the mirror is on, to standard error as
// well. Output is buffered and flushed before every wait for a key and at the
// end of the run, so the order on the console is always right.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/platform.h"

#if defined(__GNUC__)
#define CODETAL_PRINTF(format_index, first_arg) \
  __attribute__((format(printf, format_index, first_arg)))
#else
#define CODETAL_PRINTF(format_index, first_arg)
#endif

namespace codetal {

// Output is handed on in writes of about this size: large enough to be
// cheap, small enough that little waits in memory.
inline constexpr std::size_t kFlushThreshold = 64 * 1024;

// vsnprintf into a reused buffer: no allocation once it has grown.
std::string_view format_into(std::string& buffer, const char* format, std::va_list args)
    CODETAL_PRINTF(2, 0);

// Something that must reach its file before the run waits for a key.
class Flushable {
 public:
  virtual ~Flushable() = default;
  virtual void flush() = 0;
};

class Console {
 public:
  explicit Console(Platform& platform);
  ~Console();
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  // Formats and shows a message; data goes in only as "%s" or "%d" values.
  void console_message(const char* format, ...) CODETAL_PRINTF(2, 3);
  // Shows text as it is (no formatting), mirrored like console_message.
  void message_text(std::string_view text);
  // Formats onto standard output alone, never mirrored.
  void stdout_message(const char* format, ...) CODETAL_PRINTF(2, 3);

  // Switches the mirror on when standard output is not a character device,
  // so that a redirected run still shows its messages.
  void mirror_if_redirected();

  void pause();
  void clear_screen();
  // In a batch run the screen is never cleared and no key is awaited; the
  // prompt is still shown, as in any run without a keyboard.
  void set_batch(bool batch) { batch_ = batch; }
  bool batch() const { return batch_; }
  void flush();

  // The report registers itself here so that it is on disk before a wait.
  void set_flush_before_pause(Flushable* other) { flush_before_pause_ = other; }

 private:
  void emit(std::string_view text, bool mirror);

  Platform& platform_;
  bool console_mirror_ = false;
  bool interactive_;
  bool batch_ = false;
  std::string out_;
  std::string err_;
  std::string format_buffer_;
  Flushable* flush_before_pause_ = nullptr;
};

}  // namespace codetal
