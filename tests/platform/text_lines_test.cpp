// Text files read in blocks (tests/data/unit/text_lines.txt): every line
// comes whole, whatever the block size, and the text-mode rules hold across
// blocks.
#include "platform/text_lines.h"

#include <gtest/gtest.h>

#include "fake_platform.h"
#include "test_data.h"

namespace codetal {
namespace {

TEST(TextLines, TextModeRulesHoldForEveryBlockSize) {
  for (const auto& row : test::read_table("unit/text_lines.txt")) {
    const bool fails = row.size() > 2 && row[2] == "fails";
    for (std::size_t block : {16, 17, 4096, 65536}) {
      test::FakeInputFile file(row[0], fails);
      TextLines lines(file, block);
      std::vector<std::string> read;
      std::string_view line;
      while (lines.next(line)) read.emplace_back(line);
      EXPECT_FALSE(lines.next(line));  // stays at the end
      EXPECT_EQ(lines.read_failed(), fails);
      EXPECT_EQ(read, test::lines_in(row.at(1))) << row[0].substr(0, 60) << " by " << block;
    }
  }
}

}  // namespace
}  // namespace codetal
