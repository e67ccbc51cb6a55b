// Letter case for 8-bit text: only the ASCII letters change, whatever the
// locale, so every other byte of a name or a line is left alone.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace codetal {

// Text files end at this byte, as DOS left them, whatever follows it.
inline constexpr char kCtrlZ = 0x1A;

constexpr bool is_ascii_letter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

constexpr char ascii_upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}
constexpr char ascii_lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

inline void make_upper(std::string& text) {
  for (char& c : text) c = ascii_upper(c);
}
inline void make_lower(std::string& text) {
  for (char& c : text) c = ascii_lower(c);
}

constexpr bool equal_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
  }
  return true;
}

constexpr bool starts_with_ignoring_case(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && equal_ignoring_case(text.substr(0, prefix.size()), prefix);
}

// Order of names ignoring letter case; names equal but for case fall back to
// byte order so that the order is total and every report reproducible.
inline bool less_ignoring_case(std::string_view a, std::string_view b) {
  std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(ascii_lower(a[i]));
    unsigned char y = static_cast<unsigned char>(ascii_lower(b[i]));
    if (x != y) return x < y;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

}  // namespace codetal
