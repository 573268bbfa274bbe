// The browser's egress proxy on its own, driven by raw clients: what it
// tunnels, what it refuses, and that it holds nothing once a client is gone.
#include <dirent.h>

#include <gtest/gtest.h>

#include <boost/asio/as_tuple.hpp>
#include <boost/asio/connect.hpp>
#include <boost/asio/experimental/awaitable_operators.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/this_coro.hpp>
#include <boost/asio/use_awaitable.hpp>
#include <boost/asio/write.hpp>

#include <array>
#include <string>
#include <thread>

#include "support/http_server.hpp"
#include "support/loop.hpp"
#include "tarvik/browser/egress_proxy.hpp"

namespace {

namespace asio = boost::asio;
using asio::ip::tcp;
using namespace std::chrono_literals;
using namespace asio::experimental::awaitable_operators;
using tarvik::browser::EgressProxy;
using tarvik::browser::EgressProxyOptions;
using tarvik::test::html;
using tarvik::test::HttpServer;
using tarvik::test::run_within;
constexpr auto use_tuple = asio::as_tuple(asio::use_awaitable);

std::size_t open_descriptors() {
  std::size_t n = 0;
  if (DIR* d = opendir("/proc/self/fd")) {
    while (readdir(d)) ++n;
    closedir(d);
  }
  return n;
}

// Sends `bytes` to the proxy and returns what comes back until the proxy
// closes or `limit` passes.
asio::awaitable<std::string> ask(std::uint16_t port, std::string bytes, std::chrono::milliseconds limit = 3000ms) {
  auto executor = co_await asio::this_coro::executor;
  tcp::socket socket(executor);
  co_await socket.async_connect({asio::ip::make_address("127.0.0.1"), port}, asio::use_awaitable);
  if (!bytes.empty()) co_await asio::async_write(socket, asio::buffer(bytes), use_tuple);
  asio::steady_timer timer(executor, limit);
  std::string got;
  std::array<char, 4096> buffer;
  for (;;) {
    auto result = co_await (socket.async_read_some(asio::buffer(buffer), use_tuple) || timer.async_wait(use_tuple));
    if (result.index() == 1) break;
    auto [ec, n] = std::get<0>(result);
    got.append(buffer.data(), n);
    if (ec) break;
  }
  co_return got;
}

std::string status_line(const std::string& reply) { return reply.substr(0, reply.find("\r\n")); }

TEST(EgressProxy, ChecksEveryTarget) {
  HttpServer server;
  server.route("*", "/secret", html("the secret"));
  server.route("shop.test", "/x", html("shop page"));
  const std::string port = std::to_string(server.port());
  // A port nothing listens on: bound, then closed.
  const std::string closed_port = [] {
    asio::io_context io;
    tcp::acceptor a(io, {asio::ip::make_address("127.0.0.1"), 0});
    return std::to_string(a.local_endpoint().port());
  }();
  const std::string get = "GET /secret HTTP/1.1\r\nHost: a.test\r\nConnection: close\r\n\r\n";
  struct Row {
    const char* label;
    std::string request;
    std::string status;        // first line of the proxy's reply
    std::string body_has = {};  // in the reply, when given
    bool refuse_all = false;
  };
  const Row rows[] = {
      {"CONNECT through a mapping to its exact address and port", "CONNECT shop.test:80 HTTP/1.1\r\n\r\n" + get,
       "HTTP/1.1 200 Connection Established", "the secret"},
      {"absolute-form request forwarded with origin-form target",
       "GET http://shop.test/x?y=1 HTTP/1.1\r\nHost: shop.test\r\nProxy-Connection: keep-alive\r\n\r\n",
       "HTTP/1.1 200 OK", "shop page"},
      {"loopback literal", "CONNECT 127.0.0.1:" + port + " HTTP/1.1\r\n\r\n" + get, "HTTP/1.1 403 Forbidden"},
      {"private 10.x", "CONNECT 10.1.2.3:443 HTTP/1.1\r\n\r\n", "HTTP/1.1 403 Forbidden"},
      {"cloud metadata address", "GET http://169.254.169.254/latest/meta-data/ HTTP/1.1\r\n\r\n",
       "HTTP/1.1 403 Forbidden"},
      {"IPv4-mapped loopback", "CONNECT [::ffff:127.0.0.1]:" + port + " HTTP/1.1\r\n\r\n", "HTTP/1.1 403 Forbidden"},
      {"IPv6 loopback", "CONNECT [::1]:" + port + " HTTP/1.1\r\n\r\n", "HTTP/1.1 403 Forbidden"},
      {"a name that resolves to loopback", "CONNECT localhost:" + port + " HTTP/1.1\r\n\r\n", "HTTP/1.1 403 Forbidden"},
      {"a mapping to a name, not an address, earns no exemption", "CONNECT inner.test:443 HTTP/1.1\r\n\r\n",
       "HTTP/1.1 403 Forbidden"},
      {"refused port behind a mapping", "CONNECT dead.test:443 HTTP/1.1\r\n\r\n", "HTTP/1.1 502 Bad Gateway"},
      {"https in absolute form", "GET https://shop.test/ HTTP/1.1\r\n\r\n", "HTTP/1.1 400 Bad Request"},
      {"user info in the URL", "GET http://user@shop.test/x HTTP/1.1\r\n\r\n", "HTTP/1.1 400 Bad Request"},
      {"CONNECT without a port", "CONNECT shop.test HTTP/1.1\r\n\r\n", "HTTP/1.1 400 Bad Request"},
      {"port out of range", "CONNECT shop.test:65536 HTTP/1.1\r\n\r\n", "HTTP/1.1 400 Bad Request"},
      {"host with a slash", "CONNECT shop.test/x:443 HTTP/1.1\r\n\r\n", "HTTP/1.1 400 Bad Request"},
      {"not HTTP at all", std::string("\x16\x03\x01\x00\x05hello\r\n\r\n", 14), "HTTP/1.1 400 Bad Request"},
      {"request head over the limit", "GET http://shop.test/x HTTP/1.1\r\nX: " + std::string(70000, 'a') + "\r\n\r\n",
       "HTTP/1.1 400 Bad Request"},
      {"replay: nothing is connected, mapped or not", "CONNECT shop.test:80 HTTP/1.1\r\n\r\n", "HTTP/1.1 403 Forbidden",
       "", true},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.label);
    run_within(10s, [&]() -> asio::awaitable<void> {
      EgressProxyOptions options;
      options.connect_to = {{"shop.test", "80", "127.0.0.1", port},
                            {"inner.test", "443", "localhost", port},
                            {"dead.test", "443", "127.0.0.1", closed_port}};
      options.refuse_all = r.refuse_all;
      EgressProxy proxy(co_await asio::this_coro::executor, options);
      const std::string reply = co_await ask(proxy.port(), r.request);
      EXPECT_EQ(status_line(reply), r.status) << reply.substr(0, 300);
      // The proxy's own replies say so, for the recorder to tell them from an origin's.
      EXPECT_EQ(reply.find("\r\nProxy-Status: tarvik-egress; error=") != std::string::npos,
                r.status.find(" 200 ") == std::string::npos)
          << reply.substr(0, 300);
      if (!r.body_has.empty()) {
        EXPECT_NE(reply.find(r.body_has), std::string::npos) << reply.substr(0, 300);
      }
    }());
  }
  // Only the two allowed rows reached the server, the forwarded one in origin form.
  std::vector<std::string> seen;
  for (const auto& q : server.requests()) {
    seen.push_back(q.host + " " + q.target);
    EXPECT_FALSE(q.header("Proxy-Connection")) << q.target;
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"a.test /secret", "shop.test /x?y=1"}));
}

// Faults of clients and origins: each ends its own connection, nothing stays open.
TEST(EgressProxy, FaultsEndOnlyTheirConnection) {
  HttpServer server;
  tarvik::test::Reply reset;
  reset.reset = true;
  reset.delay = 50ms;
  server.route("*", "/reset", reset);
  server.route("*", "/ok", html("fine"));
  const std::size_t before = open_descriptors();
  run_within(30s, [&]() -> asio::awaitable<void> {
    auto executor = co_await asio::this_coro::executor;
    EgressProxyOptions options;
    options.connect_to = {{"", "80", "127.0.0.1", std::to_string(server.port())}};
    options.handshake_timeout = 300ms;
    options.idle_timeout = 400ms;
    options.max_connections = 64;
    EgressProxy proxy(executor, options);
    const std::uint16_t port = proxy.port();
    const auto start = std::chrono::steady_clock::now();

    // A client that never sends its request line is dropped at the handshake time-out.
    EXPECT_EQ(co_await ask(port, "", 5s), "");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
    EXPECT_EQ(proxy.stats().malformed, 1u);

    // An origin that resets mid-answer ends the tunnel.
    const std::string reply =
        co_await ask(port, "CONNECT a.test:80 HTTP/1.1\r\n\r\nGET /reset HTTP/1.1\r\nHost: a.test\r\n\r\n", 5s);
    EXPECT_EQ(status_line(reply), "HTTP/1.1 200 Connection Established");
    EXPECT_EQ(reply.find("fine"), std::string::npos);

    // A silent tunnel is closed at the idle time-out.
    const auto idle_start = std::chrono::steady_clock::now();
    EXPECT_EQ(status_line(co_await ask(port, "CONNECT a.test:80 HTTP/1.1\r\n\r\n", 5s)),
              "HTTP/1.1 200 Connection Established");
    EXPECT_LT(std::chrono::steady_clock::now() - idle_start, 3s);

    // 1,000 tunnels at once: at most the cap are served, the rest refused at once.
    std::vector<std::unique_ptr<tcp::socket>> clients;
    for (int i = 0; i < 1000; ++i) {
      auto s = std::make_unique<tcp::socket>(executor);
      auto [ec] = co_await s->async_connect({asio::ip::make_address("127.0.0.1"), port}, use_tuple);
      if (ec) continue;
      const std::string connect = "CONNECT a.test:80 HTTP/1.1\r\n\r\n";
      co_await asio::async_write(*s, asio::buffer(connect), use_tuple);
      clients.push_back(std::move(s));
    }
    asio::steady_timer pause(executor);
    for (int i = 0; i < 250 && proxy.stats().accepted < clients.size() + 3; ++i) {
      pause.expires_after(20ms);
      co_await pause.async_wait(use_tuple);
    }
    EXPECT_EQ(proxy.stats().accepted, clients.size() + 3);
    EXPECT_LE(proxy.stats().open, 64u);
    EXPECT_GT(proxy.stats().over_capacity, 0u);
    // The browser killed mid-tunnel: its sockets vanish, the proxy lets go.
    clients.clear();
    pause.expires_after(200ms);
    co_await pause.async_wait(use_tuple);
    EXPECT_EQ(proxy.stats().open, 0u);

    // Stopping closes the tunnels that are still open.
    tcp::socket held(executor);
    co_await held.async_connect({asio::ip::make_address("127.0.0.1"), port}, asio::use_awaitable);
    const std::string connect = "CONNECT a.test:80 HTTP/1.1\r\n\r\n";
    co_await asio::async_write(held, asio::buffer(connect), use_tuple);
    pause.expires_after(100ms);
    co_await pause.async_wait(use_tuple);
    proxy.stop();
    std::array<char, 256> buffer;
    boost::system::error_code ec;
    for (int i = 0; i < 4 && !ec; ++i) {
      auto [read_ec, n] = co_await held.async_read_some(asio::buffer(buffer), use_tuple);
      ec = read_ec;
    }
    EXPECT_TRUE(ec) << "the tunnel stayed open after stop()";
  }());
  // The server closes its ends of the tunnels on its own thread: give it a moment.
  for (int i = 0; i < 100 && open_descriptors() != before; ++i) std::this_thread::sleep_for(20ms);
  EXPECT_EQ(open_descriptors(), before);
}

}  // namespace
