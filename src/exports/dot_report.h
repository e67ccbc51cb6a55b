// "Codetal.dot" (/dot with /assess): the estate's dependency graph for
// Graphviz, for whoever wants to draw it their own way: one node per unit
// labelled with its file and wave, one rank per wave, cycles in red.
#pragma once

#include "exports/run_model.h"
#include "report/written_file.h"

namespace codetal {

inline constexpr const char* kDotFileName = "Codetal.dot";

void write_dot(WrittenFile& file, const DependencyGraph& graph);

}  // namespace codetal
