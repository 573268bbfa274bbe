// URL splitting checked against a well-known URL library's test tables, and
// unwrapping checked on real links taken from saved web pages. Both files
// live in the shared corpus; the tests skip when it is absent.
#include <gtest/gtest.h>

// Boost.JSON compiled into this test only (the unit under test does not use it).
#include <boost/json.hpp>

#include <unicode/normalizer2.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tarvik/links/unwrapper.hpp"
#include "tarvik/util/text.hpp"

namespace tarvik::commerce {
namespace {

namespace json = boost::json;

const std::filesystem::path CORPUS = std::filesystem::path(TARVIK_SHARED_DIR) / "corpus" / "urls";

std::optional<json::value> load(const std::string& name) {
  std::ifstream in(CORPUS / name, std::ios::binary);
  if (!in) return std::nullopt;
  std::stringstream ss;
  ss << in.rdbuf();
  json::parse_options opts;
  opts.max_depth = 64;
  return json::parse(ss.str(), {}, opts);
}

#define LOAD_OR_SKIP(var, name)                                   \
  const std::optional<json::value> var##_loaded = load(name);     \
  if (!var##_loaded) GTEST_SKIP() << (CORPUS / name) << " absent"; \
  const json::value& var = *var##_loaded

std::string str(const json::value& v) { return std::string(v.as_string()); }

SplitURL six(const json::array& a) {
  return SplitURL{str(a.at(0)), str(a.at(1)), str(a.at(2)), str(a.at(3)), str(a.at(4)), str(a.at(5))};
}

// Cases of one parameter table (the last block when there are several).
const json::array& table_cases(const json::value& root, std::string_view name) {
  return root.at("parameter_tables").at(name).as_array().back().at("cases").as_array();
}

std::string components(const SplitURL& p) {
  return "{" + p.scheme + " | " + p.netloc + " | " + p.path + " | " + p.params + " | " + p.query + " | " +
         p.fragment + "}";
}

// ---------------------------------------------------------------------------
// Split tables

constexpr const char* URLPARSE = "cpython-test_urlparse.json";

TEST(SplitUrlCorpus, RoundTrips) {
  LOAD_OR_SKIP(root, URLPARSE);
  for (const auto& c : table_cases(root, "test_roundtrips")) {
    const std::string url = str(c.at(0));
    SCOPED_TRACE(url);
    const SplitURL got = split_url(url);
    EXPECT_EQ(got, six(c.at(1).as_array())) << components(got);
    EXPECT_EQ(join_url(got), url);
  }
}

TEST(SplitUrlCorpus, ThreeSlashNormalisation) {
  LOAD_OR_SKIP(root, URLPARSE);
  for (const auto& c : table_cases(root, "test_roundtrips_normalization")) {
    const std::string url = str(c.at(0));
    SCOPED_TRACE(url);
    const SplitURL got = split_url(url);
    EXPECT_EQ(got, six(c.at(2).as_array())) << components(got);
    EXPECT_EQ(join_url(got), str(c.at(1)));
  }
}

TEST(SplitUrlCorpus, HttpRoundTrips) {
  LOAD_OR_SKIP(root, URLPARSE);
  const json::array& blocks = root.at("parameter_tables").at("test_http_roundtrips").as_array();
  for (const auto& scheme : blocks.at(0).at("cases").as_array()) {
    for (const auto& c : blocks.at(1).at("cases").as_array()) {
      const std::string url = str(scheme) + str(c.at(0));
      SCOPED_TRACE(url);
      const json::array& p = c.at(1).as_array();
      const SplitURL expected{str(scheme), str(p.at(0)), str(p.at(1)), str(p.at(2)), str(p.at(3)), str(p.at(4))};
      const SplitURL got = split_url(url);
      EXPECT_EQ(got, expected) << components(got);
      EXPECT_EQ(join_url(got), url);
    }
  }
}

TEST(SplitUrlCorpus, UnparseParse) {
  LOAD_OR_SKIP(root, URLPARSE);
  for (const auto& c : table_cases(root, "test_unparse_parse")) {
    const std::string url = str(c);
    EXPECT_EQ(join_url(split_url(url)), url);
  }
}

TEST(SplitUrlCorpus, ParseEquals) {
  LOAD_OR_SKIP(root, URLPARSE);
  for (const auto& c : root.at("parse_equals").as_array()) {
    const std::string url = str(c.at("input"));
    SCOPED_TRACE(url);
    const SplitURL got = split_url(url);
    EXPECT_EQ(got, six(c.at("expected").as_array())) << components(got);
  }
}

TEST(SplitUrlCorpus, BracketedHosts) {
  LOAD_OR_SKIP(root, URLPARSE);
  for (const auto& c : table_cases(root, "test_RFC2732")) {
    const std::string url = str(c.at(0));
    SCOPED_TRACE(url);
    SplitURL got;
    ASSERT_NO_THROW(got = split_url(url));
    EXPECT_NE(text::to_lower(got.netloc).find(str(c.at(1))), std::string::npos) << got.netloc;
    if (c.at(2).is_int64()) {
      EXPECT_TRUE(got.netloc.ends_with(":" + std::to_string(c.at(2).as_int64())));
    }
  }
  for (const auto& c : table_cases(root, "test_RFC2732_invalid"))
    EXPECT_THROW(split_url(str(c)), InvalidURLError) << str(c);
}

TEST(SplitUrlCorpus, ValueErrors) {
  LOAD_OR_SKIP(root, URLPARSE);
  const json::array& cases = root.at("value_errors").as_array();
  ASSERT_FALSE(cases.empty());
  for (const auto& c : cases) {
    const std::string url = str(c.at("input"));
    EXPECT_THROW(split_url(url), InvalidURLError) << url;
    EXPECT_THROW(URLUnwrapper::unwrap(url), InvalidURLError) << url;
  }
}

TEST(SplitUrlCorpus, Fragments) {
  LOAD_OR_SKIP(root, URLPARSE);
  for (const auto& c : table_cases(root, "test_urldefrag"))
    EXPECT_EQ(split_url(str(c.at(0))).fragment, str(c.at(2))) << str(c.at(0));
  for (const auto& c : table_cases(root, "test_parse_fragments"))
    EXPECT_EQ(split_url(str(c.at(0))).fragment, str(c.at(2))) << str(c.at(0));
}

TEST(SplitUrlCorpus, BadPortsAndSchemes) {
  LOAD_OR_SKIP(root, URLPARSE);
  for (const auto& c : table_cases(root, "test_attributes_bad_port")) {
    const std::string netloc = "www.example.net:" + str(c);
    EXPECT_EQ(split_url("http://" + netloc + "/").netloc, netloc);
  }
  for (const auto& c : table_cases(root, "test_attributes_bad_scheme")) {
    const SplitURL got = split_url(str(c) + "://www.example.net");
    EXPECT_EQ(got.scheme, "") << str(c);
  }
}

TEST(SplitUrlCorpus, Attributes) {
  LOAD_OR_SKIP(root, URLPARSE);
  int checked = 0;
  for (const auto& c : root.at("attributes").as_array()) {
    // Cases that pass a default scheme test an argument we do not have.
    if (c.as_object().contains("arguments")) continue;
    const std::string url = str(c.at("input"));
    const bool six_parts = c.at("function").as_string() == "urlparse";
    SCOPED_TRACE(url);
    const SplitURL got = split_url(url);
    for (const auto& [key, value] : c.at("expected").as_object()) {
      if (!value.is_string()) continue;  // username, port, ...: not ours
      const std::string want = str(value);
      if (key == "scheme") EXPECT_EQ(got.scheme, want);
      else if (key == "netloc") EXPECT_EQ(got.netloc, want);
      else if (key == "query") EXPECT_EQ(got.query, want);
      else if (key == "fragment") EXPECT_EQ(got.fragment, want);
      else if (key == "params") EXPECT_EQ(got.params, want);
      else if (key == "path") EXPECT_EQ(six_parts ? got.path : got.path + (got.params.empty() ? "" : ";" + got.params), want);
      else if (key == "geturl" || key == "urlunsplit") EXPECT_EQ(join_url(got), want);
      else continue;
      ++checked;
    }
  }
  EXPECT_GT(checked, 40);
}

// Pairs with a non-empty value, grouped by key: what decoding that drops
// blank values gives.
QueryMap without_blanks(const json::array& pairs) {
  QueryMap out;
  for (const auto& p : pairs) {
    const std::string key = str(p.at(0)), value = str(p.at(1));
    if (value.empty()) continue;
    auto it = std::find_if(out.begin(), out.end(), [&](const auto& e) { return e.first == key; });
    if (it == out.end()) it = out.insert(out.end(), {key, {}});
    it->second.push_back(value);
  }
  return out;
}

TEST(DecodeQueryCorpus, FormDecoding) {
  LOAD_OR_SKIP(root, URLPARSE);
  for (const auto& c : root.at("parse_qsl").as_array()) {
    const std::string q = str(c.at("query"));
    EXPECT_EQ(decode_query(q), without_blanks(c.at("expected_keep_blank_values").as_array())) << q;
  }
  for (const auto& c : root.at("parse_qs").as_array()) {
    const std::string q = str(c.at("query"));
    json::array flat;
    for (const auto& [key, values] : c.at("expected_keep_blank_values").as_object())
      for (const auto& v : values.as_array()) flat.push_back(json::array{json::string(key), v});
    EXPECT_EQ(decode_query(q), without_blanks(flat)) << q;
  }
}

// Every non-ASCII character whose decomposition (from ICU's data) holds one of "/:#?@" makes a
// network location invalid, wherever it stands in it.
TEST(SplitUrlCorpus, CompatibilityDelimitersInNetworkLocation) {
  UErrorCode err = U_ZERO_ERROR;
  const icu::Normalizer2* nfkd = icu::Normalizer2::getNFKDInstance(err);
  ASSERT_TRUE(U_SUCCESS(err));
  std::vector<UChar32> denorm;
  for (UChar32 c = 0x80; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    icu::UnicodeString raw;
    if (!nfkd->getRawDecomposition(c, raw)) continue;
    for (char16_t d : {u'/', u':', u'#', u'?', u'@'}) {
      if (raw.indexOf(d) >= 0) {
        denorm.push_back(c);
        break;
      }
    }
  }
  ASSERT_NE(std::find(denorm.begin(), denorm.end(), 0x2100), denorm.end());
  ASSERT_NE(std::find(denorm.begin(), denorm.end(), 0xFF03), denorm.end());
  for (UChar32 c : denorm) {
    std::string ch;
    text::append_utf8(ch, static_cast<char32_t>(c));
    for (const char* scheme : {"http", "https", "ftp"}) {
      for (const std::string& netloc : {"netloc" + ch + "false.netloc", "n" + ch + "user@netloc"}) {
        const std::string url = std::string(scheme) + "://" + netloc + "/path";
        EXPECT_THROW(split_url(url), InvalidURLError) << "U+" << std::hex << c;
      }
    }
  }
  // A port separator that was there before normalisation is fine.
  EXPECT_NO_THROW(split_url("http://\xE3\x83\x95\xE3\x82\x9A:80"));
  EXPECT_THROW(split_url("http://\xE3\x83\x95\xE3\x82\x9A\xEF\xB8\x93" "80"), InvalidURLError);
}

// ---------------------------------------------------------------------------
// Real links

constexpr const char* LINKS = "real-world-links.json";
constexpr std::string_view ENGINE = "https://www.google.com";

bool has_tracking_key(const std::string& url) {
  for (const auto& [key, values] : decode_query(split_url(url).query)) {
    const std::string lowered = text::to_lower(key);
    if (std::find(TRACKING_PARAMS.begin(), TRACKING_PARAMS.end(), lowered) != TRACKING_PARAMS.end()) return true;
  }
  return false;
}

// The decoded first value of `name`, or "".
std::string first_value(const std::string& query, const std::string& name) {
  for (const auto& [key, values] : decode_query(query))
    if (key == name) return values.front();
  return "";
}

TEST(UnwrapCorpus, RealLinksComeOutClean) {
  LOAD_OR_SKIP(root, LINKS);
  const json::array& links = root.at("links").as_array();
  ASSERT_FALSE(links.empty());
  int redirects = 0;
  for (const auto& link : links) {
    const std::string href = str(link.at("href"));
    SCOPED_TRACE(href);
    std::string out;
    try {
      out = URLUnwrapper::unwrap(href);
    } catch (const InvalidURLError&) {
      // Only a bracketed or non-ASCII host can be rejected.
      const bool suspicious = href.find_first_of("[]") != std::string::npos || !text::is_ascii(href);
      EXPECT_TRUE(suspicious) << "rejected without reason";
      continue;
    }
    EXPECT_FALSE(has_tracking_key(out)) << out;
    const std::string fragment = split_url(out).fragment;
    EXPECT_EQ(fragment.find(":~:text="), std::string::npos) << out;
    EXPECT_NO_THROW(URLUnwrapper::extract_domain(out));

    const json::array& kinds = link.at("kinds").as_array();
    if (std::find(kinds.begin(), kinds.end(), json::value("search-engine-redirect")) == kinds.end()) continue;
    ++redirects;
    // The saved links are relative to the engine's host: without a host they
    // are not recognised as wrappers, only cleaned.
    if (split_url(href).netloc.empty()) {
      EXPECT_EQ(split_url(out).path, "/url") << out;
    }
    // Resolved against the engine's host they are unwrapped to their target.
    const std::string absolute = std::string(ENGINE) + href;
    const std::string direct = URLUnwrapper::unwrap(absolute);
    const SplitURL wrapper = split_url(absolute);
    std::string target = first_value(wrapper.query, "q");
    if (target.empty()) target = first_value(wrapper.query, "url");
    ASSERT_FALSE(target.empty());
    EXPECT_EQ(direct, URLUnwrapper::unwrap(target));
    EXPECT_FALSE(direct.starts_with(std::string(ENGINE) + "/url")) << direct;
    EXPECT_FALSE(has_tracking_key(direct)) << direct;
  }
  EXPECT_EQ(redirects, root.at("counts").at("search-engine-redirect").as_int64());
}

}  // namespace
}  // namespace tarvik::commerce
