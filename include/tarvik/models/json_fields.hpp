// Reading the fields of one JSON object with errors that name their place
// ("items[2].price.amount: missing required field"): the records' readers
// and the command line's request readers share it.
#pragma once

#include <boost/json/object.hpp>
#include <boost/json/value.hpp>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tarvik/models/common.hpp"
#include "tarvik/models/io.hpp"

namespace tarvik::models {

// "null", "boolean", "number", "string", "array" or "object".
inline std::string_view json_kind_name(const boost::json::value& v) {
  switch (v.kind()) {
    case boost::json::kind::null: return "null";
    case boost::json::kind::bool_: return "boolean";
    case boost::json::kind::int64:
    case boost::json::kind::uint64:
    case boost::json::kind::double_: return "number";
    case boost::json::kind::string: return "string";
    case boost::json::kind::array: return "array";
    case boost::json::kind::object: return "object";
  }
  return "value";
}

inline std::string field_path(std::string_view where, std::string_view field) {
  if (where.empty()) return std::string(field);
  return std::string(where) + "." + std::string(field);
}

// The fields of one object, `where` naming it in errors ("" at the top).
// A field that is null counts as absent. Every error is an InputError.
class FieldReader {
 public:
  FieldReader(const boost::json::object& obj, std::string where) : obj_(obj), where_(std::move(where)) {}

  [[noreturn]] void fail(std::string_view field, std::string_view what) const {
    throw InputError(field_path(where_, field) + ": " + std::string(what));
  }
  [[noreturn]] void wrong(std::string_view field, std::string_view expected, const boost::json::value& got) const {
    fail(field, "expected " + std::string(expected) + ", got " + std::string(json_kind_name(got)));
  }
  const boost::json::value* get(std::string_view field) const {
    auto it = obj_.find(field);
    return it == obj_.end() || it->value().is_null() ? nullptr : &it->value();
  }

  std::optional<std::string> opt_string(std::string_view field) const {
    const boost::json::value* v = get(field);
    if (!v) return std::nullopt;
    if (!v->is_string()) wrong(field, "a string", *v);
    return std::string(v->get_string());
  }
  std::string req_string(std::string_view field) const {
    if (!get(field)) fail(field, "missing required field");
    return *opt_string(field);
  }
  std::optional<bool> opt_bool(std::string_view field) const {
    const boost::json::value* v = get(field);
    if (!v) return std::nullopt;
    if (!v->is_bool()) wrong(field, "true, false or null", *v);
    return v->get_bool();
  }
  std::optional<double> opt_number(std::string_view field) const {
    const boost::json::value* v = get(field);
    if (!v) return std::nullopt;
    if (!v->is_number()) wrong(field, "a number", *v);
    return v->to_number<double>();
  }
  std::optional<std::int64_t> opt_integer(std::string_view field) const {
    const boost::json::value* v = get(field);
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
    const boost::json::value* v = get(field);
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
    const boost::json::value* v = get(field);
    if (!v) return std::nullopt;
    if (!v->is_object()) wrong(field, "an object", *v);
    const FieldReader price(v->get_object(), field_path(where_, field));
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
    const boost::json::value* v = get(field);
    if (!v) return std::nullopt;
    if (v->is_string()) return std::string(v->get_string());
    if (v->is_object()) {
      const boost::json::object& o = v->get_object();
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
  const boost::json::object& obj_;
  std::string where_;
};


}  // namespace tarvik::models
