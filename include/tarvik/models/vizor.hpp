// One visual match of a reverse-image search.
#pragma once

#include <optional>
#include <string>

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

}  // namespace tarvik::models
