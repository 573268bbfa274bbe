// Where the browser's requests go: the proxy flags, the few requests intercepted, recording and replay.
#include <boost/asio/this_coro.hpp>
#include <boost/json/string.hpp>

#include <array>
#include <exception>

#include "tarvik/fetcher/warc.hpp"

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

NetMode net_mode(const ChromiumOptions& options) {
  if (options.exchange || options.fetch.replay) return NetMode::answer;
  return options.fetch.record ? NetMode::record : NetMode::live;
}

std::vector<std::string> network_flags(std::uint16_t proxy_port, bool insecure) {
  std::vector<std::string> flags = {
      "--proxy-server=http://127.0.0.1:" + std::to_string(proxy_port),
      // Without this, loopback and link-local hosts would bypass the proxy.
      "--proxy-bypass-list=<-loopback>",
      // QUIC would leave on UDP, around the proxy; so would WebRTC's own UDP.
      "--disable-quic",
      "--force-webrtc-ip-handling-policy=disable_non_proxied_udp",
      // With a fixed proxy the browser hands host names to it and resolves
      // nothing; its resolver answers nothing besides, so no lookup of its own
      // (prefetch, a probe) leaves either.
      "--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1",
  };
  if (insecure) flags.emplace_back("--ignore-certificate-errors");
  return flags;
}

std::optional<json::object> interception(const ChromiumOptions& options, NetMode mode) {
  json::array patterns;
  const auto add = [&](const char* key, const char* value, const char* stage) {
    json::object p;
    p[key] = value;
    p["requestStage"] = stage;
    patterns.push_back(std::move(p));
  };
  if (mode == NetMode::answer) {
    add("urlPattern", "*", "Request");
  } else {
    if (options.session.disable_resources) {
      for (const char* type : {"Image", "Media", "Font", "Stylesheet"}) add("resourceType", type, "Request");
      add("urlPattern", "*/favicon.ico*", "Request");
    }
    if (mode == NetMode::record) add("urlPattern", "*", "Response");
  }
  if (patterns.empty()) return std::nullopt;
  json::object params;
  params["patterns"] = std::move(patterns);
  return params;
}

bool track_network(Tab& tab, const std::string& method, const json::object& params) {
  if (method.compare(0, 8, "Network.") != 0) return false;
  const std::string id = string_at(params, "requestId");
  if (method == "Network.requestWillBeSent") {
    // A redirect comes again under the same id: still one request.
    if (!id.empty() && tab.open_requests.size() < kMaxTrackedRequests && tab.open_requests.insert(id).second) {
      ++tab.in_flight;
      ++tab.requests_started;
    }
    // Where the request goes through the proxy, so that the tab's tunnels
    // can be closed with it.
    const json::object* request = object_at(params, "request");
    if (auto target = request ? proxy_target_of(string_at(*request, "url")) : std::nullopt) {
      std::string key = target->first + ":" + std::to_string(target->second);
      if (tab.origins.size() < kMaxTrackedRequests) tab.origins.insert(std::move(key));
      else if (!tab.origins.count(key)) tab.origins_overflow = true;
    }
    tab.last_network = Clock::now();
    tab.signal();
  } else if (method == "Network.responseReceived") {
    const json::object* response = object_at(params, "response");
    const json::value* status = response ? response->if_contains("status") : nullptr;
    if (string_at(params, "type") == "Document" && string_at(params, "frameId") == tab.target_id && status &&
        status->is_number()) {
      tab.status = static_cast<int>(status->to_number<double>());
      tab.signal();
    }
  } else if (method == "Network.loadingFinished" || method == "Network.loadingFailed") {
    // Why a document failed (a frame's too: it only explains a failed page).
    if (method == "Network.loadingFailed" && string_at(params, "type") == "Document" && tab.main_error.empty())
      tab.main_error = string_at(params, "errorText");
    if (tab.open_requests.erase(id) > 0) --tab.in_flight;
    tab.last_network = Clock::now();
    tab.signal();
  }
  return true;
}

Exchange fetcher_exchange(const asio::any_io_executor& executor, const core::FetchOptions& options) {
  auto fetcher = std::make_shared<core::ConcurrentFetcher>(executor, options);
  return [fetcher](core::HttpRequest request, std::chrono::milliseconds timeout) {
    return fetcher->exchange(std::move(request), timeout);
  };
}

}  // namespace detail

namespace {

// A request held by the session (being answered or recorded): counted
// against its cap for as long as it lives.
struct InFlight {
  explicit InFlight(ChromiumSession::Impl& i) : impl(i) { ++impl.in_flight; }
  ~InFlight() { --impl.in_flight; }
  InFlight(const InFlight&) = delete;
  InFlight& operator=(const InFlight&) = delete;
  ChromiumSession::Impl& impl;
};

// The request of a Fetch event as the fetcher or the archive takes it: its
// method (GET when none), URL, string headers (without those the fetcher sets
// itself, when it is `for_the_fetcher`) and body.
core::HttpRequest http_request_of(const json::object& request, bool for_the_fetcher) {
  core::HttpRequest out;
  out.method = detail::string_at(request, "method");
  if (out.method.empty()) out.method = "GET";
  out.url = detail::string_at(request, "url");
  if (const json::object* headers = detail::object_at(request, "headers")) {
    for (const auto& header : *headers) {
      if (!header.value().is_string() || (for_the_fetcher && detail::fetcher_managed_request_header(header.key())))
        continue;
      out.headers.emplace_back(std::string(header.key()), std::string(header.value().get_string()));
    }
  }
  if (const json::value* entries = request.if_contains("postDataEntries"); entries && entries->is_array()) {
    for (const auto& entry : entries->get_array())
      if (entry.is_object()) out.body += detail::base64_decode(detail::string_at(entry.get_object(), "bytes"));
  } else {
    out.body = detail::string_at(request, "postData");
  }
  return out;
}

// A response the egress proxy wrote itself (a refused or unreachable target):
// not the origin's, so never archived as if it were.
bool written_by_proxy(const json::object& params) {
  const json::value* headers = params.if_contains("responseHeaders");
  if (!headers || !headers->is_array()) return false;
  for (const auto& header : headers->get_array()) {
    if (!header.is_object()) continue;
    if (detail::ieq(detail::string_at(header.get_object(), "name"), "proxy-status") &&
        is_own_proxy_status(detail::string_at(header.get_object(), "value")))
      return true;
  }
  return false;
}

}  // namespace

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

  // Counted against the session's cap while being answered (the tab counts
  // its requests from Network events).
  const InFlight open(*self);

  core::HttpRequest out = http_request_of(request, /*for_the_fetcher=*/true);
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

asio::awaitable<void> ChromiumSession::Impl::paused(std::shared_ptr<Impl> self, std::shared_ptr<detail::Tab> tab,
                                                    json::object params) {
  if (params.contains("responseStatusCode") || params.contains("responseErrorReason")) {
    co_await record(std::move(self), std::move(tab), std::move(params));
  } else if (self->net == detail::NetMode::answer) {
    co_await answer(std::move(self), std::move(tab), std::move(params));
  } else {
    // Only refused resources are paused at the request stage outside replay.
    json::object fail;
    fail["requestId"] = detail::string_at(params, "requestId");
    fail["errorReason"] = "BlockedByClient";
    ++self->stats.requests_refused;
    self->cdp->post("Fetch.failRequest", std::move(fail), tab->session_id);
  }
}


asio::awaitable<void> ChromiumSession::Impl::record(std::shared_ptr<Impl> self, std::shared_ptr<detail::Tab> tab,
                                                    json::object params) {
  const std::string request_id = detail::string_at(params, "requestId");
  // Whatever happens here, the response goes on to the page.
  struct GoOn {
    Impl& impl;
    const std::string& id;
    const std::string& session;
    ~GoOn() {
      if (!impl.cdp || !impl.cdp->is_open()) return;
      json::object go;
      go["requestId"] = id;
      impl.cdp->post("Fetch.continueRequest", std::move(go), session);
    }
  } go_on{*self, request_id, tab->session_id};
  const json::value* status_value = params.if_contains("responseStatusCode");
  const auto& fetch = self->options.fetch;
  if (!fetch.record || !status_value || !status_value->is_number()) co_return;  // a failed response
  if (written_by_proxy(params)) co_return;  // the proxy's own refusal: the origin said nothing
  if (self->in_flight >= kMaxInterceptedRequests) {
    ++self->stats.requests_failed;
    co_return;
  }
  const InFlight open(*self);

  const json::object empty;
  const json::object* request_object = detail::object_at(params, "request");
  const json::object& request = request_object ? *request_object : empty;
  core::HttpRequest out = http_request_of(request, /*for_the_fetcher=*/false);

  core::HttpResponse response;
  response.url = out.url;
  response.status = static_cast<long>(status_value->to_number<double>());
  std::optional<std::uint64_t> declared_length;
  if (const json::value* headers = params.if_contains("responseHeaders"); headers && headers->is_array()) {
    for (const auto& header : headers->get_array()) {
      if (!header.is_object()) continue;
      std::string name = detail::string_at(header.get_object(), "name");
      std::string value = detail::string_at(header.get_object(), "value");
      if (detail::ieq(name, "content-length")) {
        try {
          declared_length = std::stoull(value);
        } catch (const std::exception&) {
        }
      }
      response.headers.emplace_back(std::move(name), std::move(value));
    }
  }
  const bool redirect = response.status >= 300 && response.status < 400 && response.header("location");
  const bool bodiless = redirect || out.method == "HEAD" || response.status == 204 || response.status == 304;
  // The body comes in one protocol message: one the pipe would not carry, or
  // over the cap, is not asked for and the record says it was cut.
  const std::uint64_t cap = std::min<std::uint64_t>(fetch.max_body_bytes, detail::kMaxMessageBytes / 4 * 3 - 4096);
  if (!bodiless && declared_length && *declared_length > cap) {
    response.truncated = true;
  } else if (!bodiless) {
    json::object ask;
    ask["requestId"] = request_id;
    try {
      const json::object body =
          co_await self->cdp->call("Fetch.getResponseBody", std::move(ask), tab->session_id, self->timeout());
      const json::value* encoded = body.if_contains("base64Encoded");
      response.body = encoded && encoded->is_bool() && encoded->get_bool()
                          ? detail::base64_decode(detail::string_at(body, "body"))
                          : detail::string_at(body, "body");
    } catch (const std::exception&) {
      response.truncated = true;  // no body to be had (the page went away, too big)
    }
    if (response.body.size() > fetch.max_body_bytes) {
      response.body.resize(fetch.max_body_bytes);
      response.truncated = true;
    }
  }
  try {
    fetch.record->write_exchange(out, response);
    ++self->stats.responses_recorded;
  } catch (const std::exception&) {
    ++self->stats.requests_failed;  // the archive refused it; the page still gets its response
  }
}

}  // namespace tarvik::browser
