// The address guard and the host mappings: where a connection may go, shared
// by the fetcher and the browser's egress proxy.
//
// Source: the IANA IPv4 and IPv6 Special-Purpose Address Registries (blocks
// that are not globally reachable), plus multicast, the IPv4 reserved block
// and IPv6 outside global unicast. Forms that embed an IPv4 address are
// judged by that address.
#include <array>
#include <cstdint>
#include <string>

#include "tarvik/fetcher/fetcher.hpp"

namespace tarvik::core {

namespace {

struct V4Block {
  std::uint32_t base;
  int bits;
};

constexpr std::uint32_t v4(int a, int b, int c, int d) {
  return (std::uint32_t(a) << 24) | (std::uint32_t(b) << 16) | (std::uint32_t(c) << 8) | std::uint32_t(d);
}

constexpr std::array<V4Block, 15> REFUSED_V4 = {{
    {v4(0, 0, 0, 0), 8},        // "this network", unspecified
    {v4(10, 0, 0, 0), 8},       // private
    {v4(100, 64, 0, 0), 10},    // shared address space (carrier-grade NAT)
    {v4(127, 0, 0, 0), 8},      // loopback
    {v4(169, 254, 0, 0), 16},   // link-local, cloud metadata at 169.254.169.254
    {v4(172, 16, 0, 0), 12},    // private
    {v4(192, 0, 0, 0), 24},     // IETF protocol assignments
    {v4(192, 0, 2, 0), 24},     // documentation (TEST-NET-1)
    {v4(192, 88, 99, 0), 24},   // deprecated 6to4 relay anycast
    {v4(192, 168, 0, 0), 16},   // private
    {v4(198, 18, 0, 0), 15},    // benchmarking
    {v4(198, 51, 100, 0), 24},  // documentation (TEST-NET-2)
    {v4(203, 0, 113, 0), 24},   // documentation (TEST-NET-3)
    {v4(224, 0, 0, 0), 4},      // multicast
    {v4(240, 0, 0, 0), 4},      // reserved, limited broadcast 255.255.255.255
}};

bool public_v4(std::uint32_t a) {
  for (const auto& block : REFUSED_V4) {
    const std::uint32_t mask = ~std::uint32_t{0} << (32 - block.bits);
    if ((a & mask) == block.base) return false;
  }
  return true;
}

using V6 = std::array<unsigned char, 16>;

bool has_prefix(const V6& a, const V6& prefix, int bits) {
  for (int i = 0; i < 16 && bits > 0; ++i, bits -= 8) {
    const unsigned char mask = bits >= 8 ? 0xff : static_cast<unsigned char>(0xff << (8 - bits));
    if ((a[i] & mask) != (prefix[i] & mask)) return false;
  }
  return true;
}

std::uint32_t v4_at(const V6& a, int offset) {
  return (std::uint32_t(a[offset]) << 24) | (std::uint32_t(a[offset + 1]) << 16) |
         (std::uint32_t(a[offset + 2]) << 8) | std::uint32_t(a[offset + 3]);
}

constexpr V6 MAPPED = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff};  // ::ffff:0:0/96
constexpr V6 COMPATIBLE = {};                                       // ::/96
constexpr V6 NAT64 = {0x00, 0x64, 0xff, 0x9b};                      // 64:ff9b::/96
constexpr V6 SIX_TO_FOUR = {0x20, 0x02};                            // 2002::/16
constexpr V6 GLOBAL_UNICAST = {0x20};                               // 2000::/3

struct V6Block {
  V6 prefix;
  int bits;
};

// Blocks inside 2000::/3 that are not globally reachable.
constexpr std::array<V6Block, 3> REFUSED_V6 = {{
    {{0x20, 0x01}, 23},              // IETF protocol assignments (Teredo, ORCHID, ...)
    {{0x20, 0x01, 0x0d, 0xb8}, 32},  // documentation
    {{0x3f, 0xff}, 20},              // documentation
}};

bool same_ascii_text(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

const HostMapping* host_mapping_for(const std::vector<HostMapping>& rules, std::string_view host,
                                    std::uint16_t port) {
  for (const auto& rule : rules) {
    if (!rule.from_host.empty() && !same_ascii_text(rule.from_host, host)) continue;
    if (!rule.from_port.empty() && rule.from_port != std::to_string(port)) continue;
    if (rule.to_host.empty() && rule.to_port.empty()) continue;
    return &rule;
  }
  return nullptr;
}

bool is_public_address(const boost::asio::ip::address& address) {
  if (address.is_v4()) return public_v4(address.to_v4().to_uint());
  const V6 a = address.to_v6().to_bytes();
  if (has_prefix(a, MAPPED, 96) || has_prefix(a, COMPATIBLE, 96) || has_prefix(a, NAT64, 96)) {
    return public_v4(v4_at(a, 12));
  }
  if (has_prefix(a, SIX_TO_FOUR, 16)) return public_v4(v4_at(a, 2));
  if (!has_prefix(a, GLOBAL_UNICAST, 3)) return false;
  for (const auto& block : REFUSED_V6) {
    if (has_prefix(a, block.prefix, block.bits)) return false;
  }
  return true;
}

}  // namespace tarvik::core
