#include "driver/command_line.h"

#include <algorithm>
#include <string_view>

#include "platform/ascii.h"
#include "platform/platform.h"

namespace codetal {
namespace {

void set_letter(CommandLine& line, std::string_view token) {
  char letter = ascii_upper(token.front());
  if (letter == 'V') line.verbose = true;
  if (letter == 'Z') line.echo = true;
}

// From the first "/" on, every word between "/" and blanks is a switch token
// and only its first letter counts.
void scan_letters(CommandLine& line, std::string_view joined) {
  std::size_t at = joined.find('/');
  if (at == std::string_view::npos) return;
  std::string_view rest = joined.substr(at);
  while (!rest.empty()) {
    std::size_t start = rest.find_first_not_of("/ ");
    if (start == std::string_view::npos) break;
    rest.remove_prefix(start);
    std::size_t end = rest.find_first_of("/ ");
    set_letter(line, rest.substr(0, end));
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
  }
}

bool is_left_out_pattern(std::string_view argument) {
  return argument.size() >= 3 && argument[0] == '/' && ascii_upper(argument[1]) == 'X' &&
         argument[2] == ':';
}

// A whole argument after the input name; true when it is one of the
// whole-word switches.
bool read_whole_switch(CommandLine& line, const std::string& argument) {
  if (is_left_out_pattern(argument)) {
    line.left_out.push_back(argument.substr(3));
    return true;
  }
  struct Word {
    std::string_view text;
    bool CommandLine::*flag;
  };
  static constexpr Word kWords[] = {{"/b", &CommandLine::batch}, {"/assess", &CommandLine::assess}};
  for (const Word& word : kWords) {
    if (equal_ignoring_case(argument, word.text)) return line.*word.flag = true;
  }
  struct Export {
    std::string_view text;
    bool ExportChoice::*flag;
  };
  static constexpr Export kExports[] = {{"/csv", &ExportChoice::csv},
                                        {"/json", &ExportChoice::json},
                                        {"/html", &ExportChoice::html},
                                        {"/dot", &ExportChoice::dot}};
  for (const Export& e : kExports) {
    if (equal_ignoring_case(argument, e.text)) return line.exports.*e.flag = true;
  }
  return false;
}

// "/" starts a switch, and on POSIX "-" as well.
bool looks_like_switch(std::string_view argument, SwitchScan scan) {
  return argument.starts_with('/') ||
         (scan == SwitchScan::kAfterInputName && argument.starts_with('-'));
}

// Single letters between slashes ("/q", "/v/b"), or runs of the letters the
// scan reads ("/vz"): an unknown letter is ignored without a word.
bool is_scanned_letters(std::string_view token) {
  return std::all_of(token.begin(), token.end(),
                     [](char c) { return ascii_upper(c) == 'V' || ascii_upper(c) == 'Z'; });
}

bool is_letter_switch(std::string_view argument) {
  if (!argument.starts_with('/')) return false;
  bool letters = true;
  std::size_t start = 1;
  while (start <= argument.size()) {
    const std::size_t end = std::min(argument.find('/', start), argument.size());
    const std::string_view token = argument.substr(start, end - start);
    letters = letters && (token.size() <= 1 || is_scanned_letters(token));
    start = end + 1;
  }
  return letters;
}

// The input name is a switch: /b, /csv..., /v or /z, or on POSIX any "-" word.
bool is_switch_first(const std::string& input, SwitchScan scan) {
  CommandLine ignored;
  if (read_whole_switch(ignored, input)) return true;
  if (input.size() > 1 && input[0] == '/' && is_scanned_letters(std::string_view(input).substr(1)))
    return true;
  return scan == SwitchScan::kAfterInputName && input.starts_with('-');
}

bool asks_for_usage(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return true;
  if (arguments.size() != 1) return false;
  const std::string& only = arguments.front();
  if (only == "--help" || only == "-h") return true;  // what people type on POSIX
  return only.size() >= 2 && only[0] == '/' && (only[1] == '?' || ascii_upper(only[1]) == 'H');
}

}  // namespace

SwitchScan build_switch_scan() {
  return kWindowsBuild ? SwitchScan::kFromFirstSlash : SwitchScan::kAfterInputName;
}

namespace {

constexpr std::string_view kCompare = "/compare:";

CommandLine comparison_line(const std::vector<std::string>& arguments) {
  CommandLine line;
  line.compare = true;
  line.compare_old = arguments.front().substr(kCompare.size());
  if (arguments.size() >= 2) line.compare_new = arguments[1];
  for (std::size_t i = 2; i < arguments.size(); ++i) line.compare_extra.push_back(arguments[i]);
  return line;
}

}  // namespace

CommandLine read_command_line(const std::vector<std::string>& arguments, SwitchScan scan) {
  if (!arguments.empty() && starts_with_ignoring_case(arguments.front(), kCompare))
    return comparison_line(arguments);
  CommandLine line;
  line.version = arguments.size() == 1 && arguments.front() == "--version";
  line.usage = asks_for_usage(arguments);
  if (arguments.empty()) return line;
  line.input = arguments.front();
  // The letters are scanned in the text of every argument but the /x:
  // patterns, whose folder names are no switches.
  std::string joined;
  if (scan == SwitchScan::kFromFirstSlash) joined.append(line.input).append(" ");
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool pattern = is_left_out_pattern(argument);
    if (!read_whole_switch(line, argument) && looks_like_switch(argument, scan) &&
        !is_letter_switch(argument))
      line.unknown_switches.push_back(argument);
    if (!pattern) joined.append(argument).append(" ");
  }
  scan_letters(line, joined);
  // A POSIX shell expands an unquoted wildcard into names of its own;
  // Windows passes a wildcard whole.
  if (scan == SwitchScan::kAfterInputName && arguments.size() >= 2 &&
      !looks_like_switch(arguments[1], scan))
    line.stray_name = arguments[1];
  line.switch_first = arguments.size() >= 2 && is_switch_first(line.input, scan);
  return line;
}

}  // namespace codetal
