#include "tarvik/util/json.hpp"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <cstdint>
#include <limits>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <boost/json/parse.hpp>

namespace tj = tarvik::json;
namespace bj = boost::json;

namespace {

bj::value must_parse(std::string_view text) {
  auto v = tj::parse(text);
  EXPECT_TRUE(v.has_value()) << "failed to parse: " << text;
  return v ? std::move(*v) : bj::value();
}

std::string nested_arrays(std::size_t depth) {
  return std::string(depth, '[') + std::string(depth, ']');
}

std::string nested_objects(std::size_t depth) {
  std::string s;
  for (std::size_t i = 0; i < depth; ++i) s += "{\"a\":";
  s += "1";
  s.append(depth, '}');
  return s;
}

// ---------------------------------------------------------------- numbers

struct NumberCase {
  const char* json;
  bj::kind kind;
  const char* text;
};

TEST(JsonNumbers, KindAndTextForm) {
  const std::vector<NumberCase> cases = {
      {"12", bj::kind::int64, "12"},
      {"-0", bj::kind::int64, "0"},
      {"12.0", bj::kind::double_, "12.0"},
      {"0.5", bj::kind::double_, "0.5"},
      {"0.1", bj::kind::double_, "0.1"},
      {"100.00", bj::kind::double_, "100.0"},
      {"1e16", bj::kind::double_, "1e+16"},
      {"1E16", bj::kind::double_, "1e+16"},
      {"1e2", bj::kind::double_, "100.0"},
      {"1e-5", bj::kind::double_, "1e-05"},
      {"0.0001", bj::kind::double_, "0.0001"},
      {"-0.0", bj::kind::double_, "-0.0"},
      {"19.99", bj::kind::double_, "19.99"},
      {"1e400", bj::kind::double_, "inf"},
      {"-1e400", bj::kind::double_, "-inf"},
      {"1e-400", bj::kind::double_, "0.0"},
      {"-1e-400", bj::kind::double_, "-0.0"},
      {"0.0000000000e99999", bj::kind::double_, "0.0"},
      {"5e-324", bj::kind::double_, "5e-324"},
      // Just above and just below half of the smallest subnormal.
      {"2.4703282292062328e-324", bj::kind::double_, "5e-324"},
      {"2.4703282292062327e-324", bj::kind::double_, "0.0"},
      {"1.7976931348623157e308", bj::kind::double_, "1.7976931348623157e+308"},
      {"1.7976931348623159e308", bj::kind::double_, "inf"},
      {"9223372036854775807", bj::kind::int64, "9223372036854775807"},
      {"-9223372036854775808", bj::kind::int64, "-9223372036854775808"},
      {"9223372036854775808", bj::kind::uint64, "9223372036854775808"},
      {"18446744073709551615", bj::kind::uint64, "18446744073709551615"},
      {"18446744073709551616", bj::kind::double_, "1.8446744073709552e+19"},
      {"-9223372036854775809", bj::kind::double_, "-9.223372036854776e+18"},
      {"123456789012345678901234567890", bj::kind::double_, "1.2345678901234568e+29"},
      {"0.30000000000000004", bj::kind::double_, "0.30000000000000004"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.json);
    const auto v = must_parse(c.json);
    EXPECT_EQ(v.kind(), c.kind);
    EXPECT_EQ(tj::text_form(v), c.text);
  }
}

TEST(JsonNumbers, NegativeZeroKeepsItsSign) {
  const auto v = must_parse("-0.0");
  ASSERT_TRUE(v.is_double());
  EXPECT_TRUE(std::signbit(v.get_double()));
}

double reference_double(const std::string& s) {
  double d = 0;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), d);
  EXPECT_EQ(r.ec, std::errc()) << s;
  return d;
}

// Random decimals with 17 significant digits, in plain and exponent form:
// the region where the parser's own conversion is sometimes off by an ulp.
std::vector<std::string> random_17_digit_numbers(std::size_t count) {
  std::mt19937_64 rng(20240611);
  std::uniform_int_distribution<int> digit(0, 9), lead(1, 9), exp(-30, 30), form(0, 2);
  std::vector<std::string> out;
  for (std::size_t i = 0; i < count; ++i) {
    std::string digits;
    digits.push_back(static_cast<char>('0' + lead(rng)));
    for (int k = 0; k < 16; ++k) digits.push_back(static_cast<char>('0' + digit(rng)));
    std::string s;
    if (rng() & 1) s.push_back('-');
    switch (form(rng)) {
      case 0:  // d.dddddddddddddddde±x
        s += digits.substr(0, 1) + "." + digits.substr(1) + "e" + std::to_string(exp(rng));
        break;
      case 1:  // ddddd.dddddddddddd
        s += digits.substr(0, 5) + "." + digits.substr(5);
        break;
      default:  // 0.000ddddddddddddddddd
        s += "0.000" + digits;
        break;
    }
    out.push_back(std::move(s));
  }
  return out;
}

TEST(JsonNumbers, SeventeenDigitValuesAreCorrectlyRounded) {
  const auto numbers = random_17_digit_numbers(20000);
  std::string doc = "[";
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (i) doc += ",";
    doc += numbers[i];
  }
  doc += "]";

  const auto ours = must_parse(doc);
  ASSERT_TRUE(ours.is_array());
  ASSERT_EQ(ours.get_array().size(), numbers.size());
  const auto boosts = bj::parse(doc);

  std::size_t boost_differs = 0;
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    const double expected = reference_double(numbers[i]);
    const auto& v = ours.get_array()[i];
    ASSERT_TRUE(v.is_double()) << numbers[i];
    EXPECT_EQ(v.get_double(), expected) << numbers[i];
    if (boosts.get_array()[i].get_double() != expected) ++boost_differs;
  }
  // The set must contain values that the plain parser gets wrong, or this
  // test would not show anything.
  EXPECT_GT(boost_differs, 0u);
}

TEST(JsonNumbers, NumbersInsideObjectsAndLongMantissas) {
  // A mantissa of several hundred digits still converts exactly.
  const std::string long_mantissa = "0." + std::string(400, '3') + "1e1";
  const auto v = must_parse("{\"a\": {\"b\": [" + long_mantissa + ", 1.00000000000000011102230246251565404236316680908203125]}}");
  const auto& arr = tj::member(*tj::member(v, "a"), "b")->get_array();
  EXPECT_EQ(arr[0].get_double(), reference_double(long_mantissa));
  // Exactly halfway between 1 and the next double: ties to even gives 1.
  EXPECT_EQ(arr[1].get_double(), 1.0);
}

// ---------------------------------------------------------------- objects

TEST(JsonObjects, DuplicateKeyKeepsFirstPositionAndLastValue) {
  const auto v = must_parse(R"({"a": 1, "b": 2, "a": 3, "c": 4, "b": 5})");
  const auto& obj = v.get_object();
  ASSERT_EQ(obj.size(), 3u);
  std::vector<std::string> keys;
  for (const auto& kv : obj) keys.emplace_back(kv.key());
  EXPECT_EQ(keys, (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(tj::member(v, "a")->as_int64(), 3);
  EXPECT_EQ(tj::member(v, "b")->as_int64(), 5);
  EXPECT_EQ(tj::text_form(v), "{'a': 3, 'b': 5, 'c': 4}");
}

TEST(JsonObjects, DuplicateKeysInLargeObjectsKeepOrder) {
  // Objects beyond a handful of members use a hash index; check the same
  // rule holds there.
  std::string doc = "{";
  for (int i = 0; i < 100; ++i) doc += "\"k" + std::to_string(i) + "\":" + std::to_string(i) + ",";
  doc += "\"k7\":\"late\",\"k0\":null,\"z\":true}";
  const auto v = must_parse(doc);
  const auto& obj = v.get_object();
  ASSERT_EQ(obj.size(), 101u);
  auto it = obj.begin();
  for (int i = 0; i < 100; ++i, ++it) {
    // Appended rather than "k" + to_string(i): g++ 12 at -O2 reports a false
    // -Wrestrict inside operator+(const char*, string&&).
    std::string key = "k";
    key += std::to_string(i);
    EXPECT_EQ(it->key(), key);
  }
  EXPECT_EQ(it->key(), "z");
  EXPECT_EQ(tj::member(v, "k7")->as_string(), "late");
  EXPECT_TRUE(tj::member(v, "k0")->is_null());
  EXPECT_EQ(tj::member(v, "k8")->as_int64(), 8);
}

TEST(JsonObjects, HashIndexCapacityIsNeverAPowerOfTwo) {
  // A bucket is the name's hash modulo the capacity; only an odd capacity
  // makes the unpredictable high bits of the hash count, so that a document
  // cannot pile all its member names into one bucket.
  for (int n : {19, 32, 64, 1024, 4096}) {
    SCOPED_TRACE(n);
    std::string doc = "{";
    for (int i = 0; i < n; ++i) doc += (i ? ",\"k" : "\"k") + std::to_string(i) + "\":0";
    doc += "}";
    const auto v = must_parse(doc);
    EXPECT_EQ(v.get_object().size(), static_cast<std::size_t>(n));
    EXPECT_EQ(v.get_object().capacity() % 2, 1u);
  }
}

TEST(JsonObjects, KeysAreExactAndEscapesDecoded) {
  const auto v = must_parse(R"({"@type": "Product", "na\u006de": "x", "Name": "y", "a\"b": [{"c\nd": "e\tf"}]})");
  EXPECT_EQ(tj::text_form(*tj::member(v, "a\"b")), "[{'c\\nd': 'e\\tf'}]");
  EXPECT_EQ(tj::member(v, "name")->as_string(), "x");
  EXPECT_EQ(tj::member(v, "Name")->as_string(), "y");
  EXPECT_EQ(tj::member(v, "@type")->as_string(), "Product");
  EXPECT_EQ(tj::member(v, "NAME"), nullptr);
}

// ---------------------------------------------------------------- depth

TEST(JsonDepth, LimitIsInclusive) {
  EXPECT_TRUE(tj::parse(nested_arrays(tj::MAX_DEPTH)).has_value());
  EXPECT_FALSE(tj::parse(nested_arrays(tj::MAX_DEPTH + 1)).has_value());
  EXPECT_TRUE(tj::parse(nested_objects(tj::MAX_DEPTH)).has_value());
  EXPECT_FALSE(tj::parse(nested_objects(tj::MAX_DEPTH + 1)).has_value());
}

TEST(JsonDepth, CallerChosenLimit) {
  EXPECT_TRUE(tj::parse("[[[1]]]", 3).has_value());
  EXPECT_FALSE(tj::parse("[[[[1]]]]", 3).has_value());
  EXPECT_FALSE(tj::parse(R"({"a":{"b":[{}]}})", 3).has_value());
  EXPECT_TRUE(tj::parse("1", 0).has_value());
  EXPECT_FALSE(tj::parse("[]", 0).has_value());
  // Above the default, up to the parser's own ceiling.
  EXPECT_TRUE(tj::parse(nested_arrays(2000), 2000).has_value());
  EXPECT_TRUE(tj::parse(nested_arrays(tj::DEPTH_CEILING), 100000).has_value());
  EXPECT_FALSE(tj::parse(nested_arrays(tj::DEPTH_CEILING + 1), 100000).has_value());
}

TEST(JsonDepth, HundredThousandLevelsFailCleanly) {
  const std::size_t deep = 100000;
  EXPECT_FALSE(tj::parse(nested_arrays(deep)).has_value());
  EXPECT_FALSE(tj::parse(nested_objects(deep)).has_value());
  EXPECT_FALSE(tj::parse(std::string(deep, '[')).has_value());
  // Even a caller asking for no practical limit does not overflow the stack.
  EXPECT_FALSE(tj::parse(nested_arrays(deep), std::numeric_limits<std::size_t>::max()).has_value());
  EXPECT_FALSE(tj::parse(nested_objects(deep), deep + 1).has_value());
}

// ---------------------------------------------------------------- syntax

TEST(JsonSyntax, AcceptsWhatStrictReadersAccept) {
  struct Case {
    std::string json;
    std::string text;
  };
  const std::vector<Case> cases = {
      {"1", "1"},
      {"\"x\"", "x"},
      {"true", "True"},
      {"false", "False"},
      {"null", "None"},
      {" \n\t\r{} \r\n", "{}"},
      {"[1, \"a\", null, true, 2.5]", "[1, 'a', None, True, 2.5]"},
      {R"("\ud83d\ude00")", "\xF0\x9F\x98\x80"},
      {R"("caf\u00e9")", "caf\xC3\xA9"},
      {R"("\"\\\/\b\f\n\r\t")", "\"\\/\b\f\n\r\t"},
      {"\"caf\xC3\xA9 \x7F\"", "caf\xC3\xA9 \x7F"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.json);
    EXPECT_EQ(tj::text_form(must_parse(c.json)), c.text);
  }
  const auto nul = must_parse(R"("a\u0000b")");
  EXPECT_EQ(nul.get_string().size(), 3u);
}

TEST(JsonSyntax, RejectsMalformedInput) {
  const std::vector<std::string> bad = {
      "",
      "   ",
      "{",
      "}",
      "[1,]",
      "{\"a\":1,}",
      "[1 2]",
      "{\"a\" 1}",
      "{\"a\"}",
      "{a:1}",
      "{'a':1}",
      "'a'",
      "NaN",
      "[NaN]",
      "Infinity",
      "-Infinity",
      "[-Infinity]",
      "\xEF\xBB\xBF{}",  // byte order mark
      "{} x",
      "{}{}",
      "1 2",
      "// c\n{}",
      "/* c */{}",
      "[01]",
      "[1.]",
      "[.5]",
      "[+1]",
      "[1e]",
      "[1e+]",
      "[-]",
      "[0x10]",
      "tru",
      "nul",
      "True",
      "\"unterminated",
      "\"raw\ttab\"",
      "\"raw\nnewline\"",
      std::string("\"nul\0byte\"", 10),
      "\"\x01\"",
      "\"\\x41\"",
      "\"\\u12\"",
      "\"\\u12G4\"",
      "\"\\ud800\\u12\"",
      "\"\xFF\"",        // invalid UTF-8
      "\"\xC3\"",        // truncated sequence
      "\"\xED\xA0\x80\"",  // encoded surrogate
      "[\"a\"\"b\"]",
      "<script>",
  };
  for (const auto& s : bad) {
    SCOPED_TRACE(s);
    EXPECT_FALSE(tj::parse(s).has_value());
  }
}

TEST(JsonSyntax, UnpairedSurrogateEscapesBecomeReplacementCharacters) {
  struct Case {
    const char* json;
    const char* text;
  };
  const std::vector<Case> cases = {
      {R"("a\ud800b")", "a\xEF\xBF\xBD" "b"},
      {R"("\udc00")", "\xEF\xBF\xBD"},
      {R"("\uD800\u0041")", "\xEF\xBF\xBD" "A"},
      {R"("\ud83d\ude00\ud83d")", "\xF0\x9F\x98\x80\xEF\xBF\xBD"},
      {R"("\ude00\ud83d\ude00")", "\xEF\xBF\xBD\xF0\x9F\x98\x80"},
      // An escaped backslash followed by "ud800" is plain text.
      {R"(["\\ud800", "\ud800"])", "['\\\\ud800', '\xEF\xBF\xBD']"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.json);
    const auto v = tj::parse(c.json);
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(tj::text_form(*v), c.text);
  }
  // The rewrite does not rescue a document that is broken otherwise.
  EXPECT_FALSE(tj::parse(R"({"a": "\ud800",})").has_value());
}

TEST(JsonSyntax, ArbitraryBytesNeverCrash) {
  std::mt19937 rng(7);
  const std::string seed_doc =
      R"({"@context":"https://schema.org","@type":["Product","Thing"],"name":"Caf\u00e9 \ud83d\ude00",)"
      R"("offers":[{"price":19.99,"priceCurrency":"EUR","x":[1e400,-0,1.5e-7,null,true]}],"sku":12345})";
  const std::string alphabet = "{}[]\",:\\u0123456789abcdefE+-. \ntrulsnINf\xC3\xA9\xFF\xED\xA0";
  int parsed = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string s = seed_doc;
    const int edits = 1 + static_cast<int>(rng() % 4);
    for (int e = 0; e < edits && !s.empty(); ++e) {
      const std::size_t pos = rng() % s.size();
      switch (rng() % 3) {
        case 0: s[pos] = alphabet[rng() % alphabet.size()]; break;
        case 1: s.erase(pos, 1 + rng() % 3); break;
        default: s.insert(pos, 1, alphabet[rng() % alphabet.size()]); break;
      }
    }
    if (const auto v = tj::parse(s)) {
      ++parsed;
      (void)tj::text_form(*v);
    }
  }
  for (int round = 0; round < 500; ++round) {
    std::string s(rng() % 64, '\0');
    for (auto& c : s) c = static_cast<char>(rng());
    (void)tj::parse(s);
  }
  EXPECT_GT(parsed, 0);
}

// ---------------------------------------------------------------- text form

TEST(JsonTextForm, ContainersRenderLikeLiterals) {
  struct Case {
    const char* json;
    const char* text;
  };
  const std::vector<Case> cases = {
      {"[]", "[]"},
      {"{}", "{}"},
      {R"(["a", 1])", "['a', 1]"},
      {R"({"k": "v"})", "{'k': 'v'}"},
      {R"({"a": [1.0, {"b": null}], "c": false})", "{'a': [1.0, {'b': None}], 'c': False}"},
      {R"(["it's"])", "[\"it's\"]"},
      {R"(["say \"hi\""])", "['say \"hi\"']"},
      {R"(["both ' and \""])", "['both \\' and \"']"},
      {R"(["back\\slash", "line\nbreak\ttab"])", "['back\\\\slash', 'line\\nbreak\\ttab']"},
      {R"(["\u0001\u007f\u00a0\u200b"])", "['\\x01\\x7f\\xa0\\u200b']"},
      {R"(["caf\u00e9 \u65e5\u672c"])", "['caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC']"},
      {R"([1e16, 1e-5, -0.0, 1e400])", "[1e+16, 1e-05, -0.0, inf]"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.json);
    EXPECT_EQ(tj::text_form(must_parse(c.json)), c.text);
  }
}

TEST(JsonTextForm, ScalarsAndNonFiniteValues) {
  EXPECT_EQ(tj::text_form(bj::value(std::numeric_limits<double>::quiet_NaN())), "nan");
  EXPECT_EQ(tj::text_form(bj::value(-std::numeric_limits<double>::infinity())), "-inf");
  EXPECT_EQ(tj::text_form(bj::value(42)), "42");
  EXPECT_EQ(tj::text_form(bj::value(std::uint64_t{18446744073709551615ULL})), "18446744073709551615");
  // A top-level string is itself, without quotes or escapes.
  EXPECT_EQ(tj::text_form(bj::value("it's\n")), "it's\n");
}

TEST(JsonTextForm, DeepValuesBuiltInCodeStayBounded) {
  bj::value v = bj::array();
  for (int i = 0; i < 3000; ++i) {
    bj::array outer;
    outer.push_back(std::move(v));
    v = std::move(outer);
  }
  const std::string s = tj::text_form(v);
  EXPECT_NE(s.find("[...]"), std::string::npos);
  EXPECT_LT(s.size(), 3000u);
}

// ---------------------------------------------------------------- helpers

TEST(JsonHelpers, Truthiness) {
  struct Case {
    const char* json;
    bool truthy;
  };
  const std::vector<Case> cases = {
      {"null", false},   {"false", false}, {"true", true},   {"0", false},    {"-0", false},
      {"0.0", false},    {"-0.0", false},  {"1e-400", false}, {"1", true},    {"-1", true},
      {"0.5", true},     {"1e400", true},  {"18446744073709551615", true},  {"\"\"", false},
      {"\" \"", true},   {"\"0\"", true},  {"\"false\"", true}, {"[]", false}, {"[0]", true},
      {"[null]", true},  {"{}", false},    {"{\"a\":null}", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.json);
    const auto v = must_parse(c.json);
    EXPECT_EQ(tj::truthy(&v), c.truthy);
  }
  EXPECT_FALSE(tj::truthy(nullptr));
  const bj::value nan(std::numeric_limits<double>::quiet_NaN());
  EXPECT_TRUE(tj::truthy(&nan));
  const bj::value zero_u(std::uint64_t{0});
  EXPECT_FALSE(tj::truthy(&zero_u));
}

TEST(JsonHelpers, Member) {
  const auto v = must_parse(R"({"offers": {"price": "9.99"}, "empty": null})");
  ASSERT_NE(tj::member(v, "offers"), nullptr);
  EXPECT_EQ(tj::member(*tj::member(v, "offers"), "price")->as_string(), "9.99");
  ASSERT_NE(tj::member(v, "empty"), nullptr);
  EXPECT_TRUE(tj::member(v, "empty")->is_null());
  EXPECT_EQ(tj::member(v, "missing"), nullptr);
  EXPECT_EQ(tj::member(v, ""), nullptr);
  for (const char* not_object : {"[{\"offers\": 1}]", "\"offers\"", "null", "3"}) {
    SCOPED_TRACE(not_object);
    EXPECT_EQ(tj::member(must_parse(not_object), "offers"), nullptr);
  }
}

TEST(JsonHelpers, AsNumber) {
  struct Case {
    const char* json;
    std::optional<double> number;
  };
  const std::vector<Case> cases = {
      {"12", 12.0},
      {"-7", -7.0},
      {"18446744073709551615", 18446744073709551615.0},
      {"19.99", 19.99},
      {"1e400", std::numeric_limits<double>::infinity()},
      {"true", 1.0},
      {"false", 0.0},
      {"\"12\"", std::nullopt},
      {"\"\"", std::nullopt},
      {"null", std::nullopt},
      {"[1]", std::nullopt},
      {"{\"a\":1}", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.json);
    const auto v = must_parse(c.json);
    EXPECT_EQ(tj::as_number(&v), c.number);
  }
  EXPECT_EQ(tj::as_number(nullptr), std::nullopt);
}

// ---------------------------------------------------------------- size

TEST(JsonLarge, PageDataSizedDocumentParsesCompletely) {
  // About 4 MB of page-data-like content with long strings and many numbers.
  std::string doc = R"({"props":{"pageProps":{"items":[)";
  const int n = 20000;
  for (int i = 0; i < n; ++i) {
    if (i) doc += ",";
    doc += R"({"id":)" + std::to_string(i) + R"(,"name":"Item )" + std::to_string(i) +
           R"( \u00e9\n","price":)" + std::to_string(i) + R"(.99,"tags":["a","b"],"html":")" +
           std::string(120, 'x') + R"("})";
  }
  doc += "]}}}";
  const auto v = must_parse(doc);
  const auto* items = tj::member(*tj::member(*tj::member(v, "props"), "pageProps"), "items");
  ASSERT_NE(items, nullptr);
  ASSERT_EQ(items->get_array().size(), static_cast<std::size_t>(n));
  const auto& last = items->get_array().back();
  EXPECT_EQ(tj::text_form(*tj::member(last, "price")), "19999.99");
  EXPECT_EQ(tj::text_form(*tj::member(last, "name")), "Item 19999 \xC3\xA9\n");
}

}  // namespace
