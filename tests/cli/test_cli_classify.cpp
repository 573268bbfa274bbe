#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_runner.hpp"

using tarvik::testing::lines;
using tarvik::testing::run_cli;

namespace {

TEST(CliClassify, DomainAndEvidence) {
  const struct {
    std::vector<std::string> args;
    const char* category;
  } cases[] = {
      {{"classify", "smile.amazon.com"}, "major_marketplace"},
      {{"classify", "WWW.StockX.com"}, "reseller_specialist"},
      {{"classify", "www.nike.com", "--brand", "Nike"}, "official_brand"},
      {{"classify", "nikestore.com", "--merchant", "Nike"}, "official_brand"},
      {{"classify", "lunarbags.com", "--title", "Bags by Lunar"}, "official_brand"},
      {{"classify", "lunarbags.com", "--title", "Lunar Shoes", "--brand", "Acme"}, "unverified"},
      {{"classify", "hm.com", "--brand", "HM"}, "unverified"},
      {{"classify", ""}, "unverified"},
      {{"classify", "nike.com", "--brand", "\xff"}, "unverified"},
  };
  for (const auto& c : cases) {
    const auto r = run_cli(c.args, "");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, std::string(c.category) + "\n") << c.args[1];
  }
}

TEST(CliClassify, JsonLinesWithErrorsCarryOn) {
  const std::string input =
      "{\"domain\":\"nike.com\",\"brand\":\"Nike\"}\n"
      "{\"domain\":\"ebay.de\",\"title\":\"x\",\"brand\":null,\"merchant_name\":null}\n"
      "not json\n"
      "[1,2]\n"
      "{\"title\":\"Nike\"}\n"
      "{\"domain\":5}\n"
      "{\"domain\":\"nike.com\",\"title\":null}\n"
      "{\"domain\":\"nike.com\",\"brand\":[\"Nike\"]}\n"
      "{\"domain\":\"nike.com\",\"merchant_name\":1}\n"
      "\n"
      "{\"domain\":\"nikestore.com\",\"merchant_name\":\"Nike\",\"extra\":true}\r\n"
      "{\"domain\":\"goat.com\"}";  // no final newline
  const auto r = run_cli({"classify", "--json"}, input);
  EXPECT_EQ(r.status, 1);
  const std::vector<std::string> expected = {
      R"({"category":"official_brand"})",
      R"({"category":"major_marketplace"})",
      R"({"error":"invalid JSON"})",
      R"({"error":"expected a JSON object"})",
      R"({"error":"\"domain\" must be a string"})",
      R"({"error":"\"domain\" must be a string"})",
      R"({"error":"\"title\" must be a string"})",
      R"({"error":"\"brand\" must be a string or null"})",
      R"({"error":"\"merchant_name\" must be a string or null"})",
      R"({"error":"invalid JSON"})",
      R"({"category":"official_brand"})",
      R"({"category":"reseller_specialist"})",
  };
  EXPECT_EQ(lines(r.out), expected);
}

TEST(CliClassify, JsonLinesAllGoodExitZero) {
  const auto r = run_cli({"classify", "--json"}, "{\"domain\":\"target.com\"}\n{\"domain\":\"\"}\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(lines(r.out), (std::vector<std::string>{R"({"category":"major_marketplace"})",
                                                    R"({"category":"unverified"})"}));
  const auto empty = run_cli({"classify", "--json"}, "");
  EXPECT_EQ(empty.status, 0);
  EXPECT_EQ(empty.out, "");
}

TEST(CliClassify, HelpAndUsageErrors) {
  const auto help = run_cli({"classify", "--help"}, "");
  EXPECT_EQ(help.status, 0);
  for (const char* word : {"--title", "--brand", "--merchant", "--json", "official_brand"}) {
    EXPECT_NE(help.out.find(word), std::string::npos) << word;
  }
  EXPECT_EQ(run_cli({"classify"}, "").status, 2);                        // no domain, no --json
  EXPECT_EQ(run_cli({"classify", "--json", "nike.com"}, "").status, 2);  // both
  EXPECT_EQ(run_cli({"classify", "--json", "--brand", "x"}, "").status, 2);
  EXPECT_EQ(run_cli({"classify", "a.com", "b.com"}, "").status, 2);
  EXPECT_EQ(run_cli({"classify", "nike.com", "--brand"}, "").status, 2);
}

}  // namespace
