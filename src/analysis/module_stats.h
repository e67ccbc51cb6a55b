// The 21 counters of one module, project or group, in print order.
#pragma once

#include <array>
#include <cstdint>

namespace codetal {

enum Counter : int {
  kTotalLines,
  kCodeLines,
  kCommentLines,
  kBlankLines,
  kSubs,
  kFunctions,
  kLets,
  kGets,
  kEvents,
  kIfs,
  kElseIfs,
  kDos,
  kWhiles,
  kFors,
  kLabels,
  kWinApi,
  kDims,
  kVars,
  kTypes,
  kEnums,
  kConsts,
  kCounterCount
};

// Totals are sums of this value type: `project += module` is the whole of
// summing, and `stats = ModuleStats{}` the whole of resetting.
struct ModuleStats {
  std::array<std::int32_t, kCounterCount> counts{};

  std::int32_t& operator[](Counter c) { return counts[c]; }
  std::int32_t operator[](Counter c) const { return counts[c]; }

  ModuleStats& operator+=(const ModuleStats& other) {
    for (int i = 0; i < kCounterCount; ++i) counts[i] += other.counts[i];
    return *this;
  }
  bool operator==(const ModuleStats&) const = default;
};

}  // namespace codetal
