#include "platform/threads.h"

#include <gtest/gtest.h>

#include "test_data.h"

namespace codetal {
namespace {

TEST(ThreadCount, SetByTheEnvironmentOrOneACore) {
  for (const auto& row : test::read_table("unit/threads.txt")) {
    const char* setting = row.at(0) == "-" ? nullptr : row[0].c_str();
    EXPECT_EQ(choose_thread_count(setting, std::stoul(row.at(1))), std::stoul(row.at(2)))
        << row[0] << " on " << row[1];
  }
}

}  // namespace
}  // namespace codetal
