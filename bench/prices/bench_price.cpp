// Throughput of price parsing on the national styles that search results and
// product pages typically show.
#include <benchmark/benchmark.h>

#include <optional>
#include <string>
#include <vector>

#include "tarvik/prices/normalizer.hpp"

namespace {

using tarvik::commerce::PriceNormalizer;

void run(benchmark::State& state, const std::vector<std::string>& texts,
         std::optional<std::string_view> hint) {
  std::size_t i = 0;
  for (auto _ : state) {
    auto price = PriceNormalizer::parse(texts[i], hint);
    benchmark::DoNotOptimize(price);
    if (++i == texts.size()) i = 0;
  }
  state.counters["texts/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

const std::vector<std::string>& typical() {
  static const std::vector<std::string> texts = {"$1,299.99", "1.299,99 €", "12 USD", "€ 12,50"};
  return texts;
}

void BM_PriceTypical(benchmark::State& state) { run(state, typical(), std::nullopt); }
BENCHMARK(BM_PriceTypical);

void BM_PriceTypicalWithHint(benchmark::State& state) { run(state, typical(), "eur"); }
BENCHMARK(BM_PriceTypicalWithHint);

void BM_PriceInSentence(benchmark::State& state) {
  static const std::vector<std::string> texts = {
      "Now only $12.99 - was $15.99, free shipping on orders over $35",
      "Prix : 1 299,00 € TTC (éco-participation incluse)",
  };
  run(state, texts, std::nullopt);
}
BENCHMARK(BM_PriceInSentence);

void BM_PriceNone(benchmark::State& state) {
  static const std::vector<std::string> texts = {"Price on request", "Sold out"};
  run(state, texts, std::nullopt);
}
BENCHMARK(BM_PriceNone);

}  // namespace

BENCHMARK_MAIN();
