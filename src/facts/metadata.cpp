// Assembly of one destination page's product facts: the working state starts
// from what the search result said, is refined by the page's structured data,
// meta tags, shop markup and URL, and ends as twelve flat facts.

#include "tarvik/facts/metadata.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include <boost/json.hpp>
#include <re2/re2.h>
#include <unicode/casemap.h>
#include <unicode/uchar.h>

#include "tarvik/merchants/classifier.hpp"
#include "tarvik/prices/normalizer.hpp"
#include "tarvik/links/unwrapper.hpp"
#include "tarvik/util/html.hpp"
#include "tarvik/util/json.hpp"
#include "tarvik/util/json_writer.hpp"
#include "tarvik/util/text.hpp"
#include "facts/metadata_extended.hpp"
#include "facts/metadata_scan.hpp"

namespace tarvik::commerce {
namespace {

namespace bj = boost::json;
using models::ItemCondition;
using models::NormalizedPrice;
using models::PageType;
using models::StockStatus;
using text::contains;

// The blogging platform whose pages count as articles in the Open Graph stage.
constexpr std::string_view MEDIUM_DOMAIN = "medium.com";

// Pages of this many characters or fewer are not read.
constexpr std::size_t MIN_PAGE_CHARS = 200;

// ---------------------------------------------------------------------------
// Markup patterns, compiled once. Case-insensitive ones use RE2's Unicode case
// folding. Where a digit is wanted any Unicode decimal digit is accepted (and
// converted), and word boundaries are Unicode-aware: RE2's \d and \b are ASCII.

const RE2& re(const char* pattern) {
  // Leaked on purpose: patterns live as long as the process and may be used
  // from any thread, also during static destruction of other units.
  auto* r = new RE2(pattern);
  if (!r->ok()) throw std::logic_error("bad built-in pattern: " + r->error());
  return *r;
}

struct Patterns {
  const RE2& shop_price = re(
      R"((?i)class=["'][^"']*woocommerce-Price-amount[^"']*["'][^>]*>(?:<bdi>)?(?:<span[^>]*>[^<]*</span>)?([\p{Nd},]+(?:\.\p{Nd}{2})?))");
  const RE2& micro_price = re(R"((?i)itemprop=["']price["'][^>]*content=["']([\p{Nd},]+(?:\.\p{Nd}{2})?)["'])");
  const RE2& micro_currency = re(R"((?i)itemprop=["']priceCurrency["'][^>]*content=["']([A-Z]{3})["'])");
  const RE2& sku_itemprop = re(R"((?i)itemprop=["']sku["'][^>]*content=["']([^"']+)["'])");
  const RE2& sku_span = re(R"((?i)<span[^>]*class=["'][^"']*sku[^"']*["'][^>]*>([^<]+)</span>)");
  const RE2& sku_data = re(R"((?i)data-product_sku=["']([^"']+)["'])");
  // A class attribute holding the word; a word character is a letter, a
  // number or "_", as in Unicode-aware regular expressions.
  const RE2& class_instock = re(R"((?i)class=["'](?:[^"']*[^"'\pL\pN_])?instock(?:[^"'\pL\pN_][^"']*)?["'])");
  // Either word, captured, to settle both in one pass over the page.
  const RE2& class_stock =
      re(R"((?i)class=["'](?:[^"']*[^"'\pL\pN_])?(instock|outofstock)(?:[^"'\pL\pN_][^"']*)?["'])");
};

const Patterns& patterns() {
  static const Patterns p;
  return p;
}

// ---------------------------------------------------------------------------
// Domain tests. A table entry matches only where it covers whole labels: it
// starts at the start of the domain or after a ".", and ends at the end of the
// domain or before a "." or ":" (so m.youtube.com and amazon.com.mx match
// their entries, while rolex.com does not match x.com).

bool domain_has(std::string_view domain, std::string_view entry) {
  if (entry.empty()) return false;
  for (std::size_t pos = domain.find(entry); pos != std::string_view::npos; pos = domain.find(entry, pos + 1)) {
    const std::size_t end = pos + entry.size();
    const bool starts = pos == 0 || domain[pos - 1] == '.';
    const bool ends = end == domain.size() || domain[end] == '.' || domain[end] == ':';
    if (starts && ends) return true;
  }
  return false;
}

template <class Table>
bool domain_in(std::string_view domain, const Table& table) {
  return std::any_of(std::begin(table), std::end(table), [&](std::string_view e) { return domain_has(domain, e); });
}

template <class Table>
bool contains_any(std::string_view hay, const Table& table) {
  return std::any_of(std::begin(table), std::end(table), [&](std::string_view e) { return contains(hay, e); });
}

bool is_generic_title(std::string_view lowered) {
  return std::find(GENERIC_TITLES.begin(), GENERIC_TITLES.end(), lowered) != GENERIC_TITLES.end();
}

// Lower-cased network location with every "www." removed (one left-to-right
// pass, linear also for hostile input).
std::string domain_of(std::string_view netloc) {
  const std::string lowered = text::to_lower(netloc);
  std::string out;
  out.reserve(lowered.size());
  std::size_t i = 0;
  while (i < lowered.size()) {
    const std::size_t hit = lowered.find("www.", i);
    if (hit == std::string::npos) {
      out.append(lowered, i, std::string::npos);
      break;
    }
    out.append(lowered, i, hit - i);
    i = hit + 4;
  }
  return out;
}

// ---------------------------------------------------------------------------
// JSON helpers.

const bj::value* get(const bj::object& o, std::string_view key) {
  const auto it = o.find(key);
  return it == o.end() ? nullptr : &it->value();
}

// The first truthy member among `keys`, or nullptr.
const bj::value* first_truthy(const bj::object& o, std::initializer_list<std::string_view> keys) {
  for (std::string_view k : keys)
    if (const bj::value* v = get(o, k); json::truthy(v)) return v;
  return nullptr;
}

// The first truthy member among `keys`; when none is truthy, the last key's
// member itself (nullptr when absent).
const bj::value* first_truthy_or_last(const bj::object& o, std::initializer_list<std::string_view> keys) {
  if (const bj::value* v = first_truthy(o, keys)) return v;
  return get(o, *(keys.end() - 1));
}

bool is_none(const bj::value* v) { return v == nullptr || v->is_null(); }

bool is_bool(const bj::value* v, bool b) { return v != nullptr && v->is_bool() && v->get_bool() == b; }

bool is_number_equal_zero(const bj::value* v) {
  const auto n = json::as_number(v);
  return n && *n == 0.0;
}

std::string trimmed(std::string_view s) { return std::string(text::trim(s)); }

std::string lowered_text_form(const bj::value* v) { return v ? text::to_lower(json::text_form(*v)) : std::string(); }

// ---------------------------------------------------------------------------
// Number conversion of markup prices: the digits (any Unicode decimal digit)
// without ",". None for nothing left, or for a value that is not finite.

std::optional<double> markup_amount(std::string_view group) {
  std::string ascii;
  ascii.reserve(group.size());
  std::size_t i = 0;
  while (i < group.size()) {
    const char32_t cp = text::next_code_point(group, i);
    if (cp == ',') continue;
    if (cp == '.') {
      ascii.push_back('.');
      continue;
    }
    const int32_t d = u_charDigitValue(static_cast<UChar32>(cp));
    if (d < 0 || d > 9) return std::nullopt;
    ascii.push_back(static_cast<char>('0' + d));
  }
  if (ascii.empty()) return std::nullopt;
  double v = 0;
  const auto res = std::from_chars(ascii.data(), ascii.data() + ascii.size(), v);
  if (res.ec != std::errc() || res.ptr != ascii.data() + ascii.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

// cents / 100 rounded to two decimals; none when the result is not finite.
std::optional<double> from_cents(double cents) {
  const double v = round2(cents / 100.0);
  if (!std::isfinite(v)) return std::nullopt;
  return v;
}

// ---------------------------------------------------------------------------
// Searches of the raw page.

bool ascii_ieq(char a, char b) {
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
  return lower(a) == lower(b);
}

// Whether the lower-case ASCII `term` stands at s[i], letters compared in
// ASCII case; a "k" also accepts U+212A KELVIN SIGN (it lower-cases to "k"),
// and with `long_s` an "s" also accepts U+017F LONG S, as RE2's (?i) folding
// does (no other non-ASCII letter matches an ASCII one). Advances i past it.
bool term_at(std::string_view s, std::size_t& i, std::string_view term, bool long_s = false) {
  std::size_t j = i;
  for (const char t : term) {
    if (j < s.size() && ascii_ieq(s[j], t)) {
      ++j;
    } else if (long_s && t == 's' && s.substr(j, 2) == "\xC5\xBF") {
      j += 2;
    } else if (t == 'k' && s.substr(j, 3) == "\xE2\x84\xAA") {
      j += 3;
    } else {
      return false;
    }
  }
  i = j;
  return true;
}

constexpr std::size_t npos = std::string_view::npos;

using scan::find_ascii_ci;

// The same under RE2's (?i) rule, where "s" also matches U+017F.
bool regex_term_at(std::string_view s, std::size_t& i, std::string_view term) {
  return term_at(s, i, term, true);
}

bool is_quote(char c) { return c == '"' || c == '\''; }

// What the markup searches need to know about the page before they run. The
// whole-page patterns are costly, so each first looks for literal text that
// every match of it contains; a page without it is not searched, and a search
// starts where the leftmost match can start at the earliest. Literal letters
// are compared in ASCII letter case, which is RE2's (?i) rule for every letter
// but "s" and "k": those also match U+017F and U+212A, so where they matter a
// page holding either character is searched as a whole.
class PageScan {
 public:
  explicit PageScan(std::string_view html) : html_(html) {}

  std::string_view html() const { return html_; }

  bool has_fold_letters() {
    if (!fold_letters_) {
      // Both characters' encodings (C5 BF, E2 84 AA) are told apart by their
      // first two bytes.
      fold_letters_ = scan::find_pair(html_, 0, '\xC5', 1, '\xBF', false, 0, [](std::size_t) { return true; }) != npos ||
                      scan::find_pair(html_, 0, '\xE2', 1, '\x84', false, 0,
                                      [&](std::size_t p) { return html_.substr(p, 3) == "\xE2\x84\xAA"; }) != npos;
    }
    return *fold_letters_;
  }

  // Whether the page may hold `word` (lower-case ASCII) under RE2's (?i)
  // rule. Exact for a page without U+017F and U+212A; a page with either may
  // hold any word with "s" or "k".
  bool may_hold(std::string_view word) {
    if (word.find_first_of("sk") != npos && has_fold_letters()) return true;
    return find_ascii_ci(html_, word) != npos;
  }

  // Position of the first `itemprop="<value>"` (either quote on either side),
  // or npos.
  std::size_t itemprop(std::string_view value) const {
    for (std::size_t p = find_ascii_ci(html_, "itemprop="); p != npos; p = find_ascii_ci(html_, "itemprop=", p + 1)) {
      std::size_t i = p + 9;
      if (i >= html_.size() || !is_quote(html_[i])) continue;
      ++i;
      if (regex_term_at(html_, i, value) && i < html_.size() && is_quote(html_[i])) return p;
    }
    return npos;
  }

  // Position of the first `data-product_sku=` followed by a quote, or npos.
  std::size_t data_product_sku() const {
    for (std::size_t p = find_ascii_ci(html_, "data-product_"); p != npos;
         p = find_ascii_ci(html_, "data-product_", p + 1)) {
      std::size_t i = p + 13;
      if (regex_term_at(html_, i, "sku=") && i < html_.size() && is_quote(html_[i])) return p;
    }
    return npos;
  }

  // Where a search for a <span> whose class holds "sku" may start, or npos
  // when none can match.
  std::size_t sku_span_start() {
    if (has_fold_letters()) return 0;
    if (find_ascii_ci(html_, "sku") == npos) return npos;
    return find_ascii_ci(html_, "<span");
  }

  // Where a search for a class attribute holding "instock" or "outofstock"
  // may start, or npos when none can match. Such a class value runs from its
  // opening quote to the word without a quote between, so a match that holds
  // the first "stock" of the page, or a later one, starts at the earliest
  // six bytes ("class=") before the last quote ahead of that first "stock".
  std::size_t class_stock_start() {
    if (has_fold_letters()) return 0;
    const std::size_t word = find_ascii_ci(html_, "stock");
    if (word == npos) return npos;
    std::size_t quote = 0;
    for (const char q : {'"', '\''}) {
      const void* hit = memrchr(html_.data(), q, word);
      if (hit != nullptr)
        quote = std::max(quote, static_cast<std::size_t>(static_cast<const char*>(hit) - html_.data()));
    }
    std::size_t start = quote >= 6 ? quote - 6 : 0;
    while (start > 0 && (static_cast<unsigned char>(html_[start]) & 0xC0) == 0x80) --start;
    return start;
  }

 private:
  std::string_view html_;
  std::optional<bool> fold_letters_;
};

// Whether the lower-cased page contains "schema.org/instock" and/or
// "schema.org/outofstock", found without lower-casing the page: the host part
// is matched ASCII-case-insensitively (no other character lower-cases to
// those letters), and a "k" of the term also accepts U+212A KELVIN SIGN, the
// one non-ASCII character that lower-cases to an ASCII letter used here
// (U+0130 lower-cases to "i" plus a combining dot, which never forms them).
struct SchemaStock {
  bool in = false;
  bool out = false;
};

SchemaStock schema_stock_terms(std::string_view html) {
  SchemaStock r;
  constexpr std::string_view host = "chema.org/";  // the "s" is checked below
  for (std::size_t start = find_ascii_ci(html, host); !r.in && start != npos;
       start = find_ascii_ci(html, host, start + host.size())) {
    const std::size_t end = start + host.size();
    if (start > 0 && (html[start - 1] == 's' || html[start - 1] == 'S')) {
      std::size_t i = end;
      if (term_at(html, i, "instock")) r.in = true;
      i = end;
      if (term_at(html, i, "outofstock")) r.out = true;
    }
  }
  return r;
}

// ---------------------------------------------------------------------------
// Title-casing of a URL segment: every letter that starts the text or follows
// a character that is not a letter takes its full title-case mapping, every
// other letter its full lower-case mapping; everything else is unchanged. A
// letter is a code point of general category L.

std::string title_case_run(std::string_view run) {
  // ICU takes 32-bit lengths; a run that long is left as it is.
  if (run.size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max() / 4)) return std::string(run);
  UErrorCode err = U_ZERO_ERROR;
  std::string out(run.size() * 3 + 16, '\0');
  const uint32_t options = U_TITLECASE_WHOLE_STRING | U_TITLECASE_NO_BREAK_ADJUSTMENT;
  int32_t n = icu::CaseMap::utf8ToTitle("", options, nullptr, run.data(), static_cast<int32_t>(run.size()),
                                        out.data(), static_cast<int32_t>(out.size()), nullptr, err);
  if (err == U_BUFFER_OVERFLOW_ERROR) {
    err = U_ZERO_ERROR;
    out.assign(static_cast<std::size_t>(n), '\0');
    n = icu::CaseMap::utf8ToTitle("", options, nullptr, run.data(), static_cast<int32_t>(run.size()), out.data(),
                                  static_cast<int32_t>(out.size()), nullptr, err);
  }
  if (U_FAILURE(err)) return std::string(run);
  out.resize(static_cast<std::size_t>(n));
  return out;
}

std::string title_case(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    std::size_t start = i;
    const bool letter = u_isalpha(static_cast<UChar32>(text::next_code_point(s, i)));
    std::size_t end = i;
    while (end < s.size()) {
      std::size_t k = end;
      if (static_cast<bool>(u_isalpha(static_cast<UChar32>(text::next_code_point(s, k)))) != letter) break;
      end = k;
    }
    i = end;
    const std::string_view run = s.substr(start, end - start);
    if (letter)
      out += title_case_run(run);
    else
      out.append(run);
  }
  return out;
}

// The last non-empty segment of a URL path, "-" and "_" as spaces,
// title-cased; none when the path has no non-empty segment.
std::optional<std::string> title_from_path(std::string_view path) {
  while (!path.empty() && path.front() == '/') path.remove_prefix(1);
  while (!path.empty() && path.back() == '/') path.remove_suffix(1);
  std::string_view last;
  std::size_t i = 0;
  while (i <= path.size()) {
    std::size_t slash = path.find('/', i);
    if (slash == std::string_view::npos) slash = path.size();
    if (slash > i) last = path.substr(i, slash - i);
    i = slash + 1;
  }
  if (last.empty()) return std::nullopt;
  std::string seg(last);
  std::replace(seg.begin(), seg.end(), '-', ' ');
  std::replace(seg.begin(), seg.end(), '_', ' ');
  return title_case(seg);
}

// ---------------------------------------------------------------------------
// Working state of one call.

struct State {
  std::string direct_url;
  std::string domain;
  std::string path;
  std::string query;
  std::string title;
  std::string merchant;
  std::optional<std::string> brand;
  std::optional<std::string> sku;
  std::optional<std::string> image;
  std::optional<double> amount;
  std::optional<std::string> currency;
  std::optional<StockStatus> stock;
  std::optional<ItemCondition> condition;
  PageType page_type = PageType::UNCATEGORIZED;
  std::string fetch_source = "serp_fallback";
  bool social = false;

  bool currency_empty() const { return !currency || currency->empty(); }
  bool brand_empty() const { return !brand || brand->empty(); }
  bool sku_empty() const { return !sku || sku->empty(); }
  bool image_empty() const { return !image || image->empty(); }

  void promote_for_structured_data() {
    if (page_type != PageType::MARKETPLACE) page_type = PageType::PRODUCT;
  }
  void promote_for_markup_price() {
    if (page_type == PageType::UNCATEGORIZED) page_type = PageType::PRODUCT;
  }
  // Amount and, when still empty, currency from a parsed price text.
  bool fill_from_parsed(const std::optional<NormalizedPrice>& p) {
    if (!p) return false;
    amount = p->amount();
    if (currency_empty()) currency = p->currency();
    return true;
  }
};

std::optional<NormalizedPrice> parse_price(const bj::value& v, std::optional<std::string_view> hint = std::nullopt) {
  return PriceNormalizer::parse(json::text_form(v), hint);
}

// ---------------------------------------------------------------------------
// JSON-LD offer: price, currency, stock and condition.

void read_ld_offer(State& st, const bj::value* offers) {
  const bj::object* offer = nullptr;
  if (offers && offers->is_object()) {
    offer = &offers->get_object();
  } else if (offers && offers->is_array() && !offers->get_array().empty()) {
    // A first entry that is not an object is treated as no offer.
    offer = offers->get_array().front().if_object();
  }
  if (!offer || offer->empty()) return;

  const bj::value* price = first_truthy_or_last(*offer, {"price", "lowPrice", "highPrice"});
  // A "priceCurrency" that is not text is treated as no hint.
  std::optional<std::string> hint;
  if (const bj::value* c = get(*offer, "priceCurrency"); c && c->is_string()) hint = std::string(c->get_string());

  if (!is_none(price)) {
    if (const auto parsed = parse_price(*price, hint)) {
      st.amount = parsed->amount();
      st.currency = parsed->currency();
    }
  }
  if (st.currency_empty()) st.currency = hint;

  const std::string availability = lowered_text_form(get(*offer, "availability"));
  if (contains(availability, "instock"))
    st.stock = StockStatus::IN_STOCK;
  else if (contains(availability, "outofstock") || contains(availability, "soldout"))
    st.stock = StockStatus::OUT_OF_STOCK;
  else if (contains(availability, "preorder"))
    st.stock = StockStatus::PREORDER;

  const std::string cond = lowered_text_form(get(*offer, "itemCondition"));
  if (contains(cond, "newcondition") || contains(cond, "new"))
    st.condition = ItemCondition::NEW;
  else if (contains(cond, "usedcondition") || contains(cond, "used"))
    st.condition = ItemCondition::USED;
  else if (contains(cond, "refurbishedcondition") || contains(cond, "refurbished"))
    st.condition = ItemCondition::REFURBISHED;
}

// Text form of a JSON-LD image value: the first element of a non-empty list,
// the text itself, or (for a whole image, not a variant's) an object's "url".
std::optional<std::string> image_of(const bj::value& v, bool object_url) {
  if (v.is_array()) {
    if (!v.get_array().empty()) return json::text_form(v.get_array().front());
    return std::nullopt;
  }
  if (v.is_string()) return std::string(v.get_string());
  if (object_url && v.is_object())
    if (const bj::value* url = get(v.get_object(), "url")) return json::text_form(*url);
  return std::nullopt;
}

void read_ld_product(State& st, const std::vector<bj::object>& products) {
  const bj::object* product = &products.front();
  for (const bj::object& p : products) {
    if (json::truthy(get(p, "offers")) || json::truthy(get(p, "sku")) || json::truthy(get(p, "hasVariant"))) {
      product = &p;
      break;
    }
  }
  st.fetch_source = "ld_json";
  st.promote_for_structured_data();

  if (const bj::value* name = get(*product, "name"); name && name->is_string()) {
    const std::string_view n = name->get_string();
    if (!text::is_blank(n)) st.title = trimmed(html::unescape(n));
  }

  if (const bj::value* brand = get(*product, "brand")) {
    if (brand->is_object()) {
      if (const bj::value* bn = get(brand->get_object(), "name")) st.brand = trimmed(json::text_form(*bn));
    } else if (brand->is_string()) {
      st.brand = trimmed(brand->get_string());
    }
  }

  if (const bj::value* sku = first_truthy(*product, {"sku", "gtin13", "gtin12", "gtin8", "mpn"}))
    st.sku = trimmed(json::text_form(*sku));

  if (const bj::value* image = get(*product, "image")) st.image = image_of(*image, true);

  const bj::value* offers = get(*product, "offers");
  if (!json::truthy(offers)) {
    if (const bj::value* variants = get(*product, "hasVariant"); variants && variants->is_array()) {
      for (const bj::value& vv : variants->get_array()) {
        const bj::object* variant = vv.if_object();
        if (!variant) continue;
        if (const bj::value* vo = get(*variant, "offers"); json::truthy(vo)) offers = vo;
        if (const bj::value* vs = get(*variant, "sku"); st.sku_empty() && json::truthy(vs))
          st.sku = trimmed(json::text_form(*vs));
        if (const bj::value* vi = get(*variant, "image"); st.image_empty() && json::truthy(vi))
          st.image = image_of(*vi, false);
        if (json::truthy(offers)) break;
      }
    }
  }
  if (!json::truthy(offers)) {
    for (const bj::object& p : products) {
      const bj::value* po = get(p, "offers");
      if (!json::truthy(po)) continue;
      offers = po;
      if (const bj::value* ps = get(p, "sku"); st.sku_empty() && json::truthy(ps))
        st.sku = trimmed(json::text_form(*ps));
      break;
    }
  }
  read_ld_offer(st, offers);
}

// ---------------------------------------------------------------------------
// Next-data product: title, brand, SKU, stock, price and condition.

// Amount from a cents value: taken when the value is truthy, a number and
// above zero. Returns whether the branch applied (even when the amount was
// not finite and so not taken).
bool fill_from_cents(State& st, const bj::value* cents) {
  const auto n = json::as_number(cents);
  if (!json::truthy(cents) || !n || !(*n > 0)) return false;
  if (const auto amount = from_cents(*n)) {
    st.amount = amount;
    if (st.currency_empty()) st.currency = "USD";
  }
  return true;
}

void read_next_data_stock_and_price(State& st, const bj::object& p) {
  bool sold_out = is_bool(get(p, "isSoldOut"), true) || is_bool(get(p, "isOutOfStock"), true) ||
                  is_bool(get(p, "outOfStock"), true) || is_bool(get(p, "inStock"), false) ||
                  is_bool(get(p, "isAvailable"), false) || is_bool(get(p, "available"), false);

  const std::string status = lowered_text_form(first_truthy(p, {"status", "stockStatus", "availability"}));
  for (std::string_view term : {"outofstock", "soldout", "sold_out", "unavailable"})
    if (contains(status, term)) sold_out = true;

  if (is_number_equal_zero(get(p, "sellingCount"))) sold_out = true;
  if (is_number_equal_zero(first_truthy_or_last(p, {"inventoryCount", "quantity", "stockCount"}))) sold_out = true;
  const bj::value* cents =
      first_truthy_or_last(p, {"lowestPriceCents", "newLowestPriceCents", "priceCents", "currentPriceCents"});
  if (is_number_equal_zero(cents)) sold_out = true;

  if (sold_out) {
    st.stock = StockStatus::OUT_OF_STOCK;
    st.amount.reset();
    return;
  }
  st.stock = StockStatus::IN_STOCK;
  if (!st.amount) {
    if (fill_from_cents(st, cents)) {
    } else if (const bj::value* price = get(p, "price"); json::truthy(price)) {
      st.fill_from_parsed(parse_price(*price));
    } else if (const bj::value* alt = first_truthy(p, {"currentPrice", "salePrice"})) {
      st.fill_from_parsed(parse_price(*alt));
    }
  }
  if (!st.amount) {
    const bj::value* retail = first_truthy_or_last(p, {"retailPriceCents", "specialDisplayPriceCents", "msrpCents"});
    if (fill_from_cents(st, retail)) {
    } else if (const bj::value* alt = first_truthy(p, {"retailPrice", "msrp"})) {
      st.fill_from_parsed(parse_price(*alt));
    }
  }
}

void read_next_data_product(State& st, const bj::object& p) {
  st.fetch_source = "next_data";
  st.promote_for_structured_data();

  if (const bj::value* name = first_truthy(p, {"name", "title"}); name && name->is_string()) {
    const std::string_view n = name->get_string();
    if (!text::is_blank(n)) st.title = trimmed(html::unescape(n));
  }
  if (const bj::value* brand = first_truthy(p, {"brandName", "brand"}); brand && brand->is_string()) {
    const std::string_view b = brand->get_string();
    if (!text::is_blank(b)) st.brand = trimmed(b);
  }
  if (const bj::value* sku = get(p, "sku"); json::truthy(sku)) st.sku = trimmed(json::text_form(*sku));

  read_next_data_stock_and_price(st, p);
  st.condition = ItemCondition::NEW;
}

// ---------------------------------------------------------------------------
// Open Graph stage and meta-tag fill-ins.

const std::string* meta_get(const MetaTags& meta, std::string_view key) {
  const auto it = meta.find(std::string(key));
  return it == meta.end() ? nullptr : &it->second;
}

void open_graph_stage(State& st, const MetaTags& meta) {
  const std::string* og = meta_get(meta, "og:type");
  const std::string og_type = og ? text::to_lower(*og) : std::string();
  if (contains(og_type, "product") || contains(st.direct_url, "/product")) {
    st.page_type = PageType::PRODUCT;
  } else if (contains(og_type, "article") || contains(st.direct_url, "/blog/") || contains(st.direct_url, "/news/") ||
             domain_has(st.domain, MEDIUM_DOMAIN)) {
    st.page_type = PageType::ARTICLE;
  }
  st.fetch_source = "opengraph";
}

void meta_fill_ins(State& st, const MetaTags& meta) {
  if (st.brand_empty() && !st.social) {
    const std::string* chosen = nullptr;
    auto short_enough = [](const std::string& v) {
      const std::size_t n = text::length(v);
      return n >= 2 && n <= 30;
    };
    if (const std::string* v = meta_get(meta, "og:brand")) {
      chosen = v;
    } else if (const std::string* v2 = meta_get(meta, "product:brand")) {
      chosen = v2;
    } else if (const std::string* a = meta_get(meta, "author"); a && short_enough(*a) && !contains(*a, "http")) {
      chosen = a;
    } else if (const std::string* s = meta_get(meta, "og:site_name"); s && short_enough(*s)) {
      chosen = s;
    }
    if (chosen) st.brand = html::unescape(*chosen);
  }

  if (st.image_empty())
    if (const std::string* img = meta_get(meta, "og:image")) st.image = html::unescape(*img);

  const std::string* meta_currency = meta_get(meta, "product:price:currency");
  if (!st.amount)
    if (const std::string* a = meta_get(meta, "product:price:amount"))
      st.fill_from_parsed(PriceNormalizer::parse(*a, meta_currency ? std::optional<std::string_view>(*meta_currency)
                                                                   : std::nullopt));
  if (st.currency_empty() && meta_currency) st.currency = text::to_upper(*meta_currency);

  if (!st.stock)
    if (const std::string* av = meta_get(meta, "product:availability")) {
      const std::string a = text::to_lower(*av);
      if (contains(a, "instock"))
        st.stock = StockStatus::IN_STOCK;
      else if (contains(a, "outofstock"))
        st.stock = StockStatus::OUT_OF_STOCK;
    }
}

// ---------------------------------------------------------------------------
// Markup fallbacks (pages of non-social domains).

// The leftmost match of `re` that starts at or after `from` (no match starts
// before it), found by RE2's automata alone. Where a group's bounds follow
// from the whole match, taking them by hand keeps a hostile page with a huge
// match off the much slower submatch engine.
std::optional<std::string_view> whole_match(const RE2& re, std::string_view html, std::size_t from = 0) {
  if (from == npos) return std::nullopt;
  re2::StringPiece m;
  if (!re.Match(html, from, html.size(), RE2::UNANCHORED, &m, 1)) return std::nullopt;
  return std::string_view(m.data(), m.size());
}

// Group 1 of the leftmost match of `re` that starts at or after `from`.
std::optional<std::string_view> group_match(const RE2& re, std::string_view html, std::size_t from = 0) {
  if (from == npos) return std::nullopt;
  re2::StringPiece m[2];
  if (!re.Match(html, from, html.size(), RE2::UNANCHORED, m, 2)) return std::nullopt;
  return std::string_view(m[1].data(), m[1].size());
}

// The group of a match that ends in ["']([^"']+)["']: the text between its
// last two quotes.
std::string_view quoted_tail(std::string_view m) {
  const std::size_t open = m.find_last_of("\"'", m.size() - 2);
  return m.substr(open + 1, m.size() - 2 - open);
}

// The group of a match that ends in >(digits): the text after its last ">".
std::string_view after_last_gt(std::string_view m) { return m.substr(m.find_last_of('>') + 1); }

void markup_price(State& st, PageScan& scan) {
  const Patterns& pt = patterns();
  const std::string_view html = scan.html();
  // Both price patterns hold "price" (letters without non-ASCII partners).
  if (st.amount || find_ascii_ci(html, "price") == npos) return;
  if (find_ascii_ci(html, "woocommerce-price-amount") != npos)
    if (const auto m = whole_match(pt.shop_price, html))
      if (const auto v = markup_amount(after_last_gt(*m))) {
        st.amount = v;
        if (st.currency_empty()) st.currency = "USD";
        st.promote_for_markup_price();
      }
  if (!st.amount)
    if (const auto m = whole_match(pt.micro_price, html, scan.itemprop("price")))
      if (const auto v = markup_amount(quoted_tail(*m))) {
        st.amount = v;
          if (const auto c = whole_match(pt.micro_currency, html, scan.itemprop("pricecurrency")))
          st.currency = text::to_upper(quoted_tail(*c));
        st.promote_for_markup_price();
      }
}

void markup_sku(State& st, PageScan& scan) {
  if (!st.sku_empty()) return;
  const Patterns& pt = patterns();
  const std::string_view html = scan.html();
  // All three patterns hold "sku".
  if (!scan.may_hold("sku")) return;
  std::optional<std::string_view> group;
  if (const auto m = whole_match(pt.sku_itemprop, html, scan.itemprop("sku"))) {
    group = quoted_tail(*m);
  } else if (const auto g = group_match(pt.sku_span, html, scan.sku_span_start())) {
    group = g;
  } else if (const auto d = whole_match(pt.sku_data, html, scan.data_product_sku())) {
    group = quoted_tail(*d);
  }
  if (!group) return;
  // A blank value leaves the SKU empty; the later patterns are not tried.
  const std::string_view v = text::trim(*group);
  if (!v.empty()) st.sku = std::string(v);
}

void markup_stock(State& st, PageScan& scan) {
  if (st.stock) return;
  const Patterns& pt = patterns();
  const std::string_view html = scan.html();
  // In stock when the page has either in-stock sign anywhere; otherwise out
  // of stock when it has either out-of-stock sign.
  // Every sign holds "stock" (in the schema.org terms only its "k" may be
  // U+212A).
  if (!scan.may_hold("stock")) return;
  const SchemaStock schema = schema_stock_terms(html);
  if (schema.in) {
    st.stock = StockStatus::IN_STOCK;
    return;
  }
  const std::size_t from = scan.class_stock_start();
  if (const auto word = group_match(pt.class_stock, html, from)) {
    const bool in = (*word)[0] == 'i' || (*word)[0] == 'I';
    st.stock = in || whole_match(pt.class_instock, html, from) ? StockStatus::IN_STOCK : StockStatus::OUT_OF_STOCK;
  } else if (schema.out) {
    st.stock = StockStatus::OUT_OF_STOCK;
  }
}

// Replaces a missing, generic, very short or merchant-equal title with the
// page's own "og:title" or document title.
void title_from_page(State& st, const MetaTags& meta, const std::optional<std::string>& html_title) {
  const std::string lt = text::to_lower(st.title);
  if (!(is_generic_title(lt) || text::length(st.title) <= 3 || lt == text::to_lower(st.merchant))) return;
  if (const std::string* og = meta_get(meta, "og:title"); og && !og->empty() && !is_generic_title(text::to_lower(*og))) {
    st.title = html::unescape(*og);
  } else if (html_title && !html_title->empty() && !is_generic_title(text::to_lower(*html_title))) {
    st.title = html::unescape(*html_title);
  }
}

// What the rules extracted from a page, kept for the extended mode.
struct PageReading {
  MetaTags meta;
  std::vector<bj::object> products;
};

PageReading read_page(State& st, std::string_view html) {
  MetaTags meta = DestinationMetadataParser::_extract_meta_tags(html);
  std::vector<bj::object> products = DestinationMetadataParser::_find_ld_json_products(html);
  const std::optional<bj::object> next_data = DestinationMetadataParser::_find_next_data_product(html);
  const std::optional<std::string> html_title = DestinationMetadataParser::_extract_html_title(html);

  if (!st.social && !products.empty())
    read_ld_product(st, products);
  else if (!st.social && next_data && !next_data->empty())
    read_next_data_product(st, *next_data);

  if (st.fetch_source == "serp_fallback" && !st.social) open_graph_stage(st, meta);
  meta_fill_ins(st, meta);

  if (!st.social) {
    PageScan scan(html);
    markup_price(st, scan);
    markup_sku(st, scan);
    markup_stock(st, scan);
  }
  title_from_page(st, meta, html_title);
  return {std::move(meta), std::move(products)};
}

// ---------------------------------------------------------------------------
// Steps for every item, read or not.

void title_from_url(State& st) {
  if (!is_generic_title(text::to_lower(st.title))) return;
  if (text::length(st.merchant) > 5 && !contains(st.domain, text::to_lower(st.merchant))) {
    st.title = st.merchant;
    st.merchant = st.domain;
    return;
  }
  if (auto t = title_from_path(st.path)) st.title = std::move(*t);
}

void swap_title_and_merchant(State& st) {
  if (text::split_ws(st.title).size() > 1 || st.merchant.empty() || text::split_ws(st.merchant).size() < 3) return;
  if (st.brand_empty()) st.brand = st.title;
  std::swap(st.title, st.merchant);
}

constexpr std::string_view PRODUCT_PATH_FRAGMENTS[] = {"/product", "/products/", "/item/", "/goods/"};

// The page type the path rules give a page the reading left uncategorised.
PageType final_page_type(const State& st) {
  if (st.page_type != PageType::UNCATEGORIZED || st.social) return st.page_type;
  const std::string path = text::to_lower(st.path);
  const std::string title = text::to_lower(st.title);
  if (st.amount ||
      (contains_any(path, PRODUCT_PATH_FRAGMENTS) && (st.sku.has_value() || st.fetch_source != "serp_fallback")))
    return PageType::PRODUCT;
  if (contains_any(path, ARTICLE_PATH_PATTERNS) || domain_in(st.domain, EDITORIAL_DOMAINS)) return PageType::ARTICLE;
  if (contains_any(path, PORTFOLIO_PATH_PATTERNS) || contains_any(title, PORTFOLIO_KEYWORDS) ||
      domain_in(st.domain, PORTFOLIO_DOMAINS))
    return PageType::PORTFOLIO;
  if (contains_any(path, CATALOG_PATH_PATTERNS) || st.domain.ends_with(".shop") || st.domain.ends_with(".store") ||
      st.domain.ends_with(".boutique"))
    return PageType::PRODUCT;
  return st.page_type;
}

bool is_product_like(PageType t) { return t == PageType::PRODUCT || t == PageType::MARKETPLACE; }

std::int64_t match_score(std::int64_t rank, std::string_view title, const std::optional<std::string>& brand) {
  // Wide arithmetic: a hostile rank must not overflow.
  const __int128 raw = static_cast<__int128>(98) - static_cast<__int128>(3) * (static_cast<__int128>(rank) - 1);
  const __int128 top = std::numeric_limits<std::int64_t>::max();
  std::int64_t score = static_cast<std::int64_t>(std::clamp<__int128>(raw, 50, top));
  if (brand && !brand->empty() && contains(text::to_lower(title), text::to_lower(*brand)))
    score = std::min<std::int64_t>(score >= top - 2 ? score : score + 2, 99);
  return score;
}

std::optional<NormalizedPrice> price_record(const State& st) {
  if (!st.amount || !std::isfinite(*st.amount) || *st.amount < 0) return std::nullopt;
  const std::string currency = st.currency_empty() ? std::string("USD") : *st.currency;
  char buf[400];
  const auto res = std::to_chars(buf, buf + sizeof buf, *st.amount, std::chars_format::fixed, 2);
  if (res.ec != std::errc()) return std::nullopt;
  std::string raw(buf, res.ptr);
  raw += ' ';
  raw += currency;
  return NormalizedPrice(std::move(raw), *st.amount, currency);
}

// The facts the final steps decide from the state as it stands: the page
// type by the path rules; on a product page the condition and stock the title
// implies and the merchant standing in for a missing brand; on any other page
// no SKU, stock or condition. The state itself is left as it is, so the
// extended mode can learn the rules' own facts before it fills any.
extended::Decided decide(const State& st, std::int64_t rank) {
  extended::Decided d;
  d.page_type = final_page_type(st);
  d.brand = st.brand;
  if (is_product_like(d.page_type)) {
    d.sku = st.sku;
    d.stock_status = st.stock;
    d.condition = st.condition;
    const std::string title = text::to_lower(st.title);
    if (!d.condition) {
      if (contains(title, "refurbished") || contains(title, "renewed"))
        d.condition = ItemCondition::REFURBISHED;
      else if (contains(title, "pre-owned") || contains(title, "vintage") || contains(title, "used") ||
               contains(title, "thrift"))
        d.condition = ItemCondition::USED;
    }
    if (!d.stock_status && st.amount && !contains(title, "sold out") && !contains(title, "out of stock"))
      d.stock_status = StockStatus::IN_STOCK;
    if (st.brand_empty() && text::length(st.merchant) > 2 && !contains(st.domain, text::to_lower(st.merchant)))
      d.brand = st.merchant;
  }
  d.price = price_record(st);
  d.match_score = match_score(rank, st.title, d.brand);
  return d;
}

std::string valid_text(std::string_view s) { return text::is_valid_utf8(s) ? std::string(s) : text::repair_utf8(s); }

bool longer_than(std::string_view s, std::size_t chars) {
  // A code point takes at most four bytes.
  if (s.size() > 4 * chars) return true;
  if (s.size() <= chars) return false;
  // Counts no further than needed.
  return text::prefix(s, chars).size() < s.size();
}

// The facts of a page once every step has run.
PageFacts finish(State st, std::int64_t rank) {
  extended::Decided d = decide(st, rank);
  PageFacts facts;
  facts.match_score = d.match_score;
  facts.title = trimmed(text::collapse_ws(html::unescape(st.title)));
  facts.merchant_name = std::move(st.merchant);
  facts.brand = std::move(d.brand);
  facts.sku = std::move(d.sku);
  facts.price = std::move(d.price);
  facts.stock_status = d.stock_status;
  facts.condition = d.condition;
  facts.primary_image_url = std::move(st.image);
  facts.shipping_info = std::nullopt;
  facts.page_type = d.page_type;
  facts.fetch_source = std::move(st.fetch_source);
  return facts;
}

}  // namespace

PageFacts DestinationMetadataParser::parse_metadata(std::optional<std::string_view> html, std::string_view direct_url,
                                                    std::string_view initial_title,
                                                    std::string_view initial_merchant,
                                                    const std::optional<models::NormalizedPrice>& initial_price,
                                                    std::optional<bool> initial_stock, std::int64_t rank,
                                                    ExtractionMode mode) {
  State st;
  st.direct_url = valid_text(direct_url);
  try {
    SplitURL parts = split_url(st.direct_url);
    st.domain = domain_of(parts.netloc);
    st.path = std::move(parts.path);
    st.query = std::move(parts.query);
  } catch (const InvalidURLError&) {
    // A URL that cannot be split has no domain and no path.
  }
  st.title = trimmed(html::unescape(valid_text(initial_title)));
  st.merchant = trimmed(valid_text(initial_merchant));
  if (st.merchant.empty()) st.merchant = st.domain;
  if (initial_price) {
    st.amount = initial_price->amount();
    st.currency = initial_price->currency();
  }
  if (initial_stock) st.stock = *initial_stock ? StockStatus::IN_STOCK : StockStatus::OUT_OF_STOCK;

  if (domain_in(st.domain, SOCIAL_DOMAINS)) {
    st.social = true;
    st.page_type = PageType::SOCIAL;
  } else if (domain_in(st.domain, MARKETPLACE_DOMAINS)) {
    st.page_type = PageType::MARKETPLACE;
  }

  std::optional<PageReading> reading;
  std::string repaired;
  std::string_view page;
  if (html && longer_than(*html, MIN_PAGE_CHARS)) {
    if (text::is_valid_utf8(*html)) {
      page = *html;
      reading = read_page(st, page);
    } else {
      repaired = text::repair_utf8(*html);
      if (longer_than(repaired, MIN_PAGE_CHARS)) {
        page = repaired;
        reading = read_page(st, page);
      }
    }
  }

  title_from_url(st);
  swap_title_and_merchant(st);
  if (mode == ExtractionMode::OFF) return finish(std::move(st), rank);

  // The rules' own facts, to tell what the mode filled or changed.
  const extended::Decided rules = decide(st, rank);
  extended::Origins origins;
  if (reading && !st.social) {
    // The mode fills and changes the state's own fields.
    extended::Fields fields{.amount = st.amount,
                            .currency = st.currency,
                            .sku = st.sku,
                            .stock = st.stock,
                            .rules_price = rules.price.has_value(),
                            .rules_sku = rules.sku.has_value(),
                            .rules_stock = rules.stock_status.has_value()};
    const extended::PageView view{page,          st.path,           st.query,        st.domain,
                                  reading->meta, reading->products, rules.page_type};
    origins = extended::run(view, fields, mode);
    // A page the mode's gate admitted and filled is a product page, so the
    // final step keeps the SKU and stock it filled.
    if (origins.product_page && origins.filled() && !is_product_like(rules.page_type))
      st.page_type = PageType::PRODUCT;
  }
  PageFacts facts = finish(std::move(st), rank);
  facts.sources = extended::sources(rules, facts, origins);
  return facts;
}

std::string PageFacts::to_json() const { return model_dump_json(); }

std::string PageFacts::model_dump_json(int indent, bool exclude_none) const {
  json::JsonWriter w(indent);
  // A key with its value, unless the value is none and nones are left out.
  const auto field = [&](std::string_view key, const auto& v) {
    if (exclude_none && !v) return;
    w.key(key);
    if (!v) {
      w.null();
    } else if constexpr (std::is_same_v<std::decay_t<decltype(*v)>, std::string>) {
      w.value(*v);
    } else {
      w.value(models::value(*v));
    }
  };
  w.begin_object();
  w.key("title").value(title);
  w.key("merchant_name").value(merchant_name);
  field("brand", brand);
  field("sku", sku);
  if (price || !exclude_none) {
    w.key("price");
    models::write_json(w, price);
  }
  field("stock_status", stock_status);
  field("condition", condition);
  field("primary_image_url", primary_image_url);
  field("shipping_info", shipping_info);
  w.key("page_type").value(models::value(page_type));
  w.key("match_score").value(match_score);
  w.key("fetch_source").value(fetch_source);
  if (sources) {
    w.key("sources").begin_object();
    for (const auto& [key, feature] : *sources) w.key(key).value(feature);
    w.end_object();
  }
  w.end_object();
  return w.take();
}

}  // namespace tarvik::commerce
