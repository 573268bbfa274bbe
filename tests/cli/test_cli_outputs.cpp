// What the command line does with its outputs (failed writes, bad targets,
// /dev/stdout, the terminal's width) and with awkward command lines. What
// each kind of target becomes is output_file's own test.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/cli_runner.hpp"
#include "support/http_server.hpp"
#include "tarvik/util/text.hpp"
#include "support/scratch_dir.hpp"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using tarvik::testing::CliRun;
using tarvik::testing::run_cli;

const std::string EXAMPLES = std::string(TARVIK_SOURCE_DIR) + "/examples/";

// The demo search, offline, without the browser.
std::vector<std::string> demo(std::vector<std::string> more) {
  std::vector<std::string> args = {"enrich", EXAMPLES + "matches.json", "--replay", EXAMPLES + "demo.warc.gz",
                                   "--no-resolve", "--quiet"};
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

// Runs the binary with standard output on `out_path` (such as /dev/full);
// returns the exit status and standard error.
CliRun run_cli_into(const std::string& out_path, const std::vector<std::string>& args, const std::string& input) {
  char in_name[] = "/tmp/tarvik-outputs-in-XXXXXX", err_name[] = "/tmp/tarvik-outputs-err-XXXXXX";
  const int in = mkstemp(in_name), err = mkstemp(err_name);
  unlink(in_name);
  unlink(err_name);
  if (write(in, input.data(), input.size()) != static_cast<ssize_t>(input.size())) return {};
  lseek(in, 0, SEEK_SET);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out_path.c_str(), O_WRONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, err, 2);
  std::vector<std::string> store{TARVIK_CLI_PATH};
  store.insert(store.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : store) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  CliRun run;
  if (posix_spawn(&pid, TARVIK_CLI_PATH, &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  char buf[4096];
  lseek(err, 0, SEEK_SET);
  for (ssize_t n; (n = read(err, buf, sizeof buf)) > 0;) run.err.append(buf, static_cast<std::size_t>(n));
  close(in);
  close(err);
  return run;
}

class CliOutputs : public tarvik::test::ScratchDirTest {
 protected:
  CliOutputs() : ScratchDirTest("tarvik-outputs-") {}
};

TEST_F(CliOutputs, FailedWritesToStandardOutputExitOne) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  const std::string page = EXAMPLES + "product-page.html";
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::string input;
  };
  const Case cases[] = {
      {"price", {"price", "1"}, ""},
      {"price from standard input", {"price"}, "1\n2\n"},
      {"unwrap", {"unwrap", "https://a.example/"}, ""},
      {"classify", {"classify", "amazon.de"}, ""},
      {"classify json lines", {"classify", "--json"}, R"({"domain": "amazon.de"})" "\n"},
      {"inspect", {"inspect", page, "--url", "https://shop.example/p"}, ""},
      {"inspect json lines", {"inspect", "--jsonl", "--jobs", "2"},
       R"({"html": "<title>a</title>", "direct_url": "https://a.example/"})" "\n"},
      {"enrich json", demo({"--max-items", "2", "--json", "-"}), ""},
      {"enrich csv", demo({"--max-items", "2", "--csv", "-"}), ""},
      {"enrich table", demo({"--max-items", "2"}), ""},
  };
  for (const Case& c : cases) {
    const CliRun run = run_cli_into("/dev/full", c.args, c.input);
    EXPECT_EQ(run.status, 1) << c.name << ": " << run.err;
    EXPECT_NE(run.err.find("cannot write standard output: No space left on device"), std::string::npos)
        << c.name << ": " << run.err;
  }
}

TEST_F(CliOutputs, BadOutputPathsAreRefusedBeforeAnyPageIsFetched) {
  tarvik::test::HttpServer server;
  server.route("shop.example", "/p", tarvik::test::html("<title>Shoe</title>"));
  const fs::path matches = dir_ / "matches.json";
  std::ofstream(matches) << R"([{"link": "http://shop.example/p", "title": "Shoe"}])";
  std::ofstream(dir_ / "file") << "x";
  std::ofstream(dir_ / "locked.json") << "keep";
  fs::permissions(dir_ / "locked.json", fs::perms::owner_read);
  fs::create_directory(dir_ / "folder");
  struct Case {
    const char* name;
    std::vector<std::string> flags;
    std::string named;  // the path the error must name, as given
  };
  const Case cases[] = {
      {"csv under a file", {"--csv", (dir_ / "file/out.csv").string()}, (dir_ / "file/out.csv").string()},
      {"read-only json file", {"--json", (dir_ / "locked.json").string()}, (dir_ / "locked.json").string()},
      {"record into a directory", {"--record", (dir_ / "folder").string(), "--json", "-"}, (dir_ / "folder").string()},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"enrich", matches.string(), "--no-resolve", "--quiet", "--connect-to",
                                     "::127.0.0.1:" + std::to_string(server.port()), "--allow-private-network"};
    args.insert(args.end(), c.flags.begin(), c.flags.end());
    const CliRun run = run_cli(args);
    EXPECT_EQ(run.status, 1) << c.name << ": " << run.err;
    EXPECT_NE(run.err.find(c.named + ": "), std::string::npos) << c.name << ": " << run.err;
    EXPECT_EQ(run.err.find(".tmp-"), std::string::npos) << c.name << ": names the temporary file: " << run.err;
  }
  EXPECT_EQ(server.count("shop.example", "/p"), 0U) << "a page was fetched before the outputs were checked";
  EXPECT_EQ(read(dir_ / "locked.json"), "keep");
}

TEST_F(CliOutputs, JsonToDevStdoutComesBeforeTheTable) {
  const CliRun to_stdout = run_cli(demo({"--max-items", "2", "--json", "/dev/stdout"}));
  EXPECT_EQ(to_stdout.status, 0) << to_stdout.err;
  EXPECT_EQ(to_stdout.out.rfind("{\n  \"summary\"", 0), 0U) << to_stdout.out;
  EXPECT_NE(to_stdout.out.find("Market summary"), std::string::npos) << "the table follows";
}

TEST_F(CliOutputs, TableFitsTheTerminalOnOneLinePerRow) {
  const std::string offers = EXAMPLES + "offers.json";
  for (const char* columns : {"60", "72", "100", "140", "400"}) {
    setenv("COLUMNS", columns, 1);
    const CliRun run = run_cli(demo({"--offers", offers}));
    unsetenv("COLUMNS");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = run.lines();
    const auto summary = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.empty(); });
    EXPECT_EQ(summary - lines.begin(), 1 + 29) << columns << ": header and one line per item";
    for (auto line = lines.begin(); line != summary; ++line)
      EXPECT_LE(tarvik::text::length(*line), std::stoul(columns)) << columns << ": " << *line;
    if (std::string(columns) == "60") {
      EXPECT_EQ(lines[0].rfind(" #  Score  Merchant", 0), 0U) << "title, type, relevance and stock go: " << lines[0];
    }
  }
  // Without a terminal or COLUMNS, URLs stay whole.
  const CliRun wide = run_cli(demo({"--offers", offers}));
  EXPECT_NE(wide.out.find("https://www.amazon.com/Vantrel-Aster-Low-Sneaker-Fjord/dp/B0DVNT9042?th=1&psc=1\n"),
            std::string::npos)
      << wide.out;
}

TEST_F(CliOutputs, AwkwardCommandLines) {
  const fs::path bom = dir_ / "bom.json";
  std::ofstream(bom) << "\xEF\xBB\xBF" R"j([{"link": "javascript:void(0)", "title": "x"}])j";
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    int status;
    std::string err;  // a part of standard error
  };
  const Case cases[] = {
      {"unknown subcommand", {"enrihc", "x.json"}, "", 2, "unknown subcommand 'enrihc'"},
      {"negative max items", {"enrich", "-", "--max-items", "-1"}, "[]", 2, "must be 0 or more, got -1"},
      {"standard input twice", {"enrich", "-", "--offers", "-"}, "[]", 2, "can be read only once"},
      {"JSON error with line and column", {"enrich", "-", "--json", "-"}, "[\n  {\"link\": }\n]", 1,
       "at line 2, column 12"},
      {"byte-order mark, and a link that is no web link", {"enrich", bom.string(), "--json", "-", "-v", "--no-resolve"}, "", 0,
       "visual_matches[0].link is not a web link (javascript:), not fetched"},
      {"extended fallbacks", {"enrich", "-", "--extended=fallbacks", "--json", "-"}, "[]", 0, ""},
      {"unwrap names a file link", {"unwrap", "file:///etc/passwd"}, "", 0, "not a web link (file:)"},
      {"byte-order mark on the first line", {"price"}, "\xEF\xBB\xBF" "CHF 5\n", 0, ""},
  };
  for (const Case& c : cases) {
    const CliRun run = run_cli(c.args, c.input);
    EXPECT_EQ(run.status, c.status) << c.name << ": " << run.err;
    EXPECT_NE(run.err.find(c.err), std::string::npos) << c.name << ": " << run.err;
  }
  EXPECT_EQ(run_cli({"price"}, "\xEF\xBB\xBF" "CHF 5\n").out,
            R"({"input":"CHF 5","price":{"raw":"CHF 5","amount":5.0,"currency":"CHF"}})" "\n");
  EXPECT_NE(run_cli({"inspect", "--help"}).out.find("--url TEXT") , std::string::npos);
  EXPECT_NE(run_cli({"inspect", "--help"}).out.find("REQUIRED with PAGE"), std::string::npos);
}

}  // namespace
