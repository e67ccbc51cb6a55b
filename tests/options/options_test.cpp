#include "options/options_file.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "fake_platform.h"
#include "report/layouts.h"

namespace codetal {
namespace {

const std::string kPrompt = "Codetal==>  Press Enter to continue \n<key>";
const std::string kInvalidRecord = "Codetal==>  Invalid User Parameter Record \n";

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

struct OptionsFile : ::testing::Test {
  IsolatedPlatform platform;
  RunState run{platform};

  const ReportOptions& load(const std::string& text) {
    platform.inputs[kOptionsFileName] = text;
    load_table_file(run);
    return run.options;
  }
  const std::string& console() {
    run.console.flush();
    return platform.out;
  }
};

// ---- The section header ----

TEST_F(OptionsFile, HeaderNeedsTheBlankAfterTheNameAndIgnoresCase) {
  EXPECT_EQ(load("[Codetal ]\noptNbrIfs=1\n").ifs, 1);
  run.options = {};
  EXPECT_EQ(load("[codetal options]\noptNbrIfs=1\n").ifs, 1);
  run.options = {};
  EXPECT_EQ(load("[CODETAL Settings]\r\noptNbrIfs=1\r\n").ifs, 1);
  for (const char* header : {"[Codetal]\n", " [Codetal ]\n", "\t[Codetal ]\n", "[Codetal\n"}) {
    run.options = {};
    EXPECT_EQ(load(std::string(header) + "optNbrIfs=1\n"), ReportOptions{}) << header;
  }
  EXPECT_EQ(console(), "");
}

TEST_F(OptionsFile, RecordsOutsideTheSectionAreIgnored) {
  const ReportOptions& options = load(
      "optNbrIfs=1\n"
      "[Codetal ]\n"
      "optNbrDos=1\n"
      "[Other]\n"
      "optNbrFors=1\n"
      "optNbrIfs\n");  // outside a section: not even reported
  EXPECT_EQ(options.ifs, 0);
  EXPECT_EQ(options.dos, 1);
  EXPECT_EQ(options.fors, 0);
  EXPECT_EQ(console(), "");
}

TEST_F(OptionsFile, SecondHeaderOnlyEndsTheFirstSectionAndAThirdStartsOneAgain) {
  const ReportOptions& options = load(
      "[Codetal ]\n"
      "optNbrIfs=1\n"
      "[Codetal ]\n"
      "optNbrDos=1\n"
      "[Codetal ]\n"
      "optNbrFors=1\n");
  EXPECT_EQ(options.ifs, 1);
  EXPECT_EQ(options.dos, 0);
  EXPECT_EQ(options.fors, 1);
}

TEST_F(OptionsFile, CommentsAndEmptyLinesInsideTheSectionAreSkipped) {
  const ReportOptions& options = load(
      "[Codetal ]\n"
      "; optNbrIfs\n"
      "' optNbrDos\n"
      "\\ optNbrFors\n"
      "\n"
      "   \t\n"
      "  ; optNbrWhiles\n"
      "optNbrDims=1\n");
  EXPECT_EQ(options.dims, 1);
  EXPECT_EQ(options.ifs + options.dos + options.fors + options.whiles, 0);
  EXPECT_EQ(console(), "");
}

// ---- Keys and their values ----

TEST_F(OptionsFile, KeysIgnoreCaseIndentationAndBlanksAroundTheEquals) {
  const ReportOptions& options = load(
      "[Codetal ]\n"
      "OPTNBRIFS=1\n"
      "  optNbrDos = 1\n"
      "\toptnbrfors\t=\t1\n");
  EXPECT_EQ(options.ifs, 1);
  EXPECT_EQ(options.dos, 1);
  EXPECT_EQ(options.fors, 1);
}

TEST_F(OptionsFile, KeysMatchAsPrefixesAndLablesIsTheOnlyLabelsKey) {
  const ReportOptions& options = load(
      "[Codetal ]\n"
      "optNbrIfsCount=1\n"
      "optNbrLabels=1\n"
      "VerboseMode=1\n"
      "ListMode\n");
  EXPECT_EQ(options.ifs, 1);
  EXPECT_EQ(options.labels, 0);
  EXPECT_EQ(console(), "");  // unknown records pass without a word
  EXPECT_EQ(load("[Codetal ]\noptNbrLables=1\n").labels, 1);
}

TEST_F(OptionsFile, EveryKeySetsItsOwnFieldAndNoOther) {
  struct Case {
    const char* key;
    std::int32_t ReportOptions::*field;
  };
  const Case cases[] = {
      {"optBlankLines", &ReportOptions::blank_lines},
      {"optNbrLets", &ReportOptions::lets},
      {"optNbrGets", &ReportOptions::gets},
      {"optNbrEvents", &ReportOptions::events},
      {"optNbrIfs", &ReportOptions::ifs},
      {"optNbrElseIfs", &ReportOptions::elseifs},
      {"optNbrDos", &ReportOptions::dos},
      {"optNbrWhiles", &ReportOptions::whiles},
      {"optNbrFors", &ReportOptions::fors},
      {"optNbrLables", &ReportOptions::labels},
      {"optNbrWinAPI", &ReportOptions::winapi},
      {"optNbrDims", &ReportOptions::dims},
      {"optNbrVars", &ReportOptions::vars},
      {"optNbrTypes", &ReportOptions::types},
      {"optNbrEnums", &ReportOptions::enums},
      {"optNbrConsts", &ReportOptions::consts},
      {"optCountFormHeaders", &ReportOptions::count_form_headers},
      {"optReport", &ReportOptions::report_form},
      {"optShellTo", &ReportOptions::shell_to},
  };
  for (const Case& c : cases) {
    // A value no field starts with, so that every change shows.
    const char* value = c.field == &ReportOptions::shell_to ? "2" : "1";
    const char* other = c.field == &ReportOptions::blank_lines ? "0" : value;
    ReportOptions expected;
    expected.*c.field = *other - '0';
    run.options = {};
    EXPECT_EQ(load(std::string("[Codetal ]\n") + c.key + "=" + other + "\n"), expected) << c.key;
  }
}

struct ValueCase {
  const char* records;
  std::int32_t ReportOptions::*field;
  std::int32_t expected;
};

TEST_F(OptionsFile, OnlyTheFirstCharacterOfTheValueCountsAndMustBeAccepted) {
  const ValueCase cases[] = {
      {"optNbrLets=5\n", &ReportOptions::lets, 5},
      {"optNbrLets=8\n", &ReportOptions::lets, 8},
      {"optNbrLets=5\noptNbrLets=0\n", &ReportOptions::lets, 5},
      {"optNbrLets=5\noptNbrLets=9\n", &ReportOptions::lets, 5},
      {"optNbrGets=3\n", &ReportOptions::gets, 3},
      {"optNbrIfs=1\noptNbrIfs=yes\n", &ReportOptions::ifs, 1},
      {"optNbrIfs=1\noptNbrIfs=2\n", &ReportOptions::ifs, 1},
      {"optNbrIfs=1\noptNbrIfs=\n", &ReportOptions::ifs, 1},    // the value is the line feed
      {"optNbrIfs=1\noptNbrIfs=  \n", &ReportOptions::ifs, 1},  // blanks, then the line feed
      {"optNbrIfs=1\noptNbrIfs=", &ReportOptions::ifs, 1},      // nothing after the "="
      {"optNbrIfs=1\noptNbrIfs=0\n", &ReportOptions::ifs, 0},   // a later record overrides
      {"optNbrIfs=10\n", &ReportOptions::ifs, 1},
      {"optNbrIfs=1=0\n", &ReportOptions::ifs, 1},  // the first "=" counts
      {"optShellTo=0\n", &ReportOptions::shell_to, 0},
      {"optShellTo=2\n", &ReportOptions::shell_to, 2},
      {"optShellTo=3\n", &ReportOptions::shell_to, 1},
      {"optReport=0\n", &ReportOptions::report_form, 0},
      {"optReport=2\n", &ReportOptions::report_form, 2},
      {"optBlankLines=0\n", &ReportOptions::blank_lines, 0},
      {"optBlankLines=2\n", &ReportOptions::blank_lines, 1},
      {"optLinesPerPage=80\n", &ReportOptions::lines_per_page, 70},
      {"optLinesPerPage = 66 lines\n", &ReportOptions::lines_per_page, 56},
      {"optLinesPerPage=-5\n", &ReportOptions::lines_per_page, -15},
      {"optLinesPerPage=+12\n", &ReportOptions::lines_per_page, 2},
      {"optLinesPerPage=many\n", &ReportOptions::lines_per_page, -10},
      {"optLinesPerPage=\n", &ReportOptions::lines_per_page, -10},
      {"optLinesPerPage=", &ReportOptions::lines_per_page, 66},
      {"optLinesPerPage=99999999999999999999999\n", &ReportOptions::lines_per_page,
       std::numeric_limits<std::int32_t>::max()},
      {"optLinesPerPage=-99999999999999999999999\n", &ReportOptions::lines_per_page,
       std::numeric_limits<std::int32_t>::min()},
  };
  for (const ValueCase& c : cases) {
    run.options = {};
    EXPECT_EQ(load(std::string("[Codetal ]\n") + c.records).*c.field, c.expected) << c.records;
  }
  EXPECT_EQ(console(), "");
}

TEST_F(OptionsFile, PageLengthChangesNothingElse) {
  ReportOptions expected;
  expected.lines_per_page = 70;
  EXPECT_EQ(load("[Codetal ]\noptLinesPerPage=80\n"), expected);
}

TEST_F(OptionsFile, BlankLinesKeyHidesTheListFormsBlankLine) {
  load("[Codetal ]\noptReport=1\noptBlankLines=0\n");
  ModuleStats stats;
  stats[kTotalLines] = 3;
  stats[kBlankLines] = 3;
  report_module(run.log, run.options, stats, "m.bas");
  run.log.write_log("");
  EXPECT_EQ(platform.written["Codetal.log"],  // no header was set
            "File: m.bas \n"
            "   Total Lines    = 3 \n"
            "   Lines of Code  = 0 \n"
            "   Nbr. Comments  = 0 \n"
            "   ---------------- \n"
            "   Nbr. Subs      = 0 \n"
            "   Nbr. Functions = 0 \n"
            "\n");
}

// ---- A key without "=" ----

TEST_F(OptionsFile, KeyWithoutEqualsIsShownWithAPromptAndReadingGoesOn) {
  const ReportOptions& options = load(
      "[Codetal ]\n"
      "optNbrIfs=1\n"
      "optNbrIfs 0\n"
      "optNbrDos=1\n"
      "optNbrFors");
  EXPECT_EQ(options.ifs, 1);
  EXPECT_EQ(options.dos, 1);
  EXPECT_EQ(options.fors, 0);
  // The record's own line feed comes before the " \n"; the last line has none.
  EXPECT_EQ(console(), kInvalidRecord + "optNbrIfs 0\n \n" + kPrompt + kInvalidRecord +
                           "optNbrFors \n" + kPrompt);
  EXPECT_EQ(platform.events, "kk");
}

TEST_F(OptionsFile, InvalidRecordIsShownAsDataNeverAsAFormat) {
  load("[Codetal ]\r\noptReport %s%n%d\r\n");
  EXPECT_EQ(console(), kInvalidRecord + "optReport %s%n%d\n \n" + kPrompt);
}

// ---- Whole records, whatever their length ----

TEST_F(OptionsFile, ContinuationOfALongCommentIsNeitherAKeyNorAHeader) {
  const std::string filler(79, 'x');
  const ReportOptions& options = load("[Codetal ]\n;" + filler + "optNbrIfs=1\n" + ";" + filler +
                                      "[Other]\n" + "optNbrDos=1\n");
  EXPECT_EQ(options.ifs, 0);
  EXPECT_EQ(options.dos, 1);
}

TEST_F(OptionsFile, LongKeyLineIsReadWhole) {
  const ReportOptions& options = load("[Codetal ]\n" + std::string("optNbrIfs") +
                                      std::string(120, ' ') + "= 1\n" + "optNbrDos=1\n");
  EXPECT_EQ(options.ifs, 1);
  EXPECT_EQ(options.dos, 1);
  EXPECT_EQ(console(), "");
}

TEST_F(OptionsFile, RecordsLongerThanOneReadAreJoined) {
  // The fake file serves 4096 bytes a read; the reader's block is larger.
  const std::string comment = ";" + std::string(200000, 'c') + "\n";
  const ReportOptions& options = load("[Codetal ]\n" + comment + "optNbrIfs=1\n" + comment +
                                      "optLinesPerPage=" + std::string(5000, ' ') + "80\n");
  EXPECT_EQ(options.ifs, 1);
  EXPECT_EQ(options.lines_per_page, 70);
}

// ---- Text mode ----

TEST_F(OptionsFile, CarriageReturnsAreDroppedAndCtrlZEndsTheFile) {
  const ReportOptions& options = load(
      "[Codetal ]\r\n"
      "optNbrIfs=1\r\n"
      "optLinesPerPage=8\r0\r\n"
      "optNbrDos=1\x1a\n"
      "optNbrFors=1\n");
  EXPECT_EQ(options.ifs, 1);
  EXPECT_EQ(options.lines_per_page, 70);
  EXPECT_EQ(options.dos, 1);  // the last line, ended by Ctrl-Z
  EXPECT_EQ(options.fors, 0);
}

TEST(RemoveLeadingBlanks, CountsBlanksAndTabsAndKeepsTheRest) {
  std::string_view text = " \t \tkey = 1 \n";
  EXPECT_EQ(remove_lb_and_tabs(text), 4u);
  EXPECT_EQ(text, "key = 1 \n");
  std::string_view blanks = "  ";
  EXPECT_EQ(remove_lb_and_tabs(blanks), 2u);
  EXPECT_EQ(blanks, "");
}

// ---- Where the file is looked for ----

TEST_F(OptionsFile, MissingFileIsReportedThenWaitsAndClearsKeepingDefaults) {
  load_table_file(run);
  EXPECT_EQ(platform.asked, (std::vector<std::string>{"Codetal.INI", "C:\\RUK\\Codetal.INI"}));
  EXPECT_EQ(console(),
            "Codetal==>  Unable to open C:\\RUK\\Codetal.INI for reading \n"
            "Codetal==>  The Codetal.INI file must be placed \n"
            "Codetal==>  in C:\\Codetal\\ directory to be used. \n\n"
            "Codetal==>  Codetal will continue; using internal defaults and  \n"
            "Codetal==>  Command Line Options as parameters \n\n" +
                kPrompt);
  EXPECT_EQ(platform.events, "kc");
  EXPECT_EQ(run.options, ReportOptions{});
}

TEST_F(OptionsFile, SecondPlaceIsUsedWhenTheCurrentFolderHasNone) {
  platform.inputs[kSecondOptionsFileName] = "[Codetal ]\noptNbrIfs=1\n";
  load_table_file(run);
  EXPECT_EQ(run.options.ifs, 1);
  EXPECT_EQ(console(), "");
  EXPECT_EQ(platform.events, "");
}

TEST_F(OptionsFile, FileWithoutASectionKeepsTheDefaultsQuietly) {
  EXPECT_EQ(load(""), ReportOptions{});
  EXPECT_EQ(load("optNbrIfs=1\n; nothing here\n"), ReportOptions{});
  EXPECT_EQ(console(), "");
  EXPECT_EQ(platform.events, "");
}

}  // namespace
}  // namespace codetal
