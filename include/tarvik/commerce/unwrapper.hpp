// Turns search redirect links and tracking-laden URLs into clean direct URLs,
// and extracts the bare domain of a URL.
#pragma once

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvik::commerce {

// Fragment of the search engine's host name that marks its redirect endpoint
// in every country domain (www.google.com, www.google.co.uk, ...).
inline constexpr std::string_view SEARCH_ENGINE_HOST_MARKER = "google.";

// Query keys removed from every URL (compared lower-cased).
inline constexpr std::array<std::string_view, 12> TRACKING_PARAMS = {
    "utm_source", "utm_medium", "utm_campaign", "utm_term", "utm_content", "gclid",
    "fbclid",     "msclkid",    "ved",          "usg",      "sa",          "source"};

// A URL that cannot be split: unbalanced or invalid square brackets in the
// network location, or a non-ASCII network location whose compatibility
// normalisation introduces one of "/?#@:".
class InvalidURLError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// The six components of the generic URL syntax. The scheme is lower-cased,
// every other component is kept as written.
struct SplitURL {
  std::string scheme;
  std::string netloc;
  std::string path;
  std::string params;  // after ";" in the last path segment
  std::string query;
  std::string fragment;
  bool operator==(const SplitURL&) const = default;
};

// Throws InvalidURLError.
SplitURL split_url(std::string_view url);
// Joins components back (the trailing-";" and "//" rules of unwrap).
std::string join_url(const SplitURL& parts);

// Form-style query decoding: pieces split at "&", blank values dropped, "+" as
// space, percent-escapes decoded as UTF-8 (invalid bytes become U+FFFD).
// Keys in order of first appearance, each with its values in order.
using QueryMap = std::vector<std::pair<std::string, std::vector<std::string>>>;
QueryMap decode_query(std::string_view query);
// Form-encoding of one key or value ("a b/c" -> "a+b%2Fc").
std::string form_encode(std::string_view s);

class URLUnwrapper {
 public:
  URLUnwrapper() = delete;
  // The clean URL; "" for "". Throws InvalidURLError.
  static std::string unwrap(std::string_view url);
  // Lower-cased network location without one leading "www."; "" when none.
  static std::string extract_domain(std::string_view url);
};

}  // namespace tarvik::commerce
