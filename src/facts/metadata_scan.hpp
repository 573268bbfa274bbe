// Literal scans over raw page text for the metadata unit: they find where a
// tag or a pattern's fixed text can stand, sixteen bytes at a time, so that
// the costlier checks (RE2, JSON) only see the few places that matter.
#pragma once

#include <bit>
#include <cstddef>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tarvik::commerce::scan {

constexpr std::size_t npos = std::string_view::npos;

inline bool is_lower_ascii_letter(char c) { return c >= 'a' && c <= 'z'; }

// Whether the bytes at p spell the lower-case ASCII `lit` in any ASCII letter
// case (other bytes of `lit` compare exactly).
inline bool equal_ascii_ci(const char* p, std::string_view lit) {
  for (std::size_t k = 0; k < lit.size(); ++k) {
    const char c = p[k];
    if (c != lit[k] && !(is_lower_ascii_letter(lit[k]) && static_cast<char>(c | 0x20) == lit[k])) return false;
  }
  return true;
}

// The first position at or after `from` where two bytes stand `gap` apart
// such that the first is `a` (or `a` in the other ASCII letter case when
// `a` is a lower-case letter), and the second is likewise `b` or is
// `b_alt` (when `use_alt`), and `accept(position)` holds; npos if none.
template <class Accept>
std::size_t find_pair(std::string_view s, std::size_t from, char a, std::size_t gap, char b, bool use_alt, char b_alt,
                      Accept accept) {
  if (s.size() <= gap || from >= s.size() - gap) return npos;
  const std::size_t last_start = s.size() - 1 - gap;
  const char fold_a = is_lower_ascii_letter(a) ? 0x20 : 0, fold_b = is_lower_ascii_letter(b) ? 0x20 : 0;
  std::size_t p = from;
#if defined(__SSE2__)
  const __m128i want_a = _mm_set1_epi8(a), want_b = _mm_set1_epi8(b), want_alt = _mm_set1_epi8(b_alt);
  const __m128i fa = _mm_set1_epi8(fold_a), fb = _mm_set1_epi8(fold_b);
  for (; p + 16 <= last_start + 1; p += 16) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.data() + p));
    const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.data() + p + gap));
    __m128i second = _mm_cmpeq_epi8(_mm_or_si128(y, fb), want_b);
    if (use_alt) second = _mm_or_si128(second, _mm_cmpeq_epi8(y, want_alt));
    auto bits = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(x, fa), want_a), second)));
    while (bits != 0) {
      const std::size_t at = p + static_cast<std::size_t>(std::countr_zero(bits));
      if (accept(at)) return at;
      bits &= bits - 1;
    }
  }
#endif
  for (; p <= last_start; ++p) {
    const char x = s[p], y = s[p + gap];
    if (static_cast<char>(x | fold_a) == a && (static_cast<char>(y | fold_b) == b || (use_alt && y == b_alt)) &&
        accept(p))
      return p;
  }
  return npos;
}

// The first position at or after `from` where the lower-case ASCII `lit`
// stands in any ASCII letter case, or npos.
inline std::size_t find_ascii_ci(std::string_view s, std::string_view lit, std::size_t from = 0) {
  if (lit.empty()) return npos;
  return find_pair(s, from, lit.front(), lit.size() - 1, lit.back(), false, 0,
                   [&](std::size_t at) { return equal_ascii_ci(s.data() + at, lit); });
}

}  // namespace tarvik::commerce::scan
