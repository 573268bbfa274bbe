#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

#include "tarvik/merchants/classifier.hpp"

using tarvik::commerce::MARKETPLACE_DOMAINS;
using tarvik::commerce::MerchantClassifier;
using tarvik::commerce::MULTI_TENANT_SUBDOMAINS;
using tarvik::commerce::RESELLER_DOMAINS;
using tarvik::models::MerchantCategory;

namespace {

constexpr auto MM = MerchantCategory::MAJOR_MARKETPLACE;
constexpr auto RS = MerchantCategory::RESELLER_SPECIALIST;
constexpr auto OB = MerchantCategory::OFFICIAL_BRAND;
constexpr auto UV = MerchantCategory::UNVERIFIED;

struct Case {
  const char* label;
  std::string domain;
  std::string title;
  std::optional<std::string> brand;
  std::optional<std::string> merchant;
  MerchantCategory expected;
};

void check(const Case& c) {
  const auto opt = [](const std::optional<std::string>& s) {
    return s ? std::optional<std::string_view>(*s) : std::nullopt;
  };
  EXPECT_EQ(MerchantClassifier::classify(c.domain, c.title, opt(c.brand), opt(c.merchant)), c.expected)
      << c.label << ": " << c.domain;
}

TEST(MerchantClassifier, DomainNormalisation) {
  const Case cases[] = {
      {"empty", "", "Nike", "Nike", "Nike", UV},
      {"blank", " \t\u00a0", "Nike", "Nike", "Nike", UV},
      {"upper case", "AMAZON.COM", "", {}, {}, MM},
      {"unicode blanks around", "\u3000amazon.co.uk\u00a0\n", "", {}, {}, MM},
      {"upper case reseller", "StockX.com", "", {}, {}, RS},
      {"dotted capital I lowers with its dot kept apart", "WWW.N\u0130KE.COM", "", "nike", {}, OB},
  };
  for (const auto& c : cases) check(c);
}

TEST(MerchantClassifier, MarketplacesAndResellers) {
  const Case cases[] = {
      {"subdomain of marketplace", "smile.amazon.com", "", {}, {}, MM},
      {"www of country marketplace", "www.ebay.co.uk", "", {}, {}, MM},
      {"deep subdomain", "a.b.c.walmart.com", "", {}, {}, MM},
      {"mercado livre", "produto.mercadolivre.com.br", "", {}, {}, MM},
      {"same letters without a dot", "notamazon.com", "", {}, {}, UV},
      {"same letters, brand names it", "notamazon.com", "", "NotAmazon", {}, OB},
      {"marketplace domain as a label prefix", "amazon.com.evil.io", "", {}, {}, UV},
      {"marketplace wins over brand", "amazon.com", "Amazon official", "Amazon", "Amazon", MM},
      {"reseller", "www.therealreal.com", "", {}, {}, RS},
      {"reseller subdomain", "uk.vinted.com", "", {}, {}, RS},
      {"reseller wins over brand", "goat.com", "", "GOAT", {}, RS},
      {"unlisted country site: no evidence", "amazon.it", "", {}, {}, UV},
      {"unlisted country site named by brand", "amazon.it", "", "Amazon", {}, OB},
      {"unlisted country site named by title", "www.amazon.it", "Amazon.it: shoes", {}, {}, OB},
  };
  for (const auto& c : cases) check(c);
}

TEST(MerchantClassifier, OwnerLabelEvidence) {
  const Case cases[] = {
      {"brand equals owner", "nike.com", "", "Nike", {}, OB},
      {"generic prefixes skipped", "www.store.nike.com", "", "Nike", {}, OB},
      {"only generic labels", "shop.de", "", "shop", "Shop", UV},
      {"two-letter owner never verified", "hm.com", "H&M", "HM", "HM", UV},
      {"hyphen dropped from owner", "ray-ban.com", "", "Ray-Ban", {}, OB},
      {"title contains owner", "nikestore.com", "Official Nike Store", {}, {}, OB},
      {"merchant inside owner", "nikestore.com", "", {}, "Nike", OB},
      {"word rule", "lunarbags.com", "Bags by Lunar", {}, {}, OB},
      {"word rule skips stop words", "lunarbags.com", "The Lunar and Bags official", {}, {}, OB},
      {"word rule fails on a foreign word", "lunarbags.com", "Lunar Shoes", {}, {}, UV},
      {"only short and stop words", "bagshop.com", "a an of the", {}, {}, UV},
      {"non-latin title", "nike.com", "\u30ca\u30a4\u30ad", {}, {}, UV},
      {"symbol-only brand", "nike.com", "", "\u2605\u2605\u2605", {}, UV},
      {"kelvin sign lowers to k", "kate.com", "", "\u212Aate", {}, OB},
      {"empty brand ignored", "nike.com", "", "", {}, UV},
      {"brand misses, merchant hits", "nike.com", "", "Adidas", "Nike Inc.", OB},
      {"brand and merchant miss, title hits", "nike.com", "Air Max by Nike", "Adidas", "Puma", OB},
      {"nothing hits", "nike.com", "Running shoes", "Adidas", "Puma", UV},
      {"country label after generic second level", "nike.co.uk", "", "nike", {}, OB},
      {"trailing dot", "nike.com.", "", "nike", {}, OB},
  };
  for (const auto& c : cases) check(c);
}

TEST(MerchantClassifier, ExtractSld) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"nike.com", "nike"},
      {"WWW.Nike.COM", "nike"},
      {"  store.nike.com ", "nike"},
      {"uk.nike.com", "nike"},
      {"m.shop.app.example.com", "example"},
      {"nike.de", "nike"},
      {"nike.co.uk", "nike"},
      {"nike.com.", "nike"},
      {"x.gov.uk", "x"},
      {"a.b.c.d", "c"},
      {"example.co", "example"},
      {"co.uk", "co"},
      {"www.com", "com"},
      {"localhost", "localhost"},
      {".com", ""},
      {"", ""},
      {"www", ""},
      {"www.", ""},
      {"shop.de", ""},
      {"de", ""},
      {"a..b", ""},
      {"www.\u0130STANBUL.com", "i\u0307stanbul"},
  };
  for (const auto& c : cases) EXPECT_EQ(MerchantClassifier::_extract_sld(c.in), c.out) << c.in;
}

TEST(MerchantClassifier, IsMatch) {
  const struct {
    const char* sld;
    const char* text;
    bool out;
  } cases[] = {
      {"nike", "", false},
      {"nike", "!!!", false},
      {"nike", "NIKE", true},
      {"nikestore", "Nike", true},
      {"nike", "Nike Air Max", true},
      {"lunarbags", "bags, lunar!", true},
      {"lunarbags", "lunar & co", true},  // "co" is too short to count against the match
      {"lunarbags", "of", false},
      {"lunarbags", "official", false},
      {"theshop", "the the the", false},  // stop words only: the word rule keeps nothing
      {"lunarbags", "Lunar Shoes", false},
      {"", "anything", true},  // an empty label lies inside every text
  };
  for (const auto& c : cases)
    EXPECT_EQ(MerchantClassifier::_is_match(c.sld, c.text), c.out) << c.sld << " / " << c.text;
}

TEST(MerchantTables, EntriesAreBareLowerCaseDomains) {
  EXPECT_EQ(MARKETPLACE_DOMAINS.size(), 19u);
  EXPECT_EQ(RESELLER_DOMAINS.size(), 10u);
  EXPECT_EQ(MULTI_TENANT_SUBDOMAINS.size(), 17u);
  auto check_entry = [](std::string_view e, MerchantCategory expected) {
    EXPECT_FALSE(e.starts_with("www.")) << e;
    EXPECT_FALSE(e.ends_with(".")) << e;
    EXPECT_NE(e.find('.'), std::string_view::npos) << e;
    for (const char c : e)
      EXPECT_TRUE((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '-') << e;
    EXPECT_EQ(MerchantClassifier::classify(e), expected) << e;
    EXPECT_EQ(MerchantClassifier::classify("www." + std::string(e)), expected) << e;
  };
  for (const auto e : MARKETPLACE_DOMAINS) check_entry(e, MM);
  for (const auto e : RESELLER_DOMAINS) check_entry(e, RS);
  for (const char* d :
       {"amazon.com", "amazon.co.uk", "amazon.de", "amazon.fr", "amazon.ca", "amazon.co.jp", "ebay.com",
        "ebay.co.uk", "ebay.de", "mercadolivre.com.br", "mercadolibre.com", "etsy.com"}) {
    EXPECT_EQ(MerchantClassifier::classify(d), MM) << d;
  }
  for (const char* d : {"stockx.com", "goat.com", "grailed.com", "chrono24.com", "therealreal.com"}) {
    EXPECT_EQ(MerchantClassifier::classify(d), RS) << d;
  }
}

std::string lower_ascii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

// The rules written out plainly, for comparison with the optimised code.
bool reference_match(const std::string& sld, const std::string& lowered_ascii) {
  std::string alpha;
  for (const char c : lowered_ascii)
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) alpha += c;
  if (alpha.empty()) return false;
  if (alpha.find(sld) != std::string::npos || sld.find(alpha) != std::string::npos) return true;
  bool kept = false;
  std::string word;
  for (std::size_t i = 0; i <= lowered_ascii.size(); ++i) {
    const char c = i < lowered_ascii.size() ? lowered_ascii[i] : ' ';
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
      word += c;
      continue;
    }
    if (word.size() >= 3 && word != "the" && word != "and" && word != "official") {
      kept = true;
      if (sld.find(word) == std::string::npos) return false;
    }
    word.clear();
  }
  return kept;
}

// Short and long labels, few and many words: covers the plain searches and the
// index that takes over for long labels or many words.
TEST(MerchantClassifier, WordRuleAgreesWithPlainRules) {
  std::mt19937 rng(11);
  const char alphabet[] = "ab1";
  int matches = 0;
  for (int round = 0; round < 2000; ++round) {
    const bool long_label = round % 2 == 0;
    std::string sld(long_label ? 300 + rng() % 400 : 12 + rng() % 40, 'a');
    for (char& c : sld) c = alphabet[rng() % 3];
    std::string title;
    const int words = 1 + static_cast<int>(rng() % 20);
    for (int w = 0; w < words; ++w) {
      // Mostly pieces of the label, so that the word rule is really exercised.
      const std::size_t len = 3 + rng() % 8;
      const std::size_t at = rng() % (sld.size() - len);
      std::string word = sld.substr(at, len);
      if (rng() % 30 == 0) word[rng() % len] = 'z';
      if (rng() % 3 == 0) word[0] = static_cast<char>(word[0] - 'a' + 'A');
      title += word + (rng() % 2 ? " " : ", ");
    }
    const bool expected = reference_match(sld, lower_ascii(title));
    matches += expected;
    EXPECT_EQ(MerchantClassifier::_is_match(sld, title), expected) << sld << " / " << title;
  }
  EXPECT_GT(matches, 200);
  EXPECT_LT(matches, 1800);
}

TEST(MerchantClassifier, HostileSizesStayLinear) {
  // Each word is found only at the very end of the label: naive searching would
  // take label length times word count.
  const std::string sld = std::string(200000, 'a') + "b";
  std::string title;
  for (int i = 0; i < 100000; ++i) title += i % 2 ? "aab " : "aaab ";
  EXPECT_TRUE(MerchantClassifier::_is_match(sld, title));
  EXPECT_EQ(MerchantClassifier::classify(sld + ".com", title), OB);
  const std::string dots(100000, '.');
  EXPECT_EQ(MerchantClassifier::classify(dots, dots, dots, dots), UV);
  std::string labels;
  for (int i = 0; i < 50000; ++i) labels += "www.";
  EXPECT_EQ(MerchantClassifier::_extract_sld(labels), "");
  EXPECT_EQ(MerchantClassifier::classify(std::string("\xff\xfe.com", 6), std::string("\xc3", 1)), UV);
}

}  // namespace
