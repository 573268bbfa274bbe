// URL splitting that keeps each part as written, query decoding, and the unwrapping built on them.
#include "tarvik/links/unwrapper.hpp"

#include <arpa/inet.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <netinet/in.h>
#include <unordered_map>

#include <boost/container/small_vector.hpp>

#include "tarvik/util/text.hpp"

namespace tarvik::commerce {
namespace {

using boost::container::small_vector;

// Schemes that normally carry a network location: joining writes "//" after
// them even when the network location is empty, so "http:///p" keeps its
// three slashes.
constexpr std::array<std::string_view, 25> USES_NETLOC = {
    "ftp",    "http", "gopher",  "nntp",    "telnet", "imap", "wais",     "file", "mms",
    "https",  "shttp", "snews",  "prospero", "rtsp",  "rtspu", "rsync",   "svn",  "svn+ssh",
    "sftp",   "nfs",  "git",     "git+ssh", "ws",     "wss",  "itms-services"};

constexpr std::string_view TEXT_DIRECTIVE = ":~:text=";
constexpr std::string_view DIRECTIVE_PREFIX = ":~:";
constexpr std::string_view REDIRECT_PATH = "/url";
// Longest network location quoted in an error message, in code points.
constexpr std::size_t MAX_QUOTED = 120;

bool is_ascii_alpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool is_ascii_digit(char c) { return c >= '0' && c <= '9'; }
bool is_hex_digit(char c) {
  return is_ascii_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return c - 'A' + 10;
}
char ascii_lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// Bytes that form-encoding leaves as they are.
bool is_form_safe(unsigned char c) {
  return is_ascii_alpha(static_cast<char>(c)) || is_ascii_digit(static_cast<char>(c)) || c == '_' ||
         c == '.' || c == '-' || c == '~';
}

// Position of the first of the characters `Cs` in `s` from `from` on, or npos
// (std::string_view::find_first_of calls memchr once per character).
template <char... Cs>
std::size_t find_any(std::string_view s, std::size_t from = 0) {
  for (std::size_t i = from; i < s.size(); ++i)
    if (((s[i] == Cs) || ...)) return i;
  return std::string_view::npos;
}

bool uses_netloc(std::string_view scheme) {
  return std::find(USES_NETLOC.begin(), USES_NETLOC.end(), scheme) != USES_NETLOC.end();
}

// ---------------------------------------------------------------------------
// Splitting

// The six components as views into the cleaned input (the scheme is owned
// because it is lower-cased; schemes fit the small-string buffer).
struct Parts {
  std::string scheme;
  std::string_view netloc;
  std::string_view path;
  std::string_view params;
  std::string_view query;
  std::string_view fragment;
};

[[noreturn]] void fail(std::string_view netloc, std::string_view why) {
  std::string msg = "invalid URL: network location '";
  const std::string_view shown = text::prefix(netloc, MAX_QUOTED);
  msg.append(shown);
  if (shown.size() < netloc.size()) msg.append("...");
  msg.append("' ");
  msg.append(why);
  throw InvalidURLError(msg);
}

bool is_ipv4(std::string_view s) {
  char buf[INET_ADDRSTRLEN + 1];
  if (s.size() >= sizeof buf) return false;
  std::memcpy(buf, s.data(), s.size());
  buf[s.size()] = '\0';
  in_addr addr;
  return inet_pton(AF_INET, buf, &addr) == 1;
}

bool is_ipv6(std::string_view s) {
  char buf[INET6_ADDRSTRLEN + 1];
  if (s.size() >= sizeof buf) return false;
  std::memcpy(buf, s.data(), s.size());
  buf[s.size()] = '\0';
  in6_addr addr;
  return inet_pton(AF_INET6, buf, &addr) == 1;
}

// The text between square brackets: an IPv6 address, optionally with a zone
// id ("%" and a non-empty name without another "%"), or the IPvFuture form
// "v" hex-digits "." something.
void check_bracketed_host(std::string_view netloc, std::string_view host) {
  if (!host.empty() && (host.front() == 'v' || host.front() == 'V')) {
    std::size_t i = 1;
    while (i < host.size() && is_hex_digit(host[i])) ++i;
    if (i == 1 || i + 1 >= host.size() || host[i] != '.')
      fail(netloc, "holds an invalid IPvFuture address in square brackets");
    return;
  }
  std::string_view addr = host;
  if (const std::size_t pct = host.find('%'); pct != std::string_view::npos) {
    const std::string_view zone = host.substr(pct + 1);
    if (zone.empty() || zone.find('%') != std::string_view::npos)
      fail(netloc, "holds an IPv6 address with an invalid zone id");
    addr = host.substr(0, pct);
  }
  if (is_ipv6(addr)) return;
  if (is_ipv4(host)) fail(netloc, "holds an IPv4 address in square brackets");
  fail(netloc, "holds text in square brackets that is not an IPv6 address");
}

void check_brackets(std::string_view netloc) {
  const bool open = netloc.find('[') != std::string_view::npos;
  const bool close = netloc.find(']') != std::string_view::npos;
  if (!open && !close) return;
  if (open != close) fail(netloc, "has unbalanced square brackets");
  // The host (and port) follow the last "@".
  std::string_view host_port = netloc;
  if (const std::size_t at = netloc.rfind('@'); at != std::string_view::npos)
    host_port = netloc.substr(at + 1);
  std::string_view host;
  if (const std::size_t ob = host_port.find('['); ob != std::string_view::npos) {
    if (ob != 0) fail(netloc, "has text before the '[' of its host");
    const std::string_view inner = host_port.substr(1);
    const std::size_t cb = inner.find(']');
    host = inner.substr(0, cb);
    const std::string_view port = cb == std::string_view::npos ? std::string_view{} : inner.substr(cb + 1);
    if (!port.empty() && port.front() != ':') fail(netloc, "has text after the ']' of its host");
  } else {
    host = host_port.substr(0, host_port.find(']'));
  }
  check_bracketed_host(netloc, host);
}

// A non-ASCII network location must not gain a delimiter under compatibility
// normalisation ("\u2100" becomes "a/c", "\uFF03" becomes "#"): such a host
// would mean something else to the next program that normalises it.
void check_normalisation(std::string_view netloc) {
  if (netloc.empty() || text::is_ascii(netloc)) return;
  std::string n;
  n.reserve(netloc.size());
  for (char c : netloc)
    if (c != '@' && c != ':' && c != '#' && c != '?') n.push_back(c);
  const std::string normalised = text::nfkc(n);
  if (normalised == n) return;
  if (normalised.find_first_of("/?#@:") != std::string::npos)
    fail(netloc, "contains characters that turn into '/', '?', '#', '@' or ':' under NFKC normalisation");
}

// Splits `url` into views. `storage` receives a cleaned copy of the input when
// the input needs repair or holds tab, CR or LF; the views then point into it.
Parts split_views(std::string_view url, std::string& storage) {
  if (!text::is_valid_utf8(url)) {
    storage = text::repair_utf8(url);
    url = storage;
  }
  // Leading C0 controls and spaces.
  std::size_t start = 0;
  while (start < url.size() && static_cast<unsigned char>(url[start]) <= 0x20) ++start;
  url.remove_prefix(start);
  // Tab, CR and LF anywhere.
  if (find_any<'\t', '\r', '\n'>(url) != std::string_view::npos) {
    std::string cleaned;
    cleaned.reserve(url.size());
    for (char c : url)
      if (c != '\t' && c != '\r' && c != '\n') cleaned.push_back(c);
    storage = std::move(cleaned);
    url = storage;
  }

  Parts p;
  if (const std::size_t colon = url.find(':'); colon != std::string_view::npos && colon > 0 &&
                                                  is_ascii_alpha(url.front())) {
    const std::string_view s = url.substr(0, colon);
    const bool ok = std::all_of(s.begin(), s.end(), [](char c) {
      return is_ascii_alpha(c) || is_ascii_digit(c) || c == '+' || c == '-' || c == '.';
    });
    if (ok) {
      p.scheme.resize(s.size());
      std::transform(s.begin(), s.end(), p.scheme.begin(), ascii_lower);
      url.remove_prefix(colon + 1);
    }
  }
  if (url.size() >= 2 && url[0] == '/' && url[1] == '/') {
    const std::size_t end = find_any<'/', '?', '#'>(url, 2);
    p.netloc = url.substr(2, end == std::string_view::npos ? std::string_view::npos : end - 2);
    url = end == std::string_view::npos ? std::string_view{} : url.substr(end);
    check_brackets(p.netloc);
  }
  if (const std::size_t hash = url.find('#'); hash != std::string_view::npos) {
    p.fragment = url.substr(hash + 1);
    url = url.substr(0, hash);
  }
  if (const std::size_t q = url.find('?'); q != std::string_view::npos) {
    p.query = url.substr(q + 1);
    url = url.substr(0, q);
  }
  check_normalisation(p.netloc);

  // Path parameters: after the first ";" of the last path segment.
  const std::size_t slash = url.rfind('/');
  const std::size_t semi = url.find(';', slash == std::string_view::npos ? 0 : slash);
  if (semi != std::string_view::npos) {
    p.params = url.substr(semi + 1);
    url = url.substr(0, semi);
  }
  p.path = url;
  return p;
}

// Appends scheme, network location, path and parameters by the generic
// syntax: "//" before the network location (a path that does not start with
// "/" then gets one), and also with an empty network location before a path
// starting with "//", or before an empty path or one starting with "/" when
// the scheme normally has a network location; ";" only before non-empty
// parameters.
void join_head(std::string& out, std::string_view scheme, std::string_view netloc, std::string_view path,
               std::string_view params) {
  if (!scheme.empty()) {
    out.append(scheme);
    out.push_back(':');
  }
  // The parameters are part of the path for the "//" rules.
  const bool path_empty = path.empty() && params.empty();
  const char first = !path.empty() ? path.front() : (!params.empty() ? ';' : '\0');
  if (!netloc.empty()) {
    out.append("//");
    out.append(netloc);
    if (!path_empty && first != '/') out.push_back('/');
  } else if (path.starts_with("//")) {
    out.append("//");
  } else if (!scheme.empty() && uses_netloc(scheme) && (path_empty || first == '/')) {
    out.append("//");
  }
  out.append(path);
  if (!params.empty()) {
    out.push_back(';');
    out.append(params);
  }
}

void join_into(std::string& out, std::string_view scheme, std::string_view netloc, std::string_view path,
               std::string_view params, std::string_view query, std::string_view fragment) {
  join_head(out, scheme, netloc, path, params);
  if (!query.empty()) {
    out.push_back('?');
    out.append(query);
  }
  if (!fragment.empty()) {
    out.push_back('#');
    out.append(fragment);
  }
}

// ---------------------------------------------------------------------------
// Query decoding and encoding

// Form-style decoding of one key or value into `out` ("+" is a space,
// percent-escapes decoded, invalid UTF-8 replaced by U+FFFD, invalid escapes
// kept as written).
void form_decode_into(std::string_view s, std::string& out) {
  out.clear();
  bool high = false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '+') {
      out.push_back(' ');
    } else if (c == '%' && i + 2 < s.size() && is_hex_digit(s[i + 1]) && is_hex_digit(s[i + 2])) {
      const auto b = static_cast<char>(hex_value(s[i + 1]) * 16 + hex_value(s[i + 2]));
      high |= static_cast<unsigned char>(b) >= 0x80;
      out.push_back(b);
      i += 2;
    } else {
      high |= static_cast<unsigned char>(c) >= 0x80;
      out.push_back(c);
    }
  }
  if (high && !text::is_valid_utf8(out)) out = text::repair_utf8(out);
}

// True when decoding leaves `s` unchanged (no "+" and no "%").
bool decodes_to_itself(std::string_view s) { return find_any<'+', '%'>(s) == std::string_view::npos; }

void form_encode_into(std::string_view s, std::string& out) {
  static constexpr char HEX[] = "0123456789ABCDEF";
  for (char ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    if (is_form_safe(c)) {
      out.push_back(ch);
    } else if (c == ' ') {
      out.push_back('+');
    } else {
      out.push_back('%');
      out.push_back(HEX[c >> 4]);
      out.push_back(HEX[c & 0x0F]);
    }
  }
}

bool all_form_safe(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return is_form_safe(static_cast<unsigned char>(c)); });
}

// Appends the form-encoding of the decoding of `raw`; `tmp` is scratch space.
void recode_into(std::string_view raw, std::string& out, std::string& tmp) {
  if (all_form_safe(raw)) {  // decoding and encoding both leave it as it is
    out.append(raw);
    return;
  }
  form_decode_into(raw, tmp);
  form_encode_into(tmp, out);
}

bool is_tracking_param(std::string_view key) {
  constexpr std::size_t MAX_LEN = 12;  // "utm_campaign"
  if (text::is_ascii(key)) {
    if (key.size() > MAX_LEN) return false;
    char buf[MAX_LEN];
    for (std::size_t i = 0; i < key.size(); ++i) buf[i] = ascii_lower(key[i]);
    const std::string_view lowered(buf, key.size());
    return std::find(TRACKING_PARAMS.begin(), TRACKING_PARAMS.end(), lowered) != TRACKING_PARAMS.end();
  }
  // Full lower-casing can turn non-ASCII letters into ASCII ones (KELVIN SIGN
  // becomes "k").
  const std::string lowered = text::to_lower(key);
  return std::find(TRACKING_PARAMS.begin(), TRACKING_PARAMS.end(), lowered) != TRACKING_PARAMS.end();
}

// One "key=value" piece of a query with a non-empty value. The decoded key
// is either the raw key itself or a slice of a shared buffer of decoded keys.
struct Pair {
  std::string_view raw_key;
  std::string_view raw_value;
  std::size_t key_off = 0;
  std::size_t key_len = 0;
  bool key_decoded = false;  // key lives in the decoded-keys buffer
  std::size_t group = 0;     // index of the first pair with the same key
};

// Calls fn(raw_key, raw_value) for every piece that decoding keeps: split at
// "&", split at the first "=", pieces without "=" or with an empty value
// dropped.
template <class Fn>
void for_each_piece(std::string_view query, Fn&& fn) {
  std::size_t pos = 0;
  while (pos <= query.size()) {
    std::size_t amp = query.find('&', pos);
    if (amp == std::string_view::npos) amp = query.size();
    const std::string_view piece = query.substr(pos, amp - pos);
    pos = amp + 1;
    const std::size_t eq = piece.find('=');
    if (eq == std::string_view::npos || eq + 1 == piece.size()) continue;
    fn(piece.substr(0, eq), piece.substr(eq + 1));
  }
}

// Decoded pairs of a query, grouped by key in order of first appearance.
class PairList {
 public:
  // keep(decoded_key) decides whether a pair stays.
  template <class Keep>
  PairList(std::string_view query, Keep&& keep) {
    std::string tmp;
    for_each_piece(query, [&](std::string_view raw_key, std::string_view raw_value) {
      Pair p{raw_key, raw_value};
      std::string_view key = raw_key;
      if (!decodes_to_itself(raw_key)) {
        form_decode_into(raw_key, tmp);
        p.key_decoded = true;
        p.key_off = keys_.size();
        p.key_len = tmp.size();
        keys_.append(tmp);
        key = tmp;
      }
      if (!keep(key)) {
        if (p.key_decoded) keys_.resize(p.key_off);
        return;
      }
      pairs_.push_back(p);
    });
    assign_groups();
  }

  std::size_t size() const { return pairs_.size(); }
  std::string_view key(const Pair& p) const {
    return p.key_decoded ? std::string_view(keys_).substr(p.key_off, p.key_len) : p.raw_key;
  }

  // Calls fn(pair) in output order: by first appearance of the key, values of
  // one key in their order.
  template <class Fn>
  void visit(Fn&& fn) const {
    if (!regrouped_) {
      for (const Pair& p : pairs_) fn(p);
      return;
    }
    small_vector<std::size_t, 16> order(pairs_.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return pairs_[a].group < pairs_[b].group; });
    for (std::size_t i : order) fn(pairs_[i]);
  }

 private:
  void assign_groups() {
    constexpr std::size_t LINEAR_LIMIT = 24;
    const std::size_t n = pairs_.size();
    if (n <= LINEAR_LIMIT) {
      for (std::size_t i = 0; i < n; ++i) {
        pairs_[i].group = i;
        const std::string_view k = key(pairs_[i]);
        for (std::size_t j = 0; j < i; ++j) {
          if (pairs_[j].group == j && key(pairs_[j]) == k) {
            pairs_[i].group = j;
            break;
          }
        }
      }
    } else {
      std::unordered_map<std::string_view, std::size_t> first;
      first.reserve(n);
      for (std::size_t i = 0; i < n; ++i) pairs_[i].group = first.emplace(key(pairs_[i]), i).first->second;
    }
    // The output order differs from the input order only when the groups do
    // not already come in non-decreasing order.
    for (std::size_t i = 1; i < n; ++i) regrouped_ |= pairs_[i - 1].group > pairs_[i].group;
  }

  small_vector<Pair, 16> pairs_;
  std::string keys_;
  bool regrouped_ = false;
};

// The first value of `name` in a redirect wrapper's query, decoded; false
// when absent.
bool first_value(std::string_view query, std::string_view name, std::string& out) {
  bool found = false;
  std::string tmp;
  for_each_piece(query, [&](std::string_view raw_key, std::string_view raw_value) {
    if (found) return;
    bool match;
    if (decodes_to_itself(raw_key)) {
      match = raw_key == name;
    } else {
      form_decode_into(raw_key, tmp);
      match = tmp == name;
    }
    if (match) {
      form_decode_into(raw_value, out);
      found = true;
    }
  });
  return found;
}

bool is_text_directive(std::string_view fragment) {
  return fragment.find(TEXT_DIRECTIVE) != std::string_view::npos || fragment.starts_with(DIRECTIVE_PREFIX);
}

}  // namespace

// ---------------------------------------------------------------------------

SplitURL split_url(std::string_view url) {
  std::string storage;
  const Parts p = split_views(url, storage);
  return SplitURL{p.scheme,
                  std::string(p.netloc),
                  std::string(p.path),
                  std::string(p.params),
                  std::string(p.query),
                  std::string(p.fragment)};
}

std::string join_url(const SplitURL& parts) {
  std::string out;
  join_into(out, parts.scheme, parts.netloc, parts.path, parts.params, parts.query, parts.fragment);
  return out;
}

QueryMap decode_query(std::string_view query) {
  QueryMap map;
  std::unordered_map<std::string, std::size_t> index;
  std::string key, value;
  for_each_piece(query, [&](std::string_view raw_key, std::string_view raw_value) {
    form_decode_into(raw_key, key);
    form_decode_into(raw_value, value);
    const auto [it, inserted] = index.emplace(key, map.size());
    if (inserted) map.emplace_back(key, std::vector<std::string>{});
    map[it->second].second.push_back(value);
  });
  return map;
}

std::string form_encode(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  form_encode_into(s, out);
  return out;
}

std::string URLUnwrapper::unwrap(std::string_view url) {
  if (url.empty()) return {};
  std::string storage;
  Parts p = split_views(url, storage);

  // One level of the search engine's redirect wrapper.
  std::string target, target_storage;
  if (p.path == REDIRECT_PATH && p.netloc.find(SEARCH_ENGINE_HOST_MARKER) != std::string_view::npos) {
    if (first_value(p.query, "q", target) || first_value(p.query, "url", target))
      p = split_views(target, target_storage);
  }

  std::string out;
  out.reserve(url.size() + 16);
  join_head(out, p.scheme, p.netloc, p.path, p.params);
  if (!p.query.empty()) {
    const PairList pairs(p.query, [](std::string_view key) { return !is_tracking_param(key); });
    if (pairs.size() != 0) {
      out.push_back('?');
      std::string tmp;
      bool first = true;
      pairs.visit([&](const Pair& pair) {
        if (!first) out.push_back('&');
        first = false;
        if (!pair.key_decoded && all_form_safe(pair.raw_key))
          out.append(pair.raw_key);
        else
          form_encode_into(pairs.key(pair), out);
        out.push_back('=');
        recode_into(pair.raw_value, out, tmp);
      });
    }
  }
  if (!p.fragment.empty() && !is_text_directive(p.fragment)) {
    out.push_back('#');
    out.append(p.fragment);
  }
  return out;
}

std::string URLUnwrapper::extract_domain(std::string_view url) {
  if (url.empty()) return {};
  std::string storage;
  const Parts p = split_views(url, storage);
  std::string domain = text::to_lower(p.netloc);
  if (domain.starts_with("www.")) domain.erase(0, 4);
  return domain;
}

}  // namespace tarvik::commerce
