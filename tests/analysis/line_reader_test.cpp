#include "analysis/line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_platform.h"

namespace codetal {
namespace {

// Serves a module in reads of ever-changing odd sizes, and can fail (-1)
// once its bytes are used up, so block boundaries fall everywhere.
class ChunkedInput : public InputFile {
 public:
  ChunkedInput(std::string bytes, bool fail_at_end)
      : bytes_(std::move(bytes)), fail_at_end_(fail_at_end) {}
  long read(char* buffer, std::size_t size) override {
    static constexpr std::size_t kSizes[] = {1, 7, 4096, 65536, 13, 100000, 2};
    if (at_ == bytes_.size()) return fail_at_end_ ? -1 : 0;
    std::size_t n = std::min({size, bytes_.size() - at_, kSizes[calls_++ % 7]});
    bytes_.copy(buffer, n, at_);
    at_ += n;
    return static_cast<long>(n);
  }

 private:
  std::string bytes_;
  bool fail_at_end_;
  std::size_t at_ = 0;
  std::size_t calls_ = 0;
};

class ChunkedPlatform : public test::FakePlatform {
 public:
  bool chunked = false;
  bool fail_at_end = false;
  std::unique_ptr<InputFile> open_input(std::string_view name) override {
    if (!chunked) return FakePlatform::open_input(name);
    return std::make_unique<ChunkedInput>(inputs.at(std::string(name)), fail_at_end);
  }
};

struct ReaderTest : ::testing::Test {
  ChunkedPlatform platform;
  Console console{platform};
  std::int32_t modules_analyzed = 0;
  LineReader reader{platform, console, modules_analyzed};

  // Every line of the module as handed out, checking on the way that the
  // module's end is known exactly when its last line is handed out.
  std::vector<std::string> read_all(const std::string& bytes) {
    platform.inputs["m.bas"] = bytes;
    std::vector<std::string> lines;
    if (reader.open_module("m.bas") != 0) {
      ADD_FAILURE() << "open_module failed";
      return lines;
    }
    while (!reader.end_of_module()) {
      reader.read_next_line();
      lines.emplace_back(reader.current_line());
      EXPECT_EQ(reader.end_of_module(), reader.lookahead_line().empty());
    }
    reader.close_module();
    return lines;
  }

  std::string console_text() {
    console.flush();
    return platform.out;
  }
};

using Lines = std::vector<std::string>;

TEST_F(ReaderTest, TextModeDropsCarriageReturnsAndKeepsLineFeeds) {
  EXPECT_EQ(read_all("Option Explicit\r\n\r\nDim x\r\n"),
            (Lines{"Option Explicit\n", "\n", "Dim x\n"}));
  EXPECT_EQ(read_all("a\r\r\nb\rc\n"), (Lines{"a\n", "bc\n"}));
  EXPECT_EQ(read_all("last\r"), (Lines{"last"}));
}

TEST_F(ReaderTest, CtrlZEndsTheModuleWhereItStands) {
  EXPECT_EQ(read_all("a\nb\x1A"
                     "c\nd\n"),
            (Lines{"a\n", "b"}));
  EXPECT_EQ(read_all("a\n\x1A\n"), (Lines{"a\n"}));
}

TEST_F(ReaderTest, LastLineWithoutLineFeedAndALoneLineFeed) {
  EXPECT_EQ(read_all("Sub A()\nEnd Sub"), (Lines{"Sub A()\n", "End Sub"}));
  EXPECT_EQ(read_all("\n"), (Lines{"\n"}));
  EXPECT_EQ(modules_analyzed, 2);
}

TEST_F(ReaderTest, LookaheadHoldsTheNextLine) {
  platform.inputs["m.bas"] = "one\ntwo";
  ASSERT_EQ(reader.open_module("m.bas"), 0);
  EXPECT_EQ(reader.lookahead_line(), "one\n");
  EXPECT_FALSE(reader.end_of_module());
  reader.read_next_line();
  EXPECT_EQ(reader.current_line(), "one\n");
  EXPECT_EQ(reader.lookahead_line(), "two");
  EXPECT_FALSE(reader.end_of_module());
  reader.read_next_line();
  EXPECT_EQ(reader.current_line(), "two");
  EXPECT_TRUE(reader.end_of_module());
  reader.reset();
  EXPECT_FALSE(reader.end_of_module());
  EXPECT_EQ(reader.current_line(), "");
  EXPECT_EQ(reader.lookahead_line(), "");
}

TEST_F(ReaderTest, ModulesWithoutACharacterFailAsZeroLength) {
  for (const char* bytes : {"", "\r\r",
                            "\x1A"
                            "Sub A()\n"}) {
    platform.out.clear();
    platform.inputs["empty.bas"] = bytes;
    EXPECT_EQ(reader.open_module("empty.bas"), 1);
    EXPECT_EQ(console_text(),
              "Codetal==>  Processing  empty.bas \n"
              "\n"
              "Codetal==>  Unable to read empty.bas \n"
              "Codetal==>  File is most probably of zero length \n");
  }
  EXPECT_EQ(modules_analyzed, 0);
}

TEST_F(ReaderTest, MissingModuleCannotBeOpened) {
  EXPECT_EQ(reader.open_module("no such 100%s.bas"), 1);
  EXPECT_EQ(console_text(),
            "Codetal==>  Unable to open no such 100%s.bas for reading \n"
            "Codetal==>  The file probably doesn't exist \n\n");
  EXPECT_EQ(modules_analyzed, 0);
}

TEST_F(ReaderTest, ALineOfAnyLengthIsOneLine) {
  std::string long_line(100000, 'x');
  EXPECT_EQ(read_all("first\n" + long_line + "\nlast\n"),
            (Lines{"first\n", long_line + "\n", "last\n"}));
  EXPECT_EQ(read_all(long_line), (Lines{long_line}));
}

// Lines of many lengths, far more than one buffer, through reads of odd
// sizes: every line comes out whole and in order, however the reads fall.
TEST_F(ReaderTest, LinesCrossingBlockBoundariesComeOutWhole) {
  Lines expected;
  std::string bytes;
  unsigned seed = 12345;
  for (int i = 0; i < 4000; ++i) {
    seed = seed * 1103515245u + 12345u;
    std::size_t length = (seed >> 8) % (i % 97 == 0 ? 300000 : 700);
    std::string line(length, static_cast<char>('a' + i % 26));
    expected.push_back(line + "\n");
    bytes += line + (i % 3 == 0 ? "\r\n" : "\n");
  }
  for (bool chunked : {false, true}) {
    platform.chunked = chunked;
    EXPECT_EQ(read_all(bytes), expected) << (chunked ? "odd read sizes" : "4 KiB reads");
  }
}

TEST_F(ReaderTest, AReadErrorEndsTheModuleAfterWhatWasRead) {
  platform.chunked = true;
  platform.fail_at_end = true;
  EXPECT_EQ(read_all("a\nb\nc"), (Lines{"a\n", "b\n", "c"}));
  platform.inputs["empty.bas"] = "";
  EXPECT_EQ(reader.open_module("empty.bas"), 1);
}

TEST(TrimLeadingBlanks, RemovesBlanksAndTabsOnlyAtTheStart) {
  EXPECT_EQ(trim_leading_blanks(" \t  Dim x \t\n"), "Dim x \t\n");
  EXPECT_EQ(trim_leading_blanks("\t\n"), "\n");
  EXPECT_EQ(trim_leading_blanks(" \t "), "");
  EXPECT_EQ(trim_leading_blanks("x"), "x");
  EXPECT_EQ(trim_leading_blanks("\f x"), "\f x");
}

}  // namespace
}  // namespace codetal
