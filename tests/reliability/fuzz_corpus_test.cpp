// Every committed fuzz input (the seeds and each crasher found since) kept as
// a regression case: it must still keep every rule its fuzz target checks.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "invariants.h"

namespace codetal::test {
namespace {

namespace fs = std::filesystem;

using Check = std::string (*)(std::string_view);

std::string read_bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Returns the number of inputs replayed, so that an empty corpus fails.
int replay(const std::string& target, Check check) {
  int replayed = 0;
  for (const fs::directory_entry& entry :
       fs::directory_iterator(fs::path(CODETAL_FUZZ_CORPUS) / target)) {
    if (!entry.is_regular_file()) continue;
    EXPECT_EQ(check(read_bytes(entry.path())), "") << entry.path();
    ++replayed;
  }
  return replayed;
}

TEST(FuzzCorpus, ModuleInputsKeepTheCountingRules) {
  EXPECT_GT(replay("module", fuzz::check_module_bytes), 0);
}

TEST(FuzzCorpus, OptionsInputsKeepTheAcceptedValues) {
  EXPECT_GT(replay("options", fuzz::check_options_bytes), 0);
}

TEST(FuzzCorpus, ListingInputsKeepTheTotalsRules) {
  EXPECT_GT(replay("listing", fuzz::check_listing_bytes), 0);
}

}  // namespace
}  // namespace codetal::test
