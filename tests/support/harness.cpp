#include "harness.h"

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace codetal::test {
namespace {

const std::string kBinary = CODETAL_BINARY;
const std::string kLauncher = CODETAL_LAUNCHER;  // runs the binary, if it must not run alone

// A path of this machine as Wine shows it: the root is drive Z:.
std::string wine_path(const std::string& path) {
  std::string windows = path;
  std::replace(windows.begin(), windows.end(), '/', '\\');
  return path.starts_with("/") ? "Z:" + windows : windows;
}

// A POSIX search path ("/a:/b") as a Windows one ("Z:\\a;Z:\\b").
std::string windows_search_path(const std::string& search) {
  std::string windows;
  std::stringstream folders(search);
  std::string folder;
  for (bool first = true; std::getline(folders, folder, ':'); first = false)
    windows += (first ? "" : ";") + wine_path(folder);
  return windows;
}

// Waits for a child, killing it (and its process group) at the deadline;
// its exit status, or -1.
int wait_for(pid_t child, int timeout_seconds) {
  int status = 0;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeout_seconds);
  while (::waitpid(child, &status, WNOHANG) != child) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(-child, SIGKILL);
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A mount namespace of this process's own in which `folder` is read-only;
// nothing of it is seen outside.
bool mount_read_only(const std::string& folder) {
  return ::unshare(CLONE_NEWNS) == 0 &&
         ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
         ::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
         ::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
}

void set_limit(int resource, long long value) {
  rlimit limit{static_cast<rlim_t>(value), static_cast<rlim_t>(value)};
  ::setrlimit(resource, &limit);
}

int open_stdout(const std::string& out_path, const RunOptions& options) {
  if (options.stdout_to == "dev-null") return ::open("/dev/null", O_WRONLY);
  if (options.stdout_to != "closed-pipe")
    return ::open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  int ends[2];
  if (::pipe(ends) != 0) return -1;
  ::close(ends[0]);
  return ends[1];
}

// The child: a new session (no controlling terminal), the run's folder as
// the current folder, standard input from /dev/null.
[[noreturn]] void exec_child(const std::string& folder, const std::vector<std::string>& argv,
                             const std::string& out_path, const std::string& err_path,
                             const RunOptions& options) {
  ::setsid();
  ::signal(SIGPIPE, SIG_DFL);  // as a shell starts it, whatever this runner ignores
  if (options.read_only_folder && !mount_read_only(folder)) _exit(RunOptions::kNoReadOnlyFolder);
  if (::chdir(folder.c_str()) != 0) _exit(127);
  int in = ::open("/dev/null", O_RDONLY);
  int out = open_stdout(out_path, options);
  int err = ::open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (in < 0 || out < 0 || err < 0) _exit(127);
  ::dup2(in, 0);
  ::dup2(out, 1);
  ::dup2(options.stdout_to == "with-stderr" ? out : err, 2);
  for (int fd : {in, out, err})
    if (fd > 2) ::close(fd);
  if (options.stdout_to == "closed") ::close(1);
  set_search_path(options.path_env);
  if (options.interrupted_reads) {
    ::setenv("LD_PRELOAD", CODETAL_INTERRUPTED_READS, 1);
    // A sanitizer's runtime wants to come first; the library only wraps read.
    const char* asan = std::getenv("ASAN_OPTIONS");
    ::setenv("ASAN_OPTIONS",
             (std::string(asan != nullptr ? asan : "") + ":verify_asan_link_order=0").c_str(), 1);
  }
  if (options.file_size_limit > 0) {
    ::signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG
    set_limit(RLIMIT_FSIZE, options.file_size_limit);
  }
  if (options.open_files_limit > 0) set_limit(RLIMIT_NOFILE, options.open_files_limit);
  exec_argv(argv);
}

// Size, modification time and bytes (a link's target) of every entry below
// a folder, to prove that a run changed nothing but "Codetal.log".
struct FileState {
  long long size = 0;
  long long mtime_ns = 0;
  std::string bytes;
  bool operator==(const FileState&) const = default;
};

std::map<std::string, FileState> snapshot(const std::string& folder) {
  std::map<std::string, FileState> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    std::string name = entry.path().lexically_relative(folder).string();
    struct stat info;
    if (::lstat(entry.path().c_str(), &info) != 0) continue;
    if (S_ISDIR(info.st_mode)) {
      files[name + "/"] = FileState{};
      continue;
    }
    FileState& state = files[name];
    state.size = info.st_size;
    state.mtime_ns = info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec;
    if (S_ISREG(info.st_mode) && info.st_size < (64 << 20)) state.bytes = read_file(entry.path());
    if (S_ISLNK(info.st_mode)) state.bytes = std::filesystem::read_symlink(entry.path());
  }
  return files;
}

std::vector<std::string> changed_files(const std::map<std::string, FileState>& before,
                                       const std::map<std::string, FileState>& after) {
  std::vector<std::string> changed;
  for (const auto& [name, state] : before) {
    auto found = after.find(name);
    if (found == after.end() || !(found->second == state)) changed.push_back(name);
  }
  for (const auto& [name, state] : after)
    if (!before.contains(name)) changed.push_back(name);
  return changed;
}

}  // namespace

bool windows_build() {
  return kBinary.ends_with(".exe");
}

void set_search_path(const std::string& path_env) {
  if (windows_build()) {
    // Wine keeps the Windows PATH of its prefix and puts WINEPATH before it.
    ::setenv("WINEPATH", windows_search_path(path_env).c_str(), 1);
  } else {
    ::setenv("PATH", path_env.empty() ? "/usr/bin:/bin" : path_env.c_str(), 1);
  }
}

std::string expected_current_folder(const std::string& path) {
  return windows_build() ? wine_path(path) : path;
}

bool set_hidden_attribute(const TempFolder& folder, const std::string& name) {
  if (!windows_build() || kLauncher.empty()) return false;
  pid_t child = ::fork();
  if (child == 0) {
    int null = ::open("/dev/null", O_RDWR);
    for (int fd : {0, 1, 2}) ::dup2(null, fd);
    ::setsid();
    exec_argv({kLauncher, "attrib", "+h", wine_path(folder / name)});
  }
  return child > 0 && wait_for(child, 120) == 0;
}

RunResult run_codetal(const TempFolder& folder, const std::vector<std::string>& arguments,
                      const RunOptions& options) {
  TempFolder captures;
  std::string run_folder = options.folder.empty() ? folder.path() : folder / options.folder;
  std::vector<std::string> argv = command_line(arguments);
  const auto before = snapshot(folder.path());
  pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) exec_child(run_folder, argv, captures / "stdout", captures / "stderr", options);

  RunResult result;
  // Wine starts and writes several times slower than the native build.
  result.status = wait_for(child, (windows_build() ? 3 : 1) * options.timeout_seconds);
  result.out = read_file(captures / "stdout");
  result.err = read_file(captures / "stderr");
  collect_report(run_folder, result);
  result.changed_files = changed_files(before, snapshot(folder.path()));
  result.report_name = options.folder.empty() ? "Codetal.log" : options.folder + "/Codetal.log";
  if (windows_build()) {
    result.out = normalise_line_ends(result.out);
    result.err = normalise_line_ends(result.err);
  }
  return result;
}

void exec_argv(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  ::execvp(args[0], args.data());
  _exit(127);
}

std::vector<std::string> command_line(const std::vector<std::string>& arguments) {
  std::vector<std::string> argv;
  if (!kLauncher.empty()) argv.push_back(kLauncher);
  argv.push_back(kBinary);
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return argv;
}

void collect_report(const std::string& run_folder, RunResult& result) {
  std::string report_path = run_folder + "/Codetal.log";
  struct stat info;
  result.report_exists = ::stat(report_path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
  if (result.report_exists) result.report_bytes = read_file(report_path);
  result.report = windows_build() ? normalise_line_ends(result.report_bytes) : result.report_bytes;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
    text.replace(at, from.size(), to);
    at += to.size();
  }
  return text;
}

}  // namespace codetal::test
