#include "tarvik/commerce/normalizer.hpp"

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

std::optional<models::NormalizedPrice> PriceNormalizer::parse(std::optional<std::string_view> raw_price,
                                                              std::optional<std::string_view> currency_hint) {
  if (!raw_price) return std::nullopt;
  const std::string_view raw = text::trim(*raw_price);
  if (raw.empty()) return std::nullopt;

  re2::StringPiece groups[4];
  if (!PRICE_PATTERN.Match(re2::StringPiece(raw.data(), raw.size()), 0, raw.size(), RE2::UNANCHORED, groups,
                           4)) {
    return std::nullopt;
  }
  const std::string_view before(groups[1].data(), groups[1].size());
  const std::string_view number(groups[2].data(), groups[2].size());
  const std::string_view after(groups[3].data(), groups[3].size());

  std::string_view token = DEFAULT_CURRENCY;
  if (!before.empty()) {
    token = before;
  } else if (!after.empty()) {
    token = after;
  } else if (currency_hint && !currency_hint->empty()) {
    token = *currency_hint;
  }
  const std::string upper = text::to_upper(token);
  const std::string_view code = text::trim(upper);
  const auto mapped = CURRENCY_MAP.find(code);
  std::string currency = mapped != CURRENCY_MAP.end() ? mapped->second : std::string(code);

  // ASCII spaces group thousands; other whitespace stays and makes the number unreadable.
  std::string n(number);
  erase_char(n, ' ');
  apply_separator_rule(n);
  const auto amount = read_decimal(n);
  if (!amount) return std::nullopt;

  try {
    return models::NormalizedPrice(std::string(raw), round2(*amount), std::move(currency));
  } catch (const std::invalid_argument&) {
    // An amount beyond the double range, or a blank currency hint.
    return std::nullopt;
  }
}

}  // namespace tarvik::commerce
