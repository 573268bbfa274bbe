// Uses the installed library as an embedder would: enrich a match over its own
// fetcher, label, summarise and write CSV. Exits non-zero on a wrong answer.
#include <tarvik/commerce.hpp>
#include <tarvik/relevance/relevance.hpp>

#include <cstdio>
#include <string>
#include <vector>

using namespace tarvik;

int main() {
  models::VisualMatch match;
  match.link = "https://www.google.com/url?q=https://shop.example/p/mug%3Futm_source%3Dx&sa=U";
  match.title = "Blue Mug";
  match.price = "1.299,99 \xE2\x82\xAC";
  commerce::PipelineOptions options;
  options.fetch_pages = [](std::vector<std::string>, double) -> boost::asio::awaitable<core::PageMap> {
    co_return core::PageMap{};
  };
  std::vector<models::VisualMatch> matches{match};
  auto items = commerce::_run_coroutine(
      commerce::CommerceEnricher::enrich_matches_deep_async(matches, std::nullopt, {}, options));
  for (auto& item : items) item.relevance = relevance::classify_match_relevance(item);
  models::CommerceIntelligence result{
      relevance::recompute_market_summary(items, models::CommerceSummary{.total_matches = 1, .currency = "EUR"}),
      items};
  const bool ok = items.size() == 1 && items[0].direct_url == "https://shop.example/p/mug" &&
                  result.summary.min_price == 1299.99 &&
                  commerce::commerce_csv_text(result).find("Blue Mug") != std::string::npos;
  std::puts(ok ? "consumer: ok" : "consumer: wrong answer");
  return ok ? 0 : 1;
}
