// The extended page-facts mode, feature by feature: small pages that each
// fallback must read, and pages it must leave alone. Every case checks the
// facts it is about and the whole "sources" object, so a feature that fires
// where it should not shows as an extra source.

#include "facts/test_metadata_parse.hpp"

namespace tarvik::commerce::testing {
namespace {

const std::string PRODUCT_URL = "https://shop.example/products/lamp";

// A page of the given language with a main heading; `before` stands above it.
std::string shop(std::string_view body, std::string_view head = "", std::string_view lang = "en",
                 std::string_view before = "") {
  std::string s = "<!doctype html><html lang=\"" + std::string(lang) + "\"><head>" + std::string(head) +
                  "</head><body>" + std::string(before) + "<h1>Desk Lamp</h1>" + std::string(body);
  s += "<p>" + std::string(220, '.') + "</p></body></html>";
  return s;
}

Case ext(const char* name, std::string html, const char* expect, std::string url = PRODUCT_URL,
         ExtractionMode mode = ExtractionMode::FALLBACKS) {
  return {name, {.html = std::move(html), .url = std::move(url), .mode = mode}, expect};
}

// A JSON-LD block that the rules' strict reader skips (trailing comma).
std::string broken_ld(std::string_view json) { return ld(std::string(json) + ","); }

// ---------------------------------------------------------------------------
// Tolerant JSON-LD.

const Case kJsonLd[] = {
    ext("CommentWrapper",
        shop("", R"(<script type="application/ld+json"><!-- {"@type":"Product","sku":"A-100","offers":{"price":"19.90",
            "priceCurrency":"EUR","availability":"InStock"}} --></script>)"),
        R"({"sku":"A-100","price":{"raw":"19.90 EUR","amount":19.9,"currency":"EUR"},"stock_status":"in_stock",
            "sources":{"sku":"ld_json_tolerant","price":"ld_json_tolerant","stock_status":"ld_json_tolerant"}})"),
    ext("CdataAndScriptComments",
        shop("", ld("//<![CDATA[\n{ // the product\n \"@type\": \"Product\", /* id */ \"sku\": \"B-7\",\n"
                    " \"offers\": {\"price\": 5, \"priceCurrency\": \"USD\"} }\n//]]>")),
        R"({"sku":"B-7","price":{"raw":"5.00 USD","amount":5.0,"currency":"USD"},
            "sources":{"sku":"ld_json_tolerant","price":"ld_json_tolerant","stock_status":"ld_json_tolerant"}})"),
    ext("TrailingCommasAndRawTab",
        shop("", ld("{\"@type\":\"Product\",\"name\":\"a\tb\",\"sku\":\"C-1\",\"offers\":[{\"price\":\"12.00\","
                    "\"priceCurrency\":\"GBP\",},],}")),
        R"({"sku":"C-1","price":{"raw":"12.00 GBP","amount":12.0,"currency":"GBP"}})"),
    ext("ObjectsBackToBack",
        shop("", ld(R"({"@type":"Organization","name":"Shop"}{"@type":"Product","offers":{"price":"7.5",
            "priceCurrency":"USD"}})")),
        R"({"price":{"raw":"7.50 USD","amount":7.5,"currency":"USD"},
            "sources":{"price":"ld_json_tolerant","stock_status":"ld_json_tolerant"}})"),
    ext("HtmlEscapedBody", shop("", ld("{&quot;@type&quot;:&quot;Product&quot;,&quot;sku&quot;:&quot;H-1&quot;}")),
        R"({"sku":"H-1","sources":{"sku":"ld_json_tolerant"}})"),
    ext("PrefixedTypesAndKeysInAnyCase",
        shop("", ld(R"({"@type":"schema:product","SKU":"P-9","Offers":{"@type":"http://schema.org/Offer",
            "Price":"3.50","PriceCurrency":"EUR"}})")),
        R"({"sku":"P-9","price":{"raw":"3.50 EUR","amount":3.5,"currency":"EUR"}})"),
    ext("ProductInsideGraphUnderAnotherNode",
        shop("", ld(R"({"@graph":[{"@type":"WebPage","mainEntity":{"@type":["IndividualProduct"],"sku":"G-2"}}]})")),
        R"({"sku":"G-2","sources":{"sku":"ld_json_tolerant"}})"),
    ext("AggregateSkipsZeroForNestedOffer",
        shop("", broken_ld(R"({"@type":"Product","offers":{"@type":"AggregateOffer","offers":[{"price":"0"},
            {"price":"-5"},{"price":"8.00","priceCurrency":"EUR"}]}})")),
        R"({"price":{"raw":"8.00 EUR","amount":8.0,"currency":"EUR"}})"),
    // Valid JSON: the rules find no price in an offer that only has a list.
    ext("PriceEntriesPreferTheSalePrice",
        shop("", ld(R"({"@type":"Product","offers":{"@type":"Offer","priceSpecification":[{"priceType":
            "https://schema.org/ListPrice","price":"30.00","priceCurrency":"EUR"},{"price":"24.00",
            "priceCurrency":"EUR"}]}})")),
        R"({"price":{"raw":"24.00 EUR","amount":24.0,"currency":"EUR"},
            "sources":{"price":"ld_json_tolerant","stock_status":"ld_json_tolerant"}})"),
    ext("PriceTextWithSymbol", shop("", broken_ld(R"({"@type":"Product","offers":{"price":"€ 1.299,00"}})")),
        R"({"price":{"raw":"1299.00 EUR","amount":1299.0,"currency":"EUR"}})"),
    ext("ProductIdWithScheme", shop("", broken_ld(R"({"@type":"Product","productID":"isbn:9780316769488"})")),
        R"({"sku":"9780316769488","sources":{"sku":"ld_json_tolerant"}})"),
    ext("ProductIdThatIsAWordIsNoSku", shop("", broken_ld(R"({"@type":"Product","productID":"blue-lamp"})")),
        R"({"sku":null,"sources":{}})"),
    ext("StandaloneOfferWithoutProduct",
        shop("", ld(R"({"@type":"Offer","price":"15.00","priceCurrency":"USD"})")),
        R"({"price":{"raw":"15.00 USD","amount":15.0,"currency":"USD"},
            "sources":{"price":"ld_json_tolerant","stock_status":"ld_json_tolerant"}})"),
    ext("OfferBesideAProductIsNotTheProductsPrice",
        shop("", ld(R"({"@type":"Product","name":"Lamp"})") + ld(R"({"@type":"Offer","price":"15.00"})")),
        R"({"price":null,"sources":{}})"),
};
INSTANTIATE_TEST_SUITE_P(ExtendedJsonLd, FactsTest, ::testing::ValuesIn(kJsonLd), case_name);

// ---------------------------------------------------------------------------
// Microdata and RDFa.

constexpr const char* ITEM = R"(<div itemscope itemtype="https://schema.org/Product">)";
constexpr const char* OFFER = R"(<div itemprop="offers" itemscope itemtype="https://schema.org/Offer">)";

const Case kMicrodata[] = {
    ext("OfferOfTheMainProduct",
        shop(std::string(ITEM) + R"(<span itemprop="sku">SKU: MD-42</span>)" + OFFER +
             R"(<meta itemprop="priceCurrency" content="EUR"><span itemprop="price">19,95</span>
               <span itemprop="availability">Out of stock</span></div></div>)"),
        R"({"sku":"MD-42","price":{"raw":"19.95 EUR","amount":19.95,"currency":"EUR"},"stock_status":"out_of_stock",
            "sources":{"sku":"microdata","price":"microdata","stock_status":"microdata"}})"),
    // The rules read the content price and infer "in stock" for a priced
    // product page: that stock is theirs, whatever the item says.
    ext("InferredStockStaysTheRules",
        shop(std::string(ITEM) + R"(<meta itemprop="price" content="19.00">
             <span itemprop="availability">Out of stock</span></div>)"),
        R"({"stock_status":"in_stock","sources":{}})"),
    ext("StruckPriceSkipped",
        shop(std::string(ITEM) + OFFER +
             R"(<del itemprop="price">29.00</del> <span itemprop="price">24.00</span>
               <meta itemprop="priceCurrency" content="USD"></div></div>)"),
        R"({"price":{"raw":"24.00 USD","amount":24.0,"currency":"USD"}})"),
    ext("FormerPriceContainerSkipped",
        shop(std::string(ITEM) + R"(<div class="old-price"><span itemprop="price">£29.00</span></div>
             <span itemprop="price">£24.00</span></div>)"),
        R"({"price":{"raw":"24.00 GBP","amount":24.0,"currency":"GBP"}})"),
    ext("OtherProductsPriceIgnored",
        shop(std::string(ITEM) + R"(<span itemprop="name">Lamp</span></div>
             <div itemscope itemtype="https://schema.org/Product"><span itemprop="price">$5.00</span></div>)"),
        R"({"price":null,"sources":{}})"),
    ext("RecommendedProductsIgnored",
        shop(R"(<div class="recommended-products">)" + std::string(ITEM) +
             R"(<span itemprop="price">$5.00</span></div></div>)"),
        R"({"price":null,"sources":{}})"),
    ext("RelatedItemsAreNotAList",
        shop(std::string(ITEM) + R"(<span itemprop="price">$40.00</span></div><div class="related">)" +
             std::string(4, ' ') + ITEM + "</div>" + ITEM + "</div>" + ITEM + "</div>" + ITEM + "</div></div>"),
        R"({"price":{"raw":"40.00 USD","amount":40.0,"currency":"USD"},"sources":{"price":"microdata",
            "stock_status":"microdata"}})"),
    ext("RdfaProperties",
        shop(R"(<div vocab="https://schema.org/" typeof="Product"><span property="sku">R-5</span>
             <div property="offers" typeof="Offer"><span property="price" content="49.00">49,00 €</span>
             <span property="priceCurrency" content="EUR">€</span></div></div>)"),
        R"({"sku":"R-5","price":{"raw":"49.00 EUR","amount":49.0,"currency":"EUR"}})"),
    ext("OtherVocabularyPropertyIgnored",
        shop(R"(<div typeof="Product"><span property="og:price:amount">12.00</span></div>)"),
        R"({"price":null,"sources":{}})"),
};
INSTANTIATE_TEST_SUITE_P(ExtendedMicrodata, FactsTest, ::testing::ValuesIn(kMicrodata), case_name);

// ---------------------------------------------------------------------------
// Meta tag variants.

const Case kMeta[] = {
    ext("OpenGraphPrice", shop("", meta("og:price:amount", "15.00") + meta("og:price:currency", "EUR")),
        R"({"price":{"raw":"15.00 EUR","amount":15.0,"currency":"EUR"},
            "sources":{"price":"meta_variants","stock_status":"meta_variants"}})"),
    ext("TwitterPricePair",
        shop("", R"(<meta name="twitter:label1" content="Price"><meta name="twitter:data1" content="$45.00">)"),
        R"({"price":{"raw":"45.00 USD","amount":45.0,"currency":"USD"}})"),
    ext("RetailerItemId", shop("", meta("product:retailer_item_id", "RI-778")),
        R"({"sku":"RI-778","sources":{"sku":"meta_variants"}})"),
    ext("AvailabilityWithSpaces", shop("", meta("product:availability", "in stock")),
        R"({"stock_status":"in_stock","sources":{"stock_status":"meta_variants"}})"),
    ext("AvailabilityOos", shop("", meta("product:availability", "oos")),
        R"({"stock_status":"out_of_stock","sources":{"stock_status":"meta_variants"}})"),
};
INSTANTIATE_TEST_SUITE_P(ExtendedMeta, FactsTest, ::testing::ValuesIn(kMeta), case_name);

// ---------------------------------------------------------------------------
// Identifier from the URL, confirmed on the page.

const Case kUrlId[] = {
    ext("PathTokenRepeatedAsDataSku", shop(R"(<div data-sku="LX20931"></div>)"),
        R"({"sku":"LX20931","sources":{"sku":"url_identifier"}})", "https://shop.example/products/lamp-LX20931"),
    ext("LetterPrefixDroppedHiddenInput", shop(R"(<input type="hidden" name="product_id" value="98765432">)"),
        R"({"sku":"98765432"})", "https://shop.example/products/lamp-p98765432.html"),
    ext("QueryValueKeyedInScript", shop(R"(<script>var meta = {"variant_id": 40011223344};</script>)"),
        R"({"sku":"40011223344"})", "https://shop.example/products/lamp?variant=40011223344"),
    ext("TokenOnlyInTextIsNotConfirmed", shop("<p>Model LX20931</p>"), R"({"sku":null,"sources":{}})",
        "https://shop.example/products/lamp-LX20931"),
    ext("YearIsNoIdentifier", shop(R"(<div data-sku="summer2023"></div>)"), R"({"sku":null,"sources":{}})",
        "https://shop.example/products/summer2023"),
};
INSTANTIATE_TEST_SUITE_P(ExtendedUrlIdentifier, FactsTest, ::testing::ValuesIn(kUrlId), case_name);

// ---------------------------------------------------------------------------
// Stock from the buy control.

const Case kBuyControl[] = {
    ext("EnabledAddToCart", shop(R"(<button type="submit" name="add">Add to cart</button>)"),
        R"({"stock_status":"in_stock","sources":{"stock_status":"buy_control"}})"),
    ext("SubmitInputByValue", shop(R"(<input type="submit" value="In den Warenkorb">)", "", "de"),
        R"({"stock_status":"in_stock"})"),
    ext("DisabledSoldOutButton", shop("<button disabled>Sold out</button>"),
        R"({"stock_status":"out_of_stock","sources":{"stock_status":"buy_control"}})"),
    ext("HiddenButtonIgnored", shop(R"(<button class="hidden">Add to cart</button>)"),
        R"({"stock_status":null,"sources":{}})"),
    ext("HiddenNotifyMeNoticeIgnored",
        shop(R"(<button>Add to cart</button><div style="display: none">Out of stock - notify me</div>)"),
        R"({"stock_status":"in_stock"})"),
    ext("ButtonAndNoticeMeanNoAnswer", shop("<button>Add to cart</button><p>Sold out</p>"),
        R"({"stock_status":null,"sources":{}})"),
    ext("RelatedQuickAddIgnored", shop(R"(<div class="related-products"><button>Add to cart</button></div>)"),
        R"({"stock_status":null,"sources":{}})"),
    ext("SoldOutVariantOptionIgnored", shop("<select><option>XL - sold out</option></select>"),
        R"({"stock_status":null,"sources":{}})"),
};
INSTANTIATE_TEST_SUITE_P(ExtendedBuyControl, FactsTest, ::testing::ValuesIn(kBuyControl), case_name);

// ---------------------------------------------------------------------------
// Visible price near the main heading.

const Case kVisiblePrice[] = {
    ext("PriceClassNextToHeading", shop(R"(<div class="product-price">24,95 €</div>)", "", "de"),
        R"({"price":{"raw":"24.95 EUR","amount":24.95,"currency":"EUR"},"stock_status":"in_stock",
            "sources":{"price":"visible_price","stock_status":"visible_price"}})"),
    ext("CurrentPriceHintWins",
        shop(R"(<span class="price">$30.00</span><span class="price price--sale">$25.00</span>)"),
        R"({"price":{"raw":"25.00 USD","amount":25.0,"currency":"USD"}})"),
    ext("StruckPriceRejected", shop(R"(<s class="price">$30.00</s> <span class="price">$25.00</span>)"),
        R"({"price":{"raw":"25.00 USD","amount":25.0,"currency":"USD"}})"),
    ext("FormerPriceContainerRejected",
        shop(R"(<div class="was-price"><span class="amount-price">$30.00</span></div><b class="price">$25.00</b>)"),
        R"({"price":{"raw":"25.00 USD","amount":25.0,"currency":"USD"}})"),
    ext("WasTextRejected", shop(R"(<span class="price">Was $30.00</span>)"), R"({"price":null,"sources":{}})"),
    ext("UnitPriceRejected", shop(R"(<span class="unit-price">$2.50</span><span class="price">$2.50/kg</span>)"),
        R"({"price":null,"sources":{}})"),
    ext("MonthlyPriceRejected", shop(R"(<span class="price">$20 a month</span>)"), R"({"price":null,"sources":{}})"),
    ext("PriceInLinkRejected", shop(R"(<a href="/other"><span class="price">$9.00</span></a>)"),
        R"({"price":null,"sources":{}})"),
    ext("CarouselPriceRejected", shop(R"(<div class="product-carousel"><span class="price">$9.00</span></div>)"),
        R"({"price":null,"sources":{}})"),
    ext("HiddenPriceRejected", shop(R"(<span class="price" hidden>$9.00</span>)"), R"({"price":null,"sources":{}})"),
    ext("NoCurrencyNoPrice", shop(R"(<span class="price">25.00</span>)"), R"({"price":null,"sources":{}})"),
    ext("TwoNumbersRejected", shop(R"(<span class="price">2 for $10</span>)"), R"({"price":null,"sources":{}})"),
    ext("CentsInSuperscriptRejected", shop(R"(<span class="price">$12<sup>99</sup></span>)"),
        R"({"price":null,"sources":{}})"),
    ext("ThousandsDotInGerman", shop(R"(<span class="preis">1.299 €</span>)", "", "de"),
        R"({"price":{"raw":"1299.00 EUR","amount":1299.0,"currency":"EUR"}})"),
    ext("PriceAboveHeadingIgnored", shop("", "", "en", R"(<span class="price">$9.00</span>)"),
        R"({"price":null,"sources":{}})"),
    ext("CrownsNeedTheLanguage", shop(R"(<span class="price">299 kr</span>)", "", "nl"),
        R"({"price":null,"sources":{}})"),
};
INSTANTIATE_TEST_SUITE_P(ExtendedVisiblePrice, FactsTest, ::testing::ValuesIn(kVisiblePrice), case_name);

// ---------------------------------------------------------------------------
// Visible "label: value" SKU.

const Case kSkuLabel[] = {
    ext("LabelColonCode", shop("<p>Art.-Nr.: 12345-B</p>", "", "de"),
        R"({"sku":"12345-B","sources":{"sku":"sku_label"}})"),
    ext("DefinitionList", shop("<dl><dt>SKU</dt><dd>AB-1234</dd></dl>"), R"({"sku":"AB-1234"})"),
    ext("LabelThenTextSibling", shop("<li><strong>Item no.</strong> 778899</li>"), R"({"sku":"778899"})"),
    ext("WideColonAfterCjkLabel", shop("<p>品番：ABC-123</p>", "", "ja"), R"({"sku":"ABC-123"})"),
    ext("LabelInLinkIgnored", shop(R"(<a href="#">SKU: 12345</a>)"), R"({"sku":null,"sources":{}})"),
    ext("CodeWithoutDigitIgnored", shop("<p>SKU: N/A</p>"), R"({"sku":null,"sources":{}})"),
    ext("CodeBeforeSentenceKept", shop("<p>SKU: 12345 ships tomorrow</p>"), R"({"sku":"12345"})"),
    ext("WordAfterLabelIsNoCode", shop("<p>SKU: see below 12345</p>"), R"({"sku":null,"sources":{}})"),
    ext("LabelAboveHeadingIgnored", shop("", "", "en", "<p>SKU: 12345</p>"), R"({"sku":null,"sources":{}})"),
};
INSTANTIATE_TEST_SUITE_P(ExtendedSkuLabel, FactsTest, ::testing::ValuesIn(kSkuLabel), case_name);

// ---------------------------------------------------------------------------
// The product-evidence gate: pages that are not about one product get
// nothing, however much they hold.

const std::string RICH = shop(R"(<span class="price">$20.00</span><p>SKU: 12345</p><button>Add to cart</button>)",
                              broken_ld(R"({"@type":"Product","sku":"X-1"})"));
const std::string BARE = shop(R"(<span class="price">$20.00</span><p>SKU: 12345</p>)");

const Case kGate[] = {
    ext("SearchResultsUrl", RICH, R"({"sources":{}})", "https://shop.example/search?q=lamp"),
    ext("SearchQueryKey", RICH, R"({"sources":{}})", "https://shop.example/products?keywords=lamp"),
    ext("ArticleByOpenGraph", shop(R"(<span class="price">$20.00</span><p>SKU: 12345</p>)", meta("og:type", "article")),
        R"({"sources":{}})", "https://news.example/lamps/desk-lamp"),
    ext("DatedPath", RICH, R"({"sources":{}})", "https://blog.example/2021/10/20/lamp"),
    ext("ForumThread", RICH, R"({"sources":{}})", "https://talk.example/forum/lamp-42"),
    ext("SearchResultsPageNode", shop("<button>Add to cart</button>", ld(R"({"@type":"SearchResultsPage"})")),
        R"({"sources":{}})"),
    ext("UncategorisedWithoutEvidence", BARE, R"({"price":null,"page_type":"uncategorized","sources":{}})",
        "https://plain.example/x"),
    ext("UncategorisedWithOneBuyControl", shop(R"(<span class="price">$20.00</span><button>Add to cart</button>)"),
        R"({"price":{"raw":"20.00 USD","amount":20.0,"currency":"USD"},"page_type":"product",
            "sources":{"price":"visible_price","stock_status":"buy_control","page_type":"visible_price"}})",
        "https://plain.example/x"),
    ext("ManyBuyControlsAreAList",
        shop(R"(<button>Add to cart</button><button>Add to cart</button><button>Add to cart</button>
             <button>Add to cart</button><span class="price">$20.00</span>)"),
        R"({"sources":{}})", "https://plain.example/x"),
    ext("ModeOffHasNoSources", RICH, R"({"sku":null})", PRODUCT_URL, ExtractionMode::OFF),
};
INSTANTIATE_TEST_SUITE_P(ExtendedGate, FactsTest, ::testing::ValuesIn(kGate), case_name);

TEST(ExtendedFacts, ModeOffAddsNoSourcesKey) {
  const PageFacts f = Call{.html = RICH, .url = PRODUCT_URL}.run();
  EXPECT_FALSE(f.sources.has_value());
  EXPECT_EQ(f.to_json().find("sources"), std::string::npos);
}

// ---------------------------------------------------------------------------
// Overrides.

const std::string ZERO_LD = ld(R"({"@type":"Product","offers":{"price":"0","priceCurrency":"USD"}})");
const std::string TWO_OFFERS = ld(R"({"@type":"Product","offers":[{"price":"10","availability":"OutOfStock"},
    {"price":"10","availability":"https://schema.org/InStock"}]})");
std::string prices(std::string_view amount, std::string_view sale, std::string_view sale_currency = "USD") {
  return meta("product:price:amount", amount) + meta("product:price:currency", "USD") +
         meta("product:sale_price:amount", sale) + meta("product:sale_price:currency", sale_currency);
}
constexpr auto OVERRIDES = ExtractionMode::OVERRIDES;

const Case kOverrides[] = {
    ext("ZeroPriceKeptWithoutOverrides", shop(R"(<span class="price">$19.00</span>)", ZERO_LD),
        R"({"price":{"raw":"0.00 USD","amount":0.0,"currency":"USD"},"sources":{}})"),
    ext("ZeroPriceFilledByFallback", shop(R"(<span class="price">$19.00</span>)", ZERO_LD),
        R"({"price":{"raw":"19.00 USD","amount":19.0,"currency":"USD"},"sources":{"price":"visible_price"}})",
        PRODUCT_URL, OVERRIDES),
    ext("ZeroPriceDropped", shop("", ZERO_LD),
        R"({"price":null,"stock_status":null,
            "sources":{"price":"zero_price_override","stock_status":"zero_price_override"}})",
        PRODUCT_URL, OVERRIDES),
    ext("OtherOfferInStock", shop("", TWO_OFFERS),
        R"({"stock_status":"in_stock","sources":{"stock_status":"offer_stock_override"}})", PRODUCT_URL, OVERRIDES),
    ext("FirstOfferKeptWithoutOverrides", shop("", TWO_OFFERS), R"({"stock_status":"out_of_stock","sources":{}})"),
    ext("LowerSalePrice", shop("", prices("30.00", "24.00")),
        R"({"price":{"raw":"24.00 USD","amount":24.0,"currency":"USD"},"sources":{"price":"sale_price_override"}})",
        PRODUCT_URL, OVERRIDES),
    ext("HigherSalePriceIgnored", shop("", prices("30.00", "34.00")),
        R"({"price":{"raw":"30.00 USD","amount":30.0,"currency":"USD"},"sources":{}})", PRODUCT_URL, OVERRIDES),
    ext("SalePriceInOtherCurrencyIgnored", shop("", prices("30.00", "24.00", "EUR")),
        R"({"price":{"raw":"30.00 USD","amount":30.0,"currency":"USD"},"sources":{}})", PRODUCT_URL, OVERRIDES),
};
INSTANTIATE_TEST_SUITE_P(ExtendedOverrides, FactsTest, ::testing::ValuesIn(kOverrides), case_name);

// ---------------------------------------------------------------------------
// The word lists: one row per language, read on a page in that language.

struct LanguageRow {
  const char* lang;
  const char* price_class;
  const char* price_text;
  const char* price_json;
  const char* add_to_cart;
  const char* out_of_stock;
  const char* sku_label;
};

TEST(ExtendedLexicons, EveryLanguageReadsItsShopWords) {
  const LanguageRow rows[] = {
      {"en", "price", "$1,299.00", R"({"raw":"1299.00 USD","amount":1299.0,"currency":"USD"})", "Add to cart",
       "Sold out", "SKU"},
      {"de", "preis", "1.299,00 €", R"({"raw":"1299.00 EUR","amount":1299.0,"currency":"EUR"})",
       "In den Warenkorb", "Ausverkauft", "Artikelnummer"},
      {"fr", "prix", "1 299,00 €", R"({"raw":"1299.00 EUR","amount":1299.0,"currency":"EUR"})", "Ajouter au panier",
       "Rupture de stock", "Référence"},
      {"es", "precio", "1.299,00 €", R"({"raw":"1299.00 EUR","amount":1299.0,"currency":"EUR"})",
       "Añadir al carrito", "Agotado", "Referencia"},
      {"it", "prezzo", "€ 1.299,00", R"({"raw":"1299.00 EUR","amount":1299.0,"currency":"EUR"})",
       "Aggiungi al carrello", "Esaurito", "Codice articolo"},
      {"nl", "prijs", "€ 1.299,00", R"({"raw":"1299.00 EUR","amount":1299.0,"currency":"EUR"})", "In winkelwagen",
       "Uitverkocht", "Artikelnummer"},
      {"pt-BR", "preco", "R$ 1.299,00", R"({"raw":"1299.00 BRL","amount":1299.0,"currency":"BRL"})",
       "Adicionar ao carrinho", "Esgotado", "Referência"},
      {"pl", "cena", "1 299,00 zł", R"({"raw":"1299.00 PLN","amount":1299.0,"currency":"PLN"})", "Dodaj do koszyka",
       "Brak w magazynie", "Kod produktu"},
      {"sv", "pris", "1 299 kr", R"({"raw":"1299.00 SEK","amount":1299.0,"currency":"SEK"})", "Lägg i varukorgen",
       "Slutsåld", "Artikelnummer"},
      {"da", "pris", "1.299,00 kr.", R"({"raw":"1299.00 DKK","amount":1299.0,"currency":"DKK"})", "Læg i kurv",
       "Udsolgt", "Varenummer"},
      {"ja", "kakaku", "¥1,299", R"({"raw":"1299.00 JPY","amount":1299.0,"currency":"JPY"})", "カートに入れる",
       "在庫切れ", "品番"},
      {"zh-CN", "jiage", "¥1299.00", R"({"raw":"1299.00 CNY","amount":1299.0,"currency":"CNY"})", "加入购物车", "缺货",
       "货号"},
      {"ru", "tsena", "1 299 ₽", R"({"raw":"1299.00 RUB","amount":1299.0,"currency":"RUB"})", "В корзину",
       "Нет в наличии", "Артикул"},
      {"ro", "pret", "1.299,00 lei", R"({"raw":"1299.00 RON","amount":1299.0,"currency":"RON"})", "Adaugă în coș",
       "Stoc epuizat", "Cod produs"},
      {"sl", "cena", "1.299,00 €", R"({"raw":"1299.00 EUR","amount":1299.0,"currency":"EUR"})", "Dodaj v košarico",
       "Ni na zalogi", "Koda izdelka"},
  };
  for (const LanguageRow& r : rows) {
    SCOPED_TRACE(r.lang);
    const std::string offered = shop(std::string("<div class=\"") + r.price_class + "\">" + r.price_text +
                                         "</div><p>" + r.sku_label + ": AB-1234</p><button>" + r.add_to_cart +
                                         "</button>",
                                     "", r.lang);
    expect_facts(Call{.html = offered, .url = PRODUCT_URL, .mode = ExtractionMode::FALLBACKS}.run(),
                 std::string(R"({"sku":"AB-1234","stock_status":"in_stock","price":)") + r.price_json + "}");
    const std::string sold_out = shop(std::string("<p>") + r.out_of_stock + "</p>", "", r.lang);
    expect_facts(Call{.html = sold_out, .url = PRODUCT_URL, .mode = ExtractionMode::FALLBACKS}.run(),
                 R"({"stock_status":"out_of_stock"})");
  }
}

}  // namespace
}  // namespace tarvik::commerce::testing
