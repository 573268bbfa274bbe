// Page facts assembly: set-up and page gate, domain classification, JSON-LD
// and next-data reading, Open Graph stage and meta fill-ins, markup fallbacks.
// Each case runs one small hand-written page and checks only the facts it is
// about (a subset of the JSON form of the result).

#include "facts/test_metadata_parse.hpp"

namespace tarvik::commerce::testing {
namespace {

TEST_P(FactsTest, GivesExpectedFacts) { expect_facts(GetParam().call.run(), GetParam().expect); }

// ---------------------------------------------------------------------------
// Set-up, URL handling and the page gate.

const Case kSetup[] = {
    {"NoPageTitleFromPath",
     {.url = "https://plain.example/products/blue-linen_shirt", .title = "Read more"},
     R"({"title":"Blue Linen Shirt","merchant_name":"plain.example","brand":null,"sku":null,"price":null,
         "stock_status":null,"condition":null,"page_type":"uncategorized","fetch_source":"serp_fallback"})"},
    {"DomainLowerCasedEveryWwwRemoved",
     {.url = "https://WWW.Shop.www.Example.COM/x", .title = "Lamp"},
     R"({"merchant_name":"shop.example.com"})"},
    {"InitialTitleUnescapedAndTrimmed",
     {.title = "  Caf&eacute; &amp; Bar Stool\u00a0"},
     R"({"title":"Café & Bar Stool"})"},
    {"TitleUnescapedAtStartAndAtEnd", {.title = "Fish &amp;amp; Chips"}, R"({"title":"Fish & Chips"})"},
    {"MerchantTrimmed", {.title = "Lamp", .merchant = "  Lamp House  "}, R"({"merchant_name":"Lamp House"})"},
    {"InitialPriceAndStock",
     {.title = "Lamp", .price = models::NormalizedPrice("€19,90", 19.9, "EUR"), .stock = true},
     R"({"price":{"raw":"19.90 EUR","amount":19.9,"currency":"EUR"},"stock_status":"in_stock","page_type":"product"})"},
    {"InitialOutOfStock",
     {.title = "Lamp", .price = models::NormalizedPrice("5", 5.0, "USD"), .stock = false},
     R"({"stock_status":"out_of_stock"})"},
    // A URL whose network location cannot be split has no domain and no path.
    {"UnsplittableUrlHasNoDomain",
     {.url = "http://[::1/products/lamp", .title = "Read more"},
     R"({"merchant_name":"","title":"Read more","page_type":"uncategorized"})"},
    {"EmptyPageNotRead", {.html = "", .url = "https://plain.example/x", .title = "Lamp"},
     R"({"fetch_source":"serp_fallback"})"},
};
INSTANTIATE_TEST_SUITE_P(Setup, FactsTest, ::testing::ValuesIn(kSetup), case_name);

// The gate counts code points: a page of 200 characters (most of them two
// bytes long) is not read, one of 201 is.
TEST(FactsPageGate, ReadsOnlyPagesLongerThan200Characters) {
  const std::string head = R"(<meta property="og:type" content="product">)";
  for (std::size_t chars : {200u, 201u}) {
    std::string html = head;
    while (text::length(html) < chars) html += "é";
    ASSERT_EQ(text::length(html), chars);
    const PageFacts f = Call{.html = html, .title = "Lamp"}.run();
    EXPECT_EQ(f.fetch_source, chars == 200 ? "serp_fallback" : "opengraph") << chars;
    EXPECT_EQ(f.page_type, chars == 200 ? models::PageType::UNCATEGORIZED : models::PageType::PRODUCT) << chars;
  }
}

// ---------------------------------------------------------------------------
// Domain classification: table entries match whole labels only.

const Case kDomains[] = {
    {"Social", {.url = "https://www.instagram.com/p/abc", .title = "Lamp"}, R"({"page_type":"social"})"},
    {"SocialSubdomain", {.url = "https://m.youtube.com/watch?v=1", .title = "Lamp"}, R"({"page_type":"social"})"},
    {"ShortSocialEntry", {.url = "https://x.com/a/status/1", .title = "Lamp"}, R"({"page_type":"social"})"},
    {"EntryInsideLabelIsNotSocial", {.url = "https://www.rolex.com/watches", .title = "Lamp"},
     R"({"page_type":"uncategorized"})"},
    {"EntryInsideLabelIsNotSocial2", {.url = "https://www.netflix.com/title/1", .title = "Lamp"},
     R"({"page_type":"uncategorized"})"},
    {"MarketplaceCountrySuffix", {.url = "https://www.amazon.com.mx/dp/B01", .title = "Lamp"},
     R"({"page_type":"marketplace"})"},
    {"MarketplaceWithPort", {.url = "https://amazon.com:8443/dp/B01", .title = "Lamp"},
     R"({"page_type":"marketplace"})"},
    {"MarketplaceSubdomain", {.url = "https://smile.amazon.com/dp/B01", .title = "Lamp"},
     R"({"page_type":"marketplace"})"},
    {"MarketplaceEntryInsideLabel", {.url = "https://notamazon.com/dp/B01", .title = "Lamp"},
     R"({"page_type":"uncategorized"})"},
    {"MarketplaceEntryThenMoreLabel", {.url = "https://amazon.community.example/x", .title = "Lamp"},
     R"({"page_type":"uncategorized"})"},
    {"EditorialDomain", {.url = "https://acme.substack.com/p/1", .title = "Lamp"}, R"({"page_type":"article"})"},
    {"EditorialEntryInsideLabel", {.url = "https://notmedium.com/p/1", .title = "Lamp"},
     R"({"page_type":"uncategorized"})"},
    {"PortfolioDomain", {.url = "https://artist.github.io/x", .title = "Lamp"}, R"({"page_type":"portfolio"})"},
    {"ShopSuffix", {.url = "https://cool.shop/x", .title = "Lamp"}, R"({"page_type":"product"})"},
    {"StoreSuffix", {.url = "https://cool.store/x", .title = "Lamp"}, R"({"page_type":"product"})"},
    {"BoutiqueSuffix", {.url = "https://cool.boutique/x", .title = "Lamp"}, R"({"page_type":"product"})"},
    // Suffix tests stay plain suffix tests: "myshop" is not ".shop".
    {"SuffixNeedsDot", {.url = "https://myshop/x", .title = "Lamp"}, R"({"page_type":"uncategorized"})"},
    // A social page gets no path rules, and a price does not make it a product.
    {"SocialKeepsPriceButStaysSocial",
     {.url = "https://www.instagram.com/shop/x", .title = "Lamp", .price = models::NormalizedPrice("5", 5, "USD"),
      .stock = true},
     R"({"page_type":"social","stock_status":null,"price":{"raw":"5.00 USD","amount":5.0,"currency":"USD"}})"},
};
INSTANTIATE_TEST_SUITE_P(Domains, FactsTest, ::testing::ValuesIn(kDomains), case_name);

TEST(FactsTables, MediumEntryIsEditorial) {
  EXPECT_NE(std::find(EDITORIAL_DOMAINS.begin(), EDITORIAL_DOMAINS.end(), "medium.com"), EDITORIAL_DOMAINS.end());
}

// ---------------------------------------------------------------------------
// JSON-LD product reading.

const Case kLdJson[] = {
    {"AllFields",
     {.html = page(ld(R"({"@context":"https://schema.org","@type":"Product","name":"  Linen &amp; Wool Shirt ",
        "brand":{"@type":"Brand","name":" Acme "},"sku":" SH-1 ",
        "image":["https://img.example/1.jpg?w=1&amp;h=2","https://img.example/2.jpg"],
        "offers":{"@type":"Offer","price":"49.90","priceCurrency":"EUR",
          "availability":"https://schema.org/InStock","itemCondition":"https://schema.org/NewCondition"}})")),
      .title = "Read more"},
     R"({"title":"Linen & Wool Shirt","merchant_name":"shop.example","brand":"Acme","sku":"SH-1",
         "price":{"raw":"49.90 EUR","amount":49.9,"currency":"EUR"},"stock_status":"in_stock","condition":"new",
         "primary_image_url":"https://img.example/1.jpg?w=1&amp;h=2","page_type":"product","fetch_source":"ld_json"})"},
    {"BlankNameKeepsTitle", {.html = page(ld(R"({"@type":"Product","name":"  ","sku":"A"})")), .title = "Lamp"},
     R"({"title":"Lamp"})"},
    {"NonTextNameKeepsTitle", {.html = page(ld(R"({"@type":"Product","name":5,"sku":"A"})")), .title = "Lamp"},
     R"({"title":"Lamp"})"},
    {"BrandText", {.html = page(ld(R"({"@type":"Product","brand":" Zeta "})")), .title = "Lamp"},
     R"({"brand":"Zeta"})"},
    {"BrandNameNumber", {.html = page(ld(R"({"@type":"Product","brand":{"name":7}})")), .title = "Lamp"},
     R"({"brand":"7"})"},
    {"BrandNameNull", {.html = page(ld(R"({"@type":"Product","brand":{"name":null}})")), .title = "Lamp"},
     R"({"brand":"None"})"},
    {"BrandWithoutName", {.html = page(ld(R"({"@type":"Product","brand":{"@type":"Brand"}})")), .title = "Lamp"},
     R"({"brand":null})"},
    {"SkuNumber", {.html = page(ld(R"({"@type":"Product","sku":42})")), .title = "Lamp"}, R"({"sku":"42"})"},
    {"SkuFloat", {.html = page(ld(R"({"@type":"Product","sku":12.0})")), .title = "Lamp"}, R"({"sku":"12.0"})"},
    {"SkuFromGtin13", {.html = page(ld(R"({"@type":"Product","sku":"","gtin13":"4006381333931"})")), .title = "Lamp"},
     R"({"sku":"4006381333931"})"},
    {"SkuOrder",
     {.html = page(ld(R"({"@type":"Product","sku":0,"gtin13":null,"mpn":"M-1","gtin8":"G8","gtin12":"G12"})")),
      .title = "Lamp"},
     R"({"sku":"G12"})"},
    {"SkuFromMpn", {.html = page(ld(R"({"@type":"Product","sku":0,"mpn":"M-1"})")), .title = "Lamp"},
     R"({"sku":"M-1"})"},
    {"ImageText", {.html = page(ld(R"({"@type":"Product","image":"https://i.example/t.jpg"})")), .title = "Lamp"},
     R"({"primary_image_url":"https://i.example/t.jpg"})"},
    {"ImageObjectUrl",
     {.html = page(ld(R"({"@type":"Product","image":{"@type":"ImageObject","url":"https://i.example/o.jpg"}})")),
      .title = "Lamp"},
     R"({"primary_image_url":"https://i.example/o.jpg"})"},
    {"ImageEmptyList", {.html = page(ld(R"({"@type":"Product","image":[]})")), .title = "Lamp"},
     R"({"primary_image_url":null})"},
    {"ProductChoiceSkipsBareObjects",
     {.html = page(ld(R"([{"@type":"Product","name":"First"},{"@type":"Product","name":"Second","sku":"S2"}])")),
      .title = "Lamp"},
     R"({"title":"Second","sku":"S2"})"},
    {"FirstObjectWhenNoneQualifies",
     {.html = page(ld(R"([{"@type":"Product","name":"First"},{"@type":"Product","name":"Second"}])")),
      .title = "Lamp"},
     R"({"title":"First"})"},
    {"VariantsGiveSkuImageAndOffers",
     {.html = page(ld(R"({"@type":"ProductGroup","name":"Group Tee","hasVariant":["junk",
        {"@type":"Product","sku":"A1","image":"https://i.example/a1.jpg"},
        {"@type":"Product","sku":"B2","image":"https://i.example/b2.jpg","offers":{"price":"10.00","priceCurrency":"CAD"}},
        {"@type":"Product","sku":"C3","offers":{"price":"99.00"}}]})")),
      .title = "Lamp"},
     R"({"title":"Group Tee","sku":"A1","primary_image_url":"https://i.example/a1.jpg",
         "price":{"raw":"10.00 CAD","amount":10.0,"currency":"CAD"}})"},
    {"OffersFromAnotherListedProduct",
     {.html = page(ld(R"([{"@type":"Product","name":"Main Lamp","sku":"M1"},
                           {"@type":"Product","name":"Other","sku":"O2","offers":{"price":"5"}}])")),
      .title = "Lamp"},
     R"({"title":"Main Lamp","sku":"M1","price":{"raw":"5.00 USD","amount":5.0,"currency":"USD"}})"},
    {"SocialNeverReadsJsonLd",
     {.html = page(ld(R"({"@type":"Product","name":"Shirt","sku":"S1","offers":{"price":"5",
        "availability":"InStock","itemCondition":"NewCondition"}})")),
      .url = "https://www.instagram.com/p/1", .title = "Lamp"},
     R"({"page_type":"social","fetch_source":"serp_fallback","title":"Lamp","sku":null,"stock_status":null,
         "condition":null,"price":null})"},
    {"MarketplaceStaysMarketplace",
     {.html = page(ld(R"({"@type":"Product","name":"Shirt","sku":"S1"})")), .url = "https://www.ebay.com/itm/1",
      .title = "Lamp"},
     R"({"page_type":"marketplace","fetch_source":"ld_json"})"},
    {"JsonLdBeatsNextData",
     {.html = page(ld(R"({"@type":"Product","name":"From LD"})") +
                   next_data(R"({"name":"From Next","brandName":"N","sku":"N1"})")),
      .title = "Lamp"},
     R"({"title":"From LD","fetch_source":"ld_json","sku":null})"},
};
INSTANTIATE_TEST_SUITE_P(LdJson, FactsTest, ::testing::ValuesIn(kLdJson), case_name);

// The offer rules, one offer each; the product has an SKU so the page stays a
// product page and keeps its stock and condition.
Case offer_case(const char* name, std::string offers, const char* expect, Call call = {}) {
  call.html = page(ld(R"({"@type":"Product","name":"Linen Shirt","sku":"S","offers":)" + offers + "}"));
  if (call.title.empty()) call.title = "Lamp";
  return {name, call, expect};
}

const Case kOffers[] = {
    offer_case("ZeroPriceFallsToLowPrice", R"({"price":0,"lowPrice":"12.50"})",
               R"({"price":{"raw":"12.50 USD","amount":12.5,"currency":"USD"}})"),
    offer_case("TextZeroPriceIsUsed", R"({"price":"0","lowPrice":"12.50"})",
               R"({"price":{"raw":"0.00 USD","amount":0.0,"currency":"USD"}})"),
    offer_case("FloatTextForm", R"({"price":12.0,"priceCurrency":"GBP"})",
               R"({"price":{"raw":"12.00 GBP","amount":12.0,"currency":"GBP"}})"),
    // 1e16 reads as "1e+16", whose leading number is 1.
    offer_case("ExponentTextForm", R"({"price":1e16})", R"({"price":{"raw":"1.00 USD","amount":1.0,"currency":"USD"}})"),
    offer_case("FalsyHighPriceStillRead", R"({"lowPrice":"","highPrice":0})", R"({"price":{"raw":"0.00 USD","amount":0.0,"currency":"USD"}})"),
    offer_case("NullHighPriceGivesNoPrice", R"({"highPrice":null,"priceCurrency":"EUR"})", R"({"price":null})"),
    offer_case("HintLowerCase", R"({"price":"8","priceCurrency":"eur"})",
               R"({"price":{"raw":"8.00 EUR","amount":8.0,"currency":"EUR"}})"),
    offer_case("OfferReplacesSearchPrice", R"({"price":"20","priceCurrency":"EUR"})",
               R"({"price":{"raw":"20.00 EUR","amount":20.0,"currency":"EUR"}})",
               {.price = models::NormalizedPrice("$30", 30, "USD")}),
    offer_case("UnreadableOfferKeepsSearchPrice", R"({"price":"call us","priceCurrency":"EUR"})",
               R"({"price":{"raw":"30.00 USD","amount":30.0,"currency":"USD"}})",
               {.price = models::NormalizedPrice("$30", 30, "USD")}),
    offer_case("FirstOfferOfList", R"([{"price":"7.5"},{"price":"9"}])",
               R"({"price":{"raw":"7.50 USD","amount":7.5,"currency":"USD"}})"),
    // Malformed offers are treated as absent instead of failing the call.
    offer_case("FirstOfferNotAnObject", R"(["junk",{"price":"9"}])", R"({"price":null,"sku":"S"})"),
    offer_case("CurrencyNotText", R"({"price":"8","priceCurrency":5})",
               R"({"price":{"raw":"8.00 USD","amount":8.0,"currency":"USD"}})"),
    offer_case("InfiniteJsonPrice", R"({"price":1e400})", R"({"price":null})"),
    offer_case("OutOfStockUrl", R"({"availability":"https://schema.org/OutOfStock"})",
               R"({"stock_status":"out_of_stock"})"),
    offer_case("InStockUrl", R"({"availability":"http://schema.org/InStock"})", R"({"stock_status":"in_stock"})"),
    offer_case("SoldOut", R"({"availability":"SoldOut"})", R"({"stock_status":"out_of_stock"})"),
    offer_case("PreOrder", R"({"availability":"https://schema.org/PreOrder"})", R"({"stock_status":"preorder"})"),
    offer_case("BackOrderKeepsSearchStock", R"({"availability":"https://schema.org/BackOrder"})",
               R"({"stock_status":"out_of_stock"})", {.stock = false}),
    offer_case("Refurbished", R"({"itemCondition":"https://schema.org/RefurbishedCondition"})",
               R"({"condition":"refurbished"})"),
    offer_case("NewCondition", R"({"itemCondition":"https://schema.org/NewCondition"})", R"({"condition":"new"})"),
    offer_case("UsedCondition", R"({"itemCondition":"UsedCondition"})", R"({"condition":"used"})"),
    offer_case("RenewedCountsAsNew", R"({"itemCondition":"Renewed"})", R"({"condition":"new"})"),
    offer_case("UnknownCondition", R"({"itemCondition":"Damaged"})", R"({"condition":null})"),
};
INSTANTIATE_TEST_SUITE_P(Offers, FactsTest, ::testing::ValuesIn(kOffers), case_name);

// ---------------------------------------------------------------------------
// Next-data product reading.

Case nd_case(const char* name, const char* product, const char* expect, Call call = {}) {
  call.html = page(next_data(product));
  if (call.title.empty()) call.title = "Lamp";
  return {name, call, expect};
}

const models::NormalizedPrice kTen("$10", 10, "USD");

const Case kNextData[] = {
    nd_case("AllFields", R"({"name":"Trail &amp; Road Runner","brandName":" Acme ","sku":1234,"priceCents":2599})",
            R"({"title":"Trail & Road Runner","brand":"Acme","sku":"1234","stock_status":"in_stock","condition":"new",
                "price":{"raw":"25.99 USD","amount":25.99,"currency":"USD"},"page_type":"product",
                "fetch_source":"next_data"})"),
    nd_case("TitleFallsBackToTitleKey", R"({"name":"","title":"Alt Name","brand":"B","sku":"1"})",
            R"({"title":"Alt Name","brand":"B"})"),
    nd_case("BrandNotText", R"({"name":"Lamp","brand":{"name":"X"},"sku":"1"})", R"({"brand":null})"),
    nd_case("EmptyProductNotUsed", R"({})", R"({"fetch_source":"opengraph"})"),
    // Sold-out signals: only JSON booleans count for the flags.
    nd_case("IsSoldOutClearsSearchPrice", R"({"name":"Lamp","sku":"1","isSoldOut":true,"priceCents":2599})",
            R"({"stock_status":"out_of_stock","price":null,"condition":"new"})", {.price = kTen}),
    nd_case("SoldOutText", R"({"name":"Lamp","sku":"1","isSoldOut":"true"})",
            R"({"stock_status":"in_stock","price":{"raw":"10.00 USD","amount":10.0,"currency":"USD"}})",
            {.price = kTen}),
    nd_case("InStockFalse", R"({"name":"Lamp","sku":"1","inStock":false})", R"({"stock_status":"out_of_stock"})"),
    nd_case("InStockZeroIsNotFalse", R"({"name":"Lamp","sku":"1","inStock":0})", R"({"stock_status":"in_stock"})"),
    nd_case("AvailableFalse", R"({"name":"Lamp","sku":"1","available":false})", R"({"stock_status":"out_of_stock"})"),
    nd_case("IsAvailableFalse", R"({"name":"Lamp","sku":"1","isAvailable":false})",
            R"({"stock_status":"out_of_stock"})"),
    nd_case("OutOfStockTrue", R"({"name":"Lamp","sku":"1","outOfStock":true})", R"({"stock_status":"out_of_stock"})"),
    nd_case("IsOutOfStockTrue", R"({"name":"Lamp","sku":"1","isOutOfStock":true})",
            R"({"stock_status":"out_of_stock"})"),
    nd_case("StatusSoldOut", R"({"name":"Lamp","sku":"1","status":"SOLD_OUT"})", R"({"stock_status":"out_of_stock"})"),
    nd_case("StatusAvailable", R"({"name":"Lamp","sku":"1","status":"available"})", R"({"stock_status":"in_stock"})"),
    nd_case("StockStatusAfterEmptyStatus", R"({"name":"Lamp","sku":"1","status":"","stockStatus":"OutOfStock"})",
            R"({"stock_status":"out_of_stock"})"),
    nd_case("AvailabilityUnavailable", R"({"name":"Lamp","sku":"1","availability":"Unavailable"})",
            R"({"stock_status":"out_of_stock"})"),
    nd_case("SellingCountZero", R"({"name":"Lamp","sku":"1","sellingCount":0})", R"({"stock_status":"out_of_stock"})"),
    nd_case("SellingCountFalse", R"({"name":"Lamp","sku":"1","sellingCount":false})",
            R"({"stock_status":"out_of_stock"})"),
    nd_case("SellingCountText", R"({"name":"Lamp","sku":"1","sellingCount":"0"})", R"({"stock_status":"in_stock"})"),
    nd_case("InventoryZeroPassedOver", R"({"name":"Lamp","sku":"1","inventoryCount":0})",
            R"({"stock_status":"in_stock"})"),
    nd_case("StockCountZero", R"({"name":"Lamp","sku":"1","stockCount":0})", R"({"stock_status":"out_of_stock"})"),
    nd_case("InventoryBeatsStockCount", R"({"name":"Lamp","sku":"1","inventoryCount":5,"stockCount":0})",
            R"({"stock_status":"in_stock"})"),
    nd_case("StockCountFalse", R"({"name":"Lamp","sku":"1","quantity":0,"stockCount":false})",
            R"({"stock_status":"out_of_stock"})"),
    nd_case("ZeroPriceCentsPassedOver", R"({"name":"Lamp","sku":"1","priceCents":0})",
            R"({"stock_status":"in_stock","price":null})"),
    nd_case("CurrentPriceCentsZero", R"({"name":"Lamp","sku":"1","currentPriceCents":0})",
            R"({"stock_status":"out_of_stock"})"),
    // Prices.
    nd_case("SearchPriceKept", R"({"name":"Lamp","sku":"1","priceCents":2599})",
            R"({"price":{"raw":"30.00 EUR","amount":30.0,"currency":"EUR"}})",
            {.price = models::NormalizedPrice("30 €", 30, "EUR")}),
    nd_case("LowestCentsFirst", R"({"name":"Lamp","sku":"1","lowestPriceCents":1999,"priceCents":2599})",
            R"({"price":{"raw":"19.99 USD","amount":19.99,"currency":"USD"}})"),
    nd_case("BooleanCents", R"({"name":"Lamp","sku":"1","priceCents":true})",
            R"({"price":{"raw":"0.01 USD","amount":0.01,"currency":"USD"}})"),
    nd_case("TextCentsNotANumber", R"({"name":"Lamp","sku":"1","priceCents":"2599"})", R"({"price":null})"),
    nd_case("PriceText", R"({"name":"Lamp","sku":"1","price":"€12,50"})",
            R"({"price":{"raw":"12.50 EUR","amount":12.5,"currency":"EUR"}})"),
    nd_case("UnreadablePriceStopsThere", R"({"name":"Lamp","sku":"1","price":"ask","currentPrice":"9.99"})",
            R"({"price":null})"),
    nd_case("SalePrice", R"({"name":"Lamp","sku":"1","currentPrice":0,"salePrice":"7"})",
            R"({"price":{"raw":"7.00 USD","amount":7.0,"currency":"USD"}})"),
    nd_case("RetailCents", R"({"name":"Lamp","sku":"1","retailPriceCents":5000})",
            R"({"price":{"raw":"50.00 USD","amount":50.0,"currency":"USD"}})"),
    nd_case("Msrp", R"({"name":"Lamp","sku":"1","msrp":"£80"})",
            R"({"price":{"raw":"80.00 GBP","amount":80.0,"currency":"GBP"}})"),
    nd_case("ZeroMsrpCentsThenRetailPrice", R"({"name":"Lamp","sku":"1","msrpCents":0,"retailPrice":"60"})",
            R"({"price":{"raw":"60.00 USD","amount":60.0,"currency":"USD"}})"),
    // A cents value beyond the double range is a failed conversion.
    nd_case("InfiniteCents", R"({"name":"Lamp","sku":"1","priceCents":1e400})", R"({"price":null})"),
    nd_case("InfiniteCentsThenMsrp", R"({"name":"Lamp","sku":"1","priceCents":1e400,"msrp":"80"})",
            R"({"price":{"raw":"80.00 USD","amount":80.0,"currency":"USD"}})"),
    nd_case("InfiniteRetailCents", R"({"name":"Lamp","sku":"1","retailPriceCents":1e400})", R"({"price":null})"),
    nd_case("SocialNeverReadsNextData", R"({"name":"Shirt","brand":"B","sku":"1","priceCents":100})",
            R"({"fetch_source":"serp_fallback","title":"Lamp","price":null,"brand":null})",
            {.url = "https://www.facebook.com/p/1"}),
};
INSTANTIATE_TEST_SUITE_P(NextData, FactsTest, ::testing::ValuesIn(kNextData), case_name);

// ---------------------------------------------------------------------------
// Open Graph stage and meta-tag fill-ins.

const Case kOpenGraph[] = {
    {"OgTypeProduct", {.html = page(meta("og:type", "Product.Item")), .title = "Lamp"},
     R"({"page_type":"product","fetch_source":"opengraph"})"},
    {"OgTypeArticle", {.html = page(meta("og:type", "article")), .title = "Lamp"}, R"({"page_type":"article"})"},
    {"UrlProductBeatsOgArticle",
     {.html = page(meta("og:type", "article")), .url = "https://shop.example/product/1", .title = "Lamp"},
     R"({"page_type":"product"})"},
    {"UrlQueryCounts", {.html = page(""), .url = "https://shop.example/x?next=/product", .title = "Lamp"},
     R"({"page_type":"product"})"},
    {"UrlBlog", {.html = page(""), .url = "https://shop.example/blog/post-1", .title = "Lamp"},
     R"({"page_type":"article"})"},
    {"MediumDomain", {.html = page(""), .url = "https://medium.com/@a/x", .title = "Lamp"},
     R"({"page_type":"article"})"},
    {"NoOgTagsStillOpengraph", {.html = page(""), .title = "Lamp"},
     R"({"page_type":"uncategorized","fetch_source":"opengraph"})"},
    // Upper-case /Product/ is not seen by the Open Graph stage, but the final
    // path rules see it once the page was read.
    {"UpperCaseProductPathRead", {.html = page(""), .url = "https://shop.example/Product/1", .title = "Lamp"},
     R"({"page_type":"product"})"},
    {"UpperCaseProductPathNotRead", {.url = "https://shop.example/Product/1", .title = "Lamp"},
     R"({"page_type":"uncategorized"})"},
    {"ItemPathRead", {.html = page(""), .url = "https://shop.example/item/123", .title = "Lamp"},
     R"({"page_type":"product"})"},
    {"MarketplaceBecomesProduct", {.html = page(meta("og:type", "product")), .url = "https://www.etsy.com/listing/1",
                                   .title = "Lamp"},
     R"({"page_type":"product"})"},
    {"MarketplaceKeptOtherwise", {.html = page(meta("og:type", "website")), .url = "https://www.etsy.com/listing/1",
                                  .title = "Lamp"},
     R"({"page_type":"marketplace"})"},
    {"SocialSkipsStage", {.html = page(meta("og:type", "product")), .url = "https://www.reddit.com/r/x",
                          .title = "Lamp"},
     R"({"page_type":"social","fetch_source":"serp_fallback"})"},
    // Brand fill-ins, values unescaped once chosen.
    {"OgBrandFirst", {.html = page(meta("product:brand", "Other") + meta("og:brand", "Acme &amp; Co")), .title = "Lamp"},
     R"({"brand":"Acme & Co"})"},
    {"ProductBrand", {.html = page(meta("product:brand", "Zeta") + meta("author", "Jane Doe")), .title = "Lamp"},
     R"({"brand":"Zeta"})"},
    {"Author", {.html = page(meta("author", "Jane Doe") + meta("og:site_name", "Site")), .title = "Lamp"},
     R"({"brand":"Jane Doe"})"},
    {"AuthorTooShort", {.html = page(meta("author", "J") + meta("og:site_name", "Site")), .title = "Lamp"},
     R"({"brand":"Site"})"},
    {"AuthorWithLink", {.html = page(meta("author", "https://x.example/me") + meta("og:site_name", "Site")),
                        .title = "Lamp"},
     R"({"brand":"Site"})"},
    {"Author30Chars", {.html = page(meta("author", std::string(30, 'a'))), .title = "Lamp"},
     R"({"brand":"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"})"},
    {"Author31Chars", {.html = page(meta("author", std::string(31, 'a'))), .title = "Lamp"}, R"({"brand":null})"},
    // Lengths are those of the values as written: 38 characters here, 23 unescaped.
    {"LengthAsWritten",
     {.html = page(meta("author", "Tom &amp; Jerry &amp; Friends &amp; Co") + meta("og:site_name", "Site &amp; Co")),
      .title = "Lamp"},
     R"({"brand":"Site & Co"})"},
    {"SiteNameTooShort", {.html = page(meta("og:site_name", "A")), .title = "Lamp"}, R"({"brand":null})"},
    {"EmptyLdBrandFilled",
     {.html = page(ld(R"({"@type":"Product","brand":""})") + meta("og:brand", "Acme")), .title = "Lamp"},
     R"({"brand":"Acme"})"},
    {"LdBrandKept", {.html = page(ld(R"({"@type":"Product","brand":"Zeta"})") + meta("og:brand", "Acme")),
                     .title = "Lamp"},
     R"({"brand":"Zeta"})"},
    {"SocialGetsNoMetaBrand", {.html = page(meta("og:brand", "Acme")), .url = "https://www.tiktok.com/@a/video/1",
                               .title = "Lamp"},
     R"({"brand":null})"},
    // Image fill-in, unescaped, also on social pages.
    {"OgImageUnescaped", {.html = page(meta("og:image", "https://x.test/a.jpg?w=1&amp;h=2")), .title = "Lamp"},
     R"({"primary_image_url":"https://x.test/a.jpg?w=1&h=2"})"},
    {"LdImageBeatsOgImage",
     {.html = page(ld(R"({"@type":"Product","image":"https://i.example/ld.jpg"})") +
                   meta("og:image", "https://i.example/og.jpg")),
      .title = "Lamp"},
     R"({"primary_image_url":"https://i.example/ld.jpg"})"},
    {"EmptyLdImageFilled",
     {.html = page(ld(R"({"@type":"Product","image":""})") + meta("og:image", "https://i.example/og.jpg")),
      .title = "Lamp"},
     R"({"primary_image_url":"https://i.example/og.jpg"})"},
    {"SocialGetsOgImage", {.html = page(meta("og:image", "https://i.example/og.jpg")),
                           .url = "https://www.pinterest.com/pin/1", .title = "Lamp"},
     R"({"primary_image_url":"https://i.example/og.jpg"})"},
    // Meta price, currency and availability.
    {"MetaPriceWithCurrencyHint",
     {.html = page(meta("product:price:amount", "19.99") + meta("product:price:currency", "eur")), .title = "Lamp"},
     R"({"price":{"raw":"19.99 EUR","amount":19.99,"currency":"EUR"},"page_type":"product"})"},
    {"MetaPriceFillsOnly",
     {.html = page(meta("product:price:amount", "10")), .title = "Lamp",
      .price = models::NormalizedPrice("30 €", 30, "EUR")},
     R"({"price":{"raw":"30.00 EUR","amount":30.0,"currency":"EUR"}})"},
    {"MetaCurrencyWithoutAmount",
     {.html = page(meta("product:price:currency", "gbp"),
                   R"(<span class="woocommerce-Price-amount amount">1,299.00</span>)"),
      .title = "Lamp"},
     R"({"price":{"raw":"1299.00 GBP","amount":1299.0,"currency":"GBP"}})"},
    {"MetaAvailabilityIn", {.html = page(meta("og:type", "product") + meta("product:availability", "InStock")),
                            .title = "Lamp"},
     R"({"stock_status":"in_stock"})"},
    {"MetaAvailabilityOut", {.html = page(meta("og:type", "product") + meta("product:availability", "out of stock")),
                             .title = "Lamp"},
     R"({"stock_status":null})"},
    {"MetaAvailabilityOutOfStock",
     {.html = page(meta("og:type", "product") + meta("product:availability", "OutOfStock")), .title = "Lamp"},
     R"({"stock_status":"out_of_stock"})"},
    {"MetaAvailabilityFillsOnly",
     {.html = page(meta("og:type", "product") + meta("product:availability", "outofstock")), .title = "Lamp",
      .stock = true},
     R"({"stock_status":"in_stock"})"},
};
INSTANTIATE_TEST_SUITE_P(OpenGraph, FactsTest, ::testing::ValuesIn(kOpenGraph), case_name);

// ---------------------------------------------------------------------------
// Markup fallbacks: shop-plugin and microdata prices, SKU, stock classes.

const std::string kProductMeta = meta("og:type", "product");

const Case kMarkup[] = {
    {"ShopPrice",
     {.html = page("", R"(<span class="woocommerce-Price-amount amount"><bdi><span class="woocommerce-Price-currencySymbol">&#36;</span>1,299.00</bdi></span>)"),
      .title = "Lamp"},
     R"({"price":{"raw":"1299.00 USD","amount":1299.0,"currency":"USD"},"page_type":"product"})"},
    {"ShopPriceAnyCase", {.html = page("", R"(<span CLASS='WOOCOMMERCE-PRICE-AMOUNT'>12.50</span>)"), .title = "Lamp"},
     R"({"price":{"raw":"12.50 USD","amount":12.5,"currency":"USD"}})"},
    {"ShopPriceUnicodeDigits",
     {.html = page("", "<span class=\"woocommerce-Price-amount\">\u0664\u0665</span>"), .title = "Lamp"},
     R"({"price":{"raw":"45.00 USD","amount":45.0,"currency":"USD"}})"},
    {"ShopPriceCommasOnly", {.html = page("", R"(<span class="woocommerce-Price-amount">,,,</span>)"), .title = "Lamp"},
     R"({"price":null,"page_type":"uncategorized"})"},
    {"ShopPriceBeyondDoubleRange",
     {.html = page("", "<span class=\"woocommerce-Price-amount\">" + std::string(400, '9') + "</span>"),
      .title = "Lamp"},
     R"({"price":null,"page_type":"uncategorized"})"},
    {"ShopPriceIgnoredOnSocial",
     {.html = page("", R"(<span class="woocommerce-Price-amount">12.50</span>)"),
      .url = "https://www.instagram.com/p/1", .title = "Lamp"},
     R"({"price":null})"},
    {"ShopPriceKeepsMarketplace",
     {.html = page("", R"(<span class="woocommerce-Price-amount">12.50</span>)"), .url = "https://www.ebay.de/itm/1",
      .title = "Lamp"},
     R"({"page_type":"marketplace"})"},
    {"ShopPriceBeatsMicrodata",
     {.html = page("", R"(<meta itemprop="price" content="7.00"><span class="woocommerce-Price-amount">12.50</span>)"),
      .title = "Lamp"},
     R"({"price":{"raw":"12.50 USD","amount":12.5,"currency":"USD"}})"},
    {"Microdata",
     {.html = page(meta("product:price:currency", "GBP"),
                   R"(<meta itemprop="price" content="1,234.50"><meta itemprop="priceCurrency" content="eur">)"),
      .title = "Lamp"},
     R"({"price":{"raw":"1234.50 EUR","amount":1234.5,"currency":"EUR"},"page_type":"product"})"},
    {"MicrodataWithoutCurrency", {.html = page("", R"(<meta itemprop="price" content="5">)"), .title = "Lamp"},
     R"({"price":{"raw":"5.00 USD","amount":5.0,"currency":"USD"}})"},
    {"MicrodataCommasOnly", {.html = page("", R"(<meta itemprop="price" content=",,">)"), .title = "Lamp"},
     R"({"price":null,"page_type":"uncategorized"})"},
    {"MicrodataBeyondDoubleRange",
     {.html = page("", "<meta itemprop=\"price\" content=\"" + std::string(400, '1') + "\">"), .title = "Lamp"},
     R"({"price":null})"},
    // SKU patterns, in order; the first that matches decides.
    {"SkuItemprop", {.html = page(kProductMeta, R"(<meta itemprop="sku" content=" SK-9 ">)"), .title = "Lamp"},
     R"({"sku":"SK-9"})"},
    {"SkuSpan", {.html = page(kProductMeta, R"(<span class="product-SKU">S-77</span>)"), .title = "Lamp"},
     R"({"sku":"S-77"})"},
    {"SkuDataAttribute", {.html = page(kProductMeta, R"(<a data-product_sku="DP-1">)"), .title = "Lamp"},
     R"({"sku":"DP-1"})"},
    {"SkuMixedQuotes", {.html = page(kProductMeta, R"(<meta itemprop='sku' content="it's">)"), .title = "Lamp"},
     R"({"sku":"it"})"},
    // The attribute run before "content=" is greedy: the last one in the tag counts.
    {"SkuLastContentInTag",
     {.html = page(kProductMeta, R"(<meta itemprop="sku" content="A1" data-content="B2">)"), .title = "Lamp"},
     R"({"sku":"B2"})"},
    {"SkuSpanValueWithGreaterThan",
     {.html = page(kProductMeta, R"(<span class="a>sku" id=x>A>B </span>)"), .title = "Lamp"},
     R"({"sku":"A>B"})"},
    {"SkuPatternOrder",
     {.html = page(kProductMeta, R"(<span class="sku">S-77</span><meta itemprop="sku" content="SK-9">)"),
      .title = "Lamp"},
     R"({"sku":"SK-9"})"},
    {"BlankSkuStopsSearch",
     {.html = page(kProductMeta, R"(<meta itemprop="sku" content="  "><a data-product_sku="DP-1">)"), .title = "Lamp"},
     R"({"sku":null})"},
    {"LdSkuBeatsMarkup",
     {.html = page(ld(R"({"@type":"Product","sku":"LD-1"})"), R"(<a data-product_sku="DP-1">)"), .title = "Lamp"},
     R"({"sku":"LD-1"})"},
    // Stock classes and Schema.org terms.
    {"ClassInStock", {.html = page(kProductMeta, R"(<p class="stock instock">)"), .title = "Lamp"},
     R"({"stock_status":"in_stock"})"},
    {"ClassOutOfStock", {.html = page(kProductMeta, R"(<p class='stock OutOfStock'>)"), .title = "Lamp"},
     R"({"stock_status":"out_of_stock"})"},
    {"ClassWordBoundaryHyphen", {.html = page(kProductMeta, R"(<p class="stock-instock">)"), .title = "Lamp"},
     R"({"stock_status":"in_stock"})"},
    {"ClassInsideWord", {.html = page(kProductMeta, R"(<p class="notinstock">)"), .title = "Lamp"},
     R"({"stock_status":null})"},
    {"ClassUnderscoreIsWord", {.html = page(kProductMeta, R"(<p class="instock_badge">)"), .title = "Lamp"},
     R"({"stock_status":null})"},
    {"ClassNonAsciiLetterIsWord", {.html = page(kProductMeta, R"(<p class="éinstock">)"), .title = "Lamp"},
     R"({"stock_status":null})"},
    {"SchemaInStock", {.html = page(kProductMeta, R"(<link href="https://schema.org/InStock">)"), .title = "Lamp"},
     R"({"stock_status":"in_stock"})"},
    {"SchemaOutOfStockUpper",
     {.html = page(kProductMeta, R"(<link href="http://SCHEMA.ORG/OutOfStock">)"), .title = "Lamp"},
     R"({"stock_status":"out_of_stock"})"},
    {"SchemaKelvinSign", {.html = page(kProductMeta, "<i>schema.org/InStoc\u212A</i>"), .title = "Lamp"},
     R"({"stock_status":"in_stock"})"},
    {"SchemaLongSIsNotS", {.html = page(kProductMeta, "<i>schema.org/In\u017Ftock</i>"), .title = "Lamp"},
     R"({"stock_status":null})"},
    {"InStockBeatsOutOfStock",
     {.html = page(kProductMeta, R"(<p class="outofstock">schema.org/InStock)"), .title = "Lamp"},
     R"({"stock_status":"in_stock"})"},
    {"MarkupStockFillsOnly", {.html = page(kProductMeta, R"(<p class="instock">)"), .title = "Lamp", .stock = false},
     R"({"stock_status":"out_of_stock"})"},
    // The markup patterns ignore letter case as RE2 does: "s" also matches
    // U+017F and "k" U+212A. The searches must still find such matches, and
    // matches that follow lookalike text.
    {"SkuSpanLongS", {.html = page(kProductMeta, "<span class=\"product-\u017Fku\">S-1</span>"), .title = "Lamp"},
     R"({"sku":"S-1"})"},
    {"SkuItempropKelvinSign",
     {.html = page(kProductMeta, "<meta itemprop=\"s\u212Au\" content=\"K-2\">"), .title = "Lamp"},
     R"({"sku":"K-2"})"},
    {"ClassLongSInStock", {.html = page(kProductMeta, "<p class=\"in\u017Ftock\">"), .title = "Lamp"},
     R"({"stock_status":"in_stock"})"},
    {"ClassAfterStockInText",
     {.html = page(kProductMeta, R"(<p title='a'>stock "here"</p><p class="x outofstock">)"), .title = "Lamp"},
     R"({"stock_status":"out_of_stock"})"},
    {"MicrodataAfterOtherItemprops",
     {.html = page("", R"(<meta itemprop="name" content="n"><meta itemprop='price' content="3">)"), .title = "Lamp"},
     R"({"price":{"raw":"3.00 USD","amount":3.0,"currency":"USD"}})"},
};
INSTANTIATE_TEST_SUITE_P(Markup, FactsTest, ::testing::ValuesIn(kMarkup), case_name);

}  // namespace
}  // namespace tarvik::commerce::testing
