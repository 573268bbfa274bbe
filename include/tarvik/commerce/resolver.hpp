// Direct store resolution: items whose direct URL is a store's search-results
// page get the store's own product link, found by crawling those pages with
// one stealth browser session and scoring the product links on each against
// the item's title.
//
// Limits of one run: at most `_MAX_CRAWL` distinct search pages, each crawled
// once; at most `max_concurrency` crawls (and browser pages) at once; each
// page bounded by the session's navigation time-out; at most 10 links of a
// page scored. A failing crawl or an unavailable browser never fails the run:
// it is logged (logger "tarvik.commerce.resolver") and leaves items unchanged.
#pragma once

#include <boost/asio/any_io_executor.hpp>
#include <boost/asio/awaitable.hpp>

#include <array>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tarvik/browser/session.hpp"
#include "tarvik/commerce/async.hpp"
#include "tarvik/commerce/options.hpp"
#include "tarvik/models/commerce.hpp"

namespace spdlog {
class logger;
}

namespace tarvik::commerce {

// Distinct lower-cased ASCII words of two or more letters or digits; every
// other character separates words ("Café Noir" -> {"caf", "noir"}).
std::set<std::string> _tokenize(std::string_view text);

// Fraction of the item title's words found in the link's text or in the path
// of its address (host, query and fragment do not count): 0.0 to 1.0, and 0.0
// for a title without words.
double _title_similarity(std::string_view item_title, std::string_view link_text, std::string_view link_href);

// Store key (main domain, matched as a substring of the host without "www.")
// -> selector of that store's product links. Earlier rows win.
inline constexpr std::array<std::pair<std::string_view, std::string_view>, 12> _STORE_LINK_SELECTORS = {{
    {"ebay.com", R"(a[href*="/itm/"])"},
    {"lyst.com", R"(a[href*="/shoes/"], a[href*="/clothing/"], a[href*="/shop/"])"},
    {"walmart.com", R"(a[href*="/ip/"])"},
    {"amazon.com", R"(a[href*="/dp/"])"},
    {"poshmark.com", R"(a[href*="/listing/"])"},
    {"mercari.com", R"(a[href*="/item/"])"},
    {"editorialist.com", R"(a[href*="/p/"])"},
    {"flightclub.com", R"(a[href*="/sneakers/"], a[href*="/catalog/product/view"])"},
    {"goat.com", R"(a[href*="/sneakers/"])"},
    {"stockx.com", R"(a[href*="/buy/"])"},
    {"farfetch.com", R"(a[href*="/item-"])"},
    {"modesens.com", R"(a[href*="/product/"])"},
}};

// Used when no store row matches the host or its selector finds nothing.
inline constexpr std::string_view _GENERIC_PRODUCT_SELECTOR =
    R"(a[href*="/product/"], a[href*="/p/"], a[href*="/item/"], a[href*="/pd/"], a[href*="/goods/"])";

// Lowest score at which the best link of a page is accepted.
inline constexpr double _MIN_TITLE_SIMILARITY = 0.3;

// Most distinct store search URLs crawled in one run.
inline constexpr std::size_t _MAX_CRAWL = 20;

// The logger of this unit, "tarvik.commerce.resolver": the one registered
// with spdlog under that name, else one created at first use that writes
// warnings and errors to standard error. Per-page outcomes are logged at
// debug level.
std::shared_ptr<spdlog::logger> _resolver_logger();

// A new, not yet entered browser session: `options.make_session` when set,
// else the project's Chromium session (headless, page resources refused),
// reaching the network through `options.fetch` and started from
// `options.browser_path` (empty: found on the PATH). Throws on invalid
// options; a missing browser shows only when the session is entered.
std::unique_ptr<browser::Session> _make_stealth_session(int max_pages, int timeout_ms,
                                                        const PipelineOptions& options = {});

// A counting semaphore on the run's event loop.
class CrawlLimiter {
 public:
  // Throws std::invalid_argument unless slots >= 1 (no crawl could ever start).
  CrawlLimiter(const boost::asio::any_io_executor& executor, int slots);
  ~CrawlLimiter();
  CrawlLimiter(const CrawlLimiter&) = delete;
  CrawlLimiter& operator=(const CrawlLimiter&) = delete;

  // Waits for a free slot and takes it.
  boost::asio::awaitable<void> acquire();
  // Gives back a slot taken by acquire().
  void release();

 private:
  struct Slots;
  std::unique_ptr<Slots> slots_;
};

// The state that the crawls of one resolution run share. Touched only from
// coroutines of the run's loop, between awaits.
struct CrawlRun {
  CrawlLimiter& limiter;
  int completed = 0;              // crawls finished so far, in finishing order
  std::size_t total_targets = 0;  // number of crawl targets of the run
  ProgressCallback on_progress;
};

// Crawls one store search URL for the item titled `item_title` sold by
// `merchant`: (url, accepted product link) or (url, none). Failures of the
// page are logged at debug level and give none; an exception of the progress
// callback propagates.
boost::asio::awaitable<std::pair<std::string, std::optional<std::string>>> _fetch_single(
    CrawlRun& run, browser::Session& session, std::string url, std::string merchant, std::string item_title);

class DirectStoreResolver {
 public:
  DirectStoreResolver() = delete;

  // Resolves `items` in place: every item whose direct URL is a store search
  // page that resolved gets the product link as its new `direct_url`; no other
  // field and no other item changes, and the vector keeps its items, order and
  // length, so the caller's vector is the result. Progress goes to
  // `on_progress`. `timeout` is the browser's navigation time-out in seconds.
  // Throws std::invalid_argument for max_concurrency < 1 (before any browser
  // starts) and whatever the progress callback throws; nothing else.
  static boost::asio::awaitable<void> resolve_async(std::vector<models::EnrichedCommerceMatch>& items,
                                                    int max_concurrency = 4, int timeout = 15,
                                                    ProgressCallback on_progress = {},
                                                    const PipelineOptions& options = {});

  // Blocking form of resolve_async, run through _run_coroutine.
  static void resolve(std::vector<models::EnrichedCommerceMatch>& items, int max_concurrency = 4, int timeout = 15,
                      ProgressCallback on_progress = {}, const PipelineOptions& options = {});
};

}  // namespace tarvik::commerce
