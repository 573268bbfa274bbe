// Commerce items for tests, built from a few named facts.
#pragma once

#include <optional>
#include <string>

#include "tarvik/models/commerce.hpp"

namespace tarvik::testing {

struct ItemSpec {
  const char* title = "Item";
  models::PageType page = models::PageType::PRODUCT;
  std::int64_t score = 98;
  std::optional<double> price = std::nullopt;
  const char* currency = "USD";
  std::optional<models::MerchantCategory> category = std::nullopt;
  std::optional<models::StockStatus> stock = std::nullopt;
  std::optional<models::Relevance> relevance = std::nullopt;
  const char* merchant = nullptr;
  const char* brand = nullptr;
  const char* url = nullptr;  // default: derived from the title
};

inline models::EnrichedCommerceMatch make_item(const ItemSpec& s) {
  models::EnrichedCommerceMatch m;
  m.title = s.title;
  m.direct_url = s.url ? s.url : std::string("https://shop.example/") + s.title;
  m.original_url = m.direct_url;
  if (s.price) m.price = models::NormalizedPrice("raw", *s.price, s.currency);
  if (s.merchant) m.merchant_name = s.merchant;
  m.merchant_category = s.category;
  m.match_score = s.score;
  m.page_type = s.page;
  if (s.brand) m.brand = s.brand;
  m.stock_status = s.stock;
  m.relevance = s.relevance;
  return m;
}

}  // namespace tarvik::testing
