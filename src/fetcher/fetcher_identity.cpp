// The fetcher's browser identity: Chromium's navigation headers in its order,
// with the version and brands of the Chromium that the session runs.
#include "fetcher/fetcher_identity.hpp"

#include <curl/curl.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <boost/asio/ip/address.hpp>

#include <chrono>
#include <string>

#include "fetcher/fetcher_engine.hpp"

extern char** environ;

namespace tarvik::core::detail {

namespace {

constexpr int FALLBACK_MAJOR = 156;
constexpr auto VERSION_READ_LIMIT = std::chrono::seconds(5);

constexpr char CHROMIUM_ACCEPT[] =
    "text/html,application/xhtml+xml,application/xml;q=0.9,image/jxl,image/avif,image/webp,image/apng,*/*;q=0.8,"
    "application/signed-exchange;v=b3;q=0.7";
// Chromium's own form for the languages en-US, en: what the browser session sends too.
constexpr char ACCEPT_LANGUAGE[] = "en-US,en;q=0.9";

// The first line `chromium --version` prints, or "" when it cannot be run
// within the limit.
std::string run_chromium_version() {
  int out[2];
  if (::pipe2(out, O_CLOEXEC) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  char name[] = "chromium";
  char flag[] = "--version";
  char* argv[] = {name, flag, nullptr};
  pid_t pid = -1;
  const int spawned = posix_spawnp(&pid, name, &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  std::string text;
  if (spawned == 0) {
    const auto end = std::chrono::steady_clock::now() + VERSION_READ_LIMIT;
    char buffer[256];
    while (text.size() < 4096 && text.find('\n') == std::string::npos) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
      if (left.count() <= 0) break;
      pollfd p{out[0], POLLIN, 0};
      if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
      const ssize_t n = ::read(out[0], buffer, sizeof buffer);
      if (n <= 0) break;
      text.append(buffer, static_cast<std::size_t>(n));
    }
    ::kill(pid, SIGKILL);  // a no-op when it has ended, as it should have
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }
  ::close(out[0]);
  return text.substr(0, text.find('\n'));
}

int installed_chromium_major() {
  static const int major = chromium_major(run_chromium_version()).value_or(FALLBACK_MAJOR);
  return major;
}

std::string default_user_agent(int major) {
  return "Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/" + std::to_string(major) +
         ".0.0.0 Safari/537.36";
}

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

// The platform Chromium reports in sec-ch-ua-platform for a user agent.
std::string platform_of(std::string_view user_agent) {
  if (contains(user_agent, "Android")) return "\"Android\"";
  if (contains(user_agent, "Windows")) return "\"Windows\"";
  if (contains(user_agent, "CrOS")) return "\"Chrome OS\"";
  if (contains(user_agent, "Macintosh")) return "\"macOS\"";
  if (contains(user_agent, "Linux") || contains(user_agent, "X11")) return "\"Linux\"";
  return "\"Unknown\"";
}

// Potentially trustworthy origins get client hints and Sec-Fetch-*.
bool secure_context(bool https, std::string_view host) {
  if (https) return true;
  if (host == "localhost" || (host.size() > 10 && host.substr(host.size() - 10) == ".localhost")) return true;
  boost::system::error_code ec;
  const auto address = boost::asio::ip::make_address(std::string(host), ec);
  return !ec && address.is_loopback();
}

std::string accept_encoding(bool secure) {
  std::string value = "gzip, deflate";
  if (!secure) return value;
  const curl_version_info_data* info = curl_version_info(CURLVERSION_NOW);
  if (info->features & CURL_VERSION_BROTLI) value += ", br";
  if (info->features & CURL_VERSION_ZSTD) value += ", zstd";
  return value;
}

}  // namespace

std::optional<int> chromium_major(std::string_view text) {
  for (std::string_view marker : {std::string_view("Chrome/"), std::string_view("Chromium ")}) {
    const auto at = text.find(marker);
    if (at == std::string_view::npos) continue;
    int major = 0;
    std::size_t i = at + marker.size(), digits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 5; ++i, ++digits) {
      major = major * 10 + (text[i] - '0');
    }
    if (digits > 0 && digits < 5 && major > 0) return major;
  }
  return std::nullopt;
}

std::string chromium_brands(int major) {
  // Chromium's GREASE: the seed is the major version.
  static constexpr const char* GREASE_CHARS[] = {" ", "(", ":", "-", ".", "/", ")", ";", "=", "?", "_"};
  static constexpr const char* GREASE_VERSIONS[] = {"8", "99", "24"};
  const auto seed = static_cast<unsigned>(major);
  const std::string grease = std::string("\"Not") + GREASE_CHARS[seed % 11] + "A" + GREASE_CHARS[(seed + 1) % 11] +
                             "Brand\";v=\"" + GREASE_VERSIONS[seed % 3] + "\"";
  const std::string chromium = "\"Chromium\";v=\"" + std::to_string(major) + "\"";
  return seed % 2 == 0 ? grease + ", " + chromium : chromium + ", " + grease;
}

Identity identity_of(const FetchOptions& options) {
  Identity identity;
  std::optional<int> major;
  if (!options.chromium_version.empty()) major = chromium_major("Chromium " + options.chromium_version);
  if (!options.user_agent.empty()) {
    identity.user_agent = options.user_agent;
    if (!major) major = chromium_major(options.user_agent);
    if (!major && options.sec_ch_ua.empty()) return identity;  // not a Chromium: no client hints
  } else {
    if (!major) major = installed_chromium_major();
    identity.user_agent = default_user_agent(*major);
  }
  identity.sec_ch_ua = !options.sec_ch_ua.empty() ? options.sec_ch_ua : chromium_brands(*major);
  identity.sec_ch_ua_mobile = contains(identity.user_agent, "Mobile") ? "?1" : "?0";
  identity.sec_ch_ua_platform = platform_of(identity.user_agent);
  return identity;
}

Headers navigation_headers(const Identity& identity, bool https, std::string_view url_host) {
  const bool secure = secure_context(https, url_host);
  Headers headers;
  headers.reserve(14);
  headers.emplace_back("Connection", "keep-alive");
  if (secure && !identity.sec_ch_ua.empty()) {
    headers.emplace_back("sec-ch-ua", identity.sec_ch_ua);
    headers.emplace_back("sec-ch-ua-mobile", identity.sec_ch_ua_mobile);
    headers.emplace_back("sec-ch-ua-platform", identity.sec_ch_ua_platform);
  }
  headers.emplace_back("Upgrade-Insecure-Requests", "1");
  headers.emplace_back("User-Agent", identity.user_agent);
  headers.emplace_back("Accept", CHROMIUM_ACCEPT);
  if (secure) {
    headers.emplace_back("Sec-Fetch-Site", "none");
    headers.emplace_back("Sec-Fetch-Mode", "navigate");
    headers.emplace_back("Sec-Fetch-User", "?1");
    headers.emplace_back("Sec-Fetch-Dest", "document");
  }
  headers.emplace_back("Accept-Encoding", accept_encoding(secure));
  headers.emplace_back("Accept-Language", ACCEPT_LANGUAGE);
  return headers;
}

}  // namespace tarvik::core::detail
