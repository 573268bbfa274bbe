#include "tarvik/prices/normalizer.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <system_error>

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

using text::space_at;

std::size_t skip_space(std::string_view s, std::size_t i, std::size_t end) {
  while (i < end) {
    const std::size_t n = space_at(s, i);
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
      sep = space_at(s, i);
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
  const std::string_view after = match->after;

  std::string_view token = DEFAULT_CURRENCY;
  if (!before.empty()) {
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
  std::string n(number);
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
