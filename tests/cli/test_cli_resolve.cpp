#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_runner.hpp"

using tarvik::testing::run_cli;

namespace {

const std::string kItem =
    R"({"title": "Tote", "direct_url": "https://shop.example/search?q=tote", "merchant_name": "Shop"})";

// Runs that need no page: the written items equal the read ones.
TEST(CliResolve, OutcomesWithoutPages) {
  struct Row {
    const char* label;
    std::vector<std::string> args;
    std::string input;
    int status;
    std::string out_starts;  // "" for no output
    std::string err_has;
  };
  const Row rows[] = {
      {"array in, array out; no browser: a warning", {"resolve", "-", "--browser", "/nonexistent/chromium"},
       "[" + kItem + "]", 0, "[\n  {\n    \"title\": \"Tote\",\n    \"direct_url\": \"https://shop.example/search?q=tote\"",
       "Resolving direct product links across 1 store destinations...\ntarvik.commerce.resolver: warning: Stealth "
       "browser unavailable; leaving 1 store search URLs unresolved: browser not found or not executable"},
      {"object in, object out; no candidates, no progress", {"resolve", "-"},
       R"({"summary": {"total_matches": 3}, "items": [{"title": "t", "direct_url": "https://a.example/p/1"}]})", 0,
       "{\n  \"summary\": {\n    \"total_matches\": 3,", ""},
      {"bad item", {"resolve", "-"}, R"([{"title": 1}])", 1, "",
       "resolve: -: items[0].title: expected a string, got number"},
      {"missing file", {"resolve", "/nonexistent/items.json"}, "", 1, "", "resolve: cannot read /nonexistent/items.json"},
      {"bad connect-to rule", {"resolve", "-", "--connect-to", "nonsense"}, "[" + kItem + "]", 1, "", "resolve: "},
      {"no concurrency", {"resolve", "-", "--max-concurrency", "0"}, "[]", 2, "", "--max-concurrency"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.label);
    const auto run = run_cli(r.args, r.input);
    EXPECT_EQ(run.status, r.status) << run.err;
    EXPECT_EQ(run.out.substr(0, r.out_starts.size()), r.out_starts);
    if (r.out_starts.empty()) {
      EXPECT_EQ(run.out, "");
    }
    if (r.err_has.empty()) {
      EXPECT_EQ(run.err, "");
    } else {
      EXPECT_NE(run.err.find(r.err_has), std::string::npos) << run.err;
    }
  }
}

}  // namespace
