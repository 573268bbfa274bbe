#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <boost/json.hpp>

#include "cli_runner.hpp"

using tarvik::testing::lines;
using tarvik::testing::run_cli;

namespace {

TEST(CliPrice, ArgumentsGiveOneObjectEach) {
  const auto r = run_cli({"price", "$1,299.99", "1.299,99 €", "Price on request"}, "");
  EXPECT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> expected = {
      R"({"input":"$1,299.99","price":{"raw":"$1,299.99","amount":1299.99,"currency":"USD"}})",
      R"({"input":"1.299,99 €","price":{"raw":"1.299,99 €","amount":1299.99,"currency":"EUR"}})",
      R"({"input":"Price on request","price":null})",
  };
  EXPECT_EQ(lines(r.out), expected);
}

TEST(CliPrice, CurrencyHint) {
  const struct {
    std::vector<std::string> args;
    std::string currency;
  } cases[] = {
      {{"price", "12", "--currency", "eur"}, "EUR"},
      {{"price", "--currency", "CA$", "20"}, "CAD"},
      {{"price", "--currency", "chf", "20"}, "CHF"},
      {{"price", "$12", "--currency", "EUR"}, "USD"},  // a token in the text wins
      {{"price", "12"}, "USD"},
      {{"price", "--currency", "", "12"}, "USD"},  // an empty hint is no hint
  };
  for (const auto& c : cases) {
    const auto r = run_cli(c.args, "");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto doc = boost::json::parse(r.out);
    EXPECT_EQ(doc.at("price").at("currency").as_string(), c.currency) << r.out;
  }
}

TEST(CliPrice, StandardInputLineByLine) {
  // CR LF endings, a blank line, an invalid byte (repaired), a text without digits.
  const auto r = run_cli({"price"},
                         "12 USD\r\n\n\xff"
                         "5\n1\xc2\xa0"
                         "234\n€ 12,50");
  EXPECT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> expected = {
      R"({"input":"12 USD","price":{"raw":"12 USD","amount":12.0,"currency":"USD"}})",
      R"({"input":"","price":null})",
      "{\"input\":\"\xef\xbf\xbd"
      "5\",\"price\":{\"raw\":\"\xef\xbf\xbd"
      "5\",\"amount\":5.0,\"currency\":\"USD\"}}",
      "{\"input\":\"1\xc2\xa0"
      "234\",\"price\":null}",
      R"({"input":"€ 12,50","price":{"raw":"€ 12,50","amount":12.5,"currency":"EUR"}})",
  };
  EXPECT_EQ(lines(r.out), expected);
}

TEST(CliPrice, ManyLinesStreamThrough) {
  std::string input;
  // Appended piece by piece: g++ 12 at -O3 misreports "$" + to_string(i) as -Wrestrict.
  for (int i = 0; i < 20000; ++i) input.append("$").append(std::to_string(i)).append(".5\n");
  const auto r = run_cli({"price"}, input);
  EXPECT_EQ(r.status, 0) << r.err;
  const auto out = lines(r.out);
  ASSERT_EQ(out.size(), 20000u);
  EXPECT_EQ(boost::json::parse(out[19999]).at("price").at("amount").as_double(), 19999.5);
}

TEST(CliPrice, OutputIsValidJsonForHostileText) {
  const auto r = run_cli({"price", "--", std::string(5000, '9'), "\"\\\x01</script>", "-5"}, "");
  EXPECT_EQ(r.status, 0) << r.err;
  const auto out = lines(r.out);
  ASSERT_EQ(out.size(), 3u);
  EXPECT_TRUE(boost::json::parse(out[0]).at("price").is_null());  // overflows: no price
  EXPECT_EQ(boost::json::parse(out[1]).at("input").as_string(), "\"\\\x01</script>");
  EXPECT_EQ(boost::json::parse(out[2]).at("price").at("amount").as_double(), 5.0);
}

TEST(CliPrice, HelpAndUsageErrors) {
  const auto help = run_cli({"price", "--help"}, "");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--currency"), std::string::npos);
  EXPECT_NE(help.out.find("standard input"), std::string::npos);
  EXPECT_EQ(run_cli({"price", "--currency"}, "").status, 2);
  EXPECT_EQ(run_cli({"price", "--no-such-option", "1"}, "").status, 2);
}

}  // namespace
