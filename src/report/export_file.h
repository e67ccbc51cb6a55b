// A file that an export writes beside the report ("Codetal.csv" and the
// like): created or emptied on its first write, through the same safety
// rules as the report, and stored byte for byte on every platform, so that
// each build writes the same bytes. A failure is shown on the console once;
// from then on nothing more is written and the run must end as a failure.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "console/console.h"
#include "platform/platform.h"

namespace codetal {

class ExportFile {
 public:
  ExportFile(Platform& platform, Console& console, std::string_view name);
  ~ExportFile();
  ExportFile(const ExportFile&) = delete;
  ExportFile& operator=(const ExportFile&) = delete;

  // What the writer appends its text to.
  std::string& text() { return pending_; }
  // Hands the text to the file once enough has gathered.
  void write_when_large();
  // Hands over the rest and closes the file; creates it when nothing was
  // written yet. Nothing may be appended afterwards.
  void finish();

  bool text_lost() const { return failed_; }

 private:
  void write_pending();
  enum Step { kOpening, kWriting };
  void fail(Step step);

  Platform& platform_;
  Console& console_;
  std::string name_;
  std::unique_ptr<OutputFile> file_;
  bool failed_ = false;
  bool finished_ = false;
  std::string pending_;
};

}  // namespace codetal
