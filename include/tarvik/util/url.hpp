// Whether a link names a web page at all, for the stages that fetch or open one.
#pragma once

#include <string_view>

namespace tarvik::url {

// Whether a page could be fetched from the URL: leading spaces and controls
// aside, its scheme is http or https (any letter case) and "//" is followed by
// a non-empty network location. False for "javascript:", "file:", "data:",
// "http:///path" and text that is no URL.
bool is_web_url(std::string_view url);

}  // namespace tarvik::url
