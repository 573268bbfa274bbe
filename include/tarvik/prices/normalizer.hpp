// Parses free-text prices in many national styles into an amount and a code.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include <re2/re2.h>

#include "tarvik/models/common.hpp"

namespace tarvik::commerce {

inline constexpr std::string_view CURRENCY_TOKEN_PATTERN = "[\\$€£¥₹]|USD|EUR|GBP|CAD|AUD|INR|JPY|CNY";

// Upper-cased currency token -> stored code (17 entries).
extern const std::map<std::string, std::string, std::less<>> CURRENCY_MAP;

// Rounds to two decimals, half to even on the exact binary value
// (2.675 -> 2.67, 0.125 -> 0.12).
double round2(double v);

class PriceNormalizer {
 public:
  PriceNormalizer() = delete;
  // Groups: 1 token before, 2 the number, 3 token after. Case-insensitive.
  static const re2::RE2 PRICE_PATTERN;

  // The three groups of the leftmost match of PRICE_PATTERN (empty when a
  // group took no part), or none when the text holds no ASCII digit.
  struct PriceMatch {
    std::string_view before, number, after;
  };
  static std::optional<PriceMatch> _match(std::string_view text);

  // None for missing, blank or unreadable text; never throws for bad text.
  // The currency is the first found of: a "$" directly preceded by a country
  // prefix that starts a word (R$ BRL, C$ and CA$ CAD, A$ AUD, NZ$ NZD, HK$
  // HKD, S$ SGD, MX$ MXN, NT$ TWD, US$ USD), before or after the number; the
  // table's token before the number, then after it; when neither is there, an
  // upper-case ISO 4217 code with no letter touching it directly before, then
  // after the number (whitespace apart); the hint; USD. An apostrophe or U+2019
  // between digit groups of three groups thousands ("CHF 1'234.50").
  static std::optional<models::NormalizedPrice> parse(
      std::optional<std::string_view> raw_price,
      std::optional<std::string_view> currency_hint = std::nullopt);
};

}  // namespace tarvik::commerce
