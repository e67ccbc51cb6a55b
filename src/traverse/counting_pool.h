// Counts opened modules on worker threads while the caller reports them in
// the order they were queued. Files are opened by the caller, on its own
// thread, so the platform is only ever asked for files from there; workers
// only read the files they are handed, each with its own line reader.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "analysis/count_module.h"

namespace codetal {

// One module's outcome: not opened, opened but without a character
// (`result` empty), or counted.
struct CountedModule {
  bool opened = false;
  std::optional<ModuleResult> result;
};

class CountingPool {
 public:
  // `threads` counting threads in all: the caller's, while it waits for a
  // result, and threads - 1 workers. At most capacity() modules wait: twice
  // the threads, and never fewer than 64.
  explicit CountingPool(unsigned threads);
  ~CountingPool();
  CountingPool(const CountingPool&) = delete;
  CountingPool& operator=(const CountingPool&) = delete;

  std::size_t capacity() const { return slots_.size(); }
  std::size_t queued() const;
  // Queues the next module, to be counted by `rules`, while fewer than
  // capacity() are queued; a null file stands for one that could not be
  // opened.
  void submit(std::unique_ptr<InputFile> file, CountRules rules);
  // The oldest queued module's outcome, once counted; the caller counts
  // queued modules itself while it waits.
  CountedModule take_oldest(LineReader& reader);
  // Forgets every queued module unseen, once those being counted are done.
  void discard();

 private:
  struct Slot {
    std::unique_ptr<InputFile> file;
    CountRules rules;
    CountedModule outcome;
    bool done = false;
  };
  using Lock = std::unique_lock<std::mutex>;

  Slot& slot(std::size_t sequence) { return slots_[sequence % slots_.size()]; }
  bool claim(std::size_t& sequence);
  void count(Lock& lock, std::size_t sequence, LineReader& reader);
  void work();

  std::vector<Slot> slots_;
  // Sequence numbers of modules in queue order: [head_, tail_) are queued,
  // and those from next_claim_ on are not yet taken up for counting.
  std::size_t head_ = 0;
  std::size_t next_claim_ = 0;
  std::size_t tail_ = 0;
  bool stopping_ = false;
  mutable std::mutex mutex_;
  std::condition_variable work_ready_;
  std::condition_variable counted_;
  std::vector<std::thread> workers_;
};

}  // namespace codetal
