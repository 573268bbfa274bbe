// The enrich subcommand as a process: bad input, the output forms, and an
// interrupt in the middle of store resolution.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <boost/json/parse.hpp>

#include "cli/cli_runner.hpp"
#include "support/http_server.hpp"
#include "support/processes.hpp"
#include "tarvik/browser/chromium.hpp"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using tarvik::testing::run_cli;

const std::string EXAMPLES = std::string(TARVIK_SOURCE_DIR) + "/examples/";

// Fixed at first use: a test below points TMPDIR elsewhere for a while.
fs::path scratch_dir() {
  static const fs::path dir = fs::temp_directory_path() / ("tarvik-enrich-" + std::to_string(getpid()));
  return dir;
}

// The browser's profile lives in TMPDIR (when it is short enough for the
// browser's socket path), so its processes name this folder.
fs::path short_tmpdir() { return fs::path("/tmp") / ("tve" + std::to_string(getpid())); }

fs::path scratch(const std::string& name) {
  const fs::path dir = scratch_dir();
  fs::create_directories(dir);
  return dir / name;
}

// The scratch folder goes when the test program ends, whichever tests ran.
class ScratchCleanup : public ::testing::Environment {
 public:
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(scratch_dir(), ec);
    fs::remove_all(short_tmpdir(), ec);
  }
};
[[maybe_unused]] const auto* const scratch_cleanup = ::testing::AddGlobalTestEnvironment(new ScratchCleanup);

TEST(CliEnrich, BadInputNamesFileElementAndFieldAndWritesNothing) {
  struct Case {
    const char* name;
    std::string input;  // given on standard input as "-"
    std::string expected;
  };
  const Case cases[] = {
      {"NotJson", "[{", "standard input: "},
      {"MatchWithoutLink", R"({"visual_matches": [{"title": "x"}]})", "visual_matches[0].link: missing"},
      {"FieldOfWrongType", R"([{"link": "https://a.example/", "title": "t", "in_stock": "yes"}])",
       "visual_matches[0].in_stock: expected true, false or null, got string"},
      {"NeitherArrayNorObject", "42", "standard input: "},
  };
  const fs::path out = scratch("untouched.json");
  std::ofstream(out) << "previous";
  for (const Case& c : cases) {
    const auto run = run_cli({"enrich", "-", "--json", out.string(), "--no-resolve"}, c.input);
    EXPECT_EQ(run.status, 1) << c.name;
    EXPECT_NE(run.err.find(c.expected), std::string::npos) << c.name << ": " << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << c.name << ": one line: " << run.err;
  }
  const auto missing = run_cli({"enrich", "/no/such/matches.json", "--json", out.string()});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("/no/such/matches.json"), std::string::npos) << missing.err;
  const auto bad_offers = run_cli({"enrich", EXAMPLES + "matches.json", "--offers", "-", "--json", out.string()},
                                  R"({"shopping_results": [{"title": 1}]})");
  EXPECT_EQ(bad_offers.status, 1);
  EXPECT_NE(bad_offers.err.find("shopping_results[0].title"), std::string::npos) << bad_offers.err;
  std::ifstream in(out);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "previous");
}

TEST(CliEnrich, OutputForms) {
  const std::vector<std::string> base = {"enrich", EXAMPLES + "matches.json", "--replay", EXAMPLES + "demo.warc.gz",
                                         "--no-resolve", "--max-items", "4", "--quiet"};
  auto with = [&](std::vector<std::string> more) {
    auto args = base;
    args.insert(args.end(), more.begin(), more.end());
    return run_cli(args);
  };

  const auto json = with({"--json", "-"});
  ASSERT_EQ(json.status, 0) << json.err;
  const auto doc = boost::json::parse(json.out).as_object();
  EXPECT_EQ(doc.at("summary").at("total_matches").as_int64(), 27) << "counts the input, not the enriched part";
  EXPECT_EQ(doc.at("items").as_array().size(), 4U);
  EXPECT_TRUE(json.err.empty()) << "--quiet: " << json.err;

  const auto csv = with({"--csv", "-"});
  ASSERT_EQ(csv.status, 0) << csv.err;
  EXPECT_EQ(csv.out.substr(0, csv.out.find("\r\n")),
            "Match Score,Relevance,Page Type,Brand,SKU,Condition,Title,Price Amount,Currency,Stock Status,"
            "Merchant Name,Merchant Category,Direct URL,Original URL,Primary Image URL");
  EXPECT_EQ(csv.lines().size(), 5U);

  const fs::path file = scratch("items.csv");
  const auto table = with({"--csv", file.string(), "--offers", EXAMPLES + "offers.json"});
  ASSERT_EQ(table.status, 0) << table.err;
  EXPECT_NE(table.out.find("Market summary: 27 matches, 8 items"), std::string::npos) << table.out;
  EXPECT_TRUE(fs::exists(file));

  EXPECT_EQ(with({"--json", "-", "--csv", "-"}).status, 2) << "one standard output";
}

TEST(CliEnrich, BrowserStartsUnderALongTemporaryFolder) {
  if (!tarvik::browser::find_browser()) GTEST_SKIP() << "no chromium on the PATH";
  tarvik::test::HttpServer server;
  server.route("store.example", "/search", tarvik::test::html("<p>no results</p>"));
  const fs::path matches = scratch("long-tmp-matches.json");
  std::ofstream(matches) << R"([{"link": "http://store.example/search?q=trail+runner", "title": "Trail Runner"}])";
  // Longer than a Unix socket path allows below it.
  const fs::path tmpdir = scratch(std::string(60, 't'));
  fs::create_directories(tmpdir);
  const char* saved = getenv("TMPDIR");
  const std::string before = saved ? saved : "";
  setenv("TMPDIR", tmpdir.c_str(), 1);
  const auto run = run_cli({"enrich", matches.string(), "--json", "-", "--connect-to",
                            "::127.0.0.1:" + std::to_string(server.port())});
  if (saved) setenv("TMPDIR", before.c_str(), 1); else unsetenv("TMPDIR");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err.find("unavailable"), std::string::npos) << run.err;
  EXPECT_EQ(server.count("store.example", "/search"), 2U) << "fetched, then opened in the browser";
}

TEST(CliEnrich, InterruptDuringResolutionClosesTheBrowserAndWritesNothing) {
  if (!tarvik::browser::find_browser()) GTEST_SKIP() << "no chromium on the PATH";
  tarvik::test::HttpServer server;
  tarvik::test::Reply hang;
  hang.hang = true;
  // A made-up store: the browser upgrades the big stores' hosts to https.
  server.route("store.example", "/search", hang);
  const fs::path matches = scratch("interrupt-matches.json");
  std::ofstream(matches) << R"([{"link": "http://store.example/search?q=trail+runner", "title": "Trail Runner"}])";
  const fs::path out = scratch("interrupt.json");
  const fs::path tmpdir = short_tmpdir();
  fs::create_directories(tmpdir);

  const pid_t pid = tarvik::test::spawn_with_tmpdir(
      {TARVIK_CLI_PATH, "enrich", matches.string(), "--json", out.string(), "--fetch-timeout", "1", "--connect-to",
       "::127.0.0.1:" + std::to_string(server.port())},
      tmpdir.string());
  ASSERT_GT(pid, 0);
  // The page is asked for twice: by the fetch (which times out), then by the browser.
  tarvik::test::wait_until([&] { return server.count("store.example", "/search") >= 2; }, 30s);
  EXPECT_EQ(server.count("store.example", "/search"), 2U) << "the browser never asked for the store page";
  kill(pid, SIGINT);
  int status = 0;
  // Well before the browser's own 15 s navigation time-out.
  if (!tarvik::test::wait_until([&] { return waitpid(pid, &status, WNOHANG) != 0; }, 10s)) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    FAIL() << "enrich did not end after the interrupt";
  }
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 130) << status;
  EXPECT_FALSE(fs::exists(out));
  EXPECT_EQ(tarvik::test::processes_mentioning(tmpdir.string()), std::vector<std::string>{}) << "browser processes left";
  fs::remove_all(matches.parent_path());
  fs::remove_all(tmpdir);
}

}  // namespace
