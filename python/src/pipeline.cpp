// The pipeline for Python: the options class, and the operations that run on
// a thread of their own (see pipeline_run.hpp) and are awaited on the caller's
// asyncio loop by tarvik_commerce._pipeline.
#include <boost/asio/awaitable.hpp>
#include <boost/asio/this_coro.hpp>

#include <chrono>
#include <cmath>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "bindings.hpp"
#include "casters.hpp"
#include "pipeline_run.hpp"
#include "tarvik/commerce/enricher.hpp"
#include "tarvik/commerce/resolver.hpp"
#include "tarvik/fetcher/fetcher.hpp"
#include "tarvik/fetcher/warc.hpp"

namespace tarvik::python {

namespace {

namespace fs = std::filesystem;
using models::CommerceIntelligence;
using models::EnrichedCommerceMatch;
using models::VisualMatch;

// commerce::PipelineOptions with what the caller gave for the parts that are
// objects in C++ (host mappings, archives), so that they read back as given.
struct OptionsBox {
  commerce::PipelineOptions value;
  std::vector<std::string> connect_to;
  std::optional<fs::path> record;
  std::optional<fs::path> replay;

  void set_connect_to(std::vector<std::string> rules) {
    std::vector<core::HostMapping> mappings;
    for (const std::string& rule : rules) {
      try {
        mappings.push_back(core::parse_connect_to(rule));
      } catch (const std::invalid_argument& e) {
        throw py::value_error("connect_to: " + std::string(e.what()));
      }
    }
    value.fetch.connect_to = std::move(mappings);
    connect_to = std::move(rules);
  }

  // The archive is read (and indexed) now, so a bad file fails here.
  void set_replay(std::optional<fs::path> path) {
    std::shared_ptr<const core::WarcArchive> archive;
    if (path) {
      archive = core::WarcArchive::open({*path});
      for (const std::string& line : archive->damage()) {
        if (PyErr_WarnEx(PyExc_RuntimeWarning, ("replay: " + line).c_str(), 1) != 0) throw py::error_already_set();
      }
    }
    value.fetch.replay = std::move(archive);
    replay = std::move(path);
  }

  // The file is created (or truncated) now; every run with these options
  // appends its exchanges to it.
  void set_record(std::optional<fs::path> path) {
    value.fetch.record = path ? std::make_shared<core::WarcWriter>(*path) : nullptr;
    record = std::move(path);
  }
};

double positive_seconds(double seconds, const char* name) {
  if (!std::isfinite(seconds) || seconds <= 0) {
    throw py::value_error(std::string(name) + ": expected a positive number of seconds, got " +
                          py::repr(py::float_(seconds)).cast<std::string>());
  }
  return seconds;
}

const char* const kOptionFields[] = {
    "max_total_connections", "max_host_connections", "max_body_bytes", "max_redirects", "connect_timeout",
    "user_agent", "allow_private_network", "insecure", "connect_to", "record", "replay", "browser_path", "extraction",
    "resolve_stores", "max_items", "fetch_timeout_seconds", "follow_resolved", "escalate", "max_escalations",
};

std::unique_ptr<OptionsBox> make_options(std::size_t max_total_connections, std::size_t max_host_connections,
                                         std::size_t max_body_bytes, int max_redirects, double connect_timeout,
                                         std::string user_agent, bool allow_private_network, bool insecure,
                                         std::vector<std::string> connect_to, std::optional<fs::path> record,
                                         std::optional<fs::path> replay, std::string browser_path,
                                         commerce::ExtractionMode extraction, bool resolve_stores,
                                         std::optional<std::size_t> max_items, double fetch_timeout_seconds,
                                         bool follow_resolved, bool escalate, std::size_t max_escalations) {
  auto box = std::make_unique<OptionsBox>();
  core::FetchOptions& f = box->value.fetch;
  f.max_total_connections = max_total_connections;
  f.max_host_connections = max_host_connections;
  f.max_body_bytes = max_body_bytes;
  f.max_redirects = max_redirects;
  f.connect_timeout = std::chrono::milliseconds(
      std::max<long long>(1, std::llround(positive_seconds(connect_timeout, "connect_timeout") * 1000)));
  f.user_agent = std::move(user_agent);
  f.allow_private_network = allow_private_network;
  f.insecure = insecure;
  box->set_connect_to(std::move(connect_to));
  box->value.browser_path = std::move(browser_path);
  box->value.extraction = extraction;
  box->value.resolve_stores = resolve_stores;
  box->value.max_items = max_items;
  box->value.follow_resolved = follow_resolved;
  box->value.fetch_timeout_seconds = positive_seconds(fetch_timeout_seconds, "fetch_timeout_seconds");
  box->value.escalate = escalate;
  box->value.max_escalations = max_escalations;
  // Files last: nothing is created when another value is bad.
  box->set_replay(std::move(replay));
  box->set_record(std::move(record));
  return box;
}

commerce::PipelineOptions options_of(const OptionsBox* box) { return box ? box->value : commerce::PipelineOptions{}; }

// Each exchange is on disk when the run is reported ended.
std::function<void()> flush_recording(const commerce::PipelineOptions& options) {
  if (!options.fetch.record) return {};
  return [record = options.fetch.record] { record->flush(); };
}

asio::awaitable<std::vector<EnrichedCommerceMatch>> resolve_items(std::vector<EnrichedCommerceMatch> items,
                                                                  int max_concurrency, int timeout,
                                                                  commerce::ProgressCallback on_progress,
                                                                  commerce::PipelineOptions options) {
  co_await commerce::DirectStoreResolver::resolve_async(items, max_concurrency, timeout, on_progress, options);
  co_return items;
}

asio::awaitable<core::PageMap> fetch_pages(std::vector<std::string> urls, double timeout, core::FetchOptions fetch) {
  core::ConcurrentFetcher fetcher(co_await asio::this_coro::executor, std::move(fetch));
  co_return co_await fetcher.fetch_pages(std::move(urls), timeout);
}

using ProcessRun = ResultRun<CommerceIntelligence>;
using ItemsRun = ResultRun<std::vector<EnrichedCommerceMatch>>;
using FetchRun = ResultRun<core::PageMap>;

template <typename Run>
void bind_run(py::module_& m, const char* name) {
  py::class_<Run, NativeRun>(m, name)
      .def("result", &Run::result,
           "The operation's result once it has ended (joins its thread first), or its exception.");
}

}  // namespace

void bind_pipeline(py::module_& m) {
  const commerce::PipelineOptions defaults;
  py::class_<OptionsBox>(m, "PipelineOptions", R"doc(
How the pipeline reaches outside components: the fetcher's limits, address
guard, host mappings and WARC archives (the browser's requests go through the
same fetcher), the browser executable, the page-facts extraction mode, and the
run's own departures (max_items, resolve_stores, fetch_timeout_seconds,
follow_resolved: fetch the product pages store resolution finds and read
their price, stock, page type, SKU and brand), and the escalation of
destination pages that a bot manager blocked (403, 429 or 503 with a
challenge page) to the browser: escalate, at most max_escalations pages a
run, within the fetch time-out, never in replay.

connect_to takes curl's --connect-to rules "HOST1:PORT1:HOST2:PORT2" (a bad
rule is a ValueError naming it). replay is read when set; record is created
(or truncated) when set, and every run with these options appends to it.
Times are in seconds.)doc")
      .def(py::init(&make_options), py::kw_only(),
           py::arg("max_total_connections") = defaults.fetch.max_total_connections,
           py::arg("max_host_connections") = defaults.fetch.max_host_connections,
           py::arg("max_body_bytes") = defaults.fetch.max_body_bytes,
           py::arg("max_redirects") = defaults.fetch.max_redirects,
           py::arg("connect_timeout") = std::chrono::duration<double>(defaults.fetch.connect_timeout).count(),
           py::arg("user_agent") = defaults.fetch.user_agent,
           py::arg("allow_private_network") = defaults.fetch.allow_private_network,
           py::arg("insecure") = defaults.fetch.insecure,
           py::arg("connect_to") = std::vector<std::string>{}, py::arg("record") = py::none(),
           py::arg("replay") = py::none(), py::arg("browser_path") = defaults.browser_path,
           py::arg("extraction") = defaults.extraction, py::arg("resolve_stores") = defaults.resolve_stores,
           py::arg("max_items") = py::none(), py::arg("fetch_timeout_seconds") = defaults.fetch_timeout_seconds,
           py::arg("follow_resolved") = defaults.follow_resolved, py::arg("escalate") = defaults.escalate,
           py::arg("max_escalations") = defaults.max_escalations)
      .def_property(
          "max_total_connections", [](const OptionsBox& o) { return o.value.fetch.max_total_connections; },
          [](OptionsBox& o, std::size_t v) { o.value.fetch.max_total_connections = v; })
      .def_property(
          "max_host_connections", [](const OptionsBox& o) { return o.value.fetch.max_host_connections; },
          [](OptionsBox& o, std::size_t v) { o.value.fetch.max_host_connections = v; })
      .def_property(
          "max_body_bytes", [](const OptionsBox& o) { return o.value.fetch.max_body_bytes; },
          [](OptionsBox& o, std::size_t v) { o.value.fetch.max_body_bytes = v; })
      .def_property(
          "max_redirects", [](const OptionsBox& o) { return o.value.fetch.max_redirects; },
          [](OptionsBox& o, int v) { o.value.fetch.max_redirects = v; })
      .def_property(
          "connect_timeout",
          [](const OptionsBox& o) { return std::chrono::duration<double>(o.value.fetch.connect_timeout).count(); },
          [](OptionsBox& o, double v) {
            o.value.fetch.connect_timeout =
                std::chrono::milliseconds(std::max<long long>(1, std::llround(positive_seconds(v, "connect_timeout") * 1000)));
          })
      .def_property(
          "user_agent", [](const OptionsBox& o) { return o.value.fetch.user_agent; },
          [](OptionsBox& o, std::string v) { o.value.fetch.user_agent = std::move(v); })
      .def_property(
          "allow_private_network", [](const OptionsBox& o) { return o.value.fetch.allow_private_network; },
          [](OptionsBox& o, bool v) { o.value.fetch.allow_private_network = v; })
      .def_property(
          "insecure", [](const OptionsBox& o) { return o.value.fetch.insecure; },
          [](OptionsBox& o, bool v) { o.value.fetch.insecure = v; },
          "DANGEROUS, for loopback test servers only: TLS certificates and host names are not verified "
          "(curl's -k), for the fetcher and the browser alike. Never set it for real stores.")
      .def_property(
          "connect_to", [](const OptionsBox& o) { return o.connect_to; }, &OptionsBox::set_connect_to)
      .def_property(
          "record", [](const OptionsBox& o) { return o.record; }, &OptionsBox::set_record)
      .def_property(
          "replay", [](const OptionsBox& o) { return o.replay; }, &OptionsBox::set_replay)
      .def_property(
          "browser_path", [](const OptionsBox& o) { return o.value.browser_path; },
          [](OptionsBox& o, std::string v) { o.value.browser_path = std::move(v); })
      .def_property(
          "extraction", [](const OptionsBox& o) { return o.value.extraction; },
          [](OptionsBox& o, commerce::ExtractionMode v) { o.value.extraction = v; })
      .def_property(
          "resolve_stores", [](const OptionsBox& o) { return o.value.resolve_stores; },
          [](OptionsBox& o, bool v) { o.value.resolve_stores = v; })
      .def_property(
          "follow_resolved", [](const OptionsBox& o) { return o.value.follow_resolved; },
          [](OptionsBox& o, bool v) { o.value.follow_resolved = v; })
      .def_property(
          "max_items", [](const OptionsBox& o) { return o.value.max_items; },
          [](OptionsBox& o, std::optional<std::size_t> v) { o.value.max_items = v; })
      .def_property(
          "fetch_timeout_seconds", [](const OptionsBox& o) { return o.value.fetch_timeout_seconds; },
          [](OptionsBox& o, double v) { o.value.fetch_timeout_seconds = positive_seconds(v, "fetch_timeout_seconds"); })
      .def_property(
          "escalate", [](const OptionsBox& o) { return o.value.escalate; },
          [](OptionsBox& o, bool v) { o.value.escalate = v; })
      .def_property(
          "max_escalations", [](const OptionsBox& o) { return o.value.max_escalations; },
          [](OptionsBox& o, std::size_t v) { o.value.max_escalations = v; })
      .def("__repr__", [](py::object self) {
        std::string text = "PipelineOptions(";
        bool first = true;
        for (const char* field : kOptionFields) {
          text += first ? "" : ", ";
          text += std::string(field) + "=" + py::repr(self.attr(field)).cast<std::string>();
          first = false;
        }
        return text + ")";
      });

  py::class_<NativeRun>(m, "_NativeRun", "One operation of the pipeline on a thread of its own.")
      .def("cancel", &NativeRun::cancel,
           "Cancels the operation; its loop is stopped once it has unwound, or shortly after when it does not.")
      .def("join", &NativeRun::join, "Waits for the run's thread to end (the GIL is released meanwhile).")
      .def_property_readonly("running", &NativeRun::running);
  bind_run<ProcessRun>(m, "_ProcessRun");
  bind_run<ItemsRun>(m, "_ItemsRun");
  bind_run<FetchRun>(m, "_FetchRun");

  // Each start function converts its arguments on the calling thread (GIL
  // held), starts the operation on its own thread and returns at once. The
  // operation sends progress through `notify` (None: no callback) and calls
  // `finish()` when it has ended and its loop is gone.
  m.def(
      "_start_process",
      [](std::vector<VisualMatch> matches, py::object notify, const OptionsBox* options, py::object finish) {
        auto run = std::make_unique<ProcessRun>();
        commerce::PipelineOptions opts = options_of(options);
        auto on_progress = progress_bridge(run->loop_handle(), std::move(notify));
        auto on_end = flush_recording(opts);
        run->start_with(commerce::CommerceEnricher::process_async(std::move(matches), std::move(on_progress), opts),
                        std::move(finish), std::move(on_end));
        return run;
      },
      py::arg("matches"), py::arg("notify"), py::arg("options").none(true), py::arg("finish"));

  m.def(
      "_start_enrich_deep",
      [](std::vector<VisualMatch> matches, std::optional<std::size_t> max_items, py::object notify,
         const OptionsBox* options, py::object finish) {
        auto run = std::make_unique<ItemsRun>();
        commerce::PipelineOptions opts = options_of(options);
        auto on_progress = progress_bridge(run->loop_handle(), std::move(notify));
        auto on_end = flush_recording(opts);
        run->start_with(commerce::CommerceEnricher::enrich_matches_deep_async(std::move(matches), max_items,
                                                                              std::move(on_progress), opts),
                        std::move(finish), std::move(on_end));
        return run;
      },
      py::arg("matches"), py::arg("max_items").none(true), py::arg("notify"), py::arg("options").none(true),
      py::arg("finish"));

  m.def(
      "_start_resolve",
      [](std::vector<EnrichedCommerceMatch> items, int max_concurrency, int timeout, py::object notify,
         const OptionsBox* options, py::object finish) {
        auto run = std::make_unique<ItemsRun>();
        commerce::PipelineOptions opts = options_of(options);
        auto on_progress = progress_bridge(run->loop_handle(), std::move(notify));
        auto on_end = flush_recording(opts);
        run->start_with(resolve_items(std::move(items), max_concurrency, timeout, std::move(on_progress), opts),
                        std::move(finish), std::move(on_end));
        return run;
      },
      py::arg("items"), py::arg("max_concurrency"), py::arg("timeout"), py::arg("notify"),
      py::arg("options").none(true), py::arg("finish"));

  m.def(
      "_start_fetch_many",
      [](std::vector<std::string> urls, double timeout, const OptionsBox* options, py::object finish) {
        auto run = std::make_unique<FetchRun>();
        commerce::PipelineOptions opts = options_of(options);
        auto on_end = flush_recording(opts);
        run->start_with(fetch_pages(std::move(urls), positive_seconds(timeout, "timeout"), opts.fetch),
                        std::move(finish), std::move(on_end));
        return run;
      },
      py::arg("urls"), py::arg("timeout"), py::arg("options").none(true), py::arg("finish"));
}

}  // namespace tarvik::python
