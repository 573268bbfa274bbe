#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <cstdint>
#include <random>
#include <string>

#include "tarvik/util/text.hpp"

namespace t = tarvik::text;

namespace {

const std::string kFFFD = "\xEF\xBF\xBD";

TEST(Utf8Repair, ReplacesEachMaximalInvalidSubpart) {
  struct Case {
    std::string in, out;
  };
  const Case cases[] = {
      {"plain ascii", "plain ascii"},
      {"caf\xC3\xA9", "caf\xC3\xA9"},
      {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},            // 4-byte sequence kept
      {"a\x80" "b", "a" + kFFFD + "b"},                      // lone continuation byte
      {"\xC3", kFFFD},                                       // truncated at the end
      {"\xE2\x82" "x", kFFFD + "x"},                         // truncated 3-byte: one replacement
      {"\xC0\xAF", kFFFD + kFFFD},                           // overlong lead bytes are invalid
      {"\xED\xA0\x80", kFFFD + kFFFD + kFFFD},               // encoded surrogate
      {"\xF4\x90\x80\x80", kFFFD + kFFFD + kFFFD + kFFFD},   // above U+10FFFF
      {"\xFF\xFE", kFFFD + kFFFD},
      {std::string("a\0b", 3), std::string("a\0b", 3)},      // NUL is valid UTF-8
  };
  for (const auto& c : cases) {
    EXPECT_EQ(t::repair_utf8(c.in), c.out) << c.in;
    EXPECT_TRUE(t::is_valid_utf8(t::repair_utf8(c.in)));
    EXPECT_EQ(t::is_valid_utf8(c.in), c.in == c.out);
  }
}

TEST(Utf8Repair, RandomBytesAlwaysGiveValidText) {
  std::mt19937 rng(7);
  for (int round = 0; round < 2000; ++round) {
    std::string s(rng() % 24, '\0');
    for (char& c : s) c = static_cast<char>(rng() % 256);
    const std::string fixed = t::repair_utf8(s);
    ASSERT_TRUE(t::is_valid_utf8(fixed));
    EXPECT_EQ(t::repair_utf8(fixed), fixed);
    std::size_t i = 0, n = 0;
    while (i < s.size()) {
      t::next_code_point(s, i);
      ++n;
    }
    EXPECT_EQ(n, t::length(fixed));  // decoding raw bytes agrees with the repaired text
  }
}

TEST(Whitespace, TrimAndSplitUseUnicodeWhitespace) {
  // NBSP, ideographic space, narrow NBSP, U+001F and VT are whitespace; ZWSP (U+200B) is not.
  const std::string ws = "\xC2\xA0\xE3\x80\x80\xE2\x80\xAF\x1F\x0B";
  EXPECT_EQ(t::trim(ws + "a b" + ws), "a b");
  EXPECT_EQ(t::trim("\xE2\x80\x8B" "a"), "\xE2\x80\x8B" "a");
  EXPECT_EQ(t::trim(ws), "");
  EXPECT_TRUE(t::is_blank(ws));
  EXPECT_EQ(t::collapse_ws("  one" + ws + "two\n\tthree  "), "one two three");
  const auto parts = t::split_ws("x\xC2\x85y\xE2\x80\xA8z");
  ASSERT_EQ(parts.size(), 3u);
  EXPECT_EQ(parts[2], "z");
  for (char32_t cp : {0x1680u, 0x2000u, 0x200Au, 0x2029u, 0x205Fu, 0x1Cu}) EXPECT_TRUE(t::is_space(cp)) << static_cast<unsigned>(cp);
  for (char32_t cp : {0x200Bu, 0xFEFFu, 0x180Eu, 0x0u}) EXPECT_FALSE(t::is_space(cp)) << static_cast<unsigned>(cp);
}

TEST(CaseMapping, FullUnicodeLowerAndUpper) {
  struct Case {
    std::string in, lower, upper;
  };
  const Case cases[] = {
      {"Hello", "hello", "HELLO"},
      {"\xC4\xB0STANBUL", "i\xCC\x87stanbul", "\xC4\xB0STANBUL"},                 // U+0130
      {"\xCE\x91\xCE\xA3", "\xCE\xB1\xCF\x82", "\xCE\x91\xCE\xA3"},               // final sigma
      {"stra\xC3\x9F" "e", "stra\xC3\x9F" "e", "STRASSE"},                         // sharp s
      {"\xE2\x84\xAA", "k", "\xE2\x84\xAA"},                                      // Kelvin sign
  };
  for (const auto& c : cases) {
    EXPECT_EQ(t::to_lower(c.in), c.lower) << c.in;
    EXPECT_EQ(t::to_upper(c.in), c.upper) << c.in;
  }
}

TEST(CodePoints, LengthAndPrefixCountCodePoints) {
  EXPECT_EQ(t::length("caf\xC3\xA9"), 4u);
  EXPECT_EQ(t::prefix("caf\xC3\xA9 noir", 4), "caf\xC3\xA9");
  EXPECT_EQ(t::prefix("ab", 10), "ab");
  EXPECT_EQ(t::nfkc("\xEF\xBC\xA1"), "A");  // fullwidth A
}

TEST(FormatDouble, ShortestRoundTripWithDecimalOrExponent) {
  struct Case {
    double v;
    const char* text;
  };
  const Case cases[] = {
      {130.0, "130.0"},   {129.99, "129.99"}, {1e-05, "1e-05"},   {1e16, "1e+16"},
      {0.0001, "0.0001"}, {1e15, "1000000000000000.0"},           {0.1, "0.1"},
      {-0.0, "-0.0"},     {0.0, "0.0"},       {1.5e-7, "1.5e-07"}, {2.5e100, "2.5e+100"},
      {1e-320, "1e-320"}, {-12.5, "-12.5"},   {123456789012345678.0, "1.2345678901234568e+17"},
  };
  for (const auto& c : cases) EXPECT_EQ(t::format_double(c.v), c.text);
  EXPECT_EQ(t::format_double(1.0 / 0.0), "inf");
}

TEST(FormatDouble, ReadsBackAsTheSameDouble) {
  std::mt19937_64 rng(11);
  for (int i = 0; i < 5000; ++i) {
    const std::uint64_t bits = rng();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    if (!std::isfinite(v)) continue;
    const std::string s = t::format_double(v);
    double back = 0;
    std::from_chars(s.data(), s.data() + s.size(), back);
    ASSERT_EQ(back, v) << s;
  }
}

}  // namespace
