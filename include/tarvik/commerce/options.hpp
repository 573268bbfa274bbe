// The one options value that the pipeline's entry points hand down to the
// stages that reach outside components: the destination fetcher, the browser
// session and the page-facts extraction mode. Defaults are what a caller who
// passes nothing gets.
#pragma once

#include <boost/asio/awaitable.hpp>

#include <functional>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tarvik/browser/session.hpp"
#include "tarvik/facts/metadata.hpp"
#include "tarvik/fetcher/fetcher.hpp"

namespace tarvik::commerce {

struct PipelineOptions {
  // Limits, guard, host mappings and archives of every network access, the
  // browser's included.
  core::FetchOptions fetch;
  // The browser executable; empty: chromium, chromium-browser or
  // google-chrome found on the PATH.
  std::string browser_path;
  ExtractionMode extraction = ExtractionMode::OFF;

  // Departures from the pipeline's fixed course, for the command line: only
  // the first `max_items` matches are enriched (none: all of them), store
  // resolution can be skipped, and pages may get another fetch time-out.
  std::optional<std::size_t> max_items;
  bool resolve_stores = true;
  double fetch_timeout_seconds = 5;

  // After store resolution, fetch each product page it found and read its
  // price, stock, page type, SKU and brand as deep enrichment reads a
  // destination (items keep their place and match score). Off: the links are
  // only replaced.
  bool follow_resolved = false;
  // Escalation of blocked pages: a destination page whose plain fetch met a
  // bot manager's wall (detect_bot_wall: 403, 429 or 503 with a challenge) is
  // fetched once more through a browser session, within the same batch
  // time-out, at most `max_escalations` pages a run (the first ones in match
  // order). Never in replay, and not with a replacement `fetch_pages` (which
  // gives no responses to judge).
  bool escalate = true;
  std::size_t max_escalations = 8;

  // Replacements for the outside components, for embedders with their own and
  // for tests. Empty: the project's fetcher and Chromium session.
  std::function<boost::asio::awaitable<core::PageMap>(std::vector<std::string> urls, double timeout_seconds)>
      fetch_pages;
  std::function<std::unique_ptr<browser::Session>(const browser::SessionOptions&)> make_session;
};

}  // namespace tarvik::commerce
