#include "traverse/module_sequence.h"

#include <memory>
#include <vector>

#include "analysis/count_module.h"
#include "traverse/module_cycle.h"

namespace codetal {
namespace {

Next process_one_by_one(Traversal& run, ModuleNames& names) {
  std::string name;
  while (names.next(name)) {
    if (process_module(run, name) == Next::kStop) return Next::kStop;
  }
  return Next::kGoOn;
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
  counted.stats = count_module(run.reader, *file, count_rules(run, name));
}

}  // namespace

Next process_modules(Traversal& run, ModuleNames& names) {
  if (run.threads <= 1) return process_one_by_one(run, names);
  CountingPool& pool = pool_of(run);
  // The names of the queued modules, oldest at `first`; their strings are
  // reused from module to module.
  std::vector<std::string> queued_names(pool.capacity());
  std::size_t first = 0;
  std::size_t queued = 0;
  bool more = true;
  bool unopened_queued = false;
  for (;;) {
    while (more && !unopened_queued && queued < queued_names.size()) {
      std::string& name = queued_names[(first + queued) % queued_names.size()];
      more = names.next(name);
      if (!more) break;
      std::unique_ptr<InputFile> file = run.platform.open_input(name);
      unopened_queued = file == nullptr;
      pool.submit(std::move(file), count_rules(run, name));
      ++queued;
    }
    if (queued == 0) return Next::kGoOn;
    CountedModule counted = pool.take_oldest(run.reader);
    const std::string& name = queued_names[first];
    first = (first + 1) % queued_names.size();
    --queued;
    if (!counted.opened) {
      open_at_its_turn(run, name, counted);
      unopened_queued = false;
    }
    if (report_counted_module(run, name, counted) == Next::kStop) {
      pool.discard();
      return Next::kStop;
    }
  }
}

}  // namespace codetal
