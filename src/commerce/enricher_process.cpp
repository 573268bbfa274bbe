// The pipeline's entry points: deep enrichment, store resolution, relevance
// labels and the market summary, in that order.
#include <utility>

#include "tarvik/commerce/enricher.hpp"
#include "tarvik/commerce/resolver.hpp"
#include "tarvik/relevance/relevance.hpp"
#include "pages.hpp"

namespace tarvik::commerce {

using models::CommerceIntelligence;

namespace {
// Store resolution of a pipeline run: crawls at once, and seconds per page.
constexpr int kResolveConcurrency = 4;
constexpr int kResolvePageTimeoutSeconds = 15;
// The currency of the market summary's price figures.
constexpr const char* kSummaryCurrency = "USD";
}  // namespace

asio::awaitable<CommerceIntelligence> CommerceEnricher::process_async(std::vector<models::VisualMatch> matches,
                                                                      ProgressCallback on_progress,
                                                                      PipelineOptions options) {
  CommerceIntelligence result;
  if (matches.empty()) co_return result;
  const auto total_matches = static_cast<std::int64_t>(matches.size());

  std::vector<models::EnrichedCommerceMatch> items =
      co_await enrich_matches_deep_async(std::move(matches), options.max_items, on_progress, options);
  if (options.resolve_stores) {
    std::vector<std::string> before;
    if (options.follow_resolved)
      for (const auto& item : items) before.push_back(item.direct_url);
    co_await DirectStoreResolver::resolve_async(items, kResolveConcurrency, kResolvePageTimeoutSeconds, on_progress,
                                                options);
    if (options.follow_resolved) co_await follow_resolved_links(items, before, on_progress, options);
  }
  for (models::EnrichedCommerceMatch& item : items) {
    if (!item.relevance) item.relevance = relevance::classify_match_relevance(item, nullptr);
  }
  models::CommerceSummary base;
  base.total_matches = total_matches;
  base.currency = kSummaryCurrency;
  result.summary = relevance::recompute_market_summary(items, base);
  result.items = std::move(items);
  co_return result;
}

CommerceIntelligence CommerceEnricher::process(std::vector<models::VisualMatch> matches, ProgressCallback on_progress,
                                               PipelineOptions options) {
  return _run_coroutine(process_async(std::move(matches), std::move(on_progress), std::move(options)));
}

}  // namespace tarvik::commerce
