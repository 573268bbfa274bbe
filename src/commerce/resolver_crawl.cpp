// Store page crawls and the resolution run that plans them and writes back.
#include <boost/asio/co_spawn.hpp>
#include <boost/asio/deferred.hpp>
#include <boost/asio/experimental/channel.hpp>
#include <boost/asio/experimental/parallel_group.hpp>
#include <boost/asio/this_coro.hpp>
#include <boost/asio/use_awaitable.hpp>
#include <spdlog/spdlog.h>

#include <algorithm>
#include <climits>
#include <exception>
#include <stdexcept>
#include <unordered_map>

#include "tarvik/commerce/resolver.hpp"
#include "tarvik/links/unwrapper.hpp"
#include "tarvik/util/text.hpp"

namespace tarvik::commerce {

namespace asio = boost::asio;
using models::EnrichedCommerceMatch;

struct CrawlLimiter::Slots {
  // A send takes a slot (it waits while the buffer is full); a receive frees one.
  asio::experimental::channel<void(boost::system::error_code)> channel;
  Slots(const asio::any_io_executor& executor, int slots) : channel(executor, static_cast<std::size_t>(slots)) {}
};

CrawlLimiter::CrawlLimiter(const asio::any_io_executor& executor, int slots) {
  if (slots < 1)
    throw std::invalid_argument("max_concurrency must be at least 1, got " + std::to_string(slots));
  slots_ = std::make_unique<Slots>(executor, slots);
}

CrawlLimiter::~CrawlLimiter() = default;

asio::awaitable<void> CrawlLimiter::acquire() {
  co_await slots_->channel.async_send(boost::system::error_code{}, asio::use_awaitable);
}

void CrawlLimiter::release() { slots_->channel.try_receive([](boost::system::error_code) {}); }

namespace {

using CrawlResult = std::pair<std::string, std::optional<std::string>>;

// Cancellation of the crawl's task, which the guarded block must not swallow.
bool is_cancellation(const std::exception& e) {
  const auto* sys = dynamic_cast<const boost::system::system_error*>(&e);
  return sys && sys->code() == asio::error::operation_aborted;
}

std::string_view selector_for(std::string_view store_domain) {
  for (const auto& [key, selector] : _STORE_LINK_SELECTORS)
    if (store_domain.find(key) != std::string_view::npos) return selector;
  return {};
}

// Holds one limiter slot until destroyed.
class SlotHold {
 public:
  explicit SlotHold(CrawlLimiter& limiter) : limiter_(limiter) {}
  ~SlotHold() { limiter_.release(); }
  SlotHold(const SlotHold&) = delete;
  SlotHold& operator=(const SlotHold&) = delete;

 private:
  CrawlLimiter& limiter_;
};

// Closes a page when the crawl is done with it, whichever way it ends; a page
// destroyed without close() closes itself.
struct PageCloser {
  std::unique_ptr<browser::Page> page;
  asio::awaitable<void> close() {
    if (!page) co_return;
    auto closing = std::move(page);
    try {
      co_await closing->close();
    } catch (const std::exception&) {
      // The crawl's outcome is already decided; a tab that will not close is
      // the session's to clean up at exit.
    }
  }
};

// The crawl of one page (the guarded steps). Returns the accepted link or none.
asio::awaitable<std::optional<std::string>> crawl_page(browser::Session& session, const std::string& url,
                                                       const std::string& item_title) {
  auto logger = _resolver_logger();
  PageCloser holder;
  holder.page = co_await session.fetch(url);
  std::optional<std::string> resolved;
  std::exception_ptr failure;
  try {
    browser::Page* page = holder.page.get();
    const std::optional<int> status = page ? page->status() : std::nullopt;
    const int code = status.value_or(200);
    if (page && (code == 200 || code == 301 || code == 302)) {
      const SplitURL store = split_url(url);
      std::string store_domain = text::to_lower(store.netloc);
      text::replace_all(store_domain, "www.", "");

      const std::string_view selector = selector_for(store_domain);
      std::vector<browser::Element> links;
      if (!selector.empty()) links = co_await page->css(std::string(selector), 10);
      if (links.empty()) links = co_await page->css(std::string(_GENERIC_PRODUCT_SELECTOR), 10);

      std::optional<std::string> best_address;
      double best_score = 0.0;
      for (std::size_t i = 0; i < links.size() && i < 10; ++i) {
        const browser::Element& link = links[i];
        std::string address(text::trim(link.attrib_get("href", "")));
        if (address.empty()) continue;
        std::string link_text;
        try {
          link_text = link.get_all_text();
        } catch (const std::exception&) {
          link_text = link.text().value_or("");
        }
        if (address.rfind("//", 0) == 0) {
          // Protocol-relative: the store's scheme, never the store's host.
          address = store.scheme + ":" + address;
        } else if (address.rfind('/', 0) == 0) {
          address = store.scheme + "://" + store.netloc + address;
        }
        double score = 0.0;
        try {
          score = _title_similarity(item_title, link_text, address);
        } catch (const InvalidURLError&) {
          continue;  // a link that cannot be split cannot be followed either
        }
        if (score > best_score) {
          best_score = score;
          best_address = std::move(address);
        }
      }

      if (best_address && best_score >= _MIN_TITLE_SIMILARITY) {
        std::string link = URLUnwrapper::unwrap(*best_address);
        const auto query = link.find('?');
        if (query != std::string::npos && (store_domain.find(_STORE_LINK_SELECTORS[0].first) != std::string::npos ||
                                           store_domain.find(_STORE_LINK_SELECTORS[1].first) != std::string::npos))
          link.resize(query);
        resolved = link;
        logger->debug("Resolved {} → {} (score={:.2f})", url, link, best_score);
      } else if (best_address) {
        logger->debug("Rejected {} → {} (score={:.2f} < {:.2f} threshold)", url, *best_address, best_score,
                      _MIN_TITLE_SIMILARITY);
      }
    }
  } catch (...) {
    failure = std::current_exception();
  }
  co_await holder.close();
  if (failure) std::rethrow_exception(failure);
  co_return resolved;
}

}  // namespace

asio::awaitable<CrawlResult> _fetch_single(CrawlRun& run, browser::Session& session, std::string url,
                                           std::string merchant, std::string item_title) {
  co_await run.limiter.acquire();
  SlotHold slot(run.limiter);
  std::optional<std::string> resolved;
  try {
    resolved = co_await crawl_page(session, url, item_title);
  } catch (const std::exception& e) {
    if (is_cancellation(e)) throw;
    _resolver_logger()->debug("Failed crawling store URL '{}': {}", url, e.what());
  }
  ++run.completed;
  co_await _notify_progress(run.on_progress, "Resolving direct product links (" + std::to_string(run.completed) +
                                                 "/" + std::to_string(run.total_targets) + ")... " + merchant);
  co_return CrawlResult{std::move(url), std::move(resolved)};
}

namespace {

bool is_store_search_page(const std::string& direct_url) {
  if (direct_url.empty()) return false;
  SplitURL parts;
  try {
    parts = split_url(direct_url);
  } catch (const InvalidURLError&) {
    return false;  // not a page any browser could open
  }
  if (text::to_lower(parts.netloc).find(SEARCH_ENGINE_HOST_MARKER) != std::string::npos) return false;
  const std::string path = text::to_lower(parts.path);
  const std::string query = text::to_lower(parts.query);
  for (std::string_view term : {"search", "sch/i.html", "catalogsearch", "query="})
    if (path.find(term) != std::string::npos || query.find(term) != std::string::npos) return true;
  return false;
}

// Exits the session however the crawls ended; the destructor is the last
// resort when even that is skipped (the run's frame destroyed mid-way).
asio::awaitable<void> exit_quietly(browser::Session& session) {
  try {
    co_await session.exit();
  } catch (const std::exception&) {
    // The browser is gone either way; the crawls' outcomes stand.
  }
}

}  // namespace

asio::awaitable<void> DirectStoreResolver::resolve_async(std::vector<EnrichedCommerceMatch>& items,
                                                         int max_concurrency, int timeout,
                                                         ProgressCallback on_progress,
                                                         const PipelineOptions& options) {
  if (items.empty()) co_return;

  std::vector<std::size_t> candidates;  // positions in `items`
  for (std::size_t i = 0; i < items.size(); ++i)
    if (is_store_search_page(items[i].direct_url)) candidates.push_back(i);
  if (candidates.empty()) co_return;

  const std::size_t total_candidates = candidates.size();
  co_await _notify_progress(on_progress, "Resolving direct product links across " +
                                             std::to_string(total_candidates) + " store destinations...");

  // Distinct URLs in first-seen order; the title and merchant of each come
  // from its first candidate that has them.
  std::vector<std::string> crawl_targets;
  std::unordered_map<std::string, std::string> url_to_title;
  std::unordered_map<std::string, std::string> url_to_merchant;
  for (std::size_t pos : candidates) {
    const EnrichedCommerceMatch& item = items[pos];
    if (url_to_merchant.emplace(item.direct_url, item.merchant_name.value_or("")).second &&
        crawl_targets.size() < _MAX_CRAWL)
      crawl_targets.push_back(item.direct_url);
    if (!item.title.empty()) url_to_title.emplace(item.direct_url, item.title);
  }

  const auto executor = co_await asio::this_coro::executor;
  CrawlLimiter limiter(executor, max_concurrency);
  CrawlRun run{limiter, 0, crawl_targets.size(), on_progress};

  // A time-out in milliseconds that fits the session's int; zero and negative
  // values are the session's to reject.
  const long long timeout_ms = std::clamp<long long>(static_cast<long long>(timeout) * 1000, INT_MIN, INT_MAX);
  std::unique_ptr<browser::Session> session;
  std::optional<std::string> unavailable;
  try {
    session = _make_stealth_session(max_concurrency, static_cast<int>(timeout_ms), options);
    if (!session) throw browser::BrowserError("no browser session was made");
    co_await session->enter();
  } catch (const std::exception& e) {
    if (is_cancellation(e)) throw;
    unavailable = e.what();
  }
  if (unavailable) {
    if (session) co_await exit_quietly(*session);
    _resolver_logger()->warn("Stealth browser unavailable; leaving {} store search URLs unresolved: {}",
                             crawl_targets.size(), *unavailable);
    co_return;
  }

  using Op = decltype(asio::co_spawn(executor, std::declval<asio::awaitable<CrawlResult>>(), asio::deferred));
  std::vector<Op> tasks;
  tasks.reserve(crawl_targets.size());
  for (const std::string& url : crawl_targets) {
    std::string merchant = url_to_merchant[url];
    if (merchant.empty()) merchant = "Store";
    auto title = url_to_title.find(url);
    tasks.push_back(asio::co_spawn(
        executor, _fetch_single(run, *session, url, std::move(merchant), title == url_to_title.end() ? "" : title->second),
        asio::deferred));
  }
  std::unordered_map<std::string, std::string> url_cache;
  std::exception_ptr failure;
  try {
    auto [order, errors, outcomes] =
        co_await asio::experimental::make_parallel_group(std::move(tasks))
            .async_wait(asio::experimental::wait_for_all(), asio::use_awaitable);
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
      if (errors[i]) continue;  // a crawl whose report failed counts as unresolved
      if (outcomes[i].second && !outcomes[i].second->empty())
        url_cache.emplace(outcomes[i].first, *outcomes[i].second);
    }
  } catch (...) {
    failure = std::current_exception();
  }
  co_await exit_quietly(*session);
  session.reset();
  if (failure) std::rethrow_exception(failure);

  std::size_t resolved_count = 0;
  for (std::size_t pos : candidates) {
    auto hit = url_cache.find(items[pos].direct_url);
    if (hit == url_cache.end()) continue;
    items[pos].direct_url = hit->second;
    ++resolved_count;
  }
  if (resolved_count > 0) {
    co_await _notify_progress(on_progress, "✓ Resolved " + std::to_string(resolved_count) + "/" +
                                               std::to_string(total_candidates) + " direct product links.");
  } else {
    co_await _notify_progress(on_progress, "Store crawling complete (" + std::to_string(total_candidates) +
                                               " attempted, 0 resolved — stores may be blocking automated access).");
  }
}

void DirectStoreResolver::resolve(std::vector<EnrichedCommerceMatch>& items, int max_concurrency, int timeout,
                                  ProgressCallback on_progress, const PipelineOptions& options) {
  _run_coroutine(resolve_async(items, max_concurrency, timeout, std::move(on_progress), options));
}

}  // namespace tarvik::commerce
