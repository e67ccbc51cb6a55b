// The example's page as a browser shows it: loaded without an error, the
// sorting script run to its end, the charts drawn. (The bytes of every
// export are checked by the data cases exports-*.) The screenshot is kept in
// the build folder for people to look at.
#include <unistd.h>

#include <cstdlib>
#include <sstream>

#include <gtest/gtest.h>

#include "cases.h"

namespace codetal::test {
namespace {

std::string find_chromium() {
  std::istringstream folders(std::getenv("PATH") != nullptr ? std::getenv("PATH") : "");
  for (std::string folder; std::getline(folders, folder, ':');)
    if (!folder.empty() && ::access((folder + "/chromium").c_str(), X_OK) == 0)
      return folder + "/chromium";
  return "";
}

TEST(Exports, ExamplePageRendersInHeadlessChromium) {
  if (windows_build()) GTEST_SKIP() << "the Windows build writes the same page";
  std::string chromium = find_chromium();
  if (chromium.empty()) GTEST_SKIP() << "chromium is not installed (tools/install-deps adds it)";
  TempFolder folder;
  Case c = prepare_case("e2e/exports-example-group", folder);
  ASSERT_EQ(run_codetal(folder, c.args).status, 0);
  const std::string artifacts = CODETAL_ARTIFACT_DIR, page = folder / "Codetal.html";
  const std::string browser = "cd '" + folder.path() + "' && timeout 120 setsid '" + chromium +
                              "' --headless --no-sandbox --disable-gpu --disable-quic"
                              " --no-first-run --disable-background-networking"
                              " --disable-component-update --disable-sync"
                              " --enable-logging=stderr --hide-scrollbars --user-data-dir='" +
                              folder.path() + "/profile' ";
  ASSERT_EQ(
      std::system(
          (browser + "--dump-dom 'file://" + page + "' >dom.html 2>dom.err </dev/null").c_str()),
      0);
  ASSERT_EQ(std::system(("mkdir -p '" + artifacts + "' && " + browser +
                         "--window-size=1280,2200 --screenshot='" + artifacts +
                         "/example-page.png' 'file://" + page + "' >/dev/null 2>&1 </dev/null")
                            .c_str()),
            0);
  std::string dom = read_file(folder / "dom.html"), errors = read_file(folder / "dom.err");
  EXPECT_EQ(errors.find("CONSOLE"), std::string::npos) << errors;
  EXPECT_EQ(errors.find("Uncaught"), std::string::npos) << errors;
  EXPECT_NE(dom.find("data-sortable=\"yes\""), std::string::npos) << "the script did not finish";
  for (const char* chart : {"share-chart", "project-chart", "module-chart", "statement-chart"})
    EXPECT_NE(dom.find(std::string("<svg id=\"") + chart + "\""), std::string::npos) << chart;
  EXPECT_EQ(read_file(artifacts + "/example-page.png").substr(1, 3), "PNG");
}

}  // namespace
}  // namespace codetal::test
