// TLS client hellos as a server first sees them, and their JA4 fingerprint:
// for tests that check which TLS stack a client really is.
//
// `HelloCatcher` listens on 127.0.0.1 at a free port on its own thread, reads
// the first TLS record(s) of each connection up to the end of the client
// hello (at most 64 KiB, at most 5 s a connection), keeps the bytes and closes
// the connection: no TLS server is needed, the client simply fails.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik::test {

struct ClientHello {
  std::uint16_t version = 0;               // legacy_version of the hello
  std::vector<std::uint16_t> ciphers;      // in order, GREASE included
  std::vector<std::uint16_t> extensions;   // in order, GREASE included
  std::vector<std::string> alpn;
  std::vector<std::uint16_t> supported_versions;
  std::vector<std::uint16_t> signature_algorithms;
  std::vector<std::uint16_t> groups;       // supported_groups, GREASE included
  std::string server_name;
};

// GREASE values (RFC 8701): 0x0a0a, 0x1a1a, ... 0xfafa.
bool is_grease(std::uint16_t value);

// The hello in `bytes` (TLS records from the start of a connection); none
// when they hold no whole, well-formed client hello.
std::optional<ClientHello> parse_client_hello(std::string_view bytes);

// JA4 (TCP): "t13d1517h2_<12 hex>_<12 hex>", GREASE values left out.
std::string ja4(const ClientHello& hello);

class HelloCatcher {
 public:
  HelloCatcher();
  ~HelloCatcher();
  HelloCatcher(const HelloCatcher&) = delete;
  HelloCatcher& operator=(const HelloCatcher&) = delete;

  std::uint16_t port() const;
  // The hellos caught so far, in arrival order (connections that sent no
  // whole hello are left out).
  std::vector<ClientHello> hellos() const;
  // Waits until a hello has arrived or `limit` passed.
  std::optional<ClientHello> wait_first(std::chrono::milliseconds limit) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace tarvik::test
