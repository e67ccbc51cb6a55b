#include "report/export_file.h"

namespace codetal {

ExportFile::ExportFile(Platform& platform, Console& console, std::string_view name)
    : platform_(platform), console_(console), name_(name) {}

ExportFile::~ExportFile() {
  if (file_ != nullptr) file_->close();
}

void ExportFile::write_when_large() {
  if (pending_.size() >= kFlushThreshold) write_pending();
}

void ExportFile::finish() {
  if (finished_) return;
  write_pending();
  finished_ = true;
  if (file_ != nullptr) {
    file_->close();  // as for the report, a failure while closing is not reported
    file_.reset();
  }
}

void ExportFile::write_pending() {
  if (failed_) {
    pending_.clear();
    return;
  }
  if (file_ == nullptr) {
    file_ = platform_.create_byte_output(name_);
    if (file_ == nullptr) {
      fail(kOpening);
      return;
    }
  }
  bool written = pending_.empty() || file_->write(pending_);
  pending_.clear();
  if (!written) fail(kWriting);
}

// The report's own words, with this file's name.
void ExportFile::fail(Step step) {
  failed_ = true;
  pending_.clear();
  if (file_ != nullptr) {
    file_->close();
    file_.reset();
  }
  if (step == kOpening) {
    console_.console_message("Codetal==>  Unable to open %s for writing \n", name_.c_str());
    console_.console_message("Codetal==>  The disk is probably full \n");
  } else {
    console_.console_message("Codetal==>  Write error on %s \n", name_.c_str());
    console_.console_message("Codetal==>  Disk may be full \n");
  }
  console_.console_message("Codetal==>  Program will continue \n");
  console_.pause();
}

}  // namespace codetal
