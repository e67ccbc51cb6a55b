#include "analysis/module_kinds.h"

#include "platform/ascii.h"

namespace codetal {

const ModuleKind* module_kind_of(std::string_view name, ModuleKinds kinds) {
  const std::size_t separator = name.find_last_of("\\/");
  const std::string_view final_part =
      separator == std::string_view::npos ? name : name.substr(separator + 1);
  const std::size_t dot = final_part.rfind('.');
  if (dot == std::string_view::npos) return nullptr;
  const std::string_view extension = final_part.substr(dot);
  for (const ModuleKind& kind : kModuleKinds) {
    if (!kind.extension.empty() && is_counted(kind, kinds) &&
        equal_ignoring_case(extension, kind.extension))
      return &kind;
  }
  return nullptr;
}

}  // namespace codetal
