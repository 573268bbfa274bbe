#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "tarvik/prices/normalizer.hpp"
#include "tarvik/util/text.hpp"

using tarvik::commerce::CURRENCY_MAP;
using tarvik::commerce::PriceNormalizer;
using tarvik::commerce::round2;

namespace {

struct Case {
  const char* label;
  std::optional<std::string> raw;
  std::optional<std::string> hint;
  bool parsed;  // false: none expected
  double amount = 0;
  const char* currency = "";
};

void check(const Case& c) {
  SCOPED_TRACE(c.label);
  const auto got = PriceNormalizer::parse(c.raw ? std::optional<std::string_view>(*c.raw) : std::nullopt,
                                          c.hint ? std::optional<std::string_view>(*c.hint) : std::nullopt);
  if (!c.parsed) {
    EXPECT_FALSE(got.has_value()) << got->amount() << " " << got->currency();
    return;
  }
  ASSERT_TRUE(got.has_value());
  EXPECT_EQ(got->amount(), c.amount);
  EXPECT_EQ(got->currency(), c.currency);
}

TEST(PriceNormalizer, MissingOrDigitlessTextGivesNone) {
  const Case cases[] = {
      {"none", std::nullopt, std::nullopt, false},
      {"empty", "", std::nullopt, false},
      {"blanks", "   ", std::nullopt, false},
      {"unicode blanks", "\u00a0\u3000\t\n", "EUR", false},
      {"price on request", "Price on request", std::nullopt, false},
      {"token only", "USD", std::nullopt, false},
      {"fullwidth digits", "\uff11\uff12", std::nullopt, false},
      {"arabic-indic digits", "\u0661\u0662", std::nullopt, false},
  };
  for (const auto& c : cases) check(c);
}

TEST(PriceNormalizer, NationalStyles) {
  const Case cases[] = {
      {"dollar with thousands comma", "$1,299.99", std::nullopt, true, 1299.99, "USD"},
      {"euro with thousands dot", "1.299,99 €", std::nullopt, true, 1299.99, "EUR"},
      {"euro sign in front, decimal comma", "€ 12,50", std::nullopt, true, 12.5, "EUR"},
      {"code after", "12 USD", std::nullopt, true, 12.0, "USD"},
      {"ascii space thousands", "1 299,00 €", std::nullopt, true, 1299.0, "EUR"},
      {"pound", "£0.99", std::nullopt, true, 0.99, "GBP"},
      {"rupee with lakh grouping", "₹1,00,000", std::nullopt, true, 100000.0, "INR"},
      {"leading zeros", "007", std::nullopt, true, 7.0, "USD"},
      {"number inside words", "abc5def", std::nullopt, true, 5.0, "USD"},
      {"ascii spaces only", "1 234 567", std::nullopt, true, 1234567.0, "USD"},
  };
  for (const auto& c : cases) check(c);
}

TEST(PriceNormalizer, SeparatorRule) {
  const Case cases[] = {
      {"comma + two digits is decimal", "12,50", std::nullopt, true, 12.5},
      {"comma + one digit is thousands", "12,5", std::nullopt, true, 125.0},
      {"comma + three digits is thousands", "1,234", std::nullopt, true, 1234.0},
      {"several commas all removed", "1,234,567", std::nullopt, true, 1234567.0},
      {"several commas even before two digits", "1,234,56", std::nullopt, true, 123456.0},
      {"single dot is decimal even before three digits", "1.234", std::nullopt, true, 1.23},
      {"several dots without comma", "1.234.567", std::nullopt, false},
      {"comma first: commas removed", "1,234.5,6", std::nullopt, true, 1234.56},
      {"dot first: dots removed, comma decimal", "1.234,5", std::nullopt, true, 1234.5},
      {"dot first, two dots remain", "1.234,56.7", std::nullopt, true, 1234.57},
      {"comma first, dots remain", "1,2.3.4", std::nullopt, false},
      {"minus is not part of the number", "-5", std::nullopt, true, 5.0},
  };
  for (auto c : cases) {
    c.currency = "USD";
    check(c);
  }
}

TEST(PriceNormalizer, UnicodeWhitespace) {
  const Case cases[] = {
      {"nbsp inside the number", "1\u00a0234", std::nullopt, false},
      {"narrow nbsp grouping with decimal comma", "1\u202f234,56 €", std::nullopt, false},
      {"tab inside the number", "1\t234", std::nullopt, false},
      {"newline inside the number", "12\n34", std::nullopt, false},
      {"nbsp between token and number", "€\u00a012,50", std::nullopt, true, 12.5, "EUR"},
      {"thin space before token after", "12,50\u2009€", std::nullopt, true, 12.5, "EUR"},
      {"ideographic space before code", "12\u3000usd", std::nullopt, true, 12.0, "USD"},
      {"zero width space is not whitespace", "12\u200b€", std::nullopt, true, 12.0, "USD"},
  };
  for (const auto& c : cases) check(c);
}

TEST(PriceNormalizer, CurrencyChoice) {
  const Case cases[] = {
      {"code in lower case", "12 usd", std::nullopt, true, 12.0, "USD"},
      {"code in mixed case in front", "Eur 5", std::nullopt, true, 5.0, "EUR"},
      {"long s folds to s", "u\u017fd 5", std::nullopt, true, 5.0, "USD"},
      {"yen sign", "¥500", std::nullopt, true, 500.0, "JPY"},
      {"CN yen: only the sign is seen", "CN¥ 88", std::nullopt, true, 88.0, "JPY"},
      {"CA dollar prefix", "CA$ 20", std::nullopt, true, 20.0, "CAD"},
      {"multi-character hint", "20", "CA$", true, 20.0, "CAD"},
      {"hint CN yen", "20", "cn¥", true, 20.0, "CNY"},
      {"token in front wins over hint", "$12", "EUR", true, 12.0, "USD"},
      {"token behind wins over hint", "12 EUR", "GBP", true, 12.0, "EUR"},
      {"token in front wins over token behind", "EUR5USD", std::nullopt, true, 5.0, "EUR"},
      {"no token, no hint", "12", std::nullopt, true, 12.0, "USD"},
      {"empty hint counts as none", "12", "", true, 12.0, "USD"},
      {"unknown hint kept upper-cased", "12", "chf", true, 12.0, "CHF"},
      {"hint trimmed after upper-casing", "12", " eur\u00a0", true, 12.0, "EUR"},
      {"hint upper-cased with full case mapping", "12", "ß", true, 12.0, "SS"},
      {"blank hint counts as none", "12", " \u00a0", true, 12.0, "USD"},
      {"token not followed by a number", "$ abc 5", std::nullopt, true, 5.0, "USD"},
      {"only the first price counts", "$12.99 - $15.99", std::nullopt, true, 12.99, "USD"},
      {"first price in euro, second in dollar", "€3 or $4", std::nullopt, true, 3.0, "EUR"},
  };
  for (const auto& c : cases) check(c);
}

TEST(PriceNormalizer, CurrenciesBeyondTheTable) {
  const Case cases[] = {
      {"ISO code before", "CHF 12.50", std::nullopt, true, 12.5, "CHF"},
      {"ISO code after, decimal comma", "12,99 PLN", std::nullopt, true, 12.99, "PLN"},
      {"ISO code before wins over the hint", "SEK 99", "EUR", true, 99.0, "SEK"},
      {"ISO code touching the number", "99SEK", std::nullopt, true, 99.0, "SEK"},
      {"ISO code before wins over one after", "CHF 5 PLN", std::nullopt, true, 5.0, "CHF"},
      {"table token wins over an ISO code", "CHF 5 EUR", std::nullopt, true, 5.0, "EUR"},
      {"lower-case code is not read", "chf 12", "EUR", true, 12.0, "EUR"},
      {"code inside a word is not read", "XCHF 12", std::nullopt, true, 12.0, "USD"},
      {"code followed by letters is not read", "12 CHFX", std::nullopt, true, 12.0, "USD"},
      {"three capitals that are no code", "ABC 12", "GBP", true, 12.0, "GBP"},
      {"withdrawn code", "HRK 12", std::nullopt, true, 12.0, "USD"},
      {"ISO code after nbsp", "12\u00a0NOK", std::nullopt, true, 12.0, "NOK"},
      {"Brazilian real", "R$ 49,90", std::nullopt, true, 49.9, "BRL"},
      {"Brazilian real after", "49,90 R$", std::nullopt, true, 49.9, "BRL"},
      {"Canadian dollar, short prefix", "C$12", std::nullopt, true, 12.0, "CAD"},
      {"Australian dollar", "A$ 30", std::nullopt, true, 30.0, "AUD"},
      {"New Zealand dollar", "NZ$30", std::nullopt, true, 30.0, "NZD"},
      {"Hong Kong dollar", "HK$ 1,280", std::nullopt, true, 1280.0, "HKD"},
      {"Singapore dollar", "S$ 15", std::nullopt, true, 15.0, "SGD"},
      {"Mexican peso", "MX$ 199", std::nullopt, true, 199.0, "MXN"},
      {"New Taiwan dollar", "NT$ 990", std::nullopt, true, 990.0, "TWD"},
      {"US dollar prefix", "US$ 10", "EUR", true, 10.0, "USD"},
      {"prefix inside a word is no prefix", "USA$5", std::nullopt, true, 5.0, "USD"},
      {"lower-case prefix is no prefix", "r$ 5", std::nullopt, true, 5.0, "USD"},
  };
  for (const auto& c : cases) check(c);
}

TEST(PriceNormalizer, ApostropheGrouping) {
  const Case cases[] = {
      {"Swiss francs", "CHF 1'234.50", std::nullopt, true, 1234.5, "CHF"},
      {"right single quotation mark", "1\u2019234\u2019567", std::nullopt, true, 1234567.0, "USD"},
      {"table token after the groups", "1'234.50 \u20ac", std::nullopt, true, 1234.5, "EUR"},
      {"token before the groups", "$1'999", std::nullopt, true, 1999.0, "USD"},
      {"group of two is no grouping", "5'11", std::nullopt, true, 5.0, "USD"},
      {"group of four is no grouping", "1'2345", std::nullopt, true, 1.0, "USD"},
      {"first group longer than three", "1234'567", std::nullopt, true, 1234.0, "USD"},
      {"dash for zero centimes", "CHF 1'234.\u2013", std::nullopt, true, 1234.0, "CHF"},
  };
  for (const auto& c : cases) check(c);
}

TEST(PriceNormalizer, RawIsTrimmedInput) {
  const auto p = PriceNormalizer::parse("\u3000  $5 \u00a0\n");
  ASSERT_TRUE(p);
  EXPECT_EQ(p->raw(), "$5");
  const auto q = PriceNormalizer::parse("about 1.299,99 € incl. VAT");
  ASSERT_TRUE(q);
  EXPECT_EQ(q->raw(), "about 1.299,99 € incl. VAT");
}

TEST(PriceNormalizer, RoundingAndRange) {
  const std::string huge(400, '1');
  const Case cases[] = {
      {"half cent on binary value", "2.675", std::nullopt, true, 2.67, "USD"},
      {"exact tie to even, down", "0.125", std::nullopt, true, 0.12, "USD"},
      {"exact tie to even, up", "0.375", std::nullopt, true, 0.38, "USD"},
      {"binary value above the half", "2.665", std::nullopt, true, 2.67, "USD"},
      {"many decimals", "34.992001", std::nullopt, true, 34.99, "USD"},
      {"overflows to infinity", huge, std::nullopt, false},
      {"overflows with decimals", huge + ".5", std::nullopt, false},
      {"large but finite", "1" + std::string(300, '0'), std::nullopt, true, 1e300, "USD"},
      {"below the double range", "0." + std::string(400, '0') + "1", std::nullopt, true, 0.0, "USD"},
      {"long exact digits", "1.11000000000000009770", std::nullopt, true, 1.11, "USD"},
  };
  for (const auto& c : cases) check(c);
}

TEST(PriceNormalizer, HostileTextNeverThrows) {
  const std::string inputs[] = {
      std::string(200000, '9'),
      std::string(100000, ',') + "1",
      [] {
        std::string s;
        for (int i = 0; i < 50000; ++i) s += "1.";
        return s + "1";
      }(),
      [] {
        std::string s;
        for (int i = 0; i < 50000; ++i) s += "$ ";
        return s;
      }(),
      std::string("\xff\xfe$1\xc3", 5),  // invalid UTF-8 despite the contract
      std::string("12\0 34", 6),         // NUL inside
      "\xe2\x82\xac\xe2\x82",            // truncated euro sign
  };
  for (const auto& in : inputs) {
    EXPECT_NO_THROW({
      PriceNormalizer::parse(in);
      PriceNormalizer::parse(in, in);
    });
  }
  const auto p = PriceNormalizer::parse(std::string("\xff$1\xc3", 4), std::string("\xff", 1));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->amount(), 1.0);
  EXPECT_EQ(p->currency(), "USD");
}

TEST(Round2, HalfToEvenOnTheExactBinaryValue) {
  const struct {
    double in, out;
  } cases[] = {
      {2.675, 2.67},  // 2.67499999999999982236431605997495353221893310546875
      {0.125, 0.12},  // exact tie: even
      {0.375, 0.38},  // exact tie: even
      {0.625, 0.62},
      {1.005, 1.0},  // 1.00499999999999989341858963598497211933135986328125
      {0.045, 0.04},
      {2.665, 2.67},  // 2.66500000000000003552713678800500929355621337890625
      {123456789.125, 123456789.12},
      {0.0, 0.0},
      {0.004999, 0.0},
      {0.005, 0.01},  // 0.005000000000000000104083408558608425664715468883514404296875
      {9007199254740993.0, 9007199254740993.0},
      {1e300, 1e300},
      {std::numeric_limits<double>::max(), std::numeric_limits<double>::max()},
      {std::numeric_limits<double>::denorm_min(), 0.0},
      {-2.675, -2.67},
  };
  for (const auto& c : cases) EXPECT_EQ(round2(c.in), c.out) << c.in;
  EXPECT_TRUE(std::isinf(round2(std::numeric_limits<double>::infinity())));
  EXPECT_TRUE(std::isnan(round2(std::nan(""))));
}

// parse skips rounding for numbers with at most two decimals: rounding such a
// number's nearest double must give that double back, at every magnitude.
TEST(Round2, IdentityOnTwoDecimalNumbers) {
  std::mt19937_64 rng(5);
  for (int round = 0; round < 200000; ++round) {
    std::string digits = std::to_string(rng() >> (rng() % 64));
    if (round % 3 == 0) digits += std::string(rng() % 300, '0');  // up to the double range
    const int decimals = static_cast<int>(rng() % 3);
    const std::string text =
        decimals == 0 ? digits : digits + "." + std::to_string(100 + rng() % 100).substr(3 - decimals);
    const double v = std::strtod(text.c_str(), nullptr);
    if (!std::isfinite(v)) continue;
    ASSERT_EQ(round2(v), v) << text;
  }
}

TEST(PriceTables, CurrencyMapAndPattern) {
  EXPECT_EQ(CURRENCY_MAP.size(), 17u);
  for (const auto& [token, code] : CURRENCY_MAP) {
    // Tokens spelled like a key skip case mapping, so every key must be its own upper-cased, trimmed form.
    EXPECT_EQ(tarvik::text::to_upper(token), token);
    EXPECT_EQ(tarvik::text::trim(token), token);
    EXPECT_EQ(code.size(), 3u) << token;
    EXPECT_EQ(CURRENCY_MAP.at(code), code) << "every code maps to itself";
  }
  ASSERT_TRUE(PriceNormalizer::PRICE_PATTERN.ok()) << PriceNormalizer::PRICE_PATTERN.error();
  EXPECT_EQ(PriceNormalizer::PRICE_PATTERN.NumberOfCapturingGroups(), 3);
  // Every single-character symbol and code of the token pattern reaches a map entry.
  for (const char* token :
       {"$", "€", "£", "¥", "₹", "usd", "eur", "gbp", "cad", "aud", "inr", "jpy", "cny"}) {
    const auto p = PriceNormalizer::parse(std::string(token) + "1");
    ASSERT_TRUE(p) << token;
    EXPECT_NE(p->currency(), "") << token;
    EXPECT_EQ(CURRENCY_MAP.count(p->currency()), 1u) << token;
  }
}

// The groups that parse uses must be exactly those the pattern's own group
// extraction gives, on texts full of tokens, separators and Unicode whitespace.
TEST(PriceTables, MatchGroupsAgreeWithThePattern) {
  const std::vector<std::string> pieces = {
      "0",   "1",   "9",        "12", ",",   ".",   " ",   "  ",  "\u00a0", "\u2009", "\u3000",      "\t",
      "\n",  "$",   "€",        "£",  "¥",   "₹",   "usd", "EUR", "Gbp",    "cad",    "aud",         "inr",
      "jpy", "cny", "u\u017fd", "US", "CA$", "CN¥", "-",   "x",   "é",      "\u200b", "\xef\xbf\xbd"};
  std::mt19937 rng(42);
  const auto view = [](const re2::StringPiece& g) { return std::string_view(g.data(), g.size()); };
  int matched = 0, with_before = 0, with_after = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    const int n = 1 + static_cast<int>(rng() % 10);
    for (int k = 0; k < n; ++k) text += pieces[rng() % pieces.size()];
    re2::StringPiece g[4];
    const bool expected = PriceNormalizer::PRICE_PATTERN.Match(text, 0, text.size(), RE2::UNANCHORED, g, 4);
    const auto got = PriceNormalizer::_match(text);
    ASSERT_EQ(got.has_value(), expected) << text;
    if (!got) continue;
    ++matched;
    with_before += !got->before.empty();
    with_after += !got->after.empty();
    // Same positions, not merely equal text.
    if (!g[1].empty()) {
      EXPECT_EQ(got->before.data(), g[1].data()) << text;
    }
    EXPECT_EQ(got->before, view(g[1])) << text;
    EXPECT_EQ(got->number.data(), g[2].data()) << text;
    EXPECT_EQ(got->number, view(g[2])) << text;
    EXPECT_EQ(got->after, view(g[3])) << text;
    if (!g[3].empty()) {
      EXPECT_EQ(got->after.data(), g[3].data()) << text;
    }
  }
  // Enough of every shape to mean something.
  EXPECT_GT(matched, 8000);
  EXPECT_GT(with_before, 1000);
  EXPECT_GT(with_after, 1000);
}

// Offers are priced by the records' own symbol table: it must read every
// token the normalizer knows the same way.
TEST(PriceTables, RecordsNameTheSameCodes) {
  for (const auto& [token, code] : CURRENCY_MAP) EXPECT_EQ(tarvik::models::currency_code(token), code) << token;
}

}  // namespace
