#include "platform/threads.h"

#include <algorithm>
#include <cstdlib>
#include <thread>

#include "platform/platform.h"

namespace codetal {

unsigned choose_thread_count(const char* setting, unsigned hardware) {
  unsigned chosen = std::max(hardware, 1U);
  if (setting == nullptr || *setting == '\0') return std::min(chosen, kMostThreads);
  unsigned long asked = 0;
  for (const char* at = setting; *at != '\0'; ++at) {
    if (*at < '0' || *at > '9') return std::min(chosen, kMostThreads);
    // Saturates instead of wrapping, so that a huge number stays huge.
    asked = std::min<unsigned long>(asked * 10 + static_cast<unsigned long>(*at - '0'), 1000000);
  }
  if (asked == 0) return std::min(chosen, kMostThreads);
  return static_cast<unsigned>(std::min<unsigned long>(asked, kMostThreads));
}

unsigned counting_threads() {
  return choose_thread_count(std::getenv("CODETAL_THREADS"), std::thread::hardware_concurrency());
}

}  // namespace codetal
