// The page as the tree-based readers of the extended mode see it: the HTML5
// tree with what each node inherits from its ancestors (hidden, struck
// through, inside a link or an option, among other products, inside a former
// price), the item scopes of microdata and RDFa, the page's language and its
// main heading.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "facts/metadata_dom.hpp"
#include "facts/metadata_lexicons.hpp"

namespace tarvik::commerce::extended {

enum NodeFlag : std::uint8_t {
  HIDDEN = 1,  // not shown: hidden attribute or class, display:none, script, template...
  STRUCK = 2,  // del, s, strike or line-through
  IN_LINK = 4,
  IN_OPTION = 8,        // inside an option or a select
  OTHER_PRODUCTS = 16,  // inside a related, recommended, carousel or sponsored container
  OLD_PRICE = 32,       // inside a container named for a former, list or unit price
};

// What a class or id value says.
enum ClassSign : std::uint8_t {
  NAMES_PRICE = 1,    // a word names a price ("price", "preis", "product-price")
  NOT_THE_PRICE = 2,  // a word marks another price than the one to pay (old, list, unit, save...)
  OLD_CONTAINER = 4,  // as NOT_THE_PRICE, strong enough to mark every price inside
  CURRENT = 8,        // a word marks the price to pay now (sale, current, our...)
  OTHER_ITEMS = 16,   // related, recommended, carousel, sponsored
  HIDDEN_CLASS = 32,
};
std::uint8_t class_signs(std::string_view value);

// Splits a class or id value into lower-case ASCII words: at whitespace and
// punctuation, at lower-to-upper case changes and at letter-digit changes.
template <class Fn>
void for_each_word(std::string_view value, Fn fn) {
  std::string word;
  auto flush = [&] {
    if (!word.empty()) fn(std::string_view(word));
    word.clear();
  };
  char prev = 0;
  for (const char c : value) {
    const bool upper = c >= 'A' && c <= 'Z', lower = c >= 'a' && c <= 'z', digit = c >= '0' && c <= '9';
    if (!upper && !lower && !digit) {
      flush();
    } else {
      const bool prev_lower = prev >= 'a' && prev <= 'z', prev_digit = prev >= '0' && prev <= '9';
      if ((upper && prev_lower) || (digit != prev_digit && !word.empty())) flush();
      word.push_back(upper ? static_cast<char>(c + 32) : c);
    }
    prev = c;
  }
  flush();
}

class Tree {
 public:
  Tree(dom::Document doc, std::string_view language_hint);

  std::uint32_t size() const { return static_cast<std::uint32_t>(doc_.nodes().size()); }
  const dom::Node& node(std::uint32_t i) const { return doc_.nodes()[i]; }
  dom::Tag tag(std::uint32_t i) const { return node(i).tag; }
  bool is_element(std::uint32_t i) const { return tag(i) != dom::Tag::TEXT; }
  bool has(std::uint32_t i, NodeFlag f) const { return (flags_[i] & f) != 0; }
  std::optional<std::string_view> attr(std::uint32_t i, std::string_view name) const {
    return doc_.attr(i, name);
  }
  std::span<const dom::Attr> attrs(std::uint32_t i) const { return doc_.attrs(i); }
  // Signs of the element's class and id together.
  std::uint8_t signs(std::uint32_t i) const { return signs_[i]; }

  // The nearest item scope (itemscope or typeof) that holds the element's
  // own property: the nearest scope above it. dom::NONE when there is none.
  std::uint32_t owner_scope(std::uint32_t i) const {
    const std::uint32_t p = node(i).parent;
    return p == dom::NONE ? dom::NONE : scope_[p];
  }
  // The nearest scope at or above the element.
  std::uint32_t scope(std::uint32_t i) const { return scope_[i]; }
  // Whether a scope's type (itemtype or typeof) names one of `types`.
  bool scope_is(std::uint32_t scope, std::span<const std::string_view> types) const;

  // The shown text of the subtree, whitespace collapsed; none when it is
  // longer than `max_bytes`.
  std::optional<std::string> text(std::uint32_t i, std::size_t max_bytes) const;
  // The same for the element's own text nodes only.
  std::optional<std::string> own_text(std::uint32_t i, std::size_t max_bytes) const;

  // The page's language lists (html lang, else the hint), or nullptr.
  const lexicon::Language* language() const { return language_; }
  // The first h1, or dom::NONE.
  std::uint32_t first_h1() const { return first_h1_; }

 private:
  dom::Document doc_;
  std::vector<std::uint8_t> flags_;
  std::vector<std::uint8_t> signs_;
  std::vector<std::uint32_t> scope_;
  const lexicon::Language* language_ = nullptr;
  std::uint32_t first_h1_ = dom::NONE;
};

// Lower-cases and collapses whitespace (full Unicode lower-casing).
std::string folded(std::string_view text);
// Whether `hay` holds `phrase` starting and ending at word edges (an edge is
// the text's end or a character that is not a letter or digit; phrases of
// CJK text match anywhere).
bool has_phrase(std::string_view hay, std::string_view phrase);

}  // namespace tarvik::commerce::extended
