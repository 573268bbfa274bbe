// The package surface: one header gives every name a caller of the pipeline uses.
#include "tarvik/commerce.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <type_traits>

namespace {

namespace commerce = tarvik::commerce;

TEST(PackageSurface, EveryExportedNameIsReachableFromTheOneHeader) {
  // Tables: a known member of each.
  EXPECT_NE(std::find(commerce::ARTICLE_PATH_PATTERNS.begin(), commerce::ARTICLE_PATH_PATTERNS.end(), "/blog"),
            commerce::ARTICLE_PATH_PATTERNS.end());
  EXPECT_FALSE(commerce::CATALOG_PATH_PATTERNS.empty());
  EXPECT_EQ(commerce::CURRENCY_MAP.at("€"), "EUR");
  EXPECT_FALSE(commerce::CURRENCY_TOKEN_PATTERN.empty());
  EXPECT_FALSE(commerce::EDITORIAL_DOMAINS.empty());
  EXPECT_FALSE(commerce::GENERIC_TITLES.empty());
  EXPECT_NE(std::find(commerce::MARKETPLACE_DOMAINS.begin(), commerce::MARKETPLACE_DOMAINS.end(), "ebay.com"),
            commerce::MARKETPLACE_DOMAINS.end());
  EXPECT_FALSE(commerce::MULTI_TENANT_SUBDOMAINS.empty());
  EXPECT_FALSE(commerce::PORTFOLIO_DOMAINS.empty());
  EXPECT_FALSE(commerce::PORTFOLIO_KEYWORDS.empty());
  EXPECT_FALSE(commerce::PORTFOLIO_PATH_PATTERNS.empty());
  EXPECT_FALSE(commerce::RESELLER_DOMAINS.empty());
  EXPECT_FALSE(commerce::SOCIAL_DOMAINS.empty());
  EXPECT_NE(std::find(commerce::TRACKING_PARAMS.begin(), commerce::TRACKING_PARAMS.end(), "gclid"),
            commerce::TRACKING_PARAMS.end());

  // Service classes and functions.
  EXPECT_EQ(commerce::URLUnwrapper::unwrap("https://shop.example/p?utm_source=x"), "https://shop.example/p");
  EXPECT_TRUE(commerce::PriceNormalizer::parse("$5").has_value());
  EXPECT_EQ(commerce::MerchantClassifier::classify("amazon.de"),
            tarvik::models::MerchantCategory::MAJOR_MARKETPLACE);
  EXPECT_EQ(commerce::DestinationMetadataParser::parse_metadata(std::nullopt, "https://shop.example/p", "T").title,
            "T");
  EXPECT_TRUE(commerce::CommerceAggregator::fuse_matches_and_offers({}, {}).empty());
  EXPECT_TRUE(commerce::CommerceEnricher::process({}).items.empty());
  std::vector<tarvik::models::EnrichedCommerceMatch> none;
  commerce::DirectStoreResolver::resolve(none);
  EXPECT_TRUE(none.empty());
  static_assert(std::is_same_v<commerce::ScraplingDestinationFetcher, tarvik::core::ConcurrentFetcher>);
  const auto dir = std::filesystem::temp_directory_path() / "tarvik-surface-test";
  const tarvik::models::CommerceIntelligence empty;
  EXPECT_TRUE(std::filesystem::exists(commerce::export_commerce_to_csv(empty, dir / "a.csv")));
  EXPECT_TRUE(std::filesystem::exists(commerce::export_commerce_to_json(empty, dir / "a.json")));
  std::filesystem::remove_all(dir);
}

}  // namespace
