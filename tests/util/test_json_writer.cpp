#include "tarvik/util/json_writer.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "tarvik/util/json.hpp"
#include "tarvik/util/text.hpp"

namespace tj = tarvik::json;

namespace {

TEST(JsonWriter, CompactOutputKeepsMemberOrder) {
  tj::JsonWriter w;
  w.begin_object()
      .key("z").value("last letter")
      .key("a").begin_array().value(1).value(2.5).value(true).null().end_array()
      .key("empty").begin_object().end_object()
      .key("none").value(std::optional<int>{})
      .key("some").value(std::optional<int>{7})
      .key("raw").raw("[1,2]")
      .end_object();
  EXPECT_EQ(w.str(),
            R"({"z":"last letter","a":[1,2.5,true,null],"empty":{},"none":null,"some":7,"raw":[1,2]})");
}

TEST(JsonWriter, PrettyOutput) {
  tj::JsonWriter w(2);
  w.begin_object().key("a").begin_array().value(1).value(2).end_array().key("b").begin_object().end_object()
      .key("c").begin_array().end_array().end_object();
  EXPECT_EQ(w.str(), "{\n  \"a\": [\n    1,\n    2\n  ],\n  \"b\": {},\n  \"c\": []\n}");
}

TEST(JsonWriter, NumbersAreValidJson) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {130.0, "130.0"},
      {0.1, "0.1"},
      {1e-5, "1e-05"},
      {1e16, "1e+16"},
      {-0.0, "-0.0"},
      {19.99, "19.99"},
      {std::numeric_limits<double>::quiet_NaN(), "null"},
      {std::numeric_limits<double>::infinity(), "null"},
      {-std::numeric_limits<double>::infinity(), "null"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    tj::JsonWriter w;
    w.value(c.value);
    EXPECT_EQ(w.str(), c.text);
    EXPECT_TRUE(tj::parse(w.str()).has_value());
  }
  tj::JsonWriter w;
  w.begin_array().value(std::numeric_limits<std::int64_t>::min()).value(std::numeric_limits<std::int64_t>::max())
      .end_array();
  EXPECT_EQ(w.str(), "[-9223372036854775808,9223372036854775807]");
}

TEST(JsonWriter, StringsRoundTripThroughTheReader) {
  const std::string samples[] = {
      "plain",
      "quote \" and backslash \\",
      "controls \b\f\n\r\t \x01\x1f end",
      std::string("nul \0 inside", 12),
      "caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80 \x7F",
      "</script>",
  };
  for (const auto& s : samples) {
    SCOPED_TRACE(s);
    tj::JsonWriter w;
    w.begin_object().key(s).value(s).end_object();
    for (unsigned char c : w.str()) EXPECT_GE(c, 0x20u) << "raw control character in output";
    const auto v = tj::parse(w.str());
    ASSERT_TRUE(v.has_value()) << w.str();
    const auto* m = tj::member(*v, s);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(tj::text_form(*m), s);
  }
  std::string quoted;
  tj::append_quoted(quoted, "a\x01\"");
  EXPECT_EQ(quoted, R"("a\u0001\"")");
}

TEST(JsonWriter, DoublesReadBackBitForBit) {
  std::mt19937_64 rng(99);
  tj::JsonWriter w;
  std::vector<double> values;
  w.begin_array();
  while (values.size() < 5000) {
    const double d = std::bit_cast<double>(rng());
    if (!std::isfinite(d)) continue;
    values.push_back(d);
    w.value(d);
  }
  w.end_array();
  const auto v = tj::parse(w.str());
  ASSERT_TRUE(v.has_value());
  const auto& arr = v->get_array();
  ASSERT_EQ(arr.size(), values.size());
  for (std::size_t i = 0; i < values.size(); ++i) {
    const auto back = tj::as_number(&arr[i]);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(std::bit_cast<std::uint64_t>(*back), std::bit_cast<std::uint64_t>(values[i]))
        << tarvik::text::format_double(values[i]);
  }
}

}  // namespace
