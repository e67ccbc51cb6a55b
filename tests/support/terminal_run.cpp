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

constexpr std::string_view kPrompt = "Codetal==>  Press Enter to continue \n";

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

// What the child gets instead of the terminal for each standard stream.
struct ChildStreams {
  int in = -1;
  int out = -1;
  int err = -1;
};

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

[[noreturn]] void exec_binary(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  ::execvp(args[0], args.data());
  _exit(127);
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
    exec_binary(argv);
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
      run_folder_(options.folder.empty() ? folder.path() : folder / options.folder),
      deadline_(std::chrono::steady_clock::now() + std::chrono::seconds(options.timeout_seconds)) {
  open_terminal_pair(master_, slave_);
  ::tcgetattr(slave_, &initial_mode_);
  queue_typed_ahead();
  start(arguments);
  reader_ = std::thread([this] { read_terminal(); });
}

TerminalRun::~TerminalRun() {
  if (!ended()) kill_run();
  stop_reading_ = true;
  if (reader_.joinable()) reader_.join();
  ::close(master_);
  ::close(slave_);
}

// Typed-ahead keys must be in the terminal's input queue before the run
// starts; their echo shows that the line discipline has taken them.
void TerminalRun::queue_typed_ahead() {
  if (options_.typed_ahead.empty()) return;
  write_all(master_, options_.typed_ahead);
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (transcript_.size() < options_.typed_ahead.size() &&
         std::chrono::steady_clock::now() < until) {
    pollfd ready{master_, POLLIN, 0};
    if (::poll(&ready, 1, 20) <= 0) continue;
    char buffer[256];
    ssize_t n = ::read(master_, buffer, sizeof buffer);
    if (n > 0) transcript_.append(buffer, static_cast<std::size_t>(n));
  }
}

void TerminalRun::start(const std::vector<std::string>& arguments) {
  ChildStreams streams;
  int input_pipe[2] = {-1, -1};
  if (options_.stdin_from_pipe) {
    if (::pipe2(input_pipe, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    write_all(input_pipe[1], options_.piped_input);  // small enough for the pipe's buffer
    ::close(input_pipe[1]);
    streams.in = input_pipe[0];
  }
  if (!options_.stdout_to_terminal)
    streams.out =
        ::open((captures_ / "stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (!options_.stderr_to_terminal)
    streams.err =
        ::open((captures_ / "stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  int worker_pipe[2] = {-1, -1};
  bool job = options_.background || options_.foreground_job;
  if (job && ::pipe2(worker_pipe, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  std::vector<std::string> argv = command_line(arguments);

  child_ = ::fork();
  if (child_ < 0) throw std::runtime_error("fork failed");
  if (child_ == 0) {
    reset_signals(options_.ignored_signals);
    ::setsid();
    if (::ioctl(slave_, TIOCSCTTY, 0) != 0) _exit(126);
    ::dup2(streams.in >= 0 ? streams.in : slave_, 0);
    ::dup2(streams.out >= 0 ? streams.out : slave_, 1);
    ::dup2(streams.err >= 0 ? streams.err : slave_, 2);
    if (::chdir(run_folder_.c_str()) != 0) _exit(127);
    set_search_path(options_.path_env);
    if (job) run_as_job(argv, worker_pipe[1], options_.foreground_job);
    exec_binary(argv);
  }
  for (int fd : {streams.in, streams.out, streams.err, worker_pipe[1]})
    if (fd >= 0) ::close(fd);
  if (job) {
    if (::read(worker_pipe[0], &worker_, sizeof worker_) != sizeof worker_) worker_ = -1;
    ::close(worker_pipe[0]);
  }
}

void TerminalRun::read_terminal() {
  while (!stop_reading_) {
    pollfd ready{master_, POLLIN, 0};
    if (::poll(&ready, 1, 20) <= 0 || (ready.revents & POLLIN) == 0) continue;
    char buffer[4096];
    ssize_t n = ::read(master_, buffer, sizeof buffer);
    if (n <= 0) continue;
    std::lock_guard<std::mutex> lock(transcript_mutex_);
    transcript_.append(buffer, static_cast<std::size_t>(n));
  }
}

// The terminal hands on output a moment after it was written: after the end
// of the run, read until nothing has come for a while.
void TerminalRun::drain_terminal(int quiet_milliseconds) {
  stop_reading_ = true;
  if (reader_.joinable()) reader_.join();
  for (;;) {
    pollfd ready{master_, POLLIN, 0};
    if (::poll(&ready, 1, quiet_milliseconds) <= 0 || (ready.revents & POLLIN) == 0) return;
    char buffer[4096];
    ssize_t n = ::read(master_, buffer, sizeof buffer);
    if (n <= 0) return;
    std::lock_guard<std::mutex> lock(transcript_mutex_);
    transcript_.append(buffer, static_cast<std::size_t>(n));
  }
}

bool TerminalRun::ended() {
  if (reaped_) return true;
  pid_t done = ::waitpid(child_, &wait_status_, WNOHANG);
  reaped_ = done == child_;
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

std::string TerminalRun::terminal() const {
  std::lock_guard<std::mutex> lock(transcript_mutex_);
  return normalise_line_ends(transcript_);
}

std::string TerminalRun::current_stdout() const {
  return options_.stdout_to_terminal ? terminal() : captured("stdout");
}

std::string TerminalRun::captured(const std::string& stream) const {
  std::string text = read_file(captures_ / stream);
  return windows_build() ? normalise_line_ends(text) : text;
}

bool TerminalRun::wait_for_output(std::string_view text, int count) {
  for (;;) {
    if (count_of(current_stdout(), text) >= count) return true;
    if (ended() || past_deadline()) return count_of(current_stdout(), text) >= count;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

bool TerminalRun::wait_for_prompt(int count) {
  return wait_for_output(kPrompt, count);
}

bool TerminalRun::wait_for_key_wait() {
  for (;;) {
    termios now = mode();
    if ((now.c_lflag & (ECHO | ICANON)) == 0) return true;
    if (ended() || past_deadline()) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

void TerminalRun::type(std::string_view keys) {
  write_all(master_, keys);
}

bool TerminalRun::still_running_after(int milliseconds) {
  auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (std::chrono::steady_clock::now() < until) {
    if (ended()) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
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

RunResult TerminalRun::finish() {
  while (!ended() && !past_deadline()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  if (!ended()) kill_run();
  drain_terminal(100);
  RunResult result;
  if (wait_status_ != -1 && WIFEXITED(wait_status_)) result.status = WEXITSTATUS(wait_status_);
  result.out = options_.stdout_to_terminal ? terminal() : captured("stdout");
  result.err = options_.stderr_to_terminal ? terminal() : captured("stderr");
  collect_report(run_folder_, result);
  return result;
}

}  // namespace codetal::test
