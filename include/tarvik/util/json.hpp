// JSON reading for page data: document order kept, a duplicated member keeps
// its first position and its last value, every number read from its source
// text as the correctly rounded double, nesting depth bounded.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include <boost/json/value.hpp>

namespace tarvik::json {

inline constexpr std::size_t MAX_DEPTH = 512;
// The parser descends recursively (roughly 100 bytes of stack per level in an
// optimised build): no max_depth goes beyond this.
inline constexpr std::size_t DEPTH_CEILING = 4096;

// Parses one complete JSON text (RFC 8259: any value at the top level,
// surrounding whitespace allowed; no byte order mark, comments, trailing
// commas, NaN or Infinity). None for any error, including nesting deeper than
// max_depth (counted in arrays and objects; at most DEPTH_CEILING). Never throws for bad input.
// - Numbers: integers that fit int64 or uint64 stay integers; every other
//   number is the correctly rounded double of its text (1e400 gives inf,
//   1e-400 gives 0.0).
// - A duplicated member name keeps its first position and its last value.
// - An unpaired surrogate escape (a lone high or low one) reads as U+FFFD, as browsers
//   and dynamic-language readers accept it; invalid UTF-8 is an error.
std::optional<boost::json::value> parse(std::string_view text, std::size_t max_depth = MAX_DEPTH);

// Rewrites every unpaired surrogate escape in JSON text ("\ud800" alone, or a
// lone low one) as "\ufffd", the same length, so a strict parser takes the
// text; escapes are read left to right, so an escaped backslash followed by
// "u" is not taken for one. Returns whether anything was rewritten.
bool replace_lone_surrogates(std::string& json_text);

// The text form of a value as a dynamic-language reference prints it: an
// integer gives its digits, a double its shortest round-trip text with a
// decimal or an exponent (12.0, 1e+16), true/false give True/False, null gives
// None, a string itself; arrays and objects a readable rendering.
std::string text_form(const boost::json::value& v);

// Truthiness: absent (nullptr), null, false, 0, 0.0, "", [] and {} are false.
bool truthy(const boost::json::value* v);

// Member of an object, or nullptr when absent or `v` is not an object.
const boost::json::value* member(const boost::json::value& v, std::string_view key);

// Numbers for tests where a number is expected: integers, doubles and
// booleans (true as 1, false as 0). None for anything else.
std::optional<double> as_number(const boost::json::value* v);

}  // namespace tarvik::json
