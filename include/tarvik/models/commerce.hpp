// Enriched commerce items, the market summary and the result of a run.
#pragma once

#include <boost/describe/class.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tarvik/models/common.hpp"
#include "tarvik/models/fields.hpp"
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
  // Extended extraction only: fact name -> the feature that filled or changed
  // it (none in the default mode, so the default JSON has no such key).
  std::optional<std::vector<std::pair<std::string, std::string>>> sources;

  // An item built from a shopping offer: a product listing of source engine
  // "shopping", priced from the offer's numeric price when it has one. The
  // price's currency is the code of the offer's currency (a code or a symbol,
  // see currency_code); without one, that of the symbol or code before or
  // after the number in the offer's price text; without either, "USD". When
  // the currency field, or the word the price text puts there, names no single
  // code ("kr"), the item is left unpriced rather than priced in a wrong
  // currency.
  static EnrichedCommerceMatch from_shopping_offer(const ShoppingOffer& offer);

  // The record as JSON, as CommerceIntelligence::model_dump_json writes it.
  std::string model_dump_json(int indent = 2, bool exclude_none = true) const;

  bool operator==(const EnrichedCommerceMatch&) const = default;
};

// The field list: the JSON writer and reader, the CSV cells and the Python
// class follow it.
BOOST_DESCRIBE_STRUCT(EnrichedCommerceMatch, (),
                      (title, direct_url, original_url, price, merchant_name, merchant_category, thumbnail,
                       match_score, page_type, brand, sku, condition, stock_status, primary_image_url, shipping_info,
                       source_engine, relevance, sources))
template <>
struct FieldNotes<EnrichedCommerceMatch> {
  static constexpr std::string_view required[] = {"title", "direct_url"};
};

// The CSV export's columns, in order: the heading and the member it shows
// ("price.amount" and "price.currency" split the price in two cells).
inline constexpr std::pair<std::string_view, std::string_view> CSV_COLUMN_FIELDS[] = {
    {"Match Score", "match_score"},
    {"Relevance", "relevance"},
    {"Page Type", "page_type"},
    {"Brand", "brand"},
    {"SKU", "sku"},
    {"Condition", "condition"},
    {"Title", "title"},
    {"Price Amount", "price.amount"},
    {"Currency", "price.currency"},
    {"Stock Status", "stock_status"},
    {"Merchant Name", "merchant_name"},
    {"Merchant Category", "merchant_category"},
    {"Direct URL", "direct_url"},
    {"Original URL", "original_url"},
    {"Primary Image URL", "primary_image_url"},
};

// The offer a shopper would pick, as the market summary names it.
struct BestOffer {
  std::string title;
  std::optional<std::string> merchant_name;
  std::string direct_url;
  NormalizedPrice price;
  std::optional<StockStatus> stock_status;
  Relevance relevance = Relevance::LOW;

  // The record as JSON, as CommerceIntelligence::model_dump_json writes it.
  std::string model_dump_json(int indent = 2, bool exclude_none = true) const;

  bool operator==(const BestOffer&) const = default;
};

BOOST_DESCRIBE_STRUCT(BestOffer, (), (title, merchant_name, direct_url, price, stock_status, relevance))
template <>
struct FieldNotes<BestOffer> {
  static constexpr std::string_view required[] = {"title", "direct_url", "price"};
};

// What a run found, at a glance. `total_matches` and `currency` come from the
// caller; the relevance module's `recompute_market_summary` computes the rest
// (see tarvik/relevance/relevance.hpp for what each figure counts).
struct CommerceSummary {
  std::int64_t total_matches = 0;
  std::string currency = "USD";
  std::int64_t commerce_items = 0;  // product pages and marketplace listings
  std::int64_t priced_items = 0;    // in any currency
  std::int64_t priced_in_currency = 0;  // in `currency`: the basis of the price figures
  std::optional<double> min_price = std::nullopt;
  std::optional<double> max_price = std::nullopt;
  std::optional<double> median_price = std::nullopt;
  std::optional<double> average_price = std::nullopt;
  std::int64_t in_stock_items = 0;
  std::int64_t distinct_merchants = 0;
  std::int64_t product_pages = 0;
  std::int64_t marketplace_listings = 0;
  std::int64_t official_brand_items = 0;
  std::int64_t reseller_items = 0;
  std::int64_t high_relevance_items = 0;  // exact or high
  std::optional<std::string> best_price_url = std::nullopt;  // the lowest price in `currency`
  std::optional<BestOffer> best_offer = std::nullopt;

  // The record as JSON, as CommerceIntelligence::model_dump_json writes it.
  std::string model_dump_json(int indent = 2, bool exclude_none = true) const;

  bool operator==(const CommerceSummary&) const = default;
};

BOOST_DESCRIBE_STRUCT(CommerceSummary, (),
                      (total_matches, currency, commerce_items, priced_items, priced_in_currency, min_price, max_price,
                       median_price, average_price, in_stock_items, distinct_merchants, product_pages,
                       marketplace_listings, official_brand_items, reseller_items, high_relevance_items,
                       best_price_url, best_offer))

struct CommerceIntelligence {
  CommerceSummary summary;
  std::vector<EnrichedCommerceMatch> items;

  // The record as JSON: nested records, fields in declaration order,
  // enumerations as their values; none fields left out when exclude_none.
  // indent < 0 writes one line.
  std::string model_dump_json(int indent = 2, bool exclude_none = true) const;

  bool operator==(const CommerceIntelligence&) const = default;
};

BOOST_DESCRIBE_STRUCT(CommerceIntelligence, (), (summary, items))

// A list of items as JSON, each written as model_dump_json writes it.
std::string dump_items_json(const std::vector<EnrichedCommerceMatch>& items, int indent = 2,
                            bool exclude_none = true);

}  // namespace tarvik::models
