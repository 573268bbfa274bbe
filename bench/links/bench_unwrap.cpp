// Throughput of URL unwrapping on the links a reverse-image search typically
// returns: tracking-laden product URLs and search redirect wrappers.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "tarvik/links/unwrapper.hpp"

namespace {

using tarvik::commerce::URLUnwrapper;

void run(benchmark::State& state, const std::vector<std::string>& urls) {
  std::size_t i = 0;
  for (auto _ : state) {
    std::string clean = URLUnwrapper::unwrap(urls[i]);
    benchmark::DoNotOptimize(clean);
    if (++i == urls.size()) i = 0;
  }
  state.counters["URLs/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_UnwrapProductURL(benchmark::State& state) {
  static const std::vector<std::string> urls = {
      "https://www.shop.example/p/leather-tote?utm_source=x&utm_medium=y&color=black&gclid=abc#:~:text=tote",
  };
  run(state, urls);
}
BENCHMARK(BM_UnwrapProductURL);

void BM_UnwrapProductMix(benchmark::State& state) {
  static const std::vector<std::string> urls = {
      "https://www.shop.example/p/leather-tote?utm_source=x&utm_medium=y&color=black&gclid=abc#:~:text=tote",
      "https://store.example.co.uk/products/ceramic-vase-blue?variant=4412&utm_campaign=spring&fbclid=IwAR0x",
      "https://www.market.example/itm/1234567890?hash=item1c&_trkparms=amclksrc%3DITM&msclkid=77ab",
      "https://brand.example/en-us/shoes/runner-2%20pro?size=42&colour=white%2Fgrey&source=gshop#reviews",
      "https://www.shop.example/p/leather-tote",
  };
  run(state, urls);
}
BENCHMARK(BM_UnwrapProductMix);

void BM_UnwrapRedirectWrapper(benchmark::State& state) {
  static const std::vector<std::string> urls = {
      "https://www.google.com/url?sa=t&rct=j&q=&esrc=s&source=web&cd=1&ved=2ahUKEwj&url="
      "https%3A%2F%2Fwww.shop.example%2Fp%2Fleather-tote%3Fcolor%3Dblack%26utm_source%3Dx&usg=AOvVaw3",
      "https://www.google.co.uk/url?q=https://store.example.co.uk/products/ceramic-vase%3Fvariant%3D4412"
      "%26utm_campaign%3Dspring&sa=U&ved=0ahUKEwi&usg=AOvVaw1",
  };
  run(state, urls);
}
BENCHMARK(BM_UnwrapRedirectWrapper);

void BM_ExtractDomain(benchmark::State& state) {
  const std::string url = "https://www.shop.example/p/leather-tote?utm_source=x&color=black";
  for (auto _ : state) {
    std::string d = URLUnwrapper::extract_domain(url);
    benchmark::DoNotOptimize(d);
  }
  state.counters["URLs/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ExtractDomain);

}  // namespace

BENCHMARK_MAIN();
