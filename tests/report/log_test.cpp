#include "report/log.h"

#include <gtest/gtest.h>

#include "fake_platform.h"

namespace codetal {
namespace {

constexpr const char* kHeader = "Created by Codetal on 03-14-00 at 09:05:07\n\n";

struct LogFixture : ::testing::Test {
  test::FakePlatform platform;
  Console console{platform};
  ReportLog log{platform, console};
  LogFixture() { log.set_report_header(build_report_header(platform.now)); }
  std::string report() { return platform.written["Codetal.log"]; }
};

TEST(ReportHeader, IsFortyFourCharactersWithTwoDigitFields) {
  EXPECT_EQ(build_report_header({2000, 3, 14, 9, 5, 7}), kHeader);
  EXPECT_EQ(build_report_header({1999, 12, 31, 23, 59, 59}),
            "Created by Codetal on 12-31-99 at 23:59:59\n\n");
  EXPECT_EQ(build_report_header({2026, 1, 2, 0, 0, 0}).size(), 44u);
}

TEST_F(LogFixture, FirstWriteCreatesTheReportWithTheHeader) {
  log.write_log("one \n");
  log.write_log("two \n");
  log.write_log("");
  EXPECT_EQ(report(), std::string(kHeader) + "one \ntwo \n");
  EXPECT_EQ(platform.out, "");
  EXPECT_FALSE(log.text_lost());
}

TEST_F(LogFixture, EmptyTextAloneLeavesHeaderOnlyReport) {
  log.write_log("");
  EXPECT_EQ(report(), kHeader);
}

TEST_F(LogFixture, EchoShowsHeaderThenEveryTextVerbatim) {
  log.set_echo_log(true);
  log.write_log("100% %s %d \n");
  log.write_log("");
  console.flush();
  EXPECT_EQ(platform.out, std::string(kHeader) + "100% %s %d \n");
}

TEST_F(LogFixture, ReportIsOnDiskBeforeEveryWait) {
  log.write_log("before the wait \n");
  console.pause();
  EXPECT_EQ(report(), std::string(kHeader) + "before the wait \n");
}

}  // namespace
}  // namespace codetal
