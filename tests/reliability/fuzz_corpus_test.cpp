// Every committed fuzz input (the seeds and each crasher found since) kept as
// a regression case: it must still keep every rule its fuzz target checks.
#include <filesystem>

#include <gtest/gtest.h>

#include "harness.h"
#include "invariants.h"

namespace codetal::test {
namespace {

TEST(FuzzCorpus, EveryInputKeepsTheRulesOfItsTarget) {
  const std::pair<const char*, std::string (*)(std::string_view)> targets[] = {
      {"module", fuzz::check_module_bytes},   {"options", fuzz::check_options_bytes},
      {"listing", fuzz::check_listing_bytes}, {"exports", fuzz::check_exports_bytes},
      {"estate", fuzz::check_estate_bytes},   {"compare", fuzz::check_compare_bytes}};
  for (const auto& [target, check] : targets) {
    int replayed = 0;  // an empty corpus fails
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(CODETAL_FUZZ_CORPUS) + "/" + target)) {
      EXPECT_EQ(check(read_file(entry.path())), "") << entry.path();
      ++replayed;
    }
    EXPECT_GT(replayed, 0) << target;
  }
}

}  // namespace
}  // namespace codetal::test
