// The fetcher's public face: requests checked and completed with the default
// headers, host mappings, the archive hooks, and whole-page batches with their
// own redirect loop on top of single exchanges.
#include "tarvik/fetcher/fetcher.hpp"

#include <curl/curl.h>

#include <boost/asio/co_spawn.hpp>
#include <boost/asio/deferred.hpp>
#include <boost/asio/experimental/parallel_group.hpp>
#include <boost/asio/this_coro.hpp>
#include <boost/asio/use_awaitable.hpp>

#include <algorithm>
#include <cmath>
#include <exception>
#include <memory>
#include <utility>

#include "fetcher/fetcher_engine.hpp"
#include "fetcher/fetcher_identity.hpp"
#include "tarvik/fetcher/warc.hpp"
#include "tarvik/util/charset.hpp"

namespace tarvik::core {

namespace {

using detail::Clock;
using std::chrono::milliseconds;

// Headers that describe the connection or the encoding on the wire: libcurl
// writes them itself.
constexpr std::string_view DROPPED_HEADERS[] = {
    "Accept-Encoding", "Connection", "Content-Length", "Expect",  "Host",    "Keep-Alive",
    "Proxy-Connection", "TE",        "Trailer",        "Transfer-Encoding", "Upgrade",
};

constexpr milliseconds LONGEST_TIMEOUT = std::chrono::hours(24);

using detail::ascii_lower;
using detail::iequals_ascii;
using detail::trim_ascii;

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = ascii_lower(c);
  return out;
}

bool istarts_with(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && iequals_ascii(s.substr(0, prefix.size()), prefix);
}

bool is_token(std::string_view s) {
  if (s.empty()) return false;
  for (unsigned char c : s) {
    const bool ok = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                    std::string_view("!#$%&'*+-.^_`|~").find(static_cast<char>(c)) != std::string_view::npos;
    if (!ok) return false;
  }
  return true;
}

bool is_port(std::string_view s) {
  if (s.empty() || s.size() > 5) return false;
  unsigned value = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  return value >= 1 && value <= 65535;
}

struct CurlUrl {
  CURLU* handle = curl_url();
  CurlUrl() {
    if (!handle) throw std::bad_alloc();
  }
  ~CurlUrl() { curl_url_cleanup(handle); }
  CurlUrl(const CurlUrl&) = delete;
  CurlUrl& operator=(const CurlUrl&) = delete;

  std::optional<std::string> get(CURLUPart part, unsigned flags = 0) const {
    char* out = nullptr;
    if (curl_url_get(handle, part, &out, flags) != CURLUE_OK || !out) return std::nullopt;
    std::string value(out);
    curl_free(out);
    return value;
  }
};

constexpr unsigned LENIENT = CURLU_ALLOW_SPACE | CURLU_URLENCODE;

// A URL the fetcher may request: http or https, with a host, that libcurl
// can split.
struct FetchUrl {
  std::string curl_url;
  std::string host;  // lower case, IPv6 without brackets
  std::uint16_t port = 0;
};

std::optional<FetchUrl> split_fetch_url(std::string_view text) {
  text = trim_ascii(text);
  std::size_t authority = 0;
  if (istarts_with(text, "http://")) {
    authority = 7;
  } else if (istarts_with(text, "https://")) {
    authority = 8;
  } else {
    return std::nullopt;
  }
  if (text.size() <= authority || std::string_view("/?#\\").find(text[authority]) != std::string_view::npos) {
    return std::nullopt;
  }
  for (unsigned char c : text) {
    if (c < 0x20 || c == 0x7f) return std::nullopt;
  }
  CurlUrl url;
  if (curl_url_set(url.handle, CURLUPART_URL, std::string(text).c_str(), LENIENT) != CURLUE_OK) return std::nullopt;
  auto whole = url.get(CURLUPART_URL);
  auto host = url.get(CURLUPART_HOST);
  auto port = url.get(CURLUPART_PORT, CURLU_DEFAULT_PORT);
  if (!whole || !host || host->empty() || !port || !is_port(*port)) return std::nullopt;
  if (host->size() >= 2 && host->front() == '[' && host->back() == ']') *host = host->substr(1, host->size() - 2);
  return FetchUrl{std::move(*whole), lower(*host), static_cast<std::uint16_t>(std::stoi(*port))};
}

// The target of `location` seen from `base` (a URL libcurl produced), as
// libcurl resolves redirects; none when it cannot be resolved.
std::optional<std::string> resolve_location(const std::string& base, std::string_view location) {
  location = trim_ascii(location);
  if (location.empty()) return std::nullopt;
  for (unsigned char c : location) {
    if (c < 0x20 || c == 0x7f) return std::nullopt;
  }
  CurlUrl url;
  if (curl_url_set(url.handle, CURLUPART_URL, base.c_str(), LENIENT) != CURLUE_OK) return std::nullopt;
  if (location.front() == '#') {
    // Same document: libcurl would drop the path here.
    if (curl_url_set(url.handle, CURLUPART_FRAGMENT, nullptr, 0) != CURLUE_OK) return std::nullopt;
    return url.get(CURLUPART_URL);
  }
  if (curl_url_set(url.handle, CURLUPART_URL, std::string(location).c_str(), LENIENT) != CURLUE_OK) {
    return std::nullopt;
  }
  return url.get(CURLUPART_URL);
}

std::string bracketed(const std::string& host) {
  return host.find(':') != std::string::npos ? "[" + host + "]" : host;
}

std::string curl_line(const HostMapping& m) {
  return bracketed(m.from_host) + ":" + m.from_port + ":" + bracketed(m.to_host) + ":" + m.to_port;
}

// The rule libcurl applies to host:port.
const HostMapping* mapping_for(const std::vector<HostMapping>& rules, const std::string& host, std::uint16_t port) {
  return host_mapping_for(rules, host, port);
}

// `base` with every header of `layer` replacing those of the same name in
// their place (the browser's order stays); new names go at the end.
void overlay(Headers& base, const Headers& layer) {
  for (const auto& header : layer) {
    const auto same = [&](const Header& h) { return iequals_ascii(h.first, header.first); };
    const auto first = std::find_if(base.begin(), base.end(), same);
    if (first == base.end()) {
      base.push_back(header);
      continue;
    }
    *first = header;
    base.erase(std::remove_if(std::next(first), base.end(), same), base.end());
  }
}

Headers checked_headers(const Headers& headers, const std::string& url) {
  Headers out;
  for (const auto& [name, value] : headers) {
    if (!name.empty() && name.front() == ':') continue;  // HTTP/2 pseudo-headers
    if (!is_token(name)) throw FetchError(url + ": invalid request header name");
    if (value.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) {
      throw FetchError(url + ": request header " + name + " has a line break or NUL");
    }
    const bool dropped = std::any_of(std::begin(DROPPED_HEADERS), std::end(DROPPED_HEADERS),
                                     [&](std::string_view d) { return iequals_ascii(d, name); });
    if (!dropped) out.emplace_back(name, value);
  }
  return out;
}

milliseconds clamp_timeout(milliseconds timeout) { return std::min(timeout, LONGEST_TIMEOUT); }

milliseconds seconds_to_timeout(double seconds) {
  if (!(seconds > 0)) return milliseconds(0);  // NaN too
  if (seconds >= static_cast<double>(LONGEST_TIMEOUT.count()) / 1000) return LONGEST_TIMEOUT;
  return milliseconds(static_cast<std::int64_t>(std::ceil(seconds * 1000)));
}

bool is_redirect(long status) { return status == 301 || status == 302 || status == 303 || status == 307 || status == 308; }

bool is_html(const std::optional<std::string>& content_type) {
  if (!content_type) return true;
  const std::string media = lower(trim_ascii(std::string_view(*content_type).substr(0, content_type->find(';'))));
  return media.empty() || media == "text/html" || media == "application/xhtml+xml";
}

}  // namespace

HostMapping parse_connect_to(std::string_view rule) {
  const auto bad = [&](const char* why) {
    return std::invalid_argument("host mapping \"" + std::string(rule) + "\": " + why +
                                 " (expected HOST1:PORT1:HOST2:PORT2)");
  };
  std::string fields[4];
  std::size_t pos = 0;
  for (int i = 0; i < 4; ++i) {
    if (i > 0) {
      if (pos >= rule.size() || rule[pos] != ':') throw bad("four fields separated by colons are needed");
      ++pos;
    }
    const bool host = i % 2 == 0;
    if (host && pos < rule.size() && rule[pos] == '[') {
      const auto close = rule.find(']', pos);
      if (close == std::string_view::npos) throw bad("unclosed bracket");
      fields[i] = std::string(rule.substr(pos + 1, close - pos - 1));
      boost::system::error_code ec;
      boost::asio::ip::make_address_v6(fields[i], ec);
      if (ec) throw bad("not an IPv6 address in brackets");
      pos = close + 1;
      continue;
    }
    const auto end = std::min(rule.find(':', pos), rule.size());
    fields[i] = std::string(rule.substr(pos, end - pos));
    pos = end;
    for (unsigned char c : fields[i]) {
      if (c <= 0x20 || c == 0x7f || c == '/' || c == '@' || c == '[' || c == ']' || c == '?' || c == '#') {
        throw bad(host ? "invalid host" : "invalid port");
      }
    }
    if (!host && !fields[i].empty()) {
      if (!is_port(fields[i])) throw bad("a port is a number from 1 to 65535");
      fields[i] = std::to_string(std::stoi(fields[i]));  // "080" matches port 80, as in libcurl
    }
  }
  if (pos != rule.size()) throw bad("more than four fields");
  return HostMapping{lower(fields[0]), fields[1], fields[2], fields[3]};
}

struct ConcurrentFetcher::Impl {
  // Shared with the operations in flight, which may outlive the fetcher.
  struct State {
    FetchOptions options;
    detail::Identity identity;
    std::shared_ptr<detail::Engine> engine;
  };
  std::shared_ptr<State> state;

  static asio::awaitable<HttpResponse> exchange(std::shared_ptr<State> state, HttpRequest request,
                                               milliseconds timeout);
  static asio::awaitable<std::optional<std::string>> fetch_page(std::shared_ptr<State> state, std::string url,
                                                                Clock::time_point deadline);
  struct BatchCount {
    std::size_t done = 0;
    std::size_t total = 0;
  };
  // fetch_page, then the batch's progress hook.
  static asio::awaitable<std::optional<std::string>> fetch_counted(std::shared_ptr<State> state, std::string url,
                                                                   Clock::time_point deadline,
                                                                   std::shared_ptr<BatchCount> count);
};

ConcurrentFetcher::ConcurrentFetcher(asio::any_io_executor executor, FetchOptions options)
    : impl_(std::make_unique<Impl>()) {
  detail::EngineOptions engine_options;
  engine_options.max_total = options.max_total_connections;
  engine_options.max_per_host = options.max_host_connections;
  engine_options.max_body_bytes = options.max_body_bytes;
  engine_options.connect_timeout = options.connect_timeout;
  engine_options.allow_private_network = options.allow_private_network;
  engine_options.insecure = options.insecure;
  for (auto& rule : options.connect_to) {
    rule = parse_connect_to(curl_line(rule));  // the same checks as the text form
    engine_options.connect_to.push_back(curl_line(rule));
  }
  auto state = std::make_shared<Impl::State>();
  state->identity = detail::identity_of(options);
  state->engine = detail::Engine::create(std::move(executor), std::move(engine_options));
  state->options = std::move(options);
  impl_->state = std::move(state);
}

ConcurrentFetcher::~ConcurrentFetcher() {
  if (impl_ && impl_->state) impl_->state->engine->shutdown();
}

const FetchOptions& ConcurrentFetcher::options() const { return impl_->state->options; }

asio::awaitable<HttpResponse> ConcurrentFetcher::exchange(HttpRequest request, std::chrono::milliseconds timeout) {
  co_return co_await Impl::exchange(impl_->state, std::move(request), timeout);
}

asio::awaitable<HttpResponse> ConcurrentFetcher::Impl::exchange(std::shared_ptr<State> state, HttpRequest request,
                                                               milliseconds timeout) {
  const auto deadline = Clock::now() + clamp_timeout(timeout);
  const FetchOptions& options = state->options;
  const auto url = split_fetch_url(request.url);
  if (!url) throw FetchError("not an http or https URL: " + request.url);
  if (!is_token(request.method) || request.method.size() > 32) {
    throw FetchError(request.url + ": invalid method");
  }
  if (options.replay) {
    std::optional<HttpResponse> found;
    try {
      found = options.replay->find(request.method, request.url);
    } catch (const WarcError& e) {
      throw FetchError(request.url + ": " + e.what());
    }
    if (!found) throw FetchError(request.url + ": not in the archive");
    found->url = request.url;
    co_return std::move(*found);
  }
  if (timeout.count() <= 0) throw FetchError(request.url + ": timed out");

  Headers headers = detail::navigation_headers(state->identity, istarts_with(url->curl_url, "https://"), url->host);
  overlay(headers, checked_headers(options.extra_headers, request.url));
  overlay(headers, checked_headers(request.headers, request.url));

  detail::Hop hop;
  hop.method = request.method;
  hop.url = request.url;
  hop.curl_url = url->curl_url;
  // A waiting page holds its hop: copies only when the archive needs them.
  if (options.record) {
    hop.headers = headers;
    hop.body = request.body;
  } else {
    hop.headers = std::move(headers);
    hop.body = std::move(request.body);
  }
  hop.host_key = url->host;
  hop.deadline = deadline;
  if (const auto* rule = mapping_for(options.connect_to, url->host, url->port); rule && !rule->to_host.empty()) {
    boost::system::error_code ec;
    const auto address = boost::asio::ip::make_address(rule->to_host, ec);
    if (!ec) {
      hop.mapped_address = address;
      hop.mapped_port = rule->to_port.empty() ? url->port : static_cast<std::uint16_t>(std::stoi(rule->to_port));
    }
  }
  auto engine = state->engine;
  HttpResponse response = co_await engine->exchange(std::move(hop));
  if (options.record) {
    request.headers = std::move(headers);
    options.record->write_exchange(request, response);
  }
  co_return response;
}

asio::awaitable<std::optional<std::string>> ConcurrentFetcher::Impl::fetch_page(std::shared_ptr<State> state,
                                                                                std::string url,
                                                                                Clock::time_point deadline) {
  const int max_redirects = std::max(state->options.max_redirects, 0);
  std::string current = url;
  for (int hop = 0; hop <= max_redirects; ++hop) {
    const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) co_return std::nullopt;
    HttpRequest request;
    request.url = current;
    HttpResponse response;
    try {
      response = co_await exchange(state, std::move(request), left);
    } catch (const FetchError&) {
      co_return std::nullopt;
    }
    if (is_redirect(response.status)) {
      const auto location = response.header("Location");
      const auto here = split_fetch_url(current);
      if (!location || !here) co_return std::nullopt;
      auto next = resolve_location(here->curl_url, *location);
      if (!next || !split_fetch_url(*next)) co_return std::nullopt;
      current = std::move(*next);
      continue;
    }
    const auto content_type = response.header("Content-Type");
    if (response.status < 200 || response.status > 299 || !is_html(content_type)) {
      if (state->options.on_page_refused) state->options.on_page_refused(url, response);
      co_return std::nullopt;
    }
    co_return charset::decode_http_body(std::move(response.body), content_type.value_or(""));
  }
  co_return std::nullopt;  // too many redirects
}

asio::awaitable<PageMap> ConcurrentFetcher::fetch_pages(std::vector<std::string> urls, double timeout_seconds) {
  auto state = impl_->state;
  const auto deadline = Clock::now() + seconds_to_timeout(timeout_seconds);
  PageMap pages;
  std::vector<std::string> distinct;
  for (auto& url : urls) {
    if (pages.try_emplace(url).second && split_fetch_url(url)) distinct.push_back(url);
  }
  if (distinct.empty() || !(timeout_seconds > 0)) co_return pages;

  const auto executor = co_await asio::this_coro::executor;
  auto count = std::make_shared<Impl::BatchCount>();
  count->total = distinct.size();
  using Op = decltype(asio::co_spawn(executor, Impl::fetch_counted(state, std::string(), deadline, count),
                                     asio::deferred));
  std::vector<Op> ops;
  ops.reserve(distinct.size());
  for (const auto& url : distinct) {
    ops.push_back(asio::co_spawn(executor, Impl::fetch_counted(state, url, deadline, count), asio::deferred));
  }
  auto group = asio::experimental::make_parallel_group(std::move(ops));
  auto [order, errors, results] =
      co_await group.async_wait(asio::experimental::wait_for_all(), asio::use_awaitable);
  for (std::size_t i = 0; i < distinct.size(); ++i) {
    if (errors[i]) std::rethrow_exception(errors[i]);
    pages[distinct[i]] = std::move(results[i]);
  }
  co_return pages;
}

asio::awaitable<std::optional<std::string>> ConcurrentFetcher::Impl::fetch_counted(
    std::shared_ptr<State> state, std::string url, Clock::time_point deadline, std::shared_ptr<BatchCount> count) {
  auto page = co_await fetch_page(state, std::move(url), deadline);
  ++count->done;
  if (state->options.on_page_done) state->options.on_page_done(count->done, count->total);
  co_return page;
}

asio::awaitable<PageMap> ConcurrentFetcher::fetch_many(std::vector<std::string> urls, double timeout) {
  const auto executor = co_await asio::this_coro::executor;
  ConcurrentFetcher fetcher(executor);
  co_return co_await fetcher.fetch_pages(std::move(urls), timeout);
}

}  // namespace tarvik::core
