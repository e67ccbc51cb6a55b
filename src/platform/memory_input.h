// An input file over bytes already in memory, served in reads as large as
// asked for: how tests, fuzz targets and benchmarks hand text to the readers.
#pragma once

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/platform.h"

namespace codetal {

class MemoryInput final : public InputFile {
 public:
  explicit MemoryInput(std::string_view bytes) : bytes_(bytes) {}
  long read(char* buffer, std::size_t size) override {
    std::size_t n = std::min(size, bytes_.size());
    if (n != 0) std::memcpy(buffer, bytes_.data(), n);
    bytes_.remove_prefix(n);
    return static_cast<long>(n);
  }

 private:
  std::string_view bytes_;
};

}  // namespace codetal
