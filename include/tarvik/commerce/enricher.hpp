// The commerce pipeline's entry points and its asynchronous conventions.
#pragma once

#include <boost/asio/awaitable.hpp>

#include <cstddef>
#include <optional>
#include <vector>

#include "tarvik/commerce/async.hpp"
#include "tarvik/commerce/options.hpp"
#include "tarvik/fetcher/fetcher.hpp"
#include "tarvik/models/commerce.hpp"
#include "tarvik/models/vizor.hpp"

namespace tarvik::commerce {

// The destination fetcher, under the name the pipeline knows it by.
using ScraplingDestinationFetcher = core::ConcurrentFetcher;

class CommerceEnricher {
 public:
  CommerceEnricher() = delete;

  // The whole pipeline on the caller's event loop: deep enrichment of every
  // match, direct store resolution, a relevance label for every item that has
  // none, and the market summary (total_matches = the number of input matches,
  // currency "USD"). The stages run one after another and report progress in
  // that order; an empty input returns an empty result at once, without a
  // message. Nothing is caught: an exception of a stage or of the callback
  // ends the run and reaches the caller, with no partial result. Cancelling
  // the awaiting coroutine cancels the run; the browser, when one was started,
  // is closed either way.
  static asio::awaitable<models::CommerceIntelligence> process_async(std::vector<models::VisualMatch> matches,
                                                                     ProgressCallback on_progress = {},
                                                                     PipelineOptions options = {});
  // The same pipeline from blocking code, through _run_coroutine: on a fresh
  // loop on this thread, or on one worker thread while this thread blocks when
  // it already runs a loop (progress callbacks then run on the worker).
  static models::CommerceIntelligence process(std::vector<models::VisualMatch> matches,
                                              ProgressCallback on_progress = {}, PipelineOptions options = {});

  // Deep enrichment: one enriched item per match of the first `max_items`
  // matches (all when none), in input order, ranked from 1, with source
  // engine "vizor" and no relevance. Each link is unwrapped to its direct URL
  // and every destination page is fetched in one batch, each page within
  // options.fetch_timeout_seconds (5 unless changed) (options.fetch_pages
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
  // Pages whose plain fetch met a bot manager's wall are fetched once more
  // through a browser session (options.escalate, options.max_escalations),
  // announced by "Retrying N blocked destinations in the browser..." before
  // the second message; the batch's time-out bounds that too, and a browser
  // that cannot start leaves those pages unfetched with one warning.
  //
  // Arguments are taken by value: the operation is lazy and may be awaited
  // after the caller's temporaries are gone.
  static asio::awaitable<std::vector<models::EnrichedCommerceMatch>> enrich_matches_deep_async(
      std::vector<models::VisualMatch> matches, std::optional<std::size_t> max_items = std::nullopt,
      ProgressCallback on_progress = {}, PipelineOptions options = {});
};

}  // namespace tarvik::commerce
