// The unwrap subcommand, run as a separate process.
#include <gtest/gtest.h>

#include <boost/json.hpp>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli_runner.hpp"

namespace tarvik_unwrap_cli_test {
namespace {

namespace json = boost::json;

using CliResult = tarvik::testing::CliRun;
using tarvik::testing::lines;

CliResult run_unwrap(std::vector<std::string> args, const std::string& input = "") {
  args.insert(args.begin(), "unwrap");
  return tarvik::testing::run_cli(args, input);
}

const std::string WRAPPED =
    "https://www.google.com/url?q=https://shop.example/p%3Fcolor%3Dred%26utm_source%3Dx&sa=U&ved=1";
const std::string TRACKED = "https://www.Shop.example/p/tote?utm_medium=y&size=M&gclid=abc#:~:text=tote";

TEST(CliUnwrap, ArgumentsGiveOneCleanUrlEach) {
  const CliResult r = run_unwrap({WRAPPED, TRACKED, "/p?utm_source=x&id=3"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(lines(r.out), (std::vector<std::string>{"https://shop.example/p?color=red",
                                                    "https://www.Shop.example/p/tote?size=M", "/p?id=3"}));
  EXPECT_EQ(r.err, "");
}

TEST(CliUnwrap, StandardInputLineByLine) {
  // CR LF line ends, a blank line and invalid UTF-8.
  const CliResult r = run_unwrap({}, WRAPPED + "\r\n\n" + "https://s.example/\xFF?fbclid=1\n" + TRACKED);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(lines(r.out), (std::vector<std::string>{"https://shop.example/p?color=red", "",
                                                    "https://s.example/\xEF\xBF\xBD",
                                                    "https://www.Shop.example/p/tote?size=M"}));
}

TEST(CliUnwrap, BadUrlIsReportedAndTheRunGoesOn) {
  const CliResult r = run_unwrap({}, TRACKED + "\nhttp://[::1/p\n" + WRAPPED + "\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(lines(r.out),
            (std::vector<std::string>{"https://www.Shop.example/p/tote?size=M", "https://shop.example/p?color=red"}));
  EXPECT_NE(r.err.find("http://[::1/p"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("unbalanced square brackets"), std::string::npos) << r.err;
  EXPECT_EQ(lines(r.err).size(), 1u) << r.err;

  const CliResult args = run_unwrap({"http://[192.0.2.1]/", TRACKED});
  EXPECT_EQ(args.status, 1);
  EXPECT_EQ(lines(args.out), std::vector<std::string>{"https://www.Shop.example/p/tote?size=M"});
  EXPECT_NE(args.err.find("IPv4"), std::string::npos) << args.err;
}

TEST(CliUnwrap, JsonObjectsPerLine) {
  const CliResult r = run_unwrap({"--json"}, TRACKED + "\nhttp://[::1/p\n\nhttps://s.example/a\x01" "b?sa=1\n");
  EXPECT_EQ(r.status, 1);
  const auto out = lines(r.out);
  ASSERT_EQ(out.size(), 4u) << r.out;

  const json::object first = json::parse(out[0]).as_object();
  ASSERT_EQ(first.size(), 3u);
  auto it = first.begin();
  EXPECT_EQ(it->key(), "input");
  EXPECT_EQ((++it)->key(), "url");
  EXPECT_EQ((++it)->key(), "domain");
  EXPECT_EQ(first.at("input").as_string(), TRACKED);
  EXPECT_EQ(first.at("url").as_string(), "https://www.Shop.example/p/tote?size=M");
  EXPECT_EQ(first.at("domain").as_string(), "shop.example");

  const json::object bad = json::parse(out[1]).as_object();
  EXPECT_EQ(bad.size(), 2u);
  EXPECT_EQ(bad.at("input").as_string(), "http://[::1/p");
  EXPECT_NE(std::string(bad.at("error").as_string()).find("square brackets"), std::string::npos);

  const json::object blank = json::parse(out[2]).as_object();
  EXPECT_EQ(blank.at("url").as_string(), "");
  EXPECT_EQ(blank.at("domain").as_string(), "");

  // Control characters come out escaped and read back intact.
  const json::object ctrl = json::parse(out[3]).as_object();
  EXPECT_EQ(ctrl.at("url").as_string(), "https://s.example/a\x01" "b");
  EXPECT_EQ(r.err, "");
}

TEST(CliUnwrap, JsonDomainOfTheCleanUrl) {
  const CliResult r = run_unwrap({"--json", WRAPPED});
  EXPECT_EQ(r.status, 0);
  const json::object obj = json::parse(lines(r.out).at(0)).as_object();
  EXPECT_EQ(obj.at("url").as_string(), "https://shop.example/p?color=red");
  EXPECT_EQ(obj.at("domain").as_string(), "shop.example");
}

TEST(CliUnwrap, HelpAndUsageErrors) {
  const CliResult help = run_unwrap({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--json"), std::string::npos) << help.out;
  EXPECT_NE(help.out.find("standard input"), std::string::npos) << help.out;

  const CliResult unknown = run_unwrap({"--bogus"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.out, "");
  EXPECT_NE(unknown.err.find("--bogus"), std::string::npos) << unknown.err;

  const CliResult value = run_unwrap({"--json=maybe", TRACKED});
  EXPECT_EQ(value.status, 2);
}

}  // namespace
}  // namespace tarvik_unwrap_cli_test
