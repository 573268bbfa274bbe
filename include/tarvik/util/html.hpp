// HTML5 character-reference decoding.
#pragma once

#include <string>
#include <string_view>

namespace tarvik::html {

// Decodes named and numeric character references as the HTML standard does
// for text (legacy names without ";" included). Input and output are UTF-8.
//
// Named: all 2,231 names; a name that is not in the table but starts with a legacy
// name decodes that longest prefix and keeps the rest ("&notit;" gives "¬it;");
// anything else stays as written. Numeric: 0, surrogates and values above U+10FFFF
// give U+FFFD, 0x80-0x9F are read as windows-1252, control characters other than
// tab, LF, FF and CR, and noncharacters, are dropped. The result never re-decodes:
// "&amp;amp;" gives "&amp;". Linear time; text without "&" is copied as is.
std::string unescape(std::string_view s);

}  // namespace tarvik::html
