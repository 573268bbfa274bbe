// WARC archives: writer -> reader -> replay, damaged and hostile files, and
// the HTTP messages inside response records.
#include <gtest/gtest.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <variant>
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
  // The payload digest covers the body alone (as crawl tools write it).
  EXPECT_EQ(res.field("WARC-Payload-Digest"), "sha1:5NYMU2TZZRQMERK52OYXMDMBRTXMMGOX");
  {
    WarcReader again(path);
    while (again.next()) {
    }
    EXPECT_EQ(again.counts().digests_checked, 13U) << "every record written carries a digest that is checked";
  }

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

// A record whose Content-Length says `length` whatever its block holds.
std::string record_claiming(const std::string& uri, const std::string& block, const std::string& length,
                            const std::string& fields = "") {
  return "WARC/1.1\r\nWARC-Type: resource\r\nWARC-Target-URI: " + uri + "\r\n" + fields + "Content-Length: " + length +
         "\r\n\r\n" + block + "\r\n\r\n";
}

// A gzip member with one byte changed, counted from its end when negative.
std::string flip(std::string member, long at) {
  const std::size_t i = at < 0 ? member.size() - static_cast<std::size_t>(-at) : static_cast<std::size_t>(at);
  member[i] = static_cast<char>(member[i] ^ 0x55);
  return member;
}

struct FileCase {
  const char* name;
  std::string bytes;
  std::vector<std::string> read;  // target URIs of the records handed on, in order
  std::vector<std::string> errors{};  // one substring per error, in order
  std::uint64_t offset = 0;           // named in the first error
  std::size_t max_block = WARC_DEFAULT_MAX_BLOCK;
  WarcReadCounts counts{};            // damaged is the number of errors
};

void PrintTo(const FileCase& c, std::ostream* os) { *os << c.name; }

class WarcReaderFiles : public ::testing::TestWithParam<FileCase> {};

// What a reader that leaves digests to its caller hands on when the caller
// checks each record `lag` records later (as inspect --warc's workers do):
// target URIs and errors in order. Records read after a rejected one are void.
std::vector<std::string> read_deferred(WarcReader& reader, std::size_t lag) {
  std::vector<std::string> out;
  std::deque<std::variant<WarcRecord, std::string>> window;
  const auto settle = [&] {
    auto front = std::move(window.front());
    window.pop_front();
    if (const auto* error = std::get_if<std::string>(&front)) {
      out.push_back(*error);
    } else if (const auto& r = std::get<WarcRecord>(front); r.digest_ok()) {
      out.push_back(r.target_uri());
    } else {
      out.push_back(reader.reject(*r.pending_digest));
      window.clear();
    }
  };
  for (int calls = 0; calls < 100; ++calls) {
    bool ended = false;
    try {
      auto r = reader.next();
      ended = !r;
      if (r) window.emplace_back(std::move(*r));
    } catch (const WarcError& e) {
      window.emplace_back(e.what());
    }
    if (ended && window.empty()) break;
    if (ended || window.size() > lag) settle();
  }
  return out;
}

// Every sound record is read, every damaged one is named and never handed on.
TEST_P(WarcReaderFiles, SoundRecordsReadDamagedOnesNamed) {
  const FileCase& c = GetParam();
  const fs::path path = temp_path(std::string(c.name) + ".warc");
  write_file(path, c.bytes);
  // The fuzz target's seeds (fuzz/seeds/warc) are these files.
  if (const char* seeds = std::getenv("TARVIK_WARC_SEED_DIR")) write_file(fs::path(seeds) / path.filename(), c.bytes);
  WarcReader reader(path, c.max_block);
  std::vector<std::string> read, errors, events;
  for (int calls = 0; calls < 100; ++calls) {
    try {
      auto r = reader.next();
      if (!r) break;
      read.push_back(r->target_uri());
      events.push_back(read.back());
    } catch (const WarcError& e) {
      errors.emplace_back(e.what());
      events.push_back(errors.back());
    }
  }
  EXPECT_EQ(read, c.read);
  ASSERT_EQ(errors.size(), c.errors.size()) << (errors.empty() ? "" : errors[0]);
  for (std::size_t i = 0; i < errors.size(); ++i) {
    EXPECT_NE(errors[i].find(c.errors[i]), std::string::npos) << errors[i];
    EXPECT_NE(errors[i].find("record dropped"), std::string::npos) << errors[i];
  }
  if (!errors.empty()) {
    EXPECT_EQ(errors[0].rfind(path.string() + ": offset " + std::to_string(c.offset), 0), 0U) << errors[0];
  }
  EXPECT_FALSE(reader.next().has_value()) << "a reader stays at its end";
  EXPECT_EQ(reader.counts().damaged, errors.size());
  EXPECT_EQ(reader.counts().oversized, c.counts.oversized);
  EXPECT_EQ(reader.counts().digests_checked, c.counts.digests_checked);
  EXPECT_EQ(reader.counts().digests_unchecked, c.counts.digests_unchecked);
  // Digests left to the caller, checked at once or some records late: the same.
  for (const std::size_t lag : {0, 1, 3}) {
    SCOPED_TRACE("digests checked " + std::to_string(lag) + " records late");
    WarcReader deferred(path, c.max_block, true);
    EXPECT_EQ(read_deferred(deferred, lag), events);
    EXPECT_TRUE(deferred.counts() == reader.counts());
  }
}

const std::string A = "https://a.example/", B = "https://b.example/", C = "https://c.example/", D = "https://d.example/";
const std::string R1 = record(A, "first block");
const std::string R2 = record(B, std::string(3000, 'b'));
const std::string R3 = record(C, "third");
const std::string R4 = record(D, "fourth");
// Varied text, so that a changed byte in the middle of its deflate data
// lands in a Huffman-coded stretch.
const std::string PROSE = [] {
  std::string s;
  for (int i = 0; i < 400; ++i) s += "line " + std::to_string(i * 7919 % 1000) + " of a page that is long;\n";
  return s;
}();
const std::string R2_LONG = record(B, PROSE);
// The digest of "first block" as crawl tools write it.
const std::string SHA1_OF_FIRST = "sha1:EYYPUSE5NR2YLQV77HL3OX7YUSTLIC3K";
const std::uint64_t GZ1 = gz(R1).size();
const std::string BAD_DIGEST = record(B, "first blocK", "WARC-Block-Digest: " + SHA1_OF_FIRST + "\r\n");

INSTANTIATE_TEST_SUITE_P(
    Files, WarcReaderFiles,
    ::testing::Values(
        // Sound files.
        FileCase{"whole_plain", R1 + R2 + R3, {A, B, C}},
        FileCase{"empty_file", "", {}},
        FileCase{"lf_only_header", "WARC/1.0\nWARC-Type: resource\nContent-Length: 2\n\nok\n\n", {""}},
        FileCase{"member_per_record", gz(R1) + gz(R2) + gz(R3), {A, B, C}},
        FileCase{"one_member_for_all", gz(R1 + R2 + R3), {A, B, C}},
        FileCase{"concatenated_gz_files", gz(R1) + gz(R2) + gz(R3) + gz(R1), {A, B, C, A}},
        FileCase{"empty_members", gz("") + gz(R1) + gz("") + gz("") + gz(R2) + gz(""), {A, B}},
        FileCase{"oversized_block_skipped", R1 + R2 + R3, {A, C}, {}, 0, 1000, {0, 1, 0, 0}},
        FileCase{"oversized_in_gz_skipped", gz(R1) + gz(R2) + gz(R3), {A, C}, {}, 0, 1000, {0, 1, 0, 0}},
        FileCase{"block_of_exactly_the_cap", R1 + R2 + R3, {A, B, C}, {}, 0, 3000},
        FileCase{"block_one_over_the_cap", R1 + R2 + R3, {A, C}, {}, 0, 2999, {0, 1, 0, 0}},
        // Digests.
        FileCase{"block_digest_matches", record(A, "first block", "WARC-Block-Digest: " + SHA1_OF_FIRST + "\r\n"), {A},
                 {}, 0, WARC_DEFAULT_MAX_BLOCK, {0, 0, 1, 0}},
        FileCase{"block_digest_lower_case", record(A, "first block", "WARC-Block-Digest: SHA1:eyypuse5nr2ylqv77hl3ox7yustlic3k\r\n"),
                 {A}, {}, 0, WARC_DEFAULT_MAX_BLOCK, {0, 0, 1, 0}},
        FileCase{"block_digest_mismatch", R1 + BAD_DIGEST + R3, {A, C},
                 {"WARC-Block-Digest '" + SHA1_OF_FIRST + "' does not match the block"}, R1.size()},
        FileCase{"block_digest_mismatch_gz", gz(R1) + gz(BAD_DIGEST) + gz(R3), {A, C}, {"does not match the block"}, GZ1},
        FileCase{"block_digest_mismatch_one_member", gz(R1 + BAD_DIGEST + R3), {A},
                 {"(uncompressed offset " + std::to_string(R1.size()) + "): WARC-Block-Digest"}, 0},
        FileCase{"block_digest_mismatch_record_in_block",
                 R1 + record(B, "x\r\n" + R4, "WARC-Block-Digest: " + SHA1_OF_FIRST + "\r\n") + R3, {A, D, C},
                 {"does not match the block"}, R1.size()},
        FileCase{"block_digest_unreadable", record(B, "x", "WARC-Block-Digest: sha1:not-base32!\r\n") + R3, {C},
                 {"does not match"}, 0},
        FileCase{"unknown_digest_algorithm", record(A, "x", "WARC-Block-Digest: md5:CY9rzUYh03PK3k6DJie09g==\r\n"), {A},
                 {}, 0, WARC_DEFAULT_MAX_BLOCK, {0, 0, 0, 1}},
        FileCase{"payload_digest_mismatch",
                 "WARC/1.1\r\nWARC-Type: response\r\nWARC-Target-URI: " + A +
                     "\r\nWARC-Payload-Digest: sha1:AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA\r\nContent-Length: 21\r\n\r\n"
                     "HTTP/1.1 200 OK\r\n\r\nhi\r\n\r\n" + R3,
                 {C}, {"WARC-Payload-Digest"}, 0},
        FileCase{"payload_digest_matches_body_only",
                 "WARC/1.1\r\nWARC-Type: response\r\nWARC-Target-URI: " + A + "\r\nWARC-Payload-Digest: " + SHA1_OF_FIRST +
                     "\r\nContent-Length: 30\r\n\r\nHTTP/1.1 200 OK\r\n\r\nfirst block\r\n\r\n",
                 {A}, {}, 0, WARC_DEFAULT_MAX_BLOCK, {0, 0, 1, 0}},
        // gzip damage: the member is dropped, reading goes on at the next one.
        FileCase{"bad_crc", gz(R1) + flip(gz(R2), -8) + gz(R3), {A, C}, {"fails its CRC or length check"}, GZ1},
        FileCase{"bad_length", gz(R1) + flip(gz(R2), -2) + gz(R3), {A, C}, {"fails its CRC or length check"}, GZ1},
        FileCase{"flipped_deflate_bytes", gz(R1) + flip(gz(R2_LONG), 200) + gz(R3), {A, C}, {""}, GZ1},
        FileCase{"member_cut_short", gz(R1) + gz(R2).substr(0, 40) + gz(R3), {A, C}, {""}, GZ1},
        FileCase{"member_cut_short_at_end", gz(R1) + gz(R2).substr(0, 40), {A}, {"gzip member cut short"}, GZ1},
        FileCase{"two_damaged_in_a_row", gz(R1) + flip(gz(R2), -8) + flip(gz(R3), -7) + gz(R4), {A, D},
                 {"CRC", "CRC"}, GZ1},
        FileCase{"damage_in_last_record", gz(R1) + gz(R2) + flip(gz(R3), -8), {A, B}, {"CRC"}, GZ1 + gz(R2).size()},
        FileCase{"trailing_garbage_gz", gz(R1) + gz(R2) + "not gzip at all", {A, B},
                 {"not a gzip member"}, GZ1 + gz(R2).size()},
        FileCase{"corrupt_member_header", gz(R1) + std::string("\x1f\x8b\x08\0\0\0\0\0\0\x03garbage!", 18) + gz(R3),
                 {A, C}, {"gzip"}, GZ1},
        FileCase{"non_warc_gzip", gz("just some text\n"), {}, {"not a WARC record"}, 0},
        FileCase{"content_length_long_gz", gz(R1) + gz(record_claiming(B, "bb", "9")) + gz(R3), {A, C},
                 {"record separator"}, GZ1},
        FileCase{"content_length_short_gz", gz(R1) + gz(record_claiming(B, "bbbbbbbb", "3")) + gz(R3), {A, C},
                 {"record separator"}, GZ1},
        // One member for the whole file: its CRC is known at its end only,
        // and nothing after damage in it can be read.
        FileCase{"one_member_bad_crc", flip(gz(R1 + R2 + R3), -8), {A, B}, {"CRC"}, 0},
        FileCase{"one_member_cut", gz(R1 + R2.substr(0, 100)), {A},
                 {"(uncompressed offset " + std::to_string(R1.size()) + "): cut short"}, 0},
        FileCase{"records_across_members",
                 gz(R1.substr(0, 10)) + gz(R1.substr(10) + R2.substr(0, 9)) + gz(R2.substr(9, 99)), {A},
                 {"cut short"}, gz(R1.substr(0, 10)).size()},
        // Plain files: reading goes on at the next line starting "WARC/1.".
        FileCase{"content_length_short", R1 + record_claiming(B, "bbbbbbbb", "5") + R3, {A, C},
                 {"not followed by the record separator"}, R1.size()},
        FileCase{"content_length_long", R1 + record_claiming(B, "bb", "12") + R3, {A, C},
                 {"not followed by the record separator"}, R1.size()},
        FileCase{"content_length_huge", R1 + record_claiming(B, "bb", "1000000000000") + R3, {A, C}, {"cut short"},
                 R1.size()},
        FileCase{"content_length_negative", R1 + record_claiming(B, "bb", "-5") + R3, {A, C},
                 {"invalid Content-Length '-5'"}, R1.size()},
        FileCase{"content_length_beyond_2_64", R1 + record_claiming(B, "bb", "99999999999999999999") + R3, {A, C},
                 {"invalid Content-Length"}, R1.size()},
        FileCase{"conflicting_content_lengths", "WARC/1.1\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\nab", {},
                 {"two different Content-Length"}, 0},
        FileCase{"missing_content_length", R1 + "WARC/1.1\r\nWARC-Type: resource\r\n\r\nabc\r\n\r\n" + R3, {A, C},
                 {"without Content-Length"}, R1.size()},
        FileCase{"two_damaged_in_a_row_plain", R1 + record_claiming(B, "bb", "x") + record_claiming(C, "c", "9") + R4,
                 {A, D}, {"invalid Content-Length", "separator"}, R1.size()},
        FileCase{"damage_in_last_record_plain", R1 + R2 + record_claiming(C, "third", "4"), {A, B}, {"separator"},
                 R1.size() + R2.size()},
        FileCase{"no_separator_at_end", R1 + R3.substr(0, R3.size() - 4), {A}, {"no record separator"}, R1.size()},
        FileCase{"html_not_warc", "<!doctype html><html></html>\n", {}, {"not a WARC record"}, 0},
        FileCase{"short_junk", "WAR", {}, {"not a WARC record"}, 0},
        FileCase{"cut_in_block", R1 + R2.substr(0, 500), {A}, {"cut short"}, R1.size()},
        FileCase{"cut_in_header", R1 + R2.substr(0, 30), {A}, {"cut short in the record header"}, R1.size()},
        FileCase{"trailing_garbage_plain", R1 + "garbage\r\n", {A}, {"not a WARC record"}, R1.size()},
        FileCase{"header_line_without_colon", R1 + "WARC/1.1\r\nno colon here\r\n\r\n" + R3, {A, C},
                 {"malformed record header"}, R1.size()},
        FileCase{"header_never_ends", R1 + "WARC/1.1\r\nX: " + std::string(300 << 10, 'x'), {A},
                 {"record header longer"}, R1.size()},
        FileCase{"version_line_in_a_block", R1 + record_claiming(B, "x\r\nWARC/1.1 in text", "99") + R3, {A, C},
                 {"separator", "not a WARC record"}, R1.size()}));

std::string response_record(const std::string& uri, const std::string& body, const std::string& fields = "") {
  const std::string http = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n" + body;
  return "WARC/1.1\r\nWARC-Type: response\r\nWARC-Target-URI: " + uri + "\r\n" + fields +
         "Content-Length: " + std::to_string(http.size()) + "\r\n\r\n" + http + "\r\n\r\n";
}

struct ReplayCase {
  const char* name;
  std::vector<std::string> members;  // one gzip member each
  std::vector<std::pair<std::string, std::string>> served;  // URL, body
  std::vector<std::string> not_archived;  // URLs whose lookup names damage
  std::size_t damage_lines;
};

void PrintTo(const ReplayCase& c, std::ostream* os) { *os << c.name; }

class WarcReplayDamage : public ::testing::TestWithParam<ReplayCase> {};

// A damaged response is never served: its lookup fails naming the URL, file
// and offset, and the sound records around it are served.
TEST_P(WarcReplayDamage, DamagedRecordsAreNotArchived) {
  const ReplayCase& c = GetParam();
  const fs::path path = temp_path(std::string(c.name) + ".warc.gz");
  std::string bytes;
  for (const auto& m : c.members) bytes += m;
  write_file(path, bytes);
  const auto archive = WarcArchive::open({path});
  EXPECT_EQ(archive->damage().size(), c.damage_lines);
  for (const auto& [url, body] : c.served) {
    const auto found = archive->find("GET", url);
    ASSERT_TRUE(found.has_value()) << url;
    EXPECT_EQ(found->body, body);
  }
  for (const auto& url : c.not_archived) {
    try {
      archive->find("GET", url);
      ADD_FAILURE() << url << " was served";
    } catch (const WarcError& e) {
      EXPECT_NE(std::string(e.what()).find(url + ": damaged in the archive: " + path.string() + ": offset "),
                std::string::npos)
          << e.what();
    }
    bool named = false;
    for (const auto& line : archive->damage()) named = named || line.find(url + ": treated as not archived") != std::string::npos;
    EXPECT_TRUE(named) << url;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Replay, WarcReplayDamage,
    ::testing::Values(
        ReplayCase{"altered_price_not_served",
                   {gz(response_record(A, "$14.99")), flip(gz(response_record(B, "$14.99")), -8),
                    gz(response_record(C, "ok"))},
                   {{A, "$14.99"}, {C, "ok"}}, {B}, 1},
        ReplayCase{"digest_mismatch_hides_older_copy",
                   {gz(response_record(A, "old")),
                    gz(response_record(A, "$149.90", "WARC-Block-Digest: sha1:AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA\r\n"))},
                   {}, {A}, 1},
        ReplayCase{"newer_sound_copy_served",
                   {flip(gz(response_record(A, "bad")), -8), gz(response_record(A, "good"))}, {{A, "good"}}, {}, 1},
        ReplayCase{"wrong_content_length_then_sound",
                   {gz(record_claiming(B, "HTTP/1.1 200 OK\r\n\r\nx", "7")), gz(response_record(C, "after"))},
                   {{C, "after"}}, {}, 1}));

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
        HttpCase{"body_shorter_than_content_length", "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nshort", 200,
                 "short", true},
        HttpCase{"body_as_long_as_content_length", "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nwhole", 200, "whole"},
        HttpCase{"content_length_beyond_2_64", "HTTP/1.1 200 OK\r\nContent-Length: 123456789012345678901\r\n\r\nx",
                 200, "x", true},
        HttpCase{"deflate_raw_and_zlib", "HTTP/1.1 200 OK\r\nContent-Encoding: deflate\r\n\r\n" + [] {
          const std::string g = gz("raw deflate");  // the deflate data between gzip's header and trailer
          return g.substr(10, g.size() - 18);
        }(), 200, "raw deflate"},
        HttpCase{"gzip_body_bad_crc", "HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\n\r\n" + [] {
          std::string g = gz("<html>ok</html>");
          g[g.size() - 8] ^= 1;
          return g;
        }(), 200, "<html>ok</html>", true},
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
