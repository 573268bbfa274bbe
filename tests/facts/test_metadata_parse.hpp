// Shared helpers of the page-facts tests: a call with named inputs, small page
// builders, and a check of selected facts given as a JSON object.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include <boost/json.hpp>

#include "tarvik/facts/metadata.hpp"
#include "tarvik/models/common.hpp"
#include "tarvik/util/text.hpp"

namespace tarvik::commerce::testing {

struct Call {
  std::optional<std::string> html{};
  std::string url = "https://shop.example/p/1";
  std::string title{};
  std::string merchant{};
  std::optional<models::NormalizedPrice> price{};
  std::optional<bool> stock{};
  std::int64_t rank = 1;
  ExtractionMode mode = ExtractionMode::OFF;

  PageFacts run() const {
    const std::optional<std::string_view> page = html ? std::optional<std::string_view>(*html) : std::nullopt;
    return DestinationMetadataParser::parse_metadata(page, url, title, merchant, price, stock, rank, mode);
  }
};

// A page well above the read threshold: `head` inside <head>, `body` inside <body>.
inline std::string page(std::string_view head, std::string_view body = "") {
  std::string s = "<!doctype html><html><head>";
  s += head;
  s += "</head><body>";
  s += body;
  s += "<p>" + std::string(220, '.') + "</p></body></html>";
  return s;
}

inline std::string ld(std::string_view json) {
  return "<script type=\"application/ld+json\">" + std::string(json) + "</script>";
}

inline std::string next_data(std::string_view product_json) {
  return R"(<script id="__NEXT_DATA__" type="application/json">{"props":{"pageProps":{"product":)" +
         std::string(product_json) + "}}}</script>";
}

inline std::string meta(std::string_view property, std::string_view content) {
  return "<meta property=\"" + std::string(property) + "\" content=\"" + std::string(content) + "\">";
}

// Checks every member of `expected` (a JSON object of page-fact keys) against
// the JSON form of the facts.
inline void expect_facts(const PageFacts& facts, std::string_view expected) {
  const boost::json::object want = boost::json::parse(expected).as_object();
  const std::string json = facts.to_json();
  const boost::json::object got = boost::json::parse(json).as_object();
  for (const auto& [key, value] : want) {
    const auto it = got.find(key);
    ASSERT_NE(it, got.end()) << "missing key " << key;
    EXPECT_EQ(it->value(), value) << "key " << key << " in " << json;
  }
}

struct Case {
  const char* name;
  Call call;
  const char* expect;
};

inline std::ostream& operator<<(std::ostream& os, const Case& c) { return os << c.name; }

inline std::string case_name(const ::testing::TestParamInfo<Case>& info) { return info.param.name; }

// Parameterised over tables of cases; the test body is defined once, in
// test_metadata_parse.cpp.
class FactsTest : public ::testing::TestWithParam<Case> {};

}  // namespace tarvik::commerce::testing
