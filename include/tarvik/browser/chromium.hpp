// The project's stealth Chromium session: headless Chromium driven over the
// DevTools protocol on its debugging pipe, on its own network stack behind an
// egress proxy of this session.
//
// Guarantees:
// - Network: the browser's only way out is the session's EgressProxy (see
//   egress_proxy.hpp): Chromium is started with it as its fixed proxy,
//   loopback included, QUIC off and WebRTC limited to proxied UDP, and its own
//   host resolver answers nothing, so every connection a page makes (document,
//   script, XHR, WebSocket, frame, redirect) is resolved, mapped (`fetch.
//   connect_to`) and checked by the fetcher's address guard (`fetch.
//   allow_private_network`) in the proxy before it is made. TLS and HTTP are
//   the browser's own. Interception only where it must be: with
//   `disable_resources`, images, media, fonts, stylesheets and favicons are
//   refused at the request stage without being fetched; with `fetch.record`,
//   each response is taken at the response stage (status, headers, decoded
//   body up to `fetch.max_body_bytes`) and written to the archive as a request
//   and a response record; with `fetch.replay` (or an `exchange` given), every
//   request is answered through `exchange` from the archive and the proxy
//   connects nothing. Only http and https pages are opened. Downloads are
//   denied; pop-up windows are closed as they open; dialogs are dismissed.
//   `session.insecure` or `fetch.insecure` make the browser accept any
//   certificate: for loopback test servers only, never the real web.
// - Time: starting waits at most `start_timeout`; opening a tab too; then each
//   fetch waits at most the session's `timeout_ms` from the navigation to the
//   page's load event, and the page settles for at most `settle_max` more;
//   every protocol call has a deadline; exit() takes at most about
//   `close_grace` plus two and a half seconds.
// - Memory: at most `max_pages` tabs at once (further fetches wait); at most
//   `kMaxInterceptedRequests` requests of the pages answered or recorded at
//   once (more are refused); at most `max_connections` proxy connections; a protocol message from the browser is read only up to
//   64 MiB; css() returns at most `kMaxCssElements` elements, each text and
//   attribute value cut at `kMaxTextLength` UTF-16 code units, at most
//   `kMaxAttributes` attributes an element, and stops adding elements once
//   `kMaxCssTextBudget` code units have been collected.
// - Threads: one session belongs to one single-threaded event loop (the
//   executor of the coroutine that calls enter()); use it, and its pages,
//   only from coroutines of that loop.
// - Cleanup: the browser runs in its own process group under a small keeper
//   process of this library that reaps every process of the browser's tree.
//   exit() asks the browser to close, waits `close_grace`, then kills the
//   group; the destructor kills and reaps whatever is still running, also
//   when exit() was never called (an exception, a cancelled run). The
//   temporary profile (the browser's temporary files included) is removed
//   once the browser is gone. If this process dies, the keeper still kills
//   the browser, reaps it and removes the profile. A browser that exits or
//   crashes mid-run fails every pending and later fetch with BrowserError.
//   The proxy's listener and every tunnel are closed by exit() and the
//   destructor; a tunnel idle for `proxy_idle_timeout` is closed before.
#pragma once

#include <sys/types.h>

#include <boost/asio/awaitable.hpp>

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tarvik/browser/egress_proxy.hpp"
#include "tarvik/browser/session.hpp"
#include "tarvik/fetcher/fetcher.hpp"

namespace tarvik::browser {

inline constexpr std::size_t kMaxCssElements = 10000;
inline constexpr std::size_t kMaxTextLength = 16384;
inline constexpr std::size_t kMaxAttributes = 64;
inline constexpr std::size_t kMaxCssTextBudget = std::size_t{4} << 20;
inline constexpr std::size_t kMaxInterceptedRequests = 256;
// html() returns at most this many UTF-16 code units of the document's markup.
inline constexpr std::size_t kMaxHtmlLength = std::size_t{8} << 20;

// Answers one request of the browser (one hop: redirects are handed back to
// the browser, which follows them as new requests). Throws core::FetchError
// (or any std::exception) when the request cannot be answered.
using Exchange =
    std::function<boost::asio::awaitable<core::HttpResponse>(core::HttpRequest, std::chrono::milliseconds)>;

struct ChromiumOptions {
  SessionOptions session;
  // The browser executable: a path, or a name looked up on the PATH. Empty:
  // chromium, chromium-browser or google-chrome, the first found on the PATH.
  std::string executable;
  // Added after the session's own flags.
  std::vector<std::string> extra_flags;
  // The network rules: host mappings, the guard, archives, `insecure`, the
  // body cap of recorded responses; in replay, also how the default exchange
  // (a ConcurrentFetcher) answers. A non-empty `fetch.user_agent` is also the
  // browser's user agent.
  core::FetchOptions fetch;
  // Answers every request of the browser instead of the network, for
  // embedders and tests; the proxy then connects nothing.
  Exchange exchange;
  // The egress proxy: client connections served at once, and how long a
  // connection may stay silent both ways.
  std::size_t max_connections = 256;
  std::chrono::milliseconds proxy_idle_timeout{60000};
  std::chrono::milliseconds start_timeout{20000};  // browser start, and opening each tab
  std::chrono::milliseconds close_grace{3000};
  // After the load event, a page settles until its network has been idle (no
  // request open, none started or ended) and its document unchanged (no DOM
  // mutation) for `settle_quiet`, both measured from the last such event, so
  // content that scripts add after load is read; for at most `settle_max` and
  // never past the navigation time-out.
  std::chrono::milliseconds settle_quiet{100};
  std::chrono::milliseconds settle_max{2000};
};

// The browser to start: `given` when it names an executable file (a path, or a
// name on the PATH), else, for an empty `given`, the first of chromium,
// chromium-browser and google-chrome on the PATH; none when there is none.
std::optional<std::string> find_browser(std::string_view given = {});

// Counters of one session, for diagnostics and tests.
struct ChromiumStats {
  std::size_t requests_answered = 0;  // through the exchange (any status)
  std::size_t requests_failed = 0;    // the exchange threw, or the archive refused a recording
  std::size_t requests_refused = 0;   // resource types refused, over the in-flight cap
  std::size_t responses_recorded = 0;  // written to `fetch.record`
  std::size_t popups_closed = 0;
  EgressProxyStats proxy;
  // Time the session's pages spent in each step, summed over `pages` (pages
  // that reached their load event): opening the tab, attaching to it and
  // preparing it, the navigation until the document committed, the load
  // event, settling, and reading (css() and html() calls).
  struct Timeline {
    std::chrono::microseconds create{}, attach{}, navigate{}, load{}, settle{}, read{};
    std::size_t pages = 0;
  } timeline;
};

class ChromiumSession final : public Session {
 public:
  // Throws BrowserError for max_pages < 1 or timeout_ms < 1.
  explicit ChromiumSession(ChromiumOptions options = {});
  ~ChromiumSession() override;
  ChromiumSession(const ChromiumSession&) = delete;
  ChromiumSession& operator=(const ChromiumSession&) = delete;

  // Starts the browser; throws BrowserError naming what failed (no browser
  // found, not executable, exited during start with its last error output).
  boost::asio::awaitable<void> enter() override;
  boost::asio::awaitable<void> exit() override;
  // Opens `url` in a new tab; the page holds one of `max_pages` slots until
  // closed or destroyed. Throws BrowserError for a URL that is not http or
  // https, a failed navigation (with the fetcher's reason), the time-out, or a
  // browser that is not running.
  boost::asio::awaitable<std::unique_ptr<Page>> fetch(std::string url) override;

  // The browser's process id (and process group), 0 before enter().
  pid_t browser_pid() const;
  ChromiumStats stats() const;

  struct Impl;  // the session's machinery, shared with its pages

 private:
  std::shared_ptr<Impl> impl_;
};

}  // namespace tarvik::browser
