// The HTTP response inside a WARC `response` block, and the URI form shared by
// the writer and lookups.
#include <isa-l/igzip_lib.h>

#include <algorithm>
#include <memory>
#include <cstring>
#include <string>
#include <vector>

#include "tarvik/fetcher/warc.hpp"
#include "warc_stream.hpp"

namespace tarvik::core {
namespace {

using warc_detail::iequals;
using warc_detail::trim;

constexpr std::size_t MAX_HTTP_FIELDS = 1000;
constexpr int MAX_CODINGS = 5;

bool is_hex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// The next line of `text` from `pos` (without its CR LF or LF), or none when
// no line end follows.
std::optional<std::string_view> next_line(std::string_view text, std::size_t& pos) {
  const std::size_t nl = text.find('\n', pos);
  if (nl == std::string_view::npos) return std::nullopt;
  std::string_view line = text.substr(pos, nl - pos);
  pos = nl + 1;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// The data of a chunked body; cut short is marked truncated.
std::string dechunk(std::string_view body, bool& truncated) {
  std::string out;
  std::size_t pos = 0;
  for (;;) {
    const auto line = next_line(body, pos);
    if (!line) {
      truncated = true;
      return out;
    }
    std::size_t digits = 0;
    std::uint64_t size = 0;
    while (digits < line->size() && is_hex((*line)[digits])) {
      if (digits == 15) throw WarcError("malformed chunked body (chunk size too large)");
      const char c = (*line)[digits];
      size = size * 16 + static_cast<std::uint64_t>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
      ++digits;
    }
    const std::string_view rest = trim(line->substr(digits));
    if (digits == 0 || (!rest.empty() && rest.front() != ';')) {
      throw WarcError("malformed chunked body (bad chunk size line)");
    }
    if (size == 0) return out;  // trailers are not kept
    if (size > body.size() - pos) {
      out.append(body.substr(pos));
      truncated = true;
      return out;
    }
    out.append(body.substr(pos, size));
    pos += size;
    if (pos == body.size()) {
      truncated = true;
      return out;
    }
    if (body.compare(pos, 2, "\r\n") == 0) {
      pos += 2;
    } else if (body[pos] == '\n') {
      pos += 1;
    } else {
      throw WarcError("malformed chunked body (no line end after a chunk)");
    }
  }
}

// Removes the codings named in Content-Encoding, last applied first. A coding
// the bytes are not in ends the decoding with the bytes as they are.
void decode_content(HttpResponse& r, std::size_t max) {
  std::vector<std::string> codings;
  for (const auto& [name, value] : r.headers) {
    if (!iequals(name, "Content-Encoding")) continue;
    std::size_t start = 0;
    while (start <= value.size()) {
      const std::size_t comma = std::min(value.find(',', start), value.size());
      std::string token(trim(std::string_view(value).substr(start, comma - start)));
      std::transform(token.begin(), token.end(), token.begin(),
                     [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
      if (!token.empty() && token != "identity") codings.push_back(std::move(token));
      start = comma + 1;
    }
  }
  if (static_cast<int>(codings.size()) > MAX_CODINGS) throw WarcError("more than 5 content codings");
  for (const auto& c : codings) {
    if (c != "gzip" && c != "x-gzip" && c != "deflate") {
      std::string name;
      for (char ch : c.substr(0, 20)) name += (ch > 0x20 && ch < 0x7f) ? ch : '?';
      throw WarcError("content coding '" + name + "' is not supported");
    }
  }
  for (auto it = codings.rbegin(); it != codings.rend(); ++it) {
    const std::string_view body = r.body;
    std::string decoded;
    bool ok = false;
    if (*it == "deflate") {
      // The name says zlib framing; some servers send raw deflate.
      const bool zlib_header = body.size() >= 2 && (static_cast<unsigned char>(body[0]) & 0x0f) == 8 &&
                               ((static_cast<unsigned char>(body[0]) << 8) | static_cast<unsigned char>(body[1])) %
                                       31 ==
                                   0;
      ok = warc_detail::inflate_all(body, zlib_header ? ISAL_ZLIB : ISAL_DEFLATE, max, decoded, r.truncated);
    } else if (body.size() >= 2 && static_cast<unsigned char>(body[0]) == 0x1f &&
               static_cast<unsigned char>(body[1]) == 0x8b) {
      ok = warc_detail::inflate_all(body, ISAL_GZIP, max, decoded, r.truncated);
    }
    if (!ok) return;
    r.body = std::move(decoded);
  }
}

// `owned`, when given, holds the block and lends its memory to the body.
HttpResponse parse(std::string_view block, std::string* owned, std::string url, std::size_t max_body_bytes) {
  HttpResponse r;
  r.url = std::move(url);
  std::size_t pos = 0;
  const auto status_line = next_line(block.substr(0, WARC_MAX_HEADER_BYTES), pos);
  const std::string_view first = status_line ? *status_line : block.substr(0, std::min<std::size_t>(block.size(), 64));
  const std::size_t space = first.find(' ');
  if (first.substr(0, 5) != "HTTP/" || space == std::string_view::npos) {
    throw WarcError("not an HTTP response (no HTTP/x status line)");
  }
  std::string_view code = first.substr(space);
  while (!code.empty() && code.front() == ' ') code.remove_prefix(1);
  if (code.size() < 3 || !std::all_of(code.begin(), code.begin() + 3, [](char c) { return c >= '0' && c <= '9'; }) ||
      code[0] == '0' || (code.size() > 3 && code[3] != ' ')) {
    throw WarcError("not an HTTP response (bad status code)");
  }
  r.status = (code[0] - '0') * 100 + (code[1] - '0') * 10 + (code[2] - '0');
  if (!status_line) return r;  // a status line alone

  for (;;) {
    if (pos > WARC_MAX_HEADER_BYTES) throw WarcError("HTTP header section longer than 256 KiB");
    const auto line = next_line(block.substr(0, WARC_MAX_HEADER_BYTES + 2), pos);
    if (!line) {
      if (block.size() > WARC_MAX_HEADER_BYTES) throw WarcError("HTTP header section longer than 256 KiB");
      pos = block.size();  // headers without the blank line: no body
      break;
    }
    if (line->empty()) break;
    if (line->front() == ' ' || line->front() == '\t') {  // folded onto the previous field
      if (!r.headers.empty() && !trim(*line).empty()) r.headers.back().second.append(" ").append(trim(*line));
      continue;
    }
    const std::size_t colon = line->find(':');
    if (colon == std::string_view::npos || trim(line->substr(0, colon)).empty()) continue;  // not a field
    if (r.headers.size() == MAX_HTTP_FIELDS) throw WarcError("more than 1000 HTTP header fields");
    r.headers.emplace_back(std::string(trim(line->substr(0, colon))), std::string(trim(line->substr(colon + 1))));
  }

  const std::string_view body = block.substr(pos);
  bool chunked = false;
  if (const auto te = r.header("Transfer-Encoding")) {
    std::string_view codings = *te;
    const std::size_t comma = codings.rfind(',');
    if (comma != std::string_view::npos) codings = codings.substr(comma + 1);
    chunked = iequals(trim(codings), "chunked");
  }
  if (!chunked) {
    // A body shorter than the length its header announced was cut.
    if (const auto length = r.header("Content-Length")) {
      const std::string_view digits = trim(*length);
      const bool number = !digits.empty() &&
                          std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
      // Twenty digits and more are beyond any body that fits in memory.
      if (number && (digits.size() > 19 || std::stoull(std::string(digits)) > body.size())) r.truncated = true;
    }
  }
  if (chunked) {
    r.body = dechunk(body, r.truncated);
  } else if (owned != nullptr) {
    const bool over = body.size() > max_body_bytes;
    r.truncated = r.truncated || over;
    r.body = std::move(*owned);  // `block` and `body` end here
    r.body.erase(0, pos);
    if (over) r.body.resize(max_body_bytes);
  } else {
    r.body = std::string(body.substr(0, max_body_bytes));
    if (body.size() > max_body_bytes) r.truncated = true;
  }
  decode_content(r, max_body_bytes);
  if (r.body.size() > max_body_bytes) {
    r.body.resize(max_body_bytes);
    r.truncated = true;
  }
  return r;
}

}  // namespace

namespace warc_detail {

bool inflate_all(std::string_view in, int kind, std::size_t max, std::string& out, bool& truncated) {
  auto z = std::make_unique<inflate_state>();
  isal_inflate_init(z.get());
  z->crc_flag = static_cast<std::uint32_t>(kind);
  z->next_in = reinterpret_cast<std::uint8_t*>(const_cast<char*>(in.data()));
  z->avail_in = static_cast<std::uint32_t>(std::min<std::size_t>(in.size(), std::size_t{1} << 31));
  std::string result;
  bool finished = false;
  bool cut = in.size() > z->avail_in;
  for (;;) {
    if (result.size() >= max) {
      cut = true;
      break;
    }
    const std::size_t room = std::min<std::size_t>({max - result.size(), std::size_t{1} << 20});
    const std::size_t old = result.size();
    result.resize(old + room);
    z->next_out = reinterpret_cast<std::uint8_t*>(result.data() + old);
    z->avail_out = static_cast<std::uint32_t>(room);
    const std::uint32_t had = z->avail_in;
    const int rc = isal_inflate(z.get());
    result.resize(old + room - z->avail_out);
    if (rc < 0 || rc == ISAL_NEED_DICT) break;  // damaged: what came before it stays
    if (z->block_state == ISAL_BLOCK_FINISH) {
      finished = true;
      break;
    }
    if (z->avail_in == 0 || (z->avail_out > 0 && z->avail_in == had)) break;  // the input ended early
  }
  if (!finished && result.empty() && !cut) return false;
  if (!finished) truncated = true;
  out = std::move(result);
  return true;
}

}  // namespace warc_detail

HttpResponse parse_http_response(std::string_view block, std::string url, std::size_t max_body_bytes) {
  return parse(block, nullptr, std::move(url), max_body_bytes);
}

HttpResponse parse_http_response(std::string&& block, std::string url, std::size_t max_body_bytes) {
  return parse(block, &block, std::move(url), max_body_bytes);
}

std::string warc_target_uri(std::string_view url) {
  static constexpr char HEX[] = "0123456789ABCDEF";
  url = url.substr(0, url.find('#'));
  std::string out;
  out.reserve(url.size());
  for (const char ch : url) {
    const auto c = static_cast<unsigned char>(ch);
    if (c <= 0x20 || c >= 0x7f || c == '<' || c == '>' || c == '"') {
      out += '%';
      out += HEX[c >> 4];
      out += HEX[c & 15];
    } else {
      out += ch;
    }
  }
  return out;
}

}  // namespace tarvik::core
