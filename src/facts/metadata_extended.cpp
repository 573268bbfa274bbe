// The extended page-facts mode: the page-kind gate, the precedence of the
// fallbacks within each field, and the three overrides. Every reader is run
// only when the field it serves is still empty when its turn comes, and the
// HTML5 tree is built only when a tree-based reader is needed and the gate
// can pass.

#include "facts/metadata_extended.hpp"

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <utility>

#include "facts/metadata_dom.hpp"
#include "facts/metadata_extended_tree.hpp"
#include "facts/metadata_lexicons.hpp"
#include "facts/metadata_scan.hpp"
#include "tarvik/prices/normalizer.hpp"
#include "tarvik/util/text.hpp"

namespace tarvik::commerce::extended {

using models::PageType;
using models::StockStatus;

namespace {

constexpr std::size_t npos = std::string_view::npos;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string ascii_lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return out;
}

std::vector<std::pair<std::string_view, std::string_view>> query_pairs(std::string_view query) {
  std::vector<std::pair<std::string_view, std::string_view>> pairs;
  for (std::size_t i = 0; i < query.size();) {
    std::size_t amp = query.find('&', i);
    if (amp == std::string_view::npos) amp = query.size();
    const std::string_view pair = query.substr(i, amp - i);
    i = amp + 1;
    if (const std::size_t eq = pair.find('='); eq != std::string_view::npos)
      pairs.emplace_back(pair.substr(0, eq), pair.substr(eq + 1));
  }
  return pairs;
}

std::optional<Price> price_from_text(std::string_view text, std::string_view hint) {
  text = text::trim(text);
  if (text.empty() || text.size() > 200) return std::nullopt;
  // A minus sign before the number: the normaliser reads the digits alone.
  const std::size_t first_digit = text.find_first_of("0123456789");
  if (first_digit != npos) {
    const std::string_view lead = text.substr(0, first_digit);
    if (lead.find('-') != npos || lead.find("\xE2\x88\x92") != npos) return std::nullopt;
  }
  const auto parsed =
      PriceNormalizer::parse(text, hint.empty() ? std::nullopt : std::optional<std::string_view>(hint));
  if (!parsed || !(parsed->amount() > 0) || !std::isfinite(parsed->amount())) return std::nullopt;
  Price p{parsed->amount(), {}};
  const auto m = PriceNormalizer::_match(text);
  if (m && (!m->before.empty() || !m->after.empty()))
    p.currency = parsed->currency();
  else if (!hint.empty())
    p.currency = text::to_upper(hint);
  return p;
}

std::optional<StockStatus> stock_from_term(std::string_view term) {
  std::string_view t = text::trim(term);
  if (t.size() > 200) return std::nullopt;
  if (const std::size_t cut = t.find_last_of("/:#"); cut != npos && cut + 1 < t.size())
    t.remove_prefix(cut + 1);
  std::string k;
  for (const char c : t)
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) k.push_back(static_cast<char>(c | 0x20));
  if (k == "instock" || k == "limitedavailability" || k == "onlineonly" || k == "instoreonly" ||
      k == "available" || k == "availablefororder")
    return StockStatus::IN_STOCK;
  if (k == "outofstock" || k == "soldout" || k == "oos" || k == "discontinued" || k == "unavailable")
    return StockStatus::OUT_OF_STOCK;
  if (k == "preorder" || k == "presale") return StockStatus::PREORDER;
  return std::nullopt;
}

std::optional<std::string> identifier(std::string_view text) {
  text = text::trim(text);
  if (text.empty() || text.size() > 160 || text::length(text) > 40) return std::nullopt;
  bool alnum = false;
  int spaces = 0;
  for (const char c : text) {
    if (c == '<' || c == '>' || c == '{' || c == '}' || c == '"') return std::nullopt;
    if (c == ' ') ++spaces;
    if (is_digit(c) || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z')) alnum = true;
  }
  if (!alnum || spaces > 2) return std::nullopt;
  return std::string(text);
}

std::optional<std::string> structured_identifier(std::string_view text) {
  // At most two spaces and a digit: a run of three words ("Blue Desk Lamp")
  // cannot pass.
  auto id = identifier(text);
  if (!id || std::none_of(id->begin(), id->end(), is_digit)) return std::nullopt;
  return id;
}

bool is_gtin(std::string_view id) {
  if ((id.size() != 13 && id.size() != 14) || !std::all_of(id.begin(), id.end(), is_digit)) return false;
  // Weights 3 and 1 alternate from the digit next to the check digit.
  int sum = 0;
  for (std::size_t k = 0; k + 1 < id.size(); ++k) {
    const int d = id[id.size() - 2 - k] - '0';
    sum += (k % 2 == 0) ? 3 * d : d;
  }
  return (10 - sum % 10) % 10 == id.back() - '0';
}

void file_identifier(Reading& r, std::optional<std::string> id) {
  if (!id) return;
  std::optional<std::string>& slot = is_gtin(*id) ? r.gtin : r.sku;
  if (!slot) slot = std::move(id);
}

namespace {

const std::string* meta_get(const MetaTags& meta, std::string_view key) {
  const auto it = meta.find(std::string(key));
  return it == meta.end() ? nullptr : &it->second;
}

// Path segments, lower case.
std::vector<std::string> segments(std::string_view path) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i <= path.size();) {
    std::size_t slash = path.find('/', i);
    if (slash == npos) slash = path.size();
    if (slash > i) out.push_back(ascii_lower(path.substr(i, slash - i)));
    i = slash + 1;
  }
  return out;
}

bool listed(std::span<const std::string_view> list, std::string_view s) {
  return std::find(list.begin(), list.end(), s) != list.end();
}

// A search page: a search segment in the path, or a search key in the query.
bool search_url(const std::vector<std::string>& segs, std::string_view query) {
  for (const std::string& s : segs)
    if (listed(lexicon::SEARCH_PATH_SEGMENTS, s)) return true;
  for (const auto& [key, value] : query_pairs(query))
    if (!value.empty() && listed(lexicon::SEARCH_QUERY_KEYS, ascii_lower(key))) return true;
  return false;
}

// A forum thread, or a dated path (/2021/10/20/...) as news and blogs write them.
bool thread_or_dated(const std::vector<std::string>& segs) {
  for (std::size_t k = 0; k < segs.size(); ++k) {
    if (listed(lexicon::FORUM_PATH_SEGMENTS, segs[k])) return true;
    const std::string& s = segs[k];
    if (k + 1 < segs.size() && s.size() == 4 && std::all_of(s.begin(), s.end(), is_digit) &&
        (s.starts_with("19") || s.starts_with("20"))) {
      const std::string& m = segs[k + 1];
      if (m.size() == 2 && std::all_of(m.begin(), m.end(), is_digit) && m >= "01" && m <= "12") return true;
    }
  }
  return false;
}

bool contains_ci(std::string_view hay, std::string_view lower_needle) {
  return scan::find_ascii_ci(hay, lower_needle) != npos;
}

// Whether the rules would call the page an article by its address alone,
// whatever its og:type says.
bool article_address(const PageView& page) {
  const std::string path = ascii_lower(page.path);
  for (std::string_view p : ARTICLE_PATH_PATTERNS)
    if (path.find(p) != npos) return true;
  if (page.domain.find("medium.com") != npos) return true;
  for (std::string_view d : EDITORIAL_DOMAINS)
    if (page.domain.find(d) != npos) return true;
  return false;
}

struct Needs {
  bool price, sku, stock;
  bool any() const { return price || sku || stock; }
};

}  // namespace

Origins run(const PageView& page, Fields& fields, ExtractionMode mode) {
  Origins o;
  if (mode == ExtractionMode::OFF) return o;
  // A blank SKU is none: it blocks no fallback and is not kept.
  if (fields.sku && text::is_blank(*fields.sku)) {
    fields.sku.reset();
    if (fields.rules_sku) o.sku = BLANK_SKU;
    fields.rules_sku = false;
  }
  // Pages that are not about one product get nothing.
  if (page.rules_type == PageType::SOCIAL || page.rules_type == PageType::PORTFOLIO) return o;
  const auto segs = segments(page.path);
  if (search_url(segs, page.query) || thread_or_dated(segs)) return o;
  const std::string* og_type = meta_get(page.meta, "og:type");
  // Only the plain "article" type: "shop:article" is a site's own product type.
  const bool og_article = og_type && ascii_lower(text::trim(*og_type)) == "article";

  const bool overrides = mode == ExtractionMode::OVERRIDES;
  // A zero price from any of the rules' sources makes way for the fallbacks.
  const bool zero_price = overrides && fields.amount && *fields.amount == 0;
  Needs need{(!fields.amount && !fields.rules_price) || zero_price, !fields.sku && !fields.rules_sku,
             !fields.stock && !fields.rules_stock};
  if (!need.any() && !overrides) return o;

  const LdReading ld = read_ld_json(page.html);
  if (ld.article || ld.listing) return o;
  // The rules' "article" gives way only to a product node with an offer;
  // where only the og:type made it one, the og:type's refusal below decides.
  const bool og_mentions_article = og_type && contains_ci(*og_type, "article");
  if (page.rules_type == PageType::ARTICLE && !ld.offer && (!og_mentions_article || article_address(page)))
    return o;
  const Reading meta = read_meta_variants(page.meta);
  // Evidence that no refusal outweighs; weaker evidence that passes the gate
  // of a page nothing refuses.
  const bool strong = page.rules_type == PageType::PRODUCT || page.rules_type == PageType::MARKETPLACE || ld.offer;
  const bool weak = ld.product || (og_type && contains_ci(*og_type, "product")) || meta.price.has_value();

  // The tree: to settle the gate, or for a field that the raw sources cannot
  // settle in their turn (microdata comes between JSON-LD and the meta tags;
  // the URL identifier and the labelled code come before a SKU of the
  // tolerant JSON-LD reader).
  const std::string_view html = page.html;
  const bool microdata_possible =
      contains_ci(html, "itemprop") || contains_ci(html, "typeof") || contains_ci(html, "vocab=");
  bool tree_needed = !strong && (!weak || og_article);
  if (need.price && !ld.facts.price && (microdata_possible || !meta.price)) tree_needed = true;
  if (need.sku && (microdata_possible || !meta.sku)) tree_needed = true;
  if (need.stock && !ld.facts.stock && (microdata_possible || !meta.stock)) tree_needed = true;
  if (!strong && !weak) {
    // Without evidence so far only a product item, one to three buy
    // controls, or an identifier of the URL shown with a price can give it; a
    // page whose source shows none of them is not parsed.
    const bool product_item = contains_ci(html, "schema.org/product") ||
                              contains_ci(html, "schema:product") || contains_ci(html, "typeof=\"product");
    const int controls = count_buy_controls_in_source(html, 3);
    if (!product_item && (controls == 0 || controls > 3) && !url_identifier_possible(html, page.path, page.query))
      return o;
  }

  std::optional<Tree> tree;
  Reading micro;
  BuyControls buy;
  std::optional<std::string> url_id;
  std::optional<Price> visible;
  if (tree_needed) {
    auto doc = dom::Document::parse(html);
    if (!doc) return o;  // past the limits: the mode gives up on this page
    std::string_view hint;
    if (const std::string* l = meta_get(page.meta, "og:locale"))
      hint = *l;
    else if (const std::string* l2 = meta_get(page.meta, "language"))
      hint = *l2;
    tree.emplace(std::move(*doc), hint);
    buy = read_buy_controls(*tree);
    const int scopes = top_level_product_scopes(*tree);
    bool many = false;
    // The URL's identifier shown with a price next to the heading: the page
    // names one product and what it costs.
    if (!strong || need.sku) url_id = read_url_identifier(*tree, page.path, page.query);
    if (!strong || need.price) visible = read_visible_price(*tree, many);
    const bool shown = strong || (url_id && visible);
    const bool counted = (scopes >= 1 && scopes <= 3) || (buy.enabled >= 1 && buy.enabled <= 3);
    // A list of products: many buy controls or many product items.
    if ((buy.enabled > 3 || scopes > 3) && !shown) return o;
    if (og_article && !shown && !counted) return o;
    if (!shown && !counted && !weak) return o;
    if (microdata_possible) micro = read_microdata(*tree);
  }

  // Fills, each field in its precedence. From here on the page counts as a
  // product page.
  o.product_page = true;
  if (zero_price) {
    fields.amount.reset();
    o.price = ZERO_PRICE;
  }
  auto fill_price = [&](const std::optional<Price>& p, std::string_view feature) {
    if (!need.price || !p) return;
    fields.amount = p->amount;
    if (!p->currency.empty()) fields.currency = p->currency;
    o.price = feature;
    need.price = false;
  };
  // GTINs wait until every other SKU source has had its turn.
  std::optional<std::pair<std::string, std::string_view>> gtin;
  auto fill_sku = [&](const std::optional<std::string>& s, std::string_view feature) {
    if (!need.sku || !s) return;
    if (is_gtin(*s)) {
      if (!gtin) gtin.emplace(*s, feature);
      return;
    }
    fields.sku = *s;
    o.sku = feature;
    need.sku = false;
  };
  auto fill_stock = [&](const std::optional<StockStatus>& s, std::string_view feature) {
    if (!need.stock || !s) return;
    fields.stock = *s;
    o.stock = feature;
    need.stock = false;
  };
  const std::pair<const Reading*, std::string_view> structured[] = {
      {&ld.facts, LD_JSON}, {&micro, MICRODATA}, {&meta, META}};
  for (const auto& [r, feature] : structured) {
    fill_price(r->price, feature);
    fill_stock(r->stock, feature);
  }
  fill_sku(micro.sku, MICRODATA);
  fill_sku(meta.sku, META);
  if (tree) {
    fill_sku(url_id, URL_ID);
    if (need.stock) {
      if (buy.enabled > 0 && !buy.out_of_stock)
        fill_stock(StockStatus::IN_STOCK, BUY_CONTROL);
      else if (buy.enabled == 0 && buy.out_of_stock)
        fill_stock(StockStatus::OUT_OF_STOCK, BUY_CONTROL);
    }
    fill_price(visible, VISIBLE_PRICE);
    if (need.sku) fill_sku(read_sku_label(*tree), SKU_LABEL);
  }
  fill_sku(ld.facts.sku, LD_JSON);
  for (const auto& [r, feature] : structured) fill_sku(r->gtin, feature);
  if (need.sku && gtin) {
    fields.sku = gtin->first;
    o.sku = gtin->second;
    need.sku = false;
  }

  if (overrides) {
    if (fields.stock == StockStatus::OUT_OF_STOCK && o.stock.empty() &&
        other_offer_in_stock(page.ld_products)) {
      fields.stock = StockStatus::IN_STOCK;
      o.stock = OFFER_STOCK;
    }
    if (const std::string* sale = meta_get(page.meta, "product:sale_price:amount"); sale && fields.amount) {
      const std::string* c = meta_get(page.meta, "product:sale_price:currency");
      std::string code = c != nullptr ? text::to_upper(text::trim(*c)) : std::string();
      if (code.size() != 3) code.clear();
      const auto p = price_from_text(*sale, code);
      const bool same_currency = !p || p->currency.empty() || !fields.currency || fields.currency->empty() ||
                                 *fields.currency == p->currency;
      if (p && same_currency && p->amount < *fields.amount) {
        fields.amount = p->amount;
        if (!p->currency.empty()) fields.currency = p->currency;
        o.price = SALE_PRICE;
      }
    }
  }
  return o;
}

// A fact the mode did not set itself follows from one it did: the page type
// and the inferred stock of a page that now has a price, or a product path
// with a SKU.
std::vector<std::pair<std::string, std::string>> sources(const Decided& rules, const PageFacts& facts,
                                                         const Origins& o) {
  const std::string_view cause = !o.price.empty() ? o.price : !o.sku.empty() ? o.sku : o.stock;
  std::vector<std::pair<std::string, std::string>> out;
  auto note = [&](bool differs, std::string_view key, std::string_view feature) {
    if (differs) out.emplace_back(std::string(key), std::string(feature.empty() ? cause : feature));
  };
  note(rules.brand != facts.brand, "brand", {});
  note(rules.sku != facts.sku, "sku", o.sku);
  note(rules.price != facts.price, "price", o.price);
  note(rules.stock_status != facts.stock_status, "stock_status", !o.stock.empty() ? o.stock : o.price);
  note(rules.condition != facts.condition, "condition", {});
  note(rules.page_type != facts.page_type, "page_type", {});
  note(rules.match_score != facts.match_score, "match_score", {});
  return out;
}

}  // namespace tarvik::commerce::extended
