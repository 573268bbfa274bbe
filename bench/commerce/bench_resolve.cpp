// Resolution of 20 distinct store search pages, 4 at once, on one Chromium
// session: time to start the session, time for the whole run (start
// included), the CPU time of the browser's whole process tree (reaped
// children's time, so it does not depend on what else the machine runs), and
// the browser's peak memory (the sum of its process group's resident sets,
// sampled every 20 ms), and each page's timeline: the mean time a tab spends
// being created, attached and prepared, navigating until its document
// commits, loading, settling (network idle and DOM unchanged), and being read.
//
//
// For comparison, the same crawl by puppeteer-core (Node) on the same Chromium
// against the same server (bench/commerce/resolve_puppeteer.cjs), when it is
// installed: `npm install --prefix build/bench/puppeteer puppeteer-core@24`
// (TARVIK_BENCH_PUPPETEER names another folder holding node_modules).
//
// And the cost of escalating blocked pages: eight destination pages behind a
// JavaScript challenge fetched, walled, and read again through a browser
// session, against the same eight pages answered at once.
//
//   build/bench/bench_resolve [--benchmark_repetitions=N]
// TARVIK_BENCH_DEBUG=1 logs each page's outcome to standard error;
// TARVIK_BENCH_FLAGS="--flag ..." adds browser flags (to compare launch options).
#include <benchmark/benchmark.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <spdlog/spdlog.h>

#include <boost/asio/steady_timer.hpp>
#include <boost/asio/this_coro.hpp>
#include <boost/asio/use_awaitable.hpp>

#include <boost/json/parse.hpp>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <chrono>
#include <sstream>
#include <string>
#include <thread>

#include "support/http_server.hpp"
#include "support/processes.hpp"
#include "tarvik/browser/chromium.hpp"
#include "tarvik/commerce/enricher.hpp"
#include "tarvik/commerce/resolver.hpp"

namespace {

namespace asio = boost::asio;
using namespace tarvik;
using Clock = std::chrono::steady_clock;

constexpr int kStores = 20;

// A store search page: 40 product links, the wanted one among the first ten, and the
// images, stylesheet and script a real one carries.
std::string store_page(int store) {
  std::string body = "<!doctype html><html><head><link rel=stylesheet href=/s.css><script src=/app.js></script>"
                     "</head><body><h1>Results</h1>";
  for (int i = 0; i < 40; ++i) {
    const bool wanted = i == store % 10;  // among the ten links scored
    body += "<div class=card><img src=/img/" + std::to_string(i) + ".jpg><a href=\"/product/" +
            std::to_string(store) + "-" + std::to_string(i) + "\">" +
            (wanted ? "Vintage Leather Tote Bag " + std::to_string(store) : "Garden Hose Reel " + std::to_string(i)) +
            "</a></div>";
  }
  return body + "</body></html>";
}

// The bench adopts orphaned descendants (a browser's helpers that outlive
// it, as when a driver kills the browser outright), so that their CPU time
// is counted too once they are reaped.
const bool kAdoptsOrphans = prctl(PR_SET_CHILD_SUBREAPER, 1) == 0;

// Reaped children's CPU time, after reaping every descendant that has
// already ended or ends within 5 s; call it only between runs.
double children_cpu_seconds() {
  for (int waited = 0; kAdoptsOrphans && waited < 500;) {
    const pid_t pid = waitpid(-1, nullptr, WNOHANG);
    if (pid > 0) continue;
    if (pid < 0) break;  // no child left
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ++waited;
  }
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The Chromium session, timed at its start and watched for memory.
class WatchedSession : public browser::Session {
 public:
  WatchedSession(browser::ChromiumOptions options, double& start_seconds, std::atomic<pid_t>& pid,
                 browser::ChromiumStats::Timeline& timeline)
      : inner_(std::move(options)), start_seconds_(start_seconds), pid_(pid), timeline_(timeline) {}
  asio::awaitable<void> enter() override {
    const auto t0 = Clock::now();
    co_await inner_.enter();
    start_seconds_ = std::chrono::duration<double>(Clock::now() - t0).count();
    pid_ = inner_.browser_pid();
  }
  asio::awaitable<void> exit() override {
    pid_ = 0;
    timeline_ = inner_.stats().timeline;
    co_await inner_.exit();
  }
  asio::awaitable<std::unique_ptr<browser::Page>> fetch(std::string url) override {
    co_return co_await inner_.fetch(std::move(url));
  }

 private:
  browser::ChromiumSession inner_;
  double& start_seconds_;
  std::atomic<pid_t>& pid_;
  browser::ChromiumStats::Timeline& timeline_;
};

void BM_ResolveTwentyStorePages(benchmark::State& state) {
  if (!browser::find_browser()) {
    state.SkipWithError("chromium is not installed");
    return;
  }
  if (std::getenv("TARVIK_BENCH_DEBUG")) commerce::_resolver_logger()->set_level(spdlog::level::debug);
  // The stores on the loopback server, reached through the fetcher.
  test::HttpServer server;
  std::vector<models::EnrichedCommerceMatch> template_items;
  for (int s = 0; s < kStores; ++s) {
    const std::string host = "store" + std::to_string(s) + ".test";
    server.route(host, "/search", test::html(store_page(s)));
    server.route(host, "/app.js", test::html("document.body && document.body.classList.add('ready')",
                                             "text/javascript"));
    models::EnrichedCommerceMatch item;
    item.title = "Vintage Leather Tote Bag " + std::to_string(s);
    item.direct_url = server.url(host, "/search?q=vintage+leather+tote");
    item.merchant_name = "Store " + std::to_string(s);
    template_items.push_back(item);
  }

  double start_total = 0, peak_total = 0, cpu_total = 0;
  int resolved_total = 0;
  browser::ChromiumStats::Timeline steps;
  for (auto _ : state) {
    browser::ChromiumStats::Timeline timeline;
    auto items = template_items;
    double start_seconds = 0;
    std::atomic<pid_t> pid{0};
    std::atomic<bool> running{true};
    std::atomic<std::size_t> peak{0};
    std::thread sampler([&] {
      while (running) {
        if (const pid_t p = pid) peak = std::max<std::size_t>(peak, test::group_rss(p));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
      }
    });
    commerce::PipelineOptions options;
    options.fetch.connect_to = {server.mapping()};
    options.make_session = [&](const browser::SessionOptions& s) -> std::unique_ptr<browser::Session> {
      browser::ChromiumOptions o;
      o.session = s;
      o.fetch = options.fetch;
      if (const char* flags = std::getenv("TARVIK_BENCH_FLAGS")) {
        std::istringstream words(flags);
        for (std::string flag; words >> flag;) o.extra_flags.push_back(flag);
      }
      return std::make_unique<WatchedSession>(std::move(o), start_seconds, pid, timeline);
    };
    const double cpu0 = children_cpu_seconds();
    const auto t0 = Clock::now();
    commerce::DirectStoreResolver::resolve(items, 4, 15, {}, options);
    const double total = std::chrono::duration<double>(Clock::now() - t0).count();
    cpu_total += children_cpu_seconds() - cpu0;
    running = false;
    sampler.join();
    state.SetIterationTime(total);
    start_total += start_seconds;
    peak_total += static_cast<double>(peak.load());
    for (std::size_t i = 0; i < items.size(); ++i) resolved_total += items[i].direct_url != template_items[i].direct_url;
    steps.create += timeline.create;
    steps.attach += timeline.attach;
    steps.navigate += timeline.navigate;
    steps.load += timeline.load;
    steps.settle += timeline.settle;
    steps.read += timeline.read;
    steps.pages += timeline.pages;
  }
  const auto per_page = [&](std::chrono::microseconds spent) {
    return steps.pages ? static_cast<double>(spent.count()) / 1000.0 / static_cast<double>(steps.pages) : 0.0;
  };
  state.counters["tab_create_ms"] = per_page(steps.create);
  state.counters["tab_attach_ms"] = per_page(steps.attach);
  state.counters["tab_navigate_ms"] = per_page(steps.navigate);
  state.counters["tab_load_ms"] = per_page(steps.load);
  state.counters["tab_settle_ms"] = per_page(steps.settle);
  state.counters["tab_read_ms"] = per_page(steps.read);
  const double n = static_cast<double>(state.iterations());
  state.counters["session_start_s"] = start_total / n;
  state.counters["peak_rss_MiB"] = peak_total / n / (1 << 20);
  state.counters["resolved"] = resolved_total / n;
  state.counters["browser_cpu_s"] = cpu_total / n;
}

BENCHMARK(BM_ResolveTwentyStorePages)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// The twenty store pages on a server, for the crawl driven from Node.
void serve_stores(test::HttpServer& server) {
  for (int s = 0; s < kStores; ++s) {
    const std::string host = "store" + std::to_string(s) + ".test";
    server.route(host, "/search", test::html(store_page(s)));
    server.route(host, "/app.js", test::html("document.body && document.body.classList.add('ready')",
                                             "text/javascript"));
  }
}

void BM_PuppeteerTwentyStorePages(benchmark::State& state) {
  const auto chromium = browser::find_browser();
  const char* given = std::getenv("TARVIK_BENCH_PUPPETEER");
  const std::filesystem::path modules =
      std::filesystem::path(given ? given : TARVIK_SOURCE_DIR "/build/bench/puppeteer") / "node_modules";
  if (!chromium || !std::filesystem::exists(modules / "puppeteer-core")) {
    state.SkipWithError("puppeteer-core or chromium not installed (see the comment at the top)");
    return;
  }
  test::HttpServer server;
  serve_stores(server);
  const std::string command = "NODE_PATH='" + modules.string() + "' node '" TARVIK_SOURCE_DIR
                              "/bench/commerce/resolve_puppeteer.cjs' '" + *chromium + "' " +
                              std::to_string(server.port()) + " " + std::to_string(kStores) + " 4";
  double start_total = 0, browser_cpu_total = 0, driver_cpu_total = 0, resolved_total = 0;
  for (auto _ : state) {
    const double cpu0 = children_cpu_seconds();
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
      char buffer[512];
      while (fgets(buffer, sizeof buffer, p)) out += buffer;
      if (pclose(p) != 0) out.clear();
    }
    const double cpu = children_cpu_seconds() - cpu0;
    if (out.empty()) {
      state.SkipWithError("the Node crawl failed");
      return;
    }
    const auto report = boost::json::parse(out).as_object();
    const auto number = [&](const char* key) { return report.at(key).to_number<double>(); };
    state.SetIterationTime(number("total_s"));
    start_total += number("start_s");
    resolved_total += number("resolved");
    driver_cpu_total += number("driver_cpu_s");
    browser_cpu_total += cpu - number("driver_cpu_s");
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["session_start_s"] = start_total / n;
  state.counters["resolved"] = resolved_total / n;
  state.counters["browser_cpu_s"] = browser_cpu_total / n;
  state.counters["node_driver_cpu_s"] = driver_cpu_total / n;
}

BENCHMARK(BM_PuppeteerTwentyStorePages)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// A product page behind a managed challenge: the browser runs the script and
// comes back with the token; a plain fetch gets the 403 wall.
constexpr const char* kChallenge =
    R"(<!DOCTYPE html><html lang="en-US"><head><title>Just a moment...</title></head><body><noscript>Enable )"
    R"(JavaScript and cookies to continue</noscript><script>window._cf_chl_opt={cType:'managed'};)"
    R"(location.replace(location.pathname + '?__chl_tk=' + ['o', 'k'].join(''));</script></body></html>)";
constexpr const char* kProduct =
    R"(<!doctype html><html><head><title>Walled Tote | Store</title><script type="application/ld+json">)"
    R"({"@context":"https://schema.org","@type":"Product","name":"Walled Leather Tote","brand":"Acme",)"
    R"("offers":{"@type":"Offer","price":"129.00","priceCurrency":"USD"}}</script></head><body>ok</body></html>)";

// Eight destination pages in one deep-enrichment batch; with range(0) = 1
// each is walled and escalated, with 0 each answers at once.
void BM_EscalateEightBlockedPages(benchmark::State& state) {
  if (!browser::find_browser()) {
    state.SkipWithError("chromium is not installed");
    return;
  }
  constexpr int kPages = 8;
  const bool walled = state.range(0) == 1;
  test::HttpServer server;
  std::vector<models::VisualMatch> matches;
  for (int i = 0; i < kPages; ++i) {
    const std::string host = "wall" + std::to_string(i) + ".test";
    server.route(host, "/p/1", [walled](const test::Request& request) {
      if (!walled || request.target.find("__chl_tk=ok") != std::string::npos) return test::html(kProduct);
      test::Reply wall = test::html(kChallenge);
      wall.status = 403;
      wall.headers = {{"Content-Type", "text/html; charset=UTF-8"}, {"cf-mitigated", "challenge"}};
      return wall;
    });
    models::VisualMatch m;
    m.link = server.url(host, "/p/1");
    m.title = "Tote from the search";
    matches.push_back(m);
  }
  commerce::PipelineOptions options;
  options.fetch.connect_to = {server.mapping()};
  options.fetch_timeout_seconds = 30;
  options.max_escalations = kPages;
  double cpu_total = 0;
  int read_total = 0;
  for (auto _ : state) {
    const double cpu0 = children_cpu_seconds();
    const auto t0 = Clock::now();
    const auto items = commerce::_run_coroutine(
        commerce::CommerceEnricher::enrich_matches_deep_async(matches, std::nullopt, {}, options));
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - t0).count());
    cpu_total += children_cpu_seconds() - cpu0;
    for (const auto& item : items) read_total += item.title == "Walled Leather Tote";
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["pages_read"] = read_total / n;
  state.counters["browser_cpu_s"] = cpu_total / n;
}

BENCHMARK(BM_EscalateEightBlockedPages)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
