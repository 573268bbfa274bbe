// What every node of the page inherits and what its class says, computed in
// one pass over the tree in document order (a parent comes before its
// children, so inheriting is one lookup).

#include "facts/metadata_extended_tree.hpp"

#include <algorithm>
#include <utility>

#include "tarvik/util/text.hpp"

namespace tarvik::commerce::extended {
namespace {

using dom::Tag;
constexpr std::size_t npos = std::string_view::npos;

bool in(std::span<const std::string_view> list, std::string_view w) {
  return std::find(list.begin(), list.end(), w) != list.end();
}

// The price words of every language: class names are written for developers,
// who use them across languages. Long words also match inside a longer word
// ("saleprice"); short ones only alone ("prix", "cena", "pris").
std::size_t price_word_at(std::string_view w, std::size_t& len) {
  for (const lexicon::Language& l : lexicon::languages()) {
    for (std::string_view p : l.price_classes) {
      if (p.size() >= 5) {
        if (const std::size_t at = w.find(p); at != npos) {
          len = p.size();
          return at;
        }
      } else if (w == p) {
        len = p.size();
        return 0;
      }
    }
  }
  return npos;
}

bool contains_ascii_ci(std::string_view hay, std::string_view needle) {
  if (needle.size() > hay.size()) return false;
  for (std::size_t i = 0; i + needle.size() <= hay.size(); ++i) {
    std::size_t k = 0;
    while (k < needle.size() && (hay[i + k] | 0x20) == needle[k]) ++k;
    if (k == needle.size()) return true;
  }
  return false;
}

// Style text without spaces, lower case.
std::string squeezed_style(std::string_view style) {
  std::string out;
  out.reserve(std::min<std::size_t>(style.size(), 256));
  for (const char c : style) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') continue;
    out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c);
    if (out.size() >= 4096) break;  // a declaration further on is not read
  }
  return out;
}

bool is_cjk_lead(unsigned char c) { return c >= 0xE3 && c <= 0xEF; }

// HTML splits class and type lists at ASCII whitespace only.
bool html_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

bool word_char(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c >= 0x80;
}

}  // namespace

std::uint8_t class_signs(std::string_view value) {
  std::uint8_t signs = 0;
  std::size_t i = 0;
  while (i < value.size()) {
    while (i < value.size() && html_space(value[i])) ++i;
    std::size_t j = i;
    while (j < value.size() && !html_space(value[j])) ++j;
    const std::string_view token = value.substr(i, j - i);
    i = j;
    if (token.empty()) continue;

    std::string squeezed;
    for (const char c : token)
      if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
        squeezed.push_back(c);
      else if (c >= 'A' && c <= 'Z')
        squeezed.push_back(static_cast<char>(c + 32));
    if (in(lexicon::HIDDEN_CLASS_WORDS, squeezed)) signs |= HIDDEN_CLASS;

    bool price = false, old = false, side = false, current = false, other = false;
    auto judge = [&](std::string_view w) {
      if (in(lexicon::OLD_PRICE_WORDS, w)) old = true;
      if (in(lexicon::SIDE_PRICE_WORDS, w)) side = true;
      if (in(lexicon::CURRENT_PRICE_WORDS, w)) current = true;
    };
    for_each_word(token, [&](std::string_view w) {
      judge(w);
      if (in(lexicon::OTHER_PRODUCTS_WORDS, w) || w.starts_with("recommend") || w.starts_with("sponsor") ||
          w.starts_with("related"))
        other = true;
      std::size_t len = 0;
      if (const std::size_t at = price_word_at(w, len); at != npos) {
        price = true;
        // "oldprice", "saleprice", "pricenow": the rest of the word counts too.
        if (at > 0) judge(w.substr(0, at));
        if (at + len < w.size()) judge(w.substr(at + len));
      }
    });
    if (price) signs |= NAMES_PRICE;
    if (old || side) signs |= NOT_THE_PRICE;
    if (old || (side && price)) signs |= OLD_CONTAINER;
    if (current) signs |= CURRENT;
    if (other) signs |= OTHER_ITEMS;
  }
  return signs;
}

Tree::Tree(dom::Document doc, std::string_view language_hint) : doc_(std::move(doc)) {
  const std::uint32_t n = size();
  flags_.assign(n, 0);
  signs_.assign(n, 0);
  scope_.assign(n, dom::NONE);
  for (std::uint32_t i = 0; i < n; ++i) {
    const dom::Node& nd = node(i);
    std::uint8_t f = nd.parent == dom::NONE ? 0 : flags_[nd.parent];
    std::uint32_t scope = nd.parent == dom::NONE ? dom::NONE : scope_[nd.parent];
    if (nd.tag != Tag::TEXT) {
      std::uint8_t s = 0;
      bool hidden_attr = false, itemscope = false;
      for (const dom::Attr& a : doc_.attrs(i)) {
        if (a.name == "class" || a.name == "id") {
          s |= class_signs(a.value);
        } else if (a.name == "hidden") {
          hidden_attr = true;
        } else if (a.name == "style" && (a.value.find(':') != npos)) {
          const std::string st = squeezed_style(a.value);
          if (st.find("display:none") != npos || st.find("visibility:hidden") != npos) hidden_attr = true;
          if (st.find("line-through") != npos) f |= STRUCK;
        } else if (a.name == "itemscope" || a.name == "typeof") {
          itemscope = true;
        } else if (a.name == "type" && nd.tag == Tag::INPUT && contains_ascii_ci(a.value, "hidden")) {
          hidden_attr = true;
        }
      }
      signs_[i] = s;
      switch (nd.tag) {
        case Tag::SCRIPT:
        case Tag::STYLE:
        case Tag::TEMPLATE:
        case Tag::NOSCRIPT:
        case Tag::TEXTAREA:
          f |= HIDDEN;
          break;
        case Tag::DEL:
        case Tag::S:
        case Tag::STRIKE:
          f |= STRUCK;
          break;
        case Tag::A:
          f |= IN_LINK;
          break;
        case Tag::OPTION:
        case Tag::SELECT:
          f |= IN_OPTION;
          break;
        case Tag::HTML:
          if (!language_)
            if (const auto lang = doc_.attr(i, "lang")) language_ = lexicon::language(text::trim(*lang));
          break;
        default:
          break;
      }
      if (hidden_attr || (s & HIDDEN_CLASS)) f |= HIDDEN;
      if (s & OTHER_ITEMS) f |= OTHER_PRODUCTS;
      if (s & OLD_CONTAINER) f |= OLD_PRICE;
      if (itemscope) scope = i;
      if (nd.tag == Tag::H1 && first_h1_ == dom::NONE && !(f & HIDDEN)) first_h1_ = i;
    }
    flags_[i] = f;
    scope_[i] = scope;
  }
  if (!language_) language_ = lexicon::language(text::trim(language_hint));
}

bool Tree::scope_is(std::uint32_t scope, std::span<const std::string_view> types) const {
  if (scope == dom::NONE) return false;
  for (std::string_view name : {std::string_view("itemtype"), std::string_view("typeof")}) {
    const auto v = attr(scope, name);
    if (!v) continue;
    bool hit = false;
    std::size_t i = 0;
    while (i < v->size() && !hit) {
      while (i < v->size() && html_space((*v)[i])) ++i;
      std::size_t j = i;
      while (j < v->size() && !html_space((*v)[j])) ++j;
      std::string_view t = v->substr(i, j - i);
      i = j;
      if (const std::size_t cut = t.find_last_of("/:#"); cut != npos) t.remove_prefix(cut + 1);
      for (std::string_view want : types)
        if (t.size() == want.size() && std::equal(t.begin(), t.end(), want.begin(),
                                                  [](char a, char b) { return (a | 0x20) == (b | 0x20); }))
          hit = true;
    }
    if (hit) return true;
  }
  return false;
}

namespace {

// Appends text with whitespace collapsed; false once `out` passes `max`.
bool append_collapsed(std::string& out, std::string_view s, bool& space, std::size_t max) {
  std::size_t i = 0;
  while (i < s.size()) {
    const std::size_t start = i;
    const char32_t cp = text::next_code_point(s, i);
    if (text::is_space(cp)) {
      space = true;
      continue;
    }
    if (space && !out.empty()) out.push_back(' ');
    space = false;
    out.append(s.substr(start, i - start));
    if (out.size() > max) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> Tree::text(std::uint32_t i, std::size_t max_bytes) const {
  std::string out;
  bool space = false;
  for (std::uint32_t j = i; j < node(i).end; ++j) {
    const dom::Node& nd = node(j);
    if (nd.tag != Tag::TEXT || (nd.parent != dom::NONE && has(nd.parent, HIDDEN))) continue;
    if (!append_collapsed(out, nd.text, space, max_bytes)) return std::nullopt;
  }
  return out;
}

std::optional<std::string> Tree::own_text(std::uint32_t i, std::size_t max_bytes) const {
  std::string out;
  bool space = false;
  for (std::uint32_t j = i + 1; j < node(i).end; j = node(j).end) {
    if (tag(j) == Tag::TEXT && !append_collapsed(out, node(j).text, space, max_bytes)) return std::nullopt;
  }
  return out;
}

std::string folded(std::string_view s) {
  const std::string c = text::collapse_ws(s);
  if (text::is_ascii(c)) {
    std::string out(c);
    for (char& ch : out)
      if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch + 32);
    return out;
  }
  return text::to_lower(c);
}

bool has_phrase(std::string_view hay, std::string_view phrase) {
  if (phrase.empty()) return false;
  std::size_t last = phrase.size() - 1;
  while (last > 0 && (static_cast<unsigned char>(phrase[last]) & 0xC0) == 0x80) --last;
  const auto first_byte = static_cast<unsigned char>(phrase.front());
  const auto last_byte = static_cast<unsigned char>(phrase[last]);
  // An edge is checked where the phrase itself starts or ends with a letter
  // or digit of an alphabetic script.
  const bool check_start = word_char(first_byte) && !is_cjk_lead(first_byte);
  const bool check_end = word_char(static_cast<unsigned char>(phrase.back())) && !is_cjk_lead(last_byte);
  for (std::size_t at = hay.find(phrase); at != npos; at = hay.find(phrase, at + 1)) {
    const std::size_t end = at + phrase.size();
    const bool start_ok = !check_start || at == 0 || !word_char(static_cast<unsigned char>(hay[at - 1]));
    const bool end_ok = !check_end || end == hay.size() || !word_char(static_cast<unsigned char>(hay[end]));
    if (start_ok && end_ok) return true;
  }
  return false;
}

}  // namespace tarvik::commerce::extended
