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
#include "network_flags.hpp"
#include "tarvik/commerce/resolver.hpp"
#include "tarvik/fetcher/warc.hpp"
#include "tarvik/models/io.hpp"

namespace tarvik::cli {
namespace {

struct ResolveOptions {
  std::string input;
  int max_concurrency = 4;
  int timeout = 15;
  NetworkFlags network;
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
  text.erase(0, text.size() - without_bom(text).size());
  models::CommerceIntelligence doc;
  try {
    doc = models::read_commerce_intelligence(text);
  } catch (const models::InputError& e) {
    std::fprintf(stderr, "resolve: %s: %s\n", o.input.c_str(), locate_json_error(text, e.what()).c_str());
    return EXIT_BAD_INPUT;
  }
  const bool array_form = text.find_first_not_of(" \t\r\n\xEF\xBB\xBF") != std::string::npos &&
                          text[text.find_first_not_of(" \t\r\n\xEF\xBB\xBF")] == '[';

  commerce::PipelineOptions options;
  try {
    apply_network_flags(o.network, options);
  } catch (const FlagError& e) {
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
      "--record apply to every request of every page. A --connect-to mapping whose HOST2 is an IP address\n"
      "is exempt from the address guard for exactly that address and port.");
  cmd->add_option("ITEMS", opts->input, "Items file, or - for standard input")->required();
  cmd->add_option("--max-concurrency", opts->max_concurrency, "Store pages crawled at once (default 4)")
      ->check(CLI::Range(1, 64));
  cmd->add_option("--timeout", opts->timeout, "Navigation time-out per page in seconds (default 15)")
      ->check(CLI::Range(1, 600));
  add_network_flags(cmd, opts->network, true);
  cmd->add_flag("--debug", opts->debug, "Log each store page's outcome to standard error");
  cmd->callback([opts, &exit_code] { exit_code = resolve(*opts); });
}

}  // namespace tarvik::cli
