// Reading records from JSON, with errors that name the place of the bad field.
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

std::string join(std::string_view where, std::string_view field) {
  if (where.empty()) return std::string(field);
  return std::string(where) + "." + std::string(field);
}

// Reads the fields of one element; every error names the element and field.
class Element {
 public:
  Element(const bj::object& obj, std::string where) : obj_(obj), where_(std::move(where)) {}

  [[noreturn]] void fail(std::string_view field, std::string_view what) const {
    throw InputError(join(where_, field) + ": " + std::string(what));
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
    const Element price(v->get_object(), join(where_, field));
    const std::optional<double> amount = price.opt_number("amount");
    if (!amount) price.fail("amount", "missing required field");
    try {
      return NormalizedPrice(price.req_string("raw"), *amount, price.req_string("currency"));
    } catch (const std::invalid_argument& e) {
      fail(field, e.what());
    }
  }
  const std::string& where() const { return where_; }

  // A nested record (the summary's best offer).
  template <class Record>
  std::optional<Record> nested(std::string_view field) const;

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

template <class Record>
Record read_described(const Element& e);

template <class Record>
std::optional<Record> Element::nested(std::string_view field) const {
  const bj::value* v = get(field);
  if (!v) return std::nullopt;
  if (!v->is_object()) wrong(field, "an object", *v);
  return read_described<Record>(Element(v->get_object(), join(where_, field)));
}

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

template <class Record>
Record blank() {
  if constexpr (std::is_same_v<Record, BestOffer>)
    return BestOffer{{}, {}, {}, NormalizedPrice("", 0, "-"), {}, Relevance::LOW};
  else
    return Record{};
}

template <class T>
struct is_optional : std::false_type {};
template <class T>
struct is_optional<std::optional<T>> : std::true_type {};

// One member, read by its type; an absent member keeps its default unless the
// record's notes require it.
template <class T>
void read_field(const Element& e, std::string_view key, bool required, T& out) {
  if constexpr (is_optional<T>::value) {
    using V = typename T::value_type;
    if constexpr (std::is_same_v<V, std::string>)
      out = e.opt_string(key);
    else if constexpr (std::is_same_v<V, bool>)
      out = e.opt_bool(key);
    else if constexpr (std::is_same_v<V, double>)
      out = e.opt_number(key);
    else if constexpr (std::is_same_v<V, std::int64_t>)
      out = e.opt_integer(key);
    else if constexpr (std::is_enum_v<V>)
      out = e.opt_enum<V>(key);
    else if constexpr (std::is_same_v<V, NormalizedPrice>)
      out = e.price_record(key);
    else if constexpr (std::is_same_v<V, std::vector<std::pair<std::string, std::string>>>)
      out = e.opt_text_pairs(key);
    else
      out = e.template nested<V>(key);
    if (required && !out) e.fail(key, "missing required field");
  } else {
    std::optional<T> read;
    read_field(e, key, required, read);
    if (read) out = std::move(*read);
  }
}

template <class Record>
Record read_described(const Element& e) {
  using Notes = FieldNotes<Record>;
  Record r = blank<Record>();
  std::optional<std::string> price_currency;
  for_each_field(r, [&](std::string_view name, auto& member) {
    const bool required = is_required<Record>(name);
    std::string_view key = name;
    if constexpr (requires { Notes::alias; }) {
      if (name == Notes::alias_of && !e.get(name) && e.get(Notes::alias)) key = Notes::alias;
    }
    if constexpr (requires { Notes::search_price; }) {
      if constexpr (std::is_same_v<std::decay_t<decltype(member)>, std::optional<std::string>>) {
        if (name == Notes::search_price) {
          member = e.price(key, &price_currency);
          return;
        }
      }
    }
    read_field(e, key, required, member);
  });
  if constexpr (requires { Notes::search_price; }) {
    if (!r.currency) r.currency = std::move(price_currency);
  }
  return r;
}

template <class Record>
std::vector<Record> read_elements(const bj::array& arr, std::string_view key) {
  std::vector<Record> out;
  out.reserve(arr.size());
  for (std::size_t i = 0; i < arr.size(); ++i) {
    const std::string where = std::string(key) + "[" + std::to_string(i) + "]";
    if (!arr[i].is_object())
      throw InputError(where + ": expected an object, got " + std::string(kind_name(arr[i])));
    out.push_back(read_described<Record>(Element(arr[i].get_object(), where)));
  }
  return out;
}

CommerceIntelligence read_result(const bj::value& doc) {
  CommerceIntelligence result;
  if (doc.is_object()) {
    const Element top(doc.get_object(), "");
    if (const bj::value* summary = top.get("summary")) {
      if (!summary->is_object()) throw InputError("summary: expected an object, got " + std::string(kind_name(*summary)));
      result.summary = read_described<CommerceSummary>(Element(summary->get_object(), "summary"));
    }
  }
  result.items = read_elements<EnrichedCommerceMatch>(top_array(doc, "items"), "items");
  return result;
}

}  // namespace

template <>
std::vector<VisualMatch> read_record_list<VisualMatch>(const boost::json::value& doc) {
  return read_elements<VisualMatch>(top_array(doc, "visual_matches"), "visual_matches");
}
template <>
std::vector<ShoppingOffer> read_record_list<ShoppingOffer>(const boost::json::value& doc) {
  return read_elements<ShoppingOffer>(top_array(doc, "shopping_results"), "shopping_results");
}
template <>
std::vector<EnrichedCommerceMatch> read_record_list<EnrichedCommerceMatch>(const boost::json::value& doc) {
  return read_elements<EnrichedCommerceMatch>(top_array(doc, "items"), "items");
}

CommerceIntelligence read_commerce_intelligence(std::string_view json_text) {
  return read_result(parse_document(json_text));
}
std::vector<VisualMatch> read_visual_matches(std::string_view json_text) {
  return read_record_list<VisualMatch>(parse_document(json_text));
}
std::vector<ShoppingOffer> read_shopping_offers(std::string_view json_text) {
  return read_record_list<ShoppingOffer>(parse_document(json_text));
}

template <class Record>
Record read_record(const boost::json::value& value, std::string_view where) {
  if (!value.is_object())
    throw InputError((where.empty() ? std::string("value") : std::string(where)) + ": expected an object, got " +
                     std::string(kind_name(value)));
  return read_described<Record>(Element(value.get_object(), std::string(where)));
}

template VisualMatch read_record<VisualMatch>(const boost::json::value&, std::string_view);
template ShoppingOffer read_record<ShoppingOffer>(const boost::json::value&, std::string_view);
template EnrichedCommerceMatch read_record<EnrichedCommerceMatch>(const boost::json::value&, std::string_view);
template BestOffer read_record<BestOffer>(const boost::json::value&, std::string_view);
template CommerceSummary read_record<CommerceSummary>(const boost::json::value&, std::string_view);

template <>
NormalizedPrice read_record<NormalizedPrice>(const boost::json::value& value, std::string_view where) {
  // Read as the member `where` of a holder, so errors name it as for a record's price.
  const bj::object holder{{where, value}};
  const std::optional<NormalizedPrice> price = Element(holder, "").price_record(where);
  if (!price) throw InputError(std::string(where) + ": expected an object, got null");
  return *price;
}

template <>
CommerceIntelligence read_record<CommerceIntelligence>(const boost::json::value& value, std::string_view where) {
  if (!value.is_object())
    throw InputError((where.empty() ? std::string("value") : std::string(where)) + ": expected an object, got " +
                     std::string(kind_name(value)));
  return read_result(value);
}

}  // namespace tarvik::models
