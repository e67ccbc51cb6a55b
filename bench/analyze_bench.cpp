// Speed of analyze_module over a generated module held in memory, in bytes
// of module text per second.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "analysis/analyze.h"
#include "traverse/module_cycle.h"

namespace codetal {
namespace {

// Serves one module from memory in reads as large as asked for.
class MemoryInput : public InputFile {
 public:
  explicit MemoryInput(std::string_view bytes) : bytes_(bytes) {}
  long read(char* buffer, std::size_t size) override {
    std::size_t n = std::min(size, bytes_.size());
    std::memcpy(buffer, bytes_.data(), n);
    bytes_.remove_prefix(n);
    return static_cast<long>(n);
  }

 private:
  std::string_view bytes_;
};

// Only the module read matters here; the console is dropped.
class MemoryPlatform : public Platform {
 public:
  explicit MemoryPlatform(std::string_view module) : module_(module) {}
  void write_stdout(std::string_view) override {}
  void write_stderr(std::string_view) override {}
  bool stdout_is_char_device() override { return true; }
  bool stdout_is_terminal() override { return false; }
  void wait_for_key() override {}
  void clear_screen() override {}
  std::unique_ptr<InputFile> open_input(std::string_view) override {
    return std::make_unique<MemoryInput>(module_);
  }
  std::unique_ptr<OutputFile> create_output(std::string_view) override { return nullptr; }
  std::vector<std::string> list_matches(std::string_view) override { return {}; }
  std::string current_directory() override { return {}; }
  LocalTime local_time() override { return {}; }
  bool start_program(std::string_view, std::string_view) override { return false; }

 private:
  std::string_view module_;
};

// A form of `procedures` procedures in the usual VB6 mix: a designer header,
// declarations, comments, blank lines, branches and loops, CR LF line ends.
std::string generate_module(int procedures) {
  std::string text =
      "VERSION 5.00\r\n"
      "Begin VB.Form Form1 \r\n"
      "   Caption         =   \"Form1\"\r\n"
      "   Begin VB.CommandButton cmdOk \r\n"
      "      Caption         =   \"OK\"\r\n"
      "   End\r\n"
      "End\r\n"
      "Attribute VB_Name = \"Form1\"\r\n"
      "Attribute VB_Exposed = False\r\n"
      "Option Explicit\r\n"
      "Private Declare Function GetTickCount Lib \"kernel32\" () As Long\r\n"
      "Private Const MAX_ITEMS As Long = 100\r\n"
      "Private mCount As Long\r\n";
  for (int i = 0; i < procedures; ++i) {
    std::string n = std::to_string(i);
    text += "\r\n' Handles item " + n + " of the list.\r\n";
    text += "Private Function Item" + n + "(ByVal index As Long) As Long\r\n";
    text += "    Dim total As Long, i As Long\r\n";
    text += "    For i = 1 To index\r\n";
    text += "        If i Mod 2 = 0 Then\r\n";
    text += "            total = total + i ' even\r\n";
    text += "        ElseIf i Mod 3 = 0 Then\r\n";
    text += "            total = total - 1\r\n";
    text += "        End If\r\n";
    text += "    Next i\r\n";
    text += "    Do While total > MAX_ITEMS\r\n";
    text += "        total = total \\ 2\r\n";
    text += "    Loop\r\n";
    text += "    Item" + n + " = total\r\n";
    text += "End Function\r\n";
  }
  return text;
}

void BM_AnalyzeModule(benchmark::State& state) {
  const std::string module = generate_module(static_cast<int>(state.range(0)));
  MemoryPlatform platform(module);
  RunState run(platform);
  for (auto _ : state) {
    if (analyze_module(run, "Form1.frm") != 0) state.SkipWithError("the module was not analysed");
    benchmark::DoNotOptimize(run.module_stats);
    run.reader.close_module();
    reset_module_state(run);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(module.size()));
}
BENCHMARK(BM_AnalyzeModule)->Arg(100)->Arg(20000);

}  // namespace
}  // namespace codetal

BENCHMARK_MAIN();
