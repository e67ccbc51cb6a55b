// Everything Codetal needs from the operating system, behind one interface.
// platform_posix.cpp and platform_win32.cpp implement it; nothing outside this
// folder includes an OS header. Tests substitute their own console by
// deriving from Platform and forwarding the file operations.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace codetal {

// Rules, not calls, that differ between the two builds.
#if defined(_WIN32)
inline constexpr bool kWindowsBuild = true;
#else
inline constexpr bool kWindowsBuild = false;
#endif

struct LocalTime {
  int year = 0;   // e.g. 2026
  int month = 0;  // 1..12
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Where a file lives: two names lead to the same file exactly when their
// identities are equal (device and inode; volume and file index).
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t file = 0;
  bool operator==(const FileIdentity&) const = default;
};

struct FileIdentityHash {
  std::size_t operator()(const FileIdentity& id) const {
    return static_cast<std::size_t>(id.file * 0x9e3779b97f4a7c15ULL ^ id.volume);
  }
};

// One entry of a folder: an ordinary file (or a link to one) or a folder.
struct FolderEntry {
  std::string name;  // without the folder part
  bool is_folder = false;
};

// A file opened for reading, as raw bytes; text-mode rules (CR dropped,
// Ctrl-Z ends the text) are applied by the readers above.
class InputFile {
 public:
  virtual ~InputFile() = default;
  // Fills up to `size` bytes; returns the count, 0 at end of file, -1 on error.
  virtual long read(char* buffer, std::size_t size) = 0;
};

// A file being written. A text file stores each "\n" as CR LF on Windows; a
// byte file stores the bytes as they are.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  virtual bool write(std::string_view bytes) = 0;
  virtual bool close() = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Console. Writes are unbuffered; Console buffers above this.
  virtual void write_stdout(std::string_view bytes) = 0;
  virtual void write_stderr(std::string_view bytes) = 0;
  // True when standard output is a character device (the console mirror is
  // switched on when it is not).
  virtual bool stdout_is_char_device() = 0;
  // True when standard output is an interactive terminal that a person reads
  // as the run goes on.
  virtual bool stdout_is_terminal() = 0;
  // The same for standard error, where the mirror shows the messages. A
  // platform that cannot tell shows the mirror at each wait and at the end.
  virtual bool stderr_is_terminal() { return false; }
  // Waits for one key press on the console keyboard (never standard input),
  // then discards keys typed ahead. Returns at once without a console.
  virtual void wait_for_key() = 0;
  // Clears the console window and homes the cursor; nothing without a console.
  virtual void clear_screen() = 0;

  // Files. Names are used as written, except that "\" separates folders and
  // a name that does not exist as written is looked up ignoring letter case.
  // Opens only ordinary files (no folders, devices or pipes), and never for
  // writing.
  virtual std::unique_ptr<InputFile> open_input(std::string_view name) = 0;
  // Creates or truncates the file for writing, as a text file.
  virtual std::unique_ptr<OutputFile> create_output(std::string_view name) = 0;
  // The same, as a byte file: files that must be the same on every platform.
  // Where text files store "\n" as it is, a text file is a byte file.
  virtual std::unique_ptr<OutputFile> create_byte_output(std::string_view name) {
    return create_output(name);
  }
  // The system's own words for why the last file could not be created
  // ("Permission denied"); empty when it gave none.
  virtual std::string creation_failure() const { return {}; }
  // Names (without folder part) of the ordinary, non-hidden files in the
  // pattern's folder whose name matches the pattern's final component ("*"
  // and "?", ignoring letter case), sorted ignoring letter case.
  virtual std::vector<std::string> list_matches(std::string_view pattern) = 0;
  // Empty when it cannot be obtained.
  virtual std::string current_directory() = 0;

  // Folders, looked up like open_input's names. A platform without them has
  // no folder and reads none.
  virtual bool is_folder(std::string_view /*name*/) { return false; }
  // Appends the entries of the folder, unsorted, leaving out hidden entries
  // and links to folders (so a walk cannot loop through them). False when
  // the folder cannot be read.
  virtual bool list_folder(std::string_view /*folder*/, std::vector<FolderEntry>& /*entries*/) {
    return false;
  }
  // The file or folder the name leads to; nullopt when it leads nowhere.
  virtual std::optional<FileIdentity> identify(std::string_view /*name*/) { return std::nullopt; }
  // The name as one clean path (see clean_path), its letter case as found
  // on disk: relative to the folder the run started in when under it.
  virtual std::string found_path(std::string_view name);

  // One run per folder: an exclusive lock on the file (created when missing,
  // never emptied), held until the process ends, and released by the system
  // however it ends. kNotPossible: the file cannot be opened to lock (it is
  // a folder, a link, in a folder that cannot be written): its writer will
  // tell why.
  enum class RunLock { kLocked, kHeldElsewhere, kNotPossible };
  virtual RunLock lock_for_run(std::string_view /*name*/) { return RunLock::kNotPossible; }

  // A stop asked for while the run measures (Ctrl+C, SIGTERM, a closed
  // console). Once armed, such a stop is only noted (stop_requested), and
  // the run ends itself at its next module; one that ends a wait for a key
  // ends the run at once, as ever, after appending `note` to `file` (the
  // report, flushed before every wait). Signals ignored when the run began
  // stay ignored.
  virtual void arm_stop(std::string_view /*file*/, std::string_view /*note*/) {}
  virtual bool stop_requested() { return false; }
  // Ends the process as the stop would have ended it, once the run has told
  // it; nothing when none was asked for.
  virtual void end_stopped_run() {}
  // The run is whole: a stop from here on ends it at once, as ever.
  virtual void disarm_stop() {}

  // Why `name` could not be created or written, found without changing it
  // (a file created to find out is removed again); empty when it can be.
  virtual std::string creation_problem(std::string_view /*name*/) { return {}; }
  // A file written whole under another name may replace `name`: it is
  // missing or an ordinary file, not a link, a device or a folder.
  virtual bool replaceable(std::string_view /*name*/) { return false; }
  virtual bool replace_file(std::string_view /*from*/, std::string_view /*to*/) { return false; }
  // Removes an ordinary file; anything else stays.
  virtual void remove_file(std::string_view /*name*/) {}

  // Process and clock.
  virtual LocalTime local_time() = 0;
  // Starts `program`, looked up only in the absolute folders of PATH, with
  // the one argument, without waiting. False when it was not started.
  virtual bool start_program(std::string_view program, std::string_view argument) = 0;
};

std::unique_ptr<Platform> make_system_platform();

// Threads that count modules: one a core, or as CODETAL_THREADS sets (see
// threads.h).
unsigned counting_threads();

}  // namespace codetal
