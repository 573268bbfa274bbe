// The extended mode's gate and SKU precedence on pages where a wrong turn is
// easy to miss: which evidence outweighs which refusal, what the admitted page
// becomes, and which of several candidates each field takes.

#include <filesystem>
#include <fstream>
#include <sstream>

#include "facts/test_metadata_parse.hpp"

namespace tarvik::commerce::testing {
namespace {

const std::string PRODUCT_URL = "https://shop.example/products/lamp";
// A URL that tells the rules nothing: their page type stays uncategorised.
const std::string PLAIN_URL = "https://plain.example/x";
constexpr auto FALLBACKS = ExtractionMode::FALLBACKS;
constexpr auto OVERRIDES = ExtractionMode::OVERRIDES;

std::string shop(std::string_view body, std::string_view head = "", std::string_view lang = "en") {
  return "<!doctype html><html lang=\"" + std::string(lang) + "\"><head>" + std::string(head) +
         "</head><body><h1>Desk Lamp</h1>" + std::string(body) + "<p>" + std::string(220, '.') + "</p></body></html>";
}

Case ext(const char* name, std::string html, const char* expect, std::string url = PRODUCT_URL,
         ExtractionMode mode = FALLBACKS) {
  return {name, {.html = std::move(html), .url = std::move(url), .mode = mode}, expect};
}

// JSON-LD that the rules' strict reader skips (trailing comma).
std::string broken_ld(std::string_view json) { return ld(std::string(json) + ","); }

std::string repeat(std::string_view s, int n) {
  std::string out;
  for (int k = 0; k < n; ++k) out += s;
  return out;
}

const std::string BUTTON = "<button>Add to cart</button>";
const std::string ITEM_PRICE =
    R"(<div itemscope itemtype="https://schema.org/Product"><span itemprop="price">$5.00</span></div>)";
const std::string PRODUCT_OFFER = broken_ld(R"({"@type":"Product","offers":{"price":"12.00","priceCurrency":"EUR"}})");

// ---------------------------------------------------------------------------
// An admitted page is a product page.

const Case kAdmitted[] = {
    ext("UncategorisedKeepsFilledSkuAndStock", shop("<p>SKU: 12345</p>" + BUTTON),
        R"({"sku":"12345","stock_status":"in_stock","page_type":"product",
            "sources":{"sku":"sku_label","stock_status":"buy_control","page_type":"sku_label"}})",
        PLAIN_URL),
    ext("RulesArticleGivesWayToProductWithOffer", shop("", PRODUCT_OFFER),
        R"({"price":{"raw":"12.00 EUR","amount":12.0,"currency":"EUR"},"page_type":"product",
            "sources":{"price":"ld_json_tolerant","stock_status":"ld_json_tolerant","page_type":"ld_json_tolerant"}})",
        "https://shop.example/blog/desk-lamp"),
    ext("RulesArticleWithoutOfferStaysArticle", shop("<p>SKU: 12345</p>" + BUTTON, broken_ld(R"({"@type":"Product"})")),
        R"({"sku":null,"page_type":"article","sources":{}})", "https://shop.example/blog/desk-lamp"),
    ext("BlankSkuGivesWayToLabel",
        shop("<p>SKU: AB-1234</p>", ld(R"({"@type":"Product","sku":"  ","offers":{"price":"10","priceCurrency":"USD"}})")),
        R"({"sku":"AB-1234","sources":{"sku":"sku_label"}})"),
    ext("BlankSkuThatNothingReplacesIsNone",
        shop("", ld(R"({"@type":"Product","sku":" ","offers":{"price":"10","priceCurrency":"USD"}})")),
        R"({"sku":null,"sources":{"sku":"blank_sku"}})"),
};
INSTANTIATE_TEST_SUITE_P(ExtendedAdmitted, FactsTest, ::testing::ValuesIn(kAdmitted), case_name);

// ---------------------------------------------------------------------------
// Evidence against refusals.

const Case kGate[] = {
    ext("SiteArticleTypeIsNoArticle", shop(BUTTON, meta("og:type", "kettle:article")),
        R"({"stock_status":"in_stock","sources":{"stock_status":"buy_control","page_type":"buy_control"}})",
        PLAIN_URL),
    ext("BuyControlOutweighsArticleType", shop(BUTTON, meta("og:type", "article")),
        R"({"stock_status":"in_stock","sources":{"stock_status":"buy_control","page_type":"buy_control"}})",
        PLAIN_URL),
    ext("ArticleTypeWithoutEvidenceRefused",
        shop(R"(<span class="price">$20.00</span><p>SKU: 12345</p>)", meta("og:type", "article")),
        R"({"price":null,"sku":null,"sources":{}})", PLAIN_URL),
    ext("FourProductItemsWithoutEvidenceRefused", shop(repeat(ITEM_PRICE, 4)), R"({"price":null,"sources":{}})",
        PLAIN_URL),
    ext("FourProductItemsOfARulesProductPage", shop(repeat(ITEM_PRICE, 4)),
        R"({"price":{"raw":"5.00 USD","amount":5.0,"currency":"USD"},"sources":{"price":"microdata",
            "stock_status":"microdata"}})"),
    ext("FourBuyControlsWithoutEvidenceRefused", shop(repeat(BUTTON, 4) + "<p>SKU: 12345</p>"),
        R"({"sku":null,"stock_status":null,"sources":{}})", PLAIN_URL),
    ext("FourBuyControlsOfAProductWithOffer", shop(repeat(BUTTON, 4), PRODUCT_OFFER),
        R"({"stock_status":"in_stock","sources":{"price":"ld_json_tolerant","stock_status":"buy_control",
            "page_type":"ld_json_tolerant"}})",
        PLAIN_URL),
    ext("UrlIdentifierWithShownPriceIsEvidence",
        shop(R"(<div data-sku="LX20931"></div><span class="price">$20.00</span>)"),
        R"({"sku":"LX20931","price":{"raw":"20.00 USD","amount":20.0,"currency":"USD"},"page_type":"product"})",
        "https://plain.example/lamp-LX20931"),
    ext("UrlIdentifierWithoutPriceIsNot", shop(R"(<div data-sku="LX20931"></div>)"),
        R"({"sku":null,"sources":{}})", "https://plain.example/lamp-LX20931"),
    ext("ProductPriceMetaIsEvidence", shop("", meta("og:price:amount", "15.00") + meta("og:price:currency", "EUR")),
        R"({"price":{"raw":"15.00 EUR","amount":15.0,"currency":"EUR"},"page_type":"product"})", PLAIN_URL),
    ext("MicrodataBeforeMeta",
        shop(R"(<div itemscope itemtype="https://schema.org/Product"><span itemprop="sku">MD-42</span>
             <meta itemprop="priceCurrency" content="EUR"><span itemprop="price">19.95</span></div>)",
             meta("og:price:amount", "25.00") + meta("og:price:currency", "EUR") +
                 meta("product:retailer_item_id", "RI-778")),
        R"({"sku":"MD-42","price":{"raw":"19.95 EUR","amount":19.95,"currency":"EUR"},
            "sources":{"sku":"microdata","price":"microdata","stock_status":"microdata"}})"),
};
INSTANTIATE_TEST_SUITE_P(ExtendedGateEvidence, FactsTest, ::testing::ValuesIn(kGate), case_name);

// ---------------------------------------------------------------------------
// Prices near the heading and the fills that do not depend on them.

const std::string SEVEN_PRICES = R"(<b class="price">$1.00</b><b class="price">$2.00</b><b class="price">$3.00</b>
    <b class="price">$4.00</b><b class="price">$6.00</b><b class="price">$7.00</b><b class="price">$8.00</b>)";

const Case kManyPrices[] = {
    ext("ManyPricesKeepTheOtherFills", shop(SEVEN_PRICES + "<p>SKU: 12345</p>" + BUTTON),
        R"({"price":null,"sku":"12345","stock_status":"in_stock",
            "sources":{"sku":"sku_label","stock_status":"buy_control"}})"),
    ext("ManyPricesKeepTheOneNamedCurrent",
        shop(SEVEN_PRICES + R"(<b class="price current-price">$5.00</b>)" + BUTTON),
        R"({"price":{"raw":"5.00 USD","amount":5.0,"currency":"USD"},
            "sources":{"price":"visible_price","stock_status":"buy_control"}})"),
    ext("ManyPricesDropASalePrice", shop(SEVEN_PRICES + R"(<b class="price sale">$5.00</b>)" + BUTTON),
        R"({"price":null,"stock_status":"in_stock"})"),
};
INSTANTIATE_TEST_SUITE_P(ExtendedManyPrices, FactsTest, ::testing::ValuesIn(kManyPrices), case_name);

// ---------------------------------------------------------------------------
// Identifiers: URL tokens, labels, structured values, their order.

const Case kIdentifiers[] = {
    ext("DigitRunInsideMixedToken", shop(R"(<div data-sku="98765432"></div>)"),
        R"({"sku":"98765432","sources":{"sku":"url_identifier"}})", "https://shop.example/products/lamp2000x98765432"),
    ext("AnyIdNamedDataAttributeConfirms", shop(R"(<div data-item-code="LX20931"></div>)"),
        R"({"sku":"LX20931","sources":{"sku":"url_identifier"}})", "https://shop.example/products/lamp-LX20931"),
    ext("DataAttributeWithoutIdNameDoesNot", shop(R"(<div data-colour="LX20931"></div>)"),
        R"({"sku":null,"sources":{}})", "https://shop.example/products/lamp-LX20931"),
    ext("LongestLabelWins", shop("<p>Cod produs: AB-123</p>", "", "ro"), R"({"sku":"AB-123"})"),
    ext("ListingIdWithDash", shop("<p>Listing ID - 4455667</p>"), R"({"sku":"4455667"})"),
    ext("GermanAdIdLabel", shop("<p>Anzeigen-ID: 2231190</p>", "", "de"), R"({"sku":"2231190"})"),
    ext("CodeStopsAtFirstWord", shop("<p>SKU: AB-12 34X Ships tomorrow</p>"), R"({"sku":"AB-12 34X"})"),
    ext("DashJoinedToLabelIsNoSeparator", shop("<p>SKU-12345</p>"), R"({"sku":null,"sources":{}})"),
    ext("StructuredSkuWithoutDigitIgnored", shop("", broken_ld(R"({"@type":"Product","sku":"blue-lamp"})")),
        R"({"sku":null,"sources":{}})"),
    ext("GtinAfterLabelledCode",
        shop("<p>SKU: AB-1234</p>", broken_ld(R"({"@type":"Product","sku":"4006381333931"})")),
        R"({"sku":"AB-1234","sources":{"sku":"sku_label"}})"),
    ext("GtinWhenNothingElse", shop("", broken_ld(R"({"@type":"Product","gtin13":"4006381333931"})")),
        R"({"sku":"4006381333931","sources":{"sku":"ld_json_tolerant"}})"),
    ext("BadCheckDigitIsASku",
        shop("<p>SKU: AB-1234</p>", meta("product:retailer_item_id", "4006381333932")),
        R"({"sku":"4006381333932","sources":{"sku":"meta_variants"}})"),
    ext("LabelledCodeBeforeTolerantJsonLd",
        shop("<p>SKU: LB-22</p>", broken_ld(R"({"@type":"Product","sku":"LD-1"})")),
        R"({"sku":"LB-22","sources":{"sku":"sku_label"}})"),
    ext("UrlIdentifierBeforeTolerantJsonLd",
        shop(R"(<div data-sku="LX20931"></div>)", broken_ld(R"({"@type":"Product","sku":"LD-1"})")),
        R"({"sku":"LX20931","sources":{"sku":"url_identifier"}})", "https://shop.example/products/lamp-LX20931"),
    ext("MicrodataSkuBeforeLabel",
        shop(R"(<div itemscope itemtype="https://schema.org/Product"><span itemprop="sku">MD-42</span></div>
             <p>SKU: LB-22</p>)"),
        R"({"sku":"MD-42","sources":{"sku":"microdata"}})"),
};
INSTANTIATE_TEST_SUITE_P(ExtendedIdentifiers, FactsTest, ::testing::ValuesIn(kIdentifiers), case_name);

// ---------------------------------------------------------------------------
// Stock: sibling variants, clickable boxes.

const std::string SIBLINGS =
    ld(R"([{"@type":"Product","name":"Lamp","offers":{"price":"10","availability":"OutOfStock"}},
          {"@type":"Product","name":"Lamp","offers":{"price":"10","availability":"InStock"}}])");
const std::string STRANGERS =
    ld(R"([{"@type":"Product","name":"Lamp","offers":{"price":"10","availability":"OutOfStock"}},
          {"@type":"Product","name":"Shade","offers":{"price":"10","availability":"InStock"}}])");

const Case kStock[] = {
    ext("SiblingVariantInStock", shop("", SIBLINGS),
        R"({"stock_status":"in_stock","sources":{"stock_status":"offer_stock_override"}})", PRODUCT_URL, OVERRIDES),
    ext("OtherProductInStockIgnored", shop("", STRANGERS), R"({"stock_status":"out_of_stock","sources":{}})",
        PRODUCT_URL, OVERRIDES),
    ext("DivWithButtonRole", shop(R"(<div role="button" class="btn">Add to cart</div>)"),
        R"({"stock_status":"in_stock","sources":{"stock_status":"buy_control","page_type":"buy_control"}})",
        PLAIN_URL),
    ext("SpanWithOnclickInRussian", shop(R"(<span onclick="cart.add">В корзину</span>)", "", "ru"),
        R"({"stock_status":"in_stock"})", PLAIN_URL),
    ext("PlainDivIsNoControl", shop(R"(<div class="cta">Add to cart</div>)"),
        R"({"stock_status":null,"sources":{}})", PLAIN_URL),
};
INSTANTIATE_TEST_SUITE_P(ExtendedStockEvidence, FactsTest, ::testing::ValuesIn(kStock), case_name);

// ---------------------------------------------------------------------------
// The demo shop's product page: its header mini-cart shows 0.00, the product
// 148.00 next to the heading.

TEST(ExtendedDemoShop, ZeroPriceOfTheMiniCartMakesWayForTheProductPrice) {
  const std::filesystem::path file = std::filesystem::path(TARVIK_SOURCE_DIR) /
                                     "examples/site/www.kettleandlace.com/product/vantrel-aster-90-low-fjord-grey/"
                                     "index.html";
  std::ifstream in(file, std::ios::binary);
  ASSERT_TRUE(in) << file;
  std::ostringstream html;
  html << in.rdbuf();
  const Call call{.html = html.str(),
                  .url = "https://www.kettleandlace.com/product/vantrel-aster-90-low-fjord-grey/",
                  .mode = OVERRIDES};
  expect_facts(call.run(), R"({"price":{"raw":"148.00 USD","amount":148.0,"currency":"USD"},
                               "sources":{"price":"visible_price"}})");
}

}  // namespace
}  // namespace tarvik::commerce::testing
