// Decoding page bytes of any declared charset to UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace tarvik::charset {

// Page bytes as UTF-8: valid UTF-8 without a BOM is returned as is; otherwise
// the charset is taken from a byte-order mark, then from a <meta charset> or
// <meta http-equiv="Content-Type" content="...charset=..."> declaration near the
// top of the page, else windows-1252, and converted through ICU. Bytes that do
// not convert become U+FFFD; the result is always valid UTF-8.
std::string decode_page(std::string_view bytes);

// An HTTP response body as UTF-8, its charset taken in this order: a
// byte-order mark, the charset parameter of the Content-Type header value, a
// <meta> declaration in the first 1,024 bytes, UTF-8 when the bytes are valid
// UTF-8, else windows-1252. Labels follow the web's encoding table
// (iso-8859-1 means windows-1252); an unknown label is skipped, never an error.
std::string decode_http_body(std::string_view bytes, std::string_view content_type);
// The same; a body that is already what it would become (valid UTF-8 in
// UTF-8 or undeclared) is returned without a copy.
std::string decode_http_body(std::string&& bytes, std::string_view content_type);

// Converts bytes in the named charset to UTF-8; an unknown charset name is
// treated as windows-1252.
std::string to_utf8(std::string_view bytes, std::string_view charset);

}  // namespace tarvik::charset
