// Uses the installed library the way an embedder would: unwrap, parse a price,
// enrich a match over the embedder's own fetcher, label, summarise and write
// CSV. Exits non-zero on a wrong answer.
#include <tarvik/commerce.hpp>
#include <tarvik/commerce/aggregator.hpp>
#include <tarvik/relevance.hpp>

#include <cstdio>
#include <string>
#include <vector>

namespace asio = boost::asio;
using namespace tarvik;

int main() {
  int failures = 0;
  auto check = [&failures](bool ok, const char* what) {
    if (!ok) {
      std::fprintf(stderr, "consumer: %s\n", what);
      ++failures;
    }
  };

  const std::string url = commerce::URLUnwrapper::unwrap(
      "https://www.google.com/url?q=https://shop.example/p/mug%3Futm_source%3Dx&sa=U");
  check(url == "https://shop.example/p/mug", "unwrap");
  const auto price = commerce::PriceNormalizer::parse("1.299,99 \xE2\x82\xAC");
  check(price && price->amount() == 1299.99 && price->currency() == "EUR", "price");

  models::VisualMatch match;
  match.link = url;
  match.title = "Blue Mug";
  match.price = "$12";
  commerce::PipelineOptions options;
  options.fetch_pages = [](std::vector<std::string> urls, double) -> asio::awaitable<core::PageMap> {
    core::PageMap pages;
    for (auto& u : urls) pages.emplace(std::move(u), std::nullopt);
    co_return pages;
  };
  std::vector<models::VisualMatch> matches{match};
  auto items = commerce::_run_coroutine(
      commerce::CommerceEnricher::enrich_matches_deep_async(matches, std::nullopt, {}, options));
  check(items.size() == 1 && items[0].direct_url == url, "enrich");
  for (auto& item : items) item.relevance = relevance::classify_match_relevance(item);

  models::CommerceIntelligence result;
  result.summary = relevance::recompute_market_summary(items, models::CommerceSummary{.total_matches = 1});
  result.items = items;
  check(result.summary.priced_items == 1, "summary");
  check(commerce::commerce_csv_text(result).find("Blue Mug") != std::string::npos, "csv");
  if (failures == 0) std::puts("consumer: ok");
  return failures == 0 ? 0 : 1;
}
