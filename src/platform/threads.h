// How many threads count modules.
#pragma once

namespace codetal {

// The most threads a run uses, however many it is asked for.
inline constexpr unsigned kMostThreads = 64;

// `setting` is CODETAL_THREADS as found (null when unset): a whole number
// from 1 up sets the count, 1 being the plain single-threaded run; anything
// else is ignored. Otherwise one thread a core, as `hardware` reports them
// (0: unknown, one thread).
unsigned choose_thread_count(const char* setting, unsigned hardware);

}  // namespace codetal
