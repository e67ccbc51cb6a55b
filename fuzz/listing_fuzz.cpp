// Arbitrary bytes as a project file and as a group file, with every listed
// name looked up in a real folder.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string failure = codetal::fuzz::check_listing_bytes(
      std::string_view(reinterpret_cast<const char*>(data), size));
  if (!failure.empty()) {
    std::fprintf(stderr, "broken rule: %s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
