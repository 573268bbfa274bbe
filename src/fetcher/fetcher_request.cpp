// Setting up one libcurl handle: protocols, the address guard at connect
// time, the request line and headers, and a TLS client hello shaped like
// Chromium's as far as OpenSSL can go.
#include <curl/curl.h>
#include <netinet/in.h>
#include <openssl/ssl.h>
#include <sys/socket.h>

#include <boost/asio/ip/address.hpp>

#include <cstring>
#include <new>
#include <optional>
#include <string>

#include "fetcher/fetcher_transfer.hpp"

namespace tarvik::core::detail {

namespace {

namespace asio = boost::asio;

constexpr char DEFAULT_PROTOCOLS[] = "http,https";

// Chromium's TLS 1.2 suites in its order (OpenSSL's names), then its TLS 1.3
// suites; its groups; its signature algorithms.
constexpr char CHROMIUM_TLS12_CIPHERS[] =
    "ECDHE-ECDSA-AES128-GCM-SHA256:ECDHE-RSA-AES128-GCM-SHA256:ECDHE-ECDSA-AES256-GCM-SHA384:"
    "ECDHE-RSA-AES256-GCM-SHA384:ECDHE-ECDSA-CHACHA20-POLY1305:ECDHE-RSA-CHACHA20-POLY1305:"
    "ECDHE-RSA-AES128-SHA:ECDHE-RSA-AES256-SHA:AES128-GCM-SHA256:AES256-GCM-SHA384:AES128-SHA:AES256-SHA";
constexpr char CHROMIUM_TLS13_CIPHERS[] = "TLS_AES_128_GCM_SHA256:TLS_AES_256_GCM_SHA384:TLS_CHACHA20_POLY1305_SHA256";
constexpr char CHROMIUM_GROUPS[] = "X25519:P-256:P-384";
constexpr char CHROMIUM_SIGALGS[] =
    "ECDSA+SHA256:rsa_pss_rsae_sha256:RSA+SHA256:ECDSA+SHA384:rsa_pss_rsae_sha384:RSA+SHA384:"
    "rsa_pss_rsae_sha512:RSA+SHA512";

std::optional<asio::ip::address> to_address(const curl_sockaddr* a) {
  if (a->family == AF_INET && a->addrlen >= sizeof(sockaddr_in)) {
    sockaddr_in in;
    std::memcpy(&in, &a->addr, sizeof in);
    return asio::ip::address_v4(ntohl(in.sin_addr.s_addr));
  }
  if (a->family == AF_INET6 && a->addrlen >= sizeof(sockaddr_in6)) {
    sockaddr_in6 in6;
    std::memcpy(&in6, &a->addr, sizeof in6);
    asio::ip::address_v6::bytes_type bytes;
    std::memcpy(bytes.data(), &in6.sin6_addr, bytes.size());
    return asio::ip::address_v6(bytes, in6.sin6_scope_id);
  }
  return std::nullopt;
}

std::uint16_t port_of(const curl_sockaddr* a) {
  if (a->family == AF_INET) {
    sockaddr_in in;
    std::memcpy(&in, &a->addr, sizeof in);
    return ntohs(in.sin_port);
  }
  sockaddr_in6 in6;
  std::memcpy(&in6, &a->addr, sizeof in6);
  return ntohs(in6.sin6_port);
}

// The address guard: every connection, redirect hops and re-resolved names
// included, is checked on the address it is about to use.
curl_socket_t on_open_socket(void* data, curlsocktype purpose, curl_sockaddr* address) {
  auto* t = static_cast<Transfer*>(data);
  if (purpose != CURLSOCKTYPE_IPCXN) return CURL_SOCKET_BAD;
  if (!t->allow_private) {
    const auto ip = to_address(address);
    if (!ip) {
      t->refused_address = "an address of family " + std::to_string(address->family);
      return CURL_SOCKET_BAD;
    }
    const bool mapped =
        t->hop.mapped_address && *ip == *t->hop.mapped_address && port_of(address) == t->hop.mapped_port;
    if (!mapped && !is_public_address(*ip)) {
      t->refused_address = ip->to_string();
      return CURL_SOCKET_BAD;
    }
  }
  return ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
}

// What libcurl 7.88 has no option for: Chromium's signature algorithms, the
// status_request, signed_certificate_timestamp and session_ticket extensions
// it sends, and none of encrypt_then_mac, post_handshake_auth and padding,
// which it does not send. (OpenSSL still adds the renegotiation SCSV to the
// suites where Chromium sends the renegotiation_info extension.)
CURLcode shape_tls_context(CURL*, void* ssl_ctx, void*) {
  auto* ctx = static_cast<SSL_CTX*>(ssl_ctx);
  if (SSL_CTX_set1_sigalgs_list(ctx, CHROMIUM_SIGALGS) != 1) return CURLE_SSL_CIPHER;
  SSL_CTX_set_options(ctx, SSL_OP_NO_ENCRYPT_THEN_MAC);
  SSL_CTX_clear_options(ctx, SSL_OP_NO_TICKET | SSL_OP_TLSEXT_PADDING);
  SSL_CTX_set_post_handshake_auth(ctx, 0);
  SSL_CTX_set_tlsext_status_type(ctx, TLSEXT_STATUSTYPE_ocsp);
  // Permissive: timestamps are asked for, never required.
  SSL_CTX_enable_ct(ctx, SSL_CT_VALIDATION_PERMISSIVE);
  return CURLE_OK;
}

void append_header(Transfer& t, const std::string& line) {
  curl_slist* next = curl_slist_append(t.header_list, line.c_str());
  if (!next) throw std::bad_alloc();
  t.header_list = next;
}

}  // namespace

void configure_request(Transfer& t, const RequestSetup& setup) {
  t.easy = curl_easy_init();
  if (!t.easy) throw FetchError(t.hop.url + ": libcurl could not create a handle");
  CURL* e = t.easy;
  curl_easy_setopt(e, CURLOPT_PRIVATE, &t);
  curl_easy_setopt(e, CURLOPT_ERRORBUFFER, t.error);
  curl_easy_setopt(e, CURLOPT_URL, t.hop.curl_url.c_str());
  curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, DEFAULT_PROTOCOLS);
  curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, DEFAULT_PROTOCOLS);
  curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(e, CURLOPT_QUICK_EXIT, 1L);  // never join a stuck resolver thread on the loop
  curl_easy_setopt(e, CURLOPT_PROXY, "");       // environment proxies are not used
  // Decode what the server sends; the Accept-Encoding header itself is one
  // of the request's own headers, in its place.
  curl_easy_setopt(e, CURLOPT_ACCEPT_ENCODING, "");
  curl_easy_setopt(e, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_2TLS));  // ALPN h2, http/1.1
  curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(setup.connect_timeout.count()));
  curl_easy_setopt(e, CURLOPT_BUFFERSIZE, 64L * 1024);
  if (setup.connect_to) curl_easy_setopt(e, CURLOPT_CONNECT_TO, setup.connect_to);
  curl_easy_setopt(e, CURLOPT_OPENSOCKETFUNCTION, &on_open_socket);
  curl_easy_setopt(e, CURLOPT_OPENSOCKETDATA, &t);
  curl_easy_setopt(e, CURLOPT_CLOSESOCKETFUNCTION, setup.close_socket);
  curl_easy_setopt(e, CURLOPT_CLOSESOCKETDATA, setup.close_socket_data);
  curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, &on_response_header);
  curl_easy_setopt(e, CURLOPT_HEADERDATA, &t);
  curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &on_response_body);
  curl_easy_setopt(e, CURLOPT_WRITEDATA, &t);

  curl_easy_setopt(e, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2));
  curl_easy_setopt(e, CURLOPT_SSL_CIPHER_LIST, CHROMIUM_TLS12_CIPHERS);
  curl_easy_setopt(e, CURLOPT_TLS13_CIPHERS, CHROMIUM_TLS13_CIPHERS);
  curl_easy_setopt(e, CURLOPT_SSL_EC_CURVES, CHROMIUM_GROUPS);
  curl_easy_setopt(e, CURLOPT_SSL_CTX_FUNCTION, &shape_tls_context);
  if (setup.insecure) {
    curl_easy_setopt(e, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(e, CURLOPT_SSL_VERIFYHOST, 0L);
  }

  const std::string& method = t.hop.method;
  const bool has_body = !t.hop.body.empty() || method == "POST" || method == "PUT" || method == "PATCH";
  if (method == "HEAD") {
    curl_easy_setopt(e, CURLOPT_NOBODY, 1L);
  } else if (method == "GET" && !has_body) {
    curl_easy_setopt(e, CURLOPT_HTTPGET, 1L);
  } else {
    if (method != "POST") curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, method.c_str());
    if (has_body) {
      curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(t.hop.body.size()));
      curl_easy_setopt(e, CURLOPT_POSTFIELDS, t.hop.body.data());
    }
  }

  // libcurl writes Host first and then these, in this order.
  bool has_content_type = false;
  for (const auto& [name, value] : t.hop.headers) {
    if (iequals_ascii(name, "Content-Type")) has_content_type = true;
    // "Name:" would remove the header in libcurl; "Name;" sends it empty.
    append_header(t, value.empty() ? name + ";" : name + ": " + value);
  }
  append_header(t, "Expect:");
  if (has_body && !has_content_type) append_header(t, "Content-Type:");
  curl_easy_setopt(e, CURLOPT_HTTPHEADER, t.header_list);
}

}  // namespace tarvik::core::detail
