#include "options/options_file.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "options/option_keys.h"
#include "platform/ascii.h"
#include "platform/text_lines.h"

namespace codetal {
namespace {

bool is_comment_or_empty_line(char first) {
  return first == ';' || first == '\'' || first == '\\' || first == '\n';
}

// On Windows the message names C:\Codetal\ although the second place
// searched is C:\RUK\: users know the text, and scripts match it. On POSIX
// no drive is searched: the message names the file that was.
void report_missing_file(Platform& platform, Console& console) {
  if (kWindowsBuild) {
    console.console_message("Codetal==>  Unable to open %s for reading \n", kSecondOptionsFileName);
    console.console_message("Codetal==>  The Codetal.INI file must be placed \n");
    console.console_message("Codetal==>  in C:\\Codetal\\ directory to be used. \n\n");
  } else {
    const std::string file = platform.current_directory() + "/" + kOptionsFileName;
    console.console_message("Codetal==>  Unable to open %s for reading \n", file.c_str());
    console.console_message("Codetal==>  The Codetal.INI file must be placed \n");
    console.console_message("Codetal==>  in the folder Codetal runs in to be used. \n\n");
  }
  console.console_message("Codetal==>  Codetal will continue; using internal defaults and  \n");
  console.console_message("Codetal==>  Command Line Options as parameters \n\n");
  console.pause();
  console.clear_screen();
}

// The header test looks at the record as read: an indented header is none.
bool is_section_header(std::string_view record) {
  return starts_with_ignoring_case(record, "[Codetal ");
}

void skip_blanks_and_tabs(std::string_view& text) {
  std::size_t count = 0;
  while (count < text.size() && (text[count] == ' ' || text[count] == '\t')) ++count;
  text.remove_prefix(count);
}

// The text after the first "=" of the record; none when there is no "="
// (reported, then a wait) or nothing follows it.
std::optional<std::string_view> get_parm(Console& console, std::string_view record) {
  std::size_t equals = record.find('=');
  if (equals == std::string_view::npos) {
    // The record keeps its own line feed, so " \n" follows on a line of its own.
    std::string shown(record);
    console.console_message("Codetal==>  Invalid User Parameter Record \n");
    console.console_message("%s \n", shown.c_str());
    console.pause();
    return std::nullopt;
  }
  if (equals + 1 == record.size()) return std::nullopt;
  return record.substr(equals + 1);
}

void apply_record(Console& console, std::string_view record, ReportOptions& options) {
  const OptionKey* key = find_option_key(record);
  if (key == nullptr) return;
  std::optional<std::string_view> value = get_parm(console, record);
  if (!value) return;
  skip_blanks_and_tabs(*value);
  apply_option_value(*key, *value, options);
}

// Applies the records of one section, up to the next record that begins
// with "[" (consumed) or the end of the file.
void apply_section(Console& console, TextLines& records, ReportOptions& options) {
  std::string_view record;
  while (records.next(record)) {
    skip_blanks_and_tabs(record);
    if (!record.empty() && is_comment_or_empty_line(record.front())) continue;
    if (!record.empty() && record.front() == '[') return;
    apply_record(console, record, options);
  }
}

}  // namespace

void load_options(Platform& platform, Console& console, ReportOptions& options) {
  std::unique_ptr<InputFile> file = platform.open_input(kOptionsFileName);
  if (!file) file = platform.open_input(kSecondOptionsFileName);
  if (!file) {
    report_missing_file(platform, console);
    return;
  }
  TextLines records(*file);
  std::string_view record;
  while (records.next(record)) {
    if (is_section_header(record)) apply_section(console, records, options);
  }
}

}  // namespace codetal
