// A batch of destination pages through the real fetcher: 200 product pages
// of 150 KB over 20 host names on the loopback server, each answered after
// 100 ms, fetched with default limits. Wall time is the benchmark's real
// time; the counters give CPU time from getrusage (the whole process, and the
// client alone: the process minus the server's threads) and the peak RSS.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <boost/asio/co_spawn.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/this_coro.hpp>

#include <optional>
#include <stdexcept>

#include "support/page_scenario.hpp"
#include "tarvik/fetcher/fetcher.hpp"

namespace {

namespace asio = boost::asio;
using tarvik::core::ConcurrentFetcher;
using tarvik::core::PageMap;

double process_cpu_seconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double peak_rss_mb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

asio::awaitable<PageMap> fetch(tarvik::core::FetchOptions options, std::vector<std::string> urls) {
  ConcurrentFetcher fetcher(co_await asio::this_coro::executor, std::move(options));
  co_return co_await fetcher.fetch_pages(std::move(urls), 5);
}

void BM_FetchPages(benchmark::State& state) {
  tarvik::test::HttpServer server;
  const auto scenario = tarvik::test::serve_product_pages(server);
  double process_cpu = 0, server_cpu = 0;
  std::size_t fetched = 0;
  for (auto _ : state) {
    const double cpu0 = process_cpu_seconds(), server0 = server.cpu_seconds();
    asio::io_context io;
    std::optional<PageMap> pages;
    asio::co_spawn(io, fetch(scenario.options, scenario.urls), [&](std::exception_ptr e, PageMap p) {
      if (e) std::rethrow_exception(e);
      pages = std::move(p);
    });
    io.run();
    process_cpu += process_cpu_seconds() - cpu0;
    server_cpu += server.cpu_seconds() - server0;
    fetched = 0;
    for (const auto& [url, page] : *pages) fetched += page.has_value();
  }
  const auto average = benchmark::Counter::kAvgIterations;
  state.counters["process_cpu_s"] = benchmark::Counter(process_cpu, average);
  state.counters["client_cpu_s"] = benchmark::Counter(process_cpu - server_cpu, average);
  state.counters["peak_rss_MB"] = peak_rss_mb();
  state.counters["pages"] = static_cast<double>(fetched);
}
BENCHMARK(BM_FetchPages)->Iterations(5)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
