// The browser's requests, answered through the project's fetcher.
#include <boost/asio/this_coro.hpp>
#include <boost/json/string.hpp>

#include <array>
#include <exception>

#include "chromium_impl.hpp"
#include "tarvik/util/text.hpp"

namespace tarvik::browser {

namespace detail {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Resource types that reading a document does not need.
bool is_page_resource(std::string_view type) {
  return type == "Image" || type == "Media" || type == "Font" || type == "Stylesheet";
}

bool ieq(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// Request headers that the fetcher sets itself (connection handling, body
// length, the encodings it can decode).
bool fetcher_managed_request_header(std::string_view name) {
  for (std::string_view h : {"host", "connection", "content-length", "accept-encoding", "transfer-encoding",
                             "keep-alive", "proxy-connection", "upgrade", "te", "trailer"})
    if (ieq(name, h)) return true;
  return false;
}

// Response headers that no longer describe the body the fetcher hands over
// (already decoded, whole).
bool stale_response_header(std::string_view name) {
  for (std::string_view h : {"content-encoding", "content-length", "transfer-encoding", "connection", "keep-alive"})
    if (ieq(name, h)) return true;
  return false;
}

bool is_favicon(std::string_view url) {
  const auto query = url.find_first_of("?#");
  const std::string_view path = url.substr(0, query);
  return path.size() >= 12 && path.substr(path.size() - 12) == "/favicon.ico";
}

}  // namespace

std::string base64_encode(std::string_view bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const unsigned v = (static_cast<unsigned char>(bytes[i]) << 16) | (static_cast<unsigned char>(bytes[i + 1]) << 8) |
                       static_cast<unsigned char>(bytes[i + 2]);
    out += kAlphabet[(v >> 18) & 63];
    out += kAlphabet[(v >> 12) & 63];
    out += kAlphabet[(v >> 6) & 63];
    out += kAlphabet[v & 63];
  }
  const std::size_t rest = bytes.size() - i;
  if (rest > 0) {
    unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
    if (rest == 2) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    out += kAlphabet[(v >> 18) & 63];
    out += kAlphabet[(v >> 12) & 63];
    out += rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

std::string base64_decode(std::string_view text) {
  std::array<int, 256> value{};
  value.fill(-1);
  for (int k = 0; k < 64; ++k) value[static_cast<unsigned char>(kAlphabet[k])] = k;
  std::string out;
  out.reserve(text.size() / 4 * 3);
  unsigned acc = 0;
  int bits = 0;
  for (char c : text) {
    const int v = value[static_cast<unsigned char>(c)];
    if (v < 0) continue;
    acc = (acc << 6) | static_cast<unsigned>(v);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      out += static_cast<char>((acc >> bits) & 0xFF);
    }
  }
  return out;
}

Exchange fetcher_exchange(const asio::any_io_executor& executor, const core::FetchOptions& options) {
  auto fetcher = std::make_shared<core::ConcurrentFetcher>(executor, options);
  return [fetcher](core::HttpRequest request, std::chrono::milliseconds timeout) {
    return fetcher->exchange(std::move(request), timeout);
  };
}

}  // namespace detail

asio::awaitable<void> ChromiumSession::Impl::answer(std::shared_ptr<Impl> self, std::shared_ptr<detail::Tab> tab,
                                                    json::object params) {
  const std::string request_id = detail::string_at(params, "requestId");
  const std::string type = detail::string_at(params, "resourceType");
  const json::value* request_value = params.if_contains("request");
  const json::object empty;
  const json::object& request = request_value && request_value->is_object() ? request_value->get_object() : empty;
  const std::string url = detail::string_at(request, "url");
  const bool main_document = type == "Document" && detail::string_at(params, "frameId") == tab->target_id;

  const auto refuse = [&](const char* reason) {
    json::object fail;
    fail["requestId"] = request_id;
    fail["errorReason"] = reason;
    self->cdp->post("Fetch.failRequest", std::move(fail), tab->session_id);
  };
  if ((self->options.session.disable_resources && (detail::is_page_resource(type) || detail::is_favicon(url))) ||
      self->in_flight >= kMaxInterceptedRequests) {
    ++self->stats.requests_refused;
    refuse("BlockedByClient");
    co_return;
  }

  // Counted while being answered: the page settles only when none is open.
  struct Open {
    Impl& impl;
    detail::Tab& tab;
    Open(Impl& i, detail::Tab& t) : impl(i), tab(t) {
      ++impl.in_flight;
      ++tab.in_flight;
      ++tab.requests_started;
    }
    ~Open() {
      --impl.in_flight;
      --tab.in_flight;
      tab.signal();
    }
  } open(*self, *tab);

  core::HttpRequest out;
  out.method = detail::string_at(request, "method");
  if (out.method.empty()) out.method = "GET";
  out.url = url;
  if (const json::value* headers = request.if_contains("headers"); headers && headers->is_object()) {
    for (const auto& header : headers->get_object()) {
      if (!header.value().is_string() || detail::fetcher_managed_request_header(header.key())) continue;
      out.headers.emplace_back(std::string(header.key()), std::string(header.value().get_string()));
    }
  }
  if (const json::value* entries = request.if_contains("postDataEntries"); entries && entries->is_array()) {
    for (const auto& entry : entries->get_array())
      if (entry.is_object()) out.body += detail::base64_decode(detail::string_at(entry.get_object(), "bytes"));
  } else {
    out.body = detail::string_at(request, "postData");
  }
  if (main_document) tab->main_error.clear();

  std::optional<core::HttpResponse> response;
  std::string error;
  try {
    response = co_await self->exchange(std::move(out), self->timeout());
  } catch (const std::exception& e) {
    error = e.what();
  }
  if (!self->cdp->is_open()) co_return;
  if (response && (response->status < 100 || response->status > 599)) {
    error = "the server answered with status " + std::to_string(response->status);
    response.reset();
  }
  if (!response) {
    ++self->stats.requests_failed;
    if (main_document) {
      tab->main_error = error;
      tab->signal();
    }
    refuse("Failed");
    co_return;
  }

  json::array headers;
  for (const auto& [name, value] : response->headers) {
    if (detail::stale_response_header(name)) continue;
    json::object h;
    h["name"] = text::repair_utf8(name);
    h["value"] = text::repair_utf8(value);
    headers.push_back(std::move(h));
  }
  json::object fulfill;
  fulfill["requestId"] = request_id;
  fulfill["responseCode"] = response->status;
  fulfill["responseHeaders"] = std::move(headers);
  fulfill["body"] = detail::base64_encode(response->body);
  response->body.clear();
  if (main_document) {
    tab->status = static_cast<int>(response->status);
    tab->signal();
  }
  bool delivered = true;
  try {
    co_await self->cdp->call("Fetch.fulfillRequest", std::move(fulfill), tab->session_id, self->timeout());
  } catch (const std::exception&) {
    delivered = false;  // headers the browser refuses, a closed tab
  }
  if (delivered) {
    ++self->stats.requests_answered;
  } else if (self->cdp->is_open()) {
    ++self->stats.requests_failed;
    refuse("Failed");
  }
}

}  // namespace tarvik::browser
