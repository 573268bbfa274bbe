// Throughput of merchant classification: a marketplace subdomain, a brand's own
// domain named by the brand, and a site without evidence.
#include <benchmark/benchmark.h>

#include <optional>
#include <string>

#include "tarvik/merchants/classifier.hpp"

namespace {

using tarvik::commerce::MerchantClassifier;

struct Input {
  std::string domain, title;
  std::optional<std::string> brand, merchant;
};

void run(benchmark::State& state, const Input& in) {
  const auto view = [](const std::optional<std::string>& s) {
    return s ? std::optional<std::string_view>(*s) : std::nullopt;
  };
  const auto brand = view(in.brand);
  const auto merchant = view(in.merchant);
  for (auto _ : state) {
    auto category = MerchantClassifier::classify(in.domain, in.title, brand, merchant);
    benchmark::DoNotOptimize(category);
  }
  state.counters["calls/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_ClassifyMarketplaceSubdomain(benchmark::State& state) {
  run(state, {"www.amazon.co.uk", "Leather tote bag, black", std::nullopt, "Amazon.co.uk"});
}
BENCHMARK(BM_ClassifyMarketplaceSubdomain);

void BM_ClassifyBrandDomainWithBrand(benchmark::State& state) {
  run(state, {"www.nike.com", "Nike Air Max 90 Men's Shoes", "Nike", std::nullopt});
}
BENCHMARK(BM_ClassifyBrandDomainWithBrand);

void BM_ClassifyBrandDomainByTitleWords(benchmark::State& state) {
  run(state, {"shop.lunarbags.co.uk", "The Official Bags of Lunar", "Acme", "Some Reseller Ltd"});
}
BENCHMARK(BM_ClassifyBrandDomainByTitleWords);

void BM_ClassifyUnverified(benchmark::State& state) {
  run(state, {"www.cheap-deals-outlet.net", "Nike Air Max 90 Men's Shoes", "Nike", "Bargain World"});
}
BENCHMARK(BM_ClassifyUnverified);

}  // namespace

BENCHMARK_MAIN();
