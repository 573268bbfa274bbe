// Reading WARC files as a stream of records: plain or gzipped (any number of
// members), with damage reported at the record where it begins.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "tarvik/util/text.hpp"
#include "warc_stream.hpp"

namespace tarvik::core {
namespace warc_detail {
namespace {

constexpr std::size_t INPUT_CHUNK = std::size_t{256} << 10;
constexpr std::size_t PARSE_BUFFER = 2 * WARC_MAX_HEADER_BYTES;

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// A hostile value as it may appear in a message: printable ASCII, clipped.
std::string shown(std::string_view value) {
  std::string out;
  for (char c : value.substr(0, 40)) out += (c >= 0x20 && c < 0x7f) ? c : '?';
  if (value.size() > 40) out += "...";
  return out;
}

}  // namespace

bool iequals(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string_view trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

std::optional<std::string> field_value(const Headers& fields, std::string_view name) {
  for (const auto& [key, value] : fields) {
    if (iequals(key, name)) return value;
  }
  return std::nullopt;
}

std::string shown_path(const std::filesystem::path& path) { return text::repair_utf8(path.string()); }

// --- ByteStream ------------------------------------------------------------

ByteStream::ByteStream(const std::filesystem::path& path, std::uint64_t start) : start_(start), in_(INPUT_CHUNK) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) throw WarcError("cannot open " + shown_path(path) + ": " + std::strerror(errno));
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    ::close(fd_);
    throw WarcError("cannot read " + shown_path(path) + ": is a directory");
  }
  if (start > 0 && ::lseek(fd_, static_cast<off_t>(start), SEEK_SET) < 0) {
    const int err = errno;
    ::close(fd_);
    throw WarcError("cannot read " + shown_path(path) + ": " + std::strerror(err));
  }
  file_pos_ = start;
  fill_input();
  if (pending_) {
    ::close(fd_);
    throw WarcError("cannot read " + shown_path(path) + ": " + *pending_);
  }
  gzipped_ = z_.avail_in >= 2 && z_.next_in[0] == 0x1f && z_.next_in[1] == 0x8b;
  if (gzipped_) {
    // 16 + window bits: gzip framing only.
    if (inflateInit2(&z_, 16 + MAX_WBITS) != Z_OK) {
      ::close(fd_);
      throw WarcError("cannot read " + shown_path(path) + ": zlib could not start");
    }
    z_ready_ = true;
  }
}

ByteStream::~ByteStream() {
  if (z_ready_) inflateEnd(&z_);
  if (fd_ >= 0) ::close(fd_);
}

std::size_t ByteStream::fill_input() {
  if (z_.avail_in > 0 || eof_ || pending_) return z_.avail_in;
  for (;;) {
    const ssize_t n = ::read(fd_, in_.data(), in_.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      pending_ = std::string("read error: ") + std::strerror(errno);
      return 0;
    }
    z_.next_in = in_.data();
    z_.avail_in = static_cast<uInt>(n);
    file_pos_ += static_cast<std::uint64_t>(n);
    if (n == 0) eof_ = true;
    return z_.avail_in;
  }
}

std::size_t ByteStream::read(char* dst, std::size_t n) {
  const std::size_t got = gzipped_ ? read_gzip(dst, n) : read_plain(dst, n);
  delivered_ += got;
  if (got == 0 && n > 0 && pending_) throw Damage{*pending_};
  return got;
}

std::size_t ByteStream::read_plain(char* dst, std::size_t n) {
  if (z_.avail_in > 0) {
    const std::size_t k = std::min<std::size_t>(n, z_.avail_in);
    std::memcpy(dst, z_.next_in, k);
    z_.next_in += k;
    z_.avail_in -= static_cast<uInt>(k);
    return k;
  }
  if (eof_ || pending_) return 0;
  for (;;) {
    const ssize_t r = ::read(fd_, dst, n);
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) {
      pending_ = std::string("read error: ") + std::strerror(errno);
      return 0;
    }
    if (r == 0) eof_ = true;
    file_pos_ += static_cast<std::uint64_t>(r);
    return static_cast<std::size_t>(r);
  }
}

std::size_t ByteStream::read_gzip(char* dst, std::size_t n) {
  std::size_t produced = 0;
  while (produced < n && !pending_) {
    if (!member_open_) {
      if (fill_input() == 0) break;  // the end, between members
      const Member m{file_pos_ - z_.avail_in, delivered_ + produced};
      // An empty member holds no record: let the next one take its place.
      if (!members_.empty() && member_out_ == 0) {
        members_.back() = m;
      } else {
        members_.push_back(m);
      }
      // Records are looked up within the parse buffer's reach of the newest
      // byte; members wholly behind that go, so tiny members cannot pile up.
      while (members_.size() >= 2 && members_[1].first_pos + PARSE_BUFFER <= m.first_pos) members_.pop_front();
      inflateReset(&z_);
      member_open_ = true;
      member_out_ = 0;
    }
    if (fill_input() == 0) {
      if (!pending_) pending_ = "gzip data cut short";
      break;
    }
    z_.next_out = reinterpret_cast<Bytef*>(dst + produced);
    z_.avail_out = static_cast<uInt>(std::min<std::size_t>(n - produced, 1U << 30));
    const uInt before = z_.avail_out;
    const int rc = inflate(&z_, Z_NO_FLUSH);
    const std::size_t out = before - z_.avail_out;
    produced += out;
    member_out_ += out;
    if (rc == Z_STREAM_END) {
      member_open_ = false;
    } else if (rc == Z_OK || (rc == Z_BUF_ERROR && z_.avail_in == 0)) {
      continue;
    } else {
      pending_ = std::string("damaged gzip data (") + (z_.msg != nullptr ? z_.msg : "no progress") + ")";
    }
  }
  return produced;
}

std::pair<std::uint64_t, std::uint64_t> ByteStream::member_of(std::uint64_t pos) {
  if (!gzipped_) return {start_ + pos, pos};
  while (members_.size() >= 2 && members_[1].first_pos <= pos) members_.pop_front();
  if (members_.empty()) return {start_, 0};
  return {members_.front().file_offset, members_.front().first_pos};
}

// --- RecordParser ----------------------------------------------------------

RecordParser::RecordParser(std::filesystem::path path, std::uint64_t start)
    : path_(std::move(path)), stream_(path_, start), buf_(PARSE_BUFFER) {}

void RecordParser::fail_at(std::uint64_t offset, std::uint64_t position, std::uint64_t member_pos,
                           const std::string& what) const {
  std::string message = shown_path(path_) + ": offset " + std::to_string(offset);
  if (stream_.gzipped() && position != member_pos) {
    message += " (uncompressed offset " + std::to_string(position) + ")";
  }
  throw WarcError(message + ": " + what);
}

void RecordParser::fail(const std::string& what) const {
  const RecordHead& h = *current_;
  fail_at(h.offset, h.position, h.member_pos, what);
}

bool RecordParser::more() {
  if (pos_ < end_) return true;
  pos_ = end_ = 0;
  buf_start_ = stream_.position();
  try {
    end_ = stream_.read(buf_.data(), buf_.size());
  } catch (const Damage& d) {
    if (!current_) {
      const auto [offset, first] = stream_.member_of(buf_start_);
      fail_at(offset, buf_start_, first, d.what);
    }
    fail(d.what);
  }
  return end_ > 0;
}

std::optional<RecordHead> RecordParser::next_head() {
  if (current_ && block_left_ > 0) skip_block();
  current_.reset();
  // The two line ends closing the previous record, and any stray ones.
  for (;;) {
    if (!more()) return std::nullopt;
    while (pos_ < end_ && (buf_[pos_] == '\r' || buf_[pos_] == '\n')) ++pos_;
    if (pos_ < end_) break;
  }
  RecordHead head;
  head.position = buf_start_ + pos_;
  std::tie(head.offset, head.member_pos) = stream_.member_of(head.position);
  current_ = std::move(head);
  block_left_ = 0;
  RecordHead& h = *current_;

  bool first = true;
  for (;;) {
    // One line, read into the buffer whole.
    std::size_t scanned = pos_;
    const char* nl = nullptr;
    for (;;) {
      nl = static_cast<const char*>(std::memchr(buf_.data() + scanned, '\n', end_ - scanned));
      if (first && end_ - pos_ >= 5 && std::memcmp(buf_.data() + pos_, "WARC/", 5) != 0) {
        fail("not a WARC record (no WARC/1.x line)");
      }
      if (nl != nullptr) break;
      if (buf_start_ + end_ - h.position > WARC_MAX_HEADER_BYTES) {
        fail("record header longer than " + std::to_string(WARC_MAX_HEADER_BYTES >> 10) + " KiB");
      }
      scanned = end_;
      if (pos_ > 0) {  // keep the line at the front, read more behind it
        std::memmove(buf_.data(), buf_.data() + pos_, end_ - pos_);
        buf_start_ += pos_;
        scanned -= pos_;
        end_ -= pos_;
        pos_ = 0;
      }
      std::size_t got = 0;
      try {
        got = stream_.read(buf_.data() + end_, buf_.size() - end_);
      } catch (const Damage& d) {
        fail(d.what);
      }
      if (got == 0) {
        const bool warc = end_ - pos_ >= 5 && std::memcmp(buf_.data() + pos_, "WARC/", 5) == 0;
        fail(first && !warc ? "not a WARC record (no WARC/1.x line)" : "cut short in the record header");
      }
      end_ += got;
    }
    std::string_view line(buf_.data() + pos_, static_cast<std::size_t>(nl - (buf_.data() + pos_)));
    pos_ += line.size() + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (buf_start_ + pos_ - h.position > WARC_MAX_HEADER_BYTES) {
      fail("record header longer than " + std::to_string(WARC_MAX_HEADER_BYTES >> 10) + " KiB");
    }
    if (first) {
      if (line.substr(0, 5) != "WARC/") fail("not a WARC record (no WARC/1.x line)");
      const std::string_view version = line.substr(5);
      const auto dot = version.find('.');
      const bool digits = dot != std::string_view::npos && dot > 0 && dot + 1 < version.size() &&
                          std::all_of(version.begin(), version.end(),
                                      [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
      if (!digits) fail("not a WARC record (version line '" + shown(line) + "')");
      first = false;
      continue;
    }
    if (line.empty()) break;
    if (line.front() == ' ' || line.front() == '\t') {
      if (h.fields.empty()) fail("malformed record header (continuation without a field)");
      const std::string_view more_text = trim(line);
      if (!more_text.empty()) h.fields.back().second.append(" ").append(more_text);
      continue;
    }
    const auto colon = line.find(':');
    const std::string_view name = colon == std::string_view::npos ? std::string_view{} : trim(line.substr(0, colon));
    if (name.empty()) fail("malformed record header line '" + shown(line) + "'");
    h.fields.emplace_back(std::string(name), std::string(trim(line.substr(colon + 1))));
  }

  std::optional<std::uint64_t> length;
  for (const auto& [name, value] : h.fields) {
    if (!iequals(name, "Content-Length")) continue;
    const bool digits = !value.empty() && value.size() <= 19 &&
                        std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits) fail("invalid Content-Length '" + shown(value) + "'");
    const std::uint64_t n = std::stoull(value);
    if (length && *length != n) fail("two different Content-Length fields");
    length = n;
  }
  if (!length) fail("record without Content-Length");
  h.length = *length;
  block_left_ = *length;
  return RecordHead{h.offset, h.position, h.member_pos, std::move(h.fields), h.length};
}

void RecordParser::read_block(std::string& out) {
  consume_block(&out);
}

void RecordParser::skip_block() { consume_block(nullptr); }

// Through the parse buffer: appending from it is cheaper than zero-filling
// the whole block first and reading into it.
void RecordParser::consume_block(std::string* out) {
  const std::uint64_t total = block_left_;
  if (out != nullptr) {
    out->clear();
    out->reserve(total);
  }
  std::uint64_t got = 0;
  while (got < total) {
    if (pos_ == end_ && !more()) {
      fail("cut short: the block has " + std::to_string(got) + " of its " + std::to_string(total) + " bytes");
    }
    const std::size_t k = static_cast<std::size_t>(std::min<std::uint64_t>(end_ - pos_, total - got));
    if (out != nullptr) out->append(buf_.data() + pos_, k);
    pos_ += k;
    got += k;
  }
  block_left_ = 0;
}

void RecordParser::skip(std::uint64_t n) {
  while (n > 0) {
    if (!more()) throw WarcError(shown_path(path_) + ": ends before the record looked for");
    const std::size_t k = static_cast<std::size_t>(std::min<std::uint64_t>(end_ - pos_, n));
    pos_ += k;
    n -= k;
  }
}

}  // namespace warc_detail

// --- WarcRecord and WarcReader ---------------------------------------------

std::optional<std::string> WarcRecord::field(std::string_view name) const {
  return warc_detail::field_value(fields, name);
}

std::string WarcRecord::type() const { return field("WARC-Type").value_or(""); }

std::string WarcRecord::target_uri() const {
  std::string uri = field("WARC-Target-URI").value_or("");
  if (uri.size() >= 2 && uri.front() == '<' && uri.back() == '>') uri = uri.substr(1, uri.size() - 2);
  return uri;
}

std::string WarcRecord::date() const { return field("WARC-Date").value_or(""); }

struct WarcReader::Impl {
  Impl(const std::filesystem::path& path, std::size_t max) : parser(path), max_block(max) {}
  warc_detail::RecordParser parser;
  std::size_t max_block;
  std::uint64_t skipped = 0;
  bool done = false;
};

WarcReader::WarcReader(const std::filesystem::path& path, std::size_t max_block_bytes)
    : impl_(std::make_unique<Impl>(path, max_block_bytes)) {}

WarcReader::~WarcReader() = default;

std::optional<WarcRecord> WarcReader::next() {
  if (impl_->done) return std::nullopt;
  try {
    for (;;) {
      auto head = impl_->parser.next_head();
      if (!head) {
        impl_->done = true;
        return std::nullopt;
      }
      if (head->length > impl_->max_block) {
        impl_->parser.skip_block();
        ++impl_->skipped;
        continue;
      }
      WarcRecord record;
      record.offset = head->offset;
      record.fields = std::move(head->fields);
      impl_->parser.read_block(record.block);
      return record;
    }
  } catch (...) {
    impl_->done = true;
    throw;
  }
}

std::uint64_t WarcReader::skipped_oversized() const { return impl_->skipped; }

}  // namespace tarvik::core
