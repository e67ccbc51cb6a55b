// Speed of the counting core over a generated module held in memory, in
// bytes of module text per second.
#include <benchmark/benchmark.h>

#include <string>

#include "analysis/count_module.h"
#include "platform/memory_input.h"

namespace codetal {
namespace {

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
  LineReader reader;  // reused, as the module cycle does
  for (auto _ : state) {
    MemoryInput input(module);
    std::optional<ModuleResult> stats = count_module(reader, input, CountRules{false});
    if (!stats) state.SkipWithError("the module was not counted");
    benchmark::DoNotOptimize(stats);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(module.size()));
}
BENCHMARK(BM_AnalyzeModule)->Arg(100)->Arg(20000);

}  // namespace
}  // namespace codetal

BENCHMARK_MAIN();
