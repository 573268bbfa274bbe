// Client hello parsing and JA4, so that tests can tell a browser's TLS stack from another's.
#include "support/client_hello.hpp"

#include <openssl/sha.h>

#include <boost/asio/as_tuple.hpp>
#include <boost/asio/co_spawn.hpp>
#include <boost/asio/detached.hpp>
#include <boost/asio/experimental/awaitable_operators.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/use_awaitable.hpp>

#include <algorithm>
#include <array>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

namespace tarvik::test {

namespace asio = boost::asio;
using asio::ip::tcp;

namespace {

// A bounds-checked reader of big-endian fields.
struct Reader {
  std::string_view data;
  bool ok = true;
  std::uint32_t take(std::size_t bytes) {
    if (!ok || data.size() < bytes) {
      ok = false;
      return 0;
    }
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < bytes; ++i) v = (v << 8) | static_cast<unsigned char>(data[i]);
    data.remove_prefix(bytes);
    return v;
  }
  std::string_view block(std::size_t length_bytes) {
    const std::size_t n = take(length_bytes);
    if (!ok || data.size() < n) {
      ok = false;
      return {};
    }
    const std::string_view out = data.substr(0, n);
    data.remove_prefix(n);
    return out;
  }
};

// The handshake bytes carried by the leading handshake records.
std::optional<std::string> handshake_bytes(std::string_view records) {
  std::string out;
  Reader r{records};
  while (r.ok && !r.data.empty()) {
    const auto type = r.take(1);
    r.take(2);
    const std::string_view fragment = r.block(2);
    if (!r.ok || type != 22) break;
    out.append(fragment);
  }
  return out.empty() ? std::nullopt : std::optional<std::string>(out);
}

std::string sha256_12(const std::string& text) {
  unsigned char digest[SHA256_DIGEST_LENGTH];
  SHA256(reinterpret_cast<const unsigned char*>(text.data()), text.size(), digest);
  char hex[2 * SHA256_DIGEST_LENGTH + 1];
  for (int i = 0; i < SHA256_DIGEST_LENGTH; ++i) std::snprintf(hex + 2 * i, 3, "%02x", digest[i]);
  return std::string(hex, 12);
}

std::string hex4(std::uint16_t v) {
  char out[5];
  std::snprintf(out, sizeof out, "%04x", v);
  return out;
}

std::string joined(const std::vector<std::uint16_t>& values) {
  std::string out;
  for (auto v : values) {
    if (!out.empty()) out += ',';
    out += hex4(v);
  }
  return out;
}

}  // namespace

bool is_grease(std::uint16_t v) { return (v & 0x0f0f) == 0x0a0a && (v >> 8) == (v & 0xff); }

std::optional<ClientHello> parse_client_hello(std::string_view bytes) {
  const auto handshake = handshake_bytes(bytes);
  if (!handshake) return std::nullopt;
  Reader r{*handshake};
  if (r.take(1) != 1) return std::nullopt;  // client_hello
  Reader body{r.block(3)};
  if (!r.ok) return std::nullopt;
  ClientHello hello;
  hello.version = static_cast<std::uint16_t>(body.take(2));
  body.take(32);   // random
  body.block(1);   // session id
  Reader ciphers{body.block(2)};
  while (ciphers.ok && !ciphers.data.empty()) hello.ciphers.push_back(static_cast<std::uint16_t>(ciphers.take(2)));
  body.block(1);  // compression methods
  Reader extensions{body.block(2)};
  if (!body.ok || !ciphers.ok) return std::nullopt;
  while (extensions.ok && !extensions.data.empty()) {
    const auto type = static_cast<std::uint16_t>(extensions.take(2));
    Reader data{extensions.block(2)};
    if (!extensions.ok) return std::nullopt;
    hello.extensions.push_back(type);
    if (type == 0x0000) {  // server_name
      Reader list{data.block(2)};
      list.take(1);
      hello.server_name = std::string(list.block(2));
    } else if (type == 0x0010) {  // ALPN
      Reader list{data.block(2)};
      while (list.ok && !list.data.empty()) hello.alpn.emplace_back(list.block(1));
    } else if (type == 0x002b) {  // supported_versions
      Reader list{data.block(1)};
      while (list.ok && !list.data.empty()) hello.supported_versions.push_back(static_cast<std::uint16_t>(list.take(2)));
    } else if (type == 0x000d || type == 0x000a) {  // signature_algorithms, supported_groups
      auto& into = type == 0x000d ? hello.signature_algorithms : hello.groups;
      Reader list{data.block(2)};
      while (list.ok && !list.data.empty()) into.push_back(static_cast<std::uint16_t>(list.take(2)));
    }
  }
  return hello;
}

std::string ja4(const ClientHello& hello) {
  std::vector<std::uint16_t> ciphers, extensions, signatures;
  for (auto c : hello.ciphers)
    if (!is_grease(c)) ciphers.push_back(c);
  for (auto e : hello.extensions)
    if (!is_grease(e)) extensions.push_back(e);
  for (auto s : hello.signature_algorithms)
    if (!is_grease(s)) signatures.push_back(s);
  std::uint16_t version = hello.version;
  for (auto v : hello.supported_versions)
    if (!is_grease(v)) version = std::max(version, v);
  const char* tls = version == 0x0304 ? "13" : version == 0x0303 ? "12" : version == 0x0302 ? "11" : "10";
  std::string alpn = "00";
  if (!hello.alpn.empty() && !hello.alpn.front().empty())
    alpn = std::string(1, hello.alpn.front().front()) + hello.alpn.front().back();
  char counts[8];
  std::snprintf(counts, sizeof counts, "%02zu%02zu", std::min<std::size_t>(ciphers.size(), 99),
                std::min<std::size_t>(extensions.size(), 99));
  const bool domain = !hello.server_name.empty();
  std::string a = std::string("t") + tls + (domain ? "d" : "i") + counts + alpn;

  std::sort(ciphers.begin(), ciphers.end());
  std::vector<std::uint16_t> sorted_extensions;
  for (auto e : extensions)
    if (e != 0x0000 && e != 0x0010) sorted_extensions.push_back(e);
  std::sort(sorted_extensions.begin(), sorted_extensions.end());
  std::string c_text = joined(sorted_extensions);
  if (!signatures.empty()) c_text.append("_").append(joined(signatures));
  return a + "_" + sha256_12(joined(ciphers)) + "_" + sha256_12(c_text);
}

struct HelloCatcher::Impl {
  asio::io_context io;
  tcp::acceptor acceptor{io};
  mutable std::mutex mutex;
  mutable std::condition_variable arrived;
  std::vector<ClientHello> hellos;
  std::thread thread;

  asio::awaitable<void> accept_loop() {
    for (;;) {
      auto [ec, socket] = co_await acceptor.async_accept(asio::as_tuple(asio::use_awaitable));
      if (ec) co_return;
      asio::co_spawn(io, read_hello(std::move(socket)), asio::detached);
    }
  }

  asio::awaitable<void> read_hello(tcp::socket socket) {
    using namespace asio::experimental::awaitable_operators;
    asio::steady_timer limit(io, std::chrono::seconds(5));
    std::string bytes;
    std::array<char, 4096> buffer;
    while (bytes.size() < 65536) {
      auto result = co_await (socket.async_read_some(asio::buffer(buffer), asio::as_tuple(asio::use_awaitable)) ||
                              limit.async_wait(asio::as_tuple(asio::use_awaitable)));
      if (result.index() == 1) break;
      auto [ec, n] = std::get<0>(result);
      bytes.append(buffer.data(), n);
      if (auto hello = parse_client_hello(bytes)) {
        std::lock_guard lock(mutex);
        hellos.push_back(std::move(*hello));
        arrived.notify_all();
        break;
      }
      if (ec) break;
    }
    boost::system::error_code ignored;
    socket.close(ignored);
  }
};

HelloCatcher::HelloCatcher() : impl_(std::make_unique<Impl>()) {
  const tcp::endpoint endpoint(asio::ip::make_address("127.0.0.1"), 0);
  impl_->acceptor.open(endpoint.protocol());
  impl_->acceptor.bind(endpoint);
  impl_->acceptor.listen(asio::socket_base::max_listen_connections);
  asio::co_spawn(impl_->io, impl_->accept_loop(), asio::detached);
  impl_->thread = std::thread([this] { impl_->io.run(); });
}

HelloCatcher::~HelloCatcher() {
  impl_->io.stop();
  impl_->thread.join();
}

std::uint16_t HelloCatcher::port() const { return impl_->acceptor.local_endpoint().port(); }

std::vector<ClientHello> HelloCatcher::hellos() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->hellos;
}

std::optional<ClientHello> HelloCatcher::wait_first(std::chrono::milliseconds limit) const {
  std::unique_lock lock(impl_->mutex);
  if (!impl_->arrived.wait_for(lock, limit, [&] { return !impl_->hellos.empty(); })) return std::nullopt;
  return impl_->hellos.front();
}

}  // namespace tarvik::test
