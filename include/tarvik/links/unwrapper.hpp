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
// in every country domain (www.google.com, www.google.co.uk, ...). Matched as
// a plain substring of the network location as written.
inline constexpr std::string_view SEARCH_ENGINE_HOST_MARKER = "google.";

// Query keys removed from every URL (compared lower-cased).
inline constexpr std::array<std::string_view, 12> TRACKING_PARAMS = {
    "utm_source", "utm_medium", "utm_campaign", "utm_term", "utm_content", "gclid",
    "fbclid",     "msclkid",    "ved",          "usg",      "sa",          "source"};

// A URL that cannot be split: unbalanced or invalid square brackets in the
// network location, or a non-ASCII network location whose compatibility
// normalisation introduces one of "/?#@:". Between brackets a host must be an
// IPv6 address (optionally with a zone id: "%" and a non-empty name without
// "%") or the IPvFuture form "v" hex-digits "." text ("v" in either case);
// only a port may follow the "]". The message names the network location.
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

// Splits a URL: leading C0 controls and spaces are removed, and tab, CR and
// LF wherever they stand; invalid UTF-8 is repaired to U+FFFD first. The
// scheme is the text before the first ":" when it starts with an ASCII letter
// and holds only letters, digits, "+", "-", "."; the network location follows
// "//" up to the next "/", "?" or "#"; then fragment, query, and parameters
// after the first ";" of the last path segment. Throws InvalidURLError.
SplitURL split_url(std::string_view url);
// Joins components back: ";" + parameters, "?" + query and "#" + fragment
// only when non-empty; "//" before a non-empty network location, and with an
// empty one before a path starting with "//", or before an empty path or one
// starting with "/" when the scheme normally has a network location (http,
// https, ftp, file, ws, wss, ...), so "http:///p" keeps its three slashes.
std::string join_url(const SplitURL& parts);

// Form-style query decoding: pieces split at "&", blank values dropped, "+" as
// space, percent-escapes decoded as UTF-8 (invalid bytes become U+FFFD, one
// per maximal invalid subpart; a "%" without two hex digits stays as written).
// Keys in order of first appearance, each with its values in order.
using QueryMap = std::vector<std::pair<std::string, std::vector<std::string>>>;
QueryMap decode_query(std::string_view query);
// Form-encoding of one key or value: ASCII letters, digits and "_.-~" kept,
// space as "+", every other byte as "%XX" ("a b/c" -> "a+b%2Fc").
std::string form_encode(std::string_view s);

class URLUnwrapper {
 public:
  URLUnwrapper() = delete;
  // The clean URL; "" for "". Unwraps one level of the search engine's
  // redirect wrapper (path "/url", target in "q", else in "url"), removes
  // TRACKING_PARAMS keys (compared lower-cased), drops blank and bare query
  // pieces, groups repeated keys at their first position, re-encodes the
  // query, and drops a fragment holding a text directive (":~:text=" anywhere
  // or ":~:" at its start). Throws InvalidURLError.
  static std::string unwrap(std::string_view url);
  // Lower-cased (full Unicode) network location without one leading "www.";
  // user information and port stay; "" when there is none. Throws
  // InvalidURLError.
  static std::string extract_domain(std::string_view url);
};

}  // namespace tarvik::commerce
