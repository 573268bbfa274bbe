// The extended mode over the shared corpus of real saved pages: with the mode
// off every page's facts are byte for byte what the rules gave before the
// mode existed, and with it on only the pages listed below change, each in
// the facts its sources name (every change checked by hand on the page).

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <boost/json.hpp>
#include <gtest/gtest.h>

#include "tarvik/facts/metadata.hpp"
#include "tarvik/util/charset.hpp"

namespace {

namespace fs = std::filesystem;
namespace bj = boost::json;
using tarvik::commerce::DestinationMetadataParser;
using tarvik::commerce::ExtractionMode;

const fs::path CORPUS = fs::path(TARVIK_SHARED_DIR) / "corpus" / "pages";
const fs::path FIXTURE = fs::path(TARVIK_SOURCE_DIR) / "tests" / "fixtures" / "corpus_page_facts.tsv";

std::string read_file(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

struct Row {
  std::string page, url, facts;
};

std::vector<Row> fixture_rows() {
  std::vector<Row> rows;
  std::istringstream in(read_file(FIXTURE));
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line.front() == '#') continue;
    const auto a = line.find('\t'), b = line.find('\t', a + 1);
    rows.push_back({line.substr(0, a), line.substr(a + 1, b - a - 1), line.substr(b + 1)});
  }
  return rows;
}

class ExtendedCorpus : public testing::Test {
 protected:
  void SetUp() override {
    if (!fs::is_directory(CORPUS)) GTEST_SKIP() << "corpus not present at " << CORPUS;
  }
  static std::string page(const Row& r) { return tarvik::charset::decode_page(read_file(CORPUS / r.page)); }
};

TEST_F(ExtendedCorpus, ModeOffLeavesEveryPageAsItWas) {
  const auto rows = fixture_rows();
  std::set<std::string> listed;
  for (const Row& r : rows) {
    SCOPED_TRACE(r.page);
    listed.insert(r.page);
    const std::string html = page(r);
    EXPECT_EQ(DestinationMetadataParser::parse_metadata(html, r.url).to_json(), r.facts);
    EXPECT_EQ(DestinationMetadataParser::parse_metadata(html, r.url, "", "", std::nullopt, std::nullopt, 1,
                                                        ExtractionMode::OFF)
                  .to_json(),
              r.facts);
  }
  for (const auto& entry : fs::directory_iterator(CORPUS))
    EXPECT_TRUE(listed.contains(entry.path().filename().string())) << "page missing from the fixture: " << entry.path();
}

// Every corpus page the mode changes, with what it finds there.
struct Change {
  const char* page;
  const char* facts;  // the changed facts and the whole "sources" object
};

const Change JUDGED[] = {
    // The page's og retailer id (product:retailer_item_id).
    {"extruct__opengraph_ns_product_test.html", R"({"sku":"fye.000000032429335302","sources":{"sku":"meta_variants"}})"},
    // The schema.org microdata example: mpn, the offer's price and its availability link.
    {"extruct__product_microdata.html",
     R"({"sku":"925872","price":{"raw":"119.99 USD","amount":119.99,"currency":"USD"},"stock_status":"in_stock",
         "page_type":"product","sources":{"sku":"microdata","price":"microdata","stock_status":"microdata",
         "page_type":"microdata"}})"},
    {"extruct__schema.org-product.html",
     R"({"sku":"925872","price":{"raw":"119.99 USD","amount":119.99,"currency":"USD"},"stock_status":"in_stock",
         "page_type":"product","sources":{"sku":"microdata","price":"microdata","stock_status":"microdata",
         "page_type":"microdata"}})"},
    // The same product with item references; its related products (in a
    // "related_products" container) do not make the page a list.
    {"extruct__schema.org-product-ref.html",
     R"({"sku":"925872","price":{"raw":"119.99 USD","amount":119.99,"currency":"USD"},"stock_status":"in_stock",
         "page_type":"product","sources":{"sku":"microdata","price":"microdata","stock_status":"microdata",
         "page_type":"microdata"}})"},
    // itemprop="sku" on the item number the page shows ("Item 1275464").
    {"metascraper-shopping__costco.html", R"({"sku":"1275464","sources":{"sku":"microdata"}})"},
    // The listing id of the URL, repeated as the page's listing-id attributes.
    {"metascraper-shopping__etsy.html", R"({"sku":"550571276","sources":{"sku":"url_identifier"}})"},
    // "Item #: T9F432251", "Price: $165.95" below the heading, two enabled "Add to Cart" buttons.
    {"metascraper-shopping__globalindustrial.html",
     R"({"sku":"T9F432251","price":{"raw":"165.95 USD","amount":165.95,"currency":"USD"},"stock_status":"in_stock",
         "sources":{"sku":"sku_label","price":"visible_price","stock_status":"buy_control"}})"},
    // A car for sale typed Car (a kind of product): 83,900 EUR, sold out; its
    // VIN, the URL's last token, stands in the page's scripts under "sku" and
    // "productID" (the same value the tolerant JSON-LD reader gives as sku).
    {"metascraper__teslahunt.html",
     R"({"sku":"5YJSA7E49JF269238","price":{"raw":"83900.00 EUR","amount":83900.0,"currency":"EUR"},
         "stock_status":"out_of_stock","page_type":"product","sources":{"sku":"url_identifier",
         "price":"ld_json_tolerant","stock_status":"ld_json_tolerant","page_type":"ld_json_tolerant"}})"},
    // itemprop="sku" with the shop's order number; a productID "sku:XA30202".
    {"trafilatura__ebrosia.de.zinfandel.html", R"({"sku":"009345","sources":{"sku":"microdata"}})"},
    {"trafilatura__toralin.de.schmierfett.html", R"({"sku":"XA30202","sources":{"sku":"microdata"}})"},
    // The offer's "36,00 EUR" with its priceCurrency, and the enabled buy button.
    {"trafilatura__uniqz.de.katzendecke.html",
     R"({"price":{"raw":"36.00 EUR","amount":36.0,"currency":"EUR"},"stock_status":"in_stock","page_type":"product",
         "sources":{"price":"microdata","stock_status":"buy_control","page_type":"microdata"}})"},
};

TEST_F(ExtendedCorpus, ModeChangesOnlyTheJudgedPagesAndNamesEveryChange) {
  for (const Row& r : fixture_rows()) {
    SCOPED_TRACE(r.page);
    const std::string html = page(r);
    for (const auto mode : {ExtractionMode::FALLBACKS, ExtractionMode::OVERRIDES}) {
      const auto facts = DestinationMetadataParser::parse_metadata(html, r.url, "", "", std::nullopt, std::nullopt,
                                                                   1, mode);
      ASSERT_TRUE(facts.sources.has_value());
      bj::object got = bj::parse(facts.to_json()).as_object();
      const bj::object sources = got.at("sources").as_object();
      got.erase("sources");
      const bj::object rules = bj::parse(r.facts).as_object();
      for (const auto& [key, value] : rules)
        EXPECT_EQ(value != got.at(key), sources.contains(key)) << key << " in " << facts.to_json();

      const Change* judged = nullptr;
      for (const Change& c : JUDGED)
        if (r.page == c.page) judged = &c;
      if (judged == nullptr) {
        EXPECT_TRUE(sources.empty()) << facts.to_json();
        continue;
      }
      const bj::object want = bj::parse(judged->facts).as_object();
      for (const auto& [key, value] : want) {
        const bj::value& have = key == "sources" ? bj::value(sources) : got.at(key);
        EXPECT_EQ(have, value) << key << " in " << facts.to_json();
      }
    }
  }
}

}  // namespace
