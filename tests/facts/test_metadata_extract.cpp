// Structured-data extractors of DestinationMetadataParser and the unit's
// tables, on small hand-written pages.

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <boost/json/serialize.hpp>
#include <gtest/gtest.h>

#include "tarvik/facts/metadata.hpp"

namespace {

using tarvik::commerce::DestinationMetadataParser;

// Compact JSON of every listed product, in order.
std::vector<std::string> ld_products(std::string_view html) {
  std::vector<std::string> out;
  for (const auto& p : DestinationMetadataParser::_find_ld_json_products(html)) out.push_back(boost::json::serialize(p));
  return out;
}

std::string ld(std::string_view json) { return R"(<script type="application/ld+json">)" + std::string(json) + "</script>"; }

// ---------------------------------------------------------------------------
// JSON-LD blocks

struct LdCase {
  const char* name;
  std::string html;
  std::vector<std::string> want;
};

class LdJsonBlocks : public testing::TestWithParam<LdCase> {};

TEST_P(LdJsonBlocks, ListsProducts) { EXPECT_EQ(ld_products(GetParam().html), GetParam().want); }

const std::string P = R"({"@type":"Product","name":"A"})";

INSTANTIATE_TEST_SUITE_P(
    ExtractLd, LdJsonBlocks,
    testing::Values(
        LdCase{"NoJsonLd", "<html><head><title>x</title></head><body>{\"@type\":\"Product\"}</body></html>", {}},
        LdCase{"BlankAndMalformedSkippedValidRead",
               ld("  \n\t ") + ld(R"({"@type":"Product",)") + ld(R"({"@type":"Product","name":"C"})"),
               {R"({"@type":"Product","name":"C"})"}},
        LdCase{"MalformedBetweenValidBlocks",
               ld(R"({"@type":"Product","name":"A"})") + ld("{oops}") + ld(R"({"@type":"Product","name":"B"})"),
               {R"({"@type":"Product","name":"A"})", R"({"@type":"Product","name":"B"})"}},
        LdCase{"SingleQuotedType", "<script type='application/ld+json'>" + P + "</script>", {P}},
        LdCase{"UpperCaseTagAttributeAndValue", "<SCRIPT TYPE=\"APPLICATION/LD+JSON\">" + P + "</SCRIPT>", {P}},
        LdCase{"OtherAttributesAroundType",
               "<script id=\"ld\" type=\"application/ld+json\" data-x=\"1\" nonce=\"abc\">" + P + "</script>", {P}},
        LdCase{"TypeAttributeAcrossLines", "<script\n  type=\"application/ld+json\"\n>" + P + "</script>", {P}},
        LdCase{"UnquotedTypeNotMatched", "<script type=application/ld+json>" + P + "</script>", {}},
        LdCase{"TypeWithParametersNotMatched",
               "<script type=\"application/ld+json; charset=utf-8\">" + P + "</script>", {}},
        LdCase{"PlainScriptNotMatched", "<script>" + P + "</script>", {}},
        LdCase{"TypeEndingAttributeNameMatches", "<script data-type=\"application/ld+json\">" + P + "</script>", {P}},
        LdCase{"BodyEndsAtFirstClosingTag",
               ld(R"({"@type":"Product","name":"</script>"})") + ld(P), {P}},
        LdCase{"OtherScriptsBeforeAndBetween",
               "<script src=\"a.js\"></script><script>var x = '<script>';</script>" + ld(P) +
                   "<script type=\"text/javascript\">f()</script>",
               {P}},
        LdCase{"StartTagWithoutClosingTag", "<script type=\"application/ld+json\">" + P, {}},
        LdCase{"ClosingTagInOtherCase", "<script type=\"application/ld+json\">" + P + "</ScRiPt>", {P}},
        LdCase{"DottedAndDotlessCapitalI",
               "<SCR\u0130PT TYPE=\"APPL\u0131CAT\u0130ON/LD+JSON\">" + P + "</\u017fcr\u0131pt>", {P}},
        LdCase{"SurroundingUnicodeWhitespaceTrimmed",
               "<script type=\"application/ld+json\">\u00a0\u3000 " + P + " \u2028\u00a0</script>", {P}},
        LdCase{"HtmlCommentWrapperNotParsed", ld("<!-- " + P + " -->"), {}},
        LdCase{"CdataWrapperNotParsed", ld("//<![CDATA[\n" + P + "\n//]]>"), {}},
        LdCase{"TopLevelArrayWalked",
               ld(R"([{"@type":"Product","name":"A"},{"@type":"Offer"},{"@type":"Product","name":"B"}])"),
               {R"({"@type":"Product","name":"A"})", R"({"@type":"Product","name":"B"})"}},
        LdCase{"TypeArrayWithProduct", ld(R"({"@type":["Thing","Product"],"sku":"1"})"),
               {R"({"@type":["Thing","Product"],"sku":"1"})"}},
        LdCase{"TypeArrayWithProductGroup", ld(R"({"@type":["ProductGroup"]})"), {R"({"@type":["ProductGroup"]})"}},
        LdCase{"TypeArrayWithOnlyIndividualProduct", ld(R"({"@type":["IndividualProduct"]})"), {}},
        LdCase{"SingleIndividualProduct", ld(R"({"@type":"IndividualProduct"})"), {R"({"@type":"IndividualProduct"})"}},
        LdCase{"TypeComparedExactly",
               ld(R"([{"@type":"product"},{"@type":"schema:Product"},{"@type":"http://schema.org/Product"},)"
                  R"({"@type":"Product "},{"@type":["product"]},{"@type":{"name":"Product"}}])"),
               {}},
        LdCase{"DuplicatedTypeKeepsLastValue", ld(R"({"@type":"Thing","name":"A","@type":"Product"})"),
               {R"({"@type":"Product","name":"A"})"}},
        LdCase{"NestedProductGroupListedAfterProduct",
               ld(R"({"@type":"Product","name":"P","isVariantOf":{"@type":"ProductGroup","name":"G"}})"),
               {R"({"@type":"Product","name":"P","isVariantOf":{"@type":"ProductGroup","name":"G"}})",
                R"({"@type":"ProductGroup","name":"G"})"}},
        LdCase{"GroupThenVariantsInOrder",
               ld(R"({"@type":"ProductGroup","hasVariant":[{"@type":"Product","sku":"1"},{"@type":"Product","sku":"2"}]})"),
               {R"({"@type":"ProductGroup","hasVariant":[{"@type":"Product","sku":"1"},{"@type":"Product","sku":"2"}]})",
                R"({"@type":"Product","sku":"1"})", R"({"@type":"Product","sku":"2"})"}},
        LdCase{"GraphBeforeOtherMembers",
               ld(R"({"main":{"@type":"Product","name":"M"},"@graph":[{"@type":"WebPage"},{"@type":"Product","name":"G"}]})"),
               {R"({"@type":"Product","name":"G"})", R"({"@type":"Product","name":"M"})"}},
        LdCase{"GraphObjectWalkedInMemberOrder",
               ld(R"({"a":{"@type":"Product","name":"A"},"@graph":{"@type":"Product","name":"G"}})"),
               {R"({"@type":"Product","name":"A"})", R"({"@type":"Product","name":"G"})"}},
        LdCase{"GraphInsideProductComesBeforeItsMembers",
               ld(R"({"@type":"Product","name":"O","m":{"@type":"Product","name":"M"},"@graph":[{"@type":"Product","name":"G"}]})"),
               {R"({"@type":"Product","name":"O","m":{"@type":"Product","name":"M"},"@graph":[{"@type":"Product","name":"G"}]})",
                R"({"@type":"Product","name":"G"})", R"({"@type":"Product","name":"M"})"}},
        LdCase{"DeepArraysWalked", ld(R"({"a":[[{"b":[{"@type":"Product","name":"D"}]}]]})"),
               {R"({"@type":"Product","name":"D"})"}},
        LdCase{"BlocksInDocumentOrder",
               ld(R"({"@type":"Product","name":"1"})") + "<p>text</p>" +
                   "<script type='application/ld+json'>{\"@type\":\"Product\",\"name\":\"2\"}</script>",
               {R"({"@type":"Product","name":"1"})", R"({"@type":"Product","name":"2"})"}},
        LdCase{"ReferencesStayEncoded", ld(R"({"@type":"Product","name":"Tom &amp; Jerry"})"),
               {R"({"@type":"Product","name":"Tom &amp; Jerry"})"}}),
    [](const testing::TestParamInfo<LdCase>& info) { return std::string(info.param.name); });

TEST(ExtractLd, ProductsDeeplyNestedInsideProductsAreCapped) {
  // A chain of twelve products each holding the next: each listed product is
  // a copy of its subtree, so only the outer nine (eight enclosing) are listed.
  std::string json;
  for (int i = 0; i < 12; ++i) json += R"({"@type":"Product","sku":")" + std::to_string(i) + R"(","next":)";
  json += "null";
  json += std::string(12, '}');
  const auto products = DestinationMetadataParser::_find_ld_json_products(ld(json));
  ASSERT_EQ(products.size(), 9U);
  for (std::size_t i = 0; i < products.size(); ++i)
    EXPECT_EQ(products[i].at("sku").as_string(), std::to_string(i));
  // Products beside the chain are still found.
  const auto more = DestinationMetadataParser::_find_ld_json_products(ld("[" + json + "," + P + "]"));
  ASSERT_EQ(more.size(), 10U);
  EXPECT_EQ(boost::json::serialize(more.back()), P);
}

TEST(ExtractLd, ProductAtTheDepthBoundIsFound) {
  // 500 nested arrays are within the JSON reader's bound; the walk reaches
  // the product at the bottom.
  const std::string json = std::string(500, '[') + P + std::string(500, ']');
  EXPECT_EQ(ld_products(ld(json)), std::vector<std::string>{P});
}

// ---------------------------------------------------------------------------
// Page data

std::string next_data(std::string_view json) {
  return R"(<script id="__NEXT_DATA__" type="application/json">)" + std::string(json) + "</script>";
}

std::optional<std::string> next_product(std::string_view html) {
  const auto p = DestinationMetadataParser::_find_next_data_product(html);
  if (!p) return std::nullopt;
  return boost::json::serialize(*p);
}

struct NextCase {
  const char* name;
  std::string html;
  std::optional<std::string> want;
};

class NextDataProduct : public testing::TestWithParam<NextCase> {};

TEST_P(NextDataProduct, FindsProduct) { EXPECT_EQ(next_product(GetParam().html), GetParam().want); }

std::string page_props(std::string_view members) {
  return next_data(R"({"props":{"pageProps":{)" + std::string(members) + "}},\"page\":\"/p\"}");
}

INSTANTIATE_TEST_SUITE_P(
    ExtractNext, NextDataProduct,
    testing::Values(
        NextCase{"NoScript", "<html><body>no data</body></html>", std::nullopt},
        NextCase{"ProductTemplatePreferredOverProduct",
                 page_props(R"("product":{"name":"P"},"productTemplate":{"name":"T"})"), R"({"name":"T"})"},
        NextCase{"ProductBeforeItem", page_props(R"("item":{"name":"I"},"product":{"name":"P"})"), R"({"name":"P"})"},
        NextCase{"TextProductPassedOver", page_props(R"("product":"p-1","item":{"sku":"9"})"), R"({"sku":"9"})"},
        NextCase{"ProductDetailsLast", page_props(R"("productDetails":{"id":1})"), R"({"id":1})"},
        NextCase{"EmptyPreferredObjectReturned", page_props(R"("product":{},"x":{"brand":"B","sku":"1"})"), "{}"},
        NextCase{"ArrayUnderPreferredKeyPassedOver",
                 page_props(R"("product":[{"brand":"B","sku":"1"}],"item":null)"), std::nullopt},
        NextCase{"PagePropsThemselvesTestedFirst", page_props(R"("brand":"B","name":"N","inner":{"brand":"C","sku":"2"})"),
                 R"({"brand":"B","name":"N","inner":{"brand":"C","sku":"2"}})"},
        NextCase{"DepthFirstMemberOrder",
                 page_props(R"("a":{"x":1,"deep":{"brandName":"A","name":"a"}},"b":{"brand":"B","sku":"b"})"),
                 R"({"brandName":"A","name":"a"})"},
        NextCase{"BrandAloneIsNotEnough", page_props(R"("a":{"brand":"A","inner":{"brandName":"I","sku":"1"}})"),
                 R"({"brandName":"I","sku":"1"})"},
        NextCase{"SkuAloneIsNotEnough", page_props(R"("a":{"sku":"1","name":"n"})"), std::nullopt},
        NextCase{"MarkersWithNullValuesCount", page_props(R"("a":{"brand":null,"sku":null})"),
                 R"({"brand":null,"sku":null})"},
        NextCase{"ArraysNotSearched", page_props(R"("list":[{"brand":"B","sku":"1"}])"), std::nullopt},
        NextCase{"PropsNull", next_data(R"({"props":null})"), std::nullopt},
        NextCase{"PropsMissing", next_data(R"({"brand":"B","sku":"1"})"), std::nullopt},
        NextCase{"PagePropsMissing", next_data(R"({"props":{"brand":"B","sku":"1"}})"), std::nullopt},
        NextCase{"PagePropsText", next_data(R"({"props":{"pageProps":"x"}})"), std::nullopt},
        NextCase{"PagePropsArray", next_data(R"({"props":{"pageProps":[{"product":{}}]}})"), std::nullopt},
        NextCase{"TopLevelArray", next_data(R"([{"props":{"pageProps":{"product":{}}}}])"), std::nullopt},
        NextCase{"InvalidJson", next_data(R"({"props":{"pageProps":{"product":{}}})"), std::nullopt},
        NextCase{"SurroundingWhitespaceIsValidJson", next_data("\n  {\"props\":{\"pageProps\":{\"item\":{}}}}\n"), "{}"},
        NextCase{"UpperCaseScriptTagNotFound",
                 R"(<SCRIPT id="__NEXT_DATA__">{"props":{"pageProps":{"product":{}}}}</SCRIPT>)", std::nullopt},
        NextCase{"IdInOtherCaseNotFound",
                 R"(<script id="__next_data__">{"props":{"pageProps":{"product":{}}}}</script>)", std::nullopt},
        NextCase{"UpperCaseClosingTagDoesNotClose",
                 R"(<script id="__NEXT_DATA__">{"props":{"pageProps":{"product":{}}}}</SCRIPT>)", std::nullopt},
        NextCase{"SingleQuotedIdAfterOtherAttributes",
                 R"(<script type="application/json" id='__NEXT_DATA__' crossorigin>{"props":{"pageProps":{"product":{"a":1}}}}</script>)",
                 R"({"a":1})"},
        NextCase{"OnlyFirstBlockCounts",
                 next_data("{broken") + next_data(R"({"props":{"pageProps":{"product":{}}}})"), std::nullopt},
        NextCase{"OtherScriptsBefore",
                 "<script src=\"a.js\"></script><script type=\"text/javascript\">f()</script>" +
                     next_data(R"({"props":{"pageProps":{"product":{"b":2}}}})"),
                 R"({"b":2})"},
        NextCase{"FirstMatchInsideAnotherScriptDecides",
                 "<script>var a='<script id=\"__NEXT_DATA__\">';</script>" +
                     next_data(R"({"props":{"pageProps":{"product":{"b":2}}}})"),
                 std::nullopt}),
    [](const testing::TestParamInfo<NextCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Meta tags

using Tags = std::map<std::string, std::string>;

Tags meta(std::string_view html) {
  const auto m = DestinationMetadataParser::_extract_meta_tags(html);
  return Tags(m.begin(), m.end());
}

struct MetaCase {
  const char* name;
  std::string html;
  Tags want;
};

class MetaTagsRead : public testing::TestWithParam<MetaCase> {};

TEST_P(MetaTagsRead, Map) { EXPECT_EQ(meta(GetParam().html), GetParam().want); }

INSTANTIATE_TEST_SUITE_P(
    ExtractMeta, MetaTagsRead,
    testing::Values(
        MetaCase{"PropertyAndName",
                 R"(<meta property="og:title" content="Blue Shirt"><meta name="description" content="A shirt">)",
                 {{"og:title", "Blue Shirt"}, {"description", "A shirt"}}},
        MetaCase{"ContentBeforeName", R"(<meta content="Acme" name="author">)", {{"author", "Acme"}}},
        MetaCase{"LaterTagWins", R"(<meta name="k" content="first"><meta name="k" content="second">)",
                 {{"k", "second"}}},
        MetaCase{"EmptyContentSkipped", R"(<meta name="k" content="kept"><meta name="k" content="">)",
                 {{"k", "kept"}}},
        MetaCase{"BlankContentSkipped", "<meta name=\"k\" content=\" \u00a0 \">", {}},
        MetaCase{"NoNameOrPropertySkipped", R"(<meta charset="utf-8"><meta http-equiv="x" content="y">)", {}},
        MetaCase{"NoContentSkipped", R"(<meta name="viewport">)", {}},
        MetaCase{"CapitalisedNameIsSameKey", R"(<meta NAME="OG:Title" CONTENT="A"><meta name="og:title" content="B">)",
                 {{"og:title", "B"}}},
        MetaCase{"KeyLowerCasedFully", "<meta name=\"\u00dcBER \u0391\u03a3\" content=\"x\">",
                 {{"\u00fcber \u03b1\u03c2", "x"}}},
        MetaCase{"KeyAndValueTrimmed", "<meta name=\" og:price:amount\u3000\" content=\"\u00a0 12.50 \n\">",
                 {{"og:price:amount", "12.50"}}},
        MetaCase{"ApostropheInDoubleQuotedContent", R"(<meta property="og:title" content="Levi's 501 Jeans">)",
                 {{"og:title", "Levi's 501 Jeans"}}},
        MetaCase{"DoubleQuoteInSingleQuotedContent", R"(<meta name='t' content='The "Classic" Tee'>)",
                 {{"t", "The \"Classic\" Tee"}}},
        MetaCase{"UnclosedContentQuoteSkipped", R"(<meta name="t" content="abc>)", {}},
        MetaCase{"QuoteInNameEndsName", R"(<meta name="it's" content="x">)", {{"it", "x"}}},
        MetaCase{"UnquotedValuesSkipped", R"(<meta name=author content=Acme>)", {}},
        MetaCase{"LeftmostNameOccurrence", R"(<meta data-name="first" name="second" content="c">)", {{"first", "c"}}},
        MetaCase{"LeftmostContentOccurrence", R"(<meta name="n" data-content="dc" content="c">)", {{"n", "dc"}}},
        MetaCase{"EmptyNameFallsToLaterProperty", R"(<meta name="" property="og:type" content="product">)",
                 {{"og:type", "product"}}},
        MetaCase{"ReferencesStayEncoded", R"(<meta name="t" content="Tom &amp; Jerry &#39;s">)",
                 {{"t", "Tom &amp; Jerry &#39;s"}}},
        MetaCase{"UpperCaseTagAndNewlines", "<META\n\tname=\"a\"\n\tcontent=\"b\"\n/>", {{"a", "b"}}},
        MetaCase{"NoBreakSpaceAfterTagName", "<meta\u00a0name=\"a\" content=\"b\">", {{"a", "b"}}},
        MetaCase{"SpacesOnlyTagSkipped", "<meta   ><meta \u3000\u00a0 name=\"a\" content=\"b\">", {{"a", "b"}}},
        MetaCase{"NameEndingAtTagEnd", R"(<meta content="c" name="n">)", {{"n", "c"}}},
        MetaCase{"MetadataIsNotMeta", R"(<metadata name="a" content="b"></metadata><meta>)", {}},
        MetaCase{"ContentCutAtGreaterThan", R"(<meta name="a" content="1 > 0"><meta name="b" content="ok">)",
                 {{"b", "ok"}}},
        MetaCase{"SelfClosingSlashIgnored", R"(<meta name="a" content="b"/>)", {{"a", "b"}}}),
    [](const testing::TestParamInfo<MetaCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Title

struct TitleCase {
  const char* name;
  std::string html;
  std::optional<std::string> want;
};

class HtmlTitle : public testing::TestWithParam<TitleCase> {};

TEST_P(HtmlTitle, Text) { EXPECT_EQ(DestinationMetadataParser::_extract_html_title(GetParam().html), GetParam().want); }

INSTANTIATE_TEST_SUITE_P(
    ExtractTitle, HtmlTitle,
    testing::Values(
        TitleCase{"Simple", "<head><title>Blue Shirt | Acme</title></head>", "Blue Shirt | Acme"},
        TitleCase{"MultiLineIndented", "<title>\n    Blue\n    Shirt\t\t|  Acme\n  </title>", "Blue Shirt | Acme"},
        TitleCase{"UnicodeWhitespaceCollapsed", "<title>\u3000Blue\u00a0\u2003Shirt\u2029</title>", "Blue Shirt"},
        TitleCase{"Absent", "<head><meta name=\"a\" content=\"b\"></head>", std::nullopt},
        TitleCase{"Empty", "<title></title>", ""},
        TitleCase{"OnlyWhitespace", "<title> \n\t </title>", ""},
        TitleCase{"UpperCaseWithAttributes", "<TITLE lang=\"en\" id=\"t\">Shirt</TITLE>", "Shirt"},
        TitleCase{"ReferencesStayEncoded", "<title>Tom &amp; Jerry</title>", "Tom &amp; Jerry"},
        TitleCase{"FirstTitleWins", "<title>One</title><svg><title>Two</title></svg>", "One"},
        TitleCase{"MarkupInsideKept", "<title>A <b>bold</b> title</title>", "A <b>bold</b> title"},
        TitleCase{"Unclosed", "<title>Never closed", std::nullopt},
        TitleCase{"StartTagNeverEnds", "<title", std::nullopt},
        TitleCase{"DottedCapitalI", "<T\u0130TLE>Shirt</t\u0131tle>", "Shirt"}),
    [](const testing::TestParamInfo<TitleCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Tables

template <std::size_t N>
void expect_domains(const std::array<std::string_view, N>& table) {
  for (const auto d : table) {
    EXPECT_FALSE(d.starts_with("www.")) << d;
    EXPECT_NE(d.find('.'), std::string_view::npos) << d;
    EXPECT_TRUE(std::none_of(d.begin(), d.end(), [](char c) { return (c >= 'A' && c <= 'Z') || c == '/' || c == ' '; }))
        << d;
  }
  std::vector<std::string_view> sorted(table.begin(), table.end());
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end()) << "duplicate entry";
}

template <std::size_t N>
bool has(const std::array<std::string_view, N>& table, std::string_view v) {
  return std::find(table.begin(), table.end(), v) != table.end();
}

TEST(MetadataTables, DomainSetsAreBareLowerCaseDomains) {
  using namespace tarvik::commerce;
  expect_domains(SOCIAL_DOMAINS);
  expect_domains(EDITORIAL_DOMAINS);
  expect_domains(PORTFOLIO_DOMAINS);
  for (const auto d : {"x.com", "twitter.com", "youtube.com", "reddit.com"}) EXPECT_TRUE(has(SOCIAL_DOMAINS, d)) << d;
  for (const auto d : {"medium.com", "wordpress.com", "blogspot.com", "substack.com"})
    EXPECT_TRUE(has(EDITORIAL_DOMAINS, d)) << d;
  for (const auto d : {"github.io", "behance.net", "dribbble.com"}) EXPECT_TRUE(has(PORTFOLIO_DOMAINS, d)) << d;
}

TEST(MetadataTables, PathFragmentsAndWords) {
  using namespace tarvik::commerce;
  for (const auto p : ARTICLE_PATH_PATTERNS) EXPECT_TRUE(p.starts_with("/")) << p;
  for (const auto p : PORTFOLIO_PATH_PATTERNS) EXPECT_TRUE(p.starts_with("/")) << p;
  for (const auto p : CATALOG_PATH_PATTERNS) EXPECT_TRUE(p.starts_with("/")) << p;
  EXPECT_TRUE(has(ARTICLE_PATH_PATTERNS, "/hub/"));
  EXPECT_TRUE(has(CATALOG_PATH_PATTERNS, "/w/"));
  EXPECT_TRUE(has(PORTFOLIO_PATH_PATTERNS, "/case-study"));
  EXPECT_TRUE(has(PORTFOLIO_KEYWORDS, "wallpaper"));
  EXPECT_TRUE(has(GENERIC_TITLES, "view product"));
  for (const auto t : GENERIC_TITLES)
    EXPECT_TRUE(std::none_of(t.begin(), t.end(), [](char c) { return c >= 'A' && c <= 'Z'; })) << t;
}

}  // namespace
