// The counting core: the lines of one module, read from an already opened
// input, counted into one ModuleResult value. No console, no files, no run: the
// module cycle opens the file and reports, tests and fuzz targets call it on
// bytes.
#pragma once

#include <optional>
#include <string_view>

#include "analysis/line_reader.h"
#include "analysis/module_result.h"
#include "platform/platform.h"

namespace codetal {

struct CountRules {
  // Designer lines count as code; else they are skipped.
  bool count_designer_lines = false;
  DesignerStarts designer_starts = {};
  // The result carries a digest of the module's bytes (for an estate's
  // copies).
  bool digest_content = false;
  // The result carries the module's facts for an assessment (/assess).
  bool assess = false;
};

// Empty when the module holds no character (nothing is counted then).
// `reader` is reused from module to module for its buffer.
std::optional<ModuleResult> count_module(LineReader& reader, InputFile& file, CountRules rules);

// The same on bytes in memory; a text without any character counts nothing.
ModuleResult count_module_text(std::string_view bytes, CountRules rules);

}  // namespace codetal
