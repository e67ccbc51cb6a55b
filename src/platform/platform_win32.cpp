// Win32 implementation of Platform: the console API for the keyboard and the
// window, CreateFileA for files, FindFirstFileA for wildcard sets and
// CreateProcessA for the viewer. Only the 8-bit "A" functions are used, so
// names and texts pass through as bytes.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <algorithm>

#include "platform/ascii.h"
#include "platform/file_path.h"
#include "platform/platform.h"

namespace codetal {
namespace {

// A single WriteFile or ReadFile moves at most a DWORD's worth of bytes.
constexpr std::size_t kLargestTransfer = 1u << 30;
// Older consoles refuse a single write much beyond 64 KiB.
constexpr std::size_t kLargestConsoleWrite = 16 * 1024;

bool write_all(HANDLE handle, std::string_view bytes, std::size_t largest = kLargestTransfer) {
  while (!bytes.empty()) {
    DWORD chunk = static_cast<DWORD>(std::min(bytes.size(), largest));
    DWORD written = 0;
    if (!::WriteFile(handle, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// Windows text files and consoles end lines with CR LF; the texts above this
// layer use "\n" alone.
void to_windows_line_ends(std::string_view text, std::string& out) {
  out.clear();
  out.reserve(text.size() + text.size() / 16 + 16);
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
}

// Each component of an absolute path in the letter case its folder holds,
// as far as the components exist.
std::string case_on_disk(const std::string& path) {
  std::size_t at = path.starts_with("\\\\") ? path.find('\\', path.find('\\', 2) + 1) : 2;
  if (at == std::string::npos || path.find_first_of("*?") != std::string::npos) return path;
  std::string cased = path.substr(0, at);
  while (at < path.size()) {
    std::size_t end = path.find('\\', at + 1);
    if (end == std::string::npos) end = path.size();
    cased += '\\';
    std::string component = path.substr(at + 1, end - at - 1);
    WIN32_FIND_DATAA entry;
    HANDLE find = ::FindFirstFileA((cased + component).c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return cased + path.substr(at + 1);
    ::FindClose(find);
    cased += entry.cFileName;
    at = end;
  }
  return cased;
}

std::string to_windows_separators(std::string_view name) {
  std::string path(name);
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

HANDLE open_console(const char* name) {
  return ::CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, 0, nullptr);
}

// Closes a handle when it goes out of scope.
class HandleGuard {
 public:
  explicit HandleGuard(HANDLE handle) : handle_(handle) {}
  ~HandleGuard() {
    if (valid()) ::CloseHandle(handle_);
  }
  HandleGuard(const HandleGuard&) = delete;
  HandleGuard& operator=(const HandleGuard&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

class Win32InputFile final : public InputFile {
 public:
  explicit Win32InputFile(HANDLE handle) : handle_(handle) {}
  ~Win32InputFile() override { ::CloseHandle(handle_); }
  Win32InputFile(const Win32InputFile&) = delete;
  Win32InputFile& operator=(const Win32InputFile&) = delete;

  long read(char* buffer, std::size_t size) override {
    DWORD wanted = static_cast<DWORD>(std::min(size, kLargestTransfer));
    DWORD got = 0;
    if (!::ReadFile(handle_, buffer, wanted, &got, nullptr)) {
      return ::GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
    }
    return static_cast<long>(got);
  }

 private:
  HANDLE handle_;
};

class Win32OutputFile final : public OutputFile {
 public:
  explicit Win32OutputFile(HANDLE handle) : handle_(handle) {}
  ~Win32OutputFile() override { close(); }
  Win32OutputFile(const Win32OutputFile&) = delete;
  Win32OutputFile& operator=(const Win32OutputFile&) = delete;

  bool write(std::string_view bytes) override {
    if (handle_ == INVALID_HANDLE_VALUE) return false;
    if (!text_) return write_all(handle_, bytes);
    to_windows_line_ends(bytes, translated_);
    return write_all(handle_, translated_);
  }

  void store_bytes_as_they_are() { text_ = false; }

  bool close() override {
    if (handle_ == INVALID_HANDLE_VALUE) return true;
    bool closed = ::CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
  bool text_ = true;
  std::string translated_;  // reused, so a report costs no allocation per text
};

// Shift, Ctrl and Alt pressed alone neither end the wait nor count as pending.
bool is_key_press(const INPUT_RECORD& record) {
  if (record.EventType != KEY_EVENT || !record.Event.KeyEvent.bKeyDown) return false;
  WORD key = record.Event.KeyEvent.wVirtualKeyCode;
  return key != VK_SHIFT && key != VK_CONTROL && key != VK_MENU;
}

// Reads console input until a key press; false when the console fails.
bool read_key_press(HANDLE input) {
  for (;;) {
    INPUT_RECORD record;
    DWORD count = 0;
    if (!::ReadConsoleInputA(input, &record, 1, &count) || count == 0) return false;
    if (is_key_press(record)) return true;
  }
}

// Looks at no more than this many waiting events; with more waiting, no key
// counts as pending.
constexpr DWORD kPendingWindow = 20;

bool key_press_pending(HANDLE input) {
  DWORD waiting = 0;
  if (!::GetNumberOfConsoleInputEvents(input, &waiting)) return false;
  if (waiting == 0 || waiting > kPendingWindow) return false;
  INPUT_RECORD records[kPendingWindow];
  DWORD count = 0;
  if (!::PeekConsoleInputA(input, records, kPendingWindow, &count)) return false;
  return std::any_of(records, records + count, is_key_press);
}

// What the console control handler needs to put the keyboard's mode back;
// the handler runs on a thread of its own, so the lock keeps it from using
// the handle while the wait ends and closes it.
SRWLOCK g_wait_lock = SRWLOCK_INIT;
HANDLE g_wait_input = INVALID_HANDLE_VALUE;
DWORD g_wait_saved_mode = 0;

// Ctrl+Break, a closed console window, a logoff or shutdown, and Ctrl+C sent
// by another program all end the run: the mode the wait changed is put back
// first, then the event goes on to the default handling.
BOOL WINAPI restore_mode_on_control_event(DWORD) {
  ::AcquireSRWLockExclusive(&g_wait_lock);
  if (g_wait_input != INVALID_HANDLE_VALUE) ::SetConsoleMode(g_wait_input, g_wait_saved_mode);
  ::ReleaseSRWLockExclusive(&g_wait_lock);
  return FALSE;
}

// A stop asked for while the run measures: Ctrl+C or Ctrl+Break is noted,
// and the run ends itself at its next module. During a wait it ends the run
// at once, as ever, and so does a closed console, a logoff or a shutdown
// when the run cannot get to its next module in time; the report (flushed
// before every wait) gets the note at its end first.
volatile LONG g_stop_requested = 0;
HANDLE g_stop_note = INVALID_HANDLE_VALUE;
std::string g_stop_note_text;

bool wait_pending() {
  ::AcquireSRWLockShared(&g_wait_lock);
  const bool pending = g_wait_input != INVALID_HANDLE_VALUE;
  ::ReleaseSRWLockShared(&g_wait_lock);
  return pending;
}

BOOL WINAPI note_stop_on_control_event(DWORD event) {
  const bool keys = event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT;
  if (!wait_pending()) {
    ::InterlockedExchange(&g_stop_requested, 1);
    if (keys) return TRUE;
    ::Sleep(4000);  // the run ends itself meanwhile; the system allows five seconds
  }
  DWORD written = 0;
  if (g_stop_note != INVALID_HANDLE_VALUE)
    ::WriteFile(g_stop_note, g_stop_note_text.data(), static_cast<DWORD>(g_stop_note_text.size()),
                &written, nullptr);
  return FALSE;
}

// The console keyboard without line editing, echo or Ctrl+C handling for the
// duration of one wait; the console is shared with the shell that started
// the run, so its mode is put back however the wait ends.
class KeyboardModeForWait {
 public:
  KeyboardModeForWait(HANDLE input, DWORD saved) {
    ::AcquireSRWLockExclusive(&g_wait_lock);
    g_wait_input = input;
    g_wait_saved_mode = saved;
    ::ReleaseSRWLockExclusive(&g_wait_lock);
    ::SetConsoleCtrlHandler(restore_mode_on_control_event, TRUE);
    constexpr DWORD kCooked = ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT | ENABLE_PROCESSED_INPUT;
    ::SetConsoleMode(input, saved & ~kCooked);
  }
  ~KeyboardModeForWait() {
    ::AcquireSRWLockExclusive(&g_wait_lock);
    ::SetConsoleMode(g_wait_input, g_wait_saved_mode);
    g_wait_input = INVALID_HANDLE_VALUE;
    ::ReleaseSRWLockExclusive(&g_wait_lock);
    ::SetConsoleCtrlHandler(restore_mode_on_control_event, FALSE);
  }
  KeyboardModeForWait(const KeyboardModeForWait&) = delete;
  KeyboardModeForWait& operator=(const KeyboardModeForWait&) = delete;
};

bool is_console(DWORD standard_handle) {
  DWORD mode = 0;
  return ::GetConsoleMode(::GetStdHandle(standard_handle), &mode) != 0;
}

void clear_window(HANDLE output) {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!::GetConsoleScreenBufferInfo(output, &info)) return;
  const SMALL_RECT& window = info.srWindow;
  DWORD width = static_cast<DWORD>(window.Right - window.Left + 1);
  for (SHORT row = window.Top; row <= window.Bottom; ++row) {
    COORD start{window.Left, row};
    DWORD done = 0;
    ::FillConsoleOutputCharacterA(output, ' ', width, start, &done);
    ::FillConsoleOutputAttribute(output, info.wAttributes, width, start, &done);
  }
  ::SetConsoleCursorPosition(output, COORD{window.Left, window.Top});
}

std::string environment_variable(const char* name) {
  DWORD size = ::GetEnvironmentVariableA(name, nullptr, 0);
  if (size == 0) return {};
  std::string value(size, '\0');
  DWORD length = ::GetEnvironmentVariableA(name, value.data(), size);
  if (length == 0 || length >= size) return {};
  value.resize(length);
  return value;
}

bool is_ascii_letter(char c) {
  return ascii_lower(c) >= 'a' && ascii_lower(c) <= 'z';
}
bool is_separator(char c) {
  return c == '\\' || c == '/';
}

// "C:\tools" or "\\server\share"; never a relative or drive-relative folder,
// which would depend on the current folder.
bool is_absolute_folder(std::string_view folder) {
  if (folder.size() >= 3 && is_ascii_letter(folder[0]) && folder[1] == ':' &&
      is_separator(folder[2]))
    return true;
  return folder.size() >= 3 && is_separator(folder[0]) && is_separator(folder[1]);
}

std::string_view without_quotes(std::string_view entry) {
  if (entry.size() >= 2 && entry.front() == '"' && entry.back() == '"') {
    entry.remove_prefix(1);
    entry.remove_suffix(1);
  }
  return entry;
}

bool is_ordinary_file(const std::string& path) {
  DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The full path goes in as the application name, so CreateProcessA does no
// search of its own (which would try the current folder first).
bool spawn(const std::string& path, std::string_view program, std::string_view argument) {
  std::string command(program);
  if (command.find(' ') != std::string::npos) command = '"' + command + '"';
  command.append(" ").append(argument);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(path.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process))
    return false;
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return true;
}

// A written file may sit in a folder of unchecked source: a symbolic link or
// junction planted in its place must not lead the writing into another file
// or create one elsewhere. So nothing is created or truncated before the
// opened object has been looked at: an existing name is opened as it is
// (the link itself, not what it leads to), a missing one created only if it
// is still missing. A device such as NUL is written, as is a link to one,
// since that changes no file.
// Shared for writing too: the note that a stopped run appends to its report
// is written through a handle of its own (and another run is kept out by
// the folder's lock, not by sharing).
constexpr DWORD kShareForOutput = FILE_SHARE_READ | FILE_SHARE_WRITE;

HANDLE open_existing(const std::string& path, DWORD flags) {
  return ::CreateFileA(path.c_str(), GENERIC_WRITE, kShareForOutput, nullptr, OPEN_EXISTING, flags,
                       nullptr);
}

// What the link leads to, opened without creating or truncating anything,
// kept only when it is a device.
HANDLE open_device(const std::string& path) {
  HANDLE handle = open_existing(path, 0);
  if (handle != INVALID_HANDLE_VALUE && ::GetFileType(handle) != FILE_TYPE_CHAR) {
    ::CloseHandle(handle);
    return INVALID_HANDLE_VALUE;
  }
  return handle;
}

// Keeps an existing object opened for writing when it is a device, or an
// ordinary file, which is then emptied. As when a file is created over, a
// hidden or system file is refused.
HANDLE keep_writable(HANDLE handle, const std::string& path) {
  DWORD type = ::GetFileType(handle);
  if (type == FILE_TYPE_CHAR) return handle;
  BY_HANDLE_FILE_INFORMATION info;
  bool known = type == FILE_TYPE_DISK && ::GetFileInformationByHandle(handle, &info);
  constexpr DWORD kRefused = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN |
                             FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_REPARSE_POINT;
  if (known && (info.dwFileAttributes & kRefused) == 0 && ::SetEndOfFile(handle)) return handle;
  ::CloseHandle(handle);
  if (known && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
    return open_device(path);
  return INVALID_HANDLE_VALUE;
}

// A name that appears or goes between the two opens is tried again, a few
// times: a dangling link is neither there to open nor free to create.
HANDLE open_output(const std::string& path) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    HANDLE handle = open_existing(path, FILE_FLAG_OPEN_REPARSE_POINT);
    if (handle != INVALID_HANDLE_VALUE) return keep_writable(handle, path);
    if (::GetLastError() != ERROR_FILE_NOT_FOUND) return INVALID_HANDLE_VALUE;
    handle = ::CreateFileA(path.c_str(), GENERIC_WRITE, kShareForOutput, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) return handle;
  }
  return INVALID_HANDLE_VALUE;
}

// The lock's and the stop note's own handles on the report: an ordinary
// file opened as it is, or created when missing, never through a link.
HANDLE open_beside_report(const std::string& path, DWORD access) {
  constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  for (int attempt = 0; attempt < 3; ++attempt) {
    HANDLE handle = ::CreateFileA(path.c_str(), access, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_FILE_NOT_FOUND)
      handle = ::CreateFileA(path.c_str(), access, kShareAll, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      if (::GetLastError() == ERROR_FILE_EXISTS) continue;
      return handle;
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (::GetFileType(handle) == FILE_TYPE_DISK && ::GetFileInformationByHandle(handle, &info) &&
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0)
      return handle;
    ::CloseHandle(handle);
    return INVALID_HANDLE_VALUE;
  }
  return INVALID_HANDLE_VALUE;
}

// "folder\*", without doubling a separator or turning "c:" into "c:\".
std::string every_entry_of(std::string_view folder) {
  std::string pattern = to_windows_separators(folder);
  if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != ':') pattern += '\\';
  return pattern + '*';
}

// Hidden and system entries are passed over, and so are links and junctions
// to folders, which could lead a walk round in a loop.
bool is_listed_entry(const WIN32_FIND_DATAA& entry) {
  std::string_view name = entry.cFileName;
  DWORD attributes = entry.dwFileAttributes;
  if (name == "." || name == ".." || (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
    return false;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
         (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
}

class Win32Platform final : public Platform {
 public:
  void write_stdout(std::string_view bytes) override { write_console(STD_OUTPUT_HANDLE, bytes); }
  void write_stderr(std::string_view bytes) override { write_console(STD_ERROR_HANDLE, bytes); }

  bool stdout_is_char_device() override {
    return ::GetFileType(::GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_CHAR;
  }

  bool stdout_is_terminal() override { return is_console(STD_OUTPUT_HANDLE); }
  bool stderr_is_terminal() override { return is_console(STD_ERROR_HANDLE); }

  // The console keyboard itself, not standard input, so redirected input
  // never ends the wait; without a console there is nobody to wait for.
  void wait_for_key() override {
    HandleGuard input(open_console("CONIN$"));
    DWORD saved = 0;
    if (!input.valid() || !::GetConsoleMode(input.get(), &saved)) return;
    KeyboardModeForWait mode(input.get(), saved);
    if (read_key_press(input.get())) {
      while (key_press_pending(input.get()) && read_key_press(input.get())) {
      }
    }
  }

  void clear_screen() override {
    HandleGuard output(open_console("CONOUT$"));
    if (output.valid()) clear_window(output.get());
  }

  std::unique_ptr<InputFile> open_input(std::string_view name) override {
    // A NUL would cut the name short and open some other file.
    if (name.find('\0') != std::string_view::npos) return nullptr;
    std::string path = to_windows_separators(name);
    if (path.empty()) return nullptr;
    HANDLE handle = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    // Devices such as CON, NUL or COM1 open under any folder: refuse them.
    BY_HANDLE_FILE_INFORMATION info;
    if (::GetFileType(handle) != FILE_TYPE_DISK || !::GetFileInformationByHandle(handle, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      ::CloseHandle(handle);
      return nullptr;
    }
    return std::make_unique<Win32InputFile>(handle);
  }

  // A byte far past any end of file is locked, so that the report's own
  // writes through its other handle are never refused; the handle stays
  // open for the rest of the run and the system releases the lock however
  // the process ends.
  RunLock lock_for_run(std::string_view name) override {
    if (name.find('\0') != std::string_view::npos) return RunLock::kNotPossible;
    HANDLE handle = open_beside_report(to_windows_separators(name), GENERIC_READ);
    if (handle == INVALID_HANDLE_VALUE) return RunLock::kNotPossible;
    OVERLAPPED far_byte{};
    far_byte.Offset = 0xFFFFFFFE;
    far_byte.OffsetHigh = 0x7FFFFFFF;
    if (::LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                     &far_byte))
      return RunLock::kLocked;
    const bool held = ::GetLastError() == ERROR_LOCK_VIOLATION;
    ::CloseHandle(handle);
    return held ? RunLock::kHeldElsewhere : RunLock::kNotPossible;
  }

  void arm_stop(std::string_view file, std::string_view note) override {
    if (file.find('\0') != std::string_view::npos) return;
    for (char c : note) g_stop_note_text += c == '\n' ? std::string("\r\n") : std::string(1, c);
    g_stop_note = open_beside_report(to_windows_separators(file), FILE_APPEND_DATA);
    ::SetConsoleCtrlHandler(note_stop_on_control_event, TRUE);
  }

  bool stop_requested() override { return g_stop_requested != 0; }

  void end_stopped_run() override {
    if (g_stop_requested != 0) ::ExitProcess(STATUS_CONTROL_C_EXIT);
  }

  void disarm_stop() override {
    ::SetConsoleCtrlHandler(note_stop_on_control_event, FALSE);
    if (g_stop_note != INVALID_HANDLE_VALUE) ::CloseHandle(g_stop_note);
    g_stop_note = INVALID_HANDLE_VALUE;
  }

  std::string creation_problem(std::string_view name) override {
    if (name.find('\0') != std::string_view::npos) return message_of(ERROR_INVALID_NAME);
    const std::string path = to_windows_separators(name);
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
      constexpr DWORD kRefused = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN |
                                 FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;
      return (attributes & kRefused) != 0 ? message_of(ERROR_ACCESS_DENIED) : std::string();
    }
    HANDLE handle = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return message_of(::GetLastError());
    ::CloseHandle(handle);
    return {};
  }

  bool replaceable(std::string_view name) override {
    if (name.find('\0') != std::string_view::npos) return false;
    const DWORD attributes = ::GetFileAttributesA(to_windows_separators(name).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    constexpr DWORD kKept = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT |
                            FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE;
    return (attributes & kKept) == 0;
  }

  bool replace_file(std::string_view from, std::string_view to) override {
    return ::MoveFileExA(to_windows_separators(from).c_str(), to_windows_separators(to).c_str(),
                         MOVEFILE_REPLACE_EXISTING) != 0;
  }

  void remove_file(std::string_view name) override {
    if (replaceable(name)) ::DeleteFileA(to_windows_separators(name).c_str());
  }

  std::unique_ptr<OutputFile> create_output(std::string_view name) override {
    // A NUL would cut the name short and write some other file.
    if (name.find('\0') != std::string_view::npos) return failed_creation(ERROR_INVALID_NAME);
    HANDLE handle = open_output(to_windows_separators(name));
    if (handle == INVALID_HANDLE_VALUE) return failed_creation(::GetLastError());
    return std::make_unique<Win32OutputFile>(handle);
  }

  // Opened as the report is, so that both follow the same safety rules.
  std::unique_ptr<OutputFile> create_byte_output(std::string_view name) override {
    std::unique_ptr<OutputFile> file = create_output(name);
    if (file != nullptr) static_cast<Win32OutputFile&>(*file).store_bytes_as_they_are();
    return file;
  }

  // The file system matches the pattern; the order is made the same as on
  // every other file system, since only NTFS delivers names sorted.
  std::vector<std::string> list_matches(std::string_view pattern) override {
    std::vector<std::string> names;
    if (pattern.find('\0') != std::string_view::npos) return names;
    std::string path = to_windows_separators(pattern);
    WIN32_FIND_DATAA entry;
    HANDLE find = ::FindFirstFileA(path.c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return names;
    constexpr DWORD kPassedOver =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
    do {
      if ((entry.dwFileAttributes & kPassedOver) == 0) names.emplace_back(entry.cFileName);
    } while (::FindNextFileA(find, &entry));
    ::FindClose(find);
    std::sort(names.begin(), names.end(), less_ignoring_case);
    return names;
  }

  std::string current_directory() override {
    DWORD size = ::GetCurrentDirectoryA(0, nullptr);
    if (size == 0) return {};
    std::string folder(size, '\0');
    DWORD length = ::GetCurrentDirectoryA(size, folder.data());
    if (length == 0 || length >= size) return {};
    folder.resize(length);
    return folder;
  }

  bool is_folder(std::string_view name) override {
    if (name.find('\0') != std::string_view::npos) return false;
    DWORD attributes = ::GetFileAttributesA(to_windows_separators(name).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }

  bool list_folder(std::string_view folder, std::vector<FolderEntry>& entries) override {
    if (folder.find('\0') != std::string_view::npos) return false;
    WIN32_FIND_DATAA entry;
    HANDLE find = ::FindFirstFileA(every_entry_of(folder).c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
      if (is_listed_entry(entry))
        entries.push_back(
            {entry.cFileName, (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (::FindNextFileA(find, &entry));
    bool whole = ::GetLastError() == ERROR_NO_MORE_FILES;
    ::FindClose(find);
    return whole;
  }

  std::string found_path(std::string_view name) override {
    if (start_folder_.empty()) start_folder_ = current_directory();
    std::string path = absolute_path(name, start_folder_, PathStyle::kWindows);
    if (name.find('\0') == std::string_view::npos) path = case_on_disk(path);
    return clean_path(path, start_folder_, PathStyle::kWindows);
  }

  // Opened for no access at all, which folders allow too.
  std::optional<FileIdentity> identify(std::string_view name) override {
    if (name.find('\0') != std::string_view::npos) return std::nullopt;
    HandleGuard file(::CreateFileA(to_windows_separators(name).c_str(), 0,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!file.valid() || !::GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber,
                        (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
  }

  LocalTime local_time() override {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
  }

  bool start_program(std::string_view program, std::string_view argument) override {
    std::string folders = environment_variable("PATH");
    std::string_view rest = folders;
    while (!rest.empty()) {
      std::size_t semicolon = std::min(rest.find(';'), rest.size());
      std::string_view folder = without_quotes(rest.substr(0, semicolon));
      rest.remove_prefix(std::min(semicolon + 1, rest.size()));
      // Only absolute folders: a viewer planted in the analysed source, or in
      // the current folder through "." or a relative entry, must never run.
      if (!is_absolute_folder(folder)) continue;
      std::string candidate(folder);
      if (!is_separator(candidate.back())) candidate += '\\';
      candidate.append(program);
      if (is_ordinary_file(candidate)) return spawn(candidate, program, argument);
    }
    return false;
  }

  std::string creation_failure() const override { return creation_failure_; }

 private:
  // The system's message for `error`, in English, on one line.
  static std::string message_of(DWORD error) {
    char text[512] = {};
    DWORD size =
        error == ERROR_SUCCESS
            ? 0
            : ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                               error, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), text,
                               sizeof text, nullptr);
    std::string message(text, size);
    while (!message.empty() && static_cast<unsigned char>(message.back()) <= ' ')
      message.pop_back();
    return message;
  }

  std::nullptr_t failed_creation(DWORD error) {
    creation_failure_ = message_of(error);
    return nullptr;
  }

  void write_console(DWORD which, std::string_view bytes) {
    to_windows_line_ends(bytes, translated_);
    // A lost console is not reported.
    write_all(::GetStdHandle(which), translated_, kLargestConsoleWrite);
  }

  std::string translated_;
  std::string creation_failure_;
  std::string start_folder_;  // asked once: the run never changes folder
};

}  // namespace

std::unique_ptr<Platform> make_system_platform() {
  return std::make_unique<Win32Platform>();
}

}  // namespace codetal
