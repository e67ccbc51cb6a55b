#include "traverse/module_sequence.h"

#include <memory>
#include <vector>

#include "analysis/count_module.h"
#include "traverse/module_cycle.h"

namespace codetal {
namespace {

Summed process_one_by_one(Traversal& run, const std::vector<std::string>& names) {
  Summed sum;
  for (const std::string& name : names) {
    sum.next = process_module(run, name, sum.totals);
    if (sum.next == Next::kStop) break;
  }
  return sum;
}

CountingPool& pool_of(Traversal& run) {
  if (run.pool == nullptr) run.pool = std::make_unique<CountingPool>(run.threads);
  return *run.pool;
}

// A file that cannot be opened ahead of its turn may only lack a handle that
// the queue holds: it is opened again at its turn, when the queue has
// drained, and no file after it is opened before then, so that whether it
// opens is decided as in a run on one thread.
void open_at_its_turn(Traversal& run, const std::string& name, CountedModule& counted) {
  std::unique_ptr<InputFile> file = run.platform.open_input(name);
  if (file == nullptr) return;
  counted.opened = true;
  counted.result = count_module(run.reader, *file, count_rules(run, name));
}

}  // namespace

Summed process_modules(Traversal& run, const std::vector<std::string>& names) {
  if (run.threads <= 1) return process_one_by_one(run, names);
  CountingPool& pool = pool_of(run);
  Summed sum;
  // Queued modules are names[reported, submitted).
  std::size_t reported = 0;
  std::size_t submitted = 0;
  bool unopened_queued = false;
  while (reported < names.size()) {
    while (submitted < names.size() && !unopened_queued && submitted - reported < pool.capacity()) {
      const std::string& name = names[submitted++];
      std::unique_ptr<InputFile> file = run.platform.open_input(name);
      unopened_queued = file == nullptr;
      pool.submit(std::move(file), count_rules(run, name));
    }
    CountedModule counted = pool.take_oldest(run.reader);
    const std::string& name = names[reported++];
    if (!counted.opened) {
      open_at_its_turn(run, name, counted);
      unopened_queued = false;
    }
    sum.next = report_counted_module(run, name, counted, sum.totals);
    if (sum.next == Next::kStop) {
      pool.discard();
      break;
    }
  }
  return sum;
}

}  // namespace codetal
