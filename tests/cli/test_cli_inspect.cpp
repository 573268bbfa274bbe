// The inspect subcommand, run as a program on hand-written pages.
#include <gtest/gtest.h>

#include <boost/json.hpp>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli_runner.hpp"
#include "tarvik/util/text.hpp"

namespace {

namespace fs = std::filesystem;
namespace bj = boost::json;

const fs::path PAGES = fs::path(TARVIK_SOURCE_DIR) / "tests" / "fixtures" / "pages";
const std::string PRODUCT_PAGE = (PAGES / "product-ld.html").string();
const std::string LATIN1_PAGE = (PAGES / "latin1-og.html").string();

const std::vector<std::string> FACT_KEYS = {"title",      "merchant_name", "brand",     "sku",
                                            "price",      "stock_status",  "condition", "primary_image_url",
                                            "shipping_info", "page_type",  "match_score", "fetch_source"};

using tarvik::testing::CliRun;
using tarvik::testing::run_cli;

bj::object parse_object(const std::string& line) {
  bj::error_code ec;
  bj::value v = bj::parse(line, ec);
  EXPECT_FALSE(ec) << line;
  if (ec || !v.is_object()) {
    ADD_FAILURE() << "not a JSON object: " << line;
    return {};
  }
  return v.get_object();
}

// The output line holds exactly the twelve page facts, in order.
bj::object facts_of(const std::string& line) {
  bj::object o = parse_object(line);
  std::vector<std::string> keys;
  for (const auto& kv : o) keys.emplace_back(kv.key());
  EXPECT_EQ(keys, FACT_KEYS) << line;
  return o;
}

std::string request(const std::map<std::string, bj::value>& fields) {
  bj::object o;
  for (const auto& [k, v] : fields) o[k] = v;
  return bj::serialize(o);
}

// --- single page ---------------------------------------------------------

struct SingleCase {
  const char* name;
  std::vector<std::string> args;
  std::map<std::string, std::string> expected;  // key -> serialised JSON value
};

void PrintTo(const SingleCase& c, std::ostream* os) { *os << c.name; }

class InspectSinglePage : public ::testing::TestWithParam<SingleCase> {};

TEST_P(InspectSinglePage, PrintsPageFacts) {
  const auto& c = GetParam();
  std::vector<std::string> args = {"inspect"};
  args.insert(args.end(), c.args.begin(), c.args.end());
  const CliRun r = run_cli(args);
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = r.lines();
  ASSERT_EQ(lines.size(), 1U) << r.out;
  EXPECT_TRUE(tarvik::text::is_valid_utf8(lines[0]));
  const bj::object facts = facts_of(lines[0]);
  for (const auto& [key, json] : c.expected) {
    ASSERT_TRUE(facts.contains(key)) << key;
    EXPECT_EQ(facts.at(key), bj::parse(json)) << key << " in " << lines[0];
  }
}

INSTANTIATE_TEST_SUITE_P(
    Pages, InspectSinglePage,
    ::testing::Values(
        SingleCase{"json_ld_product",
                   {PRODUCT_PAGE, "--url", "https://maison-lumiere.example/produits/bouilloire-creme", "--merchant",
                    "Maison Lumi\xC3\xA8re", "--rank", "2"},
                   {{"title", R"("Bouilloire Crème 1,7 L")"},
                    {"merchant_name", R"("Maison Lumière")"},
                    {"sku", R"("BL-17-CR")"},
                    {"price", R"({"raw":"59.90 EUR","amount":59.9,"currency":"EUR"})"},
                    {"stock_status", R"("in_stock")"},
                    {"page_type", R"("product")"},
                    {"match_score", "95"},
                    {"fetch_source", R"("ld_json")"}}},
        // iso-8859-1 declared, windows-1252 bytes: the en dash is 0x96.
        SingleCase{"latin1_page_decoded",
                   {LATIN1_PAGE, "--url", "https://roesterei.example/p/kaffeemuehle"},
                   {{"title", R"("Kaffeemühle – Düsseldorf Edition")"},
                    {"brand", R"("Rösterei Müller")"},
                    {"fetch_source", R"("opengraph")"}}},
        SingleCase{"price_text_through_normalizer",
                   {LATIN1_PAGE, "--url", "https://roesterei.example/p/kaffeemuehle", "--price",
                    "1.299,99 \xE2\x82\xAC"},
                   {{"price", R"({"raw":"1299.99 EUR","amount":1299.99,"currency":"EUR"})"}}},
        SingleCase{"currency_hint",
                   {LATIN1_PAGE, "--url", "https://roesterei.example/p/kaffeemuehle", "--price", "24.50",
                    "--currency", "GBP"},
                   {{"price", R"({"raw":"24.50 GBP","amount":24.5,"currency":"GBP"})"}}},
        SingleCase{"unreadable_price_text_is_none",
                   {LATIN1_PAGE, "--url", "https://roesterei.example/p/kaffeemuehle", "--price", "call us"},
                   {{"price", "null"}}},
        SingleCase{"out_of_stock_flag",
                   {LATIN1_PAGE, "--url", "https://roesterei.example/p/kaffeemuehle", "--out-of-stock"},
                   {{"stock_status", R"("out_of_stock")"}}},
        SingleCase{"in_stock_flag",
                   {LATIN1_PAGE, "--url", "https://roesterei.example/p/kaffeemuehle", "--in-stock"},
                   {{"stock_status", R"("in_stock")"}}},
        SingleCase{"no_stock_flag",
                   {LATIN1_PAGE, "--url", "https://roesterei.example/p/kaffeemuehle"},
                   {{"stock_status", "null"}}},
        SingleCase{"rank_sets_score",
                   {LATIN1_PAGE, "--url", "https://roesterei.example/p/kaffeemuehle", "--rank", "17"},
                   {{"match_score", "50"}}},
        SingleCase{"invalid_utf8_argument_repaired",
                   {LATIN1_PAGE, "--url", "https://roesterei.example/p/kaffeemuehle", "--title",
                    "Caf\xE9 Noir Grinder"},
                   {{"title", R"("Caf\ufffd Noir Grinder")"}}}));

struct UsageCase {
  const char* name;
  std::vector<std::string> args;
  int status;
  const char* stderr_part;
};

void PrintTo(const UsageCase& c, std::ostream* os) { *os << c.name; }

class InspectSingleErrors : public ::testing::TestWithParam<UsageCase> {};

TEST_P(InspectSingleErrors, ExitStatusAndMessage) {
  const auto& c = GetParam();
  std::vector<std::string> args = {"inspect"};
  args.insert(args.end(), c.args.begin(), c.args.end());
  const CliRun r = run_cli(args);
  EXPECT_EQ(r.status, c.status) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find(c.stderr_part), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Usage, InspectSingleErrors,
    ::testing::Values(UsageCase{"missing_file", {"/nonexistent/page.html", "--url", "u"}, 1, "/nonexistent/page.html"},
                      UsageCase{"directory", {TARVIK_SOURCE_DIR, "--url", "u"}, 1, "is a directory"},
                      UsageCase{"no_url", {PRODUCT_PAGE}, 2, "--url"},
                      UsageCase{"no_page", {"--url", "u"}, 2, "PAGE"},
                      UsageCase{"both_stock_flags", {PRODUCT_PAGE, "--url", "u", "--in-stock", "--out-of-stock"}, 2,
                                "excludes"},
                      UsageCase{"rank_not_a_number", {PRODUCT_PAGE, "--url", "u", "--rank", "first"}, 2, "rank"},
                      UsageCase{"rank_zero", {PRODUCT_PAGE, "--url", "u", "--rank", "0"}, 2, "must be 1 or more"},
                      UsageCase{"rank_negative", {PRODUCT_PAGE, "--url", "u", "--rank=-5"}, 2, "got -5"},
                      UsageCase{"currency_without_price", {PRODUCT_PAGE, "--url", "u", "--currency", "EUR"}, 2,
                                "--price"},
                      UsageCase{"jobs_without_jsonl", {PRODUCT_PAGE, "--url", "u", "--jobs", "2"}, 2, "--jsonl"},
                      UsageCase{"jsonl_with_page", {"--jsonl", PRODUCT_PAGE}, 2, "--jsonl"},
                      UsageCase{"jsonl_with_url", {"--jsonl", "--url", "u"}, 2, "--jsonl"},
                      UsageCase{"zero_jobs", {"--jsonl", "--jobs", "0"}, 2, "--jobs"},
                      UsageCase{"jobs_alone", {"--jobs", "2"}, 2, "--jsonl or --warc"},
                      UsageCase{"warc_with_jsonl", {"--jsonl", "--warc", "a.warc"}, 2, "excludes"},
                      UsageCase{"warc_with_url", {"--warc", "a.warc", "--url", "u"}, 2, "excludes"},
                      UsageCase{"warc_without_file", {"--warc"}, 2, "--warc"},
                      UsageCase{"unknown_option", {PRODUCT_PAGE, "--url", "u", "--colour", "red"}, 2, "colour"}));

// --- JSON lines ----------------------------------------------------------

struct LineCase {
  const char* name;
  std::string line;
  const char* error_part;  // nullptr: page facts expected
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

class InspectJsonlLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(InspectJsonlLine, OneAnswerPerLine) {
  const auto& c = GetParam();
  const CliRun r = run_cli({"inspect", "--jsonl"}, c.line + "\n");
  const auto lines = r.lines();
  ASSERT_EQ(lines.size(), 1U) << r.out << r.err;
  EXPECT_TRUE(tarvik::text::is_valid_utf8(lines[0]));
  if (c.error_part == nullptr) {
    EXPECT_EQ(r.status, 0);
    facts_of(lines[0]);
  } else {
    EXPECT_EQ(r.status, 1);
    const bj::object o = parse_object(lines[0]);
    ASSERT_EQ(o.size(), 1U) << lines[0];
    ASSERT_TRUE(o.contains("error") && o.at("error").is_string()) << lines[0];
    EXPECT_NE(std::string(o.at("error").get_string()).find(c.error_part), std::string::npos) << lines[0];
  }
}

const std::string NESTED = std::string(200, '[') + std::string(200, ']');

INSTANTIATE_TEST_SUITE_P(
    Requests, InspectJsonlLine,
    ::testing::Values(
        LineCase{"page_file", R"({"html_file":")" + PRODUCT_PAGE + R"(","direct_url":"https://m.example/p/1"})",
                 nullptr},
        LineCase{"inline_html", R"({"html":"<p>x</p>","direct_url":"https://m.example/p/1"})", nullptr},
        LineCase{"no_page_at_all", R"({"direct_url":"https://m.example/p/1","initial_title":"Blue Shirt"})", nullptr},
        LineCase{"nulls_everywhere",
                 R"({"html_file":null,"html":null,"direct_url":"u","initial_title":null,"initial_merchant":null,)"
                 R"("initial_price":null,"initial_stock":null,"rank":null})",
                 nullptr},
        LineCase{"unknown_fields_ignored", R"({"direct_url":"u","colour":"red"})", nullptr},
        LineCase{"integer_amount", R"({"direct_url":"u","initial_price":{"raw":"$5","amount":5,"currency":"USD"}})",
                 nullptr},
        LineCase{"crlf_line", "{\"direct_url\":\"u\"}\r", nullptr},
        LineCase{"invalid_utf8_in_line", "{\"direct_url\":\"u\",\"initial_title\":\"Caf\xE9\"}", nullptr},
        LineCase{"bad_json", R"({"direct_url": )", "invalid JSON"},
        LineCase{"too_deep", NESTED, "invalid JSON"},
        LineCase{"empty_line", "", "empty line"},
        LineCase{"blank_line", "   \t", "empty line"},
        LineCase{"not_an_object", R"(["u"])", "expected an object"},
        LineCase{"no_url", R"({"html":"<p>x</p>"})", "direct_url: missing"},
        LineCase{"url_number", R"({"direct_url":5})", "direct_url: expected a string, got number"},
        LineCase{"title_number", R"({"direct_url":"u","initial_title":3})", "initial_title: expected a string"},
        LineCase{"merchant_object", R"({"direct_url":"u","initial_merchant":{}})", "initial_merchant: expected"},
        LineCase{"html_array", R"({"direct_url":"u","html":[]})", "html: expected a string, got array"},
        LineCase{"both_page_sources", R"({"direct_url":"u","html":"x","html_file":"y"})", "not both"},
        LineCase{"unreadable_file", R"({"direct_url":"u","html_file":"/nonexistent/p.html"})", "cannot read"},
        LineCase{"price_text", R"({"direct_url":"u","initial_price":"$5"})", "initial_price: expected an object"},
        LineCase{"price_negative", R"({"direct_url":"u","initial_price":{"raw":"x","amount":-1,"currency":"USD"}})",
                 "initial_price"},
        LineCase{"price_infinite",
                 R"({"direct_url":"u","initial_price":{"raw":"x","amount":1e400,"currency":"USD"}})",
                 "initial_price"},
        LineCase{"price_empty_currency",
                 R"({"direct_url":"u","initial_price":{"raw":"x","amount":1,"currency":""}})", "initial_price"},
        LineCase{"price_no_currency", R"({"direct_url":"u","initial_price":{"raw":"x","amount":1}})",
                 "initial_price.currency: missing"},
        LineCase{"price_amount_text",
                 R"({"direct_url":"u","initial_price":{"raw":"x","amount":"5","currency":"USD"}})",
                 "initial_price.amount: expected a number"},
        LineCase{"stock_text", R"({"direct_url":"u","initial_stock":"yes"})", "initial_stock"},
        LineCase{"rank_fraction", R"({"direct_url":"u","rank":1.5})", "rank: expected an integer"},
        LineCase{"rank_boolean", R"({"direct_url":"u","rank":true})", "rank: expected an integer"},
        LineCase{"rank_too_large", R"({"direct_url":"u","rank":18446744073709551615})", "rank: out of range"},
        LineCase{"rank_zero", R"({"direct_url":"u","rank":0})", "rank: must be 1 or more, got 0"},
        LineCase{"rank_negative", R"({"direct_url":"u","rank":-5})", "rank: must be 1 or more, got -5"}));

TEST(InspectJsonl, RequestFieldsReachTheFacts) {
  const std::string line = request({{"html_file", bj::value(LATIN1_PAGE)},
                                    {"direct_url", bj::value("https://roesterei.example/p/kaffeemuehle")},
                                    {"initial_merchant", bj::value("R\xC3\xB6sterei")},
                                    {"initial_price", bj::parse(R"({"raw":"€24","amount":24,"currency":"EUR"})")},
                                    {"initial_stock", bj::value(false)},
                                    {"rank", bj::value(3)}});
  const CliRun r = run_cli({"inspect", "--jsonl"}, line + "\n");
  ASSERT_EQ(r.status, 0) << r.out << r.err;
  const auto lines = r.lines();
  ASSERT_EQ(lines.size(), 1U);
  const bj::object facts = facts_of(lines[0]);
  EXPECT_EQ(facts.at("title"), bj::value("Kaffeem\xC3\xBChle \xE2\x80\x93 D\xC3\xBCsseldorf Edition"));
  EXPECT_EQ(facts.at("merchant_name"), bj::value("R\xC3\xB6sterei"));
  EXPECT_EQ(facts.at("price"), bj::parse(R"({"raw":"24.00 EUR","amount":24.0,"currency":"EUR"})"));
  EXPECT_EQ(facts.at("stock_status"), bj::value("out_of_stock"));
  EXPECT_EQ(facts.at("match_score"), bj::value(92));
}

TEST(InspectJsonl, EmptyInputWritesNothing) {
  const CliRun r = run_cli({"inspect", "--jsonl"}, "");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
}

TEST(InspectJsonl, LastLineWithoutNewline) {
  const CliRun r = run_cli({"inspect", "--jsonl"}, "{\"direct_url\":\"u\"}\n{\"direct_url\":\"v\"}");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.lines().size(), 2U);
}

// Many requests of very different cost on three threads: answers come back in
// input order, failed lines in their places, and the run ends with status 1.
TEST(InspectJsonl, InputOrderKeptWithThreeJobs) {
  const std::string big_page =
      "<html><head><title>Large page</title></head><body>" + std::string(1 << 20, 'x') + "</body></html>";
  std::string input;
  std::vector<bool> is_error;
  for (int i = 0; i < 60; ++i) {
    const std::string title = "Item number " + std::to_string(i);
    if (i % 11 == 5) {
      input += "{\"direct_url\": broken " + std::to_string(i) + "\n";
      is_error.push_back(true);
    } else if (i % 13 == 7) {
      input += request({{"direct_url", bj::value("u")}, {"html_file", bj::value("/nonexistent/" + title)}}) + "\n";
      is_error.push_back(true);
    } else {
      std::map<std::string, bj::value> fields = {{"direct_url", bj::value("https://shop.example/p/" + std::to_string(i))},
                                                 {"initial_title", bj::value(title)}};
      if (i % 5 == 1) {
        fields["html_file"] = bj::value(PRODUCT_PAGE);
      } else if (i % 7 == 0) {
        fields["html"] = bj::value(big_page);
      }
      input += request(fields) + "\n";
      is_error.push_back(false);
    }
  }
  const CliRun r = run_cli({"inspect", "--jsonl", "--jobs", "3"}, input);
  EXPECT_EQ(r.status, 1);
  const auto lines = r.lines();
  ASSERT_EQ(lines.size(), is_error.size()) << r.err;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE("line " + std::to_string(i));
    const bj::object o = parse_object(lines[i]);
    if (is_error[i]) {
      EXPECT_TRUE(o.contains("error")) << lines[i];
      if (i % 13 == 7 && i % 11 != 5) {
        EXPECT_NE(lines[i].find("Item number " + std::to_string(i)), std::string::npos) << lines[i];
      }
      continue;
    }
    const bj::object facts = facts_of(lines[i]);
    const std::string expected_title =
        i % 5 == 1 ? "Bouilloire Cr\xC3\xA8me 1,7 L" : "Item number " + std::to_string(i);
    EXPECT_EQ(facts.at("title"), bj::value(expected_title));
  }
}

// The extended mode, for one page and for JSON lines: the answer gains a
// "sources" object only when it is asked for.
TEST(InspectExtended, FlagSelectsTheMode) {
  struct Row {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    int status;
    const char* sources;  // the "sources" member expected, nullptr: none
  };
  // A product page whose only SKU is the "Item #" label below its heading.
  const std::string page = "<html><body><h1>Kettle</h1><p>Item #: KT-2041</p>" + std::string(300, ' ') +
                           "</body></html>";
  const std::string url = "https://shop.example/products/kettle";
  const std::string file = (fs::path(::testing::TempDir()) / "inspect-extended.html").string();
  std::ofstream(file, std::ios::binary) << page;
  const std::string line = request({{"html_file", bj::value(file)}, {"direct_url", bj::value(url)}}) + "\n";
  const Row rows[] = {
      {"off_by_default", {file, "--url", url}, "", 0, nullptr},
      {"fallbacks", {file, "--url", url, "--extended"}, "", 0, R"({"sku":"sku_label"})"},
      {"overrides", {file, "--url", url, "--extended=overrides"}, "", 0, R"({"sku":"sku_label"})"},
      {"jsonl", {"--jsonl", "--extended"}, line, 0, R"({"sku":"sku_label"})"},
      {"unknown_value", {file, "--url", url, "--extended=everything"}, "", 2, nullptr},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    std::vector<std::string> args = {"inspect"};
    args.insert(args.end(), r.args.begin(), r.args.end());
    const CliRun run = run_cli(args, r.input);
    ASSERT_EQ(run.status, r.status) << run.err;
    if (r.status != 0) continue;
    ASSERT_EQ(run.lines().size(), 1U) << run.out;
    bj::object o = parse_object(run.lines()[0]);
    EXPECT_EQ(o.at("sku"), r.sources ? bj::value("KT-2041") : bj::value(nullptr));
    if (r.sources == nullptr) {
      facts_of(run.lines()[0]);
      continue;
    }
    EXPECT_EQ(o.at("sources"), bj::parse(r.sources));
    o.erase("sources");
    facts_of(bj::serialize(o));
  }
}

TEST(InspectJsonl, ManyLinesAllAnswered) {
  std::string input;
  const int n = 3000;
  for (int i = 0; i < n; ++i) {
    input += request({{"direct_url", bj::value("u")}, {"initial_title", bj::value("Lamp " + std::to_string(i))}}) +
             "\n";
  }
  const CliRun r = run_cli({"inspect", "--jsonl", "--jobs", "2"}, input);
  EXPECT_EQ(r.status, 0);
  const auto lines = r.lines();
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(n));
  for (int i = 0; i < n; i += 499) {
    EXPECT_EQ(facts_of(lines[i]).at("title"), bj::value("Lamp " + std::to_string(i)));
  }
}

}  // namespace
