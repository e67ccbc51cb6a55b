// POSIX implementation of Platform: file descriptors, /dev/tty for the
// console keyboard, posix_spawn for the viewer.
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iterator>
#include <mutex>
#include <unordered_map>

#include "platform/ascii.h"
#include "platform/cp1252.h"
#include "platform/file_path.h"
#include "platform/platform.h"
#include "platform/wildcard.h"

extern char** environ;

namespace codetal {
namespace {

void write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // a console that cannot be written to is not reported
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

std::string to_posix_separators(std::string_view name) {
  std::string path(name);
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

// Byte order of the names with ASCII letters lowered; names equal but for
// case are equivalent.
bool less_lowered(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(ascii_lower(x)) < static_cast<unsigned char>(ascii_lower(y));
  });
}

// Each folder's entry names, listed once per run for the lookup that ignores
// letter case: a project naming thousands of files in another case would
// otherwise reread their folder for every name. Names only, sorted ignoring
// case and, among names equal but for case, in byte order, so that the first
// match is the one a fresh listing would choose. Exact names are tried before
// this, so a file created during the run is found by its exact name.
class FolderNames {
 public:
  // The entry of `folder` equal to `component` ignoring letter case.
  bool find(const std::string& folder, std::string_view component, std::string& found) {
    std::lock_guard<std::mutex> lock(mutex_);
    const std::vector<std::string>& names = listing(folder);
    auto at = std::lower_bound(names.begin(), names.end(), component, less_lowered);
    if (at == names.end() || !equal_ignoring_case(*at, component)) return false;
    found = *at;
    return true;
  }

 private:
  const std::vector<std::string>& listing(const std::string& folder) {
    auto [at, added] = folders_.try_emplace(folder);
    if (!added) return at->second;
    std::vector<std::string>& names = at->second;
    if (DIR* dir = ::opendir(folder.c_str())) {
      while (dirent* entry = ::readdir(dir)) {
        std::string_view name = entry->d_name;
        if (name != "." && name != "..") names.emplace_back(name);
      }
      ::closedir(dir);
    }
    std::sort(names.begin(), names.end(), less_ignoring_case);
    return names;
  }

  std::mutex mutex_;  // analysis may open files from more than one thread
  std::unordered_map<std::string, std::vector<std::string>> folders_;
};

// O_NONBLOCK so that a FIFO cannot hang the run; callers refuse it.
int open_for_reading(const std::string& path) {
  return ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
}

bool exists(const std::string& path) {
  struct stat info;
  return ::lstat(path.c_str(), &info) == 0;
}

// VB6 projects come from a case-insensitive file system: resolve a name that
// does not exist as written folder by folder, ignoring letter case. With
// `partial`, a name that leads nowhere keeps the case found for the folders
// that do exist; else it stays as written.
std::string resolve_name(std::string_view name, FolderNames& folders, bool partial = false) {
  std::string path = to_posix_separators(name);
  if (path.empty() || exists(path)) return path;
  std::string resolved;
  std::size_t start = 0;
  if (path[0] == '/') {
    resolved = "/";
    start = 1;
  }
  while (start <= path.size()) {
    std::size_t slash = path.find('/', start);
    if (slash == std::string::npos) slash = path.size();
    std::string component = path.substr(start, slash - start);
    std::string candidate = resolved + component;
    if (!component.empty() && !exists(candidate)) {
      std::string match;
      if (!folders.find(resolved.empty() ? "." : resolved, component, match))
        return partial ? resolved + path.substr(start) : path;
      candidate = resolved + match;
    }
    resolved = candidate;
    if (slash == path.size()) break;
    resolved += '/';
    start = slash + 1;
  }
  return resolved;
}

class PosixInputFile final : public InputFile {
 public:
  explicit PosixInputFile(int fd) : fd_(fd) {}
  ~PosixInputFile() override { ::close(fd_); }
  PosixInputFile(const PosixInputFile&) = delete;
  PosixInputFile& operator=(const PosixInputFile&) = delete;

  long read(char* buffer, std::size_t size) override {
    for (;;) {
      ssize_t n = ::read(fd_, buffer, size);
      if (n < 0 && errno == EINTR) continue;
      return static_cast<long>(n);
    }
  }

 private:
  int fd_;
};

class PosixOutputFile final : public OutputFile {
 public:
  explicit PosixOutputFile(int fd) : fd_(fd) {}
  ~PosixOutputFile() override { close(); }
  PosixOutputFile(const PosixOutputFile&) = delete;
  PosixOutputFile& operator=(const PosixOutputFile&) = delete;

  bool write(std::string_view bytes) override {
    while (!bytes.empty()) {
      ssize_t n = ::write(fd_, bytes.data(), bytes.size());
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
  }

  bool close() override {
    if (fd_ < 0) return true;
    int result = ::close(fd_);
    fd_ = -1;
    return result == 0;
  }

 private:
  int fd_;
};

// What a signal handler needs to put the terminal back. Written only while
// the wait's signals are blocked, read by the handlers; tcsetattr and the
// other calls they make are async-signal-safe.
struct PendingWait {
  int fd = -1;
  termios cooked{};
  termios raw{};
};
PendingWait g_wait;
volatile sig_atomic_t g_wait_pending = 0;

// A stop asked for while the run measures (Ctrl+C, SIGTERM, a closed
// terminal): noted, so that the run ends itself at its next module. The
// note appended to the report when a wait is ended by such a signal is
// written here before the handlers are installed, and only read by them.
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};
volatile sig_atomic_t g_stop_signal = 0;
int g_stop_note_fd = -1;
char g_stop_note[128];
std::size_t g_stop_note_size = 0;

bool is_stop_signal(int sig) {
  return std::find(std::begin(kStopSignals), std::end(kStopSignals), sig) != std::end(kStopSignals);
}

void on_stop_request(int sig) {
  g_stop_signal = sig;
}

// Signals that end the run by default; ISIG is off during the wait, so they
// come from elsewhere (kill, a closed terminal), not from the keyboard.
constexpr int kEndingSignals[] = {SIGTERM, SIGHUP, SIGQUIT, SIGINT};
constexpr int kWaitSignals[] = {SIGTERM, SIGHUP, SIGQUIT, SIGINT, SIGTSTP, SIGCONT};

// Only the foreground job may change the mode; from the background it would
// be stopped by SIGTTOU.
void set_mode_if_foreground(const termios& mode) {
  if (g_wait_pending && ::tcgetpgrp(g_wait.fd) == ::getpgrp())
    ::tcsetattr(g_wait.fd, TCSANOW, &mode);
}

void install(int sig, void (*handler)(int), struct sigaction* previous) {
  struct sigaction action {};
  action.sa_handler = handler;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  ::sigaction(sig, &action, previous);
}

// The default action, taken at once: the handler is reset, the signal
// unblocked and raised again.
void raise_by_default(int sig) {
  ::signal(sig, SIG_DFL);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, sig);
  ::sigprocmask(SIG_UNBLOCK, &only, nullptr);
  ::raise(sig);
}

// The report was flushed before the wait: the note goes at its end.
void on_ending_signal(int sig) {
  set_mode_if_foreground(g_wait.cooked);
  if (g_stop_note_fd >= 0 && is_stop_signal(sig)) [[maybe_unused]]
    ssize_t n = ::write(g_stop_note_fd, g_stop_note, g_stop_note_size);
  raise_by_default(sig);
}

// Stopped, the terminal is the shell's again: cooked while stopped, raw once
// continued (execution resumes inside raise). In a process group that has
// nobody to continue it the kernel drops the stop, and raise returns at once.
void on_stop_signal(int) {
  int saved_errno = errno;
  set_mode_if_foreground(g_wait.cooked);
  raise_by_default(SIGTSTP);
  install(SIGTSTP, on_stop_signal, nullptr);
  set_mode_if_foreground(g_wait.raw);
  errno = saved_errno;
}

// Also after a SIGSTOP, which no handler sees, while the shell had the
// terminal.
void on_continue_signal(int) {
  int saved_errno = errno;
  set_mode_if_foreground(g_wait.raw);
  errno = saved_errno;
}

// Holds the wait's signals back while the shared state changes.
class WaitSignalsBlocked {
 public:
  WaitSignalsBlocked() {
    sigset_t blocked;
    sigemptyset(&blocked);
    for (int sig : kWaitSignals) sigaddset(&blocked, sig);
    ::sigprocmask(SIG_BLOCK, &blocked, &previous_);
  }
  ~WaitSignalsBlocked() { ::sigprocmask(SIG_SETMASK, &previous_, nullptr); }
  WaitSignalsBlocked(const WaitSignalsBlocked&) = delete;
  WaitSignalsBlocked& operator=(const WaitSignalsBlocked&) = delete;

 private:
  sigset_t previous_;
};

termios raw_mode(const termios& cooked) {
  termios raw = cooked;
  raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG | IEXTEN);
  raw.c_iflag &= ~static_cast<tcflag_t>(IXON | ICRNL);
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  return raw;
}

// Raw mode on the controlling terminal for the duration of one key wait. A
// signal that ends or stops the run meanwhile puts the mode back first; one
// that was ignored when the wait began (nohup) stays ignored.
class RawTerminal {
 public:
  explicit RawTerminal(int fd) {
    termios cooked;
    if (::tcgetattr(fd, &cooked) != 0) return;
    WaitSignalsBlocked blocked;
    g_wait = {fd, cooked, raw_mode(cooked)};
    for (std::size_t i = 0; i < std::size(kWaitSignals); ++i) install_for(i);
    active_ = ::tcsetattr(fd, TCSANOW, &g_wait.raw) == 0;
    g_wait_pending = active_ ? 1 : 0;
  }
  // A signal that came meanwhile is delivered after the mode is back, with
  // the handling it had before the wait.
  ~RawTerminal() {
    WaitSignalsBlocked blocked;
    if (active_) ::tcsetattr(g_wait.fd, TCSANOW, &g_wait.cooked);
    g_wait_pending = 0;
    for (std::size_t i = 0; i < std::size(kWaitSignals); ++i)
      if (installed_[i]) ::sigaction(kWaitSignals[i], &previous_[i], nullptr);
  }
  RawTerminal(const RawTerminal&) = delete;
  RawTerminal& operator=(const RawTerminal&) = delete;
  bool active() const { return active_; }

 private:
  void install_for(std::size_t i) {
    int sig = kWaitSignals[i];
    if (::sigaction(sig, nullptr, &previous_[i]) != 0 || previous_[i].sa_handler == SIG_IGN) return;
    bool ending = std::find(std::begin(kEndingSignals), std::end(kEndingSignals), sig) !=
                  std::end(kEndingSignals);
    install(sig,
            ending           ? on_ending_signal
            : sig == SIGTSTP ? on_stop_signal
                             : on_continue_signal,
            nullptr);
    installed_[i] = true;
  }

  bool active_ = false;
  struct sigaction previous_[std::size(kWaitSignals)]{};
  bool installed_[std::size(kWaitSignals)] = {};
};

bool read_byte(int fd) {
  char byte;
  for (;;) {
    ssize_t n = ::read(fd, &byte, 1);
    if (n < 0 && errno == EINTR) continue;
    return n == 1;
  }
}

// Throws away what is still pending: keys typed ahead and the rest of a
// multi-byte key such as an arrow's escape sequence, which may arrive a
// moment after its first byte.
void discard_pending(int fd) {
  pollfd waiting{fd, POLLIN, 0};
  while (::poll(&waiting, 1, 30) > 0 && (waiting.revents & POLLIN) != 0) {
    char sink[64];
    if (::read(fd, sink, sizeof sink) <= 0) break;
  }
  ::tcflush(fd, TCIFLUSH);
}

// The terminal belongs to the foreground job. A run started in the
// background ('codetal x.vbp &') must not clear the screen or switch the
// mode under the job in front (and would be stopped by SIGTTOU or SIGTTIN
// if it tried); nobody is at its keyboard, so it does not wait either.
bool in_foreground(int fd) {
  return ::tcgetpgrp(fd) == ::getpgrp();
}

// Opens what a link leads to, without creating or truncating anything, and
// keeps it only when it is a character device.
int open_device(const std::string& path, int flags) {
  int fd = ::open(path.c_str(), flags);
  struct stat info;
  if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISCHR(info.st_mode))) {
    ::close(fd);
    return -1;
  }
  return fd;
}

bool is_executable_file(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         ::access(path.c_str(), X_OK) == 0;
}

// A closed standard stream would lend its number to the next file opened,
// and console text would land in the report: each is held by /dev/null.
// True when standard output was closed.
bool hold_closed_standard_streams() {
  bool stdout_closed = false;
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    stdout_closed = stdout_closed || fd == STDOUT_FILENO;
    int held = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    if (held >= 0 && held != fd) {
      ::dup2(held, fd);
      ::close(held);
    }
  }
  return stdout_closed;
}

// The kind of a folder entry, from readdir's hint when it gives one; links
// to files count as files, links to folders are left out.
void add_entry(const std::string& folder, const dirent& entry, std::vector<FolderEntry>& entries) {
  unsigned char type = entry.d_type;
  if (type == DT_UNKNOWN || type == DT_LNK) {
    struct stat info;
    std::string full = folder + entry.d_name;
    if (::lstat(full.c_str(), &info) != 0) return;
    if (S_ISLNK(info.st_mode)) {
      if (::stat(full.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return;
      type = DT_REG;
    } else {
      type = S_ISDIR(info.st_mode) ? DT_DIR : S_ISREG(info.st_mode) ? DT_REG : DT_UNKNOWN;
    }
  }
  if (type != DT_DIR && type != DT_REG) return;
  entries.push_back({entry.d_name, type == DT_DIR});
}

// stat of the name as written, or else as looked up ignoring letter case.
bool stat_name(std::string_view name, struct stat& info, FolderNames& folders) {
  if (name.find('\0') != std::string_view::npos) return false;
  std::string path = to_posix_separators(name);
  if (path.empty()) return false;
  if (::stat(path.c_str(), &info) == 0) return true;
  if (errno != ENOENT && errno != ENOTDIR) return false;
  if (::stat(resolve_name(path, folders).c_str(), &info) == 0) return true;
  std::optional<std::string> utf8 = cp1252_as_utf8(path);
  return utf8 && ::stat(resolve_name(*utf8, folders).c_str(), &info) == 0;
}

class PosixPlatform final : public Platform {
 public:
  PosixPlatform() : stdout_closed_(hold_closed_standard_streams()) {
    // A reader that goes away ('codetal app.vbg | head') must not end the
    // run half-way through its report; the lost console text is not told.
    ::signal(SIGPIPE, SIG_IGN);
  }

  void write_stdout(std::string_view bytes) override { write_all(STDOUT_FILENO, bytes); }
  void write_stderr(std::string_view bytes) override { write_all(STDERR_FILENO, bytes); }

  bool stdout_is_char_device() override {
    if (stdout_closed_) return false;  // nobody sees it: mirror the messages
    struct stat info;
    return ::fstat(STDOUT_FILENO, &info) == 0 && S_ISCHR(info.st_mode);
  }

  bool stdout_is_terminal() override { return ::isatty(STDOUT_FILENO) == 1; }
  bool stderr_is_terminal() override { return ::isatty(STDERR_FILENO) == 1; }

  void wait_for_key() override {
    if (g_stop_signal != 0) return;  // the run is ending: nobody waits for it
    int fd = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return;  // no controlling terminal: nobody to wait for
    if (in_foreground(fd)) {
      RawTerminal raw(fd);
      if (raw.active() && read_byte(fd)) discard_pending(fd);
    }
    ::close(fd);
  }

  void clear_screen() override {
    int fd = ::open("/dev/tty", O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return;
    if (in_foreground(fd)) write_all(fd, "\x1b[H\x1b[2J");
    ::close(fd);
  }

  std::unique_ptr<InputFile> open_input(std::string_view name) override {
    // A NUL would cut the name short and open some other file.
    if (name.find('\0') != std::string_view::npos) return nullptr;
    // The name as written first: one system call in the usual case; only a
    // name that is not found is looked up again ignoring letter case.
    std::string path = to_posix_separators(name);
    if (path.empty()) return nullptr;
    int fd = open_for_reading(path);
    if (fd < 0 && (errno == ENOENT || errno == ENOTDIR))
      fd = open_for_reading(resolve_name(path, folder_names_));
    // A name listed on Windows in its code page, for a tree copied here.
    std::optional<std::string> utf8;
    if (fd < 0 && (errno == ENOENT || errno == ENOTDIR) && (utf8 = cp1252_as_utf8(path)))
      fd = open_for_reading(resolve_name(*utf8, folder_names_));
    if (fd < 0) return nullptr;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
      ::close(fd);
      return nullptr;
    }
    return std::make_unique<PosixInputFile>(fd);
  }

  // The report may sit in a folder of unchecked source: a link planted in its
  // place must not lead it into another file (or create one elsewhere), and a
  // pipe must not hang the run. A link to a device (/dev/null) is written
  // through, since that changes no file.
  std::unique_ptr<OutputFile> create_output(std::string_view name) override {
    // A NUL would cut the name short and write some other file.
    if (name.find('\0') != std::string_view::npos) return failed_creation(EINVAL);
    std::string path = to_posix_separators(name);
    constexpr int kFlags = O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    int fd = ::open(path.c_str(), kFlags | O_CREAT | O_TRUNC | O_NOFOLLOW, 0666);
    if (fd < 0 && errno == ELOOP) {
      fd = open_device(path, kFlags);
      if (fd < 0) return failed_creation(ELOOP);  // a link that is not to a device
    }
    if (fd < 0) return failed_creation(errno);
    // Back to blocking writes, so that a slow device loses nothing.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return std::make_unique<PosixOutputFile>(fd);
  }

  std::string creation_failure() const override { return creation_failure_; }

  // Signals ignored when the run began (nohup) stay ignored.
  void arm_stop(std::string_view file, std::string_view note) override {
    if (file.find('\0') != std::string_view::npos) return;
    g_stop_note_size = std::min(note.size(), sizeof g_stop_note);
    std::memcpy(g_stop_note, note.data(), g_stop_note_size);
    g_stop_note_fd =
        ::open(to_posix_separators(file).c_str(),
               O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666);
    for (int sig : kStopSignals) {
      struct sigaction previous {};
      if (::sigaction(sig, nullptr, &previous) == 0 && previous.sa_handler != SIG_IGN)
        install(sig, on_stop_request, nullptr);
    }
  }

  bool stop_requested() override { return g_stop_signal != 0; }

  void disarm_stop() override {
    for (int sig : kStopSignals) {
      struct sigaction current {};
      if (::sigaction(sig, nullptr, &current) == 0 && current.sa_handler == on_stop_request)
        ::signal(sig, SIG_DFL);
    }
    if (g_stop_note_fd >= 0) ::close(g_stop_note_fd);
    g_stop_note_fd = -1;
  }

  void end_stopped_run() override {
    if (g_stop_signal != 0) raise_by_default(g_stop_signal);
  }

  std::string creation_problem(std::string_view name) override {
    if (name.find('\0') != std::string_view::npos) return std::strerror(EINVAL);
    const std::string path = to_posix_separators(name);
    struct stat info;
    if (::lstat(path.c_str(), &info) == 0) {
      if (S_ISDIR(info.st_mode)) return std::strerror(EISDIR);
      if (S_ISLNK(info.st_mode))  // written through only to a device
        return ::stat(path.c_str(), &info) == 0 && S_ISCHR(info.st_mode) ? ""
                                                                         : std::strerror(ELOOP);
      return !S_ISREG(info.st_mode) || ::access(path.c_str(), W_OK) == 0 ? ""
                                                                         : std::strerror(errno);
    }
    if (errno != ENOENT) return std::strerror(errno);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) return std::strerror(errno);
    ::close(fd);
    ::unlink(path.c_str());
    return {};
  }

  bool replaceable(std::string_view name) override {
    if (name.find('\0') != std::string_view::npos) return false;
    struct stat info;
    if (::lstat(to_posix_separators(name).c_str(), &info) != 0) return errno == ENOENT;
    return S_ISREG(info.st_mode);
  }

  bool replace_file(std::string_view from, std::string_view to) override {
    return ::rename(to_posix_separators(from).c_str(), to_posix_separators(to).c_str()) == 0;
  }

  void remove_file(std::string_view name) override {
    if (replaceable(name)) ::unlink(to_posix_separators(name).c_str());
  }

  // flock, not fcntl: its lock belongs to the open file, which is kept open
  // (never closed) for the rest of the run. A link or a pipe in the file's
  // place is not opened.
  RunLock lock_for_run(std::string_view name) override {
    if (name.find('\0') != std::string_view::npos) return RunLock::kNotPossible;
    const std::string path = to_posix_separators(name);
    const int fd =
        ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666);
    if (fd < 0) return RunLock::kNotPossible;
    // Only an ordinary file: a reader held open on a pipe would let the
    // report be written into it.
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
      ::close(fd);
      return RunLock::kNotPossible;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return RunLock::kLocked;
    const bool held = errno == EWOULDBLOCK;
    ::close(fd);
    return held ? RunLock::kHeldElsewhere : RunLock::kNotPossible;
  }

  std::vector<std::string> list_matches(std::string_view pattern) override {
    std::string path = to_posix_separators(pattern);
    std::size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    std::string name_pattern = slash == std::string::npos ? path : path.substr(slash + 1);
    folder = resolve_name(folder, folder_names_);
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return names;
    if (!folder.empty() && folder.back() != '/') folder += '/';
    while (dirent* entry = ::readdir(dir)) {
      std::string_view name = entry->d_name;
      if (name.empty() || name[0] == '.' || !wildcard_match(name_pattern, name)) continue;
      struct stat info;
      std::string full = folder + entry->d_name;
      if (::stat(full.c_str(), &info) == 0 && S_ISREG(info.st_mode)) names.emplace_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end(), less_ignoring_case);
    return names;
  }

  std::string current_directory() override {
    std::string buffer(256, '\0');
    for (;;) {
      if (::getcwd(buffer.data(), buffer.size()) != nullptr) {
        buffer.resize(std::char_traits<char>::length(buffer.c_str()));
        return buffer;
      }
      if (errno != ERANGE || buffer.size() > (1u << 20)) return {};
      buffer.resize(buffer.size() * 2);
    }
  }

  bool is_folder(std::string_view name) override {
    struct stat info;
    return stat_name(name, info, folder_names_) && S_ISDIR(info.st_mode);
  }

  bool list_folder(std::string_view folder, std::vector<FolderEntry>& entries) override {
    if (folder.find('\0') != std::string_view::npos) return false;
    std::string path = resolve_name(folder, folder_names_);
    DIR* dir = ::opendir(path.empty() ? "." : path.c_str());
    if (dir == nullptr) return false;
    if (!path.empty() && path.back() != '/') path += '/';
    errno = 0;
    while (dirent* entry = ::readdir(dir)) {
      // A leading "." hides an entry, and leaves out "." and ".." too.
      if (entry->d_name[0] != '.') add_entry(path, *entry, entries);
      errno = 0;
    }
    bool whole = errno == 0;
    ::closedir(dir);
    return whole;
  }

  std::optional<FileIdentity> identify(std::string_view name) override {
    struct stat info;
    if (!stat_name(name, info, folder_names_)) return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                        static_cast<std::uint64_t>(info.st_ino)};
  }

  std::string found_path(std::string_view name) override {
    if (start_folder_.empty()) start_folder_ = current_directory();
    if (name.find('\0') != std::string_view::npos)
      return clean_path(name, start_folder_, PathStyle::kPosix);
    std::string path = resolve_name(name, folder_names_, true);
    std::optional<std::string> utf8;
    if (!exists(path) && (utf8 = cp1252_as_utf8(path))) {
      std::string found = resolve_name(*utf8, folder_names_);
      if (exists(found)) path = std::move(found);
    }
    return clean_path(path, start_folder_, PathStyle::kPosix);
  }

  LocalTime local_time() override {
    std::time_t now = std::time(nullptr);
    std::tm parts{};
    ::localtime_r(&now, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
            parts.tm_hour,        parts.tm_min,     parts.tm_sec};
  }

  bool start_program(std::string_view program, std::string_view argument) override {
    const char* search = std::getenv("PATH");
    std::string_view folders = search != nullptr ? search : "";
    for (std::size_t start = 0; start <= folders.size();) {
      std::size_t colon = std::min(folders.find(':', start), folders.size());
      std::string_view folder = folders.substr(start, colon - start);
      start = colon + 1;
      // Only absolute folders: a viewer planted in the analysed source, or in
      // the current folder through "." or an empty entry, must never run.
      if (folder.empty() || folder[0] != '/') continue;
      std::string candidate = std::string(folder) + "/" + std::string(program);
      if (is_executable_file(candidate)) return spawn(candidate, argument);
    }
    return false;
  }

 private:
  static bool spawn(const std::string& program, std::string_view argument) {
    std::string arg(argument);
    char* argv[] = {const_cast<char*>(program.c_str()), arg.data(), nullptr};
    // The viewer gets SIGPIPE back as programs expect it.
    posix_spawnattr_t attributes;
    if (::posix_spawnattr_init(&attributes) != 0) return false;
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    ::posix_spawnattr_setsigdefault(&attributes, &defaults);
    ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    pid_t child;
    int result = ::posix_spawn(&child, program.c_str(), nullptr, &attributes, argv, environ);
    ::posix_spawnattr_destroy(&attributes);
    return result == 0;
  }

  std::nullptr_t failed_creation(int error) {
    creation_failure_ = std::strerror(error);
    return nullptr;
  }

  bool stdout_closed_;
  FolderNames folder_names_;
  std::string start_folder_;  // asked once: the run never changes folder
  std::string creation_failure_;
};

}  // namespace

std::unique_ptr<Platform> make_system_platform() {
  return std::make_unique<PosixPlatform>();
}

}  // namespace codetal
