#include "harness.h"

#include <dirent.h>
#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace codetal::test {
namespace {

void remove_tree(const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0) return;
  if (S_ISDIR(info.st_mode)) {
    ::chmod(path.c_str(), 0700);
    if (DIR* dir = ::opendir(path.c_str())) {
      while (dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") remove_tree(path + "/" + name);
      }
      ::closedir(dir);
    }
    ::rmdir(path.c_str());
  } else {
    ::unlink(path.c_str());
  }
}

std::string make_temp_folder() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern =
      std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/codetal-test-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  return pattern;
}

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
  bool first = true;
  while (std::getline(folders, folder, ':')) {
    if (!first) windows += ';';
    windows += wine_path(folder);
    first = false;
  }
  return windows;
}

// Runs argv in `folder` with standard input, output and error on /dev/null
// and waits for it; its exit status, or -1.
int run_quietly(const std::string& folder, const std::vector<std::string>& argv) {
  pid_t child = ::fork();
  if (child < 0) return -1;
  if (child == 0) {
    ::setsid();
    int null = ::open("/dev/null", O_RDWR);
    if (null < 0 || ::chdir(folder.c_str()) != 0) _exit(127);
    ::dup2(null, 0);
    ::dup2(null, 1);
    ::dup2(null, 2);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    ::execvp(args[0], args.data());
    _exit(127);
  }
  int status = 0;
  if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

// Exit status of a child that could not set up what the run asked for.
constexpr int kSetupFailed = 125;

// A mount namespace of this process's own in which `folder` is read-only;
// nothing of it is seen outside.
bool mount_read_only(const std::string& folder) {
  return ::unshare(CLONE_NEWNS) == 0 &&
         ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
         ::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
         ::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
}

void limit_file_size(long long bytes) {
  rlimit limit{static_cast<rlim_t>(bytes), static_cast<rlim_t>(bytes)};
  ::signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG
  ::setrlimit(RLIMIT_FSIZE, &limit);
}

// The child: a new session (no controlling terminal), the run's folder as
// the current folder, standard input from /dev/null.
[[noreturn]] void exec_child(const std::string& folder, const std::vector<std::string>& argv,
                             const std::string& out_path, const std::string& err_path,
                             const RunOptions& options) {
  ::setsid();
  ::signal(SIGPIPE, SIG_DFL);  // as a shell starts it, whatever this runner ignores
  if (options.read_only_folder && !mount_read_only(folder)) _exit(kSetupFailed);
  if (::chdir(folder.c_str()) != 0) _exit(127);
  int in = ::open("/dev/null", O_RDONLY);
  int out = -1;
  if (options.stdout_to_dev_null) {
    out = ::open("/dev/null", O_WRONLY);
  } else if (options.stdout_to_closed_pipe) {
    int ends[2];
    if (::pipe(ends) == 0) {
      ::close(ends[0]);
      out = ends[1];
    }
  } else {
    out = ::open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  }
  int err = ::open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (in < 0 || out < 0 || err < 0) _exit(127);
  ::dup2(in, 0);
  ::dup2(out, 1);
  ::dup2(err, 2);
  for (int fd : {in, out, err})
    if (fd > 2) ::close(fd);
  if (options.stdout_closed) ::close(1);
  set_search_path(options.path_env);
  if (options.file_size_limit > 0) limit_file_size(options.file_size_limit);
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  ::execvp(args[0], args.data());
  _exit(127);
}

}  // namespace

TempFolder::TempFolder() : path_(make_temp_folder()) {}
TempFolder::~TempFolder() {
  remove_tree(path_);
}

void TempFolder::make_folder(const std::string& name) const {
  std::string full = path_;
  std::stringstream parts(name);
  std::string part;
  while (std::getline(parts, part, '/')) {
    full += "/" + part;
    ::mkdir(full.c_str(), 0755);
  }
}

void TempFolder::write(const std::string& name, const std::string& bytes) const {
  std::size_t slash = name.rfind('/');
  if (slash != std::string::npos) make_folder(name.substr(0, slash));
  std::ofstream out(path_ + "/" + name, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + name);
}

std::string TempFolder::read(const std::string& name) const {
  return read_file(path_ + "/" + name);
}

bool TempFolder::exists(const std::string& name) const {
  struct stat info;
  return ::lstat((path_ + "/" + name).c_str(), &info) == 0;
}

std::string binary_path() {
  return CODETAL_BINARY;
}
std::string launcher() {
  return CODETAL_LAUNCHER;
}
bool windows_build() {
  return binary_path().size() > 4 && binary_path().ends_with(".exe");
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
  if (!windows_build() || launcher().empty()) return false;
  return run_quietly(folder.path(), {launcher(), "attrib", "+h", wine_path(folder / name)}) == 0;
}

RunResult run_codetal(const TempFolder& folder, const std::vector<std::string>& arguments,
                      const RunOptions& options) {
  TempFolder captures;
  std::string out_path = captures / "stdout";
  std::string err_path = captures / "stderr";
  std::string run_folder = options.folder.empty() ? folder.path() : folder / options.folder;
  std::vector<std::string> argv = command_line(arguments);

  const auto before = snapshot(folder.path());
  pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) exec_child(run_folder, argv, out_path, err_path, options);

  RunResult result;
  int wait_status = 0;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(options.timeout_seconds);
  for (;;) {
    pid_t done = ::waitpid(child, &wait_status, WNOHANG);
    if (done == child) break;
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(-child, SIGKILL);
      ::kill(child, SIGKILL);
      ::waitpid(child, &wait_status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  if (WIFEXITED(wait_status)) result.status = WEXITSTATUS(wait_status);
  result.out = read_file(out_path);
  result.err = read_file(err_path);
  collect_report(run_folder, result);
  result.changed_files = changed_files(before, snapshot(folder.path()));
  result.report_name = options.folder.empty() ? "Codetal.log" : options.folder + "/Codetal.log";
  if (windows_build()) {
    result.out = normalise_line_ends(result.out);
    result.err = normalise_line_ends(result.err);
  }
  return result;
}

std::vector<std::string> command_line(const std::vector<std::string>& arguments) {
  std::vector<std::string> argv;
  if (!launcher().empty()) argv.push_back(launcher());
  argv.push_back(binary_path());
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return argv;
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void collect_report(const std::string& run_folder, RunResult& result) {
  std::string report_path = run_folder + "/Codetal.log";
  struct stat info;
  result.report_exists = ::stat(report_path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
  if (result.report_exists) result.report_bytes = read_file(report_path);
  result.report = windows_build() ? normalise_line_ends(result.report_bytes) : result.report_bytes;
}

std::string normalise_line_ends(const std::string& text) {
  std::string plain;
  plain.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    plain += text[i];
  }
  return plain;
}

bool header_is_well_formed(const std::string& report) {
  static const std::regex header(
      "^Created by Codetal on [0-9]{2}-[0-9]{2}-[0-9]{2} at [0-9]{2}:[0-9]{2}:[0-9]{2}\n\n");
  std::string text = windows_build() ? normalise_line_ends(report) : report;
  return text.size() >= 44 && std::regex_search(text.substr(0, 44), header);
}

std::string report_body(const RunResult& result) {
  if (!result.report_exists) return "<no report>";
  if (!header_is_well_formed(result.report)) return "<bad header>" + result.report;
  return result.report.substr(44);
}

std::map<std::string, FileState> snapshot(const std::string& folder) {
  std::map<std::string, FileState> files;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return files;
  while (dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    std::string full = folder + "/" + name;
    struct stat info;
    if (::lstat(full.c_str(), &info) != 0) continue;
    if (S_ISDIR(info.st_mode)) {
      for (auto& [inner, state] : snapshot(full)) files[name + "/" + inner] = state;
      files[name + "/"] = FileState{0, 0, ""};
      continue;
    }
    FileState state;
    state.size = info.st_size;
    state.mtime_ns =
        static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
    if (S_ISREG(info.st_mode) && info.st_size < (64 << 20)) state.bytes = read_file(full);
    if (S_ISLNK(info.st_mode)) {
      char target[4096];
      ssize_t length = ::readlink(full.c_str(), target, sizeof target);
      if (length > 0) state.bytes.assign(target, static_cast<std::size_t>(length));
    }
    files[name] = state;
  }
  ::closedir(dir);
  return files;
}

}  // namespace codetal::test

namespace codetal::test {

std::vector<std::string> changed_files(const std::map<std::string, FileState>& before,
                                       const std::map<std::string, FileState>& after) {
  std::vector<std::string> changed;
  for (const auto& [name, state] : before) {
    auto found = after.find(name);
    if (found == after.end() || !(found->second == state)) changed.push_back(name);
  }
  for (const auto& [name, state] : after) {
    if (!before.contains(name)) changed.push_back(name);
  }
  return changed;
}

::testing::AssertionResult only_report_changed(const RunResult& result) {
  std::string others;
  for (const std::string& name : result.changed_files) {
    if (name != result.report_name) others += " '" + name + "'";
  }
  if (others.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the run changed more than its report:" << others;
}

std::string read_only_unavailable() {
  TempFolder probe;
  pid_t child = ::fork();
  if (child < 0) return "fork failed";
  if (child == 0) {
    bool refused = mount_read_only(probe.path()) &&
                   ::open((probe / "x").c_str(), O_WRONLY | O_CREAT, 0600) < 0 && errno == EROFS;
    _exit(refused ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return {};
  return "no private mount namespace with a read-only bind mount here (needs CAP_SYS_ADMIN)";
}

}  // namespace codetal::test
