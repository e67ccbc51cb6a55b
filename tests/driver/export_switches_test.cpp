#include "driver/export_switches.h"

#include <gtest/gtest.h>

namespace codetal {
namespace {

TEST(ExportSwitches, OnlyWholeArgumentsAfterTheInputNameInAnyCase) {
  struct Case {
    std::vector<std::string> arguments;
    bool csv, json, html;
  };
  const Case cases[] = {
      {{"x.vbg"}, false, false, false},
      {{"x.vbg", "/csv"}, true, false, false},
      {{"x.vbg", "/HTML", "/v", "/Json"}, false, true, true},
      {{"x.vbg", "/z", "/cSv", "/json", "/html"}, true, true, true},
      // The input name itself, a path through a folder called "csv", a
      // switch run together with another, or one without its "/".
      {{"/csv", "/json"}, false, true, false},
      {{"c:/csv/x.bas", "/html/csv", "json", "/jsonx", "-csv"}, false, false, false},
  };
  for (const Case& c : cases) {
    ExportChoice choice = scan_export_switches(c.arguments);
    SCOPED_TRACE(c.arguments.back());
    EXPECT_EQ(choice.csv, c.csv);
    EXPECT_EQ(choice.json, c.json);
    EXPECT_EQ(choice.html, c.html);
  }
}

}  // namespace
}  // namespace codetal
