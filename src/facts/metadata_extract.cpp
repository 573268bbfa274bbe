// The metadata unit's tables and the four structured-data extractors of
// DestinationMetadataParser: JSON-LD products, the page framework's serialised
// page data, meta tags and the document title. All four read the raw page text
// without building a DOM and never decode character references.
//
// Every extractor runs in time linear in the page size. Candidate tags are
// found with memchr, the start tag is checked with an anchored RE2 pattern on
// that tag alone (RE2 never rescans a script body), and a block's body runs to
// the first closing tag after its start tag, found once by a forward search
// that is cached between candidates. When no closing tag follows a start tag,
// none follows any later one either, so the search stops there.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <re2/re2.h>

#include "tarvik/facts/metadata.hpp"
#include "tarvik/util/json.hpp"
#include "tarvik/util/text.hpp"
#include "facts/metadata_scan.hpp"

namespace tarvik::commerce {

// ---------------------------------------------------------------------------
// Tables. Domains are lower-case and without "www.".

const std::array<std::string_view, 9> SOCIAL_DOMAINS = {
    "instagram.com", "facebook.com", "twitter.com", "x.com",     "linkedin.com",
    "pinterest.com", "tiktok.com",   "youtube.com", "reddit.com",
};

const std::array<std::string_view, 6> EDITORIAL_DOMAINS = {
    "medium.com", "substack.com", "wordpress.com", "blogspot.com", "lifestyleasia.com", "augustman.com",
};

const std::array<std::string_view, 7> PORTFOLIO_DOMAINS = {
    "behance.net", "dribbble.com", "artstation.com", "figma.com", "github.io", "unsplash.com", "macwallpapers.com",
};

const std::array<std::string_view, 18> ARTICLE_PATH_PATTERNS = {
    "/blog",   "/article", "/news",   "/journal", "/post",       "/posts/", "/advice/", "/insights/", "/story/",
    "/fashion/", "/style/", "/author/", "/editorial/", "/guide/", "/review/", "/reviews/", "/trends/", "/hub/",
};

const std::array<std::string_view, 12> PORTFOLIO_PATH_PATTERNS = {
    "/works",    "/portfolio", "/projects",  "/project", "/design",     "/showcase",
    "/template", "/templates", "/themes",    "/redesign", "/case-study", "/photos/",
};

const std::array<std::string_view, 10> CATALOG_PATH_PATTERNS = {
    "/categories", "/category", "/collections", "/collection", "/catalog",
    "/shop",       "/store",    "/offers",      "/sale",       "/w/",
};

const std::array<std::string_view, 8> PORTFOLIO_KEYWORDS = {
    "portfolio", "template", "redesign", "showcase", "mockup", "theme", "wallpaper", "pictures",
};

const std::array<std::string_view, 8> GENERIC_TITLES = {
    "read more", "click here", "learn more", "view product", "shop now", "see details", "buy now", "untitled",
};

namespace {

namespace bj = boost::json;
constexpr std::size_t npos = std::string_view::npos;

// ---------------------------------------------------------------------------
// Patterns.
//
// Case-insensitive letters follow the simple case mapping of the whole of
// Unicode: besides its ASCII pair, "i" also matches U+0130 and U+0131, "s"
// matches U+017F and "k" U+212A. RE2 folds the last two itself; the Turkish
// i's are spelled out as [iı\x{130}]. match_word_ci below applies the same rule
// to the literal tag names that are searched without RE2.
//
// The three start-tag patterns are anchored at a candidate "<" and matched
// against the tag alone (up to its first ">"). The body of a JSON-LD block,
// of the page-data script and of the title is everything from that ">" to the
// first following closing tag ("</script>", "</title>"), so a block as a whole
// reads like `<script[^>]+type=["']application/ld\+json["'][^>]*>(.*?)</script>`
// with dot matching newline.

RE2::Options pattern_options() {
  RE2::Options o;
  o.set_log_errors(false);
  return o;
}

// Start tag of a JSON-LD block: any other attributes before or after, the type
// in either kind of quotes and any letter case; parameters or an unquoted value
// do not match.
const RE2 _LD_JSON_SCRIPT_PATTERN(
    R"((?is)<scr[iı\x{130}]pt[^>]+type=["']appl[iı\x{130}]cat[iı\x{130}]on/ld\+json["'][^>]*>)",
    pattern_options());

// A meta tag; group 1 is its attribute text up to the first ">". The class is
// Unicode whitespace (RE2's \s is ASCII only).
const RE2 _META_TAG_PATTERN(std::string(R"((?i)<meta)") + std::string(text::SPACE_CLASS) + "+([^>]+)>",
                            pattern_options());

// The property or name value. Like the content pattern it also matches at the
// end of a longer attribute name (data-name="..."); the leftmost occurrence in
// the tag is the one used. These two are the definitions; a tag's attributes
// are read by meta_name_value and meta_content_value below, which give the
// same results without a regular-expression search per tag.
const RE2 _META_PROP_PATTERN(R"((?i)(?:property|name)=["']([^"']+)["'])", pattern_options());

// The content value runs to the same kind of quote that opened it, so an
// apostrophe inside a double-quoted value stays part of it (group 1 for double,
// group 2 for single quotes).
const RE2 _META_CONTENT_PATTERN(R"re((?i)content=(?:"([^"]*)"|'([^']*)'))re", pattern_options());

// Start tag of the page framework's data script; letter case matters here.
const RE2 _NEXT_DATA_SCRIPT_PATTERN(R"((?s)<script[^>]+id=["']__NEXT_DATA__["'][^>]*>)", pattern_options());

// Start tag of the title element.
const RE2 _TITLE_PATTERN(R"((?is)<t[iı\x{130}]tle[^>]*>)", pattern_options());

// Walk bounds. Parsed documents are never deeper than json::MAX_DEPTH, so the
// depth bound is a safeguard for the walks themselves.
constexpr std::size_t _MAX_WALK_DEPTH = json::MAX_DEPTH;
// A listed product is a copy of its whole subtree, so a product nested inside
// n listed products is copied n + 1 times. Products inside more than this many
// enclosing products are not listed, which keeps the copies within a fixed
// multiple of the block's size (real pages nest a few levels: a group, its
// variants, perhaps an inner group).
constexpr std::uint32_t _MAX_ENCLOSING_PRODUCTS = 8;

// ---------------------------------------------------------------------------
// Text helpers.

// Compares the lower-case ASCII `word` with the text at `pos` without regard
// to letter case (see the rule above). Returns the end of the match or npos.
std::size_t match_word_ci(std::string_view text, std::size_t pos, std::string_view word) {
  for (const char w : word) {
    if (pos >= text.size()) return npos;
    const char c = text[pos];
    if (c == w || (w >= 'a' && w <= 'z' && c == static_cast<char>(w - 'a' + 'A'))) {
      ++pos;
      continue;
    }
    const std::string_view rest = text.substr(pos);
    if (w == 's' && rest.starts_with("\xC5\xBF")) {
      pos += 2;
    } else if (w == 'i' && (rest.starts_with("\xC4\xB0") || rest.starts_with("\xC4\xB1"))) {
      pos += 2;
    } else if (w == 'k' && rest.starts_with("\xE2\x84\xAA")) {
      pos += 3;
    } else {
      return npos;
    }
  }
  return pos;
}

// Position of the next `c` at or after `from`, or npos. The first bytes are
// checked directly so that runs of the byte ("<<<<") cost no library call per
// byte; memchr takes over for longer stretches.
std::size_t find_byte(std::string_view text, char c, std::size_t from) {
  const std::size_t n = text.size();
  const std::size_t direct_end = from + 16 < n ? from + 16 : n;
  for (std::size_t p = from; p < direct_end; ++p)
    if (text[p] == c) return p;
  if (direct_end >= n) return npos;
  const void* hit = std::memchr(text.data() + direct_end, c, n - direct_end);
  return hit == nullptr ? npos : static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
}

// Position of the next "<" at or after `from` that is followed by `name`
// (case-insensitively when `fold`), or npos. Candidates are the places where
// "<" is followed by the name's first letter in either case, or (when `fold`
// and the letter has a non-ASCII partner) by that partner's lead byte.
std::size_t find_tag_start(std::string_view text, std::size_t from, std::string_view name, bool fold) {
  const char first = name[0];
  const bool has_alt = fold && (first == 's' || first == 'i' || first == 'k');
  const char alt = first == 's' ? '\xC5' : first == 'i' ? '\xC4' : '\xE2';
  return scan::find_pair(text, from, '<', 1, first, has_alt, alt, [&](std::size_t p) {
    return fold ? match_word_ci(text, p + 1, name) != npos : text.substr(p + 1).starts_with(name);
  });
}

// The first closing tag ("</" + name + ">") at or after a position. The last
// answer is kept: candidates between a start tag and its closing tag share it,
// and once none is found, none exists further on.
class ClosingTagFinder {
 public:
  ClosingTagFinder(std::string_view text, std::string_view name, bool fold) : text_(text), name_(name), fold_(fold) {}

  // [start, end) of the closing tag, or start == npos.
  std::pair<std::size_t, std::size_t> find(std::size_t from) {
    if (none_from_ != npos && from >= none_from_) return {npos, npos};
    if (start_ != npos && start_ >= from && searched_from_ <= from) return {start_, end_};
    searched_from_ = from;
    for (std::size_t p = find_closing_start(from); p != npos; p = find_closing_start(p + 1)) {
      const std::size_t e = fold_ ? match_word_ci(text_, p + 2, name_)
                                  : (text_.substr(p + 2).starts_with(name_) ? p + 2 + name_.size() : npos);
      if (e != npos && e < text_.size() && text_[e] == '>') {
        start_ = p;
        end_ = e + 1;
        return {start_, end_};
      }
    }
    none_from_ = from;
    start_ = npos;
    return {npos, npos};
  }

 private:
  // Position of the next "</" at or after `from`, or npos.
  std::size_t find_closing_start(std::size_t from) const {
    return scan::find_pair(text_, from, '<', 1, '/', false, 0, [](std::size_t) { return true; });
  }

  std::string_view text_;
  std::string_view name_;
  bool fold_;
  std::size_t searched_from_ = 0;
  std::size_t start_ = npos;
  std::size_t end_ = npos;
  std::size_t none_from_ = npos;
};

// Does `pattern` match the start tag that begins at `start` and ends at `gt`?
// A match test only, which RE2 answers with its DFA.
bool start_tag_matches(const RE2& pattern, std::string_view text, std::size_t start, std::size_t gt) {
  const re2::StringPiece tag(text.data() + start, gt + 1 - start);
  return pattern.Match(tag, 0, tag.size(), RE2::ANCHOR_BOTH, nullptr, 0);
}

// The body of the first (or next) block that starts at or after `pos`: the
// start tag must begin with "<" + name and satisfy `pattern`; the body ends at
// the first closing tag. `pos` is moved past the block. None when there are no
// more blocks.
struct BlockScanner {
  std::string_view text;
  const RE2& pattern;
  std::string_view name;   // "script", "title"
  bool fold;
  std::string_view needle;  // text every matching start tag contains, tested before RE2 runs
  ClosingTagFinder closing;
  std::size_t pos = 0;

  BlockScanner(std::string_view t, const RE2& p, std::string_view n, bool f, std::string_view must_contain)
      : text(t), pattern(p), name(n), fold(f), needle(must_contain), closing(t, n, f) {}

  std::optional<std::string_view> next() {
    while (true) {
      const std::size_t start = find_tag_start(text, pos, name, fold);
      if (start == npos) return std::nullopt;
      const std::size_t gt = find_byte(text, '>', start + 1);
      if (gt == npos) return std::nullopt;  // no start tag can end anywhere further on
      const auto [close_start, close_end] = closing.find(gt + 1);
      if (close_start == npos) return std::nullopt;  // no later block can be closed either
      if (text.substr(start, gt - start).find(needle) == npos || !start_tag_matches(pattern, text, start, gt)) {
        // Every later "<name" before this ">" is a shorter tail of the same
        // tag and fails as well.
        pos = gt + 1;
        continue;
      }
      pos = close_end;
      return text.substr(gt + 1, close_start - gt - 1);
    }
  }
};

// Group 1 of _META_TAG_PATTERN for a tag that matches, from `after` (just past
// "<meta") to the tag's ">" at `gt`. The greedy whitespace run takes every
// whitespace character unless nothing else is left before ">": then the group
// is the run's last character. (RE2 decides whether the tag matches; locating
// the group here spares a submatch pass per tag.)
std::string_view meta_attributes(std::string_view html, std::size_t after, std::size_t gt) {
  std::size_t i = after, last_space = after;
  while (i < gt) {
    std::size_t j = i;
    if (!text::is_space(text::next_code_point(html, j))) break;
    last_space = i;
    i = j;
  }
  const std::size_t from = i < gt ? i : last_space;
  return html.substr(from, gt - from);
}

// Whether the `word.size()` bytes before `end` spell the lower-case ASCII
// `word` in any letter case. Used for attribute names whose letters have no
// case partner outside ASCII, where this is exactly RE2's (?i) rule.
bool ends_with_ci(std::string_view s, std::size_t end, std::string_view word) {
  if (end < word.size()) return false;
  const char* p = s.data() + end - word.size();
  for (std::size_t k = 0; k < word.size(); ++k) {
    const char c = p[k];
    if (c != word[k] && !(c >= 'A' && c <= 'Z' && static_cast<char>(c + 32) == word[k])) return false;
  }
  return true;
}

// The value of the leftmost `property="v"` or `name="v"` in a meta tag's
// attribute text: either quote opens, the value runs to the next quote of
// either kind and is not empty. The name may end a longer attribute name
// (data-name="..."). None when there is no such attribute. Match starts and
// "=" signs come in the same order, so the first "=" that completes a match
// gives the leftmost one.
std::optional<std::string_view> meta_name_value(std::string_view attrs) {
  for (std::size_t eq = attrs.find('='); eq != npos; eq = attrs.find('=', eq + 1)) {
    if (!ends_with_ci(attrs, eq, "property") && !ends_with_ci(attrs, eq, "name")) continue;
    if (eq + 1 >= attrs.size()) break;
    const char q = attrs[eq + 1];
    if (q != '"' && q != '\'') continue;
    const std::size_t close = attrs.find_first_of("\"'", eq + 2);
    if (close == npos) break;  // no quote follows, so no later value can close either
    if (close > eq + 2) return attrs.substr(eq + 2, close - eq - 2);
  }
  return std::nullopt;
}

// The value of the leftmost `content="v"` or `content='v'`: it runs to the
// same kind of quote that opened it, so an apostrophe inside a double-quoted
// value stays part of it; it may be empty. None when there is none.
std::optional<std::string_view> meta_content_value(std::string_view attrs) {
  bool double_closes = true, single_closes = true;  // false once no such quote follows
  for (std::size_t eq = attrs.find('='); eq != npos; eq = attrs.find('=', eq + 1)) {
    if (!ends_with_ci(attrs, eq, "content")) continue;
    if (eq + 1 >= attrs.size()) break;
    const char q = attrs[eq + 1];
    bool& closes = q == '"' ? double_closes : single_closes;
    if ((q != '"' && q != '\'') || !closes) continue;
    const std::size_t close = attrs.find(q, eq + 2);
    if (close == npos) {
      closes = false;
      continue;
    }
    return attrs.substr(eq + 2, close - eq - 2);
  }
  return std::nullopt;
}

// Whether a meta start tag from `start` to its ">" at `gt`, whose first
// character after "<meta" is whitespace ending at `ws_end`, matches
// _META_TAG_PATTERN: something must follow the whitespace character, and the
// tag must be text RE2 reads. Valid UTF-8 always is; otherwise RE2 decides.
bool meta_tag_matches(std::string_view html, std::size_t start, std::size_t ws_end, std::size_t gt) {
  if (ws_end >= gt) return false;
  const std::string_view tag = html.substr(start, gt + 1 - start);
  return text::is_valid_utf8(tag) || start_tag_matches(_META_TAG_PATTERN, html, start, gt);
}

// Trims Unicode whitespace from both ends; linear in the whitespace removed,
// so a large block is not walked as a whole.
std::string_view trim_ws(std::string_view s) {
  s = text::trim_left(s);
  while (!s.empty()) {
    const auto last = static_cast<unsigned char>(s.back());
    if (last < 0x80) {
      if (!text::is_space(last)) break;
      s.remove_suffix(1);
      continue;
    }
    std::size_t lead = s.size() - 1;
    while (lead > 0 && s.size() - lead < 4 && (static_cast<unsigned char>(s[lead]) & 0xC0) == 0x80) --lead;
    std::size_t i = lead;
    const char32_t cp = text::next_code_point(s, i);
    if (i != s.size() || !text::is_space(cp)) break;
    s.remove_suffix(s.size() - lead);
  }
  return s;
}

// ---------------------------------------------------------------------------
// JSON-LD.

bool is_product(const bj::object& obj) {
  const bj::value* t = obj.if_contains("@type");
  if (t == nullptr) return false;
  if (const bj::string* s = t->if_string()) return *s == "Product" || *s == "ProductGroup" || *s == "IndividualProduct";
  if (const bj::array* a = t->if_array()) {
    for (const bj::value& e : *a) {
      const bj::string* s = e.if_string();
      if (s != nullptr && (*s == "Product" || *s == "ProductGroup")) return true;
    }
  }
  return false;
}

bool is_container(const bj::value& v) { return v.is_object() || v.is_array(); }

// Depth-first pre-order walk that appends every product object. Inside an
// object the elements of an "@graph" array come first, then the other member
// values in member order. Iterative, so hostile nesting cannot exhaust the
// stack; containers deeper than the bound are not entered.
void walk(const bj::value& root, std::vector<bj::object>& out) {
  struct Frame {
    const bj::value* value;
    std::uint32_t depth;      // 1 for the block's top-level value
    std::uint32_t enclosing;  // product objects strictly enclosing the value
  };
  std::vector<Frame> stack;
  stack.push_back({&root, 1, 0});
  while (!stack.empty()) {
    const Frame f = stack.back();
    stack.pop_back();
    if (f.depth > _MAX_WALK_DEPTH) continue;
    const std::uint32_t depth = f.depth + 1;
    if (const bj::object* obj = f.value->if_object()) {
      std::uint32_t enclosing = f.enclosing;
      if (is_product(*obj)) {
        out.push_back(*obj);
        ++enclosing;
      }
      if (enclosing > _MAX_ENCLOSING_PRODUCTS) continue;
      const bj::value* graph_member = obj->if_contains("@graph");
      const bj::array* graph = graph_member != nullptr ? graph_member->if_array() : nullptr;
      // Pushed in reverse so that they come off the stack in order.
      for (auto it = obj->end(); it != obj->begin();) {
        --it;
        if (graph != nullptr && &it->value() == graph_member) continue;
        if (is_container(it->value())) stack.push_back({&it->value(), depth, enclosing});
      }
      if (graph != nullptr) {
        for (auto it = graph->end(); it != graph->begin();) {
          --it;
          if (is_container(*it)) stack.push_back({&*it, depth, enclosing});
        }
      }
    } else if (const bj::array* arr = f.value->if_array()) {
      for (auto it = arr->end(); it != arr->begin();) {
        --it;
        if (is_container(*it)) stack.push_back({&*it, depth, f.enclosing});
      }
    }
  }
}

// ---------------------------------------------------------------------------
// Page data.

// The first object in depth-first member order (the start object included)
// that has "brandName" or "brand" and also "sku" or "name". Arrays are not
// searched. None when there is none, or when the search would go deeper than
// the bound.
bj::object* search_dict(bj::object& start, std::size_t start_depth) {
  std::vector<std::pair<bj::object*, std::size_t>> stack;
  stack.emplace_back(&start, start_depth);
  while (!stack.empty()) {
    const auto [obj, depth] = stack.back();
    stack.pop_back();
    if (depth > _MAX_WALK_DEPTH) return nullptr;
    if ((obj->contains("brandName") || obj->contains("brand")) && (obj->contains("sku") || obj->contains("name")))
      return obj;
    for (auto it = obj->end(); it != obj->begin();) {
      --it;
      if (bj::object* child = it->value().if_object()) stack.emplace_back(child, depth + 1);
    }
  }
  return nullptr;
}

}  // namespace

// ---------------------------------------------------------------------------
// Extractors.

std::vector<boost::json::object> DestinationMetadataParser::_find_ld_json_products(std::string_view html) {
  std::vector<bj::object> products;
  BlockScanner blocks(html, _LD_JSON_SCRIPT_PATTERN, "script", true, "+");
  while (const auto body = blocks.next()) {
    const std::string_view content = trim_ws(*body);
    if (content.empty()) continue;
    const std::optional<bj::value> doc = json::parse(content);
    if (!doc) continue;  // a broken block is skipped on its own
    walk(*doc, products);
  }
  return products;
}

std::optional<boost::json::object> DestinationMetadataParser::_find_next_data_product(std::string_view html) {
  BlockScanner blocks(html, _NEXT_DATA_SCRIPT_PATTERN, "script", false, "__NEXT_DATA__");
  const auto body = blocks.next();
  if (!body) return std::nullopt;
  std::optional<bj::value> doc = json::parse(*body);
  if (!doc) return std::nullopt;
  bj::object* root = doc->if_object();
  if (root == nullptr) return std::nullopt;
  // A missing "props" or "pageProps" stands for an empty object, in which
  // nothing can be found; one that is present but not an object is a failure.
  bj::value* props = root->if_contains("props");
  if (props == nullptr) return std::nullopt;
  if (!props->is_object()) return std::nullopt;
  bj::value* page_props = props->get_object().if_contains("pageProps");
  if (page_props == nullptr) return std::nullopt;
  if (!page_props->is_object()) return std::nullopt;
  bj::object& pp = page_props->get_object();
  for (const std::string_view key : {"productTemplate", "product", "item", "productDetails"}) {
    if (bj::value* v = pp.if_contains(key); v != nullptr && v->is_object()) return std::move(v->get_object());
  }
  if (bj::object* found = search_dict(pp, 3)) return std::move(*found);
  return std::nullopt;
}

MetaTags DestinationMetadataParser::_extract_meta_tags(std::string_view html) {
  MetaTags tags;
  std::size_t pos = 0;
  std::size_t gt = npos;  // the first ">" at or after the last position searched
  while (true) {
    const std::size_t start = find_tag_start(html, pos, "meta", true);
    if (start == npos) break;
    const std::size_t after = start + 5;  // past "<meta"
    if (after >= html.size()) break;
    std::size_t ws_end = after;
    if (!text::is_space(text::next_code_point(html, ws_end))) {
      pos = start + 1;  // "<metadata", "<meta>": not a meta tag
      continue;
    }
    if (gt == npos || gt < after) gt = find_byte(html, '>', after);
    if (gt == npos) break;  // no tag can end anywhere further on
    pos = gt + 1;
    if (!meta_tag_matches(html, start, ws_end, gt)) continue;
    const std::string_view attrs = meta_attributes(html, after, gt);
    const auto prop = meta_name_value(attrs);
    if (!prop) continue;
    const auto content = meta_content_value(attrs);
    if (!content) continue;
    const std::string_view key = trim_ws(*prop);
    const std::string_view value = trim_ws(*content);
    if (key.empty() || value.empty()) continue;
    tags.insert_or_assign(text::to_lower(key), std::string(value));
  }
  return tags;
}

std::optional<std::string> DestinationMetadataParser::_extract_html_title(std::string_view html) {
  BlockScanner blocks(html, _TITLE_PATTERN, "title", true, "");
  const auto body = blocks.next();
  if (!body) return std::nullopt;
  return text::collapse_ws(*body);
}

}  // namespace tarvik::commerce
