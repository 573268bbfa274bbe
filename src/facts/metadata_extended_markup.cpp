// Machine-readable markup the rules' patterns miss: microdata and RDFa
// properties read on the tree (so nesting, item scopes and struck prices are
// known), meta tag variants, and an identifier in the URL that the page
// confirms.

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "facts/metadata_extended.hpp"
#include "facts/metadata_extended_tree.hpp"
#include "facts/metadata_scan.hpp"
#include "tarvik/util/text.hpp"

namespace tarvik::commerce::extended {
namespace {

using dom::NONE;
using dom::Tag;
constexpr std::size_t npos = std::string_view::npos;

// Identifier candidates of a URL tried at most, the last path tokens first.
constexpr std::size_t MAX_URL_TOKENS = 12;

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_alnum(char c) { return is_digit(c) || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z'); }

bool iequal(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return (x | 0x20) == (y | 0x20); });
}

// ---------------------------------------------------------------------------
// Microdata and RDFa.

constexpr std::string_view PRODUCT_TYPES[] = {
    "Product", "ProductGroup", "IndividualProduct", "ProductModel", "SomeProducts", "Vehicle", "Car", "Book"};
constexpr std::string_view OFFER_TYPES[] = {"Offer", "AggregateOffer"};

bool is_product_scope(const Tree& t, std::uint32_t scope) { return t.scope_is(scope, PRODUCT_TYPES); }

// The nearest product scope that holds the element's property, or NONE.
std::uint32_t product_of(const Tree& t, std::uint32_t i) {
  std::uint32_t s = t.owner_scope(i);
  for (int hops = 0; s != NONE && hops < 64; ++hops) {
    if (is_product_scope(t, s)) return s;
    s = t.owner_scope(s);
  }
  return NONE;
}

// Whether the element carries property `name` as microdata (itemprop, a
// name or an IRI) or RDFa (property, bare or "schema:").
bool has_property(const Tree& t, std::uint32_t i, std::string_view name) {
  for (const dom::Attr& a : t.attrs(i)) {
    const bool itemprop = a.name == "itemprop";
    if (!itemprop && a.name != "property") continue;
    std::size_t k = 0;
    const std::string_view v = a.value;
    while (k < v.size()) {
      while (k < v.size() && v[k] == ' ') ++k;
      std::size_t e = k;
      while (e < v.size() && v[e] != ' ') ++e;
      std::string_view token = v.substr(k, e - k);
      k = e;
      if (token.starts_with("schema:")) {
        token.remove_prefix(7);
      } else if (token.find("schema.org/") != npos) {
        token.remove_prefix(token.rfind('/') + 1);
      } else if (!itemprop && token.find(':') != npos) {
        continue;  // another vocabulary's property ("og:price:amount")
      }
      if (iequal(token, name)) return true;
    }
  }
  return false;
}

struct PropValue {
  std::string text;
  bool from_markup_text = false;  // taken from the element's text, not an attribute
};

std::optional<PropValue> property_value(const Tree& t, std::uint32_t i) {
  for (std::string_view a : {"content", "value"})
    if (const auto v = t.attr(i, a)) return PropValue{std::string(text::trim(*v)), false};
  if (t.tag(i) == Tag::A || t.tag(i) == Tag::LINK)
    if (const auto v = t.attr(i, "href")) return PropValue{std::string(text::trim(*v)), false};
  if (auto s = t.text(i, 400)) return PropValue{std::move(*s), true};
  return std::nullopt;
}

// Skips a leading "SKU:" label.
std::string_view without_sku_label(std::string_view v) {
  v = text::trim(v);
  if (v.size() > 3 && iequal(v.substr(0, 3), "sku")) {
    std::string_view rest = text::trim_left(v.substr(3));
    if (!rest.empty() && (rest.front() == ':' || rest.front() == '#')) return text::trim_left(rest.substr(1));
  }
  return v;
}

}  // namespace

int top_level_product_scopes(const Tree& t) {
  int count = 0;
  for (std::uint32_t i = 0; i < t.size(); ++i)
    if (t.is_element(i) && t.scope(i) == i && is_product_scope(t, i) && !t.has(i, OTHER_PRODUCTS) &&
        !t.has(i, HIDDEN) && product_of(t, i) == NONE)
      ++count;
  return count;
}

Reading read_microdata(const Tree& t) {
  Reading r;
  std::uint32_t main = NONE;
  for (std::uint32_t i = 0; i < t.size() && main == NONE; ++i)
    if (t.is_element(i) && t.scope(i) == i && is_product_scope(t, i) && !t.has(i, OTHER_PRODUCTS) &&
        !t.has(i, HIDDEN))
      main = i;

  // A property counts when it belongs to the main product (directly or
  // through its offers), or to no product at all.
  auto ours = [&](std::uint32_t i) {
    const std::uint32_t p = product_of(t, i);
    return p == main || p == NONE;
  };

  // The first currency of each scope (NONE: outside every scope), and of
  // the main product as a whole.
  std::unordered_map<std::uint32_t, std::string> currencies;
  for (std::uint32_t i = 0; i < t.size(); ++i) {
    if (!t.is_element(i) || !has_property(t, i, "priceCurrency")) continue;
    const auto v = property_value(t, i);
    std::string code = v ? text::to_upper(text::trim(v->text)) : std::string();
    if (code.size() != 3) continue;
    currencies.try_emplace(t.owner_scope(i), code);
    if (main != NONE && product_of(t, i) == main) currencies.try_emplace(main, code);
  }

  std::optional<Price> preferred, other;
  std::optional<std::string> sku_by_key[8];
  constexpr std::array<std::string_view, 8> SKU_KEYS = {"sku",    "productID", "mpn",    "gtin13",
                                                        "gtin12", "gtin8",     "gtin14", "gtin"};
  for (std::uint32_t i = 0; i < t.size(); ++i) {
    if (!t.is_element(i) || t.has(i, OTHER_PRODUCTS)) continue;
    if (t.attr(i, "itemprop") == std::nullopt && t.attr(i, "property") == std::nullopt) continue;
    if (!ours(i)) continue;

    if (!preferred && (has_property(t, i, "price") || has_property(t, i, "lowPrice"))) {
      if (t.has(i, STRUCK) || t.has(i, OLD_PRICE)) continue;
      const auto v = property_value(t, i);
      if (!v || (v->from_markup_text && t.has(i, HIDDEN))) continue;
      // The currency of the same offer, else the product's first.
      std::string currency;
      const std::uint32_t owner = t.owner_scope(i);
      if (const auto it = currencies.find(owner); it != currencies.end())
        currency = it->second;
      else if (const auto m = currencies.find(main); m != currencies.end())
        currency = m->second;
      auto price = price_from_text(v->text, currency);
      if (!price) continue;
      if (price->currency.empty())
        if (const auto c = currency_in_text(v->text, "")) price->currency = *c;
      const bool in_offer_of_main =
          owner == main || (owner != NONE && t.scope_is(owner, OFFER_TYPES) && product_of(t, owner) == main);
      if (in_offer_of_main && main != NONE)
        preferred = price;
      else if (!other)
        other = price;
      continue;
    }
    for (std::size_t k = 0; k < SKU_KEYS.size(); ++k) {
      if (sku_by_key[k] || !has_property(t, i, SKU_KEYS[k])) continue;
      const auto v = property_value(t, i);
      if (!v || (v->from_markup_text && t.has(i, HIDDEN))) continue;
      sku_by_key[k] = structured_identifier(without_sku_label(v->text));
    }
    if (!r.stock && has_property(t, i, "availability"))
      if (const auto v = property_value(t, i)) r.stock = stock_from_term(v->text);
  }
  r.price = preferred ? preferred : other;
  for (auto& s : sku_by_key) file_identifier(r, std::move(s));
  return r;
}

// ---------------------------------------------------------------------------
// Meta tags.

namespace {

const std::string* meta_get(const MetaTags& meta, std::string_view key) {
  const auto it = meta.find(std::string(key));
  return it == meta.end() ? nullptr : &it->second;
}

bool names_price(std::string_view label) {
  const std::string l = folded(label);
  if (l == "price") return true;
  for (const lexicon::Language& lang : lexicon::languages())
    for (std::string_view p : lang.price_classes)
      if (l == p) return true;
  return l == "preço" || l == "価格" || l == "价格" || l == "價格";
}

}  // namespace

Reading read_meta_variants(const MetaTags& meta) {
  Reading r;
  static constexpr std::pair<std::string_view, std::string_view> PRICE_KEYS[] = {
      {"og:price:amount", "og:price:currency"},
      {"og:price", "og:price:currency"},
      {"product:price", "product:price:currency"},
      {"price", "pricecurrency"},
      {"price", "currency"},
  };
  for (const auto& [amount_key, currency_key] : PRICE_KEYS) {
    const std::string* a = meta_get(meta, amount_key);
    if (a == nullptr) continue;
    const std::string* c = meta_get(meta, currency_key);
    std::string code = c != nullptr ? text::to_upper(text::trim(*c)) : std::string();
    if (code.size() != 3) code.clear();
    if ((r.price = price_from_text(*a, code))) break;
  }
  for (int n = 1; !r.price && n <= 8; ++n) {
    const std::string* label = meta_get(meta, "twitter:label" + std::to_string(n));
    const std::string* data = meta_get(meta, "twitter:data" + std::to_string(n));
    if (label != nullptr && data != nullptr && names_price(*label)) {
      r.price = price_from_text(*data);
      if (r.price && r.price->currency.empty())
        if (const auto c = currency_in_text(*data, "")) r.price->currency = *c;
    }
  }
  for (std::string_view key : {"product:retailer_item_id", "sku", "gtin13"})
    if (const std::string* v = meta_get(meta, key)) file_identifier(r, structured_identifier(*v));
  for (std::string_view key :
       {"product:availability", "og:availability", "availability", "og:product:availability"})
    if (const std::string* v = meta_get(meta, key))
      if ((r.stock = stock_from_term(*v))) break;
  return r;
}

// ---------------------------------------------------------------------------
// Identifier in the URL.

namespace {

// Lower case, "data-" and every non-alphanumeric dropped.
std::string key_form(std::string_view name) {
  if (name.size() > 5 && iequal(name.substr(0, 5), "data-")) name.remove_prefix(5);
  std::string out;
  for (const char c : name)
    if (is_alnum(c)) out.push_back(static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c));
  return out;
}

bool id_key(std::string_view name) {
  const std::string k = key_form(name);
  return std::find(lexicon::ID_KEYS.begin(), lexicon::ID_KEYS.end(), k) != lexicon::ID_KEYS.end();
}

// A year on its own ("summer2023") or a date ("20230512") is no identifier.
bool year_like(std::string_view t) {
  std::vector<std::string_view> runs;
  for (std::size_t i = 0; i < t.size();) {
    if (!is_digit(t[i])) {
      ++i;
      continue;
    }
    std::size_t j = i;
    while (j < t.size() && is_digit(t[j])) ++j;
    runs.push_back(t.substr(i, j - i));
    i = j;
  }
  auto is_year = [](std::string_view d) {
    return d.size() == 4 && (d.starts_with("19") || d.starts_with("20"));
  };
  if (runs.size() == 1 && is_year(runs[0])) return true;
  if (runs.size() == 1 && runs[0].size() == t.size() && (t.size() == 6 || t.size() == 8) &&
      is_year(t.substr(0, 4))) {
    const int month = (t[4] - '0') * 10 + (t[5] - '0');
    return month >= 1 && month <= 12;
  }
  return false;
}

bool candidate_token(std::string_view t) {
  if (t.size() < 5 || t.size() > 26) return false;
  if (!std::all_of(t.begin(), t.end(), is_alnum)) return false;
  return std::count_if(t.begin(), t.end(), is_digit) >= 3 && !year_like(t);
}

void add_tokens(std::string_view s, std::vector<std::string>& out, bool from_end) {
  std::vector<std::string_view> tokens;
  for (std::size_t i = 0; i < s.size();) {
    if (!is_alnum(s[i])) {
      ++i;
      continue;
    }
    std::size_t j = i;
    while (j < s.size() && is_alnum(s[j])) ++j;
    tokens.push_back(s.substr(i, j - i));
    i = j;
  }
  if (from_end) std::reverse(tokens.begin(), tokens.end());
  for (std::string_view t : tokens) {
    if (out.size() >= MAX_URL_TOKENS) return;
    if (candidate_token(t)) out.emplace_back(t);
    if (t.size() > 1 && !is_digit(t[0]) && candidate_token(t.substr(1))) out.emplace_back(t.substr(1));
    // "lamp2000x98765432": the digit runs of a letter and digit token, last first.
    if (std::all_of(t.begin(), t.end(), is_digit)) continue;
    for (std::size_t end = t.size(); end > 0;) {
      if (!is_digit(t[end - 1])) {
        --end;
        continue;
      }
      std::size_t begin = end;
      while (begin > 0 && is_digit(t[begin - 1])) --begin;
      const std::string_view run = t.substr(begin, end - begin);
      if (candidate_token(run) && std::find(out.begin(), out.end(), run) == out.end()) {
        if (out.size() >= MAX_URL_TOKENS) return;
        out.emplace_back(run);
      }
      end = begin;
    }
  }
}

// A data attribute that names an identifier: "data-product-id", "data-sku",
// "data-pid", "data-item-code".
bool id_data_attribute(std::string_view name) {
  if (name.size() <= 5 || !iequal(name.substr(0, 5), "data-")) return false;
  const std::string k = key_form(name);
  return k.find("id") != npos || k.find("sku") != npos || k.find("pid") != npos || k.find("code") != npos;
}

// Whether `token` stands in a script as the value of an id-named key:
// `"sku": "TOKEN"`, `productId = 'TOKEN'`, `"pid":TOKEN`.
bool keyed_in_script(std::string_view script, std::string_view token) {
  for (std::size_t at = script.find(token); at != npos; at = script.find(token, at + 1)) {
    const std::size_t end = at + token.size();
    if ((at > 0 && is_alnum(script[at - 1])) || (end < script.size() && is_alnum(script[end]))) continue;
    std::size_t k = at;
    auto skip_back = [&](auto pred) {
      while (k > 0 && pred(script[k - 1])) --k;
    };
    skip_back([](char c) { return c == '"' || c == '\'' || c == ' '; });
    if (k == 0 || (script[k - 1] != ':' && script[k - 1] != '=')) continue;
    --k;
    skip_back([](char c) { return c == '"' || c == '\'' || c == ' ' || c == '\\'; });
    const std::size_t key_end = k;
    skip_back([](char c) { return is_alnum(c) || c == '_' || c == '-'; });
    if (k < key_end && id_key(script.substr(k, key_end - k))) return true;
  }
  return false;
}

}  // namespace

namespace {

bool scan_ci(std::string_view hay, std::string_view lower) { return scan::find_ascii_ci(hay, lower) != npos; }

// Tokens of the URL that could be an identifier, in the order they are tried.
std::vector<std::string> url_tokens(std::string_view path, std::string_view query) {
  std::vector<std::string> tokens;
  add_tokens(path, tokens, true);
  for (const auto& [key, value] : query_pairs(query)) {
    const std::string k = key_form(key);
    if (id_key(key) || k == "id" || k == "item" || k == "product" || k == "variant") add_tokens(value, tokens, false);
  }
  if (tokens.size() > MAX_URL_TOKENS) tokens.resize(MAX_URL_TOKENS);
  return tokens;
}

}  // namespace

bool url_identifier_possible(std::string_view html, std::string_view path, std::string_view query) {
  for (const std::string& token : url_tokens(path, query))
    if (scan_ci(html, ascii_lower(token))) return true;
  return false;
}

std::optional<std::string> read_url_identifier(const Tree& t, std::string_view path, std::string_view query) {
  const std::vector<std::string> tokens = url_tokens(path, query);
  if (tokens.empty()) return std::nullopt;

  // Values the page gives under an id-named attribute, and inline scripts.
  std::vector<std::string_view> values, scripts;
  for (std::uint32_t i = 0; i < t.size(); ++i) {
    if (!t.is_element(i)) continue;
    if (t.tag(i) == Tag::SCRIPT) {
      if (!t.attr(i, "src"))
        for (std::uint32_t j = i + 1; j < t.node(i).end; ++j)
          if (t.tag(j) == Tag::TEXT) scripts.push_back(t.node(j).text);
      continue;
    }
    const bool hidden_input =
        t.tag(i) == Tag::INPUT && t.attr(i, "type") && iequal(text::trim(*t.attr(i, "type")), "hidden");
    for (const dom::Attr& a : t.attrs(i)) {
      if (id_key(a.name) || id_data_attribute(a.name)) values.push_back(text::trim(a.value));
    }
    if (hidden_input) {
      const auto name = t.attr(i, "name");
      const auto value = t.attr(i, "value");
      if (name && value) {
        const std::string k = key_form(*name);
        if (id_key(*name) || k == "id" || k == "product" || k == "item") values.push_back(text::trim(*value));
      }
    }
  }
  for (const std::string& token : tokens) {
    for (std::string_view v : values)
      if (iequal(v, token)) return std::string(v);
    for (std::string_view s : scripts)
      if (keyed_in_script(s, token)) return token;
  }
  return std::nullopt;
}

}  // namespace tarvik::commerce::extended
