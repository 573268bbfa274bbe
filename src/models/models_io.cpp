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

}  // namespace

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
