// Word lists of the extended page-facts mode: what shops write on their buy
// buttons, stock notices, SKU labels and price markup, per language, and the
// language-independent lists the page signals are read with. Data only.
#pragma once

#include <span>
#include <string_view>

namespace tarvik::commerce::lexicon {

// One language. Phrases are lower case (full Unicode lower-casing) with single
// spaces; class words are lower-case ASCII.
struct Language {
  std::string_view code;  // ISO 639-1
  // Texts of an enabled control that puts the item in the cart.
  std::span<const std::string_view> add_to_cart;
  // Short notices that the item cannot be bought now.
  std::span<const std::string_view> out_of_stock;
  // Labels written before a SKU ("Item no.: 12345"), without the separator.
  std::span<const std::string_view> sku_labels;
  // Words of a class or id that names a price.
  std::span<const std::string_view> price_classes;
  // Words of a short price text that mark it as not the price to pay now:
  // "was", "from", "per", "a month" and their like.
  std::span<const std::string_view> price_text_rejects;
};

std::span<const Language> languages();
// The lists of a language code ("de", "pt-BR", "zh_TW": the primary subtag
// decides), or nullptr for a language without lists.
const Language* language(std::string_view code);

// Language-independent lists, lower-case ASCII.
// Class words of elements that are not shown.
extern const std::span<const std::string_view> HIDDEN_CLASS_WORDS;
// Class or id words of containers of other products than the page's own.
extern const std::span<const std::string_view> OTHER_PRODUCTS_WORDS;
// Class or id words that alone mark a price as a former or reference price.
extern const std::span<const std::string_view> OLD_PRICE_WORDS;
// Words that mark a price as not the price to pay when a price word is next
// to them in the same class or id ("list-price", "unit-price", "you-save").
extern const std::span<const std::string_view> SIDE_PRICE_WORDS;
// Class or id words of the price to pay now ("sale-price", "price--current").
extern const std::span<const std::string_view> CURRENT_PRICE_WORDS;
// Ids and names of buy controls, with every non-alphanumeric dropped.
extern const std::span<const std::string_view> BUY_CONTROL_IDS;
// Attribute and script key names that hold a product's identifier, lower
// case with "data-", "-" and "_" dropped.
extern const std::span<const std::string_view> ID_KEYS;
// URL path segments and query keys of search pages.
extern const std::span<const std::string_view> SEARCH_PATH_SEGMENTS;
extern const std::span<const std::string_view> SEARCH_QUERY_KEYS;
// Path segments of forum threads.
extern const std::span<const std::string_view> FORUM_PATH_SEGMENTS;

// A currency as written in a price text.
struct Currency {
  std::string_view token;  // as written; letters compared without case
  std::string_view code;   // ISO 4217; empty where the language decides
};
// Symbols and local abbreviations, longest first where one starts another.
extern const std::span<const Currency> CURRENCY_TOKENS;
// ISO 4217 codes recognised when written as such.
extern const std::span<const std::string_view> CURRENCY_CODES;

}  // namespace tarvik::commerce::lexicon
