// Arbitrary bytes through one check of invariants.h, named by the build:
// as a module, as "Codetal.INI", or as a project and a group file.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string failure = codetal::fuzz::CODETAL_FUZZ_CHECK(
      std::string_view(reinterpret_cast<const char*>(data), size));
  if (!failure.empty()) {
    std::fprintf(stderr, "broken rule: %s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
