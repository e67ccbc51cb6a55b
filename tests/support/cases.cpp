#include "cases.h"

#include "test_data.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>

namespace codetal::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines = lines_in(text);
  for (std::string& line : lines)
    if (line.ends_with('\n')) line.pop_back();
  return lines;
}

std::string number(const Case& c, int i) {
  std::string digits = std::to_string(i);
  return std::string(std::max<std::size_t>(c.width, digits.size()) - digits.size(), '0') + digits;
}

// Each @EACH@...@END@ block written once for every number of the case.
std::string repeated(const std::string& text, const Case& c) {
  std::size_t begin = text.find("@EACH@");
  std::size_t end = text.find("@END@", begin);
  if (begin == std::string::npos || end == std::string::npos) return text;
  const std::string block = text.substr(begin + 6, end - begin - 6);
  std::string all = text.substr(0, begin);
  for (int i = 0; i < c.repeat; ++i) all += replaced(block, "@I@", number(c, i));
  return all + repeated(text.substr(end + 5), c);
}

// ASCII letters from one case to the other ('A', 'a': to lower case).
std::string ascii_case(std::string text, char from, char to) {
  for (char& ch : text)
    if (ch >= from && ch < from + 26) ch = static_cast<char>(ch - from + to);
  return text;
}

// A variant's own values for its @NAME@ placeholders.
std::string with_values(const Case& c, std::string text) {
  for (const auto& [name, value] : c.values) text = replaced(text, name, value);
  return text;
}

std::string filled_in(const Case& c, const std::string& text) {
  std::string run_folder = c.options.folder.empty() ? c.root : c.root + "/" + c.options.folder;
  std::string filled = with_values(c, repeated(text, c));
  filled = replaced(filled, "@FOLDER@", expected_current_folder(run_folder));
  // Where a missing options file was looked for, as each build names it.
  filled = replaced(filled, "@OPTIONS_FILE@",
                    windows_build() ? "C:\\RUK\\Codetal.INI"
                                    : expected_current_folder(run_folder) + "/Codetal.INI");
  filled = replaced(filled, "@OPTIONS_PLACE@",
                    windows_build() ? "C:\\Codetal\\ directory" : "the folder Codetal runs in");
  filled = replaced(filled, "@ROOT_LOWER@", ascii_case(c.root, 'A', 'a'));
  filled = replaced(filled, "@ROOT_UPPER@", ascii_case(c.root, 'a', 'A'));
  filled = replaced(filled, "@ROOT@", c.root);
  // A title's dashes reach column 117, however long the names before them.
  for (std::size_t at; (at = filled.find("@DASHES@")) != std::string::npos;) {
    std::size_t column = at - (filled.rfind('\n', at) + 1);
    filled.replace(at, 8, std::string(column < 117 ? 117 - column : 1, '-'));
  }
  return filled;
}

// Copies a data folder into the temporary one, keeping bytes and the
// executable bit; in a repeated case a name with @I@ is written for every
// number, and @EACH@ blocks are filled in.
void copy_tree(const std::string& from, const std::string& to, const Case& c,
               const TempFolder& folder) {
  if (!fs::is_directory(from)) return;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(from)) {
    const std::string name = to + entry.path().lexically_relative(from).string();
    if (entry.is_directory()) {
      fs::create_directories(folder / name);
      continue;
    }
    std::string bytes = read_file(entry.path());
    std::vector<std::string> names{name};
    if (c.repeat > 0 && name.find("@I@") != std::string::npos) {
      names.clear();
      for (int i = 0; i < c.repeat; ++i) names.push_back(replaced(name, "@I@", number(c, i)));
    } else if (c.repeat > 0) {
      bytes = repeated(bytes, c);
    }
    const bool runs = (entry.status().permissions() & fs::perms::owner_exec) != fs::perms::none;
    for (const std::string& target : names) {
      write_file(folder / target, bytes);
      ::chmod((folder / target).c_str(), runs ? 0755 : 0644);
    }
  }
}

// A date as the report header writes it, by the C library's own reading of
// the clock.
std::string header_date(std::time_t at) {
  std::tm parts{};
  ::localtime_r(&at, &parts);
  char date[16];
  std::strftime(date, sizeof date, "%m-%d-%Y", &parts);  // "12-31-1999"
  return std::string(date, 6) + (date + 8);
}

// Takes the first blank-separated word off `rest`.
std::string word(std::string& rest) {
  std::size_t blank = std::min(rest.find(' '), rest.size());
  std::string first = rest.substr(0, blank);
  rest.erase(0, std::min(blank + 1, rest.size()));
  return first;
}

void check(bool ok, const std::string& step) {
  if (!ok) throw std::runtime_error("setup step failed: " + step);
}

// One setup step. A step's last operand may hold blanks.
void apply(const std::string& step, Case& c, const TempFolder& folder) {
  std::string rest = step;
  const std::string command = word(rest);
  const std::string operands = rest;
  const std::string name = word(rest);
  if (command == "posix-only" || command == "windows-only") {
    if (windows_build() == (command == "posix-only")) c.skip = operands;
  } else if (command == "mkdir") {
    fs::create_directories(folder / operands);
  } else if (command == "link") {
    check(::symlink(rest.c_str(), (folder / name).c_str()) == 0, step);
  } else if (command == "lock") {  // another run's lock, held until this process ends
    const int fd = ::open((folder / name).c_str(), O_RDONLY | O_CLOEXEC);
    check(fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0, step);
  } else if (command == "fifo") {
    check(::mkfifo((folder / name).c_str(), 0600) == 0, step);
  } else if (command == "chmod") {
    check(::chmod((folder / rest).c_str(), std::strtol(name.c_str(), nullptr, 8)) == 0, step);
  } else if (command == "move") {
    fs::create_directories(fs::path(folder / rest).parent_path());
    check(std::rename((folder / name).c_str(), (folder / rest).c_str()) == 0, step);
  } else if (command == "append") {
    long long count = std::atoll(word(rest).c_str());
    std::ofstream(folder / name, std::ios::binary | std::ios::app) << std::string(count, rest[0]);
  } else if (command == "hidden") {
    // POSIX hides by a leading "." alone, which the name has.
    if (windows_build()) check(set_hidden_attribute(folder, name), step);
  } else if (command == "copy") {
    copy_tree(data_path(name), rest == "." ? "" : rest + "/", c, folder);
  } else if (command == "path") {
    c.options.path_env = filled_in(c, operands);
  } else if (command == "run-in") {
    c.options.folder = operands;
  } else if (command == "stdout") {
    c.options.stdout_to = name;
  } else if (command == "file-size-limit") {
    c.options.file_size_limit = std::atoll(name.c_str());
  } else if (command == "open-files-limit") {
    c.options.open_files_limit = std::atoll(name.c_str());
  } else if (command == "read-only-folder") {
    c.options.read_only_folder = true;
  } else if (command == "interrupted-reads") {
    if (windows_build()) c.skip = "a library preloaded into a POSIX run";
    c.options.interrupted_reads = true;
  } else {
    check(false, step);
  }
}

}  // namespace

std::string data_path(const std::string& name) {
  return std::string(CODETAL_TEST_DATA) + "/" + name;
}

std::vector<std::string> case_names(const std::string& folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(data_path(folder))) {
    const std::string name = entry.path().filename();
    const auto variants = read_table(folder + "/" + name + "/variants");
    for (std::size_t v = 1; v < variants.size(); ++v) names.push_back(name + ":" + variants[v][0]);
    if (variants.empty()) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

Case prepare_case(const std::string& name, const TempFolder& folder) {
  Case c;
  const std::size_t colon = std::min(name.find(':'), name.size());
  c.dir = data_path(name.substr(0, colon));
  c.root = folder.path();
  const auto table = read_table(name.substr(0, colon) + "/variants");
  for (const std::vector<std::string>& row : table)
    if (colon < name.size() && row[0] == name.substr(colon + 1))
      for (std::size_t i = 1; i < row.size(); ++i)
        c.values.emplace_back("@" + table[0][i] + "@", row[i]);
  check(fs::exists(c.dir + "/args"), "no case " + c.dir);
  std::istringstream(read_file(c.dir + "/repeat")) >> c.repeat >> c.width;
  copy_tree(c.dir + "/in", "", c, folder);
  for (const std::string& step : lines_of(with_values(c, read_file(c.dir + "/setup"))))
    if (c.skip.empty() && !step.empty()) apply(step, c, folder);
  c.args = lines_of(filled_in(c, read_file(c.dir + "/args")));
  return c;
}

// The reason the system gives for a file it would not create, in the words
// of the Windows build's system: those of Wine, not ours, so not compared.
std::string without_windows_reasons(std::string text) {
  static const std::string lead = "Codetal==>  Reason: ";
  if (!windows_build()) return text;
  for (std::size_t at = text.find(lead); at != std::string::npos; at = text.find(lead, at + 1)) {
    const std::size_t end = text.find('\n', at);
    text.replace(at + lead.size(), end - at - lead.size(), "@REASON@");
  }
  return text;
}

// A folder walked and a path exported are joined by "\\" on Windows and
// by "/" on POSIX, where the expected texts are written: the Windows build's
// texts are compared with every backslash (JSON's doubled one too) read as
// "/".
std::string with_one_separator(std::string text) {
  if (!windows_build()) return text;
  return replaced(replaced(std::move(text), "\\\\", "/"), "\\", "/");
}

std::string expected(const Case& c, const std::string& file) {
  return with_one_separator(without_windows_reasons(filled_in(c, read_file(c.dir + "/" + file))));
}

// Masked only when the date is the run's: today's, or yesterday's just after
// midnight.
std::string masked(std::string text) {
  text = with_one_separator(without_windows_reasons(std::move(text)));
  static const std::string lead = "Created by Codetal on ";
  const std::time_t now = std::time(nullptr);
  const std::string today = header_date(now), before = header_date(now - 300);
  for (std::size_t at = text.find(lead); at != std::string::npos; at = text.find(lead, at + 1)) {
    std::string shape = text.substr(at + lead.size(), 20);
    const std::string date = shape.substr(0, 8);
    for (char& ch : shape) ch = ch >= '0' && ch <= '9' ? '0' : ch;
    if (shape == "00-00-00 at 00:00:00" && (date == today || date == before))
      text.replace(at + lead.size(), 20, "@WHEN@");
  }
  return text;
}

::testing::AssertionResult same_text(const std::string& expected, const std::string& actual) {
  if (expected == actual) return ::testing::AssertionSuccess();
  std::vector<std::string> want = lines_of(expected);
  std::vector<std::string> got = lines_of(actual);
  std::size_t line = 0;
  while (line < want.size() && line < got.size() && want[line] == got[line]) ++line;
  auto at = [line](const std::vector<std::string>& lines) {
    return line < lines.size() ? ::testing::PrintToString(lines[line]) : std::string("<end>");
  };
  return ::testing::AssertionFailure()
         << "texts part at line " << line + 1 << " of " << want.size() << " expected, "
         << got.size() << " found:\n  expected " << at(want) << "\n  found    " << at(got);
}

void expect_outcome(const Case& c, const RunResult& result) {
  EXPECT_EQ(result.status, std::atoi(read_file(c.dir + "/status").c_str()));
  const std::string out = expected(c, "stdout");
  EXPECT_TRUE(same_text(out, masked(result.out))) << "on standard output";
  // With standard output in a file, standard error mirrors it.
  const std::string err = fs::exists(c.dir + "/stderr") ? expected(c, "stderr") : out;
  EXPECT_TRUE(same_text(err, masked(result.err))) << "on standard error";
  std::vector<std::string> changed = result.changed_files;
  if (fs::exists(c.dir + "/report")) {
    EXPECT_TRUE(result.report_exists);
    EXPECT_TRUE(same_text(expected(c, "report"), masked(result.report))) << "in the report";
    // The report's line ends are those of the platform's text files.
    EXPECT_TRUE(same_text(windows_build() ? replaced(result.report, "\n", "\r\n") : result.report,
                          result.report_bytes));
    std::erase(changed, result.report_name);
  }
  // The other files it writes (the exports) as stored, their ISO time masked.
  const std::string files = c.dir + "/files",
                    in = c.options.folder.empty() ? "" : c.options.folder + "/";
  static const std::regex time(R"(\d{4}-\d\d-\d\d[T ]\d\d:\d\d:\d\d)");
  std::error_code none;  // most cases have no files/
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(files, none)) {
    const std::string name = entry.path().lexically_relative(files).string();
    const std::string actual =
        std::regex_replace(read_file(c.root + "/" + in + name), time, "@WHEN@");
    const std::string compared = with_one_separator(actual);
    if (std::getenv("CODETAL_WRITE_EXPECTED") != nullptr)  // after a deliberate change
      std::ofstream(entry.path(), std::ios::binary) << actual;
    EXPECT_TRUE(same_text(expected(c, "files/" + name), compared)) << "in " << name;
    std::erase(changed, in + name);
  }
  for (const std::string& name : lines_of(read_file(c.dir + "/written")))
    std::erase(changed, in + name);
  EXPECT_EQ(changed, std::vector<std::string>{}) << "changed by the run besides its report";
}

}  // namespace codetal::test
