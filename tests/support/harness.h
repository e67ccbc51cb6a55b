// End-to-end harness: runs the real codetal binary in a fresh temporary
// folder, without a controlling terminal, and collects what it left behind.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace codetal::test {

struct RunOptions {
  std::string folder;    // relative to the temporary folder; empty: the folder itself
  std::string path_env;  // the PATH the binary sees; empty: a PATH without viewers
  // Standard output: "" a file (captured), "with-stderr" (one file for both
  // streams), "dev-null", "closed-pipe" (its reader gone) or "closed".
  std::string stdout_to;
  int timeout_seconds = 30;  // a run that hangs fails its test here
  // Bytes any file the run writes may reach (a disk that fills up part way),
  // and files it may have open at once; 0 for no limit.
  long long file_size_limit = 0;
  long long open_files_limit = 0;
  // The run's folder read-only in a mount namespace of the run's own, so
  // that even root cannot write there. Without one (it needs CAP_SYS_ADMIN)
  // the run ends at once with kNoReadOnlyFolder.
  bool read_only_folder = false;
  static constexpr int kNoReadOnlyFolder = 125;
  // Each descriptor's first read fails with EINTR (a preloaded library).
  bool interrupted_reads = false;
};

struct RunResult {
  int status = -1;  // exit status; -1 when it did not end normally
  std::string out;  // standard output
  std::string err;  // standard error
  bool report_exists = false;
  std::string report;        // "Codetal.log" of the run's folder, line ends as "\n"
  std::string report_bytes;  // the same file exactly as stored (CR LF on Windows)
  // What the run added, removed or changed in its temporary folder ("sub/x.bas",
  // a folder as "sub/"), and where its report is.
  std::vector<std::string> changed_files;
  std::string report_name;
};

// True when the binary under test is the Windows build, run under Wine.
bool windows_build();
// In a child about to start the binary: the search path it sees, a POSIX
// one ("/a:/b"; empty: one without viewers), under Wine before the prefix's.
void set_search_path(const std::string& path_env);
// The banner's name of a folder of this machine: under Wine, on drive Z:.
std::string expected_current_folder(const std::string& path);
// Gives a file of the folder the Windows hidden attribute (Windows build only).
bool set_hidden_attribute(const TempFolder& folder, const std::string& name);

RunResult run_codetal(const TempFolder& folder, const std::vector<std::string>& arguments,
                      const RunOptions& options = {});

// Shared with the terminal harness: the command line (launcher, binary,
// arguments) and its start in a child, and the report fields of a result
// read from the run's folder.
std::vector<std::string> command_line(const std::vector<std::string>& arguments);
[[noreturn]] void exec_argv(const std::vector<std::string>& argv);
void collect_report(const std::string& run_folder, RunResult& result);
std::string replaced(std::string text, const std::string& from, const std::string& to);
inline std::string normalise_line_ends(const std::string& text) {
  return replaced(text, "\r\n", "\n");
}

// The prompt that ends every wait.
inline const std::string kPrompt = "Codetal==>  Press Enter to continue \n";

}  // namespace codetal::test
