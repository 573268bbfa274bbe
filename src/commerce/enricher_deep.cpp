// Deep enrichment: visual matches to enriched commerce items through one batch
// fetch of their destination pages.
#include <boost/asio/this_coro.hpp>

#include <string>
#include <string_view>
#include <utility>

#include "tarvik/merchants/classifier.hpp"
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

}  // namespace

asio::awaitable<core::PageMap> fetch_destination_pages(std::vector<std::string> urls, const PipelineOptions& options) {
  if (options.fetch_pages)
    co_return co_await options.fetch_pages(std::move(urls), options.fetch_timeout_seconds);
  core::ConcurrentFetcher fetcher(co_await asio::this_coro::executor, options.fetch);
  co_return co_await fetcher.fetch_pages(std::move(urls), options.fetch_timeout_seconds);
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
  const core::PageMap pages = co_await fetch_destination_pages(std::move(urls), options);
  message = "Extracting structured product metadata & price intelligence (" + count + " items)...";
  co_await _notify_progress(on_progress, std::move(message));

  items.reserve(matches.size());
  for (std::size_t i = 0; i < matches.size(); ++i)
    items.push_back(build_item(matches[i], destinations[i], static_cast<std::int64_t>(i + 1), pages, options.extraction));
  co_return items;
}

}  // namespace tarvik::commerce
