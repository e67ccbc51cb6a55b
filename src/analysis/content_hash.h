// A digest of a module's lines, taken as they are read, so that an estate
// can tell files with the same content apart from others without a second
// read. 128 bits of XXH3: two different contents share one by chance only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace codetal {

struct ContentDigest {
  std::uint64_t high = 0;
  std::uint64_t low = 0;
  bool operator==(const ContentDigest&) const = default;
};

struct ContentDigestHash {
  std::size_t operator()(const ContentDigest& d) const {
    return static_cast<std::size_t>(d.low ^ (d.high * 0x9e3779b97f4a7c15ULL));
  }
};

// 32 hexadecimal digits, the high half first: how the JSON gives it.
std::string content_hex(const ContentDigest& digest);

class ContentHasher {
 public:
  ContentHasher();
  ~ContentHasher();
  ContentHasher(const ContentHasher&) = delete;
  ContentHasher& operator=(const ContentHasher&) = delete;

  void reset();
  // One line of the module, without its line end.
  void add_line(const char* bytes, std::size_t count);
  // Of the lines added since the reset; more may follow.
  ContentDigest digest();

 private:
  struct State;
  std::unique_ptr<State> state_;  // allocated once, reused module by module
};

}  // namespace codetal
