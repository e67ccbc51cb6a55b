#include "options/options_file.h"

#include <memory>
#include <string>

#include "options/option_keys.h"
#include "platform/ascii.h"

namespace codetal {
namespace {

bool is_comment_or_empty_line(char first) {
  return first == ';' || first == '\'' || first == '\\' || first == '\n';
}

void report_missing_file(Console& console) {
  console.console_message("Codetal==>  Unable to open %s for reading \n", kSecondOptionsFileName);
  console.console_message("Codetal==>  The Codetal.INI file must be placed \n");
  console.console_message("Codetal==>  in C:\\Codetal\\ directory to be used. \n\n");
  console.console_message("Codetal==>  Codetal will continue; using internal defaults and  \n");
  console.console_message("Codetal==>  Command Line Options as parameters \n\n");
  console.pause();
  console.clear_screen();
}

void apply_record(RunState& run, std::string_view record) {
  const OptionKey* key = find_option_key(record);
  if (key == nullptr) return;
  std::optional<std::string_view> value = get_parm(run.console, record);
  if (!value) return;
  remove_lb_and_tabs(*value);
  apply_option_value(*key, *value, run.options);
}

}  // namespace

bool is_section_header(std::string_view record) {
  return starts_with_ignoring_case(record, "[Codetal ");
}

std::size_t remove_lb_and_tabs(std::string_view& text) {
  std::size_t count = 0;
  while (count < text.size() && (text[count] == ' ' || text[count] == '\t')) ++count;
  text.remove_prefix(count);
  return count;
}

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

void get_user_options(RunState& run, TextLines& records) {
  std::string_view record;
  while (records.next(record)) {
    remove_lb_and_tabs(record);
    if (!record.empty() && is_comment_or_empty_line(record.front())) continue;
    if (!record.empty() && record.front() == '[') return;
    apply_record(run, record);
  }
}

void load_table_file(RunState& run) {
  std::unique_ptr<InputFile> file = run.platform.open_input(kOptionsFileName);
  if (!file) file = run.platform.open_input(kSecondOptionsFileName);
  if (!file) {
    report_missing_file(run.console);
    return;
  }
  TextLines records(*file);
  std::string_view record;
  while (records.next(record)) {
    if (is_section_header(record)) get_user_options(run, records);
  }
}

}  // namespace codetal
