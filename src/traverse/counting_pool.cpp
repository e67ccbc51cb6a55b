#include "traverse/counting_pool.h"

#include <algorithm>
#include <utility>

namespace codetal {

namespace {

// A queued module costs an open file and its counts, no buffer, so the queue
// can run well ahead: a reporting thread that the system keeps waiting for a
// while must not leave the counting threads idle behind a full queue.
constexpr std::size_t kLeastQueue = 64;

}  // namespace

CountingPool::CountingPool(unsigned threads)
    : slots_(std::max<std::size_t>(2 * std::size_t{threads}, kLeastQueue)) {
  for (unsigned i = 1; i < threads; ++i) workers_.emplace_back([this] { work(); });
}

CountingPool::~CountingPool() {
  discard();
  {
    Lock lock(mutex_);
    stopping_ = true;
  }
  work_ready_.notify_all();
  for (std::thread& worker : workers_) worker.join();
}

std::size_t CountingPool::queued() const {
  Lock lock(mutex_);
  return tail_ - head_;
}

void CountingPool::submit(std::unique_ptr<InputFile> file, CountRules rules) {
  {
    Lock lock(mutex_);
    Slot& next = slot(tail_);
    next.rules = rules;
    next.outcome = CountedModule{file != nullptr, std::nullopt};
    // Nothing to count in a module that could not be opened.
    next.done = file == nullptr;
    next.file = std::move(file);
    ++tail_;
  }
  work_ready_.notify_one();
}

CountedModule CountingPool::take_oldest(LineReader& reader) {
  Lock lock(mutex_);
  Slot& oldest = slot(head_);
  while (!oldest.done) {
    std::size_t sequence = 0;
    if (claim(sequence))
      count(lock, sequence, reader);
    else
      counted_.wait(lock);
  }
  ++head_;
  return std::move(oldest.outcome);
}

void CountingPool::discard() {
  Lock lock(mutex_);
  const std::size_t claimed_end = next_claim_;
  next_claim_ = tail_;
  counted_.wait(lock, [&] {
    for (std::size_t s = head_; s < claimed_end; ++s) {
      if (!slot(s).done) return false;
    }
    return true;
  });
  for (; head_ < tail_; ++head_) slot(head_).file.reset();
}

// Under the lock: the next queued module not yet taken up, skipping those
// that need no counting. A module that needed none may have been taken off
// the queue before anything was claimed past it: claims go on from the
// oldest queued module then, never from a slot that has been reused since.
bool CountingPool::claim(std::size_t& sequence) {
  next_claim_ = std::max(next_claim_, head_);
  while (next_claim_ < tail_ && slot(next_claim_).done) ++next_claim_;
  if (next_claim_ == tail_) return false;
  sequence = next_claim_++;
  return true;
}

// Counts outside the lock: the slot is this thread's until it is done.
void CountingPool::count(Lock& lock, std::size_t sequence, LineReader& reader) {
  Slot& counting = slot(sequence);
  lock.unlock();
  std::optional<ModuleResult> result = count_module(reader, *counting.file, counting.rules);
  counting.file.reset();
  lock.lock();
  counting.outcome.result = std::move(result);
  counting.done = true;
  counted_.notify_all();
}

void CountingPool::work() {
  LineReader reader;
  Lock lock(mutex_);
  for (;;) {
    std::size_t sequence = 0;
    work_ready_.wait(lock, [&] { return stopping_ || claim(sequence); });
    if (stopping_) return;
    count(lock, sequence, reader);
  }
}

}  // namespace codetal
