// The merchant domain tables and the owner-name matching that files a seller under one category.
#include "tarvik/merchants/classifier.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "tarvik/util/text.hpp"

namespace tarvik::commerce {

using models::MerchantCategory;

const std::array<std::string_view, 19> MARKETPLACE_DOMAINS = {
    "amazon.com",   "amazon.co.uk",   "amazon.de",           "amazon.fr",        "amazon.ca",
    "amazon.co.jp", "ebay.com",       "ebay.co.uk",          "ebay.de",          "walmart.com",
    "target.com",   "aliexpress.com", "alibaba.com",         "temu.com",         "etsy.com",
    "bestbuy.com",  "rakuten.com",    "mercadolivre.com.br", "mercadolibre.com",
};

const std::array<std::string_view, 10> RESELLER_DOMAINS = {
    "stockx.com",      "goat.com",  "grailed.com",  "poshmark.com", "mercari.com",
    "therealreal.com", "rebag.com", "chrono24.com", "depop.com",    "vinted.com",
};

const std::array<std::string_view, 17> MULTI_TENANT_SUBDOMAINS = {
    "www", "store", "shop", "app", "m",  "us", "uk", "ca", "eu",
    "de",  "fr",    "es",   "it",  "jp", "cn", "in", "au",
};

namespace {

// Second-level labels that put the owner's label one further to the left (example.co.uk).
constexpr std::array<std::string_view, 6> GENERIC_SECOND_LEVEL = {"co", "com", "org", "net", "gov", "edu"};
// Words that never identify an owner on their own.
constexpr std::array<std::string_view, 3> STOP_WORDS = {"the", "and", "official"};
constexpr std::size_t MIN_OWNER_LENGTH = 3;
constexpr std::size_t MIN_WORD_LENGTH = 3;

template <std::size_t N>
bool in(const std::array<std::string_view, N>& set, std::string_view s) {
  return std::find(set.begin(), set.end(), s) != set.end();
}

constexpr bool is_alnum(char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

// Working text that stays on the stack when short, so typical calls do not allocate.
class Scratch {
 public:
  Scratch() = default;
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  char* reserve(std::size_t n) {
    if (n <= sizeof local_) return local_;
    heap_.resize(n);
    return heap_.data();
  }
  std::string_view adopt(std::string s) {
    heap_ = std::move(s);
    return heap_;
  }

 private:
  char local_[256];
  std::string heap_;
};

constexpr char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }
bool is_ascii_space(char c) { return (c >= 0x09 && c <= 0x0D) || (c >= 0x1C && c <= 0x20); }

// For each byte: its lower-case form when that is a-z or 0-9, else 0.
constexpr std::array<char, 256> ALNUM_LOWER = [] {
  std::array<char, 256> t{};
  for (int c = 0; c < 256; ++c) {
    const char l = ascii_lower(static_cast<char>(c));
    t[c] = is_alnum(l) ? l : '\0';
  }
  return t;
}();
char alnum_lower(char c) { return ALNUM_LOWER[static_cast<unsigned char>(c)]; }

// Full Unicode lower-casing, then trimming of Unicode whitespace; ASCII text
// takes a path without ICU and without allocation.
std::string_view lower_trimmed(std::string_view s, Scratch& buf) {
  std::size_t begin = 0, end = s.size();
  while (begin < end && is_ascii_space(s[begin])) ++begin;
  while (end > begin && is_ascii_space(s[end - 1])) --end;
  char* out = buf.reserve(end - begin);
  unsigned char high = 0;
  for (std::size_t i = begin; i < end; ++i) {
    high |= static_cast<unsigned char>(s[i]);
    out[i - begin] = ascii_lower(s[i]);
  }
  if (high >= 0x80) return text::trim(buf.adopt(text::to_lower(s)));
  return {out, end - begin};
}

// The text with every character other than a-z and 0-9 removed.
std::string_view alpha(std::string_view lowered, Scratch& buf) {
  char* out = buf.reserve(lowered.size());
  std::size_t n = 0;
  for (const char c : lowered)
    if (is_alnum(c)) out[n++] = c;
  return {out, n};
}

// Whether needle occurs in hay, in time linear in hay for long texts.
bool contains(std::string_view hay, std::string_view needle) {
  if (needle.size() > hay.size()) return false;
  if (needle.empty()) return true;
  if (hay.size() <= 64) {
    // Short texts: a plain scan beats the library searches' setup.
    const std::size_t last = hay.size() - needle.size();
    for (std::size_t i = 0; i <= last; ++i) {
      if (hay[i] != needle[0]) continue;
      std::size_t k = 1;
      while (k < needle.size() && hay[i + k] == needle[k]) ++k;
      if (k == needle.size()) return true;
    }
    return false;
  }
  // glibc's memmem bounds its work by the haystack length times at most 256,
  // switching to the linear two-way search for long needles.
  return ::memmem(hay.data(), hay.size(), needle.data(), needle.size()) != nullptr;
}

// Bit n set when some entry has n characters (n < 64).
template <std::size_t N>
std::uint64_t length_mask(const std::array<std::string_view, N>& table) {
  std::uint64_t mask = 0;
  for (const auto e : table)
    if (e.size() < 64) mask |= std::uint64_t{1} << e.size();
  return mask;
}

// The tables above are constant-initialised, so these are ready before any call.
const std::uint64_t MARKETPLACE_LENGTHS = length_mask(MARKETPLACE_DOMAINS);
const std::uint64_t RESELLER_LENGTHS = length_mask(RESELLER_DOMAINS);

// Whether the domain is an entry of the table or a subdomain of one: the whole
// domain or the part after one of its dots equals an entry.
template <std::size_t N>
bool listed(const std::array<std::string_view, N>& table, std::uint64_t lengths, std::string_view domain) {
  std::size_t pos = 0;
  for (;;) {
    const std::string_view suffix = domain.substr(pos);
    if (suffix.size() >= 64 || (lengths >> suffix.size()) & 1) {
      for (const std::string_view entry : table)
        if (entry == suffix) return true;
    }
    const std::size_t dot = domain.find('.', pos);
    if (dot == std::string_view::npos) return false;
    pos = dot + 1;
  }
}

// The owner label of a lower-cased, trimmed domain (a view into it).
std::string_view owner_label(std::string_view d) {
  // Drop leading generic labels, the last one included.
  std::size_t pos = 0;
  for (;;) {
    const std::size_t dot = d.find('.', pos);
    const std::string_view label =
        d.substr(pos, dot == std::string_view::npos ? std::string_view::npos : dot - pos);
    if (!in(MULTI_TENANT_SUBDOMAINS, label)) break;
    if (dot == std::string_view::npos) return {};
    pos = dot + 1;
  }
  const std::string_view rest = d.substr(pos);
  // The last three labels, right to left.
  std::string_view last[3];
  std::size_t count = 0;
  std::size_t end = rest.size();
  bool more = true;
  while (more && count < 3) {
    const std::size_t dot = end == 0 ? std::string_view::npos : rest.rfind('.', end - 1);
    const std::size_t start = dot == std::string_view::npos ? 0 : dot + 1;
    more = dot != std::string_view::npos;
    last[count++] = rest.substr(start, end - start);
    if (more) end = dot;
  }
  if (count >= 3 && in(GENERIC_SECOND_LEVEL, last[1])) return last[2];
  if (count >= 2) return last[1];
  return last[0];
}

// Substring queries against one long text in time linear in the query (suffix
// automaton), so many title words against a long owner label stay linear.
class SubstringIndex {
 public:
  explicit SubstringIndex(std::string_view s) {
    states_.reserve(2 * s.size() + 1);
    edges_.reserve(3 * s.size() + 1);
    states_.push_back({0, -1, -1});
    int last = 0;
    for (const char c : s) {
      const int cur = static_cast<int>(states_.size());
      states_.push_back({states_[last].len + 1, -1, -1});
      int p = last;
      while (p != -1 && next(p, c) == -1) {
        add_edge(p, c, cur);
        p = states_[p].link;
      }
      if (p == -1) {
        states_[cur].link = 0;
      } else {
        const int q = next(p, c);
        if (states_[p].len + 1 == states_[q].len) {
          states_[cur].link = q;
        } else {
          const int clone = static_cast<int>(states_.size());
          states_.push_back({states_[p].len + 1, states_[q].link, -1});
          for (int e = states_[q].first; e != -1; e = edges_[e].next)
            add_edge(clone, edges_[e].c, edges_[e].to);
          while (p != -1 && next(p, c) == q) {
            set_edge(p, c, clone);
            p = states_[p].link;
          }
          states_[q].link = clone;
          states_[cur].link = clone;
        }
      }
      last = cur;
    }
  }

  bool contains(std::string_view w) const {
    int s = 0;
    for (const char c : w) {
      s = next(s, c);
      if (s == -1) return false;
    }
    return true;
  }

 private:
  struct State {
    int len, link, first;
  };
  struct Edge {
    int to, next;
    char c;
  };

  int next(int s, char c) const {
    for (int e = states_[s].first; e != -1; e = edges_[e].next)
      if (edges_[e].c == c) return edges_[e].to;
    return -1;
  }
  void add_edge(int s, char c, int to) {
    edges_.push_back({to, states_[s].first, c});
    states_[s].first = static_cast<int>(edges_.size()) - 1;
  }
  void set_edge(int s, char c, int to) {
    for (int e = states_[s].first; e != -1; e = edges_[e].next)
      if (edges_[e].c == c) edges_[e].to = to;
  }

  std::vector<State> states_;
  std::vector<Edge> edges_;
};

// Above this owner-label length, or after this many words, word lookups go
// through a SubstringIndex.
constexpr std::size_t INDEX_THRESHOLD = 256;
constexpr std::size_t MAX_PLAIN_SEARCHES = 8;

}  // namespace

std::string MerchantClassifier::_extract_sld(std::string_view domain) {
  Scratch buf;
  return std::string(owner_label(lower_trimmed(domain, buf)));
}

bool MerchantClassifier::_is_match(std::string_view alpha_sld, std::string_view text) {
  if (text.empty()) return false;
  // ASCII text is lowered byte by byte on the fly; other text through ICU first
  // (after which ASCII lowering changes nothing).
  std::string icu_lowered;
  std::string_view src = text;
  Scratch alpha_buf;
  char* out = alpha_buf.reserve(src.size());
  // Branch-free collection: every byte is stored, only a-z and 0-9 advance.
  unsigned char high = 0;
  const auto collect = [&out, &high](std::string_view t) {
    std::size_t n = 0;
    for (const char c : t) {
      high |= static_cast<unsigned char>(c);
      const char l = alnum_lower(c);
      out[n] = l;
      n += l != '\0';
    }
    return n;
  };
  std::size_t n = collect(src);
  if (high >= 0x80) {
    icu_lowered = text::to_lower(text);
    src = icu_lowered;
    out = alpha_buf.reserve(src.size());
    n = collect(src);
  }
  const std::string_view alpha_text(out, n);
  if (alpha_text.empty()) return false;
  if (contains(alpha_text, alpha_sld) || contains(alpha_sld, alpha_text)) return true;

  // Words are the runs of a-z and 0-9, so each is a slice of the alpha text.
  std::optional<SubstringIndex> index;
  std::size_t searched = 0;
  bool kept = false;
  std::size_t i = 0, offset = 0;
  while (i < src.size()) {
    if (!alnum_lower(src[i])) {
      ++i;
      continue;
    }
    const std::size_t start = offset;
    while (i < src.size() && alnum_lower(src[i])) {
      ++i;
      ++offset;
    }
    const std::string_view word = alpha_text.substr(start, offset - start);
    if (word.size() < MIN_WORD_LENGTH || in(STOP_WORDS, word)) continue;
    kept = true;
    if (word.size() > alpha_sld.size()) return false;
    // A few plain searches; past that (many words, or a long label) an index
    // keeps the total work linear.
    if (alpha_sld.size() > INDEX_THRESHOLD || ++searched > MAX_PLAIN_SEARCHES) {
      if (!index) index.emplace(alpha_sld);
      if (!index->contains(word)) return false;
    } else if (!contains(alpha_sld, word)) {
      return false;
    }
  }
  return kept;
}

MerchantCategory MerchantClassifier::classify(std::string_view domain, std::string_view title,
                                              std::optional<std::string_view> brand,
                                              std::optional<std::string_view> merchant_name) {
  Scratch domain_buf;
  const std::string_view d = lower_trimmed(domain, domain_buf);
  if (d.empty()) return MerchantCategory::UNVERIFIED;
  if (listed(MARKETPLACE_DOMAINS, MARKETPLACE_LENGTHS, d)) return MerchantCategory::MAJOR_MARKETPLACE;
  if (listed(RESELLER_DOMAINS, RESELLER_LENGTHS, d)) return MerchantCategory::RESELLER_SPECIALIST;

  Scratch alpha_buf;
  const std::string_view owner = alpha(owner_label(d), alpha_buf);
  if (owner.size() < MIN_OWNER_LENGTH) return MerchantCategory::UNVERIFIED;
  if (brand && !brand->empty() && _is_match(owner, *brand)) return MerchantCategory::OFFICIAL_BRAND;
  if (merchant_name && !merchant_name->empty() && _is_match(owner, *merchant_name)) {
    return MerchantCategory::OFFICIAL_BRAND;
  }
  if (!title.empty() && _is_match(owner, title)) return MerchantCategory::OFFICIAL_BRAND;
  return MerchantCategory::UNVERIFIED;
}

}  // namespace tarvik::commerce
