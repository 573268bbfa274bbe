// Who the fetcher's requests say they come from: the headers this Chromium
// sends for a top-level navigation typed into its address bar, in its order,
// so that a plain fetch and the browser session tell the same story.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "tarvik/fetcher/fetcher.hpp"

namespace tarvik::core::detail {

struct Identity {
  std::string user_agent;
  // The client-hint headers' values; `sec_ch_ua` empty when the user agent is
  // not a Chromium one (no hints are sent then).
  std::string sec_ch_ua;
  std::string sec_ch_ua_mobile;
  std::string sec_ch_ua_platform;
};

// From the options: the session's brands and user agent when given, else
// this Chromium's (the configured version, or `chromium --version` read once
// per process; 156 when that fails).
Identity identity_of(const FetchOptions& options);

// The navigation headers for a request to `url_host` over `https` (or plain
// HTTP). Chromium sends client hints, Sec-Fetch-* and br/zstd only to secure
// contexts (https, or loopback over plain HTTP), and Connection only over
// HTTP/1.1 (libcurl drops it on HTTP/2).
Headers navigation_headers(const Identity& identity, bool https, std::string_view url_host);

// The major version in "Chrome/156.0…" or "Chromium 156.0…" text.
std::optional<int> chromium_major(std::string_view text);
// An unbranded Chromium's sec-ch-ua value for a major version: its GREASE
// brand and "Chromium", in the order the version's seed picks.
std::string chromium_brands(int major);

}  // namespace tarvik::core::detail
