// The browser's egress proxy: so that the guard and host mappings apply to the browser's own network stack.
#include "tarvik/browser/egress_proxy.hpp"

#include <boost/asio/as_tuple.hpp>
#include <boost/asio/co_spawn.hpp>
#include <boost/asio/connect.hpp>
#include <boost/asio/detached.hpp>
#include <boost/asio/experimental/awaitable_operators.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/read_until.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/use_awaitable.hpp>
#include <boost/asio/write.hpp>

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tarvik::browser {

namespace asio = boost::asio;
using asio::ip::tcp;
using Clock = std::chrono::steady_clock;
using namespace asio::experimental::awaitable_operators;

namespace {

constexpr auto use_tuple = asio::as_tuple(asio::use_awaitable);

char lower_ascii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool iequals(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lower_ascii(a[i]) != lower_ascii(b[i])) return false;
  return true;
}

bool starts_with_nocase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && iequals(s.substr(0, prefix.size()), prefix);
}

// "host:port" of a CONNECT or of an http:// URL. The host is a name of
// letters, digits, '-', '_' and '.', or an IP address (IPv6 in brackets).
struct Authority {
  std::string host;  // lower case, without brackets
  std::uint16_t port = 0;
};

std::optional<Authority> parse_authority(std::string_view text, std::uint16_t default_port) {
  Authority out;
  std::string_view port_text;
  if (!text.empty() && text.front() == '[') {
    const auto close = text.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    out.host = std::string(text.substr(1, close - 1));
    boost::system::error_code ec;
    asio::ip::make_address_v6(out.host, ec);
    if (ec) return std::nullopt;
    const std::string_view rest = text.substr(close + 1);
    if (!rest.empty()) {
      if (rest.front() != ':') return std::nullopt;
      port_text = rest.substr(1);
    } else if (default_port == 0) {
      return std::nullopt;
    }
  } else {
    const auto colon = text.rfind(':');
    const std::string_view host = text.substr(0, colon);
    if (colon != std::string_view::npos) port_text = text.substr(colon + 1);
    else if (default_port == 0) return std::nullopt;
    if (host.empty() || host.size() > 253) return std::nullopt;
    for (char c : host) {
      const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                      c == '.' || c == '_';
      if (!ok) return std::nullopt;
      out.host += lower_ascii(c);
    }
  }
  if (port_text.empty()) {
    if (default_port == 0) return std::nullopt;
    out.port = default_port;
  } else {
    if (port_text.size() > 5) return std::nullopt;
    unsigned value = 0;
    for (char c : port_text) {
      if (c < '0' || c > '9') return std::nullopt;
      value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value == 0 || value > 65535) return std::nullopt;
    out.port = static_cast<std::uint16_t>(value);
  }
  return out;
}

// The request a client sent, as far as the proxy needs it.
struct ProxyRequest {
  bool tunnel = false;   // CONNECT
  Authority target;
  std::string forward;   // absolute-form: the head to send to the origin
};

// Parses the head (request line and header lines, without the blank line).
std::optional<ProxyRequest> parse_head(std::string_view head) {
  const auto line_end = head.find("\r\n");
  const std::string_view line = head.substr(0, line_end);
  const auto sp1 = line.find(' ');
  const auto sp2 = line.rfind(' ');
  if (sp1 == std::string_view::npos || sp2 == sp1) return std::nullopt;
  const std::string_view method = line.substr(0, sp1);
  const std::string_view target = line.substr(sp1 + 1, sp2 - sp1 - 1);
  const std::string_view version = line.substr(sp2 + 1);
  if (version != "HTTP/1.1" && version != "HTTP/1.0") return std::nullopt;
  if (method.empty() || method.size() > 32 || target.empty()) return std::nullopt;
  for (char c : method)
    if (!(c >= 'A' && c <= 'Z')) return std::nullopt;
  for (char c : target)
    if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7f) return std::nullopt;

  ProxyRequest out;
  if (method == "CONNECT") {
    auto authority = parse_authority(target, 0);
    if (!authority) return std::nullopt;
    out.tunnel = true;
    out.target = std::move(*authority);
    return out;
  }
  if (!starts_with_nocase(target, "http://")) return std::nullopt;
  const std::string_view rest = target.substr(7);
  const auto path_start = std::min(rest.find_first_of("/?#"), rest.size());
  const std::string_view authority_text = rest.substr(0, path_start);
  if (authority_text.find('@') != std::string_view::npos) return std::nullopt;
  auto authority = parse_authority(authority_text, 80);
  if (!authority) return std::nullopt;
  std::string path(rest.substr(path_start));
  path = path.substr(0, path.find('#'));
  if (path.empty() || path.front() != '/') path.insert(0, "/");
  out.target = std::move(*authority);

  // Hop-by-hop and proxy headers stay here; the origin is told to close.
  out.forward = std::string(method) + " " + path + " HTTP/1.1\r\n";
  std::string_view fields = line_end == std::string_view::npos ? std::string_view() : head.substr(line_end + 2);
  while (!fields.empty()) {
    const auto end = std::min(fields.find("\r\n"), fields.size());
    const std::string_view field = fields.substr(0, end);
    fields = end == fields.size() ? std::string_view() : fields.substr(end + 2);
    const std::string_view name = field.substr(0, field.find(':'));
    if (iequals(name, "Proxy-Connection") || iequals(name, "Proxy-Authorization") || iequals(name, "Connection") ||
        iequals(name, "Keep-Alive"))
      continue;
    out.forward.append(field).append("\r\n");
  }
  out.forward += "Connection: close\r\n\r\n";
  return out;
}

// A reply the proxy writes itself. Its Proxy-Status header (RFC 9209: the
// proxy's name and the error type) tells it apart from an origin's response.
std::string status_reply(int status, std::string_view reason, std::string_view error, std::string_view why) {
  std::string body(why);
  body += "\n";
  return "HTTP/1.1 " + std::to_string(status) + " " + std::string(reason) + "\r\nProxy-Status: " +
         std::string(kProxyStatusName) + "; error=" + std::string(error) +
         "\r\nContent-Type: text/plain; charset=utf-8\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\nConnection: close\r\nProxy-Connection: close\r\n\r\n" + body;
}

}  // namespace

namespace detail {

// One client connection and the origin it reaches.
struct ProxyConnection {
  ProxyConnection(tcp::socket s, const asio::any_io_executor& executor)
      : client(std::move(s)), origin(executor), resolver(executor), watchdog(executor) {}
  tcp::socket client;
  tcp::socket origin;
  tcp::resolver resolver;
  asio::steady_timer watchdog;
  Clock::time_point deadline;
  Clock::time_point active = Clock::now();  // when a byte last moved, or the request was handled
  std::optional<Authority> target;  // what the client asked for, once its head is read
  bool closed = false;

  void touch(std::chrono::milliseconds allowance) {
    active = Clock::now();
    deadline = active + allowance;
  }
  void close() {
    if (closed) return;
    closed = true;
    boost::system::error_code ignored;
    resolver.cancel();
    client.close(ignored);
    origin.close(ignored);
    watchdog.cancel();
  }
};

}  // namespace detail

using Connection = detail::ProxyConnection;

struct EgressProxy::State : std::enable_shared_from_this<EgressProxy::State> {
  State(asio::any_io_executor e, EgressProxyOptions o) : executor(std::move(e)), options(std::move(o)), acceptor(executor) {}
  asio::any_io_executor executor;
  EgressProxyOptions options;
  tcp::acceptor acceptor;
  bool stopped = false;
  std::uint64_t next_id = 0;
  std::unordered_map<std::uint64_t, std::shared_ptr<Connection>> connections;
  EgressProxyStats stats;

  asio::awaitable<void> accept_loop();
  asio::awaitable<void> serve(std::shared_ptr<Connection> c);
  asio::awaitable<void> guard(std::shared_ptr<Connection> c);
  // The checked endpoint for the target, or the status reply that refuses it.
  asio::awaitable<std::string> connect(Connection& c, const Authority& target);
  // Sends a refusal and ends the connection.
  asio::awaitable<void> refuse(Connection& c, const std::string& reply);
};

namespace {

// Copies one direction until end of stream or an error; then, for a tunnel,
// passes the half-close on (or closes everything on an error).
asio::awaitable<void> pump(Connection& c, tcp::socket& from, tcp::socket& to, std::chrono::milliseconds idle,
                           bool close_at_end) {
  std::array<char, 16384> buffer;
  for (;;) {
    auto [read_error, n] = co_await from.async_read_some(asio::buffer(buffer), use_tuple);
    if (n > 0) {
      c.touch(idle);
      auto [write_error, written] = co_await asio::async_write(to, asio::buffer(buffer.data(), n), use_tuple);
      if (write_error) {
        c.close();
        co_return;
      }
    }
    if (read_error) {
      if (read_error == asio::error::eof && !close_at_end && !c.closed) {
        boost::system::error_code ignored;
        to.shutdown(tcp::socket::shutdown_send, ignored);
      } else {
        c.close();
      }
      co_return;
    }
  }
}

}  // namespace

asio::awaitable<void> EgressProxy::State::guard(std::shared_ptr<Connection> c) {
  while (!c->closed) {
    c->watchdog.expires_at(c->deadline);
    co_await c->watchdog.async_wait(use_tuple);
    if (!c->closed && Clock::now() >= c->deadline) c->close();
  }
}

asio::awaitable<void> EgressProxy::State::accept_loop() {
  auto self = shared_from_this();
  asio::steady_timer backoff(executor);
  for (;;) {
    auto [ec, socket] = co_await acceptor.async_accept(use_tuple);
    if (stopped || !acceptor.is_open()) co_return;
    if (ec) {
      // Out of descriptors and the like: wait rather than spin.
      backoff.expires_after(std::chrono::milliseconds(50));
      co_await backoff.async_wait(use_tuple);
      continue;
    }
    ++stats.accepted;
    if (connections.size() >= options.max_connections) {
      ++stats.over_capacity;
      const std::string reply = status_reply(503, "Service Unavailable", "connection_limit_reached", "too many connections through the proxy");
      boost::system::error_code ignored;
      socket.non_blocking(true, ignored);
      socket.write_some(asio::buffer(reply), ignored);
      socket.close(ignored);
      continue;
    }
    auto c = std::make_shared<Connection>(std::move(socket), executor);
    const std::uint64_t id = next_id++;
    connections.emplace(id, c);
    c->touch(options.handshake_timeout);
    asio::co_spawn(executor, guard(c), asio::detached);
    asio::co_spawn(executor, serve(c), [self, id, c](std::exception_ptr) {
      c->close();
      self->connections.erase(id);
    });
  }
}

asio::awaitable<std::string> EgressProxy::State::connect(Connection& c, const Authority& requested) {
  if (options.refuse_all) {
    ++stats.refused;
    co_return status_reply(403, "Forbidden", "http_request_denied", "no network: answers come from the archive only");
  }
  std::string host = requested.host;
  std::uint16_t port = requested.port;
  std::optional<asio::ip::address> exempt;
  if (const auto* rule = core::host_mapping_for(options.connect_to, requested.host, requested.port)) {
    if (!rule->to_host.empty()) host = rule->to_host;
    if (!rule->to_port.empty()) port = static_cast<std::uint16_t>(std::stoi(rule->to_port));
    boost::system::error_code ec;
    const auto address = asio::ip::make_address(host, ec);
    if (!ec && !rule->to_host.empty()) exempt = address;
  }

  std::vector<asio::ip::address> addresses;
  boost::system::error_code ec;
  const auto literal = asio::ip::make_address(host, ec);
  if (!ec) {
    addresses.push_back(literal);
  } else {
    c.touch(options.connect_timeout);
    auto [resolve_error, results] =
        co_await c.resolver.async_resolve(host, std::to_string(port), tcp::resolver::numeric_service, use_tuple);
    if (resolve_error || c.closed) {
      ++stats.unreachable;
      co_return status_reply(502, "Bad Gateway", "dns_error", "cannot resolve " + host);
    }
    for (const auto& entry : results) {
      if (addresses.size() == 16) break;
      addresses.push_back(entry.endpoint().address());
    }
  }
  std::vector<tcp::endpoint> allowed;
  std::string refused;
  for (const auto& address : addresses) {
    const auto plain = address.is_v6() && address.to_v6().is_v4_mapped()
                           ? asio::ip::address(asio::ip::make_address_v4(asio::ip::v4_mapped, address.to_v6()))
                           : address;
    const bool pass = options.allow_private_network || (exempt && address == *exempt) ||
                      core::is_public_address(address);
    if (pass) allowed.emplace_back(exempt && address == *exempt ? address : plain, port);
    else if (refused.empty()) refused = address.to_string();
  }
  if (allowed.empty()) {
    ++stats.refused;
    co_return status_reply(403, "Forbidden", "destination_ip_prohibited",
                           "refused: " + requested.host + " is at " + (refused.empty() ? host : refused) +
                               ", which is not a public address");
  }
  c.touch(options.connect_timeout);
  for (const auto& endpoint : allowed) {
    boost::system::error_code ignored;
    c.origin.close(ignored);
    auto [connect_error] = co_await c.origin.async_connect(endpoint, use_tuple);
    if (c.closed) break;
    if (!connect_error) {
      ++stats.connected;
      co_return std::string();
    }
  }
  ++stats.unreachable;
  co_return status_reply(502, "Bad Gateway", "destination_unavailable", "cannot connect to " + requested.host + ":" + std::to_string(requested.port));
}

asio::awaitable<void> EgressProxy::State::refuse(Connection& c, const std::string& reply) {
  if (c.closed) co_return;
  auto [ec, n] = co_await asio::async_write(c.client, asio::buffer(reply), use_tuple);
  if (ec || c.closed) co_return;
  // Closing with unread bytes would reset the connection and could discard
  // the reply before the client reads it: read the rest first, briefly.
  boost::system::error_code ignored;
  c.client.shutdown(tcp::socket::shutdown_send, ignored);
  c.touch(std::chrono::milliseconds(1000));
  std::array<char, 4096> scratch;
  for (std::size_t drained = 0; drained < (std::size_t{1} << 20);) {
    auto [read_error, got] = co_await c.client.async_read_some(asio::buffer(scratch), use_tuple);
    if (read_error) break;
    drained += got;
  }
}

asio::awaitable<void> EgressProxy::State::serve(std::shared_ptr<Connection> c) {
  std::string head;
  auto [read_error, head_length] = co_await asio::async_read_until(
      c->client, asio::dynamic_buffer(head, kMaxProxyRequestHead), "\r\n\r\n", use_tuple);
  if (read_error) {
    ++stats.malformed;
    if (read_error == asio::error::not_found) co_await refuse(*c, status_reply(400, "Bad Request", "http_request_error", "request head too long"));
    co_return;
  }
  const std::string early = head.substr(head_length);  // bytes sent after the head
  head.resize(head_length - 4);
  const auto request = parse_head(head);
  if (!request) {
    ++stats.malformed;
    co_await refuse(*c, status_reply(400, "Bad Request", "http_request_error", "only CONNECT and absolute http:// requests"));
    co_return;
  }
  c->target = request->target;
  const std::string refusal = co_await connect(*c, request->target);
  if (!refusal.empty()) {
    co_await refuse(*c, refusal);
    co_return;
  }
  c->touch(options.idle_timeout);
  if (request->tunnel) {
    static constexpr std::string_view established = "HTTP/1.1 200 Connection Established\r\n\r\n";
    auto [ec, n] = co_await asio::async_write(c->client, asio::buffer(established), use_tuple);
    if (ec) co_return;
  } else {
    auto [ec, n] = co_await asio::async_write(c->origin, asio::buffer(request->forward), use_tuple);
    if (ec) co_return;
  }
  if (!early.empty()) {
    auto [ec, n] = co_await asio::async_write(c->origin, asio::buffer(early), use_tuple);
    if (ec) co_return;
  }
  // A forwarded request's connection ends with its response.
  co_await (pump(*c, c->client, c->origin, options.idle_timeout, false) &&
            pump(*c, c->origin, c->client, options.idle_timeout, !request->tunnel));
}

EgressProxy::EgressProxy(asio::any_io_executor executor, EgressProxyOptions options) {
  // The same checks as the text form the fetcher accepts.
  const auto bracketed = [](const std::string& host) {
    return host.find(':') != std::string::npos ? "[" + host + "]" : host;
  };
  for (auto& rule : options.connect_to) {
    rule = core::parse_connect_to(bracketed(rule.from_host) + ":" + rule.from_port + ":" + bracketed(rule.to_host) +
                                  ":" + rule.to_port);
  }
  state_ = std::make_shared<State>(std::move(executor), std::move(options));
  const tcp::endpoint endpoint(asio::ip::make_address_v4("127.0.0.1"), 0);
  state_->acceptor.open(endpoint.protocol());
  state_->acceptor.bind(endpoint);
  state_->acceptor.listen(asio::socket_base::max_listen_connections);
  asio::co_spawn(state_->executor, state_->accept_loop(), asio::detached);
}

EgressProxy::~EgressProxy() { stop(); }

std::uint16_t EgressProxy::port() const {
  boost::system::error_code ec;
  const auto endpoint = state_->acceptor.local_endpoint(ec);
  return ec ? 0 : endpoint.port();
}

void EgressProxy::stop() {
  if (!state_ || state_->stopped) return;
  state_->stopped = true;
  boost::system::error_code ignored;
  state_->acceptor.close(ignored);
  for (auto& [id, c] : state_->connections) c->close();
}

void EgressProxy::close_connections(const std::function<bool(std::string_view, std::uint16_t)>& keep,
                                    std::chrono::milliseconds quiet_for) {
  if (!state_) return;
  const auto quiet_since = Clock::now() - quiet_for;
  for (auto& [id, c] : state_->connections)
    if (!c->closed && c->target && c->active <= quiet_since && !keep(c->target->host, c->target->port)) c->close();
}

std::optional<std::pair<std::string, std::uint16_t>> proxy_target_of(std::string_view url) {
  const auto scheme_end = url.find("://");
  if (scheme_end == std::string_view::npos) return std::nullopt;
  const std::string_view scheme = url.substr(0, scheme_end);
  std::uint16_t port = 0;
  if (iequals(scheme, "https") || iequals(scheme, "wss")) port = 443;
  else if (iequals(scheme, "http") || iequals(scheme, "ws")) port = 80;
  else return std::nullopt;
  std::string_view authority = url.substr(scheme_end + 3);
  authority = authority.substr(0, std::min(authority.find_first_of("/?#"), authority.size()));
  if (const auto at = authority.rfind('@'); at != std::string_view::npos) authority = authority.substr(at + 1);
  auto parsed = parse_authority(authority, port);
  if (!parsed) return std::nullopt;
  return std::make_pair(std::move(parsed->host), parsed->port);
}

bool is_own_proxy_status(std::string_view value) {
  return starts_with_nocase(value, kProxyStatusName) &&
         (value.size() == kProxyStatusName.size() || value[kProxyStatusName.size()] == ';' ||
          value[kProxyStatusName.size()] == ' ' || value[kProxyStatusName.size()] == ',');
}

EgressProxyStats EgressProxy::stats() const {
  EgressProxyStats out = state_->stats;
  out.open = 0;
  for (const auto& [id, c] : state_->connections) out.open += c->closed ? 0 : 1;
  return out;
}

}  // namespace tarvik::browser
