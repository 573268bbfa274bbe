// Text utilities shared by every stage. All text inside the system is UTF-8;
// entry points repair invalid input with repair_utf8 before any rule sees it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik::text {

// Replaces every invalid UTF-8 sequence by U+FFFD, one per maximal invalid
// subpart (the WHATWG / Unicode recommended practice). Valid input is returned
// unchanged (fast path without allocation beyond the copy).
std::string repair_utf8(std::string_view s);
bool is_valid_utf8(std::string_view s);

// Decodes the code point starting at s[i] and advances i. Invalid bytes yield
// U+FFFD and advance by the maximal invalid subpart, so it is safe on any input.
char32_t next_code_point(std::string_view s, std::size_t& i);
void append_utf8(std::string& out, char32_t cp);

// Unicode whitespace: tab, LF, VT, FF, CR, U+001C-U+001F, space, U+0085, U+00A0,
// U+1680, U+2000-U+200A, U+2028, U+2029, U+202F, U+205F, U+3000.
bool is_space(char32_t cp);
// Length in bytes of the whitespace character at s[i] (i < s.size()), or 0.
std::size_t space_at(std::string_view s, std::size_t i);
// The same set as an RE2 character class, for use inside patterns.
inline constexpr std::string_view SPACE_CLASS =
    "[\\t\\n\\x{0b}\\x{0c}\\r\\x{1c}-\\x{1f} \\x{85}\\x{a0}\\x{1680}\\x{2000}-\\x{200a}"
    "\\x{2028}\\x{2029}\\x{202f}\\x{205f}\\x{3000}]";

// Trimming and splitting at Unicode whitespace.
std::string_view trim(std::string_view s);
std::string_view trim_left(std::string_view s);
std::vector<std::string_view> split_ws(std::string_view s);
// Splits at whitespace runs and joins the pieces with single spaces.
std::string collapse_ws(std::string_view s);
bool is_blank(std::string_view s);

// Full Unicode case mapping (root locale): final sigma, U+0130, sharp s.
std::string to_lower(std::string_view s);
std::string to_upper(std::string_view s);
// Unicode compatibility normalisation (NFKC).
std::string nfkc(std::string_view s);

// Lengths and prefixes in code points.
std::size_t length(std::string_view s);
std::string_view prefix(std::string_view s, std::size_t code_points);

bool is_ascii(std::string_view s);
inline bool contains(std::string_view hay, std::string_view needle) {
  return hay.find(needle) != std::string_view::npos;
}
void replace_all(std::string& s, std::string_view from, std::string_view to);

// A double as the shortest text that reads back as the same double: one zero
// decimal on integral values (130.0), exponent form with a signed two-digit
// exponent below 1e-4 and from 1e16 up (1e-05, 1e+16); "inf", "-inf", "nan".
std::string format_double(double v);

}  // namespace tarvik::text
