// An in-memory platform for in-process tests: it records the console, counts
// the waits for a key, keeps written files in memory and forwards reads of
// real files to the system platform (so tests can read temporary folders).
#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace codetal::test {

// Serves bytes in reads of ever-changing odd sizes, so that readers meet
// short reads and block boundaries everywhere; can fail (-1) once they are
// used up.
class FakeInputFile : public InputFile {
 public:
  explicit FakeInputFile(std::string bytes, bool fail_at_end = false)
      : bytes_(std::move(bytes)), fail_at_end_(fail_at_end) {}
  long read(char* buffer, std::size_t size) override {
    static constexpr std::size_t kSizes[] = {1, 7, 4096, 65536, 13, 100000, 2};
    if (at_ == bytes_.size()) return fail_at_end_ ? -1 : 0;
    std::size_t n = std::min({size, bytes_.size() - at_, kSizes[calls_++ % 7]});
    bytes_.copy(buffer, n, at_);
    at_ += n;
    return static_cast<long>(n);
  }

 private:
  std::string bytes_;
  bool fail_at_end_;
  std::size_t at_ = 0, calls_ = 0;
};

// Appends to its bytes in the platform's `written`, unless writes fail.
class FakeOutputFile : public OutputFile {
 public:
  FakeOutputFile(std::string& bytes, const bool& fail) : bytes_(bytes), fail_(fail) {
    bytes_.clear();
  }
  bool write(std::string_view bytes) override { return !fail_ && (bytes_.append(bytes), true); }
  bool close() override { return true; }

 private:
  std::string& bytes_;
  const bool& fail_;
};

class FakePlatform : public Platform {
 public:
  std::string out, err;
  std::string events;  // "k" per key wait, "c" per clear, in order with the console
  bool stderr_terminal = false, fail_writes = false;
  bool disk = true;                            // names not in `inputs` are read from disk
  std::vector<std::string> asked;              // every name opened for reading
  std::map<std::string, std::string> written;  // name -> bytes of created files
  std::map<std::string, std::string> inputs;   // name -> bytes of files to read, ahead of the disk
  // Folders with their entries (none: the folder cannot be read), and the
  // identities of files and folders.
  std::map<std::string, std::optional<std::vector<FolderEntry>>> folders;
  std::map<std::string, FileIdentity> identities;
  LocalTime now{2000, 3, 14, 9, 5, 7};

  int waits() const { return static_cast<int>(std::count(events.begin(), events.end(), 'k')); }
  int clears() const { return static_cast<int>(std::count(events.begin(), events.end(), 'c')); }

  void write_stdout(std::string_view bytes) override { out.append(bytes); }
  void write_stderr(std::string_view bytes) override { err.append(bytes); }
  bool stdout_is_char_device() override { return false; }
  bool stdout_is_terminal() override { return false; }
  bool stderr_is_terminal() override { return stderr_terminal; }
  void wait_for_key() override {
    events += 'k';
    out += "<key>";
  }
  void clear_screen() override { events += 'c'; }
  std::unique_ptr<InputFile> open_input(std::string_view name) override {
    asked.emplace_back(name);
    auto found = inputs.find(std::string(name));
    if (found != inputs.end()) return std::make_unique<FakeInputFile>(found->second);
    return disk ? system_->open_input(name) : nullptr;
  }
  std::unique_ptr<OutputFile> create_output(std::string_view name) override {
    return std::make_unique<FakeOutputFile>(written[std::string(name)], fail_writes);
  }
  std::vector<std::string> list_matches(std::string_view pattern) override {
    return system_->list_matches(pattern);
  }
  bool is_folder(std::string_view name) override { return folders.contains(std::string(name)); }
  bool list_folder(std::string_view folder, std::vector<FolderEntry>& entries) override {
    auto found = folders.find(std::string(folder));
    if (found == folders.end() || !found->second) return false;
    entries.insert(entries.end(), found->second->begin(), found->second->end());
    return true;
  }
  std::optional<FileIdentity> identify(std::string_view name) override {
    auto found = identities.find(std::string(name));
    return found == identities.end() ? std::nullopt : std::optional(found->second);
  }
  std::string current_directory() override { return "/fake/folder"; }
  LocalTime local_time() override { return now; }
  bool start_program(std::string_view, std::string_view) override { return true; }

 private:
  std::unique_ptr<Platform> system_ = make_system_platform();
};

}  // namespace codetal::test
