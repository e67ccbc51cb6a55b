// Runs the real codetal binary with a pseudo-terminal as its controlling
// terminal, so that a test can watch for the prompt, type keys on the
// terminal's keyboard and look at the terminal's mode. Every wait has a
// deadline, so a run that hangs fails its test instead of hanging it.
#pragma once

#include <sys/types.h>
#include <termios.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "harness.h"

namespace codetal::test {

struct TerminalOptions {
  std::string path_env{};  // the PATH the binary sees; empty: a PATH without viewers
  // Otherwise the stream goes to a capture file (RunResult::out and ::err).
  bool stdout_to_terminal = true;
  bool stderr_to_terminal = true;
  // Keys typed before the run starts: they wait in the input queue, echoed.
  std::string typed_ahead{};
  // Standard input a pipe holding these bytes, not the terminal.
  std::optional<std::string> piped_input{};
  // Run as a shell runs 'codetal &' (background) or a foreground job: a
  // process group of its own below the session leader, so that a stop
  // signal stops it (the kernel drops one sent to an orphaned group).
  enum class Job { kNone, kBackground, kForeground } job = Job::kNone;
  std::vector<int> ignored_signals{};  // ignored from the start, as nohup does
  int timeout_seconds = 20;
};

class TerminalRun {
 public:
  // Runs in the temporary folder itself.
  TerminalRun(const TempFolder& folder, const std::vector<std::string>& arguments,
              const TerminalOptions& options = {});
  ~TerminalRun();
  TerminalRun(const TerminalRun&) = delete;
  TerminalRun& operator=(const TerminalRun&) = delete;

  // Each wait is false when the run ended or the deadline passed first.
  // Standard output, wherever it goes, holds the prompt `count` times.
  bool wait_for_prompt(int count = 1);
  // The terminal's echo and canonical mode are off: the wait for a key began.
  bool wait_for_key_wait();
  // The `count`th wait for a key has begun and still lasts after `milliseconds`.
  bool waits_for_key(int count, int milliseconds = 200) {
    return wait_for_prompt(count) && wait_for_key_wait() && still_running_after(milliseconds);
  }
  bool still_running_after(int milliseconds);
  bool wait_until_stopped();         // the binary's process is stopped
  void type(std::string_view keys);  // on the terminal's keyboard
  void send_signal(int sig);         // to the binary's own process
  int ending_signal() const;         // after finish(): 0 when it exited

  termios mode() const;
  bool mode_restored() const;  // the mode it had before the run
  // Everything written to the terminal so far, "\r\n" as "\n".
  std::string terminal();

  // Waits for the end (killing the run at the deadline: status -1), then
  // collects both streams (capture files or the terminal) and the report.
  RunResult finish();

 private:
  void start(const std::vector<std::string>& arguments);
  // Takes what the terminal has within `milliseconds`; every wait reads, so
  // that the run never blocks on a full terminal.
  bool read_some(int milliseconds);
  bool ended();
  void kill_run();
  std::string stream(bool to_terminal, const std::string& capture);
  bool past_deadline() const { return std::chrono::steady_clock::now() > deadline_; }

  TerminalOptions options_;
  TempFolder captures_;
  std::string run_folder_;
  int master_ = -1;
  int slave_ = -1;
  termios initial_mode_{};
  pid_t child_ = -1;
  pid_t worker_ = -1;  // the background group's process, when there is one
  bool reaped_ = false;
  int wait_status_ = 0;
  std::chrono::steady_clock::time_point deadline_;
  std::string transcript_;
};

}  // namespace codetal::test
