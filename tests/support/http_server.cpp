// The loopback test server: routes, misbehaviour on purpose, and a TLS port with a certificate made at run time.
#include "support/http_server.hpp"

#include <pthread.h>
#include <time.h>
#include <zlib.h>

#include <boost/asio/as_tuple.hpp>
#include <boost/asio/co_spawn.hpp>
#include <boost/asio/detached.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/use_awaitable.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/http/read.hpp>
#include <boost/beast/http/string_body.hpp>
#include <boost/asio/ssl.hpp>
#include <openssl/evp.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <algorithm>
#include <array>
#include <map>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <unordered_map>

namespace tarvik::test {

namespace asio = boost::asio;
namespace http = boost::beast::http;
using asio::ip::tcp;

namespace {

constexpr auto use_tuple = asio::as_tuple(asio::use_awaitable);

char lower_ascii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

std::string lower(std::string_view s) {
  std::string out(s);
  for (auto& c : out) c = lower_ascii(c);
  return out;
}

bool iequals(std::string_view a, std::string_view b) { return a.size() == b.size() && lower(a) == lower(b); }

std::optional<std::string> find_header(const Headers& headers, std::string_view name) {
  for (const auto& [key, value] : headers) {
    if (iequals(key, name)) return value;
  }
  return std::nullopt;
}

std::string host_without_port(std::string_view host) {
  if (!host.empty() && host.front() == '[') {
    const auto close = host.find(']');
    return lower(host.substr(1, close == std::string_view::npos ? host.size() : close - 1));
  }
  return lower(host.substr(0, host.find(':')));
}

std::string reason(unsigned status) {
  const auto text = http::obsolete_reason(static_cast<http::status>(status));
  return text.empty() ? std::string("Status") : std::string(text);
}

std::string compress(std::string_view data, int window_bits) {
  z_stream z{};
  if (deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, window_bits, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
    throw std::runtime_error("deflateInit2 failed");
  }
  std::string out(deflateBound(&z, data.size()), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  const int rc = ::deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  if (rc != Z_STREAM_END) throw std::runtime_error("deflate failed");
  return out;
}

// A self-signed certificate for localhost and 127.0.0.1 and its key, made
// once per process: nothing secret lives in the repository.
struct Credentials {
  EVP_PKEY* key = nullptr;
  X509* certificate = nullptr;
};

const Credentials& credentials() {
  static const Credentials made = [] {
    Credentials c;
    c.key = EVP_EC_gen("P-256");
    c.certificate = X509_new();
    if (!c.key || !c.certificate) throw std::runtime_error("cannot make a test certificate");
    X509_set_version(c.certificate, 2);
    ASN1_INTEGER_set(X509_get_serialNumber(c.certificate), 1);
    X509_gmtime_adj(X509_getm_notBefore(c.certificate), -3600);
    X509_gmtime_adj(X509_getm_notAfter(c.certificate), 7 * 86400);
    X509_set_pubkey(c.certificate, c.key);
    X509_NAME* name = X509_get_subject_name(c.certificate);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>("tarvik loopback test"),
                               -1, -1, 0);
    X509_set_issuer_name(c.certificate, name);
    X509V3_CTX ctx;
    X509V3_set_ctx_nodb(&ctx);
    X509V3_set_ctx(&ctx, c.certificate, c.certificate, nullptr, nullptr, 0);
    X509_EXTENSION* san = X509V3_EXT_conf_nid(nullptr, &ctx, NID_subject_alt_name, "DNS:localhost,IP:127.0.0.1");
    if (san) {
      X509_add_ext(c.certificate, san, -1);
      X509_EXTENSION_free(san);
    }
    if (X509_sign(c.certificate, c.key, EVP_sha256()) == 0) throw std::runtime_error("cannot sign a test certificate");
    return c;
  }();
  return made;
}

tcp::socket& raw(tcp::socket& s) { return s; }
tcp::socket& raw(asio::ssl::stream<tcp::socket>& s) { return s.next_layer(); }

}  // namespace

std::optional<std::string> Request::header(std::string_view name) const { return find_header(headers, name); }

struct HttpServer::Impl {
  struct Route {
    std::shared_ptr<const Reply> reply;  // served as is, never copied
    Handler handler;
  };
  struct Flight {
    std::size_t now = 0;
    std::size_t peak = 0;
  };

  mutable std::mutex mutex;
  std::map<std::pair<std::string, std::string>, Route> routes;
  std::vector<Request> log;
  std::unordered_map<std::string, Flight> flights;
  std::size_t accepted = 0;
  // Destroyed before the state above: sessions still open touch it on the way out.
  asio::io_context io;
  asio::ssl::context tls{asio::ssl::context::tls_server};
  tcp::acceptor acceptor{io};
  tcp::acceptor tls_acceptor{io};
  std::vector<std::thread> threads;

  std::shared_ptr<const Reply> answer(const Request& request) {
    Route route;
    {
      std::lock_guard lock(mutex);
      log.push_back(request);
      auto it = routes.find({request.host, request.path});
      if (it == routes.end()) it = routes.find({"*", request.path});
      if (it == routes.end()) {
        auto missing = std::make_shared<Reply>();
        missing->status = 404;
        missing->headers = {{"Content-Type", "text/plain"}};
        missing->body = "not found";
        return missing;
      }
      route = it->second;
    }
    return route.reply ? route.reply : std::make_shared<const Reply>(route.handler(request));
  }

  // Counts a request of one host while it is being answered.
  struct InFlight {
    Impl* impl;
    std::string host;
    InFlight(Impl* i, std::string h) : impl(i), host(std::move(h)) {
      std::lock_guard lock(impl->mutex);
      for (const std::string* key : {static_cast<const std::string*>(&host), &ALL}) {
        auto& f = impl->flights[*key];
        f.peak = std::max(f.peak, ++f.now);
      }
    }
    ~InFlight() {
      std::lock_guard lock(impl->mutex);
      --impl->flights[host].now;
      --impl->flights[ALL].now;
    }
    static inline const std::string ALL;  // the key counting every host
    InFlight(const InFlight&) = delete;
    InFlight& operator=(const InFlight&) = delete;
  };

  asio::awaitable<void> accept_loop(tcp::acceptor& from, bool secure) {
    for (;;) {
      auto [ec, socket] = co_await from.async_accept(use_tuple);
      if (ec) {
        if (ec == asio::error::operation_aborted || !from.is_open()) co_return;
        continue;
      }
      {
        std::lock_guard lock(mutex);
        ++accepted;
      }
      if (secure) {
        asio::co_spawn(io, tls_session(asio::ssl::stream<tcp::socket>(std::move(socket), tls)), asio::detached);
      } else {
        asio::co_spawn(io, session(std::move(socket), false), asio::detached);
      }
    }
  }

  asio::awaitable<void> tls_session(asio::ssl::stream<tcp::socket> stream) {
    auto [ec] = co_await stream.async_handshake(asio::ssl::stream_base::server, use_tuple);
    if (ec) co_return;
    co_await session(std::move(stream), true);
  }

  // Writes the pieces in order, without joining them first.
  template <typename Stream>
  static asio::awaitable<bool> send(Stream& socket, std::string_view a, std::string_view b = {},
                                    std::string_view c = {}) {
    const std::array<asio::const_buffer, 3> pieces = {asio::buffer(a.data(), a.size()), asio::buffer(b.data(), b.size()),
                                                      asio::buffer(c.data(), c.size())};
    auto [ec, n] = co_await asio::async_write(socket, pieces, use_tuple);
    co_return !ec;
  }

  asio::awaitable<void> pause(std::chrono::milliseconds d) {
    asio::steady_timer timer(io, d);
    co_await timer.async_wait(use_tuple);
  }

  template <typename Stream>
  asio::awaitable<void> session(Stream socket, bool secure) {
    boost::beast::flat_buffer buffer;
    for (;;) {
      http::request_parser<http::string_body> parser;
      parser.body_limit(std::uint64_t{64} << 20);
      auto [ec, n] = co_await http::async_read(socket, buffer, parser, use_tuple);
      if (ec) co_return;
      const auto& message = parser.get();
      Request request;
      request.method = std::string(message.method_string());
      request.target = std::string(message.target());
      request.path = request.target.substr(0, request.target.find('?'));
      for (const auto& field : message) request.headers.emplace_back(field.name_string(), field.value());
      request.host = host_without_port(find_header(request.headers, "Host").value_or(""));
      request.body = message.body();
      request.tls = secure;
      const bool keep_alive = message.keep_alive();
      const bool head = message.method() == http::verb::head;

      const auto answered = answer(request);
      const Reply& reply = *answered;
      InFlight counted(this, request.host);
      if (reply.delay.count() > 0) co_await pause(reply.delay);
      if (reply.reset) {
        boost::system::error_code ignored;
        raw(socket).set_option(asio::socket_base::linger(true, 0), ignored);
        raw(socket).close(ignored);
        co_return;
      }
      if (reply.hang) {
        // Wait for the client to give up (or the server to stop).
        char scratch[4096];
        for (;;) {
          auto [read_ec, got] = co_await socket.async_read_some(asio::buffer(scratch), use_tuple);
          if (read_ec) co_return;
        }
      }

      Chunks chunks = reply.stream ? reply.stream() : Chunks();
      const bool has_length = find_header(reply.headers, "Content-Length").has_value();
      const bool chunked = chunks && !has_length;
      char status[8];
      std::snprintf(status, sizeof status, "%03u", reply.status % 1000);  // always three digits
      std::string head_block = "HTTP/1.1 " + std::string(status) + " " + reason(reply.status) + "\r\n";
      for (const auto& [name, value] : reply.headers) head_block += name + ": " + value + "\r\n";
      if (chunked) {
        head_block += "Transfer-Encoding: chunked\r\n";
      } else if (!has_length) {
        head_block += "Content-Length: " + std::to_string(reply.body.size()) + "\r\n";
      }
      if (!keep_alive) head_block += "Connection: close\r\n";
      head_block += "\r\n";
      if (head) {
        if (!co_await send(socket, head_block)) co_return;
      } else if (reply.drip.count() > 0) {
        if (!co_await send(socket, head_block)) co_return;
        for (char c : reply.body) {
          if (!co_await send(socket, std::string_view(&c, 1))) co_return;
          co_await pause(reply.drip);
        }
      } else {
        const auto size_line = [&](std::string_view piece) {
          char size[32];
          std::snprintf(size, sizeof size, "%zx\r\n", piece.size());
          return chunked ? std::string(size) : std::string();
        };
        std::string_view end_of_chunk = chunked ? "\r\n" : "";
        if (reply.body.empty()) {
          if (!co_await send(socket, head_block)) co_return;
        } else {
          head_block += size_line(reply.body);
          if (!co_await send(socket, head_block, reply.body, end_of_chunk)) co_return;
        }
        while (chunks) {
          auto piece = chunks();
          if (!piece) break;
          if (piece->empty()) continue;
          const std::string size = size_line(*piece);
          if (!co_await send(socket, size, *piece, end_of_chunk)) co_return;
        }
        if (chunked && !co_await send(socket, "0\r\n\r\n")) co_return;
      }
      if (!keep_alive) {
        boost::system::error_code ignored;
        if (secure) {
          raw(socket).close(ignored);  // no close_notify wait: a test server need not be polite
        } else {
          raw(socket).shutdown(tcp::socket::shutdown_send, ignored);
        }
        co_return;
      }
    }
  }
};

HttpServer::HttpServer(unsigned threads) : impl_(std::make_unique<Impl>()) {
  auto& a = impl_->acceptor;
  const tcp::endpoint endpoint(asio::ip::make_address("127.0.0.1"), 0);
  a.open(endpoint.protocol());
  a.set_option(asio::socket_base::reuse_address(true));
  a.bind(endpoint);
  a.listen(asio::socket_base::max_listen_connections);
  const Credentials& c = credentials();
  SSL_CTX_use_certificate(impl_->tls.native_handle(), c.certificate);
  SSL_CTX_use_PrivateKey(impl_->tls.native_handle(), c.key);
  auto& t = impl_->tls_acceptor;
  t.open(endpoint.protocol());
  t.set_option(asio::socket_base::reuse_address(true));
  t.bind(endpoint);
  t.listen(asio::socket_base::max_listen_connections);
  asio::co_spawn(impl_->io, impl_->accept_loop(impl_->acceptor, false), asio::detached);
  asio::co_spawn(impl_->io, impl_->accept_loop(impl_->tls_acceptor, true), asio::detached);
  for (unsigned i = 0; i < std::max(threads, 1u); ++i) {
    impl_->threads.emplace_back([this] { impl_->io.run(); });
  }
}

HttpServer::~HttpServer() {
  impl_->io.stop();
  for (auto& t : impl_->threads) t.join();
}

std::uint16_t HttpServer::port() const { return impl_->acceptor.local_endpoint().port(); }
std::uint16_t HttpServer::tls_port() const { return impl_->tls_acceptor.local_endpoint().port(); }

void HttpServer::route(std::string host, std::string path, Reply reply) {
  std::lock_guard lock(impl_->mutex);
  impl_->routes[{lower(host), std::move(path)}] = Impl::Route{std::make_shared<const Reply>(std::move(reply)), {}};
}

void HttpServer::route(std::string host, std::string path, Handler handler) {
  std::lock_guard lock(impl_->mutex);
  impl_->routes[{lower(host), std::move(path)}] = Impl::Route{nullptr, std::move(handler)};
}

std::string HttpServer::url(std::string_view host, std::string_view target) const {
  return "http://" + std::string(host) + std::string(target);
}

std::string HttpServer::https_url(std::string_view host, std::string_view target) const {
  return "https://" + std::string(host) + std::string(target);
}

core::HostMapping HttpServer::mapping() const { return {"", "80", "127.0.0.1", std::to_string(port())}; }
core::HostMapping HttpServer::tls_mapping() const { return {"", "443", "127.0.0.1", std::to_string(tls_port())}; }

std::vector<Request> HttpServer::requests() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->log;
}

std::size_t HttpServer::count(std::string_view host, std::string_view path) const {
  std::lock_guard lock(impl_->mutex);
  return static_cast<std::size_t>(std::count_if(impl_->log.begin(), impl_->log.end(), [&](const Request& r) {
    return r.host == lower(host) && r.path == path;
  }));
}

std::size_t HttpServer::peak_in_flight(std::string_view host) const {
  std::lock_guard lock(impl_->mutex);
  const auto it = impl_->flights.find(lower(host));
  return it == impl_->flights.end() ? 0 : it->second.peak;
}

std::size_t HttpServer::connections() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->accepted;
}

void HttpServer::clear_log() {
  std::lock_guard lock(impl_->mutex);
  impl_->log.clear();
  impl_->accepted = 0;
  for (auto& [host, flight] : impl_->flights) flight.peak = flight.now;
}

double HttpServer::cpu_seconds() const {
  double total = 0;
  for (auto& t : impl_->threads) {
    clockid_t clock;
    timespec ts{};
    if (pthread_getcpuclockid(const_cast<std::thread&>(t).native_handle(), &clock) == 0 &&
        clock_gettime(clock, &ts) == 0) {
      total += static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
    }
  }
  return total;
}

Reply html(std::string body, std::string content_type) {
  Reply reply;
  reply.headers = {{"Content-Type", std::move(content_type)}};
  reply.body = std::move(body);
  return reply;
}

Reply redirect(std::string location, unsigned status) {
  Reply reply;
  reply.status = status;
  reply.headers = {{"Location", std::move(location)}, {"Content-Type", "text/html"}};
  reply.body = "<a href=\"elsewhere\">moved</a>";
  return reply;
}

Reply encoded(Reply reply, const std::vector<std::string>& codings) {
  std::string names;
  for (const auto& coding : codings) {
    if (coding == "gzip") {
      reply.body = gzip(reply.body);
    } else if (coding == "deflate") {
      reply.body = deflate(reply.body);
    } else if (coding != "identity") {
      throw std::invalid_argument("unknown coding " + coding);
    }
    names += (names.empty() ? "" : ", ") + coding;
  }
  reply.headers.emplace_back("Content-Encoding", names);
  return reply;
}

Reply filler(std::uint64_t bytes, std::string content_type) {
  Reply reply;
  reply.headers = {{"Content-Type", std::move(content_type)}, {"Content-Length", std::to_string(bytes)}};
  reply.stream = [bytes] {
    return Chunks([left = bytes]() mutable -> std::optional<std::string> {
      static const std::string block = [] {
        std::string b;
        while (b.size() < 64 * 1024) b += "<p>filler filler filler filler filler filler filler</p>\n";
        return b.substr(0, 64 * 1024);
      }();
      if (left == 0) return std::nullopt;
      const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(left, block.size()));
      left -= n;
      return block.substr(0, n);
    });
  };
  return reply;
}

Reply gzip_bomb(std::uint64_t decoded_bytes) {
  Reply reply;
  reply.headers = {{"Content-Type", "text/html"}, {"Content-Encoding", "gzip"}};
  reply.stream = [decoded_bytes] {
    auto z = std::shared_ptr<z_stream>(new z_stream{}, [](z_stream* p) {
      deflateEnd(p);
      delete p;
    });
    if (deflateInit2(z.get(), Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
      throw std::runtime_error("deflateInit2 failed");
    }
    return Chunks([z, left = decoded_bytes, done = false]() mutable -> std::optional<std::string> {
      static const std::string zeros(1 << 20, '\0');
      if (done) return std::nullopt;
      const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(left, zeros.size()));
      left -= n;
      std::string out(zeros.size() / 512 + 1024, '\0');
      z->next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zeros.data()));
      z->avail_in = static_cast<uInt>(n);
      z->next_out = reinterpret_cast<Bytef*>(out.data());
      z->avail_out = static_cast<uInt>(out.size());
      const int flush = left == 0 ? Z_FINISH : Z_SYNC_FLUSH;
      std::string result;
      for (;;) {
        const int rc = ::deflate(z.get(), flush);
        result.append(out.data(), out.size() - z->avail_out);
        if (rc == Z_STREAM_END) {
          done = true;
          break;
        }
        if (z->avail_in == 0 && z->avail_out != 0) break;
        z->next_out = reinterpret_cast<Bytef*>(out.data());
        z->avail_out = static_cast<uInt>(out.size());
      }
      return result;
    });
  };
  return reply;
}

std::string gzip(std::string_view data) { return compress(data, 15 + 16); }
std::string deflate(std::string_view data) { return compress(data, 15); }

}  // namespace tarvik::test
