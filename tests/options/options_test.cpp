// "Codetal.INI" read into the option values: a table of file texts and the
// settings they leave (tests/data/unit/options_file.txt), in which every key
// reaches its own setting, and the second place tried. What invalid records
// show is checked by the data cases options-*.
#include "options/options_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_platform.h"
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

}  // namespace
}  // namespace codetal
