// The fetcher's scheduling under load: 5k, 20k and 100k pages of one batch
// to one host, and spread over 1,000 hosts, every one refused by the address
// guard (loopback literals), so the time measured is the queue's and
// libcurl's bookkeeping, not a network's. Default limits (64 in all, 6 per
// host): most pages wait. Wall time is the benchmark's real time; peak_rss_MB
// is the process's peak so far (the sizes run in rising order).
#include <benchmark/benchmark.h>

#include <boost/asio/co_spawn.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/this_coro.hpp>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/bench_usage.hpp"
#include "tarvik/fetcher/fetcher.hpp"

namespace {

namespace asio = boost::asio;
using tarvik::core::ConcurrentFetcher;
using tarvik::core::PageMap;

asio::awaitable<PageMap> fetch(std::vector<std::string> urls) {
  tarvik::core::FetchOptions options;
  options.chromium_version = "156";
  ConcurrentFetcher fetcher(co_await asio::this_coro::executor, options);
  co_return co_await fetcher.fetch_pages(std::move(urls), 3600);
}

void run_batch(benchmark::State& state, std::size_t hosts) {
  const auto count = static_cast<std::size_t>(state.range(0));
  std::vector<std::string> urls;
  urls.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t host = i % hosts;
    urls.push_back("http://127.0." + std::to_string(host / 256) + "." + std::to_string(host % 256) + ":9/p" +
                   std::to_string(i));
  }
  std::size_t fetched = 0;
  for (auto _ : state) {
    asio::io_context io;
    std::optional<PageMap> pages;
    asio::co_spawn(io, fetch(urls), [&](std::exception_ptr e, PageMap p) {
      if (e) std::rethrow_exception(e);
      pages = std::move(p);
    });
    io.run();
    fetched = 0;
    for (const auto& [url, page] : *pages) fetched += page.has_value();
  }
  if (fetched != 0) state.SkipWithError("a refused page was fetched");
  state.counters["peak_rss_MB"] = tarvik::bench::peak_rss_mb();
  state.counters["cpu_s"] = tarvik::bench::cpu_seconds();
}

void BM_RefusedOneHost(benchmark::State& state) { run_batch(state, 1); }
void BM_Refused1000Hosts(benchmark::State& state) { run_batch(state, 1000); }

BENCHMARK(BM_RefusedOneHost)->Arg(5000)->Arg(20000)->Arg(100000)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Refused1000Hosts)->Arg(5000)->Arg(20000)->Arg(100000)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
