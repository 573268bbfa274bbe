// Product facts of one destination page: structured-data extractors, page-type
// rules and tables, price/stock/condition rules and their assembly.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include <boost/json/object.hpp>

#include "tarvik/models/common.hpp"

namespace tarvik::commerce {

extern const std::array<std::string_view, 9> SOCIAL_DOMAINS;
extern const std::array<std::string_view, 6> EDITORIAL_DOMAINS;
extern const std::array<std::string_view, 7> PORTFOLIO_DOMAINS;
extern const std::array<std::string_view, 18> ARTICLE_PATH_PATTERNS;
extern const std::array<std::string_view, 12> PORTFOLIO_PATH_PATTERNS;
extern const std::array<std::string_view, 10> CATALOG_PATH_PATTERNS;
extern const std::array<std::string_view, 8> PORTFOLIO_KEYWORDS;
extern const std::array<std::string_view, 8> GENERIC_TITLES;

// The twelve page facts, in this order.
struct PageFacts {
  std::string title;
  std::string merchant_name;
  std::optional<std::string> brand;
  std::optional<std::string> sku;
  std::optional<models::NormalizedPrice> price;
  std::optional<models::StockStatus> stock_status;
  std::optional<models::ItemCondition> condition;
  std::optional<std::string> primary_image_url;
  std::optional<std::string> shipping_info;  // always none from page parsing
  models::PageType page_type = models::PageType::UNCATEGORIZED;
  std::int64_t match_score = 0;
  std::string fetch_source = "serp_fallback";  // serp_fallback, ld_json, next_data, opengraph
  // Extended extraction only (none otherwise): each fact the mode filled or
  // changed, by its JSON key, with the name of the feature that gave it, in
  // the order of the keys. A fact that follows from a filled one (the page
  // type or stock of a page that now has a price) names that feature.
  std::optional<std::vector<std::pair<std::string, std::string>>> sources;

  // One JSON object with the twelve keys in order; price as
  // {"raw","amount","currency"} or null, enumerations as their values. With
  // sources, a thirteenth key "sources" holds them as an object.
  std::string to_json() const;
  // The same object in the records' form: indented by `indent` spaces (-1:
  // one line), facts that are none left out when exclude_none.
  std::string model_dump_json(int indent = -1, bool exclude_none = false) const;
  bool operator==(const PageFacts&) const = default;
};

using MetaTags = std::unordered_map<std::string, std::string>;

// How much a page is searched for facts: the rules alone (the default), the
// rules plus fallbacks that only fill the price, SKU and stock the rules left
// none, or those plus the overrides that may change facts the rules produced
// (a zero price counts as none; another offer in stock wins over a first one
// out of stock; a lower sale price wins). Only pages that show they are
// product pages are searched further; search results, articles and forum
// threads never are. The extended modes stay linear in time and bounded in
// memory on any page: past the bounds of their HTML5 tree they give up and
// the facts are the rules' own.
enum class ExtractionMode { OFF, FALLBACKS, OVERRIDES };

class DestinationMetadataParser {
 public:
  DestinationMetadataParser() = delete;

  // Every JSON-LD product object of the page, in discovery order.
  static std::vector<boost::json::object> _find_ld_json_products(std::string_view html);
  // The product object of the page framework's serialised page data, or none.
  static std::optional<boost::json::object> _find_next_data_product(std::string_view html);
  // Lower-cased meta property/name -> trimmed content (last tag wins).
  static MetaTags _extract_meta_tags(std::string_view html);
  // The document title with whitespace collapsed, or none.
  static std::optional<std::string> _extract_html_title(std::string_view html);

  // Pure; the same inputs always give the same facts. Text must be UTF-8.
  // With the mode OFF the facts carry no sources.
  static PageFacts parse_metadata(std::optional<std::string_view> html, std::string_view direct_url,
                                  std::string_view initial_title = "", std::string_view initial_merchant = "",
                                  const std::optional<models::NormalizedPrice>& initial_price = std::nullopt,
                                  std::optional<bool> initial_stock = std::nullopt, std::int64_t rank = 1,
                                  ExtractionMode mode = ExtractionMode::OFF);
};

}  // namespace tarvik::commerce
