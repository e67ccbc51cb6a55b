#include "analysis/content_hash.h"

#include <array>
#include <bit>

#define XXH_INLINE_ALL
#include <xxhash.h>

namespace codetal {

// Each line is hashed on its own (64 bits of XXH3, fast on short input), and
// the module's digest is the 128-bit XXH3 of its lines' hashes in order,
// taken a block at a time: far cheaper than streaming the lines themselves a
// few dozen bytes at a time.
struct ContentHasher::State {
  XXH3_state_t xxh;
  std::array<std::uint64_t, 512> hashes;
  std::size_t count = 0;

  void hash_block() {
    // Little-endian, so that every build digests the same bytes.
    if constexpr (std::endian::native == std::endian::big) {
      for (std::size_t i = 0; i < count; ++i) {
        std::uint64_t swapped = 0;
        for (int byte = 0; byte < 8; ++byte)
          swapped = swapped << 8 | (hashes[i] >> (8 * byte) & 0xFF);
        hashes[i] = swapped;
      }
    }
    XXH3_128bits_update(&xxh, hashes.data(), count * sizeof(std::uint64_t));
    count = 0;
  }
};

ContentHasher::ContentHasher() : state_(std::make_unique<State>()) {
  reset();
}

ContentHasher::~ContentHasher() = default;

void ContentHasher::reset() {
  XXH3_128bits_reset(&state_->xxh);
  state_->count = 0;
}

void ContentHasher::add_line(const char* bytes, std::size_t count) {
  State& s = *state_;
  s.hashes[s.count++] = XXH3_64bits(bytes, count);
  if (s.count == s.hashes.size()) s.hash_block();
}

ContentDigest ContentHasher::digest() {
  state_->hash_block();
  XXH128_hash_t hash = XXH3_128bits_digest(&state_->xxh);
  return ContentDigest{hash.high64, hash.low64};
}

std::string content_hex(const ContentDigest& digest) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex(32, '0');
  for (int i = 0; i < 16; ++i) {
    hex[static_cast<std::size_t>(15 - i)] = kDigits[(digest.high >> (4 * i)) & 0xF];
    hex[static_cast<std::size_t>(31 - i)] = kDigits[(digest.low >> (4 * i)) & 0xF];
  }
  return hex;
}

}  // namespace codetal
