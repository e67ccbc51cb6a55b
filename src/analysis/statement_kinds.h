// The seventeen statement kinds, one row each: the counter the classifier
// adds to, the options key that shows the kind's list-form line, and how the
// two report forms title it. Adding a kind is one row here plus its rule in
// classify.cpp.
#pragma once

#include <cstddef>
#include <string_view>

#include "analysis/module_stats.h"

namespace codetal {

struct StatementKind {
  Counter counter;
  // The options key that shows the list-form line; empty: always shown.
  std::string_view option_key;
  // The first digits the key accepts (a value starting with another
  // character leaves the setting as it was).
  char lowest_value;
  char highest_value;
  // Whether the list-form line is shown without an options file.
  bool shown_by_default;
  // Table form: which of the two rows shows the kind (0: not shown) and its
  // column title.
  int table_row;
  std::string_view column_title;
  // List form: the line's label.
  std::string_view list_label;
  // Stable lower-case name for machine-readable outputs.
  std::string_view field_name;
};

// In counter order, from kSubs on. The Lets and Gets keys take 1 to 8, not 0
// or 1: so the options file has always read them, and files rely on it.
inline constexpr StatementKind kStatementKinds[] = {
    {kSubs, "", '0', '1', true, 1, "Subs", "Nbr. Subs", "subs"},
    {kFunctions, "", '0', '1', true, 1, "Funcs", "Nbr. Functions", "functions"},
    {kLets, "optNbrLets", '1', '8', false, 1, "Lets", "Nbr. Lets", "lets"},
    {kGets, "optNbrGets", '1', '8', false, 1, "Gets", "Nbr. Gets", "gets"},
    {kEvents, "optNbrEvents", '0', '1', false, 1, "Events", "Nbr. Events", "events"},
    {kIfs, "optNbrIfs", '0', '1', false, 1, "Ifs", "Nbr. Ifs", "ifs"},
    {kElseIfs, "optNbrElseIfs", '0', '1', false, 1, "ElseIfs", "Nbr. ElseIfs", "else_ifs"},
    {kDos, "optNbrDos", '0', '1', false, 1, "Dos", "Nbr. Dos", "dos"},
    {kWhiles, "optNbrWhiles", '0', '1', false, 2, "Whiles", "Nbr. Whiles", "whiles"},
    {kFors, "optNbrFors", '0', '1', false, 2, "Fors", "Nbr. Fors", "fors"},
    // The key's spelling is the one options files have always used.
    {kLabels, "optNbrLables", '0', '1', false, 0, "", "Nbr. Labels", "labels"},
    {kWinApi, "optNbrWinAPI", '0', '1', false, 2, "WinAPI", "Nbr. WinAPI", "win_api"},
    {kDims, "optNbrDims", '0', '1', false, 2, "Dims", "Nbr. Dims", "dims"},
    {kVars, "optNbrVars", '0', '1', false, 2, "Vars", "Nbr. Vars", "vars"},
    {kTypes, "optNbrTypes", '0', '1', false, 2, "Types", "Nbr. Types", "types"},
    {kEnums, "optNbrEnums", '0', '1', false, 2, "Enums", "Nbr. Enums", "enums"},
    {kConsts, "optNbrConsts", '0', '1', false, 2, "Consts", "Nbr. Consts", "consts"},
};

inline constexpr std::size_t kStatementKindCount = std::size(kStatementKinds);
static_assert(kStatementKindCount == kCounterCount - kSubs, "one row per statement counter");

constexpr bool kinds_in_counter_order() {
  for (std::size_t i = 0; i < kStatementKindCount; ++i) {
    if (kStatementKinds[i].counter != static_cast<Counter>(kSubs + static_cast<int>(i)))
      return false;
  }
  return true;
}
static_assert(kinds_in_counter_order(), "rows in counter order");

}  // namespace codetal
