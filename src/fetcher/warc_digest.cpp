// Record digests as crawl tools write them ("sha1:" + base32), computed with
// OpenSSL and read back in base32 or hex.
#include <openssl/evp.h>

#include <new>
#include <string>

#include "warc_stream.hpp"

namespace tarvik::core::warc_detail {
namespace {

constexpr char BASE32[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ234567";

std::string base32(std::string_view bytes) {
  std::string out;
  std::uint32_t acc = 0;
  int bits = 0;
  for (const char ch : bytes) {
    acc = (acc << 8) | static_cast<unsigned char>(ch);
    bits += 8;
    while (bits >= 5) {
      out += BASE32[(acc >> (bits - 5)) & 31];
      bits -= 5;
    }
  }
  if (bits > 0) out += BASE32[(acc << (5 - bits)) & 31];
  while (out.size() % 8 != 0) out += '=';
  return out;
}

std::optional<std::string> from_base32(std::string_view text) {
  while (!text.empty() && text.back() == '=') text.remove_suffix(1);
  std::string out;
  std::uint32_t acc = 0;
  int bits = 0;
  for (const char ch : text) {
    const char c = (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 32) : ch;
    int v = -1;
    if (c >= 'A' && c <= 'Z') v = c - 'A';
    if (c >= '2' && c <= '7') v = c - '2' + 26;
    if (v < 0) return std::nullopt;
    acc = (acc << 5) | static_cast<std::uint32_t>(v);
    bits += 5;
    if (bits >= 8) {
      out += static_cast<char>((acc >> (bits - 8)) & 0xff);
      bits -= 8;
    }
  }
  return out;
}

std::optional<std::string> from_hex(std::string_view text) {
  if (text.size() % 2 != 0) return std::nullopt;
  std::string out;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    int v = 0;
    for (const char ch : text.substr(i, 2)) {
      const char c = (ch >= 'A' && ch <= 'F') ? static_cast<char>(ch + 32) : ch;
      if (c >= '0' && c <= '9') {
        v = v * 16 + (c - '0');
      } else if (c >= 'a' && c <= 'f') {
        v = v * 16 + (c - 'a' + 10);
      } else {
        return std::nullopt;
      }
    }
    out += static_cast<char>(v);
  }
  return out;
}

}  // namespace

Sha1::Sha1() : ctx_(EVP_MD_CTX_new()) {
  if (ctx_ == nullptr || EVP_DigestInit_ex(static_cast<EVP_MD_CTX*>(ctx_), EVP_sha1(), nullptr) != 1) {
    EVP_MD_CTX_free(static_cast<EVP_MD_CTX*>(ctx_));
    throw std::bad_alloc();
  }
}

Sha1::~Sha1() { EVP_MD_CTX_free(static_cast<EVP_MD_CTX*>(ctx_)); }

void Sha1::update(const char* data, std::size_t n) {
  if (n > 0) EVP_DigestUpdate(static_cast<EVP_MD_CTX*>(ctx_), data, n);
}

std::string Sha1::finish() {
  unsigned char md[EVP_MAX_MD_SIZE];
  unsigned int len = 0;
  EVP_DigestFinal_ex(static_cast<EVP_MD_CTX*>(ctx_), md, &len);
  return std::string(reinterpret_cast<const char*>(md), len);
}

DigestHash::DigestHash(const DigestPlan& plan) : in_payload_(plan.block || !plan.payload_after_http_head) {}

void DigestHash::update(const char* data, std::size_t n) {
  std::size_t from = 0;
  while (!in_payload_ && from < n) {
    const char c = data[from++];
    if (c == '\n') {
      if (line_length_ == 0) in_payload_ = true;
      line_length_ = 0;
    } else if (c != '\r') {
      ++line_length_;
    }
  }
  if (in_payload_) sha_.update(data + from, n - from);
}

std::string DigestHash::finish() { return sha_.finish(); }

bool DigestPlan::matches(const std::string& computed) const {
  const DigestValue& want = block ? *block : *payload;
  return computed == want.bytes;
}

std::string sha1_base32(std::string_view data) {
  Sha1 h;
  h.update(data.data(), data.size());
  return "sha1:" + base32(h.finish());
}

std::optional<DigestValue> parse_digest(std::string_view value) {
  value = trim(value);
  const std::size_t colon = value.find(':');
  if (colon == std::string_view::npos || colon == 0 || colon > 32) return std::nullopt;
  DigestValue out;
  for (const char c : value.substr(0, colon)) out.algorithm += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
  const std::string_view text = trim(value.substr(colon + 1));
  // SHA-1 is 20 bytes: 32 base32 letters or 40 hex digits; other
  // algorithms are only named, so any readable value will do.
  std::optional<std::string> bytes = text.size() == 40 ? from_hex(text) : from_base32(text);
  if (bytes) out.bytes = std::move(*bytes);
  return out;
}

}  // namespace tarvik::core::warc_detail
