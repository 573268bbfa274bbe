// The whole pipeline (`process`):
// - Demo: the 27 matches of examples/ replayed from examples/demo.warc.gz,
//   store search pages opened in the real browser from the same archive.
// - Loopback/resolve:0|1: 200 matches on the loopback server, each page
//   answered after 100 ms: 180 product pages (150 KB) and 20 store search
//   pages whose links lead to them; store resolution off, then on.
// Counters: CPU time of this process and of the browser (the children it
// waited for; the browser is reaped by its keeper, whose time includes it),
// peak RSS of this process.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "bench/bench_usage.hpp"
#include "support/page_scenario.hpp"
#include "tarvik/browser/chromium.hpp"
#include "tarvik/commerce/enricher.hpp"
#include "tarvik/fetcher/warc.hpp"
#include "tarvik/models/io.hpp"

namespace {

using tarvik::commerce::CommerceEnricher;
using tarvik::commerce::PipelineOptions;

const std::string EXAMPLES = std::string(TARVIK_SOURCE_DIR) + "/examples/";

void report(benchmark::State& state, double self_cpu, double child_cpu, std::size_t items, std::size_t priced) {
  state.counters["cpu_s"] = benchmark::Counter(self_cpu, benchmark::Counter::kAvgIterations);
  state.counters["browser_cpu_s"] = benchmark::Counter(child_cpu, benchmark::Counter::kAvgIterations);
  state.counters["peak_rss_MB"] = tarvik::bench::peak_rss_mb();
  state.counters["items"] = static_cast<double>(items);
  state.counters["priced"] = static_cast<double>(priced);
}

template <class Run>
void measure(benchmark::State& state, Run run) {
  double self_cpu = 0, child_cpu = 0;
  std::size_t items = 0, priced = 0;
  for (auto _ : state) {
    const double self0 = tarvik::bench::cpu_seconds(), child0 = tarvik::bench::cpu_seconds(RUSAGE_CHILDREN);
    const auto result = run();
    self_cpu += tarvik::bench::cpu_seconds() - self0;
    child_cpu += tarvik::bench::cpu_seconds(RUSAGE_CHILDREN) - child0;
    items = result.items.size();
    priced = 0;
    for (const auto& item : result.items) priced += item.price.has_value();
  }
  report(state, self_cpu, child_cpu, items, priced);
}

void BM_PipelineDemo(benchmark::State& state) {
  if (!tarvik::browser::find_browser()) {
    state.SkipWithError("no chromium on the PATH");
    return;
  }
  std::ifstream in(EXAMPLES + "matches.json");
  std::stringstream text;
  text << in.rdbuf();
  const auto matches = tarvik::models::read_visual_matches(text.str());
  PipelineOptions options;
  options.fetch.replay = tarvik::core::WarcArchive::open({EXAMPLES + "demo.warc.gz"});
  measure(state, [&] { return CommerceEnricher::process(matches, {}, options); });
}
BENCHMARK(BM_PipelineDemo)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_PipelineLoopback(benchmark::State& state) {
  const bool resolve = state.range(0) != 0;
  if (resolve && !tarvik::browser::find_browser()) {
    state.SkipWithError("no chromium on the PATH");
    return;
  }
  tarvik::test::HttpServer server(2);
  tarvik::test::PageScenarioShape shape;
  shape.pages = 180;
  const auto scenario = tarvik::test::serve_product_pages(server, shape);
  std::vector<tarvik::models::VisualMatch> matches;
  for (std::size_t i = 0; i < 200; ++i) {
    tarvik::models::VisualMatch m;
    m.title = "Leather Tote Bag No. " + std::to_string(i % shape.pages);
    m.source = "Example Store";
    if (i % 10 == 9) {
      // A store search page listing three products, the wanted one among them.
      const std::string host = "search-" + std::to_string(i / 10) + ".test";
      std::string page = "<html><body><h1>Results</h1>";
      for (std::size_t k : {i % shape.pages, (i + 1) % shape.pages, (i + 2) % shape.pages})
        page += "<a href=\"" + scenario.urls[k] + "\">Leather Tote Bag No. " + std::to_string(k) + "</a>";
      tarvik::test::Reply reply = tarvik::test::html(page + "</body></html>");
      reply.delay = shape.delay;
      server.route(host, "/search", reply);
      m.link = server.url(host, "/search?q=leather+tote+" + std::to_string(i));
      m.title = "Leather Tote Bag No. " + std::to_string(i % shape.pages);
    } else {
      m.link = scenario.urls[i % shape.pages];
    }
    matches.push_back(std::move(m));
  }
  PipelineOptions options;
  options.fetch = scenario.options;
  options.resolve_stores = resolve;
  measure(state, [&] { return CommerceEnricher::process(matches, {}, options); });
}
BENCHMARK(BM_PipelineLoopback)->ArgName("resolve")->Arg(0)->Arg(1)->Iterations(3)->UseRealTime()->Unit(
    benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
