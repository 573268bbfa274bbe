// One offer of a shopping search.
#pragma once

#include <boost/describe/class.hpp>

#include <cstdint>
#include <optional>
#include <string>

#include "tarvik/models/fields.hpp"

namespace tarvik::models {

struct ShoppingOffer {
  std::string title;
  std::string link;
  std::optional<std::string> source;           // merchant name
  std::optional<std::string> price;            // price text as shown
  std::optional<double> extracted_price;       // numeric price, when the search gives one
  std::optional<std::string> currency;
  std::optional<std::string> thumbnail;
  std::optional<std::string> delivery;
  std::optional<bool> in_stock;
  std::optional<double> rating;
  std::optional<std::int64_t> reviews;
  std::optional<std::int64_t> position;

  // The record as JSON, as CommerceIntelligence::model_dump_json writes it.
  std::string model_dump_json(int indent = 2, bool exclude_none = true) const;

  bool operator==(const ShoppingOffer&) const = default;
};

// The field list: the JSON writer and reader and the Python class follow it.
BOOST_DESCRIBE_STRUCT(ShoppingOffer, (),
                      (title, link, source, price, extracted_price, currency, thumbnail, delivery, in_stock, rating,
                       reviews, position))
template <>
struct FieldNotes<ShoppingOffer> {
  static constexpr std::string_view required[] = {"title", "link"};
  // Some shopping APIs give the link only as "product_link".
  static constexpr std::string_view alias_of = "link";
  static constexpr std::string_view alias = "product_link";
  static constexpr std::string_view search_price = "price";
};

}  // namespace tarvik::models
