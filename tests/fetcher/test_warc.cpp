// WARC archives: writer -> reader -> replay, damaged and hostile files, and
// the HTTP messages inside response records.
#include <gtest/gtest.h>
#include <unistd.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tarvik/fetcher/warc.hpp"

namespace {

namespace fs = std::filesystem;
using namespace tarvik::core;

fs::path temp_path(const std::string& name) {
  struct Dir {
    fs::path path = fs::temp_directory_path() / ("tarvik-warc-" + std::to_string(::getpid()));
    Dir() { fs::create_directories(path); }
    ~Dir() {
      std::error_code ec;
      fs::remove_all(path, ec);
    }
  };
  static const Dir dir;
  return dir.path / name;
}

void write_file(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

std::string gz(const std::string& data) {
  z_stream z{};
  deflateInit2(&z, 6, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, data.size()), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(out.size() - z.avail_out);
  deflateEnd(&z);
  return out;
}

std::string record(const std::string& uri, const std::string& block, const std::string& fields = "") {
  return "WARC/1.1\r\nWARC-Type: resource\r\nWARC-Target-URI: " + uri + "\r\n" + fields +
         "Content-Length: " + std::to_string(block.size()) + "\r\n\r\n" + block + "\r\n\r\n";
}

HttpResponse response(long status, std::string body, Headers headers = {{"Content-Type", "text/html"}}) {
  HttpResponse r;
  r.status = status;
  r.body = std::move(body);
  r.headers = std::move(headers);
  return r;
}

HttpRequest request(std::string url, std::string method = "GET") {
  HttpRequest q;
  q.url = std::move(url);
  q.method = std::move(method);
  return q;
}

std::vector<WarcRecord> read_all(const fs::path& p) {
  std::vector<WarcRecord> out;
  WarcReader reader(p);
  while (auto r = reader.next()) out.push_back(std::move(*r));
  return out;
}

// --- writer -> reader -> replay ---------------------------------------------

class WarcRoundTrip : public ::testing::TestWithParam<const char*> {};

TEST_P(WarcRoundTrip, WrittenExchangesReplay) {
  const std::string kind = GetParam();
  const bool one_member = kind == "one-member.warc.gz";
  const fs::path path = temp_path("round." + kind);
  const fs::path written = one_member ? temp_path("round-plain.warc") : path;
  {
    WarcWriter w(written);
    HttpResponse page = response(200, "<html>first</html>",
                                 {{"Content-Type", "text/html"}, {"Content-Encoding", "gzip"},
                                  {"Transfer-Encoding", "chunked"}, {"X-Evil", "a\r\nWARC/1.1 injected"}});
    page.remote_ip = "203.0.113.7";
    w.write_exchange(request("https://shop.example/p?id=1"), page);
    HttpRequest post = request("https://shop.example/p?id=1", "POST");
    post.body = "q=1";
    w.write_exchange(post, response(201, "posted"));
    w.write_exchange(request("https://shop.example/old"), response(301, "", {{"Location", "/new"}}));
    HttpResponse cut = response(200, "<html>cut");
    cut.truncated = true;
    w.write_exchange(request("https://shop.example/big"), cut);
    w.write_exchange(request("https://shop.example/a b\r\nX: y#frag"), response(200, "odd url"));
    w.write_exchange(request("https://shop.example/p?id=1"), response(200, "<html>second</html>"));
    w.flush();
  }
  if (one_member) {  // the whole file compressed as one gzip member
    std::ifstream in(written, std::ios::binary);
    write_file(path, gz(std::string(std::istreambuf_iterator<char>(in), {})));
  }
  const auto records = read_all(path);
  ASSERT_EQ(records.size(), 13U);
  EXPECT_EQ(records[0].type(), "warcinfo");
  const WarcRecord& req = records[1];
  const WarcRecord& res = records[2];
  EXPECT_EQ(req.type(), "request");
  EXPECT_EQ(res.type(), "response");
  EXPECT_EQ(req.field("WARC-Concurrent-To"), res.field("WARC-Record-ID"));
  EXPECT_EQ(res.field("WARC-Concurrent-To"), req.field("WARC-Record-ID"));
  EXPECT_EQ(res.field("WARC-IP-Address"), "203.0.113.7");
  EXPECT_EQ(res.field("Content-Type"), "application/http;msgtype=response");
  EXPECT_EQ(req.block.substr(0, req.block.find("\r\n")), "GET /p?id=1 HTTP/1.1");
  EXPECT_EQ(res.block.find("Content-Encoding"), std::string::npos);
  EXPECT_EQ(res.block.find("\nWARC/1.1"), std::string::npos) << "header value broke its line";
  EXPECT_EQ(records[8].field("WARC-Truncated"), "length");
  EXPECT_EQ(records[9].target_uri(), "https://shop.example/a%20b%0D%0AX:%20y");

  const auto archive = WarcArchive::open({path});
  EXPECT_TRUE(archive->damage().empty());
  struct Lookup {
    const char* method;
    const char* url;
    long status;  // 0: none expected
    const char* body;
    bool truncated;
  };
  const Lookup lookups[] = {
      {"GET", "https://shop.example/p?id=1", 200, "<html>second</html>", false},  // last wins
      {"POST", "https://shop.example/p?id=1", 201, "posted", false},
      {"get", "https://shop.example/p?id=1#top", 200, "<html>second</html>", false},
      {"GET", "https://shop.example/old", 301, "", false},
      {"GET", "https://shop.example/big", 200, "<html>cut", true},
      {"GET", "https://shop.example/a b\r\nX: y", 200, "odd url", false},
      {"HEAD", "https://shop.example/p?id=1", 0, "", false},
      {"GET", "https://shop.example/missing", 0, "", false},
  };
  for (const auto& l : lookups) {
    SCOPED_TRACE(std::string(l.method) + " " + l.url);
    const auto found = archive->find(l.method, l.url);
    if (l.status == 0) {
      EXPECT_FALSE(found.has_value());
      continue;
    }
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->status, l.status);
    EXPECT_EQ(found->body, l.body);
    EXPECT_EQ(found->truncated, l.truncated);
    EXPECT_EQ(found->url, l.url);
  }
  EXPECT_EQ(archive->find("GET", "https://shop.example/old")->header("location"), "/new");
}

INSTANTIATE_TEST_SUITE_P(Kinds, WarcRoundTrip, ::testing::Values("warc", "warc.gz", "one-member.warc.gz"));

TEST(WarcWriter, SharedBetweenThreadsKeepsRecordsWhole) {
  const fs::path path = temp_path("threads.warc.gz");
  {
    WarcWriter w(path);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
      threads.emplace_back([&w, t] {
        for (int i = 0; i < 50; ++i) {
          const std::string url = "https://h" + std::to_string(t) + ".example/" + std::to_string(i);
          w.write_exchange(request(url), response(200, std::string(1000 + i * 37, 'x')));
        }
      });
    }
    for (auto& th : threads) th.join();
  }
  const auto archive = WarcArchive::open({path});
  EXPECT_EQ(archive->size(), 200U);
  EXPECT_EQ(archive->find("GET", "https://h3.example/49")->body.size(), 1000U + 49 * 37);
}

TEST(WarcWriter, WriteFailureIsAnError) {
  EXPECT_THROW(WarcWriter("/dev/full"), WarcError);
  EXPECT_THROW(WarcWriter("/nonexistent-dir/x.warc"), WarcError);
  WarcWriter w(temp_path("bad.warc"));
  EXPECT_THROW(w.write_exchange(request("https://a.example/"), response(0, "")), WarcError);
  EXPECT_THROW(w.write_exchange(request("https://a.example/", "GE T"), response(200, "")), WarcError);
}

// --- damaged and hostile files ----------------------------------------------

struct FileCase {
  const char* name;
  std::string bytes;
  std::size_t records;         // delivered before the end or the error
  std::string error{};          // empty: the file reads to its end
  std::uint64_t offset = 0;     // named in the error
  std::size_t max_block = WARC_DEFAULT_MAX_BLOCK;
  std::uint64_t skipped = 0;
};

void PrintTo(const FileCase& c, std::ostream* os) { *os << c.name; }

class WarcReaderFiles : public ::testing::TestWithParam<FileCase> {};

TEST_P(WarcReaderFiles, RecordsBeforeDamageThenOneError) {
  const FileCase& c = GetParam();
  const fs::path path = temp_path(std::string(c.name) + ".warc");
  write_file(path, c.bytes);
  WarcReader reader(path, c.max_block);
  std::size_t n = 0;
  std::string error;
  try {
    while (reader.next()) ++n;
  } catch (const WarcError& e) {
    error = e.what();
  }
  EXPECT_EQ(n, c.records);
  EXPECT_EQ(reader.skipped_oversized(), c.skipped);
  if (c.error.empty()) {
    EXPECT_EQ(error, "");
    return;
  }
  EXPECT_NE(error.find(path.string() + ": offset " + std::to_string(c.offset)), std::string::npos) << error;
  EXPECT_NE(error.find(c.error), std::string::npos) << error;
  EXPECT_FALSE(reader.next().has_value()) << "a reader is finished after its error";
}

const std::string R1 = record("https://a.example/", "first block");
const std::string R2 = record("https://b.example/", std::string(3000, 'b'));
const std::string R3 = record("https://c.example/", "third");

INSTANTIATE_TEST_SUITE_P(
    Files, WarcReaderFiles,
    ::testing::Values(
        FileCase{"whole_plain", R1 + R2 + R3, 3},
        FileCase{"empty_file", "", 0},
        FileCase{"lf_only_header", "WARC/1.0\nWARC-Type: resource\nContent-Length: 2\n\nok\n\n", 1},
        FileCase{"member_per_record", gz(R1) + gz(R2) + gz(R3), 3},
        FileCase{"one_member_for_all", gz(R1 + R2 + R3), 3},
        FileCase{"concatenated_gz_files", gz(R1) + gz(R2) + gz(R3) + gz(R1), 4},
        FileCase{"empty_members_between", gz(R1) + gz("") + gz("") + gz(R2), 2},
        FileCase{"records_across_members", gz(R1.substr(0, 10)) + gz(R1.substr(10) + R2.substr(0, 9)) + gz(R2.substr(9, 99)),
                 1, "cut short", gz(R1.substr(0, 10)).size()},
        FileCase{"html_not_warc", "<!doctype html><html></html>\n", 0, "not a WARC record", 0},
        FileCase{"short_junk", "WAR", 0, "not a WARC record", 0},
        FileCase{"cut_in_block", R1 + R2.substr(0, 500), 1, "cut short", R1.size()},
        FileCase{"cut_in_header", R1 + R2.substr(0, 30), 1, "cut short in the record header", R1.size()},
        FileCase{"junk_after_record", R1 + "garbage\r\n", 1, "not a WARC record", R1.size()},
        FileCase{"gz_cut_in_member", gz(R1) + gz(R2).substr(0, 40), 1, ": gzip data cut short", gz(R1).size()},
        FileCase{"one_member_cut", gz(R1 + R2.substr(0, 100)), 1,
                 " (uncompressed offset " + std::to_string(R1.size()) + "): cut short", 0},
        FileCase{"gz_junk_member", gz(R1) + gz(R2) + "not gzip at all", 2, "damaged gzip data", gz(R1).size() + gz(R2).size()},
        FileCase{"gz_corrupt_member", gz(R1) + std::string("\x1f\x8b\x08\0\0\0\0\0\0\x03garbage!", 18), 1, "damaged gzip",
                 gz(R1).size()},
        FileCase{"missing_content_length", R1 + "WARC/1.1\r\nWARC-Type: resource\r\n\r\nabc\r\n\r\n", 1,
                 "without Content-Length", R1.size()},
        FileCase{"negative_content_length", R1 + "WARC/1.1\r\nContent-Length: -5\r\n\r\n", 1,
                 "invalid Content-Length '-5'", R1.size()},
        FileCase{"content_length_overflow", "WARC/1.1\r\nContent-Length: 99999999999999999999\r\n\r\n", 0,
                 "invalid Content-Length", 0},
        FileCase{"conflicting_content_lengths", "WARC/1.1\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\nab", 0,
                 "two different Content-Length", 0},
        FileCase{"huge_content_length_skipped_then_cut",
                 R1 + "WARC/1.1\r\nContent-Length: 1000000000000\r\n\r\nshort", 1, "cut short", R1.size()},
        FileCase{"header_line_without_colon", R1 + "WARC/1.1\r\nno colon here\r\n\r\n", 1, "malformed record header",
                 R1.size()},
        FileCase{"endless_header", "WARC/1.1\r\nX: " + std::string(300 << 10, 'x'), 0, "record header longer", 0},
        FileCase{"oversized_block_skipped", R1 + R2 + R3, 2, "", 0, 1000, 1},
        FileCase{"oversized_in_gz_skipped", gz(R1) + gz(R2) + gz(R3), 2, "", 0, 1000, 1}));

TEST(WarcArchive, DamagedFileKeepsRecordsBeforeAndIsReported) {
  const fs::path good = temp_path("good.warc.gz");
  {
    WarcWriter w(good);
    w.write_exchange(request("https://a.example/"), response(200, "a"));
    w.write_exchange(request("https://b.example/"), response(200, "b"));
  }
  std::ifstream in(good, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), {});
  const fs::path cut = temp_path("cut.warc.gz");
  write_file(cut, bytes.substr(0, bytes.size() - 60));
  const fs::path other = temp_path("other.warc");
  {
    WarcWriter w(other);
    w.write_exchange(request("https://c.example/"), response(200, "c"));
  }
  const auto archive = WarcArchive::open({cut, other});
  ASSERT_EQ(archive->damage().size(), 1U);
  EXPECT_NE(archive->damage()[0].find(cut.string() + ": offset "), std::string::npos) << archive->damage()[0];
  EXPECT_EQ(archive->find("GET", "https://a.example/")->body, "a");
  EXPECT_FALSE(archive->find("GET", "https://b.example/").has_value());
  EXPECT_EQ(archive->find("GET", "https://c.example/")->body, "c");
  EXPECT_THROW(WarcArchive::open({temp_path("absent.warc")}), WarcError);
}

// Request records written by other tools may come after their response and
// link it from their side.
TEST(WarcArchive, MethodFromRequestAfterResponse) {
  const fs::path path = temp_path("reversed.warc");
  const std::string http = "HTTP/1.1 200 OK\r\n\r\nposted";
  write_file(path,
             "WARC/1.1\r\nWARC-Type: response\r\nWARC-Record-ID: <urn:uuid:1>\r\nWARC-Target-URI: <https://x.example/>\r\n"
             "Content-Length: " + std::to_string(http.size()) + "\r\n\r\n" + http + "\r\n\r\n" +
                 "WARC/1.1\r\nWARC-Type: request\r\nWARC-Record-ID: <urn:uuid:2>\r\nWARC-Concurrent-To: <urn:uuid:1>\r\n"
                 "Content-Length: 17\r\n\r\nPOST / HTTP/1.1\r\n\r\n\r\n");
  const auto archive = WarcArchive::open({path});
  EXPECT_FALSE(archive->find("GET", "https://x.example/").has_value());
  EXPECT_EQ(archive->find("POST", "https://x.example/")->body, "posted");
}

// --- HTTP messages ------------------------------------------------------------

struct HttpCase {
  const char* name;
  std::string block;
  long status = 0;
  std::string body;
  bool truncated = false;
  const char* error = nullptr;
  std::size_t max_body = WARC_DEFAULT_MAX_BLOCK;
};

void PrintTo(const HttpCase& c, std::ostream* os) { *os << c.name; }

class HttpBlocks : public ::testing::TestWithParam<HttpCase> {};

TEST_P(HttpBlocks, Parse) {
  const HttpCase& c = GetParam();
  if (c.error != nullptr) {
    try {
      parse_http_response(c.block, "u", c.max_body);
      FAIL() << "no error";
    } catch (const WarcError& e) {
      EXPECT_NE(std::string(e.what()).find(c.error), std::string::npos) << e.what();
    }
    return;
  }
  for (const bool owned : {false, true}) {
    SCOPED_TRACE(owned ? "block handed over" : "block viewed");
    const HttpResponse r = owned ? parse_http_response(std::string(c.block), "u", c.max_body)
                                 : parse_http_response(c.block, "u", c.max_body);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.body, c.body);
    EXPECT_EQ(r.truncated, c.truncated);
  }
}

const std::string BOMB = gz(std::string(5 << 20, 'a'));

INSTANTIATE_TEST_SUITE_P(
    Blocks, HttpBlocks,
    ::testing::Values(
        HttpCase{"crlf", "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n<p>hi</p>", 200, "<p>hi</p>"},
        HttpCase{"lf_only", "HTTP/1.0 404 Not Found\nA: b\n\nnope", 404, "nope"},
        HttpCase{"no_reason_phrase", "HTTP/1.1 204\r\n\r\n", 204, ""},
        HttpCase{"http2_status_line", "HTTP/2 200\r\n\r\nx", 200, "x"},
        HttpCase{"folded_header", "HTTP/1.1 200 OK\r\nX: a\r\n  b\r\n\r\nz", 200, "z"},
        HttpCase{"chunked", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n4;ext=1\r\nWiki\r\n5\r\npedia\r\n0\r\nT: x\r\n\r\n",
                 200, "Wikipedia"},
        HttpCase{"chunked_lf_only", "HTTP/1.1 200 OK\nTransfer-Encoding: chunked\n\n3\nabc\n0\n\n", 200, "abc"},
        HttpCase{"chunked_cut_short", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n10\r\nonly six", 200,
                 "only six", true},
        HttpCase{"chunked_no_last_chunk", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n", 200, "abc",
                 true},
        HttpCase{"chunked_size_overflow", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nffffffffffffffffff\r\nx", 0,
                 "", false, "chunk size too large"},
        HttpCase{"chunked_bad_size", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\nx", 0, "", false,
                 "malformed chunked"},
        HttpCase{"gzip_coding", "HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\n\r\n" + gz("<html>z</html>"), 200,
                 "<html>z</html>"},
        HttpCase{"gzip_coding_twice", "HTTP/1.1 200 OK\r\nContent-Encoding: gzip, GZIP\r\n\r\n" + gz(gz("two")), 200,
                 "two"},
        HttpCase{"gzip_without_trailer", "HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\n\r\n" + [] {
          const std::string g = gz("<html>whole</html>");
          return g.substr(0, g.size() - 4);
        }(), 200, "<html>whole</html>", true},
        HttpCase{"gzip_declared_but_plain", "HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\n\r\n<html>", 200, "<html>"},
        HttpCase{"gzip_bomb_cut_at_limit", "HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\n\r\n" + BOMB, 200,
                 std::string(1 << 20, 'a'), true, nullptr, 1 << 20},
        HttpCase{"plain_body_cut_at_limit", "HTTP/1.1 200 OK\r\n\r\n0123456789", 200, "0123", true, nullptr, 4},
        HttpCase{"unsupported_coding", "HTTP/1.1 200 OK\r\nContent-Encoding: br\r\n\r\nxx", 0, "", false,
                 "'br' is not supported"},
        HttpCase{"too_many_codings", "HTTP/1.1 200 OK\r\nContent-Encoding: gzip,gzip,gzip,gzip,gzip,gzip\r\n\r\n", 0, "",
                 false, "more than 5"},
        HttpCase{"not_http", "<html>hello</html>", 0, "", false, "not an HTTP response"},
        HttpCase{"bad_status", "HTTP/1.1 2x0 OK\r\n\r\n", 0, "", false, "bad status"},
        HttpCase{"too_many_fields", "HTTP/1.1 200 OK\r\n" + [] {
          std::string s;
          for (int i = 0; i < 1001; ++i) s += "a:b\r\n";
          return s;
        }() + "\r\n", 0, "", false, "more than 1000"},
        HttpCase{"endless_header_section", "HTTP/1.1 200 OK\r\nX: " + std::string(300 << 10, 'x') + "\r\n\r\n", 0, "",
                 false, "longer than 256 KiB"}));

}  // namespace
