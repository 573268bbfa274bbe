// What the page shows a shopper: its buy controls and stock notices, the
// price next to the main heading and a SKU written after a label. These carry
// the highest risk of a wrong answer, so every reader rejects what it cannot
// read unambiguously and the caller tries them after every structured source.

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "facts/metadata_extended.hpp"
#include "facts/metadata_extended_tree.hpp"
#include "facts/metadata_scan.hpp"
#include "tarvik/prices/normalizer.hpp"
#include "tarvik/util/text.hpp"

namespace tarvik::commerce::extended {
namespace {

using dom::NONE;
using dom::Tag;
constexpr std::size_t npos = std::string_view::npos;

// Elements after the main heading searched for its price.
constexpr std::uint32_t PRICE_WINDOW = 1500;
// ... and for a labelled SKU or a stock notice.
constexpr std::uint32_t LABEL_WINDOW = 5000;
constexpr std::size_t MAX_PRICE_CHARS = 40;
constexpr std::size_t MAX_NOTICE_BYTES = 80;
constexpr std::size_t MAX_CODE_CHARS = 30;
// More different prices than this next to the heading make a list of products.
constexpr std::size_t MAX_DISTINCT_PRICES = 6;
// Controls read from a page's source before giving up on it, and the bytes of
// a button's source read for its label.
constexpr int MAX_SOURCE_CONTROLS = 400;
constexpr std::size_t MAX_SOURCE_LABEL_BYTES = 600;

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_alnum(char c) { return is_digit(c) || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z'); }

std::string squeezed_lower(std::string_view s) {
  std::string out;
  for (const char c : s)
    if (is_alnum(c)) out.push_back(static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c));
  return out;
}

// The language lists to read a page with: its own and English, or all of
// them when its language is unknown.
std::vector<const lexicon::Language*> lists_for(const Tree& t) {
  std::vector<const lexicon::Language*> out;
  if (const lexicon::Language* l = t.language()) {
    out.push_back(l);
    if (l->code != "en") out.push_back(lexicon::language("en"));
  } else {
    for (const lexicon::Language& l : lexicon::languages()) out.push_back(&l);
  }
  return out;
}

template <class Member>
bool any_phrase(const std::vector<const lexicon::Language*>& lists, Member member,
                std::string_view folded_text) {
  for (const lexicon::Language* l : lists)
    for (std::string_view p : l->*member)
      if (has_phrase(folded_text, p)) return true;
  return false;
}

// Whether an id or name names a buy control.
bool buy_id(std::string_view v, const std::vector<const lexicon::Language*>& lists) {
  const std::string s = squeezed_lower(v);
  if (s.empty()) return false;
  for (std::string_view id : lexicon::BUY_CONTROL_IDS)
    if (id.size() <= 3 ? s == id : s.find(id) != npos) return true;
  for (const lexicon::Language* l : lists)
    for (std::string_view p : l->add_to_cart)
      if (const std::string q = squeezed_lower(p); q.size() >= 6 && s.find(q) != npos) return true;
  return false;
}

bool disabled(const Tree& t, std::uint32_t i) {
  if (t.attr(i, "disabled")) return true;
  if (const auto a = t.attr(i, "aria-disabled"); a && text::trim(*a) == "true") return true;
  if (const auto c = t.attr(i, "class")) {
    bool d = false;
    for_each_word(*c, [&](std::string_view w) { d = d || w == "disabled"; });
    return d;
  }
  return false;
}

// A div or span that scripts make a control: a button role or an onclick.
bool clickable_box(const Tree& t, std::uint32_t i) {
  if (t.tag(i) != Tag::DIV && t.tag(i) != Tag::SPAN) return false;
  if (t.attr(i, "onclick")) return true;
  const auto role = t.attr(i, "role");
  return role && squeezed_lower(*role) == "button";
}

}  // namespace

BuyControls read_buy_controls(const Tree& t) {
  BuyControls out;
  const auto lists = lists_for(t);
  // Stock notices are read where the product is shown: from the main
  // heading on (the whole page when it has none); controls everywhere.
  const std::uint32_t h1 = t.first_h1();
  const std::uint32_t notices_from = h1 == NONE ? 0 : h1;
  std::uint32_t notice_elements = 0;
  for (std::uint32_t i = 0; i < t.size(); ++i) {
    if (!t.is_element(i) || t.has(i, HIDDEN) || t.has(i, OTHER_PRODUCTS)) continue;
    const Tag tag = t.tag(i);
    bool control = tag == Tag::BUTTON || clickable_box(t, i);
    std::string label;
    if (tag == Tag::INPUT) {
      const std::string type = t.attr(i, "type") ? squeezed_lower(*t.attr(i, "type")) : std::string();
      control = type == "submit" || type == "button" || type == "image";
      if (const auto v = t.attr(i, "value")) label = folded(*v);
    } else if (control) {
      if (auto s = t.text(i, 200)) label = folded(*s);
    }
    if (control) {
      const bool cart = any_phrase(lists, &lexicon::Language::add_to_cart, label) ||
                        (t.attr(i, "id") && buy_id(*t.attr(i, "id"), lists)) ||
                        (t.attr(i, "name") && buy_id(*t.attr(i, "name"), lists));
      const bool off = disabled(t, i);
      if (cart && !off) ++out.enabled;
      if ((off || !cart) && label.size() <= MAX_NOTICE_BYTES &&
          any_phrase(lists, &lexicon::Language::out_of_stock, label))
        out.out_of_stock = true;
      continue;
    }
    if (i < notices_from || ++notice_elements > LABEL_WINDOW) continue;
    if (t.has(i, IN_LINK) || t.has(i, IN_OPTION) || tag == Tag::SCRIPT) continue;
    const auto own = t.own_text(i, MAX_NOTICE_BYTES);
    if (!own || own->empty()) continue;
    if (any_phrase(lists, &lexicon::Language::out_of_stock, folded(*own))) out.out_of_stock = true;
  }
  return out;
}

namespace {

bool html_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// The attributes of a start tag from `i` (just past its name) to its ">",
// lower-cased names; `i` ends past the ">" (or at the end).
std::vector<std::pair<std::string, std::string_view>> source_attributes(std::string_view html,
                                                                        std::size_t& i) {
  std::vector<std::pair<std::string, std::string_view>> out;
  while (i < html.size()) {
    while (i < html.size() && (html_space(html[i]) || html[i] == '/')) ++i;
    if (i >= html.size()) break;
    if (html[i] == '>') {
      ++i;
      break;
    }
    const std::size_t start = i;
    while (i < html.size() && !html_space(html[i]) && html[i] != '=' && html[i] != '>' && html[i] != '/') ++i;
    std::string name = squeezed_lower(html.substr(start, i - start));
    std::string_view value;
    if (i < html.size() && html[i] == '=') {
      ++i;
      if (i < html.size() && (html[i] == '"' || html[i] == '\'')) {
        const std::size_t close = html.find(html[i], i + 1);
        if (close == npos) {
          i = html.size();
          break;
        }
        value = html.substr(i + 1, close - i - 1);
        i = close + 1;
      } else {
        const std::size_t v = i;
        while (i < html.size() && !html_space(html[i]) && html[i] != '>') ++i;
        value = html.substr(v, i - v);
      }
    }
    if (out.size() < 64) out.emplace_back(std::move(name), value);
  }
  return out;
}

}  // namespace

int count_buy_controls_in_source(std::string_view html, int enough) {
  std::vector<const lexicon::Language*> all;
  for (const lexicon::Language& l : lexicon::languages()) all.push_back(&l);
  int count = 0, tags = 0;
  // Boxes that scripts make controls are found by their button role or
  // onclick, then read from the start of their tag.
  std::vector<std::pair<std::size_t, std::string_view>> starts;
  int marks = 0;
  for (std::string_view mark : {"role=\"button", "role='button", "role=button", "onclick="}) {
    for (std::size_t at = scan::find_ascii_ci(html, mark); at != npos;
         at = scan::find_ascii_ci(html, mark, at + 1)) {
      if (++marks > 4 * MAX_SOURCE_CONTROLS) return enough + 1;
      // The tag's start, looked for no further back than a label is read.
      const std::size_t from = at > MAX_SOURCE_LABEL_BYTES ? at - MAX_SOURCE_LABEL_BYTES : 0;
      std::size_t lt = html.substr(from, at - from).rfind('<');
      if (lt == npos) continue;
      lt += from;
      if (html.substr(lt, at - lt).find('>') != npos) continue;
      for (std::string_view box : {"<div", "<span"})
        if (html.size() - lt > box.size() && scan::equal_ascii_ci(html.data() + lt, box) &&
            (html_space(html[lt + box.size()]) || html[lt + box.size()] == '/'))
          starts.emplace_back(lt, box == "<div" ? std::string_view("</div") : std::string_view("</span"));
    }
  }
  std::sort(starts.begin(), starts.end());
  starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
  for (std::string_view tag : {"<button", "<input", "<box"}) {
    std::size_t next_box = 0;
    auto first = [&](std::size_t from) -> std::size_t {
      if (tag != "<box") return scan::find_ascii_ci(html, tag, from);
      while (next_box < starts.size() && starts[next_box].first < from) ++next_box;
      return next_box < starts.size() ? starts[next_box].first : npos;
    };
    for (std::size_t at = first(0); at != npos && count <= enough; at = first(at + 1)) {
      // A page with this many controls is a form or a list, not one product.
      if (++tags > MAX_SOURCE_CONTROLS) return enough + 1;
      const bool box = tag == "<box";
      const std::string_view close_tag = box ? starts[next_box].second : std::string_view("</button");
      std::size_t i = at + (box ? close_tag.size() - 1 : tag.size());
      if (i < html.size() && !html_space(html[i]) && html[i] != '>' && html[i] != '/') continue;
      const auto attrs = source_attributes(html, i);
      bool off = false, cart = false;
      std::string type;
      std::string label;
      for (const auto& [name, value] : attrs) {
        if (name == "disabled" || name == "hidden") off = true;
        if ((name == "id" || name == "name") && buy_id(value, all)) cart = true;
        if (name == "type") type = squeezed_lower(value);
        if (name == "value" && tag == "<input") label = folded(value.substr(0, 200));
      }
      if (tag == "<input" && type != "submit" && type != "button" && type != "image") continue;
      if (tag != "<input") {
        // The text up to the closing tag, without the tags inside.
        const std::string_view window = html.substr(0, std::min(html.size(), i + MAX_SOURCE_LABEL_BYTES));
        const std::size_t close = scan::find_ascii_ci(window, close_tag, i);
        const std::string_view body = window.substr(i, (close == npos ? window.size() : close) - i);
        std::string plain;
        bool in_tag = false;
        for (const char c : body) {
          if (c == '<') in_tag = true;
          if (!in_tag) plain.push_back(c);
          if (c == '>') in_tag = false;
        }
        label = folded(plain);
      }
      if (!cart) cart = any_phrase(all, &lexicon::Language::add_to_cart, label);
      if (cart && !off) ++count;
    }
  }
  return count;
}

// ---------------------------------------------------------------------------
// Currency and number of a short price text.

std::optional<std::string> currency_in_text(std::string_view s, std::string_view language) {
  auto letters_around = [&](std::size_t at, std::size_t len) {
    const bool before = at > 0 && is_alnum(s[at - 1]);
    const bool after = at + len < s.size() && (s[at + len] | 0x20) >= 'a' && (s[at + len] | 0x20) <= 'z';
    return before || after;
  };
  for (const lexicon::Currency& c : lexicon::CURRENCY_TOKENS) {
    const bool word = is_alnum(c.token.front()) || static_cast<unsigned char>(c.token.front()) >= 0xD0;
    std::size_t at = npos;
    for (std::size_t from = 0; from + c.token.size() <= s.size(); ++from) {
      const std::string_view part = s.substr(from, c.token.size());
      const bool same = std::equal(part.begin(), part.end(), c.token.begin(), [](char a, char b) {
        return a == b || ((a | 0x20) == b && (b >= 'a' && b <= 'z'));
      });
      if (same && !(word && letters_around(from, c.token.size()))) {
        at = from;
        break;
      }
    }
    if (at == npos) continue;
    if (!c.code.empty()) return std::string(c.code);
    if (c.token == "¥" || c.token == "￥") return std::string(language == "zh" ? "CNY" : "JPY");
    if (language == "sv") return std::string("SEK");
    if (language == "da") return std::string("DKK");
    return std::nullopt;  // "kr" without a language that says which
  }
  for (std::string_view code : lexicon::CURRENCY_CODES)
    for (std::size_t at = s.find(code); at != npos; at = s.find(code, at + 1))
      if (!letters_around(at, code.size())) return std::string(code);
  return std::nullopt;
}

namespace {

// The numbers of a text: digit runs joined by "." or ",", or by a space or
// apostrophe before a group of three digits ("1 299,00", "1'299.00").
std::vector<std::string> numbers_in(std::string_view s) {
  std::vector<std::string> out;
  std::size_t i = 0;
  auto group_of_three_at = [&](std::size_t k) {
    return k + 3 <= s.size() && is_digit(s[k]) && is_digit(s[k + 1]) && is_digit(s[k + 2]) &&
           (k + 3 == s.size() || !is_digit(s[k + 3]));
  };
  while (i < s.size()) {
    if (!is_digit(s[i])) {
      ++i;
      continue;
    }
    std::string n;
    while (true) {
      while (i < s.size() && is_digit(s[i])) n.push_back(s[i++]);
      if (i + 1 < s.size() && (s[i] == '.' || s[i] == ',') && is_digit(s[i + 1])) {
        n.push_back(s[i++]);
        continue;
      }
      std::size_t sep = 0;
      if (i < s.size() && (s[i] == ' ' || s[i] == '\''))
        sep = 1;
      else if (s.substr(i, 2) == "\xC2\xA0")
        sep = 2;
      else if (s.substr(i, 3) == "\xE2\x80\xAF" || s.substr(i, 3) == "\xE2\x80\x89")
        sep = 3;
      if (sep > 0 && group_of_three_at(i + sep)) {
        i += sep;  // thousands: the normaliser reads the run without it
        continue;
      }
      break;
    }
    out.push_back(std::move(n));
  }
  return out;
}

bool decimal_comma_language(std::string_view code) {
  for (std::string_view c : {"de", "fr", "es", "it", "nl", "pt", "pl", "sv", "da"})
    if (code == c) return true;
  return false;
}

// Whether digits stand on both sides of an element edge inside the subtree
// ("$<b>12</b><sup>99</sup>"): such a text does not say where the decimals are.
bool digits_split(const Tree& t, std::uint32_t i) {
  char last = 0;
  for (std::uint32_t j = i + 1; j < t.node(i).end; ++j) {
    if (t.tag(j) != Tag::TEXT) continue;
    const std::string_view s = text::trim(t.node(j).text);
    if (s.empty()) continue;
    if (is_digit(last) && is_digit(s.front())) return true;
    last = s.back();
  }
  return false;
}

std::optional<Price> visible_candidate(const Tree& t, std::uint32_t i,
                                       const std::vector<const lexicon::Language*>& lists) {
  if (t.has(i, HIDDEN) || t.has(i, STRUCK) || t.has(i, IN_LINK) || t.has(i, OTHER_PRODUCTS) ||
      t.has(i, OLD_PRICE))
    return std::nullopt;
  if ((t.signs(i) & NOT_THE_PRICE) != 0) return std::nullopt;
  const auto s = t.text(i, MAX_PRICE_CHARS * 4);
  if (!s || s->empty() || text::length(*s) > MAX_PRICE_CHARS) return std::nullopt;
  if (s->find('%') != npos || s->find('/') != npos) return std::nullopt;
  const std::string f = folded(*s);
  if (any_phrase(lists, &lexicon::Language::price_text_rejects, f)) return std::nullopt;
  const auto numbers = numbers_in(*s);
  if (numbers.size() != 1) return std::nullopt;
  const std::string_view lang = t.language() ? t.language()->code : std::string_view();
  const auto currency = currency_in_text(*s, lang);
  if (!currency || digits_split(t, i)) return std::nullopt;
  std::string number = numbers.front();
  // "1.299" in a language that writes decimals with a comma is a thousand.
  if (decimal_comma_language(lang) && number.find(',') == npos && number.find('.') != npos) {
    bool thousands = true;
    for (std::size_t d = number.find('.'); d != npos; d = number.find('.', d + 1))
      thousands = thousands && d + 4 <= number.size() && (d + 4 == number.size() || number[d + 4] == '.');
    if (thousands) std::erase(number, '.');
  }
  return price_from_text(number, *currency);
}

// Whether the element's class or id names the price to pay in words no
// other price uses ("price--current", "our-price", "buying-price").
bool strong_current(const Tree& t, std::uint32_t i) {
  bool strong = false;
  for (std::string_view a : {"class", "id"})
    if (const auto v = t.attr(i, a))
      for_each_word(*v, [&](std::string_view w) {
        strong = strong || w == "current" || w == "our" || w == "buying" || w == "ourprice" ||
                 w == "currentprice" || w == "buyingprice";
      });
  return strong;
}

}  // namespace

std::optional<Price> read_visible_price(const Tree& t, bool& many) {
  many = false;
  const std::uint32_t h1 = t.first_h1();
  if (h1 == NONE) return std::nullopt;
  const auto lists = lists_for(t);
  std::optional<Price> best;
  int best_rank = -1;
  std::set<long long> distinct;
  bool best_strong = false;
  std::uint32_t elements = 0;
  for (std::uint32_t i = h1; i < t.size() && elements < PRICE_WINDOW; ++i) {
    if (!t.is_element(i)) continue;
    ++elements;
    if ((t.signs(i) & NAMES_PRICE) == 0) continue;
    auto p = visible_candidate(t, i, lists);
    if (!p) continue;
    distinct.insert(std::llround(p->amount * 100));
    const auto itemprop = t.attr(i, "itemprop");
    const int rank =
        ((t.signs(i) & CURRENT) != 0 ? 2 : 0) + (itemprop && itemprop->find("price") != npos ? 1 : 0);
    if (rank > best_rank) {
      best = std::move(p);
      best_rank = rank;
      best_strong = strong_current(t, i);
    }
  }
  if (distinct.size() > MAX_DISTINCT_PRICES) {
    many = true;
    if (!best_strong) return std::nullopt;
  }
  return best;
}

// ---------------------------------------------------------------------------
// Labelled SKU.

namespace {

// The code of a text that is one token: letters, digits and - _ . /, with a
// digit, at most 30 characters.
std::optional<std::string> code_of(std::string_view s) {
  s = text::trim(s);
  if (s.empty() || s.size() > MAX_CODE_CHARS) return std::nullopt;
  bool digit = false;
  for (const char c : s) {
    if (is_digit(c)) digit = true;
    if (!is_alnum(c) && c != '-' && c != '_' && c != '.' && c != '/') return std::nullopt;
  }
  if (!digit) return std::nullopt;
  return std::string(s);
}

// The words of a code: ASCII letters, digits and - _ . /, with a digit.
bool code_like(std::string_view w) {
  return !w.empty() && std::any_of(w.begin(), w.end(), is_digit) && std::all_of(w.begin(), w.end(), [](char c) {
    return is_alnum(c) || c == '-' || c == '_' || c == '.' || c == '/';
  });
}

// The leading words of `s` up to the first one that is not code-like.
std::string_view leading_code_words(std::string_view s) {
  std::size_t end = 0;
  for (std::size_t i = 0; i <= s.size();) {
    std::size_t j = s.find(' ', i);
    if (j == npos) j = s.size();
    if (!code_like(s.substr(i, j - i))) break;
    end = j;
    i = j + 1;
  }
  return s.substr(0, end);
}

// The label a folded own text starts with, and what follows it (separator
// removed); none when no label starts it.
std::optional<std::string_view> after_label(std::string_view f,
                                            const std::vector<const lexicon::Language*>& lists) {
  // The longest label that starts the text ("cod produs" before "cod").
  std::optional<std::string_view> best;
  std::size_t best_label = 0;
  for (const lexicon::Language* l : lists) {
    for (std::string_view label : l->sku_labels) {
      if (!f.starts_with(label) || label.size() <= best_label) continue;
      std::string_view rest = f.substr(label.size());
      constexpr std::string_view WIDE_COLON = "\xEF\xBC\x9A";  // "："
      constexpr std::string_view EN_DASH = "\xE2\x80\x93";
      // The label ends at a space or a separator ("skus", "sku-123" are not it).
      if (!rest.empty() && rest.front() != ' ' && rest.front() != ':' && rest.front() != '#' &&
          !rest.starts_with(WIDE_COLON))
        continue;
      const bool spaced = !rest.empty() && rest.front() == ' ';
      rest = text::trim_left(rest);
      if (!rest.empty() && (rest.front() == ':' || rest.front() == '#'))
        rest = text::trim_left(rest.substr(1));
      else if (rest.starts_with(WIDE_COLON))
        rest = text::trim_left(rest.substr(WIDE_COLON.size()));
      // "Label - code": a dash with a space before it and after it.
      else if (spaced && rest.size() > 1 && rest.front() == '-' && rest[1] == ' ')
        rest = text::trim_left(rest.substr(1));
      else if (spaced && rest.starts_with(EN_DASH) && rest.substr(EN_DASH.size()).starts_with(" "))
        rest = text::trim_left(rest.substr(EN_DASH.size()));
      best = rest;
      best_label = label.size();
    }
  }
  return best;
}

// The next sibling that holds something: an element, or text that is not
// blank.
std::uint32_t next_sibling(const Tree& t, std::uint32_t i) {
  const std::uint32_t parent = t.node(i).parent;
  for (std::uint32_t j = t.node(i).end; j < t.size() && t.node(j).parent == parent; j = t.node(j).end) {
    if (t.is_element(j) || !text::is_blank(t.node(j).text)) return j;
  }
  return NONE;
}

}  // namespace

std::optional<std::string> read_sku_label(const Tree& t) {
  const std::uint32_t h1 = t.first_h1();
  if (h1 == NONE) return std::nullopt;
  const auto lists = lists_for(t);
  std::uint32_t elements = 0;
  for (std::uint32_t i = h1; i < t.size() && elements < LABEL_WINDOW; ++i) {
    if (!t.is_element(i)) continue;
    ++elements;
    if (t.has(i, HIDDEN) || t.has(i, IN_LINK) || t.has(i, IN_OPTION) || t.has(i, OTHER_PRODUCTS)) continue;
    const auto own = t.own_text(i, 120);
    if (!own || own->empty()) continue;
    const std::string f = folded(*own);
    const auto rest = after_label(f, lists);
    if (!rest) continue;
    if (!rest->empty()) {
      // "<label>: <code> <more words>": the code-like words after the label,
      // as written (a code is ASCII, so its folded form is its lower case).
      const std::string_view words = leading_code_words(*rest);
      if (words.empty()) continue;
      const std::size_t at = scan::find_ascii_ci(*own, words);
      if (at == npos) continue;
      if (words.size() <= MAX_CODE_CHARS) return std::string(std::string_view(*own).substr(at, words.size()));
      continue;
    }
    const std::uint32_t next = next_sibling(t, i);
    if (next == NONE || t.has(next, HIDDEN)) continue;
    const auto s =
        t.is_element(next) ? t.text(next, 120) : std::optional<std::string>(std::string(t.node(next).text));
    if (s)
      if (auto c = code_of(*s)) return c;
  }
  return std::nullopt;
}

}  // namespace tarvik::commerce::extended
