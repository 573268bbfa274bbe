// Runs the parser over real price strings collected by other price libraries.
// Their expected values follow their own rules, which differ from ours in places
// (a lone dot before three digits, Unicode-space grouping, prefixed dollar signs),
// so amounts and currencies are compared only where both rule sets must agree.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <re2/re2.h>

#include "tarvik/prices/normalizer.hpp"
#include "tarvik/util/json.hpp"
#include "tarvik/util/text.hpp"

using tarvik::commerce::CURRENCY_MAP;
using tarvik::commerce::PriceNormalizer;
using tarvik::commerce::round2;

namespace {

const std::filesystem::path kCorpus = std::filesystem::path(TARVIK_SHARED_DIR) / "corpus/prices/prices.jsonl";

// Number shapes that every reading takes the same way: a plain integer; one dot
// followed by other than three digits; one comma followed by two digits; comma
// groups of three that are either several or followed by a decimal dot; dot
// groups followed by a decimal comma; ASCII-space groups with an optional
// decimal part.
const re2::RE2 kUnambiguous(
    "[0-9]+"
    "|[0-9]+\\.(?:[0-9]{1,2}|[0-9]{4,})"
    "|[0-9]+,[0-9]{2}"
    "|[0-9]{1,3}(?:,[0-9]{3}){2,}"
    "|[0-9]{1,3}(?:,[0-9]{3})+\\.[0-9]{1,2}"
    "|[0-9]{1,3}(?:\\.[0-9]{3})+,[0-9]{1,2}"
    "|[0-9]{1,3}(?: [0-9]{3})+(?:,[0-9]{2}|\\.[0-9]{1,2})?");

bool has_digit(std::string_view s) { return s.find_first_of("0123456789") != std::string_view::npos; }
bool is_ascii_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::optional<std::string> string_member(const boost::json::value& row, std::string_view key) {
  const auto* v = tarvik::json::member(row, key);
  if (v == nullptr || !v->is_string()) return std::nullopt;
  return std::string(v->as_string());
}

TEST(PriceCorpus, AgreesWhereTheRulesAgree) {
  if (!std::filesystem::exists(kCorpus)) GTEST_SKIP() << "price corpus not present: " << kCorpus;
  std::ifstream in(kCorpus);
  std::string line;
  int rows = 0, amounts = 0, currencies = 0;
  while (std::getline(in, line)) {
    const auto row = tarvik::json::parse(line);
    ASSERT_TRUE(row && row->is_object()) << line;
    ++rows;
    const std::string text = string_member(*row, "text").value_or("");
    const auto hint = string_member(*row, "currency_text");
    SCOPED_TRACE(text);

    // Every row, with and without its neighbouring currency text, parses without failure.
    std::optional<tarvik::models::NormalizedPrice> got;
    ASSERT_NO_THROW(PriceNormalizer::parse(text));
    ASSERT_NO_THROW(got = PriceNormalizer::parse(text, hint));

    const auto expected = tarvik::json::as_number(tarvik::json::member(*row, "expected_amount"));
    if (!expected || tarvik::json::member(*row, "decimal_separator") ||
        tarvik::json::member(*row, "digit_group_separator")) {
      continue;  // no amount, or the source forced separators that the text does not show
    }
    const std::string_view trimmed = tarvik::text::trim(text);
    re2::StringPiece g[4];
    if (!PriceNormalizer::PRICE_PATTERN.Match(trimmed, 0, trimmed.size(), RE2::UNANCHORED, g, 4)) continue;
    const std::string_view number(g[2].data(), g[2].size());
    const std::size_t start = number.data() - trimmed.data();
    const std::size_t end = start + number.size();
    if (!RE2::FullMatch(number, kUnambiguous)) continue;
    if (has_digit(trimmed.substr(end))) continue;  // more than one number: they may pick another
    if (start > 0 && std::string_view("-.,").find(trimmed[start - 1]) != std::string_view::npos) continue;

    ++amounts;
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(got->amount(), round2(*expected));

    // Currency: only a single recognised token that is not the tail of a longer
    // symbol (C$, R$, NT$) and an expectation that names one of our tokens.
    const auto expected_currency = string_member(*row, "expected_currency");
    if (!expected_currency) continue;
    const auto mapped = CURRENCY_MAP.find(tarvik::text::to_upper(*expected_currency));
    if (mapped == CURRENCY_MAP.end()) continue;
    if (g[1].empty() == g[3].empty()) continue;  // no token, or one on each side
    const re2::StringPiece token = g[1].empty() ? g[3] : g[1];
    const std::size_t token_at = token.data() - trimmed.data();
    const bool symbol = !is_ascii_letter(token[0]);
    if (symbol && token_at > 0 && is_ascii_letter(trimmed[token_at - 1])) continue;
    ++currencies;
    EXPECT_EQ(got->currency(), mapped->second);
  }
  EXPECT_EQ(rows, 1359);
  // The filter keeps most rows; a sudden drop means the filter or the parser changed.
  EXPECT_GE(amounts, 1100);
  EXPECT_GE(currencies, 450);
  std::printf("price corpus: %d rows, %d amounts and %d currencies compared\n", rows, amounts, currencies);
}

}  // namespace
