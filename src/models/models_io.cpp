// Reading records from JSON, with errors that name the place of the bad field.
#include <boost/json.hpp>

#include <cmath>
#include <string>

#include "tarvik/models/io.hpp"
#include "tarvik/models/json_fields.hpp"
#include "tarvik/util/text.hpp"

namespace tarvik::models {
namespace {

namespace bj = boost::json;

using Element = FieldReader;

template <class Record>
std::optional<Record> nested(const Element& e, std::string_view field);

template <class Record>
Record read_described(const Element& e);

// A nested record (the summary's best offer).
template <class Record>
std::optional<Record> nested(const Element& e, std::string_view field) {
  const bj::value* v = e.get(field);
  if (!v) return std::nullopt;
  if (!v->is_object()) e.wrong(field, "an object", *v);
  return read_described<Record>(Element(v->get_object(), field_path(e.where(), field)));
}

const bj::array& top_array(const bj::value& doc, std::string_view key) {
  if (doc.is_array()) return doc.get_array();
  if (doc.is_object()) {
    const bj::object& o = doc.get_object();
    auto it = o.find(key);
    if (it == o.end()) throw InputError("expected an array, or an object holding one under \"" + std::string(key) + "\"");
    if (!it->value().is_array())
      throw InputError("\"" + std::string(key) + "\": expected an array, got " + std::string(json_kind_name(it->value())));
    return it->value().get_array();
  }
  throw InputError("expected an array, or an object holding one under \"" + std::string(key) +
                   "\", got " + std::string(json_kind_name(doc)));
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
      out = nested<V>(e, key);
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
      throw InputError(where + ": expected an object, got " + std::string(json_kind_name(arr[i])));
    out.push_back(read_described<Record>(Element(arr[i].get_object(), where)));
  }
  return out;
}

CommerceIntelligence read_result(const bj::value& doc) {
  CommerceIntelligence result;
  if (doc.is_object()) {
    const Element top(doc.get_object(), "");
    if (const bj::value* summary = top.get("summary")) {
      if (!summary->is_object()) throw InputError("summary: expected an object, got " + std::string(json_kind_name(*summary)));
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
                     std::string(json_kind_name(value)));
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
                     std::string(json_kind_name(value)));
  return read_result(value);
}

}  // namespace tarvik::models
