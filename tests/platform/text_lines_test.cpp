// Text files read in blocks: every line comes whole, whatever the block size,
// and the text-mode rules hold across blocks.
#include "platform/text_lines.h"

#include <gtest/gtest.h>

#include "fake_platform.h"

namespace codetal {
namespace {

using Lines = std::vector<std::string>;

Lines lines_of(const std::string& bytes, std::size_t block_size, bool fail_at_end = false) {
  test::FakeInputFile file(bytes, fail_at_end);
  TextLines lines(file, block_size);
  Lines result;
  std::string_view line;
  while (lines.next(line)) result.emplace_back(line);
  EXPECT_FALSE(lines.next(line));  // stays at the end
  EXPECT_EQ(lines.read_failed(), fail_at_end) << bytes;
  return result;
}

TEST(TextLines, TextModeRulesHoldForEveryBlockSize) {
  const std::string long_line = "Form=" + std::string(100000, 'x') + ".frm";
  const std::string bytes = "Type=Exe\r\nForm=a\rb.frm\r\n\r\n\n" + long_line +
                            "\r\nClass=c; c.cls\x1aModule=after; ctrlz.bas\r\n";
  const Lines expected = {"Type=Exe\n", "Form=ab.frm\n",  "\n",
                          "\n",         long_line + "\n", "Class=c; c.cls"};
  for (std::size_t block : {16, 17, 4096, 65536})
    EXPECT_EQ(lines_of(bytes, block), expected) << block;
  // Nothing after a Ctrl-Z is read, however many blocks follow it.
  const std::string after = "\x1a" + std::string(200000, 'y') + "\nModule=m; m.bas\n";
  EXPECT_EQ(lines_of("Form=a.frm\n" + after, 65536), Lines{"Form=a.frm\n"});
}

TEST(TextLines, LastLineWithoutLineFeedAndEmptyFiles) {
  EXPECT_EQ(lines_of("Form=a.frm\nClass=c; c.cls", 16), (Lines{"Form=a.frm\n", "Class=c; c.cls"}));
  EXPECT_EQ(lines_of("Form=a.frm\r", 16), Lines{"Form=a.frm"});
  EXPECT_EQ(lines_of("", 16), Lines{});
  EXPECT_EQ(lines_of("\x1a"
                     "Form=a.frm\n",
                     16),
            Lines{});
  EXPECT_EQ(lines_of("\n", 16), Lines{"\n"});
}

// A read failure ends the text and drops the unfinished line.
TEST(TextLines, ReadFailureEndsTheTextAndDropsTheUnfinishedLine) {
  EXPECT_EQ(lines_of("Form=a.frm\r\nModule=m; m.ba", 4096, true), Lines{"Form=a.frm\n"});
  EXPECT_EQ(lines_of("Form=a.frm\n", 4096, true), Lines{"Form=a.frm\n"});
}

}  // namespace
}  // namespace codetal
