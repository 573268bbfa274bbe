// tarvik-commerce enrich: the whole pipeline over the visual matches of one
// search, with an optional fusion of shopping offers, as a table, CSV or JSON.
//
//   enrich MATCHES.json [--offers OFFERS.json] [--json FILE|-] [--csv FILE|-]
//          [--no-resolve] [--follow-resolved] [--max-items N] [--fetch-timeout S] [--extended[=overrides]]
//          [--browser PATH] [--connect-to H1:P1:H2:P2]... [--allow-private-network]
//          [--record FILE.warc[.gz]] [--replay FILE.warc[.gz]] [--quiet|--verbose]
#include <sys/ioctl.h>
#include <unistd.h>

#include <boost/asio/bind_cancellation_slot.hpp>
#include <boost/asio/cancellation_signal.hpp>
#include <boost/asio/co_spawn.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/signal_set.hpp>
#include <boost/asio/steady_timer.hpp>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <spdlog/sinks/stdout_color_sinks.h>
#include <spdlog/spdlog.h>

#include "commands.hpp"
#include "enrich_output.hpp"
#include "inspect_jsonl.hpp"
#include "network_flags.hpp"
#include "tarvik/fusion/aggregator.hpp"
#include "tarvik/fusion/output_file.hpp"
#include "tarvik/links/unwrapper.hpp"
#include "tarvik/commerce/enricher.hpp"
#include "tarvik/commerce/resolver.hpp"
#include "tarvik/fetcher/warc.hpp"
#include "tarvik/models/io.hpp"
#include "tarvik/relevance/relevance.hpp"
#include "tarvik/util/text.hpp"

namespace tarvik::cli {
namespace {

namespace asio = boost::asio;

// Exit status of a run ended by an interrupt, as shells report SIGINT.
constexpr int EXIT_INTERRUPTED = 130;

struct EnrichFlags {
  std::string matches;
  std::string offers;
  std::string json_out;
  std::string csv_out;
  bool no_resolve = false;
  bool follow_resolved = false;
  std::optional<std::size_t> max_items;
  double fetch_timeout = 5;
  std::optional<std::string> extended;
  bool quiet = false;
  bool verbose = false;
  NetworkFlags network;
};

// The text of an input file, or of standard input for "-".
std::string read_input(const std::string& path) {
  if (path == "-") {
    std::string bytes;
    char buf[1 << 16];
    std::size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, stdin)) > 0) {
      if (bytes.size() + n > inspect::MAX_PAGE_BYTES) throw inspect::InputError("standard input is too large");
      bytes.append(buf, n);
    }
    return std::string(without_bom(bytes));
  }
  return std::string(without_bom(inspect::read_page_file(path)));
}

// The list in a JSON input file: errors name the file, then the element and
// field ("matches.json: visual_matches[3].title: expected a string, got
// number").
template <class Reader>
auto read_list(const std::string& path, Reader reader) {
  const std::string text = read_input(path);  // its errors name the file already
  try {
    return reader(text);
  } catch (const models::InputError& e) {
    throw inspect::InputError((path == "-" ? std::string("standard input") : path) + ": " +
                              locate_json_error(text, e.what()));
  }
}

// Progress on standard error: on a terminal one status line rewritten in
// place, otherwise one plain line per message.
class ProgressLine {
 public:
  ProgressLine(bool quiet, bool terminal) : quiet_(quiet), terminal_(terminal) {}
  ~ProgressLine() { clear(); }

  void message(const std::string& msg) {
    if (quiet_) return;
    if (!terminal_) {
      std::fprintf(stderr, "%s\n", msg.c_str());
      return;
    }
    stage_ = msg;
    draw();
  }

  void pages(std::size_t done, std::size_t total) {
    if (quiet_ || !terminal_) return;
    pages_ = " [" + std::to_string(done) + "/" + std::to_string(total) + " pages fetched]";
    draw();
  }

  // Ends the status line so that what follows starts on a clean line.
  void clear() {
    if (!drawn_) return;
    std::fputs("\r\x1b[2K", stderr);
    std::fflush(stderr);
    drawn_ = false;
  }

 private:
  void draw() {
    std::string line = stage_ + pages_;
    const std::size_t width = terminal_columns(STDERR_FILENO);
    if (text::length(line) >= width) line = std::string(text::prefix(line, width - 2)) + "…";
    std::fprintf(stderr, "\r\x1b[2K%s", line.c_str());
    std::fflush(stderr);
    drawn_ = true;
  }

  bool quiet_;
  bool terminal_;
  bool drawn_ = false;
  std::string stage_;
  std::string pages_;
};

int fail(const std::string& message, int status = EXIT_BAD_INPUT) {
  std::fprintf(stderr, "enrich: %s\n", text::repair_utf8(message).c_str());
  return status;
}

// Every output the run will write, checked before any page is fetched: an
// hour of fetching must not end in "permission denied".
void check_outputs(const EnrichFlags& f) {
  const std::pair<const char*, const std::string*> outputs[] = {
      {"--json", &f.json_out}, {"--csv", &f.csv_out}, {"--record", &f.network.record}};
  for (const auto& [flag, path] : outputs) {
    if (path->empty() || *path == "-") continue;
    try {
      commerce::check_output_path(*path);
    } catch (const std::filesystem::filesystem_error& e) {
      throw FlagError(std::string(flag) + ": " + *path + ": " + e.code().message());
    }
  }
}

// Links that are no web address (javascript:, file:, mailto:) are never
// fetched; -v says so for each.
void report_links_not_fetched(const std::vector<models::VisualMatch>& matches) {
  for (std::size_t i = 0; i < matches.size(); ++i) {
    std::string url = matches[i].link;
    try {
      url = commerce::URLUnwrapper::unwrap(url);  // what the fetch would be given
    } catch (const commerce::InvalidURLError&) {
    }
    const std::string scheme = link_scheme(url);
    if (scheme.empty() || scheme == "http" || scheme == "https") continue;
    std::fprintf(stderr, "enrich: visual_matches[%zu].link is not a web link (%s:), not fetched\n", i,
                 text::repair_utf8(scheme).c_str());
  }
}

int run_enrich(const EnrichFlags& f) {
  if (f.json_out == "-" && f.csv_out == "-") return fail("--json - and --csv - cannot both write to standard output", EXIT_USAGE);
  if (f.matches == "-" && f.offers == "-")
    return fail("MATCHES and --offers both name standard input (-); it can be read only once", EXIT_USAGE);
  try {
    check_outputs(f);
  } catch (const FlagError& e) {
    return fail(e.what());
  }

  // Everything the run reads is checked before anything is written.
  std::vector<models::VisualMatch> matches;
  std::vector<models::ShoppingOffer> offers;
  try {
    matches = read_list(f.matches, models::read_visual_matches);
    if (!f.offers.empty()) offers = read_list(f.offers, models::read_shopping_offers);
  } catch (const std::exception& e) {
    return fail(e.what());
  }

  if (f.verbose) report_links_not_fetched(matches);

  commerce::PipelineOptions options;
  options.max_items = f.max_items;
  options.resolve_stores = !f.no_resolve;
  options.follow_resolved = f.follow_resolved;
  options.fetch_timeout_seconds = f.fetch_timeout;
  if (f.extended) options.extraction = *f.extended == "overrides" ? commerce::ExtractionMode::OVERRIDES
                                                                 : commerce::ExtractionMode::FALLBACKS;
  try {
    apply_network_flags(f.network, options);
  } catch (const FlagError& e) {
    return fail(e.what());
  }

  if (f.verbose) {
    auto logger = commerce::_resolver_logger();
    logger->sinks().push_back(std::make_shared<spdlog::sinks::stderr_color_sink_mt>());
    logger->set_level(spdlog::level::debug);
  }

  const bool tables = f.json_out != "-" && f.csv_out != "-";
  ProgressLine progress(f.quiet, isatty(STDERR_FILENO) != 0);
  options.fetch.on_page_done = [&progress](std::size_t done, std::size_t total) { progress.pages(done, total); };
  commerce::ProgressCallback on_progress = [&progress](const std::string& msg) { progress.message(msg); };

  // The run, on a loop of this thread. SIGINT or SIGTERM cancel it; what is
  // still waiting a moment later (a page load inside the browser) is dropped
  // with the loop, whose destruction closes the browser.
  asio::io_context loop;
  asio::signal_set signals(loop, SIGINT, SIGTERM);
  asio::cancellation_signal cancel;
  asio::steady_timer grace(loop);
  bool interrupted = false;
  signals.async_wait([&](const boost::system::error_code& ec, int) {
    if (ec) return;
    interrupted = true;
    cancel.emit(asio::cancellation_type::terminal);
    grace.expires_after(std::chrono::milliseconds(300));
    grace.async_wait([&](const boost::system::error_code& timer_ec) {
      if (!timer_ec) loop.stop();
    });
  });
  std::optional<models::CommerceIntelligence> result;
  std::exception_ptr error;
  auto run = commerce::CommerceEnricher::process_async(std::move(matches), on_progress, options);
  asio::co_spawn(loop, std::move(run),
                 asio::bind_cancellation_slot(cancel.slot(), [&](std::exception_ptr e, models::CommerceIntelligence r) {
                   error = e;
                   if (!e) result = std::move(r);
                   // Work the run left behind (a browser request still
                   // waiting on a server) is dropped with the loop.
                   loop.stop();
                 }));
  loop.run();
  progress.clear();
  if (options.fetch.record) options.fetch.record->flush();
  if (interrupted) return fail("interrupted; no output written", EXIT_INTERRUPTED);
  if (error) {
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      return fail(e.what());
    }
  }

  models::CommerceIntelligence& commerce = *result;
  if (!offers.empty()) {
    commerce.items = commerce::CommerceAggregator::fuse_matches_and_offers(std::move(commerce.items), offers);
    for (auto& item : commerce.items)
      if (!item.relevance) item.relevance = relevance::classify_match_relevance(item, nullptr);
    commerce.summary = relevance::recompute_market_summary(commerce.items, commerce.summary);
  } else {
    commerce.items = relevance::sort_commerce_items(std::move(commerce.items));
  }

  try {
    if (f.json_out == "-") {
      emit_line(commerce.model_dump_json(2, true));
    } else if (!f.json_out.empty()) {
      commerce::export_commerce_to_json(commerce, f.json_out);
    }
    if (f.csv_out == "-") {
      write_stdout(commerce::commerce_csv_text(commerce));
    } else if (!f.csv_out.empty()) {
      commerce::export_commerce_to_csv(commerce, f.csv_out);
    }
    if (tables) print_commerce_table(commerce, terminal_columns(STDOUT_FILENO));
  } catch (const std::exception& e) {
    return fail(e.what());
  }
  return EXIT_OK;
}

}  // namespace

void register_enrich(CLI::App& app, int& exit_code) {
  auto f = std::make_shared<EnrichFlags>();
  CLI::App* cmd = app.add_subcommand(
      "enrich", "Enrich the visual matches of a search: fetch every destination page, read its product facts, "
                "resolve store search pages to product pages, and print the items with a market summary");
  cmd->footer(
      "MATCHES.json holds a top-level array of visual matches, or the object a search API returns with the\n"
      "array under \"visual_matches\"; OFFERS.json likewise under \"shopping_results\". Items are written in\n"
      "publishing order (most relevant first). Bad input names the file, element and field and exits with\n"
      "status 1 before anything is written; an interrupt closes the browser and writes nothing (status 130).\n"
      "Output paths are checked before any page is fetched; a regular file is replaced whole, a pipe or device\n"
      "(/dev/stdout) is written in place. A --connect-to mapping whose HOST2 is an IP address is exempt from\n"
      "the address guard for exactly that address and port.");
  cmd->add_option("MATCHES", f->matches, "Visual matches file, or - for standard input")->required();
  cmd->add_option("--offers", f->offers, "Shopping offers to fuse with the enriched matches");
  cmd->add_option("--json", f->json_out, "Write the result as JSON to FILE (- for standard output, no table)");
  cmd->add_option("--csv", f->csv_out, "Write the items as CSV to FILE (- for standard output, no table)");
  cmd->add_flag("--no-resolve", f->no_resolve, "Do not open store search pages in the browser");
  cmd->add_flag("--follow-resolved", f->follow_resolved,
                "Fetch each product page that store resolution finds and read its price, stock, page type, SKU "
                "and brand");
  // A plain message for a negative count (CLI11 would report a failed conversion).
  const CLI::Validator count(
      [](std::string& value) -> std::string {
        if (!value.empty() && value.front() == '-') return "must be 0 or more, got " + value;
        return {};
      },
      "N>=0");
  cmd->add_option("--max-items", f->max_items, "Enrich only the first N matches")->check(count);
  cmd->add_option("--fetch-timeout", f->fetch_timeout, "Seconds each destination page may take (default 5)")
      ->check(CLI::Range(0.1, 600.0));
  cmd->add_option("--extended", f->extended,
                  "Extended extraction: fill facts the page-facts rules leave empty (--extended or "
                  "--extended=fallbacks), and also let three overrides change them (--extended=overrides)")
      ->expected(0, 1)
      ->default_str("")
      ->check(CLI::IsMember({"", "fallbacks", "overrides"}));
  auto* quiet = cmd->add_flag("--quiet,-q", f->quiet, "No progress on standard error");
  auto* verbose = cmd->add_flag("--verbose,-v", f->verbose,
                                "Also log each store page's outcome and each link that is not a web link "
                                "(javascript:, file:) and so is not fetched");
  quiet->excludes(verbose);
  add_network_flags(cmd, f->network, true);
  cmd->callback([f, &exit_code] { exit_code = run_enrich(*f); });
}

}  // namespace tarvik::cli
