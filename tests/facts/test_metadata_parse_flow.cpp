// Page facts assembly, later steps: title repairs, final path rules, product
// refinements, clearing, match score, final title and price record, the JSON
// form, and pages that must never make the call fail.

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

#include "facts/test_metadata_parse.hpp"

namespace tarvik::commerce::testing {
namespace {

// ---------------------------------------------------------------------------
// Title repair from the page (read pages only) and from the URL.

const Case kTitleRepair[] = {
    {"GenericTitleFromOgTitle", {.html = page(meta("og:title", "Linen Shirt")), .title = "Read more"},
     R"({"title":"Linen Shirt"})"},
    {"ShortTitleFromOgTitle", {.html = page(meta("og:title", "Linen Shirt")), .title = "Tee"},
     R"({"title":"Linen Shirt"})"},
    {"FourCharactersKept", {.html = page(meta("og:title", "Linen Shirt")), .title = "Teeé"}, R"({"title":"Teeé"})"},
    {"TitleEqualToMerchant",
     {.html = page(meta("og:title", "Linen Shirt")), .title = "ACME STORE", .merchant = "Acme Store"},
     R"({"title":"Linen Shirt","merchant_name":"Acme Store"})"},
    {"GenericOgTitleFallsToHtmlTitle",
     {.html = page(meta("og:title", "Shop Now") + "<title>\n  Blue\n   Jacket </title>"), .title = "Untitled"},
     R"({"title":"Blue Jacket"})"},
    {"OgTitleUnescaped", {.html = page(meta("og:title", "Tom &amp; Jerry Mug")), .title = ""},
     R"({"title":"Tom & Jerry Mug"})"},
    {"HtmlTitleUnescaped", {.html = page("<title>Caf&eacute; Chair</title>"), .title = "x"},
     R"({"title":"Café Chair"})"},
    {"GenericHtmlTitleIgnored", {.html = page("<title>Click Here</title>"), .title = "x"}, R"({"title":"x"})"},
    {"GoodTitleKept", {.html = page(meta("og:title", "Other")), .title = "Linen Shirt"},
     R"({"title":"Linen Shirt"})"},
    {"SocialPagesRepairedToo",
     {.html = page(meta("og:title", "A post about shirts")), .url = "https://www.instagram.com/p/1", .title = "Tee"},
     R"({"title":"A post about shirts"})"},
    {"PageNotReadNoPageRepair", {.url = "https://shop.example/", .title = "Tee"}, R"({"title":"Tee"})"},
    // From the URL: the merchant, or the last path segment title-cased.
    {"MerchantBecomesTitle", {.url = "https://plain.example/x", .title = "Shop now", .merchant = "Nordic Goods Co"},
     R"({"title":"Nordic Goods Co","merchant_name":"plain.example"})"},
    {"MerchantInDomainNotUsed",
     {.url = "https://nordicgoods.example/a/b/", .title = "Shop now", .merchant = "NordicGoods"},
     R"({"title":"B","merchant_name":"NordicGoods"})"},
    {"ShortMerchantNotUsed", {.url = "https://plain.example/lamp", .title = "Buy now", .merchant = "Ikea"},
     R"({"title":"Lamp","merchant_name":"Ikea"})"},
    {"NoSegmentsTitleKept", {.url = "https://plain.example//", .title = "Click here"},
     R"({"title":"Click here"})"},
    {"TitleCaseRules", {.url = "https://plain.example/p/3-in-1_%C3%A9CRAN-déco-o'NEIL", .title = "Learn more"},
     R"({"title":"3 In 1 %C3%A9Cran Déco O'Neil"})"},
    {"TitleCaseNonAscii", {.url = "https://plain.example/p/ÉCRAN-straße", .title = "learn more"},
     R"({"title":"Écran Straße"})"},
    {"PathWithoutParameters", {.url = "https://plain.example/p/blue-lamp;v=2?q=1", .title = "See details"},
     R"({"title":"Blue Lamp"})"},
    // Title and merchant swap.
    {"OneWordTitleSwapsWithLongMerchant", {.title = "Shoe", .merchant = "Leather Oxford Shoe Brown"},
     R"({"title":"Leather Oxford Shoe Brown","merchant_name":"Shoe","brand":"Shoe","match_score":99})"},
    {"SwapKeepsBrand",
     {.html = page(meta("og:brand", "Acme")), .url = "https://plain.example/x", .title = "Shoe",
      .merchant = "Leather Oxford Shoe Brown"},
     R"({"title":"Leather Oxford Shoe Brown","merchant_name":"Shoe","brand":"Acme"})"},
    {"TwoWordMerchantNoSwap", {.title = "Shoe", .merchant = "Oxford Shoes"},
     R"({"title":"Shoe","merchant_name":"Oxford Shoes"})"},
};
INSTANTIATE_TEST_SUITE_P(TitleRepair, FactsTest, ::testing::ValuesIn(kTitleRepair), case_name);

// ---------------------------------------------------------------------------
// Final path rules, for pages that were not read (fetch source "serp_fallback").

Case path_case(const char* name, const char* url, const char* type, const char* title = "Lamp") {
  return {name, {.url = url, .title = title}, type};
}

const Case kPathRules[] = {
    path_case("Collections", "https://plain.example/collections/summer", R"({"page_type":"product"})"),
    path_case("Blog", "https://plain.example/blog/summer", R"({"page_type":"article"})"),
    path_case("ArticleBeforeCatalog", "https://plain.example/blog/collections", R"({"page_type":"article"})"),
    path_case("PortfolioBeforeCatalog", "https://plain.example/design/shop", R"({"page_type":"portfolio"})"),
    path_case("PathLowerCased", "https://plain.example/SHOP/x", R"({"page_type":"product"})"),
    path_case("ItemNeedsSkuOrPageSource", "https://plain.example/item/123", R"({"page_type":"uncategorized"})"),
    path_case("Portfolio", "https://plain.example/portfolio/x", R"({"page_type":"portfolio"})"),
    path_case("News", "https://plain.example/news/x", R"({"page_type":"article"})"),
    path_case("WallpaperTitle", "https://plain.example/x", R"({"page_type":"portfolio"})", "Desktop Wallpaper Pack"),
    path_case("Nothing", "https://plain.example/x", R"({"page_type":"uncategorized"})"),
    {"SearchPriceAlone",
     {.url = "https://plain.example/blog/x", .title = "Lamp", .price = models::NormalizedPrice("5", 5, "USD")},
     R"({"page_type":"product"})"},
    // A page read without structured data: the product path fragment counts.
    {"GoodsPathOnReadPage",
     {.html = page("", R"(<a data-product_sku="DP-1">)"), .url = "https://plain.example/goods/1", .title = "Lamp"},
     R"({"page_type":"product","sku":"DP-1"})"},
};
INSTANTIATE_TEST_SUITE_P(PathRules, FactsTest, ::testing::ValuesIn(kPathRules), case_name);

// ---------------------------------------------------------------------------
// Product refinements and clearing.

Case refine_case(const char* name, const char* title, const char* expect, Call call = {}) {
  call.title = title;
  if (!call.price) call.price = models::NormalizedPrice("5", 5, "USD");
  return {name, call, expect};
}

const Case kRefinements[] = {
    refine_case("Refurbished", "Refurbished Phone", R"({"condition":"refurbished","stock_status":"in_stock"})"),
    refine_case("Renewed", "Phone (Renewed)", R"({"condition":"refurbished"})"),
    refine_case("PreOwned", "Pre-Owned Bag", R"({"condition":"used"})"),
    refine_case("Vintage", "VINTAGE Jacket", R"({"condition":"used"})"),
    refine_case("Thrift", "Thrift find", R"({"condition":"used"})"),
    refine_case("NoConditionWords", "Brand new lamp", R"({"condition":null})"),
    refine_case("SoldOutTitle", "Lamp - SOLD OUT", R"({"stock_status":null})"),
    refine_case("OutOfStockTitle", "Lamp (Out of Stock)", R"({"stock_status":null})"),
    refine_case("PageConditionKept", "Used Lamp", R"({"condition":"new"})",
                {.html = page(next_data(R"({"name":"Used Lamp","sku":"1"})"))}),
    refine_case("BrandFromMerchant", "Lamp", R"({"brand":"Acme Outfitters"})", {.merchant = "Acme Outfitters"}),
    refine_case("ShortMerchantNoBrand", "Lamp", R"({"brand":null})", {.merchant = "Ab"}),
    refine_case("MerchantInDomainNoBrand", "Lamp", R"({"brand":null})", {.merchant = "Shop"}),
    refine_case("NotOnArticles", "Refurbished Phone", R"({"condition":null,"brand":null,"page_type":"article"})",
                {.html = page(meta("og:type", "article")), .merchant = "Acme Outfitters",
                 .price = models::NormalizedPrice("5", 5, "USD")}),
    {"MarketplaceRefined", {.url = "https://www.walmart.com/ip/1", .title = "Used Lamp", .merchant = "Walmart Inc"},
     R"({"page_type":"marketplace","condition":"used","brand":"Walmart Inc","stock_status":null})"},
    // Neither product nor marketplace: SKU, stock and condition cleared; the rest stays.
    {"ClearingKeepsOtherFacts",
     {.html = page(meta("og:type", "article") + meta("og:brand", "Acme") + meta("og:image", "https://i.example/1.jpg") +
                       meta("product:price:amount", "12"),
                   R"(<a data-product_sku="DP-1"><p class="instock">)"),
      .title = "Linen Shirt", .stock = true},
     R"({"page_type":"article","sku":null,"stock_status":null,"condition":null,"brand":"Acme",
         "primary_image_url":"https://i.example/1.jpg","price":{"raw":"12.00 USD","amount":12.0,"currency":"USD"}})"},
};
INSTANTIATE_TEST_SUITE_P(Refinements, FactsTest, ::testing::ValuesIn(kRefinements), case_name);

// ---------------------------------------------------------------------------
// Match score.

struct ScoreCase {
  std::int64_t rank;
  const char* brand;  // nullptr: none
  const char* title;
  std::int64_t score;
};

class FactsScore : public ::testing::TestWithParam<ScoreCase> {};

TEST_P(FactsScore, FromRankAndBrand) {
  const ScoreCase& c = GetParam();
  const std::string head = c.brand ? meta("og:brand", c.brand) : std::string();
  const PageFacts f = Call{.html = page(head), .title = c.title, .rank = c.rank}.run();
  EXPECT_EQ(f.match_score, c.score) << c.rank << " " << c.title;
}

constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

INSTANTIATE_TEST_SUITE_P(Table, FactsScore,
                         ::testing::Values(ScoreCase{1, "Acme", "Acme Runner", 99}, ScoreCase{1, nullptr, "Runner", 98},
                                           ScoreCase{1, "Acme", "Runner", 98}, ScoreCase{2, nullptr, "Runner", 95},
                                           ScoreCase{2, "ACME", "acme runner", 97}, ScoreCase{16, nullptr, "Runner", 53},
                                           ScoreCase{17, nullptr, "Runner", 50}, ScoreCase{20, nullptr, "Runner", 50},
                                           ScoreCase{20, "Acme", "Acme Runner", 52},
                                           ScoreCase{0, nullptr, "Runner", 101}, ScoreCase{0, "Acme", "Acme Runner", 99},
                                           ScoreCase{kMax, nullptr, "Runner", 50}, ScoreCase{kMin, nullptr, "Runner", kMax},
                                           ScoreCase{kMin, "Acme", "Acme Runner", 99}));

// ---------------------------------------------------------------------------
// Final title and price record.

const Case kFinal[] = {
    {"TitleWhitespaceCollapsed", {.title = "  Blue \t\n Jacket\u3000 "}, R"({"title":"Blue Jacket"})"},
    {"TitleEmptyStaysEmpty", {.url = "https://plain.example/", .title = ""}, R"({"title":""})"},
    {"RawTwoDecimals", {.title = "Lamp", .price = models::NormalizedPrice("19,9 €", 19.9, "EUR")},
     R"({"price":{"raw":"19.90 EUR","amount":19.9,"currency":"EUR"}})"},
    {"RawRoundsBinaryValue", {.title = "Lamp", .price = models::NormalizedPrice("x", 2.675, "EUR")},
     R"({"price":{"raw":"2.67 EUR","amount":2.675,"currency":"EUR"}})"},
    {"RawLargeAmountFixedPoint", {.title = "Lamp", .price = models::NormalizedPrice("x", 1e20, "USD")},
     R"({"price":{"raw":"100000000000000000000.00 USD","amount":1e20,"currency":"USD"}})"},
};
INSTANTIATE_TEST_SUITE_P(Final, FactsTest, ::testing::ValuesIn(kFinal), case_name);

// ---------------------------------------------------------------------------
// The JSON form: twelve keys in order, none as null, enumerations as values.

TEST(FactsJson, FullAndEmptyForms) {
  PageFacts f;
  f.title = "Caf\u00e9 \"Lamp\"";
  f.merchant_name = "shop.example";
  f.brand = "Acme";
  f.sku = "S1";
  f.price = models::NormalizedPrice("19.90 EUR", 19.9, "EUR");
  f.stock_status = models::StockStatus::OUT_OF_STOCK;
  f.condition = models::ItemCondition::REFURBISHED;
  f.primary_image_url = "https://i.example/1.jpg";
  f.page_type = models::PageType::MARKETPLACE;
  f.match_score = 95;
  f.fetch_source = "ld_json";
  EXPECT_EQ(f.to_json(),
            "{\"title\":\"Caf\u00e9 \\\"Lamp\\\"\",\"merchant_name\":\"shop.example\",\"brand\":\"Acme\",\"sku\":\"S1\","
            "\"price\":{\"raw\":\"19.90 EUR\",\"amount\":19.9,\"currency\":\"EUR\"},\"stock_status\":\"out_of_stock\","
            "\"condition\":\"refurbished\",\"primary_image_url\":\"https://i.example/1.jpg\",\"shipping_info\":null,"
            "\"page_type\":\"marketplace\",\"match_score\":95,\"fetch_source\":\"ld_json\"}");
  EXPECT_EQ(PageFacts{}.to_json(),
            R"({"title":"","merchant_name":"","brand":null,"sku":null,"price":null,"stock_status":null,)"
            R"("condition":null,"primary_image_url":null,"shipping_info":null,"page_type":"uncategorized",)"
            R"("match_score":0,"fetch_source":"serp_fallback"})");
}

// ---------------------------------------------------------------------------
// Hostile content: odd JSON shapes, invalid UTF-8, NUL bytes, huge numbers.
// The call never fails and any price it gives is a usable one.

class FactsHostile : public ::testing::TestWithParam<std::string> {};

TEST_P(FactsHostile, NeverFails) {
  for (const char* url : {"https://shop.example/p/1", "http://[::1/x", "https://www.amazon.com/dp/1", ""}) {
    PageFacts f;
    ASSERT_NO_THROW(f = (Call{.html = GetParam(), .url = url, .title = "Lamp"}.run())) << url;
    if (f.price) {
      EXPECT_TRUE(std::isfinite(f.price->amount()));
      EXPECT_GE(f.price->amount(), 0.0);
    }
    EXPECT_NO_THROW(f.to_json());
  }
}

const std::string kHostile[] = {
    page(ld(R"({"@type":"Product","offers":"free"})")),
    page(ld(R"({"@type":"Product","offers":[1,2]})")),
    page(ld(R"({"@type":"Product","offers":[[]]})")),
    page(ld(R"({"@type":"Product","offers":{"price":{"a":1},"priceCurrency":["EUR"]}})")),
    page(ld(R"({"@type":"Product","offers":{"price":[1],"availability":{"x":1},"itemCondition":[null]}})")),
    page(ld(R"({"@type":"Product","offers":{"price":-5,"lowPrice":"-7"}})")),
    page(ld(R"({"@type":"Product","offers":{"price":"1e999"}})")),
    page(ld(R"({"@type":"Product","name":null,"brand":{"name":{"x":[1]}},"image":[null],"sku":true})")),
    page(ld(R"({"@type":"Product","hasVariant":[null,1,{"offers":[],"image":[{}],"sku":{}}],"offers":0})")),
    page(next_data(R"({"name":"x","brand":"b","priceCents":-5,"retailPriceCents":1e400,"msrp":"9e999"})")),
    page(next_data(R"({"name":"x","brand":"b","priceCents":1.7976931348623157e308})")),
    page(next_data(R"({"name":"x","brand":"b","price":1e400,"currentPrice":-1})")),
    page(next_data(R"({"name":"x","brand":"b","stockCount":-0.0,"sellingCount":true})")),
    page(meta("product:price:amount", std::string(500, '9')) + meta("product:price:currency", "\xc3\xa9")),
    page("", "<span class=\"woocommerce-Price-amount\">" + std::string(5000, '9') + ".99</span>"),
    page("", "<meta itemprop=\"price\" content=\"1" + std::string(400, '0') + "\">"),
    page(meta("og:title", "A\xff\xfe B") + "<title>\xc3</title>", "\x80\x80<p class=\"instock\">\xed\xa0\x80"),
    page(meta("og:image", "https://x.test/\0a.jpg") + std::string("\0\0<meta\0", 8), std::string("\0", 1)),
    std::string(201, '\0'),
    std::string(300, '\xff'),
};
INSTANTIATE_TEST_SUITE_P(Pages, FactsHostile, ::testing::ValuesIn(kHostile));

// Big pages built to make the markup searches match across megabytes: they
// finish, and values are cut exactly as on small pages.
TEST(FactsHostileBig, LongMarkupMatches) {
  const std::string mb(2 << 20, 'A');
  const std::string digits(2 << 20, '7');
  const PageFacts sku = Call{.html = page(meta("og:type", "product"), R"(<meta itemprop="sku" content=")" + mb + "\">"),
                             .title = "Lamp"}.run();
  EXPECT_EQ(sku.sku, mb);
  const PageFacts span = Call{.html = page(meta("og:type", "product"), "<span class=\"sku\" " + mb + ">x" + mb + "</span>"),
                              .title = "Lamp"}.run();
  EXPECT_EQ(span.sku, "x" + mb);
  const PageFacts woo = Call{.html = page("", "<i class=\"woocommerce-Price-amount " + mb + "\" " + mb + ">" + digits),
                             .title = "Lamp"}.run();
  EXPECT_FALSE(woo.price.has_value());  // far beyond the double range
  const PageFacts micro = Call{.html = page("", "<meta itemprop=\"price\" " + mb + " content=\"12.50\">"),
                               .title = "Lamp"}.run();
  ASSERT_TRUE(micro.price.has_value());
  EXPECT_EQ(micro.price->amount(), 12.5);
  std::string many;
  for (int i = 0; i < 200000; ++i) many += "schema.org/<p class=\"stock \" itemprop=\"sku\" content=\" \" ";
  const PageFacts stock = Call{.html = page(meta("og:type", "product"), many + "schema.org/OutOfStock"), .title = "Lamp"}.run();
  EXPECT_EQ(stock.stock_status, models::StockStatus::OUT_OF_STOCK);
  EXPECT_EQ(stock.sku, std::nullopt);
}

// Invalid UTF-8 in the page is replaced before any rule reads it.
TEST(FactsHostileText, InvalidBytesRepaired) {
  const PageFacts f = Call{.html = page(meta("og:title", "Blue\xff Lamp")), .title = "Read more"}.run();
  EXPECT_EQ(f.title, "Blue\uFFFD Lamp");
  const PageFacts g = Call{.url = "https://shop.example/p/x", .title = "Bad\xc3", .merchant = "M\xff"}.run();
  EXPECT_EQ(g.title, "Bad\uFFFD");
  EXPECT_EQ(g.merchant_name, "M\uFFFD");
}

// Every saved real page parses, under a product URL and under a social one.
TEST(FactsCorpus, EveryPageParses) {
  const std::filesystem::path dir = std::filesystem::path(TARVIK_SHARED_DIR) / "corpus" / "pages";
  if (!std::filesystem::is_directory(dir)) GTEST_SKIP() << "no corpus at " << dir;
  int pages = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().extension() != ".html") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string html((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const char* url : {"https://shop.example/products/item", "https://www.instagram.com/p/1"}) {
      PageFacts f;
      ASSERT_NO_THROW(f = (Call{.html = html, .url = url, .title = "Read more"}.run())) << entry.path();
      EXPECT_TRUE(text::is_valid_utf8(f.to_json())) << entry.path();
    }
    ++pages;
  }
  EXPECT_GT(pages, 0);
}

}  // namespace
}  // namespace tarvik::commerce::testing
