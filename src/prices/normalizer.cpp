// Free-text prices to amount and currency code: the pattern finds the number,
// the rules around it decide the separators and the currency.
#include "tarvik/prices/normalizer.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "tarvik/util/text.hpp"

namespace tarvik::commerce {

const std::map<std::string, std::string, std::less<>> CURRENCY_MAP = {
    {"$", "USD"},   {"US$", "USD"}, {"USD", "USD"}, {"€", "EUR"},   {"EUR", "EUR"}, {"£", "GBP"},
    {"GBP", "GBP"}, {"¥", "JPY"},   {"JPY", "JPY"}, {"CN¥", "CNY"}, {"CNY", "CNY"}, {"CA$", "CAD"},
    {"CAD", "CAD"}, {"A$", "AUD"},  {"AUD", "AUD"}, {"₹", "INR"},   {"INR", "INR"},
};

namespace {

constexpr std::string_view DEFAULT_CURRENCY = "USD";

// (?:(TOKEN)WS*)?([0-9]+(?:[,.WS][0-9]+)*)(?:WS*(TOKEN))? where WS is Unicode whitespace.
std::string price_pattern_text() {
  const std::string token(CURRENCY_TOKEN_PATTERN);
  const std::string space(text::SPACE_CLASS);
  // The separator class: comma, dot and every member of the whitespace class.
  const std::string separator = "[,\\." + space.substr(1);
  return "(?:(" + token + ")" + space + "*)?([0-9]+(?:" + separator + "[0-9]+)*)(?:" + space + "*(" + token +
         "))?";
}

RE2::Options price_pattern_options() {
  RE2::Options o;
  o.set_encoding(RE2::Options::EncodingUTF8);
  o.set_case_sensitive(false);
  return o;
}

void erase_char(std::string& s, char c) { std::erase(s, c); }

// Decides which of comma and dot is the decimal mark and rewrites the number
// with a single dot as decimal point and no thousands separators.
void apply_separator_rule(std::string& n) {
  const auto comma = n.find(',');
  const auto dot = n.find('.');
  if (comma != std::string::npos && dot != std::string::npos) {
    if (comma < dot) {
      erase_char(n, ',');
    } else {
      erase_char(n, '.');
      std::replace(n.begin(), n.end(), ',', '.');
    }
  } else if (comma != std::string::npos) {
    const bool single = n.find(',', comma + 1) == std::string::npos;
    if (single && text::length(std::string_view(n).substr(comma + 1)) == 2) {
      n[comma] = '.';
    } else {
      erase_char(n, ',');
    }
  }
}

// Strict decimal reading: ASCII digits with at most one dot between digit runs.
// Anything else (several dots, a leftover whitespace character) is rejected.
// A value beyond the double range reads as infinity, one below it as zero.
std::optional<double> read_decimal(std::string_view s) {
  if (s.empty()) return std::nullopt;
  std::size_t dot = std::string_view::npos;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c >= '0' && c <= '9') continue;
    if (c == '.' && dot == std::string_view::npos && i > 0 && i + 1 < s.size()) {
      dot = i;
      continue;
    }
    return std::nullopt;
  }
  double v = 0;
  const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::fixed);
  if (ec == std::errc::result_out_of_range) {
    const std::string_view whole = s.substr(0, dot);
    const bool big = whole.find_first_not_of('0') != std::string_view::npos;
    return big ? std::numeric_limits<double>::infinity() : 0.0;
  }
  if (ec != std::errc() || ptr != s.data() + s.size()) return std::nullopt;
  return v;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::size_t skip_space(std::string_view s, std::size_t i, std::size_t end) {
  while (i < end) {
    const std::size_t n = text::space_at(s, i);
    if (n == 0) break;
    i += n;
  }
  return i;
}

bool is_symbol_token(char32_t cp) {
  return cp == U'$' || cp == U'€' || cp == U'£' || cp == U'¥' || cp == U'₹';
}

// Splits the span of a whole match into its three groups. The span is token,
// whitespace, number, whitespace, token, with both tokens optional; the number
// runs from the first digit as far as separator-and-digits runs continue (the
// pattern's greedy repetition), and a token is one symbol or a three-letter
// code. None when the span does not have that shape.
std::optional<PriceNormalizer::PriceMatch> split_match(std::string_view s, std::size_t begin,
                                                       std::size_t end) {
  PriceNormalizer::PriceMatch m;
  std::size_t i = begin;
  if (i < end && !is_digit(s[i])) {
    std::size_t j = i;
    const int letters = is_symbol_token(text::next_code_point(s, j)) ? 1 : 3;
    j = i;
    for (int k = 0; k < letters && j < end; ++k) text::next_code_point(s, j);
    m.before = s.substr(i, j - i);
    i = skip_space(s, j, end);
  }
  if (i >= end || !is_digit(s[i])) return std::nullopt;
  const std::size_t number_start = i;
  while (i < end && is_digit(s[i])) ++i;
  for (;;) {
    std::size_t sep = 0;
    if (i < end && (s[i] == ',' || s[i] == '.')) {
      sep = 1;
    } else if (i < end) {
      sep = text::space_at(s, i);
    }
    if (sep == 0 || i + sep >= end || !is_digit(s[i + sep])) break;
    i += sep;
    while (i < end && is_digit(s[i])) ++i;
  }
  m.number = s.substr(number_start, i - number_start);
  if (i < end) {
    const std::size_t token_start = skip_space(s, i, end);
    if (token_start >= end) return std::nullopt;
    m.after = s.substr(token_start, end - token_start);
  }
  return m;
}


// ---------------------------------------------------------------------------
// Currencies beside the number that the token table does not know.

// ISO 4217 alphabetic codes in use (the Debian iso-codes list of 2023 with the
// later amendments: HRK, ANG and ZWL withdrawn, XCG and ZWG added), without
// XTS and XXX, which name no currency.
constexpr std::string_view ISO_4217_CODES[] = {
    "AED", "AFN", "ALL", "AMD", "AOA", "ARS", "AUD", "AWG", "AZN", "BAM", "BBD", "BDT", "BGN", "BHD", "BIF", "BMD",
    "BND", "BOB", "BOV", "BRL", "BSD", "BTN", "BWP", "BYN", "BZD", "CAD", "CDF", "CHE", "CHF", "CHW", "CLF", "CLP",
    "CNY", "COP", "COU", "CRC", "CUC", "CUP", "CVE", "CZK", "DJF", "DKK", "DOP", "DZD", "EGP", "ERN", "ETB", "EUR",
    "FJD", "FKP", "GBP", "GEL", "GHS", "GIP", "GMD", "GNF", "GTQ", "GYD", "HKD", "HNL", "HTG", "HUF", "IDR", "ILS",
    "INR", "IQD", "IRR", "ISK", "JMD", "JOD", "JPY", "KES", "KGS", "KHR", "KMF", "KPW", "KRW", "KWD", "KYD", "KZT",
    "LAK", "LBP", "LKR", "LRD", "LSL", "LYD", "MAD", "MDL", "MGA", "MKD", "MMK", "MNT", "MOP", "MRU", "MUR", "MVR",
    "MWK", "MXN", "MXV", "MYR", "MZN", "NAD", "NGN", "NIO", "NOK", "NPR", "NZD", "OMR", "PAB", "PEN", "PGK", "PHP",
    "PKR", "PLN", "PYG", "QAR", "RON", "RSD", "RUB", "RWF", "SAR", "SBD", "SCR", "SDG", "SEK", "SGD", "SHP", "SLE",
    "SLL", "SOS", "SRD", "SSP", "STN", "SVC", "SYP", "SZL", "THB", "TJS", "TMT", "TND", "TOP", "TRY", "TTD", "TWD",
    "TZS", "UAH", "UGX", "USD", "USN", "UYI", "UYU", "UYW", "UZS", "VED", "VES", "VND", "VUV", "WST", "XAF", "XAG",
    "XAU", "XBA", "XBB", "XBC", "XBD", "XCD", "XCG", "XDR", "XOF", "XPD", "XPF", "XPT", "XSU", "XUA", "YER", "ZAR",
    "ZMW", "ZWG",
};

bool is_iso_4217(std::string_view code) {
  return std::binary_search(std::begin(ISO_4217_CODES), std::end(ISO_4217_CODES), code);
}

bool is_upper(char c) { return c >= 'A' && c <= 'Z'; }
bool is_letter(char c) { return is_upper(c) || (c >= 'a' && c <= 'z'); }

// Dollar signs written with a country prefix ("R$ 49,90"), longest first so
// that "CA$" is not read as "A$".
constexpr std::pair<std::string_view, std::string_view> COUNTRY_DOLLARS[] = {
    {"CA", "CAD"}, {"NZ", "NZD"}, {"HK", "HKD"}, {"MX", "MXN"}, {"NT", "TWD"}, {"US", "USD"},
    {"R", "BRL"},  {"C", "CAD"},  {"A", "AUD"},  {"S", "SGD"},
};

// The code of the country dollar whose "$" is at s[dollar]: its upper-case
// prefix stands directly before the sign and starts a word.
std::optional<std::string_view> country_dollar(std::string_view s, std::size_t dollar) {
  for (const auto& [prefix, code] : COUNTRY_DOLLARS) {
    if (dollar < prefix.size()) continue;
    const std::size_t start = dollar - prefix.size();
    if (s.substr(start, prefix.size()) != prefix) continue;
    if (start > 0 && is_letter(s[start - 1])) continue;
    return code;
  }
  return std::nullopt;
}

// Start of the whitespace run that ends at s[end] (end itself when none).
std::size_t skip_space_back(std::string_view s, std::size_t end) {
  while (end > 0) {
    std::size_t start = end - 1;
    while (start > 0 && (static_cast<unsigned char>(s[start]) & 0xC0) == 0x80 && end - start < 4) --start;
    std::size_t j = start;
    if (!text::is_space(text::next_code_point(s, j)) || j != end) break;
    end = start;
  }
  return end;
}

// An upper-case ISO 4217 code standing alone (no letter touching it) directly
// before s[begin] or after s[end], whitespace apart: before wins.
std::optional<std::string_view> iso_code_beside(std::string_view s, std::size_t begin, std::size_t end) {
  const std::size_t stop = skip_space_back(s, begin);
  if (stop >= 3) {
    const std::string_view code = s.substr(stop - 3, 3);
    const bool alone = stop == 3 || !is_letter(s[stop - 4]);
    if (alone && std::all_of(code.begin(), code.end(), is_upper) && is_iso_4217(code)) return code;
  }
  const std::size_t start = skip_space(s, end, s.size());
  if (start + 3 <= s.size()) {
    const std::string_view code = s.substr(start, 3);
    const bool alone = start + 3 == s.size() || !is_letter(s[start + 3]);
    if (alone && std::all_of(code.begin(), code.end(), is_upper) && is_iso_4217(code)) return code;
  }
  return std::nullopt;
}

// A country-prefixed dollar sign written after the number ("49,90 R$").
std::optional<std::string_view> country_dollar_after(std::string_view s, std::size_t end) {
  std::size_t i = skip_space(s, end, s.size());
  const std::size_t letters = i;
  while (i < s.size() && i - letters < 2 && is_upper(s[i])) ++i;
  if (i == letters || i >= s.size() || s[i] != '$') return std::nullopt;
  return country_dollar(s, i);
}

// Swiss grouping: an apostrophe (or right single quotation mark) between digit
// groups of three, "1'234'567.50". Extends the number that ends at s[end] when
// it is a first group of one to three digits; `number` receives the digits
// without the marks and any decimal part. Returns the new end.
std::size_t extend_apostrophe_groups(std::string_view s, std::size_t begin, std::size_t end, std::string& number) {
  if (end - begin > 3 || !std::all_of(s.begin() + begin, s.begin() + end, is_digit)) return end;
  std::size_t groups = 0;
  for (;;) {
    std::size_t mark = 0;
    if (end < s.size() && s[end] == '\'') {
      mark = 1;
    } else if (s.substr(end, 3) == "\u2019") {
      mark = 3;
    }
    const std::size_t d = end + mark;
    if (mark == 0 || d + 3 > s.size() || !std::all_of(s.begin() + d, s.begin() + d + 3, is_digit) ||
        (d + 3 < s.size() && is_digit(s[d + 3])))
      break;
    number.append(s.substr(d, 3));
    end = d + 3;
    ++groups;
  }
  if (groups > 0 && end + 1 < s.size() && (s[end] == '.' || s[end] == ',') && is_digit(s[end + 1])) {
    std::size_t i = end + 1;
    while (i < s.size() && is_digit(s[i])) ++i;
    number += s[end];
    number.append(s.substr(end + 1, i - end - 1));
    end = i;
  }
  return end;
}

const RE2& token_pattern() {
  static const RE2 pattern("(?:" + std::string(CURRENCY_TOKEN_PATTERN) + ")", price_pattern_options());
  return pattern;
}

// A token of the table right after s[end], whitespace apart.
std::string_view token_after(std::string_view s, std::size_t end) {
  const std::size_t start = skip_space(s, end, s.size());
  re2::StringPiece token;
  const re2::StringPiece input(s.data(), s.size());
  if (!token_pattern().Match(input, start, s.size(), RE2::ANCHOR_START, &token, 1)) return {};
  return std::string_view(token.data(), token.size());
}

}  // namespace

double round2(double v) {
  if (!std::isfinite(v)) return v;
  // Fixed notation with two decimals rounds the exact binary value, ties to even;
  // reading the text back gives the nearest double to that two-decimal number.
  char buf[400];
  const auto out = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 2);
  double r = v;
  std::from_chars(buf, out.ptr, r);
  return r;
}

const re2::RE2 PriceNormalizer::PRICE_PATTERN(price_pattern_text(), price_pattern_options());

std::optional<PriceNormalizer::PriceMatch> PriceNormalizer::_match(std::string_view text) {
  // The engine finds the whole match cheaply; its span is then split by hand,
  // which is several times faster than asking the engine for the groups.
  re2::StringPiece whole;
  const re2::StringPiece input(text.data(), text.size());
  if (!PRICE_PATTERN.Match(input, 0, text.size(), RE2::UNANCHORED, &whole, 1)) return std::nullopt;
  const std::size_t begin = whole.data() - text.data();
  if (auto m = split_match(text, begin, begin + whole.size())) return m;
  // Not reached for valid UTF-8; ask the engine for the groups as a safe fallback.
  re2::StringPiece groups[4];
  if (!PRICE_PATTERN.Match(input, 0, text.size(), RE2::UNANCHORED, groups, 4)) return std::nullopt;
  const auto view = [](const re2::StringPiece& g) { return std::string_view(g.data(), g.size()); };
  return PriceMatch{view(groups[1]), view(groups[2]), view(groups[3])};
}

std::optional<models::NormalizedPrice> PriceNormalizer::parse(std::optional<std::string_view> raw_price,
                                                              std::optional<std::string_view> currency_hint) {
  if (!raw_price) return std::nullopt;
  const std::string_view raw = text::trim(*raw_price);
  if (raw.empty()) return std::nullopt;

  const auto match = _match(raw);
  if (!match) return std::nullopt;
  const std::string_view before = match->before;
  const std::string_view number = match->number;
  std::string_view after = match->after;
  const std::size_t number_begin = static_cast<std::size_t>(number.data() - raw.data());
  std::size_t number_end = number_begin + number.size();

  std::string n(number);
  if (after.empty()) {
    const std::size_t end = extend_apostrophe_groups(raw, number_begin, number_end, n);
    if (end != number_end) {
      number_end = end;
      after = token_after(raw, number_end);
    }
  }

  // Beyond the table: a "$" with a country prefix is that country's dollar (or
  // real); with no token of the table at all, an ISO 4217 code beside the
  // number names the currency. The hint comes after both.
  std::optional<std::string_view> beside;
  if (before == "$") {
    beside = country_dollar(raw, static_cast<std::size_t>(before.data() - raw.data()));
  } else if (before.empty() && after.empty()) {
    beside = country_dollar_after(raw, number_end);
    if (!beside) beside = iso_code_beside(raw, number_begin, number_end);
  }

  std::string_view token = DEFAULT_CURRENCY;
  if (beside) {
    token = *beside;
  } else if (!before.empty()) {
    token = before;
  } else if (!after.empty()) {
    token = after;
  } else if (currency_hint && !text::is_blank(*currency_hint)) {
    // A hint of whitespace only says nothing; it must not cost the price.
    token = *currency_hint;
  }
  std::string currency;
  // Every key is upper-case and trimmed already, so a token spelled like a key
  // needs no case mapping.
  if (const auto direct = CURRENCY_MAP.find(token); direct != CURRENCY_MAP.end()) {
    currency = direct->second;
  } else {
    const std::string upper = text::to_upper(token);
    const std::string_view code = text::trim(upper);
    const auto mapped = CURRENCY_MAP.find(code);
    currency = mapped != CURRENCY_MAP.end() ? mapped->second : std::string(code);
  }

  // ASCII spaces group thousands; other whitespace stays and makes the number unreadable.
  erase_char(n, ' ');
  apply_separator_rule(n);
  const auto amount = read_decimal(n);
  if (!amount) return std::nullopt;

  // A decimal with at most two fraction digits needs no rounding: its nearest
  // double lies within half a unit in the last place of it, and that is less
  // than 0.005 below 2^46, while from 2^46 up every double rounds to itself.
  const std::size_t dot = n.find('.');
  const bool two_decimals_at_most = dot == std::string::npos || n.size() - dot - 1 <= 2;
  try {
    return models::NormalizedPrice(std::string(raw), two_decimals_at_most ? *amount : round2(*amount),
                                   std::move(currency));
  } catch (const std::invalid_argument&) {
    // An amount beyond the double range.
    return std::nullopt;
  }
}

}  // namespace tarvik::commerce
