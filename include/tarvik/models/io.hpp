// Reading match and offer lists from JSON, the shapes that reverse-image and
// shopping search APIs return.
#pragma once

#include <boost/json/fwd.hpp>

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tarvik/models/commerce.hpp"
#include "tarvik/models/shopping.hpp"
#include "tarvik/models/vizor.hpp"

namespace tarvik::models {

// Bad input: the message names the element index and the field, e.g.
// "visual_matches[3].title: expected a string, got number".
class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A top-level array of matches, or an object holding it under "visual_matches".
// Unknown fields are ignored; a price may be text or an object with a text
// "value". Invalid UTF-8 is repaired. Throws InputError; nothing partial.
std::vector<VisualMatch> read_visual_matches(std::string_view json_text);
// A top-level array of offers, or an object holding it under "shopping_results".
std::vector<ShoppingOffer> read_shopping_offers(std::string_view json_text);
// The records' own JSON form, as model_dump_json writes it: a result object
// ("items" required, "summary" optional) or a top-level array of items (the
// summary then keeps its defaults). An item needs "title" and "direct_url";
// enumerations are read by their values, a price as {"raw", "amount",
// "currency"}. Errors name the place: "items[2].page_type: unknown value
// \"shop\"".
CommerceIntelligence read_commerce_intelligence(std::string_view json_text);

// The same lists from a parsed document (its text valid UTF-8): matches
// (under "visual_matches"), offers ("shopping_results") or items ("items"),
// with the same errors.
template <class Record>
std::vector<Record> read_record_list(const boost::json::value& doc);

// One record from its JSON form, by the rules above (a VisualMatch or
// ShoppingOffer as the search APIs give them). Errors name the field after
// `where` ("where.title: missing required field"; an empty `where` names the
// field alone). For NormalizedPrice, `where` is the price's own name.
// Defined for VisualMatch, ShoppingOffer, EnrichedCommerceMatch, BestOffer,
// CommerceSummary, CommerceIntelligence and NormalizedPrice.
template <class Record>
Record read_record(const boost::json::value& value, std::string_view where);

}  // namespace tarvik::models
