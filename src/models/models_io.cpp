#include <boost/json.hpp>

#include <cmath>
#include <string>

#include "tarvik/models/io.hpp"
#include "tarvik/util/text.hpp"

namespace tarvik::models {
namespace {

namespace bj = boost::json;

std::string_view kind_name(const bj::value& v) {
  switch (v.kind()) {
    case bj::kind::null: return "null";
    case bj::kind::bool_: return "boolean";
    case bj::kind::int64:
    case bj::kind::uint64:
    case bj::kind::double_: return "number";
    case bj::kind::string: return "string";
    case bj::kind::array: return "array";
    case bj::kind::object: return "object";
  }
  return "value";
}

// Reads the fields of one element; every error names the element and field.
class Element {
 public:
  Element(const bj::object& obj, std::string where) : obj_(obj), where_(std::move(where)) {}

  [[noreturn]] void fail(std::string_view field, std::string_view what) const {
    throw InputError(where_ + "." + std::string(field) + ": " + std::string(what));
  }
  [[noreturn]] void wrong(std::string_view field, std::string_view expected, const bj::value& got) const {
    fail(field, "expected " + std::string(expected) + ", got " + std::string(kind_name(got)));
  }
  const bj::value* get(std::string_view field) const {
    auto it = obj_.find(field);
    return it == obj_.end() || it->value().is_null() ? nullptr : &it->value();
  }

  std::optional<std::string> opt_string(std::string_view field) const {
    const bj::value* v = get(field);
    if (!v) return std::nullopt;
    if (!v->is_string()) wrong(field, "a string", *v);
    return std::string(v->get_string());
  }
  std::string req_string(std::string_view field) const {
    if (!get(field)) fail(field, "missing required field");
    return *opt_string(field);
  }
  std::optional<bool> opt_bool(std::string_view field) const {
    const bj::value* v = get(field);
    if (!v) return std::nullopt;
    if (!v->is_bool()) wrong(field, "true, false or null", *v);
    return v->get_bool();
  }
  std::optional<double> opt_number(std::string_view field) const {
    const bj::value* v = get(field);
    if (!v) return std::nullopt;
    if (!v->is_number()) wrong(field, "a number", *v);
    return v->to_number<double>();
  }
  std::optional<std::int64_t> opt_integer(std::string_view field) const {
    const bj::value* v = get(field);
    if (!v) return std::nullopt;
    if (v->is_int64()) return v->get_int64();
    if (v->is_uint64() && v->get_uint64() <= static_cast<std::uint64_t>(INT64_MAX))
      return static_cast<std::int64_t>(v->get_uint64());
    // Whole doubles within range only: converting one outside it is undefined.
    if (v->is_double()) {
      const double d = v->get_double();
      if (d >= -0x1p63 && d < 0x1p63 && d == std::trunc(d)) return static_cast<std::int64_t>(d);
    }
    wrong(field, "an integer", *v);
  }
  template <class Enum>
  std::optional<Enum> opt_enum(std::string_view field) const {
    const std::optional<std::string> text = opt_string(field);
    if (!text) return std::nullopt;
    const std::optional<Enum> member = from_value<Enum>(*text);
    if (!member) fail(field, "unknown value \"" + *text + "\"");
    return member;
  }
  // An object of text values, as pairs in document order.
  std::optional<std::vector<std::pair<std::string, std::string>>> opt_text_pairs(std::string_view field) const {
    const bj::value* v = get(field);
    if (!v) return std::nullopt;
    if (!v->is_object()) wrong(field, "an object", *v);
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const auto& member : v->get_object()) {
      if (!member.value().is_string()) wrong(std::string(field) + "." + std::string(member.key()), "a string", member.value());
      pairs.emplace_back(std::string(member.key()), std::string(member.value().get_string()));
    }
    return pairs;
  }
  // A price record {"raw", "amount", "currency"}.
  std::optional<NormalizedPrice> price_record(std::string_view field) const {
    const bj::value* v = get(field);
    if (!v) return std::nullopt;
    if (!v->is_object()) wrong(field, "an object", *v);
    const Element price(v->get_object(), where_ + "." + std::string(field));
    const std::optional<double> amount = price.opt_number("amount");
    if (!amount) price.fail("amount", "missing required field");
    try {
      return NormalizedPrice(price.req_string("raw"), *amount, price.req_string("currency"));
    } catch (const std::invalid_argument& e) {
      fail(field, e.what());
    }
  }
  const std::string& where() const { return where_; }

  // A price is text, or an object with a text "value" (its "currency" is
  // returned through currency_out when present).
  std::optional<std::string> price(std::string_view field, std::optional<std::string>* currency_out) const {
    const bj::value* v = get(field);
    if (!v) return std::nullopt;
    if (v->is_string()) return std::string(v->get_string());
    if (v->is_object()) {
      const bj::object& o = v->get_object();
      auto it = o.find("value");
      if (it != o.end() && it->value().is_string()) {
        auto cur = o.find("currency");
        if (currency_out && cur != o.end() && cur->value().is_string())
          *currency_out = std::string(cur->value().get_string());
        return std::string(it->value().get_string());
      }
      if (it != o.end() && it->value().is_null()) return std::nullopt;
    }
    wrong(field, "a string or an object with a text \"value\"", *v);
  }

 private:
  const bj::object& obj_;
  std::string where_;
};

const bj::array& top_array(const bj::value& doc, std::string_view key) {
  if (doc.is_array()) return doc.get_array();
  if (doc.is_object()) {
    const bj::object& o = doc.get_object();
    auto it = o.find(key);
    if (it == o.end()) throw InputError("expected an array, or an object holding one under \"" + std::string(key) + "\"");
    if (!it->value().is_array())
      throw InputError("\"" + std::string(key) + "\": expected an array, got " + std::string(kind_name(it->value())));
    return it->value().get_array();
  }
  throw InputError("expected an array, or an object holding one under \"" + std::string(key) +
                   "\", got " + std::string(kind_name(doc)));
}

bj::value parse_document(std::string_view json_text) {
  const std::string text = text::repair_utf8(json_text);
  bj::parse_options opts;
  opts.max_depth = 64;
  std::error_code ec;
  bj::value doc = bj::parse(text, ec, {}, opts);
  if (ec) throw InputError("invalid JSON: " + ec.message());
  return doc;
}

template <class Fn>
auto read_list(std::string_view json_text, std::string_view key, Fn read_one) {
  const bj::value doc = parse_document(json_text);
  const bj::array& arr = top_array(doc, key);
  std::vector<decltype(read_one(std::declval<const Element&>()))> out;
  out.reserve(arr.size());
  for (std::size_t i = 0; i < arr.size(); ++i) {
    const std::string where = std::string(key) + "[" + std::to_string(i) + "]";
    if (!arr[i].is_object())
      throw InputError(where + ": expected an object, got " + std::string(kind_name(arr[i])));
    out.push_back(read_one(Element(arr[i].get_object(), where)));
  }
  return out;
}

EnrichedCommerceMatch read_item(const Element& e) {
  EnrichedCommerceMatch m;
  m.title = e.req_string("title");
  m.direct_url = e.req_string("direct_url");
  m.original_url = e.opt_string("original_url").value_or("");
  m.price = e.price_record("price");
  m.merchant_name = e.opt_string("merchant_name");
  m.merchant_category = e.opt_enum<MerchantCategory>("merchant_category");
  m.thumbnail = e.opt_string("thumbnail");
  m.match_score = e.opt_integer("match_score").value_or(0);
  m.page_type = e.opt_enum<PageType>("page_type").value_or(PageType::UNCATEGORIZED);
  m.brand = e.opt_string("brand");
  m.sku = e.opt_string("sku");
  m.condition = e.opt_enum<ItemCondition>("condition");
  m.stock_status = e.opt_enum<StockStatus>("stock_status");
  m.primary_image_url = e.opt_string("primary_image_url");
  m.shipping_info = e.opt_string("shipping_info");
  m.source_engine = e.opt_string("source_engine").value_or("vizor");
  m.relevance = e.opt_enum<Relevance>("relevance");
  m.sources = e.opt_text_pairs("sources");
  return m;
}

CommerceSummary read_summary(const Element& e) {
  CommerceSummary s;
  s.total_matches = e.opt_integer("total_matches").value_or(0);
  s.currency = e.opt_string("currency").value_or("USD");
  s.commerce_items = e.opt_integer("commerce_items").value_or(0);
  s.priced_items = e.opt_integer("priced_items").value_or(0);
  s.priced_in_currency = e.opt_integer("priced_in_currency").value_or(0);
  s.min_price = e.opt_number("min_price");
  s.max_price = e.opt_number("max_price");
  s.median_price = e.opt_number("median_price");
  s.average_price = e.opt_number("average_price");
  s.in_stock_items = e.opt_integer("in_stock_items").value_or(0);
  s.distinct_merchants = e.opt_integer("distinct_merchants").value_or(0);
  s.product_pages = e.opt_integer("product_pages").value_or(0);
  s.marketplace_listings = e.opt_integer("marketplace_listings").value_or(0);
  s.official_brand_items = e.opt_integer("official_brand_items").value_or(0);
  s.reseller_items = e.opt_integer("reseller_items").value_or(0);
  s.high_relevance_items = e.opt_integer("high_relevance_items").value_or(0);
  s.best_price_url = e.opt_string("best_price_url");
  if (const bj::value* best = e.get("best_offer")) {
    if (!best->is_object()) e.wrong("best_offer", "an object", *best);
    const Element b(best->get_object(), e.where() + ".best_offer");
    const std::optional<NormalizedPrice> price = b.price_record("price");
    if (!price) b.fail("price", "missing required field");
    s.best_offer = BestOffer{b.req_string("title"), b.opt_string("merchant_name"), b.req_string("direct_url"), *price,
                             b.opt_enum<StockStatus>("stock_status"),
                             b.opt_enum<Relevance>("relevance").value_or(Relevance::LOW)};
  }
  return s;
}

}  // namespace

CommerceIntelligence read_commerce_intelligence(std::string_view json_text) {
  CommerceIntelligence result;
  const bj::value doc = parse_document(json_text);
  if (doc.is_object()) {
    const Element top(doc.get_object(), "");
    if (const bj::value* summary = top.get("summary")) {
      if (!summary->is_object()) throw InputError("summary: expected an object, got " + std::string(kind_name(*summary)));
      result.summary = read_summary(Element(summary->get_object(), "summary"));
    }
  }
  const bj::array& arr = top_array(doc, "items");
  result.items.reserve(arr.size());
  for (std::size_t i = 0; i < arr.size(); ++i) {
    const std::string where = "items[" + std::to_string(i) + "]";
    if (!arr[i].is_object()) throw InputError(where + ": expected an object, got " + std::string(kind_name(arr[i])));
    result.items.push_back(read_item(Element(arr[i].get_object(), where)));
  }
  return result;
}

std::vector<VisualMatch> read_visual_matches(std::string_view json_text) {
  return read_list(json_text, "visual_matches", [](const Element& e) {
    VisualMatch m;
    m.link = e.req_string("link");
    m.title = e.req_string("title");
    m.source = e.opt_string("source");
    std::optional<std::string> price_currency;
    m.price = e.price("price", &price_currency);
    m.currency = e.opt_string("currency");
    if (!m.currency) m.currency = price_currency;
    m.thumbnail = e.opt_string("thumbnail");
    m.in_stock = e.opt_bool("in_stock");
    return m;
  });
}

std::vector<ShoppingOffer> read_shopping_offers(std::string_view json_text) {
  return read_list(json_text, "shopping_results", [](const Element& e) {
    ShoppingOffer o;
    o.title = e.req_string("title");
    if (e.get("link") || !e.get("product_link"))
      o.link = e.req_string("link");
    else
      o.link = e.req_string("product_link");
    o.source = e.opt_string("source");
    std::optional<std::string> price_currency;
    o.price = e.price("price", &price_currency);
    o.extracted_price = e.opt_number("extracted_price");
    o.currency = e.opt_string("currency");
    if (!o.currency) o.currency = price_currency;
    o.thumbnail = e.opt_string("thumbnail");
    o.delivery = e.opt_string("delivery");
    o.in_stock = e.opt_bool("in_stock");
    o.rating = e.opt_number("rating");
    o.reviews = e.opt_integer("reviews");
    o.position = e.opt_integer("position");
    return o;
  });
}

}  // namespace tarvik::models
