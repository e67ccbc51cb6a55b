#include "platform/threads.h"

#include <gtest/gtest.h>

namespace codetal {
namespace {

TEST(ThreadCount, SetByTheEnvironmentOrOneACore) {
  struct Case {
    const char* setting;
    unsigned hardware;
    unsigned expected;
  };
  const Case cases[] = {
      {nullptr, 2, 2},
      {nullptr, 0, 1},
      {"", 4, 4},
      {"1", 16, 1},
      {"8", 2, 8},
      {"0", 2, 2},
      {"-1", 2, 2},
      {"3x", 2, 2},
      {" 3", 2, 2},
      {"65", 2, 64},
      {"99999999999999999999", 2, 64},
      {nullptr, 200, 64},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(choose_thread_count(c.setting, c.hardware), c.expected)
        << (c.setting ? c.setting : "(unset)") << " on " << c.hardware;
  }
}

}  // namespace
}  // namespace codetal
