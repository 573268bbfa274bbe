// HTML5 character-reference decoding.
#pragma once

#include <string>
#include <string_view>

namespace tarvik::html {

// Decodes named and numeric character references as the HTML standard does
// for text (legacy names without ";" included). Input and output are UTF-8.
std::string unescape(std::string_view s);

}  // namespace tarvik::html
