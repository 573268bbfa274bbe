#include <gtest/gtest.h>

#include <boost/asio/ip/address.hpp>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/fetches.hpp"
#include "support/http_server.hpp"
#include "support/loop.hpp"
#include "tarvik/fetcher/fetcher.hpp"

namespace asio = boost::asio;
using tarvik::core::FetchOptions;
using tarvik::core::HostMapping;
using tarvik::core::is_public_address;
using tarvik::core::parse_connect_to;

namespace {

struct AddressCase {
  const char* block;
  const char* address;
  bool is_public;
};

}  // namespace

// Each refused block at both edges and just outside them.
TEST(AddressGuard, SpecialPurposeBlocks) {
  const AddressCase cases[] = {
      {"ordinary", "8.8.8.8", true},
      {"ordinary", "1.1.1.1", true},
      {"0/8", "0.0.0.0", false},
      {"0/8", "0.255.255.255", false},
      {"0/8", "1.0.0.0", true},
      {"10/8", "9.255.255.255", true},
      {"10/8", "10.0.0.0", false},
      {"10/8", "10.255.255.255", false},
      {"10/8", "11.0.0.0", true},
      {"100.64/10", "100.63.255.255", true},
      {"100.64/10", "100.64.0.0", false},
      {"100.64/10", "100.127.255.255", false},
      {"100.64/10", "100.128.0.0", true},
      {"127/8", "126.255.255.255", true},
      {"127/8", "127.0.0.0", false},
      {"127/8", "127.255.255.255", false},
      {"127/8", "128.0.0.0", true},
      {"169.254/16", "169.253.255.255", true},
      {"169.254/16", "169.254.0.0", false},
      {"169.254/16 cloud metadata", "169.254.169.254", false},
      {"169.254/16", "169.254.255.255", false},
      {"169.254/16", "169.255.0.0", true},
      {"172.16/12", "172.15.255.255", true},
      {"172.16/12", "172.16.0.0", false},
      {"172.16/12", "172.31.255.255", false},
      {"172.16/12", "172.32.0.0", true},
      {"192.0.0/24", "191.255.255.255", true},
      {"192.0.0/24", "192.0.0.0", false},
      {"192.0.0/24", "192.0.0.255", false},
      {"192.0.0/24", "192.0.1.0", true},
      {"192.0.2/24", "192.0.1.255", true},
      {"192.0.2/24", "192.0.2.0", false},
      {"192.0.2/24", "192.0.2.255", false},
      {"192.0.2/24", "192.0.3.0", true},
      {"192.88.99/24", "192.88.98.255", true},
      {"192.88.99/24", "192.88.99.0", false},
      {"192.88.99/24", "192.88.99.255", false},
      {"192.88.99/24", "192.88.100.0", true},
      {"192.168/16", "192.167.255.255", true},
      {"192.168/16", "192.168.0.0", false},
      {"192.168/16", "192.168.255.255", false},
      {"192.168/16", "192.169.0.0", true},
      {"198.18/15", "198.17.255.255", true},
      {"198.18/15", "198.18.0.0", false},
      {"198.18/15", "198.19.255.255", false},
      {"198.18/15", "198.20.0.0", true},
      {"198.51.100/24", "198.51.99.255", true},
      {"198.51.100/24", "198.51.100.0", false},
      {"198.51.100/24", "198.51.100.255", false},
      {"198.51.100/24", "198.51.101.0", true},
      {"203.0.113/24", "203.0.112.255", true},
      {"203.0.113/24", "203.0.113.0", false},
      {"203.0.113/24", "203.0.113.255", false},
      {"203.0.113/24", "203.0.114.0", true},
      {"224/4 multicast", "223.255.255.255", true},
      {"224/4 multicast", "224.0.0.0", false},
      {"224/4 multicast", "239.255.255.255", false},
      {"240/4 reserved", "240.0.0.0", false},
      {"240/4 broadcast", "255.255.255.255", false},

      {"ordinary", "2606:4700:4700::1111", true},
      {"unspecified", "::", false},
      {"loopback", "::1", false},
      {"::/96 compatible", "::8.8.8.8", true},
      {"::/96 compatible", "::10.0.0.1", false},
      {"::/96 compatible", "::255.255.255.255", false},
      {"::ffff:0:0/96 mapped", "::fffe:ffff:ffff", false},
      {"::ffff:0:0/96 mapped", "::ffff:0.0.0.0", false},
      {"::ffff:0:0/96 mapped", "::ffff:8.8.8.8", true},
      {"::ffff:0:0/96 mapped", "::ffff:127.0.0.1", false},
      {"::ffff:0:0/96 mapped", "::ffff:169.254.169.254", false},
      {"::ffff:0:0/96 mapped", "::1:0:0:0", false},
      {"64:ff9b::/96 NAT64", "64:ff9b::", false},
      {"64:ff9b::/96 NAT64", "64:ff9b::8.8.8.8", true},
      {"64:ff9b::/96 NAT64", "64:ff9b::192.168.1.1", false},
      {"64:ff9b::/96 NAT64", "64:ff9b::255.255.255.255", false},
      {"64:ff9b::/96 NAT64", "64:ff9b::1:0:0", false},
      {"64:ff9b:1::/48 local NAT64", "64:ff9b:1::8.8.8.8", false},
      {"100::/64 discard", "100::", false},
      {"2000::/3", "1fff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", false},
      {"2000::/3", "2000::", true},
      {"2000::/3", "3fff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", true},
      {"2000::/3", "4000::", false},
      {"2001::/23", "2000:ffff:ffff:ffff:ffff:ffff:ffff:ffff", true},
      {"2001::/23 Teredo", "2001::", false},
      {"2001::/23", "2001:1ff:ffff:ffff:ffff:ffff:ffff:ffff", false},
      {"2001::/23", "2001:200::", true},
      {"2001:db8::/32", "2001:db7:ffff:ffff:ffff:ffff:ffff:ffff", true},
      {"2001:db8::/32", "2001:db8::", false},
      {"2001:db8::/32", "2001:db8:ffff:ffff:ffff:ffff:ffff:ffff", false},
      {"2001:db8::/32", "2001:db9::", true},
      {"2002::/16 6to4", "2001:ffff:ffff:ffff:ffff:ffff:ffff:ffff", true},
      {"2002::/16 6to4", "2002::", false},
      {"2002::/16 6to4", "2002:808:808::", true},
      {"2002::/16 6to4", "2002:a00:1::", false},
      {"2002::/16 6to4 embedding 10.0.8.8, 8.8.8.8 two bytes on", "2002:a00:808:808::", false},
      {"2002::/16 6to4", "2002:ffff:ffff:ffff:ffff:ffff:ffff:ffff", false},
      {"2002::/16 6to4", "2003::", true},
      {"3fff::/20", "3ffe:ffff:ffff:ffff:ffff:ffff:ffff:ffff", true},
      {"3fff::/20", "3fff::", false},
      {"3fff::/20", "3fff:fff:ffff:ffff:ffff:ffff:ffff:ffff", false},
      {"3fff::/20", "3fff:1000::", true},
      {"fc00::/7 unique local", "fc00::", false},
      {"fc00::/7 unique local", "fdff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", false},
      {"fe80::/10 link-local", "fe80::1", false},
      {"fe80::/10 link-local", "febf:ffff:ffff:ffff:ffff:ffff:ffff:ffff", false},
      {"fec0::/10 site-local", "fec0::1", false},
      {"ff00::/8 multicast", "ff02::1", false},
      {"ff00::/8 multicast", "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.block) + " " + c.address);
    EXPECT_EQ(is_public_address(asio::ip::make_address(c.address)), c.is_public);
  }
}

TEST(HostMappingRule, CurlConnectToForm) {
  struct Case {
    const char* label;
    const char* rule;
    std::optional<HostMapping> expected;  // none: rejected
  };
  const Case cases[] = {
      {"all four", "shop.test:80:127.0.0.1:8080", HostMapping{"shop.test", "80", "127.0.0.1", "8080"}},
      {"host matched case-insensitively", "SHOP.Test:80:127.0.0.1:8080", HostMapping{"shop.test", "80", "127.0.0.1", "8080"}},
      {"any host and port", "::127.0.0.1:8080", HostMapping{"", "", "127.0.0.1", "8080"}},
      {"target port kept", ":443:mirror.test:", HostMapping{"", "443", "mirror.test", ""}},
      {"bracketed IPv6", "[::1]:443:[fe80::1]:8443", HostMapping{"::1", "443", "fe80::1", "8443"}},
      {"all empty", ":::", HostMapping{}},
      {"empty", "", std::nullopt},
      {"three fields", "shop.test:80:127.0.0.1", std::nullopt},
      {"five fields", "a:80:b:81:82", std::nullopt},
      {"port too large", "a:99999:b:1", std::nullopt},
      {"port zero", "a:0:b:1", std::nullopt},
      {"leading zeros", "a:080:b:0443", HostMapping{"a", "80", "b", "443"}},
      {"port not a number", "a:80:b:http", std::nullopt},
      {"unclosed bracket", "[::1:80:b:1", std::nullopt},
      {"brackets around a name", "[shop.test]:80:b:1", std::nullopt},
      {"blank in host", "a b:80:c:1", std::nullopt},
      {"slash in host", "a:80:b/c:1", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    if (!c.expected) {
      EXPECT_THROW(parse_connect_to(c.rule), std::invalid_argument);
      continue;
    }
    EXPECT_EQ(parse_connect_to(c.rule), *c.expected);
  }
}

// The guard judges the address a connection really goes to; an IP target of
// a host mapping is the operator's choice and passes.
TEST(AddressGuard, ConnectionsToTheLoopbackServer) {
  tarvik::test::HttpServer server;
  server.route("*", "/p", tarvik::test::html("<p>p</p>"));
  const std::string port = std::to_string(server.port());
  struct Case {
    const char* label;
    std::string url;
    std::optional<HostMapping> mapping;
    bool allow_private;
    bool fetched;
  };
  const Case cases[] = {
      {"loopback literal", "http://127.0.0.1:" + port + "/p", std::nullopt, false, false},
      {"name resolving to loopback", "http://localhost:" + port + "/p", std::nullopt, false, false},
      {"mapped to an IP address", "http://shop.test/p", server.mapping(), false, true},
      {"mapped to a name that resolves to loopback", "http://shop.test/p",
       HostMapping{"", "80", "localhost", port}, false, false},
      {"mapping for another port", "http://shop.test:8080/p", server.mapping(), false, false},
      {"loopback literal allowed explicitly", "http://127.0.0.1:" + port + "/p", std::nullopt, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    server.clear_log();
    FetchOptions options;
    if (c.mapping) options.connect_to = {*c.mapping};
    options.allow_private_network = c.allow_private;
    const auto pages = tarvik::test::run_within(std::chrono::seconds(20), tarvik::test::fetch_pages(options, {c.url}));
    EXPECT_EQ(pages.at(c.url).has_value(), c.fetched);
    EXPECT_EQ(server.requests().size(), c.fetched ? 1u : 0u);
  }
}
