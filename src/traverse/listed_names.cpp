#include "traverse/listed_names.h"

#include <array>

#include "platform/ascii.h"

namespace codetal {
namespace {

// Trailing blanks, tabs and the line end.
std::string_view drop_trailing_blanks(std::string_view text) {
  std::size_t end = text.find_last_not_of(" \t\n");
  return end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1);
}

std::string_view drop_leading_blanks(std::string_view text) {
  std::size_t start = text.find_first_not_of(' ');
  return start == std::string_view::npos ? std::string_view{} : text.substr(start);
}

}  // namespace

std::optional<std::string_view> listed_name(std::string_view line,
                                            std::span<const ListingKey> keys) {
  for (const ListingKey& key : keys) {
    if (!line.starts_with(key.key)) continue;
    std::string_view value = line.substr(key.key.size());
    if (key.name_after_semicolon) {
      // VB6 always writes "Name; File"; a line without the ";" still names
      // its file rather than nothing.
      std::size_t semicolon = value.find(';');
      if (semicolon != std::string_view::npos) value.remove_prefix(semicolon + 1);
      value = drop_leading_blanks(value);
    }
    return drop_trailing_blanks(value);
  }
  return std::nullopt;
}

std::string_view final_component(std::string_view name) {
  std::size_t separator = name.find_last_of("\\/");
  return separator == std::string_view::npos ? name : name.substr(separator + 1);
}

std::string_view extension_of(std::string_view name) {
  std::string_view final_part = final_component(name);
  std::size_t dot = final_part.rfind('.');
  return dot == std::string_view::npos ? std::string_view{} : final_part.substr(dot);
}

namespace {

struct KindKeys {
  std::array<ListingKey, kModuleKindCount> keys{};
  std::size_t count = 0;
};

constexpr KindKeys keys_of(ModuleKinds kinds) {
  KindKeys found;
  for (const ModuleKind& kind : kModuleKinds) {
    if (!kind.listing_key.empty() && is_counted(kind, kinds))
      found.keys[found.count++] = ListingKey{kind.listing_key, kind.name_after_semicolon};
  }
  return found;
}

constexpr KindKeys kClassicKeys = keys_of(ModuleKinds::kClassic);
constexpr KindKeys kAllKeys = keys_of(ModuleKinds::kAll);

}  // namespace

std::span<const ListingKey> project_keys(ModuleKinds kinds) {
  const KindKeys& keys = kinds == ModuleKinds::kAll ? kAllKeys : kClassicKeys;
  return std::span<const ListingKey>(keys.keys.data(), keys.count);
}

bool is_project_name(std::string_view name) {
  return equal_ignoring_case(extension_of(name), kProjectExtension);
}

bool is_group_name(std::string_view name) {
  return equal_ignoring_case(extension_of(name), kGroupExtension);
}

std::string_view folder_part(std::string_view name) {
  std::size_t separator = name.find_last_of("\\/");
  return separator == std::string_view::npos ? std::string_view{} : name.substr(0, separator + 1);
}

bool is_rooted(std::string_view name) {
  if (name.empty()) return false;
  if (name[0] == '\\' || name[0] == '/') return true;
  return name.size() >= 2 && is_ascii_letter(name[0]) && name[1] == ':';
}

void place_beside(std::string& out, std::string_view listing_file, std::string_view listed) {
  out.clear();
  if (!is_rooted(listed)) out.append(folder_part(listing_file));
  out.append(listed);
}

}  // namespace codetal
