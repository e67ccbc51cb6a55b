// An in-memory platform for in-process tests: it records the console, counts
// the waits for a key, keeps written files in memory and forwards reads of
// real files to the system platform (so tests can read temporary folders).
#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace codetal::test {

class FakePlatform : public Platform {
 public:
  FakePlatform() : system_(make_system_platform()) {}

  std::string out;
  std::string err;
  std::string events;  // "k" per key wait, "c" per clear, in order with the console
  bool char_device = false;
  bool stderr_terminal = false;
  bool fail_create = false;
  bool fail_writes = false;
  std::map<std::string, std::string> written;  // name -> bytes of created files
  std::map<std::string, std::string> inputs;   // name -> bytes of files to read, ahead of the disk
  std::vector<std::string> started;            // "program argument"
  LocalTime now{2000, 3, 14, 9, 5, 7};

  int waits() const { return count('k'); }
  int clears() const { return count('c'); }

  void write_stdout(std::string_view bytes) override { out.append(bytes); }
  void write_stderr(std::string_view bytes) override { err.append(bytes); }
  bool stdout_is_char_device() override { return char_device; }
  bool stdout_is_terminal() override { return false; }
  bool stderr_is_terminal() override { return stderr_terminal; }
  void wait_for_key() override {
    events += 'k';
    out += "<key>";
  }
  void clear_screen() override { events += 'c'; }

  std::unique_ptr<InputFile> open_input(std::string_view name) override;
  std::unique_ptr<OutputFile> create_output(std::string_view name) override;
  std::vector<std::string> list_matches(std::string_view pattern) override {
    return system_->list_matches(pattern);
  }
  std::string current_directory() override { return "/fake/folder"; }
  LocalTime local_time() override { return now; }
  bool start_program(std::string_view program, std::string_view argument) override {
    started.push_back(std::string(program) + " " + std::string(argument));
    return true;
  }

 private:
  int count(char kind) const {
    int n = 0;
    for (char e : events) n += e == kind;
    return n;
  }
  std::unique_ptr<Platform> system_;
};

class FakeOutputFile : public OutputFile {
 public:
  FakeOutputFile(FakePlatform& owner, std::string name) : owner_(owner), name_(std::move(name)) {
    owner_.written[name_].clear();
  }
  bool write(std::string_view bytes) override {
    if (owner_.fail_writes) return false;
    owner_.written[name_].append(bytes);
    return true;
  }
  bool close() override { return true; }

 private:
  FakePlatform& owner_;
  std::string name_;
};

// Serves an in-memory file in small reads, so readers meet short reads too.
class FakeInputFile : public InputFile {
 public:
  explicit FakeInputFile(std::string bytes) : bytes_(std::move(bytes)) {}
  long read(char* buffer, std::size_t size) override {
    std::size_t n = std::min<std::size_t>({size, bytes_.size() - at_, 4096});
    bytes_.copy(buffer, n, at_);
    at_ += n;
    return static_cast<long>(n);
  }

 private:
  std::string bytes_;
  std::size_t at_ = 0;
};

inline std::unique_ptr<InputFile> FakePlatform::open_input(std::string_view name) {
  auto found = inputs.find(std::string(name));
  if (found != inputs.end()) return std::make_unique<FakeInputFile>(found->second);
  return system_->open_input(name);
}

inline std::unique_ptr<OutputFile> FakePlatform::create_output(std::string_view name) {
  if (fail_create) return nullptr;
  return std::make_unique<FakeOutputFile>(*this, std::string(name));
}

}  // namespace codetal::test
