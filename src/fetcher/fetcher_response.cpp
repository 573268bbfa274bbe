// Reading a response inside libcurl's callbacks: status line and headers under
// their cap, the body under its cap, and what the end of a transfer means.
#include <algorithm>
#include <string>
#include <string_view>

#include "fetcher/fetcher_transfer.hpp"

namespace tarvik::core::detail {

namespace {

constexpr std::size_t MAX_RESERVE_BYTES = std::size_t{16} << 20;  // a declared length is only a hint

void reserve_body(Transfer& t) {
  if (t.response.header("Content-Encoding")) return;  // the decoded size is unknown
  const auto length = t.response.header("Content-Length");
  if (!length || length->empty() || length->size() > 19) return;
  std::size_t n = 0;
  for (char c : *length) {
    if (c < '0' || c > '9') return;
    n = n * 10 + static_cast<std::size_t>(c - '0');
  }
  t.response.body.reserve(std::min({n, t.max_body, MAX_RESERVE_BYTES}));
}

}  // namespace

size_t on_response_header(char* bytes, size_t size, size_t count, void* data) {
  auto* t = static_cast<Transfer*>(data);
  const size_t length = size * count;
  t->header_bytes += length;
  if (t->header_bytes > MAX_HEADER_BYTES) {
    t->header_overflow = true;
    return 0;
  }
  try {
    const std::string_view line = trim_ascii(std::string_view(bytes, length));
    if (line.size() >= 5 && line.substr(0, 5) == "HTTP/") {
      // A new response (interim 1xx responses come first): its own headers.
      t->response.headers.clear();
      t->pending_status = 0;
      const auto space = line.find(' ');
      if (space != std::string_view::npos) {
        for (std::size_t i = space + 1; i < line.size() && i < space + 4 && line[i] >= '0' && line[i] <= '9'; ++i) {
          t->pending_status = t->pending_status * 10 + (line[i] - '0');
        }
      }
      return length;
    }
    if (line.empty()) {
      if (t->pending_status >= 100 && t->pending_status < 200) return length;
      t->response.status = t->pending_status;
      if (t->pending_status >= 300 && t->pending_status < 400) {
        t->stopped_after_header = true;
        return 0;
      }
      reserve_body(*t);
      return length;
    }
    const char first = bytes[0];
    if ((first == ' ' || first == '\t') && !t->response.headers.empty()) {
      auto& value = t->response.headers.back().second;
      if (!value.empty()) value += ' ';
      value += line;
      return length;
    }
    const auto colon = line.find(':');
    if (colon == std::string_view::npos) return length;
    t->response.headers.emplace_back(std::string(trim_ascii(line.substr(0, colon))),
                                     std::string(trim_ascii(line.substr(colon + 1))));
    return length;
  } catch (...) {
    t->callback_error = std::current_exception();
    return 0;
  }
}

size_t on_response_body(char* bytes, size_t size, size_t count, void* data) {
  auto* t = static_cast<Transfer*>(data);
  const size_t length = size * count;
  try {
    auto& body = t->response.body;
    if (length > t->max_body - body.size()) {
      body.append(bytes, t->max_body - body.size());
      t->response.truncated = true;
      return 0;
    }
    body.append(bytes, length);
    return length;
  } catch (...) {
    t->callback_error = std::current_exception();
    return 0;
  }
}

std::exception_ptr transfer_error(const Transfer& t, CURLcode code) {
  const bool cut_on_purpose = code == CURLE_WRITE_ERROR && (t.stopped_after_header || t.response.truncated);
  if (t.callback_error) return t.callback_error;
  if (!t.refused_address.empty() && code != CURLE_OK) {
    return std::make_exception_ptr(
        FetchError(t.hop.url + ": refused to connect to " + t.refused_address + ", not a public address"));
  }
  if (t.header_overflow) return std::make_exception_ptr(FetchError(t.hop.url + ": response header over 256 KiB"));
  if (code != CURLE_OK && !cut_on_purpose) {
    std::string what = curl_easy_strerror(code);
    if (t.error[0]) what += std::string(" (") + t.error + ")";
    return std::make_exception_ptr(FetchError(t.hop.url + ": " + what));
  }
  if (t.response.status < 100) return std::make_exception_ptr(FetchError(t.hop.url + ": no valid HTTP status"));
  return nullptr;
}

}  // namespace tarvik::core::detail
