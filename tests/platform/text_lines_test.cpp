// Text files read in blocks: every line comes whole,
// whatever the block size, and the text-mode rules hold across blocks.
#include "platform/text_lines.h"

#include <gtest/gtest.h>

#include "fake_platform.h"

namespace codetal {
namespace {

std::vector<std::string> lines_of(InputFile& file, std::size_t block_size, bool* failed = nullptr) {
  TextLines lines(file, block_size);
  std::vector<std::string> result;
  std::string_view line;
  while (lines.next(line)) result.emplace_back(line);
  EXPECT_FALSE(lines.next(line));  // stays at the end
  if (failed != nullptr) *failed = lines.read_failed();
  return result;
}

std::vector<std::string> lines_of(const std::string& bytes, std::size_t block_size) {
  test::FakeInputFile file(bytes);
  return lines_of(file, block_size);
}

TEST(TextLines, TextModeRulesHoldForEveryBlockSize) {
  const std::string long_line = "Form=" + std::string(100000, 'x') + ".frm";
  const std::string bytes = "Type=Exe\r\nForm=a\rb.frm\r\n\r\n\n" + long_line +
                            "\r\nClass=c; c.cls\x1aModule=after; ctrlz.bas\r\n";
  const std::vector<std::string> expected = {"Type=Exe\n", "Form=ab.frm\n",  "\n",
                                             "\n",         long_line + "\n", "Class=c; c.cls"};
  for (std::size_t block : {16, 17, 4096, 65536})
    EXPECT_EQ(lines_of(bytes, block), expected) << block;
  // Nothing after a Ctrl-Z is read, however many blocks follow it.
  const std::string after = "\x1a" + std::string(200000, 'y') + "\nModule=m; m.bas\n";
  EXPECT_EQ(lines_of("Form=a.frm\n" + after, 65536), std::vector<std::string>{"Form=a.frm\n"});
}

TEST(TextLines, LastLineWithoutLineFeedAndEmptyFiles) {
  EXPECT_EQ(lines_of("Form=a.frm\nClass=c; c.cls", 16),
            (std::vector<std::string>{"Form=a.frm\n", "Class=c; c.cls"}));
  EXPECT_EQ(lines_of("Form=a.frm\r", 16), std::vector<std::string>{"Form=a.frm"});
  EXPECT_EQ(lines_of("", 16), std::vector<std::string>{});
  EXPECT_EQ(lines_of("\x1a"
                     "Form=a.frm\n",
                     16),
            std::vector<std::string>{});
  EXPECT_EQ(lines_of("\n", 16), std::vector<std::string>{"\n"});
}

// Hands out its bytes, then fails.
class FailingFile : public InputFile {
 public:
  explicit FailingFile(std::string bytes) : bytes_(std::move(bytes)) {}
  long read(char* buffer, std::size_t size) override {
    if (done_) return -1;
    done_ = true;
    std::size_t n = std::min(size, bytes_.size());
    bytes_.copy(buffer, n);
    return static_cast<long>(n);
  }

 private:
  std::string bytes_;
  bool done_ = false;
};

TEST(TextLines, ReadFailureEndsTheTextAndDropsTheUnfinishedLine) {
  FailingFile file("Form=a.frm\r\nModule=m; m.ba");
  bool failed = false;
  EXPECT_EQ(lines_of(file, 4096, &failed), std::vector<std::string>{"Form=a.frm\n"});
  EXPECT_TRUE(failed);

  test::FakeInputFile whole("Form=a.frm\n");
  EXPECT_EQ(lines_of(whole, 4096, &failed), std::vector<std::string>{"Form=a.frm\n"});
  EXPECT_FALSE(failed);
}

}  // namespace
}  // namespace codetal
