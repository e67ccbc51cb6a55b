// How the exports write a name (tests/data/unit/export_text.txt): texts that
// must survive any name. The files themselves are checked byte for byte by
// the data cases exports-*.
#include <gtest/gtest.h>

#include "report/export_text.h"
#include "test_data.h"

namespace codetal {
namespace {

TEST(ExportText, FieldsAndStringsSurviveAnyName) {
  for (const auto& row : test::read_table("unit/export_text.txt")) {
    std::string csv, json, html;
    append_csv_field(csv, row.at(0));
    append_json_string(json, row[0]);
    append_html_text(html, row[0]);
    EXPECT_EQ(csv, row.at(1)) << row[0];
    EXPECT_EQ(json, row.at(2)) << row[0];
    EXPECT_EQ(html, row.at(3)) << row[0];
  }
}

}  // namespace
}  // namespace codetal
