// HTML5 character-reference decoding for text.
//
// A reference is "&" followed by one of
//   "#" and ASCII decimal digits, ";" optional;
//   "#x" or "#X" and ASCII hex digits, ";" optional;
//   a name of 1 to 32 code points other than tab, LF, FF, space, "<", "&", "#" and ";",
//   ";" optional.
// Anything else after "&" is not a reference and stays as written. The decoder is a
// single left-to-right pass: runs without "&" are copied in bulk, and each reference
// costs at most a few table look-ups, so the whole call is linear in the input.
#include "tarvik/util/html.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "tarvik/util/text.hpp"

namespace tarvik::html {
namespace {

struct EntityRow {
  std::uint16_t name;       // offset in kEntityNames
  std::uint16_t value;      // offset in kEntityValues
  std::uint8_t name_len;    // without the ";"
  std::uint8_t value_len;   // UTF-8 bytes
  bool legacy;              // also recognised without ";"
};

#include "html_entities_table.inc"

static_assert(kEntityCount + kLegacyCount == 2231);

// Longest name run a reference may have, in code points.
constexpr std::size_t kMaxNameCodePoints = 32;
// Largest code point; numeric values above it are clamped to kTooLarge while the
// digits are read, so arbitrarily long digit runs cannot overflow.
constexpr std::uint32_t kMaxCodePoint = 0x10FFFF;
constexpr std::uint32_t kTooLarge = kMaxCodePoint + 1;
constexpr char32_t kReplacement = 0xFFFD;

// Numeric references to 0x80-0x9F are read as windows-1252, as browsers do; the five
// positions windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) keep their
// own C1 code point.
constexpr char16_t kWindows1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

// A power of two with free slots left, so every probe sequence ends.
static_assert((kEntitySlotCount & (kEntitySlotCount - 1)) == 0 && kEntitySlotCount > kEntityCount);

// 32-bit FNV-1a, the hash the table's index was built with.
inline std::uint32_t entity_hash(std::string_view name) {
  std::uint32_t h = 0x811C9DC5u;
  for (const char c : name) h = (h ^ static_cast<unsigned char>(c)) * 0x01000193u;
  return h;
}

// The row of a name (without ";"), or nullptr.
const EntityRow* find_entity(std::string_view name) {
  if (name.empty() || name.size() > kEntityMaxLength) return nullptr;
  for (std::size_t slot = entity_hash(name) & (kEntitySlotCount - 1);;
       slot = (slot + 1) & (kEntitySlotCount - 1)) {
    const std::uint16_t index = kEntitySlots[slot];
    if (index == 0) return nullptr;
    const EntityRow& row = kEntities[index - 1];
    if (row.name_len == name.size() &&
        std::memcmp(kEntityNames + row.name, name.data(), name.size()) == 0) {
      return &row;
    }
  }
}

void append_value(std::string& out, const EntityRow& row) {
  out.append(kEntityValues + row.value, row.value_len);
}

// The text a numeric reference to `value` stands for (possibly nothing).
void append_numeric(std::string& out, std::uint32_t value) {
  if (value == 0) {
    text::append_utf8(out, kReplacement);
    return;
  }
  if (value >= 0x80 && value <= 0x9F) {
    text::append_utf8(out, kWindows1252[value - 0x80]);
    return;
  }
  if ((value >= 0xD800 && value <= 0xDFFF) || value > kMaxCodePoint) {
    text::append_utf8(out, kReplacement);
    return;
  }
  // Control characters other than tab, LF, FF and CR, and the noncharacters, are dropped.
  const bool control = (value >= 0x01 && value <= 0x08) || value == 0x0B ||
                       (value >= 0x0E && value <= 0x1F) || value == 0x7F;
  const bool noncharacter = (value >= 0xFDD0 && value <= 0xFDEF) || (value & 0xFFFE) == 0xFFFE;
  if (control || noncharacter) return;
  text::append_utf8(out, static_cast<char32_t>(value));
}

inline bool is_digit(unsigned char c) { return c >= '0' && c <= '9'; }

inline int hex_value(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

inline bool ends_name(unsigned char c) {
  return c == '\t' || c == '\n' || c == '\f' || c == ' ' || c == '<' || c == '&' || c == '#' ||
         c == ';';
}

// Decodes the numeric reference whose "#" is at s[i]. Returns the index just past it,
// or 0 when s[i..] is not a numeric reference.
std::size_t decode_numeric(std::string_view s, std::size_t i, std::string& out) {
  const std::size_t n = s.size();
  std::size_t j = i + 1;
  std::uint32_t value = 0;
  if (j < n && is_digit(static_cast<unsigned char>(s[j]))) {
    for (; j < n && is_digit(static_cast<unsigned char>(s[j])); ++j) {
      value = std::min<std::uint32_t>(value * 10 + static_cast<std::uint32_t>(s[j] - '0'), kTooLarge);
    }
  } else if (j + 1 < n && (s[j] == 'x' || s[j] == 'X') &&
             hex_value(static_cast<unsigned char>(s[j + 1])) >= 0) {
    ++j;
    for (int d; j < n && (d = hex_value(static_cast<unsigned char>(s[j]))) >= 0; ++j) {
      value = std::min<std::uint32_t>(value * 16 + static_cast<std::uint32_t>(d), kTooLarge);
    }
  } else {
    return 0;
  }
  if (j < n && s[j] == ';') ++j;
  append_numeric(out, value);
  return j;
}

// Decodes the named reference whose name starts at s[i] (just after "&"). Returns the
// index just past what it consumed, or 0 when no name starts there.
std::size_t decode_named(std::string_view s, std::size_t i, std::string& out) {
  const std::size_t n = s.size();
  std::size_t j = i;
  std::size_t code_points = 0;
  std::size_t ascii_prefix = 0;  // leading bytes of the name that are ASCII
  bool ascii = true;
  while (j < n) {
    const auto c = static_cast<unsigned char>(s[j]);
    if ((c & 0xC0) != 0x80) {  // starts a code point
      if (ends_name(c) || code_points == kMaxNameCodePoints) break;
      ++code_points;
    }
    if (c >= 0x80) ascii = false;
    if (ascii) ++ascii_prefix;
    ++j;
  }
  if (j == i) return 0;
  const std::string_view name = s.substr(i, j - i);
  const bool semicolon = j < n && s[j] == ';';
  const std::size_t end = j + (semicolon ? 1 : 0);

  if (const EntityRow* row = find_entity(name); row && (semicolon || row->legacy)) {
    append_value(out, *row);
    return end;
  }
  // Otherwise the longest proper prefix (of at least two characters) of the reference
  // that is a legacy name is decoded and the rest is kept as written: "&notit;" is "¬it;".
  // Legacy names are ASCII, so only the ASCII head of the name can hold one.
  const std::size_t whole = code_points + (semicolon ? 1 : 0);
  std::size_t len = std::min({ascii_prefix, whole > 0 ? whole - 1 : 0, kLegacyMaxLength});
  for (; len >= 2; --len) {
    if (const EntityRow* row = find_entity(name.substr(0, len)); row && row->legacy) {
      append_value(out, *row);
      out.append(s.substr(i + len, end - (i + len)));
      return end;
    }
  }
  out.push_back('&');
  out.append(s.substr(i, end - i));
  return end;
}

}  // namespace

std::string unescape(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  const std::size_t n = s.size();
  std::size_t i = 0;
  while (i < n) {
    const void* amp = std::memchr(s.data() + i, '&', n - i);
    if (amp == nullptr) {
      out.append(s.substr(i));
      break;
    }
    const auto at = static_cast<std::size_t>(static_cast<const char*>(amp) - s.data());
    out.append(s.substr(i, at - i));
    std::size_t next = 0;
    if (at + 1 < n) {
      next = s[at + 1] == '#' ? decode_numeric(s, at + 1, out) : decode_named(s, at + 1, out);
    }
    if (next == 0) {  // not a reference: the "&" stays
      out.push_back('&');
      next = at + 1;
    }
    i = next;
  }
  return out;
}

}  // namespace tarvik::html
