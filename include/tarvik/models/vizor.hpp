// One visual match of a reverse-image search.
#pragma once

#include <boost/describe/class.hpp>

#include <optional>
#include <string>

#include "tarvik/models/fields.hpp"

namespace tarvik::models {

struct VisualMatch {
  std::string link;
  std::string title;
  std::optional<std::string> source;     // site name shown by the search
  std::optional<std::string> price;      // price text shown by the search
  std::optional<std::string> currency;
  std::optional<std::string> thumbnail;
  std::optional<bool> in_stock;

  // The record as JSON, as CommerceIntelligence::model_dump_json writes it.
  std::string model_dump_json(int indent = 2, bool exclude_none = true) const;

  bool operator==(const VisualMatch&) const = default;
};

// The field list: the JSON writer and reader and the Python class follow it.
BOOST_DESCRIBE_STRUCT(VisualMatch, (), (link, title, source, price, currency, thumbnail, in_stock))
template <>
struct FieldNotes<VisualMatch> {
  static constexpr std::string_view required[] = {"link", "title"};
  // A search API gives "price" as text or as {"value", "currency"}; that
  // currency stands in for an absent "currency".
  static constexpr std::string_view search_price = "price";
};

}  // namespace tarvik::models
