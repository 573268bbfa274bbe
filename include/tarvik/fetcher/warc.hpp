// WARC 1.1 archives of HTTP exchanges: writing them while fetching, reading
// them as a stream, and answering requests from them instead of the network.
//
// Guarantees:
// - Time: reading is linear in the file; every loop consumes input, so no
//   byte sequence makes a reader spin. Nothing here waits on anything but
//   the file system.
// - Memory: a reader holds one record at a time, bounded by its block limit
//   (records whose block exceeds it are skipped, not loaded, and counted),
//   a 256 KiB header limit and fixed-size buffers, never by the file. Plain
//   `.warc` and `.warc.gz` (one gzip member per record, or one member for
//   the whole file) are both read; the kind is found from the bytes.
//   `parse_http_response` bounds the headers it keeps and the body it
//   decodes. An archive index holds one small entry per response record.
// - Damage is never data: a record is handed on (read, indexed, replayed)
//   only when it is whole: its gzip member decoded completely with a good
//   CRC and length, its block has exactly its declared length and the record
//   separator follows, and its sha1 block digest (else its payload digest),
//   when it has one, matches. Anything else drops the record with a
//   WarcError naming the file, the byte offset of the record (of its gzip
//   member in a `.warc.gz`) and the reason. Reading then goes on at the next
//   gzip member that inflates to a WARC record, or in a plain file at the next
//   line starting "WARC/1."; a record inside a member holding earlier records
//   (a file compressed as one member) ends the file there. In such a member
//   the CRC is known only at its end, so records before damage in it were
//   handed on on the strength of their framing and digests alone.
//   A reader may leave the sha1 check to its caller, to be made on other
//   threads; a record that fails it is given back and dropped with the same
//   error, and reading goes on as if the reader had found it.
// - Digests in other algorithms than sha1 are passed over and counted.
// - Threads: a reader belongs to one thread (WarcRecord::digest_ok() may be
//   called on any). Writers are safe to share
//   between threads and coroutines; each exchange is written whole (each
//   record its own gzip member in a `.warc.gz`) with one write under a lock,
//   and a failed write is cut back so the file keeps only whole records.
//   `WarcArchive::find` may be called from any number of threads at once.
// - Cleanup: files are closed when their reader, writer or lookup ends.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tarvik/fetcher/fetcher.hpp"

namespace tarvik::core {

class WarcError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr std::size_t WARC_DEFAULT_MAX_BLOCK = std::size_t{64} << 20;
// Largest header section of a WARC record, and of an HTTP message, read at all.
inline constexpr std::size_t WARC_MAX_HEADER_BYTES = std::size_t{256} << 10;

// A record's sha1 digest check that its reader left to the caller.
class WarcPendingDigest;

// One record: its WARC header fields in order and its content block.
struct WarcRecord {
  std::uint64_t offset = 0;  // byte offset of the record (of its gzip member) in the file
  Headers fields;            // WARC named fields, names as written
  std::string block;         // the content block, Content-Length bytes
  // Set when the reader left the record's sha1 digest to the caller: the
  // record is whole only once digest_ok().
  std::shared_ptr<const WarcPendingDigest> pending_digest;
  // False when a digest left to the caller does not match the block (the
  // SHA-1 of the block is computed here); true when none was left.
  bool digest_ok() const;
  // The first value of a named field, matched case-insensitively.
  std::optional<std::string> field(std::string_view name) const;
  std::string type() const;        // WARC-Type
  std::string target_uri() const;  // WARC-Target-URI without surrounding "<>"
  std::string date() const;        // WARC-Date
};

// What a reader passed over.
struct WarcReadCounts {
  std::uint64_t damaged = 0;            // records dropped as damaged
  std::uint64_t oversized = 0;          // whole records over the block limit, not read
  std::uint64_t digests_checked = 0;    // records whose digest was checked and matched
  std::uint64_t digests_unchecked = 0;  // records whose digests are in other algorithms
  bool operator==(const WarcReadCounts&) const = default;
};

// Reads the records of one file in order.
class WarcReader {
 public:
  // Throws WarcError when the file cannot be opened. With defer_digests,
  // next() hands a record on without computing its sha1 digest (every other
  // check is made) and sets its pending_digest; the caller checks it with
  // digest_ok(), on any thread, and gives every record that fails to reject().
  explicit WarcReader(const std::filesystem::path& path, std::size_t max_block_bytes = WARC_DEFAULT_MAX_BLOCK,
                      bool defer_digests = false);
  ~WarcReader();
  WarcReader(const WarcReader&) = delete;
  WarcReader& operator=(const WarcReader&) = delete;

  // The next whole record, or none at the end of the file. A record whose
  // block is longer than max_block_bytes is skipped and counted. Throws
  // WarcError ("FILE: offset N: what; record dropped; ...", saying which bytes
  // were skipped) on a damaged record; the next call goes on after it, or
  // returns none when nothing after it can be read.
  std::optional<WarcRecord> next();
  // The same, the block read into `buffer`'s memory (its capacity reused).
  std::optional<WarcRecord> next(std::string&& buffer);
  // For a record of this reader whose digest_ok() is false: what next() would
  // have done had it computed the digest itself. The record is counted as
  // damaged, the error next() would have thrown is returned, and reading goes
  // back to where it would have gone on after it. The records read after it
  // are void: neither use them nor reject them; counts() no longer count
  // them, and next() may read some of them again.
  std::string reject(const WarcPendingDigest& digest);
  std::uint64_t skipped_oversized() const;
  const WarcReadCounts& counts() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// The HTTP message of a `response` record's block: status line, headers (as
// written, in order) and body. A chunked body is de-chunked, and gzip and
// deflate content codings are removed (a body that is not in the declared
// coding is kept as stored); the body is cut at max_body_bytes, and a body cut
// there, shorter than its Content-Length, cut short in the block or damaged
// in its coding is marked truncated.
// LF-only line ends are accepted. Throws WarcError on a block that is not an
// HTTP response, on a header section over WARC_MAX_HEADER_BYTES or 1,000
// fields, on malformed chunk framing and on a coding other than gzip, deflate
// and identity.
HttpResponse parse_http_response(std::string_view block, std::string url,
                                 std::size_t max_body_bytes = WARC_DEFAULT_MAX_BLOCK);
// The same, with the block's memory reused for the body.
HttpResponse parse_http_response(std::string&& block, std::string url,
                                 std::size_t max_body_bytes = WARC_DEFAULT_MAX_BLOCK);
inline HttpResponse parse_http_response(const char* block, std::string url,
                                        std::size_t max_body_bytes = WARC_DEFAULT_MAX_BLOCK) {
  return parse_http_response(std::string_view(block), std::move(url), max_body_bytes);
}

// Appends records to a file; `.gz` at the end of the name writes one gzip
// member per record. The file starts with a `warcinfo` record.
class WarcWriter {
 public:
  // Creates or truncates the file; throws WarcError.
  explicit WarcWriter(const std::filesystem::path& path);
  ~WarcWriter();
  WarcWriter(const WarcWriter&) = delete;
  WarcWriter& operator=(const WarcWriter&) = delete;

  // A `request` and a `response` record for one hop, each naming the other
  // in WARC-Concurrent-To. Every record carries WARC-Block-Digest, the
  // response also WARC-Payload-Digest (sha1, base32). The response is written as the fetcher saw it with
  // its body decoded: content and transfer encodings are removed from its
  // header and Content-Length gives the stored length; a cut body is marked
  // with WARC-Truncated: length. Control characters in header values and in
  // the URL cannot break the record (the URL is stored percent-encoded).
  // Throws WarcError on a write failure (the file keeps only the records
  // before it) or on a status outside 100-999 or a method that is not a
  // token (nothing is written).
  void write_exchange(const HttpRequest& request, const HttpResponse& response);
  // Every exchange reaches the operating system before write_exchange
  // returns; flush asks it to put the file on disk.
  void flush();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// The responses of one or more archives, indexed by method and target URI
// (the last record wins), read on demand.
class WarcArchive {
 public:
  // Reads and indexes the files. The method of a response is that of the
  // request record linked to it by WARC-Concurrent-To (in either direction),
  // else GET. Throws WarcError when a file cannot be opened. Every damaged
  // record is left out of the index and reported through damage(); a damaged
  // response hides earlier records of its URL, so that page is not archived.
  static std::shared_ptr<const WarcArchive> open(const std::vector<std::filesystem::path>& paths);
  ~WarcArchive();

  // The recorded response to `method` on `url` (fragment ignored), or none;
  // also none when the file no longer holds that record. A record stored
  // with WARC-Truncated comes back marked truncated. A lookup in a `.warc.gz`
  // compressed as one member inflates the file up to the record. Throws
  // WarcError naming the URL, file and offset when the record was damaged
  // (when indexed, or since).
  std::optional<HttpResponse> find(std::string_view method, std::string_view url) const;
  std::size_t size() const;
  // One line per damaged record ("FILE: offset N: what; ..."), naming the URL
  // of a response; empty when all were whole.
  const std::vector<std::string>& damage() const;

 private:
  WarcArchive();
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// A URL as a WARC-Target-URI: bytes that cannot appear in a URI (controls,
// space, non-ASCII) percent-encoded, the fragment dropped. Both the writer and
// the archive's lookups use this form, so a URL finds its own record.
std::string warc_target_uri(std::string_view url);

}  // namespace tarvik::core
