// The pipeline's entry points: deep enrichment, store resolution, relevance
// labels and the market summary, in that order.
#include <utility>

#include "tarvik/commerce/enricher.hpp"
#include "tarvik/commerce/resolver.hpp"
#include "tarvik/relevance/relevance.hpp"

namespace tarvik::commerce {

using models::CommerceIntelligence;

asio::awaitable<CommerceIntelligence> CommerceEnricher::process_async(std::vector<models::VisualMatch> matches,
                                                                      ProgressCallback on_progress,
                                                                      PipelineOptions options) {
  CommerceIntelligence result;
  if (matches.empty()) co_return result;
  const auto total_matches = static_cast<std::int64_t>(matches.size());

  std::vector<models::EnrichedCommerceMatch> items =
      co_await enrich_matches_deep_async(std::move(matches), options.max_items, on_progress, options);
  if (options.resolve_stores) co_await DirectStoreResolver::resolve_async(items, 4, 15, on_progress, options);
  for (models::EnrichedCommerceMatch& item : items) {
    if (!item.relevance) item.relevance = relevance::classify_match_relevance(item, nullptr);
  }
  models::CommerceSummary base;
  base.total_matches = total_matches;
  base.currency = "USD";
  result.summary = relevance::recompute_market_summary(items, base);
  result.items = std::move(items);
  co_return result;
}

CommerceIntelligence CommerceEnricher::process(std::vector<models::VisualMatch> matches, ProgressCallback on_progress,
                                               PipelineOptions options) {
  return _run_coroutine(process_async(std::move(matches), std::move(on_progress), std::move(options)));
}

}  // namespace tarvik::commerce
