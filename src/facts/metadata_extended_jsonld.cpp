// Tolerant reading of a page's JSON-LD for the extended mode: blocks the
// strict reader skips (comment or CDATA wrappers, JavaScript comments,
// trailing commas, raw control characters, several objects back to back, an
// HTML-escaped body) are repaired, type names are compared without case and
// without vocabulary prefixes, and offers are read in every shape shops
// publish them. Linear in the page: every block is cleaned in one pass and
// parsed with the bounded JSON reader.

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <boost/json.hpp>

#include "facts/metadata_extended.hpp"
#include "facts/metadata_scan.hpp"
#include "tarvik/prices/normalizer.hpp"
#include "tarvik/util/html.hpp"
#include "tarvik/util/json.hpp"
#include "tarvik/util/text.hpp"

namespace tarvik::commerce::extended {
namespace {

namespace bj = boost::json;
using models::StockStatus;
constexpr std::size_t npos = std::string_view::npos;

// Offers inside offers (an aggregate's list, a list of price entries) are
// followed this deep.
constexpr int MAX_OFFER_NESTING = 4;
// Values walked per page, over all blocks.
constexpr std::size_t MAX_WALKED = 200'000;

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// ---------------------------------------------------------------------------
// Blocks.

// The value of the `type` attribute of a start tag that runs from `from` (just
// past "<script") to its ">", and that ">"'s position; npos when the tag does
// not end.
std::pair<std::string_view, std::size_t> script_type(std::string_view html, std::size_t i) {
  std::string_view type;
  while (i < html.size()) {
    while (i < html.size() && (is_space(html[i]) || html[i] == '/')) ++i;
    if (i >= html.size()) break;
    if (html[i] == '>') return {type, i};
    const std::size_t name_start = i;
    while (i < html.size() && !is_space(html[i]) && html[i] != '=' && html[i] != '>' && html[i] != '/') ++i;
    const std::string_view name = html.substr(name_start, i - name_start);
    while (i < html.size() && is_space(html[i])) ++i;
    if (i >= html.size() || html[i] != '=') continue;
    ++i;
    while (i < html.size() && is_space(html[i])) ++i;
    if (i >= html.size()) break;
    std::string_view value;
    if (html[i] == '"' || html[i] == '\'') {
      const std::size_t close = html.find(html[i], i + 1);
      if (close == npos) break;
      value = html.substr(i + 1, close - i - 1);
      i = close + 1;
    } else {
      const std::size_t start = i;
      while (i < html.size() && !is_space(html[i]) && html[i] != '>') ++i;
      value = html.substr(start, i - start);
    }
    if (type.empty() && name.size() == 4 && scan::equal_ascii_ci(name.data(), "type")) type = value;
  }
  return {type, npos};
}

bool is_ld_type(std::string_view type) {
  type = text::trim(type);
  constexpr std::string_view want = "application/ld+json";
  return type.size() >= want.size() && scan::equal_ascii_ci(type.data(), want) &&
         (type.size() == want.size() || type[want.size()] == ';' || is_space(type[want.size()]));
}

// Bodies of every JSON-LD script, in document order.
std::vector<std::string_view> ld_blocks(std::string_view html) {
  std::vector<std::string_view> out;
  std::size_t pos = 0;
  while (true) {
    const std::size_t start = scan::find_ascii_ci(html, "<script", pos);
    if (start == npos) break;
    const std::size_t after = start + 7;
    if (after < html.size() && !is_space(html[after]) && html[after] != '>' && html[after] != '/') {
      pos = after;
      continue;
    }
    const auto [type, gt] = script_type(html, after);
    if (gt == npos) break;
    const std::size_t close = scan::find_ascii_ci(html, "</script", gt + 1);
    const std::size_t body_end = close == npos ? html.size() : close;
    if (is_ld_type(type)) out.push_back(html.substr(gt + 1, body_end - gt - 1));
    if (close == npos) break;
    pos = close + 8;
  }
  return out;
}

// ---------------------------------------------------------------------------
// Repair.

std::string_view trim_ascii(std::string_view s) {
  while (!s.empty() && is_space(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_space(s.back())) s.remove_suffix(1);
  return s;
}

// Drops comment and CDATA wrappers and whole-line JavaScript comments around
// the JSON text.
std::string_view unwrap(std::string_view s) {
  for (bool changed = true; changed;) {
    changed = false;
    s = trim_ascii(s);
    for (std::string_view open : {"<!--", "<![CDATA["}) {
      if (s.starts_with(open)) {
        s.remove_prefix(open.size());
        changed = true;
      }
    }
    for (std::string_view close : {"-->", "]]>"}) {
      if (s.ends_with(close)) {
        s.remove_suffix(close.size());
        changed = true;
      }
    }
    if (s.starts_with("//")) {
      const std::size_t nl = s.find('\n');
      s = nl == npos ? std::string_view() : s.substr(nl + 1);
      changed = true;
    }
    const std::size_t last_nl = s.find_last_of('\n');
    if (last_nl != npos && trim_ascii(s.substr(last_nl + 1)).starts_with("//")) {
      s = s.substr(0, last_nl);
      changed = true;
    }
  }
  return s;
}

// Rewrites `s` as a sequence of plain JSON texts: comments dropped, trailing
// commas dropped, raw control characters in strings escaped. Appends the
// [begin, end) range of each top-level value to `values`.
void clean(std::string_view s, std::string& out, std::vector<std::pair<std::size_t, std::size_t>>& values) {
  out.clear();
  out.reserve(s.size());
  std::size_t depth = 0, value_start = 0;
  bool in_string = false, escaped = false, pending_comma = false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (in_string) {
      if (escaped) {
        escaped = false;
        out.push_back(c);
      } else if (c == '\\') {
        escaped = true;
        out.push_back(c);
      } else if (c == '"') {
        in_string = false;
        out.push_back(c);
        if (depth == 0) values.emplace_back(value_start, out.size());
      } else if (static_cast<unsigned char>(c) < 0x20) {
        static constexpr char hex[] = "0123456789abcdef";
        out += "\\u00";
        out.push_back(hex[(c >> 4) & 0xF]);
        out.push_back(hex[c & 0xF]);
      } else {
        out.push_back(c);
      }
      continue;
    }
    if (c == '/' && i + 1 < s.size() && s[i + 1] == '/') {
      const std::size_t nl = s.find('\n', i);
      i = nl == npos ? s.size() : nl;
      continue;
    }
    if (c == '/' && i + 1 < s.size() && s[i + 1] == '*') {
      const std::size_t end = s.find("*/", i + 2);
      i = end == npos ? s.size() : end + 1;
      continue;
    }
    if (is_space(c)) continue;
    if (c == ',') {
      if (depth > 0) pending_comma = true;  // a comma between top-level values is dropped
      continue;
    }
    if (pending_comma) {
      if (c != '}' && c != ']') out.push_back(',');
      pending_comma = false;
    }
    if (depth == 0) value_start = out.size();
    out.push_back(c);
    if (c == '"') {
      in_string = true;
    } else if (c == '{' || c == '[') {
      ++depth;
    } else if (c == '}' || c == ']') {
      if (depth == 0) return;  // unbalanced: what follows cannot be read
      if (--depth == 0) values.emplace_back(value_start, out.size());
    } else if (depth == 0) {
      // A bare scalar at the top level carries no node; skip to the next one.
      while (i + 1 < s.size() && !is_space(s[i + 1]) && s[i + 1] != '{' && s[i + 1] != '[') ++i;
    }
  }
}

bool html_escaped(std::string_view s) {
  return s.find('"') == npos && (s.find("&quot;") != npos || s.find("&#34;") != npos);
}

// ---------------------------------------------------------------------------
// Reading values.

bool iequal(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return (x >= 'A' && x <= 'Z' ? x + 32 : x) == (y >= 'A' && y <= 'Z' ? y + 32 : y);
         });
}

// A vocabulary name without "schema:" or a schema.org IRI in front.
std::string_view bare_name(std::string_view s) {
  s = trim_ascii(s);
  for (std::string_view prefix : {"http://schema.org/", "https://schema.org/",
                                  "schema:", "http://www.schema.org/", "https://www.schema.org/"}) {
    if (s.size() > prefix.size() && iequal(s.substr(0, prefix.size()), prefix))
      return s.substr(prefix.size());
  }
  return s;
}

// Member by name, compared without case and without a "schema:" prefix.
const bj::value* get(const bj::object& o, std::string_view key) {
  if (const bj::value* v = o.if_contains(key)) return v;
  for (const auto& m : o) {
    const std::string_view k(m.key().data(), m.key().size());
    if (iequal(bare_name(k), key)) return &m.value();
  }
  return nullptr;
}

template <class Pred>
bool has_type(const bj::object& o, Pred pred) {
  const bj::value* t = get(o, "@type");
  if (t == nullptr) return false;
  if (const bj::string* s = t->if_string()) return pred(bare_name(std::string_view(s->data(), s->size())));
  if (const bj::array* a = t->if_array())
    for (const bj::value& e : *a)
      if (const bj::string* s = e.if_string(); s && pred(bare_name(std::string_view(s->data(), s->size()))))
        return true;
  return false;
}

template <std::size_t N>
bool type_in(const bj::object& o, const std::array<std::string_view, N>& names) {
  return has_type(o, [&](std::string_view t) {
    return std::any_of(names.begin(), names.end(), [&](std::string_view n) { return iequal(t, n); });
  });
}

constexpr std::array<std::string_view, 8> PRODUCT_TYPES = {
    "Product", "ProductGroup", "IndividualProduct", "ProductModel", "SomeProducts", "Vehicle", "Car", "Book"};
constexpr std::array<std::string_view, 2> OFFER_TYPES = {"Offer", "AggregateOffer"};
constexpr std::array<std::string_view, 3> LISTING_TYPES = {"SearchResultsPage", "CollectionPage", "ItemList"};
constexpr std::array<std::string_view, 12> ARTICLE_TYPES = {"Article",
                                                            "NewsArticle",
                                                            "BlogPosting",
                                                            "Report",
                                                            "ScholarlyArticle",
                                                            "TechArticle",
                                                            "LiveBlogPosting",
                                                            "OpinionNewsArticle",
                                                            "ReportageNewsArticle",
                                                            "DiscussionForumPosting",
                                                            "QAPage",
                                                            "SocialMediaPosting"};

std::optional<std::string> text_of(const bj::value* v) {
  if (v == nullptr) return std::nullopt;
  if (const bj::string* s = v->if_string()) return std::string(s->data(), s->size());
  if (v->is_int64() || v->is_uint64()) return json::text_form(*v);
  return std::nullopt;
}

std::string currency_of(const bj::object& o) {
  const auto c = text_of(get(o, "priceCurrency"));
  if (!c) return {};
  const std::string code = text::to_upper(text::trim(*c));
  return code.size() == 3 ? code : std::string();
}

// A price member: a positive number, or a text read with the currency hint.
std::optional<Price> price_value(const bj::value* v, const std::string& currency) {
  if (v == nullptr) return std::nullopt;
  if (const auto n = json::as_number(v); n && !v->is_bool()) {
    if (!(*n > 0) || !std::isfinite(*n)) return std::nullopt;
    return Price{round2(*n), currency};
  }
  if (const bj::string* s = v->if_string())
    return price_from_text(std::string_view(s->data(), s->size()), currency);
  return std::nullopt;
}

bool list_or_strike(const bj::object& entry) {
  const auto t = text_of(get(entry, "priceType"));
  if (!t) return false;
  const std::string l = ascii_lower(bare_name(*t));
  return l.find("list") != npos || l.find("strike") != npos || l.find("msrp") != npos ||
         l.find("srp") != npos;
}

std::optional<Price> offer_price(const bj::value* v, int nesting);

std::optional<Price> entries_price(const bj::value* entries, const std::string& currency, int nesting) {
  if (entries == nullptr || nesting > MAX_OFFER_NESTING) return std::nullopt;
  auto of_entry = [&](const bj::object& e) {
    std::string c = currency_of(e);
    return price_value(get(e, "price"), c.empty() ? currency : c);
  };
  if (const bj::object* o = entries->if_object()) return of_entry(*o);
  const bj::array* list = entries->if_array();
  if (list == nullptr) return std::nullopt;
  for (bool want_plain : {true, false})
    for (const bj::value& e : *list)
      if (const bj::object* o = e.if_object(); o && list_or_strike(*o) != want_plain)
        if (auto p = of_entry(*o)) return p;
  return std::nullopt;
}

// The price of an offer, a list of offers or an aggregate offer.
std::optional<Price> offer_price(const bj::value* v, int nesting) {
  if (v == nullptr || nesting > MAX_OFFER_NESTING) return std::nullopt;
  if (const bj::array* list = v->if_array()) {
    for (const bj::value& e : *list)
      if (auto p = offer_price(&e, nesting + 1)) return p;
    return std::nullopt;
  }
  const bj::object* o = v->if_object();
  if (o == nullptr) return std::nullopt;
  const std::string currency = currency_of(*o);
  if (auto p = price_value(get(*o, "price"), currency)) return p;
  if (auto p = entries_price(get(*o, "priceSpecification"), currency, nesting + 1)) return p;
  if (auto p = price_value(get(*o, "lowPrice"), currency)) return p;
  if (auto p = price_value(get(*o, "highPrice"), currency)) return p;
  return offer_price(get(*o, "offers"), nesting + 1);
}

// Offers in the order they are read: the value itself, a list's entries, an
// aggregate's nested offers.
void offer_objects(const bj::value* v, int nesting, std::vector<const bj::object*>& out) {
  if (v == nullptr || nesting > MAX_OFFER_NESTING) return;
  if (const bj::array* list = v->if_array()) {
    for (const bj::value& e : *list) offer_objects(&e, nesting + 1, out);
  } else if (const bj::object* o = v->if_object()) {
    out.push_back(o);
    offer_objects(get(*o, "offers"), nesting + 1, out);
  }
}

std::optional<StockStatus> offer_stock(const bj::value* offers) {
  std::vector<const bj::object*> list;
  offer_objects(offers, 0, list);
  for (const bj::object* o : list)
    if (const auto t = text_of(get(*o, "availability")))
      if (auto s = stock_from_term(*t)) return s;
  return std::nullopt;
}

// The product's identifiers in their order; GTINs are filed apart.
void product_sku(const bj::object& p, Reading& r) {
  if (const auto s = text_of(get(p, "sku"))) file_identifier(r, structured_identifier(*s));
  if (const auto s = text_of(get(p, "productID"))) {
    std::string_view v = trim_ascii(*s);
    // "isbn:123", "sku:ABC": the scheme is not part of the identifier.
    if (const std::size_t colon = v.find(':'); colon != npos && colon < 8) v.remove_prefix(colon + 1);
    file_identifier(r, structured_identifier(v));
  }
  for (std::string_view key : {"gtin13", "gtin12", "gtin8", "gtin14", "gtin", "mpn"})
    if (const auto s = text_of(get(p, key))) file_identifier(r, structured_identifier(*s));
}

bool truthy(const bj::value* v) { return json::truthy(v); }

void read_product(const bj::object& p, Reading& r) {
  const bj::value* offers = get(p, "offers");
  std::vector<const bj::value*> sources;
  if (truthy(offers)) sources.push_back(offers);
  if (const bj::value* variants = get(p, "hasVariant"); variants && variants->is_array())
    for (const bj::value& v : variants->get_array())
      if (const bj::object* vo = v.if_object(); vo && truthy(get(*vo, "offers")))
        sources.push_back(get(*vo, "offers"));
  for (const bj::value* s : sources) {
    if (!r.price) r.price = offer_price(s, 0);
    if (!r.stock) r.stock = offer_stock(s);
  }
  product_sku(p, r);
}

struct Nodes {
  std::vector<const bj::object*> products;
  std::vector<const bj::object*> offers;  // outside every product
  bool listing = false, article = false;
};

// Depth-first walk of one block; page-kind types count only on top-level
// nodes (the block itself, its list entries, its "@graph" members).
void walk(const bj::value& root, Nodes& out, std::size_t& budget) {
  struct Frame {
    const bj::value* v;
    std::uint32_t depth;
    bool top;
    bool in_product;
  };
  std::vector<Frame> stack{{&root, 0, true, false}};
  while (!stack.empty()) {
    const Frame f = stack.back();
    stack.pop_back();
    if (budget == 0 || f.depth > json::MAX_DEPTH) return;
    --budget;
    if (const bj::array* a = f.v->if_array()) {
      for (auto it = a->end(); it != a->begin();) {
        --it;
        if (it->is_structured()) stack.push_back({&*it, f.depth + 1, f.top, f.in_product});
      }
      continue;
    }
    const bj::object* o = f.v->if_object();
    if (o == nullptr) continue;
    bool in_product = f.in_product;
    if (type_in(*o, PRODUCT_TYPES)) {
      out.products.push_back(o);
      in_product = true;
    } else if (!in_product && type_in(*o, OFFER_TYPES)) {
      out.offers.push_back(o);
    }
    if (f.top) {
      out.listing = out.listing || type_in(*o, LISTING_TYPES);
      out.article = out.article || type_in(*o, ARTICLE_TYPES);
    }
    for (auto it = o->end(); it != o->begin();) {
      --it;
      if (!it->value().is_structured()) continue;
      const bool graph = it->key() == "@graph";
      stack.push_back({&it->value(), f.depth + 1, f.top && graph, in_product});
    }
  }
}

}  // namespace

LdReading read_ld_json(std::string_view html) {
  LdReading out;
  std::vector<bj::value> docs;
  std::string cleaned, unescaped;
  std::vector<std::pair<std::size_t, std::size_t>> values;
  for (std::string_view block : ld_blocks(html)) {
    std::string_view body = unwrap(block);
    if (html_escaped(body)) {
      unescaped = html::unescape(body);
      body = unwrap(unescaped);
    }
    values.clear();
    clean(body, cleaned, values);
    for (const auto& [b, e] : values)
      if (auto doc = json::parse(std::string_view(cleaned).substr(b, e - b))) docs.push_back(std::move(*doc));
  }
  Nodes nodes;
  std::size_t budget = MAX_WALKED;
  for (const bj::value& d : docs) walk(d, nodes, budget);

  out.product = !nodes.products.empty();
  out.listing = nodes.listing && !out.product;
  out.article = nodes.article;
  if (out.product) {
    const bj::object* main = nodes.products.front();
    for (const bj::object* p : nodes.products) {
      if (truthy(get(*p, "offers")) || truthy(get(*p, "sku")) || truthy(get(*p, "hasVariant"))) {
        main = p;
        break;
      }
    }
    read_product(*main, out.facts);
    out.offer = truthy(get(*main, "offers")) || out.facts.price.has_value();
  } else if (!nodes.offers.empty()) {
    const bj::value offer(*nodes.offers.front());
    out.facts.price = offer_price(&offer, 0);
    out.facts.stock = offer_stock(&offer);
  }
  return out;
}

bool other_offer_in_stock(const std::vector<boost::json::object>& products) {
  if (products.empty()) return false;
  // The rules' choice of product and of its first offer.
  const bj::object* product = &products.front();
  for (const bj::object& p : products) {
    if (json::truthy(p.if_contains("offers")) || json::truthy(p.if_contains("sku")) ||
        json::truthy(p.if_contains("hasVariant"))) {
      product = &p;
      break;
    }
  }
  std::vector<const bj::object*> offers;
  offer_objects(product->if_contains("offers"), 0, offers);
  // Variants published as sibling nodes of the same name add their offers.
  const auto name = text_of(get(*product, "name"));
  if (name && !text::is_blank(*name))
    for (const bj::object& p : products)
      if (&p != product && text_of(get(p, "name")) == name) offer_objects(p.if_contains("offers"), 0, offers);
  if (offers.size() < 2) return false;
  const auto first = text_of(get(*offers.front(), "availability"));
  if (!first || stock_from_term(*first) != StockStatus::OUT_OF_STOCK) return false;
  return std::any_of(offers.begin() + 1, offers.end(), [](const bj::object* o) {
    const auto t = text_of(get(*o, "availability"));
    return t && stock_from_term(*t) == StockStatus::IN_STOCK;
  });
}

}  // namespace tarvik::commerce::extended
