// Hostile pages: every extractor must finish in time linear in the page size
// with bounded memory and without crashing. The pages are generated in memory;
// nothing here is timed, the tests only have to finish (they would not, or
// would run out of memory, with a quadratic scan or unbounded copying).

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "tarvik/facts/metadata.hpp"

namespace {

using tarvik::commerce::DestinationMetadataParser;

std::string repeat(std::string_view unit, std::size_t total_bytes) {
  std::string out;
  out.reserve(total_bytes + unit.size());
  while (out.size() < total_bytes) out.append(unit);
  return out;
}

// Runs all four extractors; returns how many facts they found in all.
std::size_t run_all(std::string_view html) {
  std::size_t found = DestinationMetadataParser::_find_ld_json_products(html).size();
  found += DestinationMetadataParser::_find_next_data_product(html).has_value() ? 1 : 0;
  found += DestinationMetadataParser::_extract_meta_tags(html).size();
  found += DestinationMetadataParser::_extract_html_title(html).has_value() ? 1 : 0;
  return found;
}

constexpr std::size_t MB = 1000 * 1000;

// ---------------------------------------------------------------------------
// Unclosed and unterminated tags

struct BigPage {
  const char* name;
  std::string unit;    // repeated to fill the page
  std::string tail;    // appended once
  std::size_t size;    // bytes before the tail; any quadratic scan would never finish
  std::size_t facts;   // facts all four extractors find together
};

class ExtractHostileBigPage : public testing::TestWithParam<BigPage> {};

TEST_P(ExtractHostileBigPage, Finishes) {
  const std::string page = repeat(GetParam().unit, GetParam().size) + GetParam().tail;
  EXPECT_EQ(run_all(page), GetParam().facts);
}

INSTANTIATE_TEST_SUITE_P(
    ExtractHostile, ExtractHostileBigPage,
    testing::Values(
        // Start tags that are never closed.
        BigPage{"UnclosedLdJsonScripts", R"(<script type="application/ld+json">)", "", 50 * MB, 0},
        BigPage{"UnclosedLdJsonScriptsWithBody", R"(<script type="application/ld+json">{"@type":"Product"})", "", 50 * MB, 0},
        // One closing tag at the very end: the first block swallows the rest
        // of the page, which is not JSON.
        BigPage{"UnclosedScriptsClosedOnceAtEnd", R"(<script type="application/ld+json">)", "</script>", 8 * MB, 0},
        // Start tags that fail the type test, all sharing one distant closing tag.
        BigPage{"NonJsonScriptsClosedOnceAtEnd", R"(<script src="a.js">)", "</script>", 8 * MB, 0},
        // Start tags that never end.
        BigPage{"ScriptStartTagsWithoutGreaterThan", R"(<script type="application/ld+json" )", "", 8 * MB, 0},
        BigPage{"PageDataScriptsUnclosed", R"(<script id="__NEXT_DATA__">{"props":)", "", 8 * MB, 0},
        BigPage{"TitleUnclosed", "<title>x", "", 8 * MB, 0},
        BigPage{"TitleStartTagsWithoutGreaterThan", "<title ", "", 8 * MB, 0},
        BigPage{"LessThanSigns", "<<<<<<<<", "", 8 * MB, 0},
        BigPage{"MetaScriptTitleStarts", "<m<s<t<M<S<T", "</script>", 8 * MB, 0},
        BigPage{"ClosingTagsOnly", "</script></title>", "", 8 * MB, 0}),
    [](const testing::TestParamInfo<BigPage>& info) { return std::string(info.param.name); });

TEST(ExtractHostile, HugeTitleAndHugeBlockAreRead) {
  const std::string words = repeat("word \n\t", 5 * MB);
  const auto title = DestinationMetadataParser::_extract_html_title("<title>" + words + "</title>");
  ASSERT_TRUE(title.has_value());
  EXPECT_EQ(title->size(), words.size() / 7 * 5 - 1);

  // A large JSON-LD block whose product sits at the end.
  std::string json = R"({"filler":[)";
  json += repeat(R"({"k":"v","n":[1,2.5,true,null]},)", 5 * MB);
  json += R"(0],"item":{"@type":"Product","sku":"END"}})";
  const auto products =
      DestinationMetadataParser::_find_ld_json_products(R"(<script type="application/ld+json">)" + json + "</script>");
  ASSERT_EQ(products.size(), 1U);
  EXPECT_EQ(products[0].at("sku").as_string(), "END");
}

// ---------------------------------------------------------------------------
// Deep nesting

std::string nested(std::size_t levels, std::string_view open, std::string_view inner, std::string_view close) {
  std::string out;
  out.reserve(levels * (open.size() + close.size()) + inner.size());
  for (std::size_t i = 0; i < levels; ++i) out.append(open);
  out.append(inner);
  for (std::size_t i = 0; i < levels; ++i) out.append(close);
  return out;
}

TEST(ExtractHostile, JsonLdNestedHundredThousandLevels) {
  const std::string product = R"({"@type":"Product","sku":"1"})";
  for (const auto& json : {nested(100'000, R"({"@type":"Product","a":)", product, "}"),
                           nested(100'000, "[", product, "]"), nested(100'000, "[", "", "]") + "x",
                           std::string(100'000, '[')}) {
    const std::string page = R"(<script type="application/ld+json">)" + json + "</script>" +
                             R"(<script type="application/ld+json">)" + product + "</script>";
    // The deep block is skipped on its own; the next block is still read.
    const auto products = DestinationMetadataParser::_find_ld_json_products(page);
    ASSERT_EQ(products.size(), 1U);
    EXPECT_EQ(products[0].at("sku").as_string(), "1");
  }
}

TEST(ExtractHostile, PageDataNestedHundredThousandLevels) {
  const std::string deep =
      R"({"props":{"pageProps":)" + nested(100'000, R"({"a":)", R"({"brand":"B","sku":"1"})", "}") + "}}";
  EXPECT_FALSE(DestinationMetadataParser::_find_next_data_product(R"(<script id="__NEXT_DATA__">)" + deep + "</script>")
                   .has_value());
  // Within the reader's bound the search reaches the bottom without recursion.
  const std::string within =
      R"({"props":{"pageProps":)" + nested(400, R"({"a":)", R"({"brand":"B","sku":"1"})", "}") + "}}";
  const auto found =
      DestinationMetadataParser::_find_next_data_product(R"(<script id="__NEXT_DATA__">)" + within + "</script>");
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->at("sku").as_string(), "1");
}

TEST(ExtractHostile, NestedProductsAreNotCopiedWithoutBound) {
  // 400 products each enclosing the next, with 1 MB at the bottom: listing
  // every one would copy the payload 400 times.
  const std::string payload = R"({"@type":"Product","sku":"bottom","blob":")" + std::string(1 * MB, 'x') + R"("})";
  const std::string json = nested(400, R"({"@type":"Product","inner":)", payload, "}");
  const auto products =
      DestinationMetadataParser::_find_ld_json_products(R"(<script type="application/ld+json">)" + json + "</script>");
  EXPECT_EQ(products.size(), 9U);
}

TEST(ExtractHostile, TwentyMegabytePageData) {
  std::string json = R"({"props":{"pageProps":{"listing":[)";
  json += repeat(R"({"brand":"in array","sku":"x","price":12.5},)", 20 * MB);
  json += R"(0],"a":{"b":{"brandName":"Acme","name":"Runner"}}}},"page":"/p"})";
  const auto product =
      DestinationMetadataParser::_find_next_data_product(R"(<script id="__NEXT_DATA__" type="application/json">)" +
                                                         json + "</script>");
  ASSERT_TRUE(product.has_value());
  EXPECT_EQ(product->at("name").as_string(), "Runner");
}

// ---------------------------------------------------------------------------
// Many meta tags

TEST(ExtractHostile, MillionMetaTags) {
  const std::string tag = R"(<meta name="og:price:amount" content="12.50">)";
  const std::string page = repeat(tag, 999'999 * tag.size()) + R"(<META NAME="OG:PRICE:AMOUNT" CONTENT="last">)";
  const auto tags = DestinationMetadataParser::_extract_meta_tags(page);
  ASSERT_EQ(tags.size(), 1U);
  EXPECT_EQ(tags.at("og:price:amount"), "last");
}

TEST(ExtractHostile, MillionMetaStartTagsSharingOneEnd) {
  for (const char* unit : {"<meta ", "<meta name=\"a\" ", "<META\u00a0content='x' ", "<meta\u00a0\u00a0"}) {
    const std::string open = repeat(unit, 1'000'000 * std::string_view(unit).size());
    EXPECT_TRUE(DestinationMetadataParser::_extract_meta_tags(open).empty()) << unit;
    // With one ">" at the end the first tag holds all the others.
    const auto closed = DestinationMetadataParser::_extract_meta_tags(open + ">");
    EXPECT_LE(closed.size(), 1U) << unit;
  }
}

// ---------------------------------------------------------------------------
// NUL bytes and invalid UTF-8

TEST(ExtractHostile, NulBytesAreOrdinaryCharacters) {
  using namespace std::string_literals;
  const std::string page = "<title>a\0b</title>"
                           "<meta name=\"k\0\" content=\"v\0w\">"
                           "<script type=\"application/ld+json\">\0{\"@type\":\"Product\"}</script>"
                           "<script type=\"application/ld+json\">{\"@type\":\"Product\",\"sku\":\"n\"}</script>"s;
  EXPECT_EQ(DestinationMetadataParser::_extract_html_title(page), "a\0b"s);
  const auto tags = DestinationMetadataParser::_extract_meta_tags(page);
  ASSERT_EQ(tags.size(), 1U);
  EXPECT_EQ(tags.at("k\0"s), "v\0w"s);
  const auto products = DestinationMetadataParser::_find_ld_json_products(page);
  ASSERT_EQ(products.size(), 1U);  // the block with a NUL before the JSON does not parse
  EXPECT_EQ(products[0].at("sku").as_string(), "n");
}

TEST(ExtractHostile, InvalidUtf8DoesNotHideLaterTags) {
  const std::string bad = "\xff\xfe\xc3\x28\xed\xa0\x80\xf4\x90\x80\x80";
  const std::string page = "<meta name=\"a\" content=\"" + bad + "\"><meta name=\"b\" content=\"ok\">" +
                           "<script type=\"application/ld+json\">" + bad + "</script>" +
                           R"(<script type="application/ld+json">{"@type":"Product"}</script>)" +
                           "<title>" + bad + " t</title>";
  EXPECT_EQ(DestinationMetadataParser::_extract_meta_tags(page).at("b"), "ok");
  EXPECT_EQ(DestinationMetadataParser::_find_ld_json_products(page).size(), 1U);
  EXPECT_TRUE(DestinationMetadataParser::_extract_html_title(page).has_value());
  // Many invalid start tags sharing one ">" stay linear.
  EXPECT_TRUE(DestinationMetadataParser::_extract_meta_tags(repeat("<meta \xff", 5 * MB) + ">").empty());
  EXPECT_TRUE(DestinationMetadataParser::_find_ld_json_products(
                  repeat("<script type=\"application/ld+json\"\xff", 5 * MB) + "></script>")
                  .empty());
}

TEST(ExtractHostile, RandomFragmentSoup) {
  // Pages stitched from fragments that open, close and break tags, quotes,
  // JSON and UTF-8 at random; the extractors must simply survive them.
  const std::vector<std::string> fragments = {
      "<script", " type=\"application/ld+json\"", " type='application/ld+json'", " id=\"__NEXT_DATA__\"", ">",
      "</script>", "</SCRIPT>", "<meta", " ", "\u00a0", " name=\"", " property='", " content=\"", "content='", "\"",
      "'", "=", "<title", "</title>", "<", "{", "}", "[", "]", ",", ":", "\"@type\"", "\"Product\"", "\"@graph\"",
      "\"props\"", "\"pageProps\"", "\"brand\"", "\"sku\"", "null", "1e400", std::string(1, '\0'), "\xff", "\xc3",
      "\xe2\x80", "\xc4\xb0", "\xc5\xbf", "&amp;", "\n"};
  std::mt19937 rng(20240601);
  std::uniform_int_distribution<std::size_t> pick(0, fragments.size() - 1);
  std::uniform_int_distribution<int> length(1, 200);
  for (int round = 0; round < 3000; ++round) {
    std::string page;
    for (int n = length(rng); n > 0; --n) page += fragments[pick(rng)];
    run_all(page);
  }
  SUCCEED();
}

}  // namespace
