#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>

#include <filesystem>
#include <string>
#include <vector>

#include "cli_runner.hpp"
#include "support/http_server.hpp"
#include "support/processes.hpp"
#include "tarvik/browser/chromium.hpp"

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

// Live through --connect-to (the guard refusing the store that resolves to
// loopback unless allowed), recorded, then replayed with the server gone.
TEST(CliResolve, ThroughTheFetcherRecordedAndReplayed) {
  if (!tarvik::browser::find_browser()) GTEST_SKIP() << "chromium is not installed; browser test skipped";
  auto server = std::make_unique<tarvik::test::HttpServer>();
  for (const char* host : {"store.test", "private.test"})
    server->route(host, "/search", tarvik::test::html("<a href='/p/leather-tote'>Leather Tote</a>"));
  const std::string port = std::to_string(server->port());
  const std::string items = R"([{"title": "Leather Tote", "direct_url": "http://store.test/search?q=tote"},
                                {"title": "Leather Tote", "direct_url": "http://private.test/search?q=tote"}])";
  const auto archive = std::filesystem::temp_directory_path() / ("tarvik-cli-" + std::to_string(getpid()) + ".warc");
  const std::vector<std::string> mapped = {"resolve", "-", "--connect-to", "private.test:80:localhost:" + port,
                                           "--connect-to", ":80:127.0.0.1:" + port, "--timeout", "8"};
  const auto urls = [](const std::string& out) {
    std::vector<std::string> found;
    for (auto at = out.find("\"direct_url\": \""); at != std::string::npos; at = out.find("\"direct_url\": \"", at + 1))
      found.push_back(out.substr(at + 15, out.find('"', at + 15) - at - 15));
    return found;
  };
  auto with = [&](std::vector<std::string> extra) {
    auto args = mapped;
    args.insert(args.end(), extra.begin(), extra.end());
    return run_cli(args, items);
  };

  const auto live = with({"--record", archive.string()});
  EXPECT_EQ(live.status, 0) << live.err;
  EXPECT_EQ(urls(live.out), (std::vector<std::string>{"http://store.test/p/leather-tote",
                                                      "http://private.test/search?q=tote"}));
  const auto allowed = with({"--allow-private-network"});
  EXPECT_EQ(urls(allowed.out), (std::vector<std::string>{"http://store.test/p/leather-tote",
                                                         "http://private.test/p/leather-tote"}));
  server.reset();
  const auto replayed = with({"--replay", archive.string()});
  EXPECT_EQ(replayed.status, 0) << replayed.err;
  EXPECT_EQ(urls(replayed.out), urls(live.out));
  EXPECT_NE(replayed.err.find("✓ Resolved 1/2 direct product links."), std::string::npos) << replayed.err;
  std::filesystem::remove(archive);
}

// A run killed outright leaves no browser and no profile: its keeper process
// kills the browser and removes the profile.
TEST(CliResolve, KilledRunLeavesNoBrowserBehind) {
  if (!tarvik::browser::find_browser()) GTEST_SKIP() << "chromium is not installed; browser test skipped";
  tarvik::test::HttpServer server;
  tarvik::test::Reply never;
  never.hang = true;
  server.route("store.test", "/search", never);
  const auto tmp = std::filesystem::temp_directory_path() / ("tarvik-killed-" + std::to_string(getpid()));
  std::filesystem::create_directories(tmp);
  std::ofstream(tmp / "items.json") << R"([{"title": "Tote", "direct_url": "http://store.test/search?q=tote"}])";
  const pid_t pid = tarvik::test::spawn_with_tmpdir(
      {TARVIK_CLI_PATH, "resolve", (tmp / "items.json").string(), "--connect-to",
       ":80:127.0.0.1:" + std::to_string(server.port())},
      tmp.string());
  ASSERT_GT(pid, 0);
  EXPECT_TRUE(tarvik::test::wait_until([&] { return server.count("store.test", "/search") == 1; },
                                       std::chrono::seconds(60)));
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);

  const auto gone = [&] {
    if (!tarvik::test::processes_mentioning(tmp.string() + "/tarvik-chromium-").empty()) return false;
    for (const auto& entry : std::filesystem::directory_iterator(tmp))
      if (entry.path().filename() != "items.json") return false;
    return true;
  };
  EXPECT_TRUE(tarvik::test::wait_until(gone, std::chrono::seconds(10)));
  std::filesystem::remove_all(tmp);
}

}  // namespace
