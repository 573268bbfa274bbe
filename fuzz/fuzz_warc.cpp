// libFuzzer target: arbitrary bytes as a WARC file, read record by record,
// indexed for replay and looked up; bytes that are not gzip are read a second
// time gzipped, one member per record, so that mutations of the records reach
// the gzip path too. Any crash, sanitizer report, escaping exception other
// than WarcError, or a reader that does not advance is a finding; so is a
// reader leaving digests to its caller that reads otherwise than one that
// checks them itself.
#include <sys/mman.h>
#include <unistd.h>
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "tarvik/fetcher/warc.hpp"

namespace {

using namespace tarvik::core;

std::string gzip_member(std::string_view data) {
  z_stream z{};
  if (deflateInit2(&z, 1, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) std::abort();
  std::string out(deflateBound(&z, data.size()), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  if (deflate(&z, Z_FINISH) != Z_STREAM_END) std::abort();
  out.resize(out.size() - z.avail_out);
  deflateEnd(&z);
  return out;
}

// One member per record: cut before every "WARC/1." at a line start.
std::string gzip_per_record(std::string_view data) {
  std::string out;
  std::size_t start = 0;
  for (std::size_t at = data.find("\nWARC/1.", 1); at != std::string_view::npos; at = data.find("\nWARC/1.", at + 1)) {
    out += gzip_member(data.substr(start, at + 1 - start));
    start = at + 1;
  }
  out += gzip_member(data.substr(start));
  return out;
}

// The bytes as a file the reader can open by name, without touching the disk.
class MemoryFile {
 public:
  explicit MemoryFile(std::string_view bytes) : fd_(memfd_create("fuzz-warc", 0)) {
    if (fd_ < 0) std::abort();
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
      if (n <= 0) std::abort();
      done += static_cast<std::size_t>(n);
    }
  }
  ~MemoryFile() { ::close(fd_); }
  std::string path() const { return "/proc/self/fd/" + std::to_string(fd_); }

 private:
  int fd_;
};

// Target URIs and errors in order, the digests checked by the caller two
// records late; records read after one that fails are void.
std::vector<std::string> read_deferred(const std::string& path, std::size_t max_calls) {
  std::vector<std::string> out;
  WarcReader reader(path, 1 << 20, true);
  std::deque<std::variant<WarcRecord, std::string>> window;
  for (std::size_t calls = 0; calls < max_calls; ++calls) {
    bool ended = false;
    try {
      auto r = reader.next();
      ended = !r;
      if (r) window.emplace_back(std::move(*r));
    } catch (const WarcError& e) {
      window.emplace_back(e.what());
    }
    if (ended && window.empty()) break;
    if (!ended && window.size() <= 2) continue;
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
  }
  return out;
}

void read_as_file(const std::string& bytes) {
  const MemoryFile file(bytes);

  std::vector<std::string> uris, events;
  try {
    WarcReader reader(file.path(), 1 << 20);
    // Every call either hands on a record, reports one damaged record or
    // ends: more calls than bytes would be a reader that does not advance.
    for (std::size_t calls = 0;; ++calls) {
      if (calls > bytes.size() + 2) std::abort();
      try {
        const auto record = reader.next();
        if (!record) break;
        if (record->block.size() > (1 << 20)) std::abort();
        events.push_back(record->target_uri());
        if (record->type() == "response") {
          uris.push_back(record->target_uri());
          try {
            (void)parse_http_response(record->block, record->target_uri(), 1 << 20);
          } catch (const WarcError&) {
          }
        }
      } catch (const WarcError& e) {
        events.emplace_back(e.what());
      }
    }
  } catch (const WarcError&) {
    return;
  }
  if (read_deferred(file.path(), 3 * (bytes.size() + 3)) != events) std::abort();

  try {
    const auto archive = WarcArchive::open({file.path()});
    for (const auto& uri : uris) {
      try {
        (void)archive->find("GET", uri);
      } catch (const WarcError&) {
      }
    }
  } catch (const WarcError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  read_as_file(bytes);
  if (size < 2 || data[0] != 0x1f || data[1] != 0x8b) read_as_file(gzip_per_record(bytes));
  return 0;
}
