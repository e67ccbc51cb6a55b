// The program's entry: one straight run from the command line to the exit
// status.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "traverse/traversal.h"

namespace codetal {

inline constexpr const char* kVersionText = "1.1a";
inline constexpr const char* kReleaseDateText = "14 March, 2000";

// Exit statuses: 0 all analysed, 1 usage shown, 2 something failed.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitUsage = 1;
inline constexpr int kExitFailure = 2;

// `arguments` excludes the program's own name.
int run_codetal(Platform& platform, const std::vector<std::string>& arguments);

// Decides the kind of an input name that is already in lower case.
InputKind choose_input_kind(std::string_view lower_name, ModuleKinds kinds);

}  // namespace codetal
