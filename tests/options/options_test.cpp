// "Codetal.INI" read into the option values: one table of file texts, the
// settings they leave and what they show on the console.
#include "options/options_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "fake_platform.h"
#include "options/option_keys.h"

namespace codetal {
namespace {

const std::string kPrompt = "Codetal==>  Press Enter to continue \n<key>";
const std::string kInvalid = "Codetal==>  Invalid User Parameter Record \n";

// Only the in-memory files exist: neither place on disk can interfere.
class IsolatedPlatform : public test::FakePlatform {
 public:
  std::vector<std::string> asked;
  std::unique_ptr<InputFile> open_input(std::string_view name) override {
    asked.emplace_back(name);
    auto found = inputs.find(std::string(name));
    if (found == inputs.end()) return nullptr;
    return std::make_unique<test::FakeInputFile>(found->second);
  }
};

// The settings that differ from the defaults, as "name=value ...".
std::string changes(const ReportOptions& o) {
  const ReportOptions d;
  std::string text;
  auto note = [&](std::string_view name, std::int32_t value, std::int32_t by_default) {
    if (value != by_default) text.append(name).append("=").append(std::to_string(value)) += ' ';
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

struct Loaded {
  std::string changes;
  std::string console;
  std::string events;
};

Loaded load(const std::string& file, const char* name = kOptionsFileName) {
  IsolatedPlatform platform;
  platform.inputs[name] = file;
  Console console(platform);
  ReportOptions options;
  load_options(platform, console, options);
  console.flush();
  return {changes(options), platform.out, platform.events};
}

TEST(OptionsFile, SectionsKeysAndValues) {
  const std::string filler(70000, 'x');
  const struct {
    std::string file;
    std::string changes;
  } cases[] = {
      // The header: "[Codetal " in any case, unindented; records outside are ignored.
      {"[Codetal ]\noptNbrIfs=1\n", "ifs=1 "},
      {"[CODETAL Settings]\r\noptNbrIfs=1\r\n", "ifs=1 "},
      {"[Codetal]\noptNbrIfs=1\n", ""},
      {" [Codetal ]\noptNbrIfs=1\n", ""},
      {"optNbrIfs=1\n[Codetal ]\noptNbrDos=1\n[Other]\noptNbrFors=1\noptNbrIfs\n", "dos=1 "},
      // A second header only ends the section, a third starts one again.
      {"[Codetal ]\noptNbrIfs=1\n[Codetal ]\noptNbrDos=1\n[Codetal ]\noptNbrFors=1\n",
       "ifs=1 fors=1 "},
      {"[Codetal ]\n; optNbrIfs\n' optNbrDos\n\\ optNbrFors\n\n   \t\n  ; x\noptNbrDims=1\n",
       "dims=1 "},
      // Keys ignore case and indentation, match as prefixes, first key wins.
      {"[Codetal ]\nOPTNBRIFS=1\n  optNbrDos = 1\n\toptnbrfors\t=\t1\n", "ifs=1 dos=1 fors=1 "},
      {"[Codetal ]\noptNbrIfsCount=1\noptNbrLabels=1\nVerbose=1\n", "ifs=1 "},
      {"[Codetal ]\noptNbrLables=1\n", "labels=1 "},
      {"[Codetal ]\noptNbrElseIfs=1\noptNbrWinAPI=1\noptNbrVars=1\n",
       "else_ifs=1 win_api=1 vars=1 "},
      {"[Codetal ]\noptNbrEvents=1\noptNbrWhiles=1\noptNbrTypes=1\noptNbrEnums=1\n",
       "events=1 whiles=1 types=1 enums=1 "},
      {"[Codetal ]\noptNbrConsts=1\noptCountFormHeaders=1\noptBlankLines=0\n",
       "consts=1 blank_lines=0 form_headers=1 "},
      // Only the first character of the value counts, and it must be accepted.
      {"[Codetal ]\noptNbrLets=8\noptNbrGets=0\n", "lets=8 "},
      {"[Codetal ]\noptNbrLets=9\noptNbrGets=1x\n", "gets=1 "},
      {"[Codetal ]\noptNbrIfs=2\noptNbrDos=\noptNbrFors= \n", ""},
      {"[Codetal ]\noptReport=1\noptShellTo=2\n", "report=1 shell=2 "},
      {"[Codetal ]\noptReport=2\noptShellTo=3\n", ""},
      {"[Codetal ]\noptReport=0\noptShellTo=0\n", "report=0 shell=0 "},
      // Every module kind: 0 or 1 as for the header key; other values, an
      // empty one or a record without "=" change nothing.
      {"[Codetal ]\noptAllModuleKinds=1\n", "all_kinds=1 "},
      {"[Codetal ]\noptAllModuleKinds = 1x\noptCountFormHeaders=1\n",
       "form_headers=1 all_kinds=1 "},
      {"[Codetal ]\noptAllModuleKinds=1\noptAllModuleKinds=0\n", ""},
      {"[Codetal ]\noptAllModuleKinds=2\noptAllModuleKinds=\noptAllModuleKinds=yes\n", ""},
      // The page length is read and changes nothing.
      {"[Codetal ]\noptLinesPerPage=80\n", ""},
      // Long lines are read whole; a comment's continuation is no key.
      {"[Codetal ]\n;" + filler + "optNbrIfs=1\noptNbrIfs" + filler + "=0\noptNbrDos=1\n",
       "dos=1 "},
      // Carriage returns vanish; a Ctrl-Z ends the file, however much follows.
      {"[Codetal ]\r\noptNbr\rIfs=1\r\noptNbrDos=1\x1A\noptNbrFors=1\n", "ifs=1 dos=1 "},
      {"[Codetal ]\noptNbrIfs=1\n\x1A" + filler + "\n" + filler + "\noptNbrDos=1\n", "ifs=1 "},
  };
  for (const auto& c : cases) {
    Loaded loaded = load(c.file);
    EXPECT_EQ(loaded.changes, c.changes) << c.file.substr(0, 120);
    EXPECT_EQ(loaded.console, "") << c.file.substr(0, 120);
  }
}

TEST(OptionsFile, KeyWithoutEqualsIsShownAsDataWithAWaitAndReadingGoesOn) {
  Loaded loaded = load(
      "[Codetal ]\r\noptNbrIfs=1\noptReport %s%n%d\r\noptLinesPerPage\n"
      "unknown\noptNbrDos=1\n");
  EXPECT_EQ(loaded.changes, "ifs=1 dos=1 ");
  EXPECT_EQ(loaded.console, kInvalid + "optReport %s%n%d\n \n" + kPrompt + kInvalid +
                                "optLinesPerPage\n \n" + kPrompt);
  EXPECT_EQ(loaded.events, "kk");
}

TEST(OptionsFile, MissingFileIsReportedThenWaitsAndClears) {
  IsolatedPlatform platform;
  Console console(platform);
  ReportOptions options;
  load_options(platform, console, options);
  console.flush();
  EXPECT_EQ(platform.asked, (std::vector<std::string>{"Codetal.INI", "C:\\RUK\\Codetal.INI"}));
  EXPECT_EQ(platform.out,
            "Codetal==>  Unable to open C:\\RUK\\Codetal.INI for reading \n"
            "Codetal==>  The Codetal.INI file must be placed \n"
            "Codetal==>  in C:\\Codetal\\ directory to be used. \n\n"
            "Codetal==>  Codetal will continue; using internal defaults and  \n"
            "Codetal==>  Command Line Options as parameters \n\n" +
                kPrompt);
  EXPECT_EQ(platform.events, "kc");
  EXPECT_EQ(options, ReportOptions{});
  Loaded second = load("[Codetal ]\noptNbrIfs=1\n", kSecondOptionsFileName);
  EXPECT_EQ(second.changes, "ifs=1 ");
  EXPECT_EQ(second.events, "");
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
