// Writing exchanges as WARC request/response record pairs, each record its own
// gzip member when the file name ends in .gz.
#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <boost/uuid/random_generator.hpp>
#include <boost/uuid/uuid_io.hpp>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <mutex>
#include <string>

#include "tarvik/fetcher/warc.hpp"
#include "tarvik/util/text.hpp"
#include "warc_stream.hpp"

namespace tarvik::core {
namespace {

using warc_detail::iequals;
using warc_detail::shown_path;

std::string_view reason_phrase(long status) {
  switch (status) {
    case 100: return "Continue";
    case 101: return "Switching Protocols";
    case 200: return "OK";
    case 201: return "Created";
    case 202: return "Accepted";
    case 203: return "Non-Authoritative Information";
    case 204: return "No Content";
    case 206: return "Partial Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 303: return "See Other";
    case 304: return "Not Modified";
    case 307: return "Temporary Redirect";
    case 308: return "Permanent Redirect";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 408: return "Request Timeout";
    case 410: return "Gone";
    case 429: return "Too Many Requests";
    case 500: return "Internal Server Error";
    case 502: return "Bad Gateway";
    case 503: return "Service Unavailable";
    case 504: return "Gateway Timeout";
    default: return "Status";
  }
}

bool is_token(std::string_view s) {
  if (s.empty()) return false;
  for (const char c : s) {
    const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                    std::strchr("!#$%&'*+-.^_`|~", c) != nullptr;
    if (!ok || c == '\0') return false;
  }
  return true;
}

// A header value on one line: line breaks and other controls become spaces.
void append_value(std::string& out, std::string_view value) {
  for (const char c : value) out += (static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7f ? ' ' : c;
}

void append_headers(std::string& out, const Headers& headers, bool drop_framing) {
  for (const auto& [name, value] : headers) {
    if (!is_token(name)) continue;  // cannot be written as a field name
    if (drop_framing && (iequals(name, "Content-Encoding") || iequals(name, "Transfer-Encoding") ||
                         iequals(name, "Content-Length"))) {
      continue;
    }
    out.append(name).append(": ");
    append_value(out, value);
    out.append("\r\n");
  }
}

// Host and request target of an absolute URL.
std::pair<std::string, std::string> host_and_target(std::string_view uri) {
  const std::size_t scheme = uri.find("://");
  if (scheme == std::string_view::npos) return {"", std::string(uri.empty() ? "/" : uri)};
  const std::string_view rest = uri.substr(scheme + 3);
  const std::size_t end = std::min(rest.find_first_of("/?"), rest.size());
  std::string_view authority = rest.substr(0, end);
  if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos) authority.remove_prefix(at + 1);
  const std::string_view path = rest.substr(end);
  std::string target = path.empty() || path.front() == '?' ? "/" : "";
  target.append(path);
  return {std::string(authority), target};
}

std::string warc_date() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm tm{};
  gmtime_r(&now, &tm);
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%SZ", &tm);
  return buf;
}

bool is_ip_text(std::string_view ip) {
  return !ip.empty() && ip.size() <= 64 && ip.find_first_not_of("0123456789abcdefABCDEF:.") == std::string_view::npos;
}

}  // namespace

struct WarcWriter::Impl {
  std::mutex mutex;
  std::filesystem::path path;
  int fd = -1;
  bool gzip = false;
  z_stream z{};
  bool z_ready = false;
  std::uint64_t size = 0;  // bytes of whole records in the file
  boost::uuids::random_generator uuids;
  std::string warcinfo_id;

  std::string new_id() { return "<urn:uuid:" + boost::uuids::to_string(uuids()) + ">"; }

  // One record: the named fields, Content-Length, the block and the two line
  // ends that close it; a gzip member of it when writing .gz.
  void append_record(std::string& out, const std::string& fields, std::string_view block) {
    std::string record;
    record.reserve(fields.size() + block.size() + 64);
    record.append("WARC/1.1\r\n").append(fields);
    record.append("WARC-Block-Digest: ").append(warc_detail::sha1_base32(block)).append("\r\n");
    record.append("Content-Length: ").append(std::to_string(block.size())).append("\r\n\r\n");
    record.append(block).append("\r\n\r\n");
    if (!gzip) {
      out.append(record);
      return;
    }
    deflateReset(&z);
    const std::size_t old = out.size();
    out.resize(old + deflateBound(&z, record.size()));
    z.next_in = reinterpret_cast<Bytef*>(record.data());
    z.avail_in = static_cast<uInt>(record.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data() + old);
    z.avail_out = static_cast<uInt>(out.size() - old);
    const int rc = deflate(&z, Z_FINISH);
    if (rc != Z_STREAM_END) throw WarcError(shown_path(path) + ": gzip compression failed");
    out.resize(out.size() - z.avail_out);
  }

  // Writes whole records; on failure cuts the file back to what it held.
  void write_all(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        const int err = n < 0 ? errno : EIO;
        if (::ftruncate(fd, static_cast<off_t>(size)) == 0) (void)::lseek(fd, static_cast<off_t>(size), SEEK_SET);
        throw WarcError("cannot write " + shown_path(path) + ": " + std::strerror(err));
      }
      done += static_cast<std::size_t>(n);
    }
    size += bytes.size();
  }
};

WarcWriter::WarcWriter(const std::filesystem::path& path) : impl_(std::make_unique<Impl>()) {
  Impl& w = *impl_;
  w.path = path;
  const std::string name = path.filename().string();
  w.gzip = name.size() > 3 && name.compare(name.size() - 3, 3, ".gz") == 0;
  if (w.gzip) {
    if (deflateInit2(&w.z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
      throw WarcError(shown_path(path) + ": zlib could not start");
    }
    w.z_ready = true;
  }
  w.fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (w.fd < 0) {
    const int err = errno;
    if (w.z_ready) deflateEnd(&w.z);
    throw WarcError("cannot create " + shown_path(path) + ": " + std::strerror(err));
  }
  w.warcinfo_id = w.new_id();
  std::string fields = "WARC-Type: warcinfo\r\nWARC-Record-ID: " + w.warcinfo_id + "\r\nWARC-Date: " + warc_date() +
                       "\r\nWARC-Filename: ";
  append_value(fields, text::repair_utf8(name));
  fields += "\r\nContent-Type: application/warc-fields\r\n";
  const std::string info = "software: tarvik-commerce/0.1.0\r\nformat: WARC File Format 1.1\r\n";
  std::string bytes;
  try {
    w.append_record(bytes, fields, info);
    w.write_all(bytes);
  } catch (...) {
    ::close(w.fd);
    if (w.z_ready) deflateEnd(&w.z);
    throw;
  }
}

WarcWriter::~WarcWriter() {
  if (impl_->fd >= 0) ::close(impl_->fd);
  if (impl_->z_ready) deflateEnd(&impl_->z);
}

void WarcWriter::write_exchange(const HttpRequest& request, const HttpResponse& response) {
  if (response.status < 100 || response.status > 999) {
    throw WarcError("status " + std::to_string(response.status) + " cannot be recorded");
  }
  if (!is_token(request.method)) throw WarcError("a request method must be a token");
  const std::string uri = warc_target_uri(request.url.empty() ? response.url : request.url);
  const auto [host, target] = host_and_target(uri);

  std::string request_block = request.method + " " + target + " HTTP/1.1\r\n";
  bool has_host = false;
  for (const auto& h : request.headers) has_host = has_host || iequals(h.first, "Host");
  if (!has_host && !host.empty()) request_block.append("Host: ").append(host).append("\r\n");
  append_headers(request_block, request.headers, false);
  request_block.append("\r\n").append(request.body);

  std::string response_block = "HTTP/1.1 " + std::to_string(response.status) + " ";
  response_block.append(reason_phrase(response.status)).append("\r\n");
  append_headers(response_block, response.headers, true);
  response_block.append("Content-Length: ").append(std::to_string(response.body.size())).append("\r\n\r\n");
  response_block.append(response.body);
  // Hashed before taking the lock: other exchanges need not wait for it.
  const std::string payload_digest = warc_detail::sha1_base32(response.body);

  std::lock_guard lock(impl_->mutex);
  Impl& w = *impl_;
  const std::string request_id = w.new_id();
  const std::string response_id = w.new_id();
  const std::string date = warc_date();
  const auto common = [&](std::string_view type, const std::string& id, const std::string& other) {
    std::string f;
    f.append("WARC-Type: ").append(type).append("\r\nWARC-Record-ID: ").append(id);
    f.append("\r\nWARC-Date: ").append(date).append("\r\nWARC-Target-URI: ").append(uri);
    f.append("\r\nWARC-Concurrent-To: ").append(other).append("\r\nWARC-Warcinfo-ID: ").append(w.warcinfo_id);
    f.append("\r\n");
    return f;
  };
  std::string request_fields = common("request", request_id, response_id);
  request_fields.append("Content-Type: application/http;msgtype=request\r\n");
  std::string response_fields = common("response", response_id, request_id);
  if (is_ip_text(response.remote_ip)) response_fields.append("WARC-IP-Address: ").append(response.remote_ip).append("\r\n");
  if (response.truncated) response_fields.append("WARC-Truncated: length\r\n");
  response_fields.append("WARC-Payload-Digest: ").append(payload_digest).append("\r\n");
  response_fields.append("Content-Type: application/http;msgtype=response\r\n");

  std::string bytes;
  w.append_record(bytes, request_fields, request_block);
  w.append_record(bytes, response_fields, response_block);
  w.write_all(bytes);
}

void WarcWriter::flush() {
  std::lock_guard lock(impl_->mutex);
  if (::fdatasync(impl_->fd) != 0 && errno != EINVAL) {
    throw WarcError("cannot write " + shown_path(impl_->path) + ": " + std::strerror(errno));
  }
}

}  // namespace tarvik::core
