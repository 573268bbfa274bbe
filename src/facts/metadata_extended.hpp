// The extended page-facts mode, as the metadata unit's files share it: the
// entry the rules call, and the readers of each kind of page evidence.
//
// The mode fills only the price, SKU and stock that the rules left none, each
// field from a fixed precedence of fallbacks; with overrides it may also
// change three values the rules produced. It reads nothing of a page that
// does not show it is a product page, reads search results and forum threads
// not at all, and an article only where product evidence outweighs it. A page
// it admits and fills is a product page.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <boost/json/object.hpp>

#include "tarvik/facts/metadata.hpp"
#include "tarvik/models/common.hpp"

namespace tarvik::commerce::extended {

// Feature names, as the "sources" object shows them.
inline constexpr std::string_view LD_JSON = "ld_json_tolerant";
inline constexpr std::string_view MICRODATA = "microdata";
inline constexpr std::string_view META = "meta_variants";
inline constexpr std::string_view URL_ID = "url_identifier";
inline constexpr std::string_view BUY_CONTROL = "buy_control";
inline constexpr std::string_view VISIBLE_PRICE = "visible_price";
inline constexpr std::string_view SKU_LABEL = "sku_label";
inline constexpr std::string_view ZERO_PRICE = "zero_price_override";
inline constexpr std::string_view OFFER_STOCK = "offer_stock_override";
inline constexpr std::string_view SALE_PRICE = "sale_price_override";
// A blank SKU of the rules that no fallback replaced: it counts as none.
inline constexpr std::string_view BLANK_SKU = "blank_sku";

// What the rules read of the page, for the mode to read further.
struct PageView {
  std::string_view html;
  std::string_view path;
  std::string_view query;
  std::string_view domain;
  const MetaTags& meta;
  const std::vector<boost::json::object>& ld_products;  // the rules' JSON-LD product list
  models::PageType rules_type;                          // what the rules make of the page
};

// The facts the mode may fill or change: the rules' working values, which
// the mode changes in place.
struct Fields {
  std::optional<double>& amount;
  std::optional<std::string>& currency;
  std::optional<std::string>& sku;
  std::optional<models::StockStatus>& stock;
  // Whether the rules' own facts end with a price, SKU or stock (a stock the
  // rules infer later, or a SKU they clear later, still counts as theirs).
  bool rules_price = false, rules_sku = false, rules_stock = false;
};

// The facts the rules' final steps decide, by the names of the page facts:
// what the sources compare.
struct Decided {
  std::optional<std::string> brand;
  std::optional<std::string> sku;
  std::optional<models::NormalizedPrice> price;
  std::optional<models::StockStatus> stock_status;
  std::optional<models::ItemCondition> condition;
  models::PageType page_type = models::PageType::UNCATEGORIZED;
  std::int64_t match_score = 0;
};

// The feature that filled or changed each field; empty where the mode did not.
struct Origins {
  std::string_view price, sku, stock;
  // The gate admitted the page: when the mode fills anything, the page is a
  // product page, whatever the rules made of it.
  bool product_page = false;
  bool filled() const { return !price.empty() || !sku.empty() || !stock.empty(); }
};

Origins run(const PageView& page, Fields& fields, ExtractionMode mode);

// The "sources" of the facts: every fact that differs from the rules' own,
// in the order of the facts, with the feature behind it.
std::vector<std::pair<std::string, std::string>> sources(const Decided& rules, const PageFacts& facts,
                                                         const Origins& origins);

// ---------------------------------------------------------------------------
// Shared by the readers.

// A price as one source gives it; an empty currency says nothing.
struct Price {
  double amount = 0;
  std::string currency;
};

// What one reader found; each field none where it found nothing. A SKU
// candidate that is a GTIN (13 or 14 digits, valid check digit) is kept
// apart: it ranks after every other SKU source.
struct Reading {
  std::optional<Price> price;
  std::optional<std::string> sku;
  std::optional<std::string> gtin;
  std::optional<models::StockStatus> stock;
};

// A price text read through the price normaliser: positive amounts only.
// The currency is the code in the text, else `hint`, else empty.
std::optional<Price> price_from_text(std::string_view text, std::string_view hint = {});
// Stock from a vocabulary term ("InStock", its IRI, "in stock", "oos").
std::optional<models::StockStatus> stock_from_term(std::string_view term);
// An identifier as shops write SKUs: 1 to 40 characters, a letter or digit,
// no markup, at most two spaces. Returns it trimmed, or none.
std::optional<std::string> identifier(std::string_view text);
// An identifier read from a structured sku, mpn, gtin or productID: it also
// holds a digit (so, with at most two spaces, no run of three words).
std::optional<std::string> structured_identifier(std::string_view text);
// Whether `id` is 13 or 14 digits with a valid GTIN check digit.
bool is_gtin(std::string_view id);
// Files a structured candidate under `sku`, or under `gtin` when it is one;
// the first of each kind stays.
void file_identifier(Reading& r, std::optional<std::string> id);
std::string ascii_lower(std::string_view s);
// The key=value pairs of a URL query, in order; pairs without "=" are left out.
std::vector<std::pair<std::string_view, std::string_view>> query_pairs(std::string_view query);

// The page kind as JSON-LD states it, read tolerantly.
struct LdReading {
  Reading facts;         // from the main product, else a standalone offer
  bool product = false;  // a product node exists
  bool offer = false;    // the main product node has an offer
  bool listing = false;  // search results, a collection or an item list, and no product
  bool article = false;  // an article, blog post, forum thread or news item
};
// Every JSON-LD block of the page, repaired where that is safe.
LdReading read_ld_json(std::string_view html);

// Whether the rules' chosen offer said out of stock while another offer of
// the same product says in stock. Sibling product nodes with the same name
// (size or colour variants published apart) count as one list of offers.
bool other_offer_in_stock(const std::vector<boost::json::object>& ld_products);

// Meta tags beyond the product tags the rules read.
Reading read_meta_variants(const MetaTags& meta);

class Tree;

// Microdata and RDFa properties of the main product.
Reading read_microdata(const Tree& tree);
// Shown product item scopes that are neither inside another product's scope
// nor among other products (related, recommended...).
int top_level_product_scopes(const Tree& tree);
// An identifier from the URL's path or id-named query values that the page
// repeats as an id-named attribute or script key.
std::optional<std::string> read_url_identifier(const Tree& tree, std::string_view path,
                                               std::string_view query);

// Whether a token of the URL that could be an identifier stands anywhere in
// the page's source: the tree-based reader above can only confirm it then.
bool url_identifier_possible(std::string_view html, std::string_view path, std::string_view query);

// Buy controls and stock notices of the page.
struct BuyControls {
  int enabled = 0;            // enabled add-to-cart controls
  bool out_of_stock = false;  // a short shown out-of-stock notice
};
BuyControls read_buy_controls(const Tree& tree);
// An upper bound of the enabled add-to-cart controls, read from the page's
// source without a tree (hidden ancestors are not known there), in every
// language. Stops counting past `enough`.
int count_buy_controls_in_source(std::string_view html, int enough);
// The price shown next to the main heading. `many` is set when so many
// different prices are shown there that no one of them can be trusted; the
// price is then kept only when its class names it the price to pay now in
// strong words ("current", "our", "buying").
std::optional<Price> read_visible_price(const Tree& tree, bool& many);
// A SKU written after a label ("Item no.: 12345") below the main heading.
std::optional<std::string> read_sku_label(const Tree& tree);
// The currency a price text names, by symbol or code, in the page's language.
std::optional<std::string> currency_in_text(std::string_view text, std::string_view language);

}  // namespace tarvik::commerce::extended
