// The commerce pipeline's entry points and its asynchronous conventions.
#pragma once

#include <boost/asio/awaitable.hpp>

#include <cstddef>
#include <optional>
#include <vector>

#include "tarvik/commerce/async.hpp"
#include "tarvik/commerce/options.hpp"
#include "tarvik/core/fetcher.hpp"
#include "tarvik/models/commerce.hpp"
#include "tarvik/models/vizor.hpp"

namespace tarvik::commerce {

// The destination fetcher, under the name the pipeline knows it by.
using ScraplingDestinationFetcher = core::ConcurrentFetcher;

class CommerceEnricher {
 public:
  CommerceEnricher() = delete;

  // Seconds each destination page may take, redirects and queueing included.
  static constexpr double FETCH_TIMEOUT_SECONDS = 5;

  // Deep enrichment: one enriched item per match of the first `max_items`
  // matches (all when none), in input order, ranked from 1, with source
  // engine "vizor" and no relevance. Each link is unwrapped to its direct URL
  // and every destination page is fetched in one batch (options.fetch_pages
  // when set, else a ConcurrentFetcher with options.fetch); the page facts of
  // each page, or of the match alone when its page was not fetched, make the
  // item, and product and marketplace pages get a merchant category.
  //
  // A link the unwrapper cannot split stays the item's direct URL as given.
  // Only http and https URLs are handed to the fetcher; the others are built
  // as unfetched pages. Invalid UTF-8 in a match is repaired first.
  //
  // Progress: "Fetching metadata from N merchant destinations..." before the
  // fetch and "Extracting structured product metadata & price intelligence
  // (N items)..." after it, N the number of matches enriched; none for an
  // empty input, which returns at once without fetching. Exceptions from the
  // callback or the fetcher end the run and reach the caller.
  //
  // Arguments are taken by value: the operation is lazy and may be awaited
  // after the caller's temporaries are gone.
  static asio::awaitable<std::vector<models::EnrichedCommerceMatch>> enrich_matches_deep_async(
      std::vector<models::VisualMatch> matches, std::optional<std::size_t> max_items = std::nullopt,
      ProgressCallback on_progress = {}, PipelineOptions options = {});
};

}  // namespace tarvik::commerce
