// WARC 1.1 archives of HTTP exchanges: writing them while fetching, reading
// them as a stream, and answering requests from them instead of the network.
//
// Guarantees (interface sketch; the implementation states its limits):
// - Reading streams: memory is bounded by the largest record kept (records
//   whose block exceeds the reader's limit are skipped, not loaded), never by
//   the file. Plain `.warc` and `.warc.gz` (one gzip member per record, or one
//   member for the whole file) are both read; the kind is found from the bytes.
// - A file that is not WARC or is cut short gives WarcError naming the file
//   and the byte offset of the bad record; records before it were delivered.
// - Writers are safe to share between threads and coroutines; each record is
//   written whole (and, for .warc.gz, as its own gzip member) under a lock.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tarvik/core/fetcher.hpp"

namespace tarvik::core {

class WarcError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One record: its WARC header fields in order and its content block.
struct WarcRecord {
  std::uint64_t offset = 0;  // byte offset of the record (of its gzip member) in the file
  Headers fields;            // WARC named fields, names as written
  std::string block;         // the content block, Content-Length bytes
  // The first value of a named field, matched case-insensitively.
  std::optional<std::string> field(std::string_view name) const;
  std::string type() const;        // WARC-Type
  std::string target_uri() const;  // WARC-Target-URI without surrounding "<>"
  std::string date() const;        // WARC-Date
};

// Reads the records of one file in order.
class WarcReader {
 public:
  // Throws WarcError when the file cannot be opened.
  explicit WarcReader(const std::filesystem::path& path, std::size_t max_block_bytes = std::size_t{64} << 20);
  ~WarcReader();
  WarcReader(const WarcReader&) = delete;
  WarcReader& operator=(const WarcReader&) = delete;

  // The next record, or none at the end of the file. A record whose block is
  // longer than max_block_bytes is skipped and counted. Throws WarcError.
  std::optional<WarcRecord> next();
  std::uint64_t skipped_oversized() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// The HTTP message of a `response` record's block: status line, headers and
// body (a chunked body is de-chunked). Throws WarcError on a block that is not
// an HTTP response.
HttpResponse parse_http_response(std::string_view block, std::string url);

// Appends records to a file; `.gz` at the end of the name writes one gzip
// member per record. The file starts with a `warcinfo` record.
class WarcWriter {
 public:
  // Creates or truncates the file; throws WarcError.
  explicit WarcWriter(const std::filesystem::path& path);
  ~WarcWriter();
  WarcWriter(const WarcWriter&) = delete;
  WarcWriter& operator=(const WarcWriter&) = delete;

  // A `request` and a `response` record for one hop, the two linked by
  // WARC-Concurrent-To. The response is written as the fetcher saw it with its
  // body decoded: content and transfer encodings are removed from its header
  // and Content-Length gives the stored length; a cut body is marked with
  // WARC-Truncated: length. Throws WarcError on a write failure.
  void write_exchange(const HttpRequest& request, const HttpResponse& response);
  void flush();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// The responses of one or more archives, indexed by method and target URI
// (the last record wins), read on demand.
class WarcArchive {
 public:
  // Reads and indexes the files; throws WarcError (a damaged tail ends the
  // index at the last whole record and is reported through `damage()`).
  static std::shared_ptr<const WarcArchive> open(const std::vector<std::filesystem::path>& paths);
  ~WarcArchive();

  // The recorded response to `method` on `url`, or none.
  std::optional<HttpResponse> find(std::string_view method, std::string_view url) const;
  std::size_t size() const;
  // One line per damaged file ("FILE: offset N: what"), empty when all were whole.
  const std::vector<std::string>& damage() const;

 private:
  WarcArchive();
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace tarvik::core
