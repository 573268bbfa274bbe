// tarvik-commerce resolve: store search pages of enriched items replaced by
// the product links found on them, with the stealth browser.
//
//   resolve ITEMS.json|- [--browser PATH] [--max-concurrency N] [--timeout S]
//           [--connect-to H1:P1:H2:P2]... [--allow-private-network]
//           [--replay FILE.warc[.gz]] [--record FILE.warc[.gz]] [--debug]
#include <spdlog/spdlog.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "commands.hpp"
#include "tarvik/commerce/resolver.hpp"
#include "tarvik/core/warc.hpp"
#include "tarvik/models/io.hpp"

namespace tarvik::cli {
namespace {

struct ResolveOptions {
  std::string input;
  std::string browser;
  int max_concurrency = 4;
  int timeout = 15;
  std::vector<std::string> connect_to;
  bool allow_private_network = false;
  std::string replay;
  std::string record;
  bool debug = false;
};

bool read_input(const std::string& path, std::string& out) {
  if (path == "-") {
    out.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    return true;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buf;
  buf << in.rdbuf();
  out = buf.str();
  return !in.bad();
}

int resolve(const ResolveOptions& o) {
  std::string text;
  if (!read_input(o.input, text)) {
    std::fprintf(stderr, "resolve: cannot read %s\n", o.input.c_str());
    return EXIT_BAD_INPUT;
  }
  models::CommerceIntelligence doc;
  try {
    doc = models::read_commerce_intelligence(text);
  } catch (const models::InputError& e) {
    std::fprintf(stderr, "resolve: %s: %s\n", o.input.c_str(), e.what());
    return EXIT_BAD_INPUT;
  }
  const bool array_form = text.find_first_not_of(" \t\r\n\xEF\xBB\xBF") != std::string::npos &&
                          text[text.find_first_not_of(" \t\r\n\xEF\xBB\xBF")] == '[';

  commerce::PipelineOptions options;
  options.browser_path = o.browser;
  options.fetch.allow_private_network = o.allow_private_network;
  try {
    for (const auto& rule : o.connect_to) options.fetch.connect_to.push_back(core::parse_connect_to(rule));
    if (!o.replay.empty()) options.fetch.replay = core::WarcArchive::open({o.replay});
    if (!o.record.empty()) options.fetch.record = std::make_shared<core::WarcWriter>(o.record);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "resolve: %s\n", e.what());
    return EXIT_BAD_INPUT;
  }
  if (o.debug) commerce::_resolver_logger()->set_level(spdlog::level::debug);

  const auto progress = [](const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    std::fflush(stderr);
  };
  commerce::DirectStoreResolver::resolve(doc.items, o.max_concurrency, o.timeout, progress, options);
  if (options.fetch.record) options.fetch.record->flush();
  emit_line(array_form ? models::dump_items_json(doc.items) : doc.model_dump_json());
  return EXIT_OK;
}

}  // namespace

void register_resolve(CLI::App& app, int& exit_code) {
  auto opts = std::make_shared<ResolveOptions>();
  CLI::App* cmd = app.add_subcommand(
      "resolve", "Replace store search pages among enriched items with the product links found on them");
  cmd->footer(
      "ITEMS is a result object as the library writes it ({\"summary\", \"items\"}) or an array of items;\n"
      "the same form is written to standard output, each item whose direct URL was a store search page\n"
      "that resolved now holding the product link. Progress goes to standard error. The browser reaches\n"
      "the network only through the fetcher, so --connect-to, --allow-private-network, --replay and\n"
      "--record apply to every request of every page.");
  cmd->add_option("ITEMS", opts->input, "Items file, or - for standard input")->required();
  cmd->add_option("--browser", opts->browser,
                  "Browser executable (default: chromium, chromium-browser or google-chrome on the PATH)");
  cmd->add_option("--max-concurrency", opts->max_concurrency, "Store pages crawled at once (default 4)")
      ->check(CLI::Range(1, 64));
  cmd->add_option("--timeout", opts->timeout, "Navigation time-out per page in seconds (default 15)")
      ->check(CLI::Range(1, 600));
  cmd->add_option("--connect-to", opts->connect_to,
                  "Connect to HOST2:PORT2 for requests to HOST1:PORT1 (curl's HOST1:PORT1:HOST2:PORT2); "
                  "repeatable");
  cmd->add_flag("--allow-private-network", opts->allow_private_network,
                "Allow loopback and private addresses (refused by default)");
  cmd->add_option("--replay", opts->replay, "Answer every request from this WARC archive (no network)");
  cmd->add_option("--record", opts->record, "Record every exchange into this WARC archive");
  cmd->add_flag("--debug", opts->debug, "Log each store page's outcome to standard error");
  cmd->callback([opts, &exit_code] { exit_code = resolve(*opts); });
}

}  // namespace tarvik::cli
