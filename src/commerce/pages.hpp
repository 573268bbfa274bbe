// What deep enrichment and the following of resolved links share: fetching
// pages through the pipeline's fetcher, and reading an item's merchant
// category and domain from its page facts.
#pragma once

#include <spdlog/logger.h>

#include <boost/asio/awaitable.hpp>

#include <memory>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tarvik/commerce/async.hpp"
#include "tarvik/commerce/options.hpp"
#include "tarvik/facts/metadata.hpp"
#include "tarvik/fetcher/fetcher.hpp"
#include "tarvik/models/commerce.hpp"

namespace tarvik::commerce {

// The pipeline's logger called `name` ("tarvik.commerce.…"): warnings and up
// to standard error, created once however many threads ask.
std::shared_ptr<spdlog::logger> named_logger(const char* name);

// The pages at `urls`, through options.fetch_pages when set, else the
// project's fetcher; a page that could not be fetched maps to none.
boost::asio::awaitable<core::PageMap> fetch_destination_pages(std::vector<std::string> urls,
                                                              const PipelineOptions& options);

// The registrable domain of a URL, or empty when it does not split.
std::string domain_of(std::string_view url);

// The merchant category of a product page or marketplace listing; none for
// any other page type.
std::optional<models::MerchantCategory> category_of(std::string_view domain, const PageFacts& facts);

// Fetches the product page of every item whose direct URL store resolution
// changed (`before` holds the URLs before it, position by position) and
// fills the item's price, stock, page type, SKU, brand and merchant category
// from the page as deep enrichment would. Items keep their place, title and
// match score; an item whose page cannot be fetched keeps its facts.
boost::asio::awaitable<void> follow_resolved_links(std::vector<models::EnrichedCommerceMatch>& items,
                                                   const std::vector<std::string>& before,
                                                   ProgressCallback on_progress, const PipelineOptions& options);

}  // namespace tarvik::commerce
