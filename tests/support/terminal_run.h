// Runs the real codetal binary with a pseudo-terminal as its controlling
// terminal, so that a test can watch for the prompt, type keys on the
// terminal's keyboard and look at the terminal's mode. Every wait has a
// deadline, so a run that hangs fails its test instead of hanging it.
#pragma once

#include <sys/types.h>
#include <termios.h>

#include <chrono>
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
  // Bytes typed on the keyboard before the run starts; they wait in the
  // terminal's input queue, echoed as a terminal in canonical mode does.
  std::string typed_ahead{};
  // Standard input a pipe holding these bytes (at end of file after them);
  // otherwise standard input is the terminal.
  bool stdin_from_pipe = false;
  std::string piped_input{};
  // Run in a background process group of the terminal's session, the way a
  // shell runs 'codetal ... &'.
  bool background = false;
  // Run as a shell runs a foreground job: a process group of its own that
  // holds the terminal, with the session leader as its parent, so that a
  // stop signal stops it (the kernel drops one sent to an orphaned group).
  bool foreground_job = false;
  // Signals ignored when the binary starts, as nohup ignores SIGHUP.
  std::vector<int> ignored_signals{};
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

  // Waits until standard output, wherever it goes, holds the prompt at least
  // `count` times. False when the run ended or the deadline passed first.
  bool wait_for_prompt(int count = 1);
  // Waits until the terminal's echo and canonical mode are off, i.e. the
  // wait for a key has begun. False when the run ended or the deadline passed.
  bool wait_for_key_wait();
  // The `count`th prompt is out, its wait for a key has begun and still
  // lasts after `milliseconds`.
  bool waits_for_key(int count, int milliseconds = 200) {
    return wait_for_prompt(count) && wait_for_key_wait() && still_running_after(milliseconds);
  }
  // Types bytes on the terminal's keyboard.
  void type(std::string_view keys);
  // True when the run has still not ended after `milliseconds`.
  bool still_running_after(int milliseconds);
  // Sends a signal to the binary's own process.
  void send_signal(int sig);
  // Waits until the binary's process is stopped. False at the deadline.
  bool wait_until_stopped();
  // After finish(): the signal that ended the run, 0 when it exited.
  int ending_signal() const;

  termios mode() const;
  // The terminal's mode is the one it had before the run.
  bool mode_restored() const;
  // Everything written to the terminal so far, "\r\n" turned into "\n".
  std::string terminal();

  // Waits for the end of the run (killing it at the deadline: status -1),
  // then collects standard output and error (the captured files, or the
  // terminal's output for a stream that went there) and the report.
  RunResult finish();

 private:
  void start(const std::vector<std::string>& arguments);
  // Takes what the terminal has for us within `milliseconds`; false if
  // nothing came. Every wait reads, so that the run never blocks on a full
  // terminal.
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
