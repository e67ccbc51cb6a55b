// The byte searches that every line goes through, sixteen bytes at a time
// where the processor has SSE2 (every x86-64 does), a byte at a time
// elsewhere and for the last bytes of a range. Nothing outside the range
// given is ever read.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace codetal {

// The carriage returns met on the way to a line feed: how many (at least
// two when there are several), and where the last one was.
struct CarriageReturns {
  std::size_t count = 0;
  std::size_t last = 0;
};

#if defined(__SSE2__)
namespace scan_detail {

inline unsigned equal_bytes(__m128i bytes, char c) {
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(c))));
}
inline __m128i load16(const char* at) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}

}  // namespace scan_detail
#endif

// The offset of the first line feed in text[at, size), or `size`; the
// carriage returns before it are added to `crs`.
inline std::size_t find_feed(const char* text, std::size_t at, std::size_t size,
                             CarriageReturns& crs) {
#if defined(__SSE2__)
  using namespace scan_detail;
  for (; at + 16 <= size; at += 16) {
    const __m128i bytes = load16(text + at);
    const unsigned feeds = equal_bytes(bytes, '\n');
    unsigned returns = equal_bytes(bytes, '\r');
    if (feeds != 0) returns &= (1U << std::countr_zero(feeds)) - 1;
    if (returns != 0) {
      crs.count += (returns & (returns - 1)) != 0 ? 2 : 1;
      crs.last = at + 31 - static_cast<std::size_t>(std::countl_zero(returns));
    }
    if (feeds != 0) return at + static_cast<std::size_t>(std::countr_zero(feeds));
  }
#endif
  for (; at < size; ++at) {
    if (text[at] == '\n') return at;
    if (text[at] == '\r') {
      ++crs.count;
      crs.last = at;
    }
  }
  return size;
}

// The offset of the first byte of text[at, size) that is neither a blank nor
// a tab, or `size`.
inline std::size_t skip_blanks_and_tabs(const char* text, std::size_t at, std::size_t size) {
#if defined(__SSE2__)
  using namespace scan_detail;
  for (; at + 16 <= size; at += 16) {
    const __m128i bytes = load16(text + at);
    const unsigned blanks = equal_bytes(bytes, ' ') | equal_bytes(bytes, '\t');
    if (blanks != 0xFFFF) return at + static_cast<std::size_t>(std::countr_zero(~blanks));
  }
#endif
  while (at < size && (text[at] == ' ' || text[at] == '\t')) ++at;
  return at;
}

// Where, among the first sixteen bytes of a line, the blanks are and the
// bytes that end word 1 (NUL, blank, "(", line feed, apostrophe) and the
// later words (those and "_"): bit i for byte i.
struct WordMasks {
  unsigned blanks = 0;
  unsigned word1_ends = 0;
  unsigned later_ends = 0;
};

// False when the line is shorter than sixteen bytes, or the processor has
// no SSE2: the caller looks byte by byte then.
inline bool first_sixteen_word_masks(const char* text, std::size_t size, WordMasks& masks) {
#if defined(__SSE2__)
  using namespace scan_detail;
  if (size < 16) return false;
  const __m128i bytes = load16(text);
  masks.blanks = equal_bytes(bytes, ' ');
  masks.word1_ends = masks.blanks | equal_bytes(bytes, '\0') | equal_bytes(bytes, '(') |
                     equal_bytes(bytes, '\n') | equal_bytes(bytes, '\'');
  masks.later_ends = masks.word1_ends | equal_bytes(bytes, '_');
  return true;
#else
  (void)text;
  (void)size;
  (void)masks;
  return false;
#endif
}

// Where, in text[at, at + 64), the bytes of words are (ASCII letters,
// digits and "_"), where its quotes are and where the bytes are that end
// what the risk rules read outside a literal (apostrophe, line feed): bit i
// for byte at + i. Past `size` there is nothing: the last bytes of a range
// of sixteen or more are read with the bytes before them and shifted out,
// and only a shorter range is copied, so no byte beyond it is read.
struct WordByteMarks {
  std::uint64_t words = 0;
  std::uint64_t quotes = 0;
  std::uint64_t ends = 0;
};

// An ASCII letter, digit or "_": a byte of a name.
constexpr bool is_word_byte_of_name(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

#if defined(__SSE2__)
namespace scan_detail {

// Fewer than sixteen bytes, in a zeroed block of sixteen.
inline __m128i load_short(const char* text, std::size_t count) {
  alignas(16) char copy[16] = {};
  if (count >= 8) {
    std::uint64_t low = 0, high = 0;
    __builtin_memcpy(&low, text, 8);
    __builtin_memcpy(&high, text + count - 8, 8);
    __builtin_memcpy(copy + count - 8, &high, 8);
    __builtin_memcpy(copy, &low, 8);
  } else {
    for (std::size_t i = 0; i < count; ++i) copy[i] = text[i];
  }
  return load16(copy);
}

inline void mark_sixteen(__m128i bytes, unsigned shift_out, std::size_t bit, WordByteMarks& marks) {
  // x - c < n, unsigned, as a signed compare of x - c + 128 with n - 128.
  const __m128i letter = _mm_cmplt_epi8(
      _mm_add_epi8(_mm_or_si128(bytes, _mm_set1_epi8(0x20)), _mm_set1_epi8(0x80 - 'a')),
      _mm_set1_epi8(-128 + 26));
  const __m128i digit =
      _mm_cmplt_epi8(_mm_add_epi8(bytes, _mm_set1_epi8(0x80 - '0')), _mm_set1_epi8(-128 + 10));
  const unsigned words = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(letter, digit))) |
                         equal_bytes(bytes, '_');
  marks.words |= std::uint64_t{words >> shift_out} << bit;
  marks.quotes |= std::uint64_t{equal_bytes(bytes, '"') >> shift_out} << bit;
  marks.ends |= std::uint64_t{(equal_bytes(bytes, '\'') | equal_bytes(bytes, '\n')) >> shift_out}
                << bit;
}

}  // namespace scan_detail
#endif

inline WordByteMarks mark_word_bytes(const char* text, std::size_t at, std::size_t size) {
  WordByteMarks marks;
  const std::size_t end = size - at < 64 ? size : at + 64;
#if defined(__SSE2__)
  using namespace scan_detail;
  std::size_t next = at;
  for (; next + 16 <= end; next += 16) mark_sixteen(load16(text + next), 0, next - at, marks);
  if (next == end) return marks;
  if (size >= 16) {
    const unsigned before = static_cast<unsigned>(next + 16 - end);
    mark_sixteen(load16(text + end - 16), before, next - at, marks);
  } else {
    mark_sixteen(load_short(text + next, end - next), 0, next - at, marks);
  }
#else
  for (std::size_t i = at; i < end; ++i) {
    const char c = text[i];
    const std::uint64_t bit = std::uint64_t{1} << (i - at);
    marks.words |= is_word_byte_of_name(c) ? bit : 0;
    marks.quotes |= c == '"' ? bit : 0;
    marks.ends |= c == '\'' || c == '\n' ? bit : 0;
  }
#endif
  return marks;
}

}  // namespace codetal
