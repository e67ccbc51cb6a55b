#include "analysis/content_hash.h"

#define XXH_INLINE_ALL
#include <xxhash.h>

namespace codetal {

struct ContentHasher::State {
  XXH3_state_t xxh;
};

ContentHasher::ContentHasher() : state_(std::make_unique<State>()) {
  reset();
}

ContentHasher::~ContentHasher() = default;

void ContentHasher::reset() {
  XXH3_128bits_reset(&state_->xxh);
}

void ContentHasher::add(const char* bytes, std::size_t count) {
  XXH3_128bits_update(&state_->xxh, bytes, count);
}

ContentDigest ContentHasher::digest() const {
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
