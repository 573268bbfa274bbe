// The record layer under WarcReader and WarcArchive: a file's bytes (inflated
// across gzip members when gzipped) cut into WARC record heads and blocks.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tarvik/fetcher/warc.hpp"

namespace tarvik::core::warc_detail {

// Damage found while reading; the parser turns it into a WarcError naming
// the file and the record.
struct Damage {
  std::string what;
};

// The bytes of one file from a start offset, inflated when the bytes there
// begin a gzip member. An error found ahead of what was asked for is kept
// until every byte before it was delivered.
class ByteStream {
 public:
  // Throws WarcError when the file cannot be opened or positioned.
  ByteStream(const std::filesystem::path& path, std::uint64_t start);
  ~ByteStream();
  ByteStream(const ByteStream&) = delete;
  ByteStream& operator=(const ByteStream&) = delete;

  // Up to n bytes into dst; 0 at the end. Throws Damage.
  std::size_t read(char* dst, std::size_t n);
  bool gzipped() const { return gzipped_; }
  // Bytes delivered so far (uncompressed).
  std::uint64_t position() const { return delivered_; }
  // For a byte at uncompressed position pos, at most one parse buffer behind
  // the newest byte read: the file offset of its gzip member and that
  // member's first uncompressed position. Plain files: {pos + start, pos}.
  // Forgets members wholly before pos.
  std::pair<std::uint64_t, std::uint64_t> member_of(std::uint64_t pos);

 private:
  std::size_t fill_input();
  std::size_t read_plain(char* dst, std::size_t n);
  std::size_t read_gzip(char* dst, std::size_t n);

  int fd_ = -1;
  std::uint64_t start_ = 0;
  std::uint64_t file_pos_ = 0;  // file offset of the next byte read from disk
  bool gzipped_ = false;
  bool eof_ = false;
  std::optional<std::string> pending_;  // damage to report once earlier bytes are out
  std::uint64_t delivered_ = 0;
  // gzip state
  z_stream z_{};
  bool z_ready_ = false;
  bool member_open_ = false;
  std::uint64_t member_out_ = 0;  // bytes the open member produced
  std::vector<unsigned char> in_;
  struct Member {
    std::uint64_t file_offset, first_pos;
  };
  std::deque<Member> members_;
};

// A record's header, read; its block is next in the stream.
struct RecordHead {
  std::uint64_t offset = 0;       // of the record, or of its gzip member
  std::uint64_t position = 0;     // uncompressed position of "WARC/"
  std::uint64_t member_pos = 0;   // uncompressed position where its member starts
  Headers fields;
  std::uint64_t length = 0;       // Content-Length
};

class RecordParser {
 public:
  RecordParser(std::filesystem::path path, std::uint64_t start = 0);

  // The next record head, or none at the end. Throws WarcError.
  std::optional<RecordHead> next_head();
  // The current record's block; call once after next_head. Throws WarcError.
  void read_block(std::string& out);
  void skip_block();
  // Discards n bytes from the start (to reach a record inside a gzip member).
  void skip(std::uint64_t n);
  const std::filesystem::path& path() const { return path_; }

 private:
  // At least one byte buffered; false at the end of the stream.
  bool more();
  void consume_block(std::string* out);
  [[noreturn]] void fail(const std::string& what) const;
  [[noreturn]] void fail_at(std::uint64_t offset, std::uint64_t position, std::uint64_t member_pos,
                            const std::string& what) const;

  std::filesystem::path path_;
  ByteStream stream_;
  std::vector<char> buf_;
  std::size_t pos_ = 0, end_ = 0;
  std::uint64_t buf_start_ = 0;  // stream position of buf_[0]
  std::optional<RecordHead> current_;
  std::uint64_t block_left_ = 0;
};

// Case-insensitive ASCII comparison.
bool iequals(std::string_view a, std::string_view b);
std::string_view trim(std::string_view s);
// The value of a named field, or none.
std::optional<std::string> field_value(const Headers& fields, std::string_view name);
std::string shown_path(const std::filesystem::path& path);

}  // namespace tarvik::core::warc_detail
