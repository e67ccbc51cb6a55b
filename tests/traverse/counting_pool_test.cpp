// The pool hands outcomes back in the order modules were queued, however
// many threads count them and however long each takes, and forgets what it
// is told to drop.
#include "traverse/counting_pool.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/memory_input.h"

namespace codetal {
namespace {

// Module texts of very different lengths; "" holds no character.
std::vector<std::string> module_texts(int count) {
  std::vector<std::string> texts;
  for (int i = 0; i < count; ++i) {
    std::string text;
    const int lines = i % 11 == 0 ? 5000 : i % 4;
    for (int n = 0; n < lines; ++n) text += n % 3 == 0 ? "' note\r\n" : "Dim x\r\n";
    texts.push_back(text + std::string(static_cast<std::size_t>(i % 3), '\n'));
  }
  return texts;
}

std::optional<ModuleResult> counted_alone(const std::string& text) {
  LineReader reader;
  MemoryInput input(text);
  return count_module(reader, input, CountRules{});
}

// Module i is queued as not opened when i % 7 == 3.
std::unique_ptr<InputFile> open(const std::vector<std::string>& texts, std::size_t i) {
  if (i % 7 == 3) return nullptr;
  return std::make_unique<MemoryInput>(texts[i]);
}

TEST(CountingPool, OutcomesComeInQueueOrderWithAnyNumberOfThreads) {
  const std::vector<std::string> texts = module_texts(200);
  for (unsigned threads : {1U, 2U, 8U}) {
    SCOPED_TRACE(threads);
    CountingPool pool(threads);
    LineReader reader;
    std::size_t queued = 0;
    for (std::size_t taken = 0; taken < texts.size(); ++taken) {
      while (queued < texts.size() && pool.queued() < pool.capacity())
        pool.submit(open(texts, queued++), CountRules{});
      CountedModule outcome = pool.take_oldest(reader);
      ASSERT_EQ(outcome.opened, taken % 7 != 3) << taken;
      EXPECT_EQ(outcome.result, outcome.opened ? counted_alone(texts[taken]) : std::nullopt)
          << taken;
    }
    EXPECT_EQ(pool.queued(), 0U);
  }
}

TEST(CountingPool, DroppedModulesAreNeverHandedBack) {
  CountingPool pool(4);
  const std::vector<std::string> texts = module_texts(static_cast<int>(11 + pool.capacity()));
  LineReader reader;
  for (std::size_t i = 0; i < pool.capacity(); ++i) pool.submit(open(texts, 11 + i), CountRules{});
  EXPECT_EQ(pool.take_oldest(reader).result, counted_alone(texts[11]));
  pool.discard();
  EXPECT_EQ(pool.queued(), 0U);
  pool.submit(open(texts, 1), CountRules{});
  pool.submit(open(texts, 2), CountRules{});
  EXPECT_EQ(pool.take_oldest(reader).result, counted_alone(texts[1]));
  EXPECT_EQ(pool.take_oldest(reader).result, counted_alone(texts[2]));
}

}  // namespace
}  // namespace codetal
