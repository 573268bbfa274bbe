// inspect --warc, run as a program on archives written by the library and by
// scripts/pages-to-warc.
#include <gtest/gtest.h>
#include <unistd.h>

#include <boost/json.hpp>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "cli_runner.hpp"
#include "tarvik/fetcher/warc.hpp"

namespace {

namespace fs = std::filesystem;
namespace bj = boost::json;
using tarvik::core::HttpRequest;
using tarvik::core::HttpResponse;
using tarvik::core::WarcWriter;
using tarvik::testing::CliRun;
using tarvik::testing::run_cli;

const fs::path PAGES = fs::path(TARVIK_SOURCE_DIR) / "tests" / "fixtures" / "pages";

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

const fs::path& temp_dir() {
  struct Dir {
    fs::path path = fs::temp_directory_path() / ("tarvik-cli-warc-" + std::to_string(::getpid()));
    Dir() { fs::create_directories(path); }
    ~Dir() {
      std::error_code ec;
      fs::remove_all(path, ec);
    }
  };
  static const Dir dir;
  return dir.path;
}

struct Page {
  std::string url;
  long status = 200;
  std::optional<std::string> content_type = "text/html";
  std::string body;
  bool truncated = false;
};

std::string archive(const std::string& name, const std::vector<Page>& pages) {
  const fs::path path = temp_dir() / name;
  WarcWriter w(path);
  for (const Page& p : pages) {
    HttpRequest q;
    q.url = p.url;
    HttpResponse r;
    r.status = p.status;
    if (p.content_type) r.headers.emplace_back("Content-Type", *p.content_type);
    r.body = p.body;
    r.truncated = p.truncated;
    w.write_exchange(q, r);
  }
  return path.string();
}

const std::vector<Page> MIXED = {
    {"https://m.example/p1", 200, "text/html", slurp(PAGES / "product-ld.html")},
    {"https://m.example/manual.pdf", 200, "application/pdf", "%PDF-1.4"},
    {"https://m.example/gone", 404, "text/html", "<html>gone</html>"},
    {"https://m.example/cut", 200, "text/html", "<html>cut", true},
    {"https://m.example/old", 301, "text/html", ""},
    {"https://m.example/p2", 200, "text/html; charset=iso-8859-1", slurp(PAGES / "latin1-og.html")},
    {"https://m.example/p3", 200, "Application/XHTML+XML", "<html><title>X</title></html>"},
    {"https://m.example/p4", 200, std::nullopt, "<html><title>Y</title></html>"},
};
const std::vector<std::string> MIXED_URLS = {"https://m.example/p1", "https://m.example/p2", "https://m.example/p3",
                                             "https://m.example/p4"};
const char* MIXED_NOTE = "skipped 4 of 8 response records (1 truncated, 2 not 2xx, 1 not HTML)";

std::vector<Page> many(int first, int n) {
  std::vector<Page> pages;
  for (int i = first; i < first + n; ++i) {
    const std::string filler = i % 3 == 0 ? std::string(400000, 'x') : "";
    pages.push_back({"https://o.example/" + std::to_string(i), 200, "text/html",
                     "<html><title>T" + std::to_string(i) + "</title>" + filler + "</html>"});
  }
  return pages;
}

std::vector<std::string> numbered(int first, int n) {
  std::vector<std::string> urls;
  for (int i = first; i < first + n; ++i) urls.push_back("https://o.example/" + std::to_string(i));
  return urls;
}

// A whole archive followed by a record cut in its block; returns the path and
// the offset of the cut record.
std::pair<std::string, std::uint64_t> damaged(const std::string& name) {
  const std::string path = archive(name, {MIXED[0]});
  const std::string good = slurp(path);
  std::ofstream(path, std::ios::binary | std::ios::app) << "WARC/1.1\r\nWARC-Type: response\r\nContent-Length: 900\r\n\r\nHTTP/1.1";
  return {path, good.size()};
}

// A copy of a per-record gzip archive whose member `index` (0 is the
// warcinfo record; then request, response per page) fails its CRC check;
// returns the path and that member's offset.
std::pair<std::string, std::uint64_t> with_bad_crc(const std::string& source, const std::string& name, int index) {
  std::string bytes = slurp(source);
  std::vector<std::size_t> starts;
  for (std::size_t at = bytes.find("\x1f\x8b\x08"); at != std::string::npos; at = bytes.find("\x1f\x8b\x08", at + 1)) {
    starts.push_back(at);
  }
  starts.push_back(bytes.size());
  const std::size_t member = static_cast<std::size_t>(index);
  bytes[starts[member + 1] - 8] = static_cast<char>(bytes[starts[member + 1] - 8] ^ 1);
  const fs::path path = temp_dir() / name;
  std::ofstream(path, std::ios::binary) << bytes;
  return {path.string(), starts[member]};
}

// A copy of a plain archive with `text` in a page changed by one bit, so that
// its record fails its digest; returns the path and that record's offset.
std::pair<std::string, std::uint64_t> with_bad_digest(const std::string& source, const std::string& name,
                                                      const std::string& text) {
  std::string bytes = slurp(source);
  const std::size_t at = bytes.find(text);
  bytes[at + text.size() - 1] = static_cast<char>(bytes[at + text.size() - 1] ^ 1);
  const fs::path path = temp_dir() / name;
  std::ofstream(path, std::ios::binary) << bytes;
  return {path.string(), bytes.rfind("WARC/1.1\r\n", at)};
}

// An archive of other tools' making: a resource record and a digest in
// another algorithm than sha1.
std::string foreign_archive(const std::string& name) {
  const std::string http = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n<html><title>F</title></html>";
  const std::string bytes =
      "WARC/1.0\r\nWARC-Type: resource\r\nWARC-Target-URI: https://f.example/logo.png\r\nContent-Length: 3\r\n\r\n"
      "png\r\n\r\n"
      "WARC/1.0\r\nWARC-Type: response\r\nWARC-Target-URI: https://f.example/\r\nWARC-Date: 2024-01-01T00:00:00Z\r\n"
      "WARC-Block-Digest: sha256:47DEQpj8HBSa+/TImW+5JCeuQeRkm5NMpJWZG3hSuFU=\r\nContent-Length: " +
      std::to_string(http.size()) + "\r\n\r\n" + http + "\r\n\r\n";
  const fs::path path = temp_dir() / name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path.string();
}

struct RunCase {
  const char* name;
  std::vector<std::string> args;
  std::vector<std::string> urls;  // of the output lines, in order
  int status;
  std::vector<std::string> stderr_parts;
};

void PrintTo(const RunCase& c, std::ostream* os) { *os << c.name; }

class InspectWarc : public ::testing::TestWithParam<RunCase> {};

TEST_P(InspectWarc, LinesNotesAndStatus) {
  const RunCase& c = GetParam();
  std::vector<std::string> args = {"inspect", "--warc"};
  args.insert(args.end(), c.args.begin(), c.args.end());
  const CliRun r = run_cli(args);
  EXPECT_EQ(r.status, c.status) << r.err;
  std::vector<std::string> urls;
  for (const auto& line : r.lines()) {
    const bj::object o = bj::parse(line).as_object();
    ASSERT_EQ(o.size(), 3U) << line;
    ASSERT_TRUE(o.at("facts").is_object()) << line;
    EXPECT_FALSE(o.at("date").as_string().empty());
    urls.emplace_back(o.at("url").as_string());
  }
  EXPECT_EQ(urls, c.urls);
  for (const auto& part : c.stderr_parts) EXPECT_NE(r.err.find(part), std::string::npos) << part << " in " << r.err;
  if (c.stderr_parts.empty()) {
    EXPECT_EQ(r.err, "");
  }
}

const auto DAMAGED = damaged("damaged.warc");
// The second page's response (member 4) altered.
const auto ALTERED = with_bad_crc(archive("sound.warc.gz", many(0, 3)), "altered.warc.gz", 4);
const std::string NOT_WARC = (PAGES / "product-ld.html").string();
// The fifth page's title changed after writing: its digest no longer matches.
const auto MISMATCHED = with_bad_digest(archive("sound.warc", many(0, 12)), "mismatched.warc", "<title>T4");
const std::vector<std::string> MISMATCHED_URLS = [] {
  auto urls = numbered(0, 12);
  urls.erase(urls.begin() + 4);
  return urls;
}();
const std::vector<std::string> MISMATCHED_NOTES = {
    MISMATCHED.first + ": offset " + std::to_string(MISMATCHED.second) + ": WARC-Block-Digest",
    "reading again at offset", "1 damaged record dropped"};

INSTANTIATE_TEST_SUITE_P(
    Archives, InspectWarc,
    ::testing::Values(
        RunCase{"plain", {archive("mixed.warc", MIXED)}, MIXED_URLS, 0, {MIXED_NOTE}},
        RunCase{"gzipped", {archive("mixed.warc.gz", MIXED)}, MIXED_URLS, 0, {MIXED_NOTE}},
        RunCase{"order_kept_with_four_jobs",
                {archive("many-a.warc.gz", many(0, 30)), archive("many-b.warc", many(30, 30)), "--jobs", "4"},
                numbered(0, 60),
                0,
                {}},
        RunCase{"damaged_file_then_next",
                {DAMAGED.first, archive("after.warc", many(0, 2))},
                {"https://m.example/p1", "https://o.example/0", "https://o.example/1"},
                1,
                {DAMAGED.first + ": offset " + std::to_string(DAMAGED.second) + ": cut short",
                 "record dropped", "1 damaged record dropped"}},
        RunCase{"altered_record_never_inspected",
                {ALTERED.first},
                {"https://o.example/0", "https://o.example/2"},
                1,
                {ALTERED.first + ": offset " + std::to_string(ALTERED.second) + ": gzip member fails its CRC",
                 "reading again at offset", "1 damaged record dropped"}},
        RunCase{"digest_mismatch_dropped_in_order", {MISMATCHED.first, "--jobs", "2"}, MISMATCHED_URLS, 1,
                MISMATCHED_NOTES},
        RunCase{"digest_mismatch_one_thread", {MISMATCHED.first, "--jobs", "1"}, MISMATCHED_URLS, 1, MISMATCHED_NOTES},
        RunCase{"resource_records_and_other_digests_counted",
                {foreign_archive("foreign.warc")},
                {"https://f.example/"},
                0,
                {"1 resource record not inspected", "1 record with digests in other algorithms than sha1, not checked"}},
        RunCase{"not_warc_then_next",
                {NOT_WARC, archive("after2.warc.gz", many(5, 1))},
                {"https://o.example/5"},
                1,
                {NOT_WARC + ": offset 0: not a WARC record"}},
        RunCase{"missing_file", {"/nonexistent/a.warc"}, {}, 1, {"cannot open /nonexistent/a.warc"}}));

TEST(InspectWarcFacts, PageFactsOfEachRecord) {
  const CliRun r = run_cli({"inspect", "--warc", archive("facts.warc.gz", MIXED), "--jobs", "2"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = r.lines();
  ASSERT_EQ(lines.size(), 4U);
  const bj::object first = bj::parse(lines[0]).as_object();
  EXPECT_EQ(first.at("facts").at("title"), bj::value("Bouilloire Cr\xC3\xA8me 1,7 L"));
  // The charset comes from the recorded Content-Type header.
  EXPECT_EQ(bj::parse(lines[1]).at("facts").at("title"),
            bj::value("Kaffeem\xC3\xBChle \xE2\x80\x93 D\xC3\xBC" "sseldorf Edition"));
}

// The script's archives give the facts that --jsonl gives for the same pages.
TEST(PagesToWarc, SameFactsAsJsonl) {
  for (const char* out : {"script.warc", "script.warc.gz"}) {
    SCOPED_TRACE(out);
    const fs::path warc = temp_dir() / out;
    const std::string command = "timeout 60 python3 " + std::string(TARVIK_SOURCE_DIR) + "/scripts/pages-to-warc " +
                                warc.string() + " " + PAGES.string() + " 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const CliRun r = run_cli({"inspect", "--warc", warc.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    std::string requests;
    for (const char* name : {"latin1-og.html", "product-ld.html"}) {
      bj::object q;
      q["html_file"] = (PAGES / name).string();
      q["direct_url"] = std::string("https://pages.example/") + name;
      requests += bj::serialize(q) + "\n";
    }
    const CliRun expected = run_cli({"inspect", "--jsonl"}, requests);
    ASSERT_EQ(r.lines().size(), 2U) << r.out;
    ASSERT_EQ(expected.lines().size(), 2U);
    for (std::size_t i = 0; i < 2; ++i) {
      EXPECT_EQ(bj::parse(r.lines()[i]).at("facts"), bj::parse(expected.lines()[i])) << r.lines()[i];
    }
  }
}

}  // namespace
