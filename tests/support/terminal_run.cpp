#include "terminal_run.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace codetal::test {
namespace {

int count_of(std::string_view text, std::string_view part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string_view::npos;
       at = text.find(part, at + part.size()))
    ++n;
  return n;
}

void write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw std::runtime_error("write to the terminal failed");
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

void open_terminal_pair(int& master, int& slave) {
  master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
    throw std::runtime_error("no pseudo-terminal");
  const char* name = ::ptsname(master);
  slave = name == nullptr ? -1 : ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave < 0) throw std::runtime_error("cannot open the pseudo-terminal's slave");
}

int open_capture(const std::string& path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
}

// A run that a test ends by SIGQUIT leaves no core file behind.
void reset_signals(const std::vector<int>& ignored) {
  for (int sig : {SIGINT, SIGQUIT, SIGTSTP, SIGTTIN, SIGTTOU, SIGHUP, SIGPIPE, SIGCHLD, SIGTERM})
    ::signal(sig, SIG_DFL);
  for (int sig : ignored) ::signal(sig, SIG_IGN);
  sigset_t none;
  sigemptyset(&none);
  ::sigprocmask(SIG_SETMASK, &none, nullptr);
  rlimit no_core{0, 0};
  ::setrlimit(RLIMIT_CORE, &no_core);
}

// Takes the terminal for the calling process's own group, as a shell does
// for a foreground job.
void take_terminal() {
  ::setpgid(0, 0);
  int terminal = ::open("/dev/tty", O_RDWR | O_NOCTTY);
  ::signal(SIGTTOU, SIG_IGN);
  ::tcsetpgrp(terminal, ::getpgrp());
  ::signal(SIGTTOU, SIG_DFL);
  ::close(terminal);
}

// The shell's part for a job: the binary runs in a process group of its
// own, which holds the terminal when `foreground` (otherwise this session
// leader keeps it); its status is passed on, a signal as 128 + its number.
[[noreturn]] void run_as_job(const std::vector<std::string>& argv, int report_pid,
                             bool foreground) {
  pid_t worker = ::fork();
  if (worker == 0) {
    if (foreground) take_terminal();
    ::setpgid(0, 0);
    exec_argv(argv);
  }
  if (worker > 0) ::setpgid(worker, worker);
  (void)!::write(report_pid, &worker, sizeof worker);
  ::close(report_pid);
  int status = 0;
  while (worker > 0 && ::waitpid(worker, &status, 0) < 0 && errno == EINTR) {
  }
  if (worker < 0) _exit(127);
  _exit(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
}

}  // namespace

TerminalRun::TerminalRun(const TempFolder& folder, const std::vector<std::string>& arguments,
                         const TerminalOptions& options)
    : options_(options),
      run_folder_(folder.path()),
      deadline_(std::chrono::steady_clock::now() + std::chrono::seconds(options.timeout_seconds)) {
  open_terminal_pair(master_, slave_);
  ::tcgetattr(slave_, &initial_mode_);
  // Typed-ahead keys must be in the terminal's input queue before the run
  // starts; their echo shows that the line discipline has taken them.
  write_all(master_, options_.typed_ahead);
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (transcript_.size() < options_.typed_ahead.size() &&
         std::chrono::steady_clock::now() < until)
    read_some(20);
  start(arguments);
}

TerminalRun::~TerminalRun() {
  if (!ended()) kill_run();
  ::close(master_);
  ::close(slave_);
}

void TerminalRun::start(const std::vector<std::string>& arguments) {
  int in = -1;
  if (options_.piped_input) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    write_all(ends[1], *options_.piped_input);  // small enough for the pipe's buffer
    ::close(ends[1]);
    in = ends[0];
  }
  int out = options_.stdout_to_terminal ? -1 : open_capture(captures_ / "stdout");
  int err = options_.stderr_to_terminal ? -1 : open_capture(captures_ / "stderr");
  int worker_pipe[2] = {-1, -1};
  const bool job = options_.job != TerminalOptions::Job::kNone;
  if (job && ::pipe2(worker_pipe, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  std::vector<std::string> argv = command_line(arguments);

  child_ = ::fork();
  if (child_ < 0) throw std::runtime_error("fork failed");
  if (child_ == 0) {
    reset_signals(options_.ignored_signals);
    ::setsid();
    if (::ioctl(slave_, TIOCSCTTY, 0) != 0) _exit(126);
    ::dup2(in >= 0 ? in : slave_, 0);
    ::dup2(out >= 0 ? out : slave_, 1);
    ::dup2(err >= 0 ? err : slave_, 2);
    if (::chdir(run_folder_.c_str()) != 0) _exit(127);
    set_search_path(options_.path_env);
    if (job) run_as_job(argv, worker_pipe[1], options_.job == TerminalOptions::Job::kForeground);
    exec_argv(argv);
  }
  for (int fd : {in, out, err, worker_pipe[1]})
    if (fd >= 0) ::close(fd);
  if (job) {
    if (::read(worker_pipe[0], &worker_, sizeof worker_) != sizeof worker_) worker_ = -1;
    ::close(worker_pipe[0]);
  }
}

bool TerminalRun::read_some(int milliseconds) {
  pollfd ready{master_, POLLIN, 0};
  if (::poll(&ready, 1, milliseconds) <= 0 || (ready.revents & POLLIN) == 0) return false;
  char buffer[4096];
  ssize_t n = ::read(master_, buffer, sizeof buffer);
  if (n <= 0) return false;
  transcript_.append(buffer, static_cast<std::size_t>(n));
  return true;
}

bool TerminalRun::ended() {
  if (!reaped_) reaped_ = ::waitpid(child_, &wait_status_, WNOHANG) == child_;
  return reaped_;
}

void TerminalRun::kill_run() {
  if (worker_ > 0) ::kill(-worker_, SIGKILL);
  ::kill(-child_, SIGKILL);
  ::kill(child_, SIGKILL);
  ::waitpid(child_, &wait_status_, 0);
  wait_status_ = -1;
  reaped_ = true;
}

std::string TerminalRun::terminal() {
  while (read_some(0)) {
  }
  return normalise_line_ends(transcript_);
}

std::string TerminalRun::stream(bool to_terminal, const std::string& capture) {
  if (to_terminal) return terminal();
  std::string text = read_file(captures_ / capture);
  return windows_build() ? normalise_line_ends(text) : text;
}

bool TerminalRun::wait_for_prompt(int count) {
  for (;;) {
    bool over = ended() || past_deadline();
    if (count_of(stream(options_.stdout_to_terminal, "stdout"), kPrompt) >= count) return true;
    if (over) return false;
    read_some(5);
  }
}

bool TerminalRun::wait_for_key_wait() {
  for (;;) {
    if ((mode().c_lflag & (ECHO | ICANON)) == 0) return true;
    if (ended() || past_deadline()) return false;
    read_some(2);
  }
}

void TerminalRun::type(std::string_view keys) {
  write_all(master_, keys);
}

bool TerminalRun::still_running_after(int milliseconds) {
  auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (std::chrono::steady_clock::now() < until && !ended()) read_some(5);
  return !ended();
}

void TerminalRun::send_signal(int sig) {
  ::kill(worker_ > 0 ? worker_ : child_, sig);
}

// The state letter of /proc/PID/stat, after the command name in parentheses.
bool TerminalRun::wait_until_stopped() {
  const std::string stat = "/proc/" + std::to_string(worker_ > 0 ? worker_ : child_) + "/stat";
  for (;;) {
    std::ifstream file(stat);
    std::string line;
    std::getline(file, line);
    std::size_t close = line.rfind(')');
    if (close != std::string::npos && line.compare(close, 3, ") T") == 0) return true;
    if (ended() || past_deadline()) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

int TerminalRun::ending_signal() const {
  return wait_status_ != -1 && WIFSIGNALED(wait_status_) ? WTERMSIG(wait_status_) : 0;
}

termios TerminalRun::mode() const {
  termios now{};
  ::tcgetattr(slave_, &now);
  return now;
}

bool TerminalRun::mode_restored() const {
  const termios a = mode(), &b = initial_mode_;
  return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
         a.c_lflag == b.c_lflag && a.c_cc[VMIN] == b.c_cc[VMIN] && a.c_cc[VTIME] == b.c_cc[VTIME] &&
         a.c_cc[VINTR] == b.c_cc[VINTR];
}

RunResult TerminalRun::finish() {
  while (!ended() && !past_deadline()) read_some(5);
  if (!ended()) kill_run();
  // The terminal hands on output a moment after it was written: read until
  // nothing has come for a while.
  while (read_some(100)) {
  }
  RunResult result;
  if (wait_status_ != -1 && WIFEXITED(wait_status_)) result.status = WEXITSTATUS(wait_status_);
  result.out = stream(options_.stdout_to_terminal, "stdout");
  result.err = stream(options_.stderr_to_terminal, "stderr");
  collect_report(run_folder_, result);
  return result;
}

}  // namespace codetal::test
