// tarvik-commerce inspect: the page facts of saved destination pages.
//
//   inspect PAGE.html --url URL [--title T] [--merchant M] [--price TEXT]
//           [--currency C] [--in-stock|--out-of-stock] [--rank N]
//           [--extended[=overrides]]
//   inspect --jsonl [--jobs N] [--extended[=overrides]] < requests.jsonl
//   inspect --warc FILE... [--jobs N] [--extended[=overrides]]
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "commands.hpp"
#include "inspect_jsonl.hpp"
#include "tarvik/facts/metadata.hpp"
#include "tarvik/prices/normalizer.hpp"
#include "tarvik/util/charset.hpp"
#include "tarvik/util/text.hpp"

namespace tarvik::cli {
namespace {

struct InspectOptions {
  std::string page;
  std::string url;
  std::string title;
  std::string merchant;
  std::optional<std::string> price;
  std::optional<std::string> currency;
  bool in_stock = false;
  bool out_of_stock = false;
  std::int64_t rank = 1;
  bool jsonl = false;
  std::vector<std::string> warc;
  unsigned jobs = 0;
  std::string extended;  // empty, "fallbacks" or "overrides"
};

commerce::ExtractionMode mode_of(const InspectOptions& o) {
  if (o.extended.empty()) return commerce::ExtractionMode::OFF;
  return o.extended == "overrides" ? commerce::ExtractionMode::OVERRIDES : commerce::ExtractionMode::FALLBACKS;
}

int inspect_one(const InspectOptions& o) {
  std::string html;
  try {
    html = charset::decode_page(inspect::read_page_file(o.page));
  } catch (const inspect::InputError& e) {
    std::fprintf(stderr, "inspect: %s\n", e.what());
    return EXIT_BAD_INPUT;
  }
  const std::string url = text::repair_utf8(o.url);
  const std::string title = text::repair_utf8(o.title);
  const std::string merchant = text::repair_utf8(o.merchant);
  std::optional<models::NormalizedPrice> price;
  if (o.price) {
    const std::string raw = text::repair_utf8(*o.price);
    std::optional<std::string> hint;
    if (o.currency) hint = text::repair_utf8(*o.currency);
    price = commerce::PriceNormalizer::parse(raw, hint);
  }
  std::optional<bool> stock;
  if (o.in_stock) stock = true;
  if (o.out_of_stock) stock = false;
  try {
    const auto facts =
        commerce::DestinationMetadataParser::parse_metadata(html, url, title, merchant, price, stock, o.rank, mode_of(o));
    emit_line(facts.to_json());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "inspect: %s: %s\n", o.page.c_str(), e.what());
    return EXIT_BAD_INPUT;
  }
  return EXIT_OK;
}

}  // namespace

void register_inspect(CLI::App& app, int& exit_code) {
  auto opts = std::make_shared<InspectOptions>();
  CLI::App* cmd = app.add_subcommand(
      "inspect",
      "Product facts of a saved destination page (title, merchant, brand, SKU, price, stock, condition, "
      "image, page type, match score, source) as one JSON object");
  cmd->footer(
      "With --jsonl, standard input holds one JSON object per line:\n"
      "  {\"html_file\": PATH | \"html\": TEXT, \"direct_url\": URL, \"initial_title\": T, \"initial_merchant\": M,\n"
      "   \"initial_price\": {\"raw\",\"amount\",\"currency\"} | null, \"initial_stock\": true|false|null, "
      "\"rank\": N}\n"
      "and one line of page facts is written per input line, in input order; a line that cannot be read gets\n"
      "{\"error\": \"...\"} and the run goes on (exit status 1 at the end). Page files are read as bytes and\n"
      "decoded to UTF-8 (byte-order mark, then <meta> charset, else windows-1252).\n\n"
      "With --warc, the page facts of every HTML response record with a 2xx status in the WARC files (plain or\n"
      "gzipped), one line {\"url\": TARGET-URI, \"date\": WARC-DATE, \"facts\": {...}} each, in file order. Other\n"
      "response records and resource records are counted in a note on standard error. A damaged record (bad\n"
      "gzip data or CRC, wrong Content-Length, digest mismatch) is never inspected: an error line names its file,\n"
      "byte offset and reason, reading goes on at the next sound record (a file gzipped as one member stops\n"
      "there), and the exit status is 1.");
  CLI::Option* page = cmd->add_option("page", opts->page, "Saved page file (any charset)");
  CLI::Option* url = cmd->add_option("--url", opts->url, "The page's direct URL (REQUIRED with PAGE)");
  CLI::Option* title = cmd->add_option("--title", opts->title, "Title from the search result");
  CLI::Option* merchant = cmd->add_option("--merchant", opts->merchant, "Merchant or source name from the search result");
  CLI::Option* price = cmd->add_option("--price", opts->price, "Price text from the search result (e.g. '1.299,99 €')");
  CLI::Option* currency = cmd->add_option("--currency", opts->currency, "Currency hint for --price (e.g. EUR)");
  CLI::Option* in_stock = cmd->add_flag("--in-stock", opts->in_stock, "The search result says in stock");
  CLI::Option* out_of_stock = cmd->add_flag("--out-of-stock", opts->out_of_stock, "The search result says out of stock");
  // Ranks start at 1: the match score formula has no upper clamp of its own,
  // so rank 0 or below would score above 100.
  const CLI::Validator first_or_later(
      [](std::string& value) -> std::string {
        std::int64_t n = 0;
        const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
        if (ec == std::errc() && end == value.data() + value.size() && n < 1)
          return "must be 1 or more (the first match is 1), got " + value;
        return {};  // non-numbers are reported by the conversion
      },
      "INT>=1");
  CLI::Option* rank = cmd->add_option("--rank", opts->rank, "1-based position of the match (default 1)")
                          ->check(first_or_later);
  CLI::Option* jsonl = cmd->add_flag("--jsonl", opts->jsonl, "Read requests as JSON lines from standard input");
  CLI::Option* warc = cmd->add_option("--warc", opts->warc, "Page facts of the HTML responses in these WARC files");
  CLI::Option* jobs = cmd->add_option("--jobs", opts->jobs,
                                      "Worker threads for --jsonl and --warc; for --warc the thread reading the files "
                                      "is one of them (default: all cores)")
                          ->check(CLI::Range(1U, inspect::MAX_JOBS));
  cmd->add_flag("--extended{fallbacks}", opts->extended,
                "Also fill the price, SKU and stock the rules leave empty, from further page evidence; "
                "=overrides also lets a zero price count as none, another offer in stock and a lower sale price win. "
                "The facts then carry a \"sources\" object naming the feature behind each fact it filled or changed")
      ->check(CLI::IsMember({"fallbacks", "overrides"}));
  in_stock->excludes(out_of_stock);
  currency->needs(price);
  jsonl->excludes(warc);
  for (CLI::Option* single : {page, url, title, merchant, price, currency, in_stock, out_of_stock, rank}) {
    jsonl->excludes(single);
    warc->excludes(single);
  }

  cmd->callback([opts, url, jobs, &exit_code] {
    const unsigned workers = opts->jobs > 0 ? opts->jobs : std::max(1U, std::thread::hardware_concurrency());
    if (opts->jsonl) {
      exit_code = inspect::run_jsonl(stdin, workers, mode_of(*opts));
      return;
    }
    if (!opts->warc.empty()) {
      exit_code = inspect::run_warc(opts->warc, workers, mode_of(*opts));
      return;
    }
    if (jobs->count() > 0) throw CLI::ValidationError("--jobs", "needs --jsonl or --warc");
    if (opts->page.empty()) throw CLI::RequiredError("PAGE (or --jsonl)");
    if (url->count() == 0) throw CLI::RequiredError("--url");
    exit_code = inspect_one(*opts);
  });
}

}  // namespace tarvik::cli
