// Reading WARC files as a stream of checked records: plain or gzipped (any
// number of members), each record handed on only when it is whole, damage
// reported at the record where it begins and reading resumed after it.
#include <fcntl.h>
#include <isa-l/igzip_lib.h>
#include <sys/stat.h>
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
// Compressed bytes offered to a trial inflate of a possible member start.
constexpr std::size_t TRIAL_INPUT = std::size_t{16} << 10;
// Reading again after damage (a rewind, a scan for the next record) may cost
// at most the file's size plus this; a file so damaged that resynchronising
// would cost more is given up on, so hostile files cannot make reading quadratic.
constexpr std::uint64_t RESYNC_SLACK = std::uint64_t{64} << 20;
constexpr std::uint64_t TRIAL_COST = 256;
constexpr std::string_view VERSION_PREFIX = "WARC/1.";

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// A hostile value as it may appear in a message: printable ASCII, clipped.
std::string shown(std::string_view value) {
  std::string out;
  for (char c : value.substr(0, 40)) out += (c >= 0x20 && c < 0x7f) ? c : '?';
  if (value.size() > 40) out += "...";
  return out;
}

std::string isal_error(int rc) {
  switch (rc) {
    case ISAL_INVALID_BLOCK: return "damaged gzip data (invalid deflate block)";
    case ISAL_INVALID_SYMBOL: return "damaged gzip data (invalid deflate symbol)";
    case ISAL_INVALID_LOOKBACK: return "damaged gzip data (invalid distance)";
    case ISAL_INVALID_WRAPPER: return "not a gzip member (bad gzip header)";
    case ISAL_UNSUPPORTED_METHOD: return "not a gzip member (unknown compression method)";
    case ISAL_INCORRECT_CHECKSUM: return "gzip member fails its CRC or length check";
    default: return "damaged gzip data (error " + std::to_string(rc) + ")";
  }
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
  plain_file_ = start;
  fill_input();
  if (pending_) {
    ::close(fd_);
    throw WarcError("cannot read " + shown_path(path) + ": " + *pending_);
  }
  gzipped_ = in_left_ >= 2 && in_next_[0] == 0x1f && in_next_[1] == 0x8b;
  if (gzipped_) {
    z_ = std::make_unique<inflate_state>();
    isal_inflate_init(z_.get());
  }
}

ByteStream::~ByteStream() {
  if (fd_ >= 0) ::close(fd_);
}

std::size_t ByteStream::fill_input() {
  if (in_left_ > 0 || eof_ || pending_) return in_left_;
  for (;;) {
    const ssize_t n = ::read(fd_, in_.data(), in_.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      pending_ = std::string("read error: ") + std::strerror(errno);
      return 0;
    }
    in_next_ = in_.data();
    in_left_ = static_cast<std::size_t>(n);
    file_pos_ += static_cast<std::uint64_t>(n);
    if (n == 0) eof_ = true;
    return in_left_;
  }
}

std::size_t ByteStream::read(char* dst, std::size_t n) {
  const std::size_t got = gzipped_ ? read_gzip(dst, n, false) : read_plain(dst, n);
  delivered_ += got;
  if (got == 0 && n > 0 && pending_) throw Damage{*pending_};
  return got;
}

std::size_t ByteStream::read_plain(char* dst, std::size_t n) {
  if (in_left_ > 0) {
    const std::size_t k = std::min(n, in_left_);
    std::memcpy(dst, in_next_, k);
    in_next_ += k;
    in_left_ -= k;
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

std::size_t ByteStream::read_gzip(char* dst, std::size_t n, bool within_member) {
  std::size_t produced = 0;
  if (held_ && n > 0) {
    dst[0] = *held_;
    held_.reset();
    produced = 1;
  }
  while (produced < n && !pending_) {
    if (!member_open_) {
      if (within_member || fill_input() == 0) break;  // the end, between members
      const Member m{file_pos_ - in_left_, delivered_ + produced};
      // An empty member holds no record: let the next one take its place.
      if (!members_.empty() && member_out_ == 0) {
        members_.back() = m;
      } else {
        members_.push_back(m);
      }
      // Records are looked up within the parse buffer's reach of the newest
      // byte; members wholly behind that go, so tiny members cannot pile up.
      while (members_.size() >= 2 && members_[1].first_pos + PARSE_BUFFER <= m.first_pos) members_.pop_front();
      isal_inflate_reset(z_.get());
      z_->crc_flag = ISAL_GZIP;
      member_open_ = true;
      member_out_ = 0;
    }
    if (fill_input() == 0) {
      if (!pending_) pending_ = "gzip member cut short";
      break;
    }
    z_->next_in = const_cast<std::uint8_t*>(in_next_);
    z_->avail_in = static_cast<std::uint32_t>(in_left_);
    z_->next_out = reinterpret_cast<std::uint8_t*>(dst + produced);
    z_->avail_out = static_cast<std::uint32_t>(std::min<std::size_t>(n - produced, std::size_t{1} << 30));
    const std::uint32_t room = z_->avail_out;
    const std::size_t had = in_left_;
    const int rc = isal_inflate(z_.get());
    const std::size_t out = room - z_->avail_out;
    in_next_ = z_->next_in;
    in_left_ = z_->avail_in;
    produced += out;
    member_out_ += out;
    if (rc < 0 || rc == ISAL_NEED_DICT) {
      pending_ = isal_error(rc);
    } else if (z_->block_state == ISAL_BLOCK_FINISH) {
      member_open_ = false;
    } else if (out == 0 && in_left_ == had) {
      pending_ = "damaged gzip data (no progress)";
    }
  }
  return produced;
}

void ByteStream::settle() {
  if (!gzipped_ || held_) return;
  // Damage already found belongs to the last byte's member only when that
  // member produced bytes; else it is the next member's, reported with it.
  if (!member_open_ || member_out_ == 0) return;
  if (!pending_) {
    char c = 0;
    if (read_gzip(&c, 1, true) == 1) {
      held_ = c;
      return;
    }
  }
  if (pending_ && member_open_) throw Damage{*pending_};
}

void ByteStream::restart_at(std::uint64_t offset) {
  if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) {
    pending_ = std::string("read error: ") + std::strerror(errno);
    return;
  }
  file_pos_ = offset;
  in_left_ = 0;
  eof_ = false;
  pending_.reset();
  held_.reset();
  member_open_ = false;
  member_out_ = 0;
  members_.clear();
  plain_file_ = offset;
  plain_pos_ = delivered_;
}

void ByteStream::rewind_counts(std::uint64_t delivered, std::uint64_t read_offset) {
  delivered_ = delivered;
  file_pos_ = read_offset;
}

std::uint64_t ByteStream::file_size() const {
  struct stat st {};
  if (::fstat(fd_, &st) != 0) return file_pos_;
  return static_cast<std::uint64_t>(st.st_size);
}

std::optional<std::uint64_t> ByteStream::find_member(std::uint64_t from, std::uint64_t& budget) {
  const std::uint64_t size = file_size();
  std::vector<unsigned char> buf(INPUT_CHUNK + TRIAL_INPUT);
  auto trial = std::make_unique<inflate_state>();
  std::uint64_t at = from;
  while (at + 3 <= size) {
    ssize_t n = 0;
    do {
      n = ::pread(fd_, buf.data(), buf.size(), static_cast<off_t>(at));
    } while (n < 0 && errno == EINTR);
    if (n < 3) return std::nullopt;
    const auto len = static_cast<std::size_t>(n);
    // Candidates are looked at in the first INPUT_CHUNK bytes; the rest is
    // the trial input of those near its end.
    const std::size_t scan = len == buf.size() ? INPUT_CHUNK : len - 2;
    for (std::size_t i = 0; i < scan; ++i) {
      if (buf[i] != 0x1f || buf[i + 1] != 0x8b || buf[i + 2] != 8) continue;
      // Paid for: the bytes scanned up to here and the trial.
      if (budget < i + TRIAL_COST) return std::nullopt;
      isal_inflate_init(trial.get());
      trial->crc_flag = ISAL_GZIP;
      char out[VERSION_PREFIX.size()];
      trial->next_in = buf.data() + i;
      trial->avail_in = static_cast<std::uint32_t>(std::min(len - i, TRIAL_INPUT));
      trial->next_out = reinterpret_cast<std::uint8_t*>(out);
      trial->avail_out = sizeof out;
      const int rc = isal_inflate(trial.get());
      if (rc >= 0 && trial->avail_out == 0 && std::memcmp(out, VERSION_PREFIX.data(), sizeof out) == 0) {
        budget -= i;
        return at + i;
      }
      budget -= TRIAL_COST;
    }
    if (budget < scan) return std::nullopt;
    budget -= scan;
    at += scan;
  }
  return std::nullopt;
}

std::pair<std::uint64_t, std::uint64_t> ByteStream::member_of(std::uint64_t pos) {
  if (!gzipped_) return {plain_file_ + (pos - plain_pos_), pos};
  while (members_.size() >= 2 && members_[1].first_pos <= pos) members_.pop_front();
  if (members_.empty()) return {start_, 0};
  return {members_.front().file_offset, members_.front().first_pos};
}

// --- RecordParser ----------------------------------------------------------

RecordParser::RecordParser(std::filesystem::path path, std::uint64_t start)
    : path_(std::move(path)), stream_(path_, start), buf_(PARSE_BUFFER) {}

RecordParser::~RecordParser() = default;

std::string RecordParser::damage_line(std::uint64_t offset, std::uint64_t position, std::uint64_t member_pos,
                                      const std::string& what) {
  std::string message = shown_path(path_) + ": offset " + std::to_string(offset);
  if (stream_.gzipped() && position != member_pos) {
    message += " (uncompressed offset " + std::to_string(position) + ")";
  }
  damaged_offset_ = offset;
  damaged_inside_member_ = stream_.gzipped() && position != member_pos;
  need_resync_ = true;
  return message + ": " + what;
}

void RecordParser::fail_at(std::uint64_t offset, std::uint64_t position, std::uint64_t member_pos,
                           const std::string& what) {
  throw WarcError(damage_line(offset, position, member_pos, what));
}

void RecordParser::fail(const std::string& what) {
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
  if (need_resync_) resync();
  if (finished_) return std::nullopt;
  if (current_ && block_left_ > 0) skip_block();
  current_.reset();
  // Stray line ends between records.
  for (;;) {
    if (!more()) {
      finished_ = true;
      return std::nullopt;
    }
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
  return RecordHead{h.offset, h.position, h.member_pos, h.fields, h.length};
}

DigestCheck RecordParser::read_block(std::string& out, DigestPlan* unchecked) { return consume_block(&out, unchecked); }

DigestCheck RecordParser::skip_block() { return consume_block(nullptr, nullptr); }

RecordParser::Mark RecordParser::mark() const {
  return Mark{current_->offset, current_->position, current_->member_pos, stream_.position(), stream_.read_offset(),
              resync_budget_};
}

std::string RecordParser::reject(const Mark& m, const std::string& what) {
  stream_.rewind_counts(m.delivered, m.read_offset);
  resync_budget_ = m.resync_budget;
  finished_ = false;
  current_.reset();
  block_left_ = 0;
  const std::string line = damage_line(m.offset, m.position, m.member_pos, what);
  return line + "; " + resync();
}

std::string DigestPlan::mismatch() const {
  return std::string(block ? "WARC-Block-Digest" : "WARC-Payload-Digest") + " '" +
         shown(block ? block_field : payload_field) + "' does not match the " + (block ? "block" : "payload");
}

namespace {

bool is_sha1(const std::string& algorithm) { return algorithm == "sha1" || algorithm == "sha-1"; }

// The block digest covers every byte of the block, so when it is sha1 it is
// the one checked; a payload digest is checked on records without one.
DigestPlan plan_digests(const Headers& fields) {
  DigestPlan plan;
  const auto consider = [&](std::string_view name, std::optional<DigestValue>& slot, std::string& text) {
    const auto value = field_value(fields, name);
    if (!value) return;
    text = *value;
    auto parsed = parse_digest(*value);
    if (!parsed || !is_sha1(parsed->algorithm)) {
      plan.unknown = true;
      return;
    }
    // A sha1 value that cannot be read is checked, and fails.
    slot = std::move(*parsed);
  };
  consider("WARC-Block-Digest", plan.block, plan.block_field);
  if (plan.block) return plan;
  const std::string type = field_value(fields, "WARC-Type").value_or("");
  // A revisit's payload digest names the payload of another record.
  if (iequals(type, "response") || iequals(type, "resource")) {
    consider("WARC-Payload-Digest", plan.payload, plan.payload_field);
    plan.payload_after_http_head = iequals(type, "response");
  }
  return plan;
}

}  // namespace

// Through the parse buffer: appending from it is cheaper than zero-filling
// the whole block first and reading into it.
DigestCheck RecordParser::consume_block(std::string* out, DigestPlan* unchecked) {
  const std::uint64_t total = block_left_;
  if (out != nullptr) {
    out->clear();
    out->reserve(total);
  }
  DigestPlan plan = plan_digests(current_->fields);
  std::optional<DigestHash> hash;
  if (plan.has_sha1() && unchecked == nullptr) hash.emplace(plan);
  std::uint64_t got = 0;
  while (got < total) {
    if (pos_ == end_ && !more()) {
      fail("cut short: the block has " + std::to_string(got) + " of its " + std::to_string(total) + " bytes");
    }
    const std::size_t k = static_cast<std::size_t>(std::min<std::uint64_t>(end_ - pos_, total - got));
    const char* data = buf_.data() + pos_;
    if (out != nullptr) out->append(data, k);
    if (hash) hash->update(data, k);
    pos_ += k;
    got += k;
  }
  block_left_ = 0;
  expect_separator();
  DigestCheck check = plan.unknown ? DigestCheck::UNKNOWN_ALGORITHM : DigestCheck::NONE;
  if (plan.has_sha1()) {
    if (hash && !plan.matches(hash->finish())) fail(plan.mismatch());
    if (check == DigestCheck::NONE) check = DigestCheck::MATCHED;
  }
  if (unchecked != nullptr) *unchecked = std::move(plan);
  return check;
}

void RecordParser::expect_separator() {
  const auto next_byte = [this]() -> int {
    if (pos_ == end_ && !more()) return -1;
    return static_cast<unsigned char>(buf_[pos_++]);
  };
  const int c = next_byte();
  bool ok = false;
  if (c == '\r') {
    ok = next_byte() == '\n' && next_byte() == '\r' && next_byte() == '\n';
  } else if (c == '\n') {
    ok = next_byte() == '\n';
  }
  if (!ok) {
    fail(c < 0 ? "cut short: no record separator after the block"
               : "the block is not followed by the record separator (wrong Content-Length?)");
  }
  // A record ending its gzip member is whole only once the member's CRC and
  // length are checked; bytes read beyond it already prove that.
  if (stream_.gzipped() && pos_ == end_) {
    try {
      stream_.settle();
    } catch (const Damage& d) {
      fail(d.what);
    }
  }
}

void RecordParser::skip(std::uint64_t n) {
  while (n > 0) {
    if (!more()) throw WarcError(shown_path(path_) + ": ends before the record looked for");
    const std::size_t k = static_cast<std::size_t>(std::min<std::uint64_t>(end_ - pos_, n));
    pos_ += k;
    n -= k;
  }
}

std::string RecordParser::resync() {
  need_resync_ = false;
  current_.reset();
  block_left_ = 0;
  pos_ = end_ = 0;
  buf_start_ = stream_.position();
  const std::uint64_t size = stream_.file_size();
  if (!resync_budget_) resync_budget_ = size + RESYNC_SLACK;
  std::uint64_t& budget = *resync_budget_;
  const std::uint64_t from = damaged_offset_ + 1;
  const auto give_up = [&](const std::string& why) {
    finished_ = true;
    if (damaged_inside_member_) return "record dropped; " + why;
    return "record dropped; " + why + " (bytes " + std::to_string(damaged_offset_) + "-" + std::to_string(size) +
           " not read)";
  };
  if (finished_) return give_up("reading of this file stops");
  // Going back over bytes already decoded is paid for like scanning them
  // (the read-ahead of one input chunk is free).
  const auto charge_rewind = [&](std::uint64_t to) {
    const std::uint64_t ahead = stream_.read_offset();
    const std::uint64_t back = ahead > to + INPUT_CHUNK ? ahead - to - INPUT_CHUNK : 0;
    budget = budget > back ? budget - back : 0;
  };
  const auto found = [&](std::uint64_t at) {
    return "record dropped; reading again at offset " + std::to_string(at) + " (bytes " +
           std::to_string(damaged_offset_) + "-" + std::to_string(at) + " skipped)";
  };
  if (stream_.gzipped()) {
    if (damaged_inside_member_) return give_up("its gzip member holds earlier records, so nothing after it in the file can be read");
    const auto next = stream_.find_member(from, budget);
    if (next) charge_rewind(*next);
    if (!next || budget == 0) {
      return give_up(budget == 0 ? "too much damage to read on" : "no later gzip member starts a record");
    }
    stream_.restart_at(*next);
    buf_start_ = stream_.position();
    return found(*next);
  }
  // Plain: the next line that starts with the version prefix.
  charge_rewind(from);
  if (budget == 0) return give_up("too much damage to read on");
  stream_.restart_at(from);
  buf_start_ = stream_.position();
  std::string needle(1, '\n');
  needle += VERSION_PREFIX;
  for (;;) {
    if (end_ - pos_ < needle.size()) {
      std::memmove(buf_.data(), buf_.data() + pos_, end_ - pos_);
      buf_start_ += pos_;
      end_ -= pos_;
      pos_ = 0;
      std::size_t got = 0;
      try {
        got = stream_.read(buf_.data() + end_, buf_.size() - end_);
      } catch (const Damage&) {
        return give_up("the file cannot be read further");
      }
      if (got == 0) return give_up("no later record in the file");
      if (budget < got) return give_up("too much damage to read on");
      budget -= got;
      end_ += got;
      continue;
    }
    const char* hit = static_cast<const char*>(
        memmem(buf_.data() + pos_, end_ - pos_, needle.data(), needle.size()));
    if (hit != nullptr) {
      pos_ = static_cast<std::size_t>(hit - buf_.data()) + 1;
      return found(stream_.member_of(buf_start_ + pos_).first);
    }
    pos_ = end_ - (needle.size() - 1);
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

// What a reader that left a record's digest to its caller needs to drop the
// record later as if it had found the mismatch itself.
class WarcPendingDigest {
 public:
  const void* reader = nullptr;  // the WarcReader::Impl that read the record
  warc_detail::DigestPlan plan;
  warc_detail::RecordParser::Mark mark;
  WarcReadCounts counts;  // before the record was counted
};

bool WarcRecord::digest_ok() const {
  if (!pending_digest) return true;
  warc_detail::DigestHash hash(pending_digest->plan);
  hash.update(block.data(), block.size());
  return pending_digest->plan.matches(hash.finish());
}

struct WarcReader::Impl {
  Impl(const std::filesystem::path& path, std::size_t max, bool defer) : parser(path), max_block(max), defer(defer) {}
  warc_detail::RecordParser parser;
  std::size_t max_block;
  bool defer;
  WarcReadCounts counts;
};

WarcReader::WarcReader(const std::filesystem::path& path, std::size_t max_block_bytes, bool defer_digests)
    : impl_(std::make_unique<Impl>(path, max_block_bytes, defer_digests)) {}

WarcReader::~WarcReader() = default;

std::optional<WarcRecord> WarcReader::next() { return next(std::string()); }

std::optional<WarcRecord> WarcReader::next(std::string&& buffer) {
  auto& parser = impl_->parser;
  WarcReadCounts& counts = impl_->counts;
  const auto count = [&](warc_detail::DigestCheck check) {
    if (check == warc_detail::DigestCheck::MATCHED) ++counts.digests_checked;
    if (check == warc_detail::DigestCheck::UNKNOWN_ALGORITHM) ++counts.digests_unchecked;
  };
  try {
    for (;;) {
      auto head = parser.next_head();
      if (!head) return std::nullopt;
      if (head->length > impl_->max_block) {
        count(parser.skip_block());
        ++counts.oversized;
        continue;
      }
      WarcRecord record;
      record.offset = head->offset;
      record.fields = std::move(head->fields);
      record.block = std::move(buffer);
      if (!impl_->defer) {
        count(parser.read_block(record.block));
        return record;
      }
      auto pending = std::make_shared<WarcPendingDigest>();
      const warc_detail::DigestCheck check = parser.read_block(record.block, &pending->plan);
      if (pending->plan.has_sha1()) {
        pending->reader = impl_.get();
        pending->mark = parser.mark();
        pending->counts = counts;
        record.pending_digest = std::move(pending);
      }
      count(check);
      return record;
    }
  } catch (const WarcError& e) {
    ++counts.damaged;
    throw WarcError(std::string(e.what()) + "; " + parser.resync());
  }
}

std::string WarcReader::reject(const WarcPendingDigest& digest) {
  if (digest.reader != impl_.get()) throw std::logic_error("WarcReader::reject: a record of another reader");
  impl_->counts = digest.counts;
  ++impl_->counts.damaged;
  return impl_->parser.reject(digest.mark, digest.plan.mismatch());
}

std::uint64_t WarcReader::skipped_oversized() const { return impl_->counts.oversized; }

const WarcReadCounts& WarcReader::counts() const { return impl_->counts; }

}  // namespace tarvik::core
