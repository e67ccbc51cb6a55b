// A "NotePad.exe" planted in the analysed folder never runs, whatever PATH
// says about the current folder; the real one found in an absolute folder
// of PATH is started instead.
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "harness.h"
#include "reliability_texts.h"

namespace codetal::test {
namespace {

// A viewer script that writes its own path and argument to `marker`. The
// marker appears whole or not at all: written under another name, then
// renamed, since the test reads it as soon as it exists.
std::string viewer_script(const std::string& marker) {
  return "#!/bin/sh\necho \"$0 $1\" > '" + marker + ".part' && mv '" + marker + ".part' '" +
         marker + "'\n";
}

void make_executable(const std::string& path) {
  ASSERT_EQ(::chmod(path.c_str(), 0755), 0);
}

// The viewer is started without a wait: give it time to leave its mark.
bool appears(const TempFolder& folder, const std::string& name) {
  for (int i = 0; i < 500 && !folder.exists(name); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  return folder.exists(name);
}

TEST(PlantedViewer, NeverStartedThroughDotEmptyOrRelativePathEntries) {
  if (windows_build()) GTEST_SKIP() << "POSIX PATH entries";
  for (const char* relative : {".", "", "sub", "./"}) {
    SCOPED_TRACE(std::string("relative entry '") + relative + "'");
    TempFolder viewers;  // outside the analysed folder, so its marks change nothing there
    viewers.write("NotePad.exe", viewer_script(viewers / "started"));
    make_executable(viewers / "NotePad.exe");

    TempFolder folder;
    add_quiet_options(folder);
    folder.write("m.bas", "Sub Main()\r\nEnd Sub\r\n");
    for (const char* planted : {"NotePad.exe", "sub/NotePad.exe"}) {
      folder.write(planted, viewer_script(viewers / "planted"));
      make_executable(folder / planted);
    }
    RunOptions options;
    // The relative entry comes first, where a plain PATH search would look.
    options.path_env = std::string(relative) + ":" + viewers.path() + ":/usr/bin:/bin";
    RunResult result = run_codetal(folder, {"m.bas"}, options);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, banner(folder.path()) + processing("m.bas") + kCompletion);

    ASSERT_TRUE(appears(viewers, "started"));
    EXPECT_EQ(viewers.read("started"), viewers / "NotePad.exe" + " Codetal.log\n");
    EXPECT_FALSE(viewers.exists("planted"));
    EXPECT_TRUE(only_report_changed(result));
  }
}

}  // namespace
}  // namespace codetal::test
