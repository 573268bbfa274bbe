// UTF-8 validation and repair, Unicode whitespace and ICU case mapping: the text layer of every stage.
#include "tarvik/util/text.hpp"

#include <unicode/casemap.h>
#include <unicode/normalizer2.h>
#include <unicode/unistr.h>
#include <unicode/bytestream.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace tarvik::text {
namespace {

// Length of the valid prefix of a sequence starting at s[i] (0 when s[i] is not
// a valid lead byte), and the full expected length in *need.
std::size_t valid_prefix(std::string_view s, std::size_t i, std::size_t* need) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  unsigned char lo = 0x80, hi = 0xBF;
  std::size_t n;
  if (b0 < 0x80) { *need = 1; return 1; }
  if (b0 >= 0xC2 && b0 <= 0xDF) n = 2;
  else if (b0 >= 0xE0 && b0 <= 0xEF) {
    n = 3;
    if (b0 == 0xE0) lo = 0xA0;
    if (b0 == 0xED) hi = 0x9F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    n = 4;
    if (b0 == 0xF0) lo = 0x90;
    if (b0 == 0xF4) hi = 0x8F;
  } else {
    *need = 1;
    return 0;
  }
  *need = n;
  std::size_t k = 1;
  for (; k < n && i + k < s.size(); ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if (k == 1 ? (b < lo || b > hi) : (b < 0x80 || b > 0xBF)) break;
  }
  return k;
}

}  // namespace

// Index of the first byte at or after i that is not ASCII (s.size() if none),
// testing eight bytes at a time: pages are mostly ASCII.
static std::size_t skip_ascii(std::string_view s, std::size_t i) {
  constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
  while (i + 8 <= s.size()) {
    std::uint64_t w;
    std::memcpy(&w, s.data() + i, sizeof w);
    if (w & kHigh) break;
    i += 8;
  }
  while (i < s.size() && static_cast<unsigned char>(s[i]) < 0x80) ++i;
  return i;
}

bool is_valid_utf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    i = skip_ascii(s, i);
    if (i >= s.size()) break;
    std::size_t need;
    const std::size_t k = valid_prefix(s, i, &need);
    if (k != need) return false;
    i += k;
  }
  return true;
}

std::string repair_utf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    // Copy ASCII runs quickly.
    const std::size_t j = skip_ascii(s, i);
    out.append(s.data() + i, j - i);
    i = j;
    if (i >= s.size()) break;
    std::size_t need;
    const std::size_t k = valid_prefix(s, i, &need);
    if (k == need) {
      out.append(s.data() + i, k);
      i += k;
    } else {
      out.append("\xEF\xBF\xBD");
      i += k == 0 ? 1 : k;
    }
  }
  return out;
}

char32_t next_code_point(std::string_view s, std::size_t& i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) { ++i; return b0; }
  std::size_t need;
  const std::size_t k = valid_prefix(s, i, &need);
  if (k != need) {
    i += k == 0 ? 1 : k;
    return 0xFFFD;
  }
  char32_t cp = need == 2 ? (b0 & 0x1F) : need == 3 ? (b0 & 0x0F) : (b0 & 0x07);
  for (std::size_t t = 1; t < need; ++t) cp = (cp << 6) | (static_cast<unsigned char>(s[i + t]) & 0x3F);
  i += need;
  return cp;
}

void append_utf8(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

bool is_space(char32_t c) {
  if (c < 0x80) return (c >= 0x09 && c <= 0x0D) || (c >= 0x1C && c <= 0x20);
  return c == 0x85 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 ||
         c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

std::size_t space_at(std::string_view s, std::size_t i) {
  const auto b = static_cast<unsigned char>(s[i]);
  if (b < 0x80) return is_space(b) ? 1 : 0;
  if (b != 0xC2 && b != 0xE1 && b != 0xE2 && b != 0xE3) return 0;
  std::size_t j = i;
  const char32_t cp = next_code_point(s, j);
  return is_space(cp) ? j - i : 0;
}

std::string_view trim_left(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const std::size_t n = space_at(s, i);
    if (n == 0) break;
    i += n;
  }
  return s.substr(i);
}

std::string_view trim(std::string_view s) {
  s = trim_left(s);
  // Walk forward remembering the end of the last non-space character.
  std::size_t i = 0, end = 0;
  while (i < s.size()) {
    const std::size_t n = space_at(s, i);
    if (n) {
      i += n;
    } else {
      next_code_point(s, i);
      end = i;
    }
  }
  return s.substr(0, end);
}

std::vector<std::string_view> split_ws(std::string_view s) {
  std::vector<std::string_view> out;
  std::size_t i = 0, start = std::string_view::npos;
  while (i < s.size()) {
    const std::size_t n = space_at(s, i);
    if (n) {
      if (start != std::string_view::npos) out.push_back(s.substr(start, i - start));
      start = std::string_view::npos;
      i += n;
    } else {
      if (start == std::string_view::npos) start = i;
      next_code_point(s, i);
    }
  }
  if (start != std::string_view::npos) out.push_back(s.substr(start));
  return out;
}

std::string collapse_ws(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (auto piece : split_ws(s)) {
    if (!out.empty()) out.push_back(' ');
    out.append(piece);
  }
  return out;
}

bool is_blank(std::string_view s) { return trim_left(s).empty(); }

bool is_ascii(std::string_view s) {
  for (unsigned char c : s)
    if (c >= 0x80) return false;
  return true;
}

namespace {
template <class Fn>
std::string icu_case(std::string_view s, Fn fn) {
  UErrorCode err = U_ZERO_ERROR;
  std::string out;
  out.resize(s.size() + s.size() / 2 + 16);
  int32_t n = fn(s, out.data(), static_cast<int32_t>(out.size()), err);
  if (err == U_BUFFER_OVERFLOW_ERROR) {
    err = U_ZERO_ERROR;
    out.resize(static_cast<std::size_t>(n));
    n = fn(s, out.data(), static_cast<int32_t>(out.size()), err);
  }
  if (U_FAILURE(err)) throw std::runtime_error("case mapping failed");
  out.resize(static_cast<std::size_t>(n));
  return out;
}
}  // namespace

std::string to_lower(std::string_view s) {
  if (is_ascii(s)) {
    std::string out(s);
    for (char& c : out)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return out;
  }
  const std::string valid = repair_utf8(s);
  return icu_case(valid, [](std::string_view in, char* dst, int32_t cap, UErrorCode& err) {
    return icu::CaseMap::utf8ToLower("", 0, in.data(), static_cast<int32_t>(in.size()), dst, cap,
                                     nullptr, err);
  });
}

std::string to_upper(std::string_view s) {
  if (is_ascii(s)) {
    std::string out(s);
    for (char& c : out)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return out;
  }
  const std::string valid = repair_utf8(s);
  return icu_case(valid, [](std::string_view in, char* dst, int32_t cap, UErrorCode& err) {
    return icu::CaseMap::utf8ToUpper("", 0, in.data(), static_cast<int32_t>(in.size()), dst, cap,
                                     nullptr, err);
  });
}

std::string nfkc(std::string_view s) {
  if (is_ascii(s)) return std::string(s);
  UErrorCode err = U_ZERO_ERROR;
  const icu::Normalizer2* norm = icu::Normalizer2::getNFKCInstance(err);
  if (U_FAILURE(err)) throw std::runtime_error("NFKC normaliser unavailable");
  const std::string valid = repair_utf8(s);
  icu::UnicodeString in = icu::UnicodeString::fromUTF8(icu::StringPiece(valid.data(), static_cast<int32_t>(valid.size())));
  icu::UnicodeString out = norm->normalize(in, err);
  if (U_FAILURE(err)) throw std::runtime_error("NFKC normalisation failed");
  std::string result;
  out.toUTF8String(result);
  return result;
}

std::size_t length(std::string_view s) {
  std::size_t i = 0, n = 0;
  while (i < s.size()) {
    next_code_point(s, i);
    ++n;
  }
  return n;
}

std::string_view prefix(std::string_view s, std::size_t code_points) {
  std::size_t i = 0;
  while (i < s.size() && code_points > 0) {
    next_code_point(s, i);
    --code_points;
  }
  return s.substr(0, i);
}

void replace_all(std::string& s, std::string_view from, std::string_view to) {
  if (from.empty()) return;
  std::size_t pos = 0;
  while ((pos = s.find(from, pos)) != std::string::npos) {
    s.replace(pos, from.size(), to);
    pos += to.size();
  }
}

std::string format_double(double v) {
  if (std::isnan(v)) return "nan";
  if (std::isinf(v)) return v > 0 ? "inf" : "-inf";
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
  std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
  std::string out;
  if (sci.front() == '-') {
    out.push_back('-');
    sci.remove_prefix(1);
  }
  const std::size_t epos = sci.find('e');
  std::string digits;
  for (char c : sci.substr(0, epos))
    if (c != '.') digits.push_back(c);
  int exp = 0;
  std::from_chars(sci.data() + epos + 1 + (sci[epos + 1] == '+' ? 1 : 0), sci.data() + sci.size(), exp);
  if (v == 0) exp = 0;
  if (exp < -4 || exp >= 16) {
    out.push_back(digits[0]);
    if (digits.size() > 1) {
      out.push_back('.');
      out.append(digits, 1);
    }
    out.push_back('e');
    out.push_back(exp < 0 ? '-' : '+');
    const int a = exp < 0 ? -exp : exp;
    if (a < 10) out.push_back('0');
    out.append(std::to_string(a));
    return out;
  }
  if (exp < 0) {
    out.append("0.");
    out.append(static_cast<std::size_t>(-exp - 1), '0');
    out.append(digits);
    return out;
  }
  const auto intlen = static_cast<std::size_t>(exp) + 1;
  if (digits.size() <= intlen) {
    out.append(digits);
    out.append(intlen - digits.size(), '0');
    out.append(".0");
  } else {
    out.append(digits, 0, intlen);
    out.push_back('.');
    out.append(digits, intlen);
  }
  return out;
}

}  // namespace tarvik::text
