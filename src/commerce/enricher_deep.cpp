// Deep enrichment: visual matches to enriched commerce items through one batch
// fetch of their destination pages.
#include <spdlog/sinks/stdout_sinks.h>
#include <spdlog/spdlog.h>

#include <boost/asio/co_spawn.hpp>
#include <boost/asio/deferred.hpp>
#include <boost/asio/experimental/parallel_group.hpp>
#include <boost/asio/redirect_error.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/this_coro.hpp>
#include <boost/asio/use_awaitable.hpp>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "tarvik/browser/chromium.hpp"
#include "tarvik/merchants/classifier.hpp"
#include "tarvik/commerce/bot_wall.hpp"
#include "tarvik/commerce/enricher.hpp"
#include "tarvik/facts/metadata.hpp"
#include "tarvik/prices/normalizer.hpp"
#include "tarvik/links/unwrapper.hpp"
#include "tarvik/util/text.hpp"
#include "tarvik/util/url.hpp"
#include "pages.hpp"

namespace tarvik::commerce {

using models::EnrichedCommerceMatch;
using models::PageType;
using models::VisualMatch;

namespace {

struct Destination {
  std::string url;
  bool fetchable = false;
};

Destination destination_of(const std::string& link) {
  try {
    std::string url = URLUnwrapper::unwrap(link);
    const bool fetchable = tarvik::url::is_web_url(url);
    return {std::move(url), fetchable};
  } catch (const InvalidURLError&) {
    // A third-party link we cannot split (an unbalanced "[" in its host, say)
    // loses its page, not the whole run.
    return {link, false};
  }
}

void repair(std::string& s) {
  if (!text::is_valid_utf8(s)) s = text::repair_utf8(s);
}
void repair(std::optional<std::string>& s) {
  if (s) repair(*s);
}

std::optional<std::string_view> view(const std::optional<std::string>& s) {
  if (!s) return std::nullopt;
  return std::string_view(*s);
}

bool non_empty(const std::optional<std::string>& s) { return s && !s->empty(); }

EnrichedCommerceMatch build_item(const VisualMatch& m, const Destination& dest, std::int64_t rank,
                                 const core::PageMap& pages, ExtractionMode mode) {
  std::string domain = domain_of(dest.url);
  if (domain.empty() && non_empty(m.source)) domain = *m.source;
  const auto search_price = PriceNormalizer::parse(view(m.price), view(m.currency));

  std::optional<std::string_view> html;
  if (dest.fetchable) {
    const auto it = pages.find(dest.url);
    if (it != pages.end() && it->second) html = *it->second;
  }
  const std::string& initial_merchant = non_empty(m.source) ? *m.source : domain;
  PageFacts meta = DestinationMetadataParser::parse_metadata(html, dest.url, m.title, initial_merchant, search_price,
                                                             m.in_stock, rank, mode);

  const std::optional<models::MerchantCategory> category = category_of(domain, meta);

  EnrichedCommerceMatch item;
  item.title = std::move(meta.title);
  item.direct_url = dest.url;
  item.original_url = m.link;
  item.price = std::move(meta.price);
  item.merchant_name = std::move(meta.merchant_name);
  item.merchant_category = category;
  item.thumbnail = m.thumbnail;
  item.match_score = meta.match_score;
  item.page_type = meta.page_type;
  item.brand = std::move(meta.brand);
  item.sku = std::move(meta.sku);
  item.condition = meta.condition;
  item.stock_status = meta.stock_status;
  item.primary_image_url = non_empty(meta.primary_image_url) ? std::move(meta.primary_image_url) : m.thumbnail;
  item.shipping_info = std::move(meta.shipping_info);
  item.source_engine = "vizor";
  item.sources = std::move(meta.sources);
  return item;
}

using Clock = std::chrono::steady_clock;

std::shared_ptr<spdlog::logger> enricher_logger() { return named_logger("tarvik.commerce.enricher"); }

// URLs of the batch whose plain fetch met a bot manager's wall.
using Walls = std::unordered_set<std::string>;

asio::awaitable<core::PageMap> fetch_all(std::vector<std::string> urls, const PipelineOptions& options,
                                         std::shared_ptr<Walls> walls) {
  if (options.fetch_pages)
    co_return co_await options.fetch_pages(std::move(urls), options.fetch_timeout_seconds);
  core::FetchOptions fetch = options.fetch;
  if (walls) {
    fetch.on_page_refused = [walls, given = fetch.on_page_refused](const std::string& url,
                                                                   const core::HttpResponse& response) {
      if (given) given(url, response);
      if (detect_bot_wall(response.status, response.headers, response.body)) walls->insert(url);
    };
  }
  core::ConcurrentFetcher fetcher(co_await asio::this_coro::executor, fetch);
  co_return co_await fetcher.fetch_pages(std::move(urls), options.fetch_timeout_seconds);
}

std::unique_ptr<browser::Session> escalation_session(std::size_t pages, std::chrono::milliseconds left,
                                                     const PipelineOptions& options) {
  browser::SessionOptions session;
  session.max_pages = static_cast<int>(std::min<std::size_t>(pages, 4));
  session.headless = true;
  session.disable_resources = true;
  session.timeout_ms = static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 1));
  if (options.make_session) return options.make_session(session);
  browser::ChromiumOptions chromium;
  chromium.session = session;
  chromium.executable = options.browser_path;
  chromium.fetch = options.fetch;
  chromium.start_timeout = left;
  chromium.close_grace = std::chrono::milliseconds(1000);
  return std::make_unique<browser::ChromiumSession>(std::move(chromium));
}

// One page through the browser: its markup when the browser got past the wall
// (a 2xx document without a known manager's markers), else none.
asio::awaitable<std::optional<std::string>> read_in_browser(browser::Session& session, std::string url) {
  try {
    auto page = co_await session.fetch(url);
    if (!page) co_return std::nullopt;
    std::optional<std::string> markup;
    const std::optional<int> status = page->status();
    if (status && *status >= 200 && *status <= 299) {
      // Still the manager's own page: the challenge was not passed. (The
      // shell rule does not apply here: the browser has run the scripts, and
      // a small page with data scripts is still a page.)
      std::string html = co_await page->html();
      const auto wall = detect_bot_wall(403, {}, html);
      if (!wall || wall->manager == "javascript-shell") markup = std::move(html);
    }
    co_await page->close();
    co_return markup;
  } catch (const std::exception& e) {
    enricher_logger()->debug("Escalated page {} not read: {}", url, e.what());
    co_return std::nullopt;
  }
}

struct Escalation {
  std::unique_ptr<browser::Session> session;
  core::PageMap found;
  bool done = false;
};

asio::awaitable<void> escalate_all(std::shared_ptr<Escalation> run, std::vector<std::string> urls) {
  browser::Session& session = *run->session;
  std::string unavailable;
  try {
    co_await session.enter();
  } catch (const std::exception& e) {
    unavailable = e.what();
  }
  if (!unavailable.empty()) {
    enricher_logger()->warn("Browser unavailable; {} blocked pages stay unfetched: {}", urls.size(), unavailable);
    co_await session.exit();
    co_return;
  }
  const auto executor = co_await asio::this_coro::executor;
  using Op = decltype(asio::co_spawn(executor, read_in_browser(session, std::string()), asio::deferred));
  std::vector<Op> ops;
  for (const auto& url : urls) ops.push_back(asio::co_spawn(executor, read_in_browser(session, url), asio::deferred));
  auto [order, errors, pages] = co_await asio::experimental::make_parallel_group(std::move(ops))
                                    .async_wait(asio::experimental::wait_for_all(), asio::use_awaitable);
  for (std::size_t i = 0; i < urls.size(); ++i)
    if (!errors[i] && pages[i]) run->found[urls[i]] = std::move(pages[i]);
  co_await session.exit();
}

// Fetches `urls` again through a browser session until `deadline`; the pages
// it read replace their entries in `pages`. A browser still busy at the
// deadline is closed, which fails whatever it was still loading.
asio::awaitable<void> escalate(std::vector<std::string> urls, core::PageMap& pages, Clock::time_point deadline,
                               const PipelineOptions& options) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  if (left <= std::chrono::milliseconds(0)) co_return;
  auto run = std::make_shared<Escalation>();
  run->session = escalation_session(urls.size(), left, options);
  const auto executor = co_await asio::this_coro::executor;
  auto wake = std::make_shared<asio::steady_timer>(executor, deadline);
  asio::co_spawn(executor, escalate_all(run, std::move(urls)), [run, wake](std::exception_ptr) {
    run->done = true;
    wake->cancel();
  });
  boost::system::error_code ec;
  co_await wake->async_wait(asio::redirect_error(asio::use_awaitable, ec));
  if (!run->done) {
    co_await run->session->exit();
    const auto give_up = Clock::now() + std::chrono::seconds(5);
    while (!run->done && Clock::now() < give_up) {
      wake->expires_after(std::chrono::milliseconds(10));
      co_await wake->async_wait(asio::redirect_error(asio::use_awaitable, ec));
    }
  }
  for (auto& [url, html] : run->found) pages[url] = std::move(html);
}

}  // namespace

asio::awaitable<core::PageMap> fetch_destination_pages(std::vector<std::string> urls, const PipelineOptions& options) {
  co_return co_await fetch_all(std::move(urls), options, nullptr);
}

std::string domain_of(std::string_view url) {
  try {
    return URLUnwrapper::extract_domain(url);
  } catch (const InvalidURLError&) {
    return {};
  }
}

std::optional<models::MerchantCategory> category_of(std::string_view domain, const PageFacts& facts) {
  if (facts.page_type != PageType::PRODUCT && facts.page_type != PageType::MARKETPLACE) return std::nullopt;
  std::optional<std::string_view> brand;
  if (facts.brand) brand = *facts.brand;
  return MerchantClassifier::classify(domain, facts.title, brand, facts.merchant_name);
}

asio::awaitable<std::vector<EnrichedCommerceMatch>> CommerceEnricher::enrich_matches_deep_async(
    std::vector<VisualMatch> matches, std::optional<std::size_t> max_items, ProgressCallback on_progress,
    PipelineOptions options) {
  std::vector<EnrichedCommerceMatch> items;
  if (matches.empty()) co_return items;
  if (max_items && *max_items < matches.size()) matches.resize(*max_items);

  std::vector<Destination> destinations;
  std::vector<std::string> urls;
  destinations.reserve(matches.size());
  for (VisualMatch& m : matches) {
    repair(m.link);
    repair(m.title);
    repair(m.source);
    repair(m.price);
    repair(m.currency);
    repair(m.thumbnail);
    destinations.push_back(destination_of(m.link));
    if (destinations.back().fetchable) urls.push_back(destinations.back().url);
  }

  const std::string count = std::to_string(matches.size());
  std::string message = "Fetching metadata from " + count + " merchant destinations...";
  co_await _notify_progress(on_progress, std::move(message));
  const auto batch_deadline =
      Clock::now() + std::chrono::milliseconds(static_cast<std::int64_t>(
                         std::clamp(options.fetch_timeout_seconds, 0.0, 86400.0) * 1000));
  const bool may_escalate = options.escalate && options.max_escalations > 0 && !options.fetch.replay;
  auto walls = may_escalate ? std::make_shared<Walls>() : nullptr;
  core::PageMap pages = co_await fetch_all(urls, options, walls);
  if (walls && !walls->empty()) {
    // The first blocked pages in match order, each once.
    std::vector<std::string> blocked;
    for (const auto& url : urls) {
      if (blocked.size() == options.max_escalations) break;
      if (walls->count(url) && std::find(blocked.begin(), blocked.end(), url) == blocked.end()) blocked.push_back(url);
    }
    message = "Retrying " + std::to_string(blocked.size()) + " blocked destinations in the browser...";
    co_await _notify_progress(on_progress, std::move(message));
    co_await escalate(std::move(blocked), pages, batch_deadline, options);
  }
  message = "Extracting structured product metadata & price intelligence (" + count + " items)...";
  co_await _notify_progress(on_progress, std::move(message));

  items.reserve(matches.size());
  for (std::size_t i = 0; i < matches.size(); ++i)
    items.push_back(build_item(matches[i], destinations[i], static_cast<std::int64_t>(i + 1), pages, options.extraction));
  co_return items;
}

}  // namespace tarvik::commerce
