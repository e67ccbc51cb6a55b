#include "report/written_file.h"

namespace codetal {

WrittenFile::WrittenFile(Platform& platform, Console& console, std::string name, Form form)
    : platform_(platform), console_(console), name_(std::move(name)), form_(form) {}

WrittenFile::~WrittenFile() {
  close();
}

bool WrittenFile::open() {
  if (file_ != nullptr) return true;
  if (given_up_) return false;
  const bool whole = form_ == Form::kBytes && platform_.replaceable(name_);
  writing_ = whole ? name_ + ".part" : name_;
  file_ = form_ == Form::kText ? platform_.create_output(writing_)
                               : platform_.create_byte_output(writing_);
  if (file_ != nullptr) return true;
  text_lost_ = true;
  given_up_ = true;
  pending_.clear();
  tell_open_failure();
  return false;
}

void WrittenFile::tell_open_failure() {
  console_.console_message("Codetal==>  Unable to open %s for writing \n", name_.c_str());
  console_.console_message("Codetal==>  The disk is probably full \n");
  console_.console_message("Codetal==>  Program will continue \n");
  const std::string reason = platform_.creation_failure();
  if (!reason.empty()) console_.console_message("Codetal==>  Reason: %s \n", reason.c_str());
  console_.pause();
}

void WrittenFile::flush() {
  if (given_up_) pending_.clear();
  if (file_ == nullptr || pending_.empty()) return;
  bool written = file_->write(pending_);
  pending_.clear();
  if (!written) give_up_after_write_failure();
}

void WrittenFile::give_up_after_write_failure() {
  // Marked first: the wait below flushes the report again.
  given_up_ = true;
  text_lost_ = true;
  console_.console_message("Codetal==>  Write error on %s \n", name_.c_str());
  console_.console_message("Codetal==>  Disk may be full \n");
  console_.console_message("Codetal==>  Program will continue \n");
  console_.pause();
  file_->close();
  file_.reset();
  finish_part();
}

void WrittenFile::close() {
  flush();
  if (file_ == nullptr) return;
  file_->close();
  file_.reset();
  finish_part();
}

// A whole export takes its name; one that lost a text is removed, and so is
// an earlier run's file of its name, so that nothing stale stands beside
// this run's report.
void WrittenFile::finish_part() {
  if (writing_ == name_ || writing_.empty()) return;
  if (!text_lost_ && platform_.replace_file(writing_, name_)) return;
  platform_.remove_file(writing_);
  platform_.remove_file(name_);
}

}  // namespace codetal
