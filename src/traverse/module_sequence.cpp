#include "traverse/module_sequence.h"

#include <vector>

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
  if (run.pool == nullptr)
    run.pool = std::make_unique<CountingPool>(run.threads, run.options.count_form_headers == 1);
  return *run.pool;
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
  for (;;) {
    while (more && queued < queued_names.size()) {
      std::string& name = queued_names[(first + queued) % queued_names.size()];
      more = names.next(name);
      if (!more) break;
      pool.submit(run.platform.open_input(name));
      ++queued;
    }
    if (queued == 0) return Next::kGoOn;
    CountedModule counted = pool.take_oldest(run.reader);
    const std::string& name = queued_names[first];
    first = (first + 1) % queued_names.size();
    --queued;
    if (report_counted_module(run, name, counted) == Next::kStop) {
      pool.discard();
      return Next::kStop;
    }
  }
}

}  // namespace codetal
