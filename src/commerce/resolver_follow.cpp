// Following resolved links: the product pages that store resolution found are
// fetched and read the way deep enrichment reads its destinations.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "pages.hpp"
#include "tarvik/links/unwrapper.hpp"
#include "tarvik/util/url.hpp"

namespace tarvik::commerce {

namespace asio = boost::asio;
using models::EnrichedCommerceMatch;
using models::StockStatus;

namespace {

std::optional<bool> in_stock_of(const std::optional<StockStatus>& status) {
  if (status == StockStatus::IN_STOCK) return true;
  if (status == StockStatus::OUT_OF_STOCK) return false;
  return std::nullopt;
}

}  // namespace

asio::awaitable<void> follow_resolved_links(std::vector<EnrichedCommerceMatch>& items,
                                            const std::vector<std::string>& before, ProgressCallback on_progress,
                                            const PipelineOptions& options) {
  std::vector<std::size_t> followed;  // positions in `items`
  std::vector<std::string> urls;
  for (std::size_t i = 0; i < items.size() && i < before.size(); ++i) {
    if (items[i].direct_url == before[i] || !tarvik::url::is_web_url(items[i].direct_url)) continue;
    followed.push_back(i);
    urls.push_back(items[i].direct_url);
  }
  if (followed.empty()) co_return;

  const std::string count = std::to_string(followed.size());
  co_await _notify_progress(on_progress, "Following " + count + " resolved product links...");
  const core::PageMap pages = co_await fetch_destination_pages(std::move(urls), options);

  std::size_t read = 0;
  for (std::size_t pos : followed) {
    EnrichedCommerceMatch& item = items[pos];
    const auto page = pages.find(item.direct_url);
    if (page == pages.end() || !page->second) continue;
    const std::string domain = domain_of(item.direct_url);
    // The item's own facts stand in for what the page does not show, as the
    // search's facts do for a destination.
    PageFacts facts = DestinationMetadataParser::parse_metadata(
        *page->second, item.direct_url, item.title, item.merchant_name.value_or(domain), item.price,
        in_stock_of(item.stock_status), static_cast<std::int64_t>(pos + 1), options.extraction);
    item.merchant_category = category_of(domain, facts);
    item.price = std::move(facts.price);
    item.stock_status = facts.stock_status;
    item.page_type = facts.page_type;
    // The search page's SKU and brand stay when the product page shows none.
    if (facts.sku) item.sku = std::move(facts.sku);
    if (facts.brand) item.brand = std::move(facts.brand);
    ++read;
  }
  co_await _notify_progress(on_progress, "✓ Read " + std::to_string(read) + "/" + count + " resolved product pages.");
}

}  // namespace tarvik::commerce
