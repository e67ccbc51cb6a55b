// "Codetal.INI" read into the option values: a table of file texts and the
// settings they leave (tests/data/unit/options_file.txt), the second place
// tried, and every key reaching its own setting. What invalid records show
// is checked by the data cases options-*.
#include "options/options_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "fake_platform.h"
#include "options/option_keys.h"
#include "test_data.h"

namespace codetal {
namespace {

// The settings that differ from the defaults, as "name=value ...".
std::string changes(const ReportOptions& o) {
  const ReportOptions d;
  std::string text;
  auto note = [&](std::string_view name, std::int32_t value, std::int32_t by_default) {
    if (value == by_default) return;
    if (!text.empty()) text += ' ';
    text.append(name).append("=").append(std::to_string(value));
  };
  for (std::size_t i = 0; i < kStatementKindCount; ++i)
    note(kStatementKinds[i].field_name, o.shown_kinds[i], d.shown_kinds[i]);
  note("blank_lines", o.blank_lines, d.blank_lines);
  note("form_headers", o.count_form_headers, d.count_form_headers);
  note("report", o.report_form, d.report_form);
  note("shell", o.shell_to, d.shell_to);
  note("all_kinds", o.all_module_kinds, d.all_module_kinds);
  return text;
}

TEST(OptionsFile, SectionsKeysAndValues) {
  for (const auto& row : test::read_table("unit/options_file.txt")) {
    test::FakePlatform platform;
    platform.disk = false;  // neither place on disk can interfere
    platform.inputs[kOptionsFileName] = row.at(0);
    ReportOptions options;
    {
      Console console(platform);
      load_options(platform, console, options);
    }
    EXPECT_EQ(changes(options), row.at(1)) << row[0].substr(0, 120);
    EXPECT_EQ(platform.out, "") << row[0].substr(0, 120);
  }
}

// The first place missing: told with a wait and a cleared screen, then the
// second is tried.
TEST(OptionsFile, MissingFileIsReportedThenTheSecondPlaceIsRead) {
  for (bool second : {false, true}) {
    test::FakePlatform platform;
    platform.disk = false;
    if (second) platform.inputs[kSecondOptionsFileName] = "[Codetal ]\noptNbrIfs=1\n";
    ReportOptions options;
    {
      Console console(platform);
      load_options(platform, console, options);
    }
    EXPECT_EQ(platform.asked, (std::vector<std::string>{"Codetal.INI", "C:\\RUK\\Codetal.INI"}));
    EXPECT_EQ(platform.events, second ? "" : "kc");
    EXPECT_EQ(changes(options), second ? "ifs=1" : "");
  }
}

// Every key sets exactly its own setting, and no key is shadowed by one
// tried before it.
TEST(OptionKeys, EachKeyReachesItsOwnSetting) {
  for (const OptionKey& key : option_keys()) {
    EXPECT_EQ(find_option_key(std::string(key.key) + "=1"), &key) << key.key;
    if (key.lowest == '\0') continue;
    std::set<std::string> changed;
    for (char value : {key.lowest, key.highest}) {
      ReportOptions options;
      apply_option_value(key, std::string(1, value), options);
      std::string text = changes(options);
      EXPECT_LE(std::count(text.begin(), text.end(), '='), 1) << key.key << ": " << text;
      if (!text.empty()) changed.insert(text.substr(0, text.find('=')));
    }
    EXPECT_EQ(changed.size(), 1u) << key.key;
  }
}

}  // namespace
}  // namespace codetal
