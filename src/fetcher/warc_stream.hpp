// The record layer under WarcReader and WarcArchive: a file's bytes (inflated
// across gzip members when gzipped) cut into checked WARC records, with a way
// back onto the next sound record after damage.
#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tarvik/fetcher/warc.hpp"

struct inflate_state;

namespace tarvik::core::warc_detail {

// Damage found while reading; the parser turns it into a WarcError naming
// the file and the record.
struct Damage {
  std::string what;
};

// The bytes of one file from a start offset, inflated when the bytes there
// begin a gzip member. Bytes come out in order and only ever from a member
// that decoded soundly so far: damage stops the flow, and is raised once
// every byte before it was delivered.
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
  // With every delivered byte consumed: when the member that produced the
  // last byte ends there, reads its trailer so that its CRC and length are
  // checked (throws Damage when they fail); when it goes on, keeps its next
  // byte for the following read. Plain files: nothing to do.
  void settle();
  // Reading goes on from file offset `offset` (a member start in a gzip
  // file); uncompressed positions keep counting up from position().
  void restart_at(std::uint64_t offset);
  // Back to the counts of an earlier moment: `delivered` bytes out, the file
  // read to `read_offset`. Only restart_at() may follow.
  void rewind_counts(std::uint64_t delivered, std::uint64_t read_offset);
  // The file offset of the first gzip member at or after `from` whose data
  // inflates to a WARC version line, or none. The bytes scanned and the trial
  // inflates are taken from `budget`; none when it runs out.
  std::optional<std::uint64_t> find_member(std::uint64_t from, std::uint64_t& budget);
  std::uint64_t file_size() const;
  // File offset up to which bytes were read from disk.
  std::uint64_t read_offset() const { return file_pos_; }

 private:
  std::size_t fill_input();
  std::size_t read_plain(char* dst, std::size_t n);
  std::size_t read_gzip(char* dst, std::size_t n, bool within_member);
  void begin_member();

  int fd_ = -1;
  std::uint64_t start_ = 0;
  std::uint64_t file_pos_ = 0;  // file offset of the next byte read from disk
  bool gzipped_ = false;
  bool eof_ = false;
  std::optional<std::string> pending_;  // damage to report once earlier bytes are out
  std::uint64_t delivered_ = 0;
  // Plain files: the file offset of uncompressed position plain_pos_.
  std::uint64_t plain_file_ = 0;
  std::uint64_t plain_pos_ = 0;
  std::vector<unsigned char> in_;
  const unsigned char* in_next_ = nullptr;
  std::size_t in_left_ = 0;
  // gzip state
  std::unique_ptr<inflate_state> z_;
  bool member_open_ = false;
  std::uint64_t member_out_ = 0;  // bytes the open member produced
  std::optional<char> held_;      // a byte read ahead by settle()
  struct Member {
    std::uint64_t file_offset, first_pos;
  };
  std::deque<Member> members_;
};

// A digest of `data` in the form crawl tools write: "sha1:" and 32 base32 letters.
std::string sha1_base32(std::string_view data);
// A streaming SHA-1.
class Sha1 {
 public:
  Sha1();
  ~Sha1();
  Sha1(const Sha1&) = delete;
  Sha1& operator=(const Sha1&) = delete;
  void update(const char* data, std::size_t n);
  // The 20 digest bytes; the object is then spent.
  std::string finish();

 private:
  void* ctx_;
};

// A record's header, read; its block is next in the stream.
struct RecordHead {
  std::uint64_t offset = 0;       // of the record, or of its gzip member
  std::uint64_t position = 0;     // uncompressed position of "WARC/"
  std::uint64_t member_pos = 0;   // uncompressed position where its member starts
  Headers fields;
  std::uint64_t length = 0;       // Content-Length
};

// A digest named in a record header, as checked.
enum class DigestCheck { NONE, MATCHED, UNKNOWN_ALGORITHM };

// The parsed form of a digest field value ("ALGORITHM:VALUE", the value in
// base32 or hex): the algorithm (lower case) and the raw digest bytes (empty
// when the value cannot be read).
struct DigestValue {
  std::string algorithm;
  std::string bytes;
};

// What a record's digest fields ask to be checked: its sha1 block digest,
// else (responses and resources) its sha1 payload digest.
struct DigestPlan {
  std::optional<DigestValue> block, payload;
  bool payload_after_http_head = false;
  bool unknown = false;  // a digest in another algorithm was passed over
  std::string block_field, payload_field;

  bool has_sha1() const { return block || payload; }
  // Whether `computed` (a DigestHash's result) is the one the record names.
  bool matches(const std::string& computed) const;
  // Why the record is damaged when it does not match.
  std::string mismatch() const;
};

// SHA-1 over the bytes a plan's digest covers, fed in pieces.
class DigestHash {
 public:
  explicit DigestHash(const DigestPlan& plan);
  void update(const char* data, std::size_t n);
  std::string finish();

 private:
  // A payload digest of a response starts after the HTTP header section:
  // the first empty line (CR LF or LF alone).
  bool in_payload_;
  std::size_t line_length_ = 0;
  Sha1 sha_;
};

class RecordParser {
 public:
  RecordParser(std::filesystem::path path, std::uint64_t start = 0);
  ~RecordParser();

  // The next record head, or none at the end. Throws WarcError on damage;
  // resync() then finds the next sound record.
  std::optional<RecordHead> next_head();
  // The current record's block, then its closing line ends; call once after
  // next_head. The record is whole only when this returns: the block has
  // its declared length, the separator follows, its gzip member checked out
  // and its digests (when given) match. Throws WarcError otherwise.
  // With `unchecked`, the sha1 digest is not computed but its plan left
  // there; the result is then what it would be if it matched.
  DigestCheck read_block(std::string& out, DigestPlan* unchecked = nullptr);
  DigestCheck skip_block();
  // Where reading stands right after read_block(): what reject() needs.
  struct Mark {
    std::uint64_t offset = 0, position = 0, member_pos = 0;  // of the record
    std::uint64_t delivered = 0, read_offset = 0;             // of the stream
    std::optional<std::uint64_t> resync_budget;
  };
  Mark mark() const;
  // Damage (`what`) found later in the record read when `m` was taken:
  // reading goes back to that moment, and on as if read_block() had thrown
  // then. Returns what next_head() and resync() would have said, joined.
  std::string reject(const Mark& m, const std::string& what);
  // Discards n bytes from the start (to reach a record inside a gzip member).
  void skip(std::uint64_t n);
  // After a WarcError: moves to the next place a record may begin (the next
  // gzip member that inflates to "WARC/1." in a gzip file, the next line
  // starting "WARC/1." in a plain one). Returns what was skipped, as text for
  // the error line; finished() is true when nothing was found.
  std::string resync();
  bool finished() const { return finished_; }
  const std::filesystem::path& path() const { return path_; }

 private:
  // At least one byte buffered; false at the end of the stream.
  bool more();
  DigestCheck consume_block(std::string* out, DigestPlan* unchecked);
  std::string damage_line(std::uint64_t offset, std::uint64_t position, std::uint64_t member_pos,
                          const std::string& what);
  void expect_separator();
  [[noreturn]] void fail(const std::string& what);
  [[noreturn]] void fail_at(std::uint64_t offset, std::uint64_t position, std::uint64_t member_pos,
                            const std::string& what);

  std::filesystem::path path_;
  ByteStream stream_;
  std::vector<char> buf_;
  std::size_t pos_ = 0, end_ = 0;
  std::uint64_t buf_start_ = 0;  // stream position of buf_[0]
  std::optional<RecordHead> current_;
  std::uint64_t block_left_ = 0;
  std::uint64_t damaged_offset_ = 0;  // file offset of the last damaged record
  bool damaged_inside_member_ = false;  // ... and it began inside a gzip member
  bool need_resync_ = false;
  bool finished_ = false;
  std::optional<std::uint64_t> resync_budget_;
};

// Case-insensitive ASCII comparison.
bool iequals(std::string_view a, std::string_view b);
std::string_view trim(std::string_view s);
// The value of a named field, or none.
std::optional<std::string> field_value(const Headers& fields, std::string_view name);
std::string shown_path(const std::filesystem::path& path);

// A digest field value parsed, or none without an algorithm.
std::optional<DigestValue> parse_digest(std::string_view value);

// Inflates one gzip member, raw deflate or zlib stream (`kind` as
// ISA-L's crc_flag) into at most `max` bytes. Returns false when not even
// the start of `in` is in that format; sets truncated when the data ended
// early, failed its check, or went past max.
bool inflate_all(std::string_view in, int kind, std::size_t max, std::string& out, bool& truncated);

}  // namespace tarvik::core::warc_detail
