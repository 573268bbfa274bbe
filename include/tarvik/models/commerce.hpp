// Enriched commerce items, the market summary and the result of a run.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tarvik/models/common.hpp"
#include "tarvik/models/shopping.hpp"

namespace tarvik::models {

// How closely an item matches the pictured product.
enum class Relevance { EXACT, HIGH, MEDIUM, LOW };
std::string_view value(Relevance v);  // "exact", "high", "medium", "low"
template <>
std::optional<Relevance> from_value<Relevance>(std::string_view text);

struct EnrichedCommerceMatch {
  std::string title;
  std::string direct_url;
  std::string original_url;
  std::optional<NormalizedPrice> price;
  std::optional<std::string> merchant_name;
  std::optional<MerchantCategory> merchant_category;
  std::optional<std::string> thumbnail;
  std::int64_t match_score = 0;
  PageType page_type = PageType::UNCATEGORIZED;
  std::optional<std::string> brand;
  std::optional<std::string> sku;
  std::optional<ItemCondition> condition;
  std::optional<StockStatus> stock_status;
  std::optional<std::string> primary_image_url;
  std::optional<std::string> shipping_info;
  std::string source_engine = "vizor";
  std::optional<Relevance> relevance;

  // An item built from a shopping offer: a product listing of source engine
  // "shopping", priced from the offer's numeric price when it has one.
  static EnrichedCommerceMatch from_shopping_offer(const ShoppingOffer& offer);

  bool operator==(const EnrichedCommerceMatch&) const = default;
};

struct CommerceSummary {
  std::int64_t total_matches = 0;
  std::string currency = "USD";
  // Figures filled in by the relevance module's summary.
  std::int64_t commerce_items = 0;
  std::int64_t priced_items = 0;
  std::optional<double> min_price;
  std::optional<double> max_price;
  std::optional<double> median_price;
  std::optional<double> average_price;
  std::int64_t in_stock_items = 0;
  std::int64_t product_pages = 0;
  std::int64_t marketplace_listings = 0;
  std::int64_t official_brand_items = 0;
  std::int64_t reseller_items = 0;
  std::int64_t high_relevance_items = 0;  // exact or high
  std::optional<std::string> best_price_url;

  bool operator==(const CommerceSummary&) const = default;
};

struct CommerceIntelligence {
  CommerceSummary summary;
  std::vector<EnrichedCommerceMatch> items;

  // The record as JSON: nested records, fields in declaration order,
  // enumerations as their values; none fields left out when exclude_none.
  // indent < 0 writes one line.
  std::string model_dump_json(int indent = 2, bool exclude_none = true) const;

  bool operator==(const CommerceIntelligence&) const = default;
};

// A list of items as JSON, each written as model_dump_json writes it.
std::string dump_items_json(const std::vector<EnrichedCommerceMatch>& items, int indent = 2,
                            bool exclude_none = true);

}  // namespace tarvik::models
