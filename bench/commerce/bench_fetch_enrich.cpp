// Deep enrichment end to end: 200 visual matches whose destination pages
// (150 KB product pages over 20 host names on the loopback server, each
// answered after 100 ms) are fetched with default limits and read. Wall time
// is the benchmark's real time; counters give the client's CPU time (the
// process minus the server's threads) and the peak RSS.
#include <benchmark/benchmark.h>

#include <boost/asio/co_spawn.hpp>
#include <boost/asio/io_context.hpp>

#include <optional>

#include "bench/bench_usage.hpp"
#include "support/page_scenario.hpp"
#include "tarvik/commerce/enricher.hpp"

namespace {

namespace asio = boost::asio;
using tarvik::commerce::CommerceEnricher;
using tarvik::models::EnrichedCommerceMatch;

void BM_EnrichMatchesDeep(benchmark::State& state) {
  tarvik::test::HttpServer server;
  const auto scenario = tarvik::test::serve_product_pages(server);
  std::vector<tarvik::models::VisualMatch> matches;
  for (std::size_t i = 0; i < scenario.urls.size(); ++i) {
    tarvik::models::VisualMatch m;
    m.link = scenario.urls[i];
    m.title = "Leather Tote Bag No. " + std::to_string(i);
    m.source = "Example Store";
    matches.push_back(std::move(m));
  }
  tarvik::commerce::PipelineOptions options;
  options.fetch = scenario.options;

  double client_cpu = 0;
  std::size_t priced = 0;
  for (auto _ : state) {
    const double cpu0 = tarvik::bench::cpu_seconds(), server0 = server.cpu_seconds();
    asio::io_context io;
    std::optional<std::vector<EnrichedCommerceMatch>> items;
    asio::co_spawn(io, CommerceEnricher::enrich_matches_deep_async(matches, std::nullopt, {}, options),
                   [&](std::exception_ptr e, std::vector<EnrichedCommerceMatch> r) {
                     if (e) std::rethrow_exception(e);
                     items = std::move(r);
                   });
    io.run();
    client_cpu += (tarvik::bench::cpu_seconds() - cpu0) - (server.cpu_seconds() - server0);
    priced = 0;
    for (const auto& item : *items) priced += item.price.has_value();
  }
  state.counters["client_cpu_s"] = benchmark::Counter(client_cpu, benchmark::Counter::kAvgIterations);
  state.counters["peak_rss_MB"] = tarvik::bench::peak_rss_mb();
  state.counters["priced_items"] = static_cast<double>(priced);
}
BENCHMARK(BM_EnrichMatchesDeep)->Iterations(5)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
