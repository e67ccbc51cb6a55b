// Every case folder of tests/data/e2e, run as it says and compared with what
// it expects: console, report, exit status, and that nothing else changed.
#include <gtest/gtest.h>

#include "cases.h"

namespace codetal::test {
namespace {

class DataCase : public ::testing::TestWithParam<std::string> {};

TEST_P(DataCase, RunsAsExpected) {
  TempFolder folder;
  Case c = prepare_case("e2e/" + GetParam(), folder);
  if (!c.skip.empty()) GTEST_SKIP() << c.skip;
  RunResult result = run_codetal(folder, c.args, c.options);
  if (c.options.read_only_folder && result.status == RunOptions::kNoReadOnlyFolder)
    GTEST_SKIP() << "no private mount namespace with a read-only bind mount here";
  expect_outcome(c, result);
}

std::string test_name(const ::testing::TestParamInfo<std::string>& info) {
  std::string name = info.param;
  for (char& ch : name) ch = ch == '-' ? '_' : ch;
  return name;
}

INSTANTIATE_TEST_SUITE_P(E2e, DataCase, ::testing::ValuesIn(case_names("e2e")), test_name);

}  // namespace
}  // namespace codetal::test
