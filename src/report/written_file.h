// A file the run writes: the report and each export. Opened on demand,
// written in large chunks, and its failures told on the console in the
// report's own words, each followed by a wait. A file that could not be
// created or written is told once and given up: nothing more is tried for
// it, and the run must end as a failure.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "console/console.h"
#include "platform/platform.h"

namespace codetal {

class WrittenFile {
 public:
  // kText: the platform's text file (the report); kBytes: the same bytes on
  // every platform (the exports).
  enum class Form { kText, kBytes };
  WrittenFile(Platform& platform, Console& console, std::string name, Form form);
  ~WrittenFile();
  WrittenFile(const WrittenFile&) = delete;
  WrittenFile& operator=(const WrittenFile&) = delete;

  // What the writer appends its text to.
  std::string& text() { return pending_; }
  // Creates or empties the file unless it is open or given up; false when
  // it cannot be written to.
  bool open();
  bool is_open() const { return file_ != nullptr; }
  bool given_up() const { return given_up_; }
  // Hands what was gathered to the open file (a given-up file drops it).
  void flush();
  // Flushes once enough has gathered.
  void flush_when_large() {
    if (pending_.size() >= kFlushThreshold) flush();
  }
  // Flushes and closes; a failure while closing is not reported.
  void close();
  // Known before anything is written not to be creatable, and told so: the
  // file is given up without another word.
  void give_up() {
    given_up_ = text_lost_ = true;
    pending_.clear();
  }
  const std::string& name() const { return name_; }
  // Removes the file an earlier run left under this name (an ordinary file
  // only): this run writes none.
  void remove_earlier() { platform_.remove_file(name_); }

  // True once a text could not be written: the file is incomplete.
  bool text_lost() const { return text_lost_; }

 private:
  void tell_open_failure();
  void give_up_after_write_failure();
  void finish_part();

  Platform& platform_;
  Console& console_;
  std::string name_;
  // An export is written under a name of its own and takes its name only
  // when whole, so that no half-written file ever stands under it.
  std::string writing_;
  Form form_;
  std::unique_ptr<OutputFile> file_;
  bool given_up_ = false;
  bool text_lost_ = false;
  std::string pending_;
};

}  // namespace codetal
