// The Chromium session against real Chromium, its pages served over HTTPS by
// the shared loopback server through the session's egress proxy.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "browser/test_browser_support.hpp"
#include "tarvik/fetcher/warc.hpp"

namespace {

using namespace tarvik::testing;
using tarvik::browser::BrowserError;
using tarvik::browser::ChromiumSession;
using tarvik::browser::Element;
using tarvik::browser::Page;
using tarvik::test::html;
using tarvik::test::HttpServer;
using tarvik::test::Reply;
using tarvik::test::run_within;
namespace asio = boost::asio;

std::string page(const std::string& body) { return "<!doctype html><html><head></head><body>" + body + "</body></html>"; }

Reply slow(std::string body, std::chrono::milliseconds delay, std::string type = "text/html") {
  Reply r = html(std::move(body), std::move(type));
  r.delay = delay;
  return r;
}

Reply hanging() {
  Reply r;
  r.hang = true;
  return r;
}

std::string joined(const std::vector<Element>& elements, bool texts) {
  std::string out;
  for (const auto& e : elements) {
    if (!out.empty()) out += " | ";
    out += texts ? e.get_all_text() : e.attrib_get("href", "-");
  }
  return out;
}

class Chromium : public BrowserProcessCheck {
 protected:
  void SetUp() override { TARVIK_REQUIRE_BROWSER(); }
  std::unique_ptr<HttpServer> server = std::make_unique<HttpServer>();
};

TEST_F(Chromium, ReadsPages) {
  const std::string shop = "shop.test";
  server->route(shop, "/search", html(page("<a href='/itm/1'>Leather <b>Tote</b></a><p>x</p>"
                                          "<a href='/itm/2'> Canvas\n Bag <script>var x = 1;</script></a>")));
  server->route(shop, "/redirect", tarvik::test::redirect("/search?q=tote"));
  server->route(shop, "/late",
               html(page("<script>addEventListener('load', () => setTimeout(() => document.body.insertAdjacentHTML("
                         "'beforeend', '<a href=\"/itm/late\">Late Tote</a>'), 60))</script>")));
  server->route(shop, "/busy",
               html(page("<script>addEventListener('load', () => { let n = 0; const t = setInterval(() => {"
                         "document.body.dataset.n = ++n; if (n === 8) { clearInterval(t); document.body."
                         "insertAdjacentHTML('beforeend', '<a href=\"/itm/busy\">Busy Tote</a>') } }, 40) })</script>")));
  server->route(shop, "/fake-clock",
               html(page("<script>globalThis.__mutationClock = {last: -1e9}; addEventListener('load', () => "
                         "setTimeout(() => document.body.insertAdjacentHTML('beforeend', "
                         "'<a href=\"/itm/late\">Late Tote</a>'), 60))</script>")));
  server->route(shop, "/data.json", slow("{\"href\": \"/itm/fetched\"}", 150ms, "application/json"));
  server->route(shop, "/fetched",
               html(page("<script>addEventListener('load', () => fetch('/data.json').then(r => r.json()).then(d => {"
                         "const a = document.createElement('a'); a.href = d.href; a.textContent = 'Fetched';"
                         "document.body.append(a)}))</script>")));
  server->route(shop, "/stealth",
               html(page("<p id=out></p><script>document.getElementById('out').textContent = "
                         "[navigator.webdriver, navigator.languages.join(','), navigator.userAgent].join('|')</script>")));
  std::string many;
  for (int i = 0; i < 20000; ++i) many += "<a href=\"/p/" + std::to_string(i) + "\">item</a>";
  server->route(shop, "/huge", html(page(many)));
  server->route(shop, "/long-text", html(page("<a href='/p/long'>" + std::string(1 << 20, 'w') + "</a>")));
  server->route(shop, "/alert", html(page("<script>alert('hi'); document.write('<a href=\"/itm/9\">After</a>')</script>")));
  server->route(shop, "/framed", html(page("<iframe src='/nowhere'></iframe><a href='/itm/3'>Framed</a>")));
  server->route(shop, "/lone-surrogate", html(page("<script>document.write('<a href=\"/p/1\">A\\ud800B</a>')</script>")));

  struct Row {
    const char* label;
    std::string path;
    std::string selector;
    std::size_t limit;
    int status;
    std::string hrefs;  // joined
    std::string texts;  // joined, or "*"; a row ending in "..." compares as a prefix
  };
  const Row rows[] = {
      {"links in document order", "/search?q=tote", "a", 10, 200, "/itm/1 | /itm/2", "Leather Tote | Canvas Bag"},
      {"redirect answered as a redirect", "/redirect", "a[href*=\"/itm/\"]", 1, 200, "/itm/1", "Leather Tote"},
      {"404 page", "/nowhere", "a", 10, 404, "", ""},
      {"links added by a script after load", "/late", "a", 10, 200, "/itm/late", "Late Tote"},
      {"a document changing every 40 ms is read once quiet", "/busy", "a", 10, 200, "/itm/busy", "Busy Tote"},
      {"the page's own globals do not fake the quiet", "/fake-clock", "a", 10, 200, "/itm/late", "Late Tote"},
      {"links added after a request made after load", "/fetched", "a", 10, 200, "/itm/fetched", "Fetched"},
      {"webdriver hidden, realistic languages, no Headless", "/stealth", "#out", 1, 200, "-",
       "false|en-US,en|Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/..."},
      {"20,000 links, first ten taken", "/huge", "a", 10, 200,
       "/p/0 | /p/1 | /p/2 | /p/3 | /p/4 | /p/5 | /p/6 | /p/7 | /p/8 | /p/9", "*"},
      {"dialog dismissed, page goes on", "/alert", "a", 10, 200, "/itm/9", "After"},
      {"a failing iframe leaves the page's own status", "/framed", "a", 10, 200, "/itm/3", "Framed"},
      {"lone surrogate in page text", "/lone-surrogate", "a", 10, 200, "/p/1", "A\xEF\xBF\xBD" "B"},
  };
  run_within(120s, [&]() -> asio::awaitable<void> {
    ChromiumSession session(through(*server));
    co_await session.enter();
    remember(session);
    for (const auto& r : rows) {
      SCOPED_TRACE(r.label);
      auto opened = co_await session.fetch("https://" + shop + r.path);
      const auto found = co_await opened->css(r.selector, r.limit);
      co_await opened->close();
      EXPECT_EQ(opened->status(), r.status);
      EXPECT_EQ(joined(found, false), r.hrefs);
      const std::string texts = joined(found, true);
      if (r.texts.size() > 3 && r.texts.substr(r.texts.size() - 3) == "...") {
        EXPECT_EQ(texts.substr(0, r.texts.size() - 3), r.texts.substr(0, r.texts.size() - 3));
      } else if (r.texts != "*") {
        EXPECT_EQ(texts, r.texts);
      }
    }
    // Texts are cut at the documented length.
    auto opened = co_await session.fetch("https://" + shop + "/long-text");
    const auto long_link = co_await opened->css("a", 1);
    EXPECT_EQ(long_link.at(0).get_all_text().size(), tarvik::browser::kMaxTextLength);
    EXPECT_THROW(co_await opened->css("a[[", 1), BrowserError);
    EXPECT_THROW(co_await session.fetch("file:///etc/passwd"), BrowserError);
    opened.reset();
    co_await session.exit();
  }());
}

// Resources are refused unfetched, the rest goes out through the proxy, a
// recording holds every exchange, and the recording replays the page with
// the server gone and nothing connected.
TEST_F(Chromium, RecordsAndReplays) {
  const std::string port = std::to_string(server->port());
  server->route("store.test", "/search",
               html("<html><head><link rel=stylesheet href=/s.css><script src=/app.js></script><style>"
                    "@font-face{font-family:f;src:url(/f.woff2)}body{font-family:f}</style></head><body>"
                    "<a href='/p/leather-tote'>Leather Tote</a><img src=/i.png><video src=/v.mp4 autoplay></video>"
                    "<iframe src='https://ads.test/frame'></iframe><script>try { new WebSocket('ws://127.0.0.1:" +
                    port + "/socket') } catch (e) {}</script></body></html>"));
  server->route("store.test", "/app.js", html("window.ok = 1", "text/javascript"));
  server->route("store.test", "/gzipped", tarvik::test::encoded(html(page("<a href='/p/gz'>Zipped</a>")), {"gzip"}));
  const auto archive = std::filesystem::temp_directory_path() / ("tarvik-browser-" + std::to_string(getpid()) + ".warc.gz");
  auto options = through(*server);
  options.fetch.record = std::make_shared<tarvik::core::WarcWriter>(archive);
  run_within(60s, [&]() -> asio::awaitable<void> {
    ChromiumSession session(options);
    co_await session.enter();
    remember(session);
    for (const char* url : {"https://store.test/search?q=tote", "https://store.test/gzipped"}) {
      auto opened = co_await session.fetch(url);
      EXPECT_EQ((co_await opened->css("a", 10)).size(), 1u);
      co_await opened->close();
    }
    // A page at a refused address gets the proxy's own 403.
    auto refused = co_await session.fetch("http://10.20.30.40:8080/probe");
    EXPECT_EQ(refused->status(), 403);
    co_await refused->close();
    co_await session.exit();
    EXPECT_GE(session.stats().requests_refused, 4u);
    EXPECT_GE(session.stats().responses_recorded, 4u);
    EXPECT_GE(session.stats().proxy.refused, 2u);  // the WebSocket to loopback, the page at 10.x
  }());
  options.fetch.record->flush();
  // That 403 is not the origin's answer: not archived.
  EXPECT_FALSE(tarvik::core::WarcArchive::open({archive})->find("GET", "http://10.20.30.40:8080/probe"));
  auto requests = asked_of_test_hosts(*server);
  std::sort(requests.begin(), requests.end());
  EXPECT_EQ(requests, (std::vector<std::string>{"ads.test/frame", "store.test/app.js", "store.test/gzipped",
                                                "store.test/search?q=tote"}));
  for (const auto& r : server->requests()) {
    if (r.host.ends_with(".test")) {
      EXPECT_TRUE(r.tls) << r.host << r.target;
    }
  }

  server.reset();  // replayed with the server gone
  options.fetch.record.reset();
  options.fetch.replay = tarvik::core::WarcArchive::open({archive});
  run_within(60s, [&]() -> asio::awaitable<void> {
    ChromiumSession session(options);
    co_await session.enter();
    remember(session);
    for (const auto& [url, href] : {std::pair<const char*, const char*>{"https://store.test/search?q=tote", "/p/leather-tote"},
                                    {"https://store.test/gzipped", "/p/gz"}}) {
      auto opened = co_await session.fetch(url);
      EXPECT_EQ(joined(co_await opened->css("a", 10), false), href);
      co_await opened->close();
    }
    co_await session.exit();
    EXPECT_EQ(session.stats().proxy.connected, 0u);
  }());
  std::filesystem::remove(archive);
}

// A page that tries to reach this machine or its network gets nothing, by
// whatever way it asks: the proxy refuses each before connecting (a refused
// plain-http request gets the proxy's own 403, so the page may see "a
// response"; what matters is that none reached the server).
TEST_F(Chromium, HostilePageReachesNothing) {
  const std::string port = std::to_string(server->port());
  server->route("*", "/secret", html("secret", "text/plain"));
  server->route("evil.test", "/to-loopback", tarvik::test::redirect("http://127.0.0.1:" + port + "/secret"));
  // Each probe settles either way; the page reports when all have.
  const std::string probes = R"(
    const results = {};
    const settle = (name, promise) => promise.then(() => results[name] = 'reached', () => results[name] = 'blocked');
    const load = (tag, url) => new Promise((ok, fail) => {
      const e = document.createElement(tag); e.onload = ok; e.onerror = fail; e.src = url; document.body.append(e); });
    const socket = url => new Promise((ok, fail) => {
      const s = new WebSocket(url); s.onopen = ok; s.onerror = fail; });
    const get = url => fetch(url, {mode: 'no-cors', cache: 'no-store'});
    Promise.all([
      settle('image 127.0.0.1', load('img', 'http://127.0.0.1:PORT/secret')),
      settle('script 10.x', load('script', 'http://10.20.30.40/secret')),
      settle('XHR metadata', get('http://169.254.169.254/latest/meta-data/')),
      settle('XHR mapped IPv6 loopback', get('http://[::ffff:127.0.0.1]:PORT/secret')),
      settle('WebSocket loopback', socket('ws://127.0.0.1:PORT/secret')),
      settle('redirect to loopback', get('/to-loopback')),
      settle('name resolving to loopback', get('http://localhost:PORT/secret')),
    ]).then(() => { const p = document.createElement('p'); p.id = 'out';
      p.textContent = Object.keys(results).sort().map(k => k + '=' + results[k]).join(';');
      document.body.append(p); });
    const frame = document.createElement('iframe'); frame.src = 'http://127.0.0.1:PORT/secret'; document.body.append(frame);
  )";
  std::string script = probes;
  for (std::size_t at; (at = script.find("PORT")) != std::string::npos;) script.replace(at, 4, port);
  server->route("evil.test", "/", html(page("<script>" + script + "</script>")));
  std::string seen;
  auto options = through(*server);
  options.fetch.connect_to = {{"evil.test", "80", "127.0.0.1", port}};  // no catch-all: port 80 is probed
  options.session.disable_resources = false;  // images and scripts go out too: the proxy must stop them
  run_within(60s, [&]() -> asio::awaitable<void> {
    ChromiumSession session(options);
    co_await session.enter();
    remember(session);
    // Plain http, so that mixed-content rules cannot be what stops the probes.
    auto opened = co_await session.fetch("http://evil.test/");
    for (int i = 0; i < 100 && seen.empty(); ++i) {
      const auto out = co_await opened->css("#out", 1);
      if (!out.empty()) seen = out.front().get_all_text();
      if (seen.empty()) {
        asio::steady_timer pause(co_await asio::this_coro::executor, 50ms);
        co_await pause.async_wait(asio::use_awaitable);
      }
    }
    co_await opened->close();
    co_await session.exit();
    // image, script, two XHRs, WebSocket, the redirect's target, localhost, frame
    EXPECT_GE(session.stats().proxy.refused, 8u);
  }());
  EXPECT_NE(seen, "");
  // What a page could see of the refused subresources.
  for (const char* row : {"WebSocket loopback=blocked", "image 127.0.0.1=blocked", "script 10.x=blocked"})
    EXPECT_NE(seen.find(row), std::string::npos) << row << " in " << seen;
  for (const auto& r : server->requests()) EXPECT_NE(r.path, "/secret") << "reached from " << r.host;
}

// A closed tab's quiet tunnels close with it, while the session and its
// other tabs go on.
TEST_F(Chromium, TunnelsCloseWithTheirTab) {
  std::string hosts;
  for (int i = 0; i < 40; ++i) hosts += "fetch('https://h" + std::to_string(i) + ".test/x', {mode: 'no-cors'});";
  server->route("*", "/x", html("x", "text/plain"));
  server->route("store.test", "/many", html(page("<a href=/p/1>x</a><script>" + hosts + "</script>")));
  server->route("store.test", "/one", html(page("<a href=/p/2>y</a>")));
  run_within(60s, [&]() -> asio::awaitable<void> {
    ChromiumSession session(through(*server));
    co_await session.enter();
    remember(session);
    auto other = co_await session.fetch("https://store.test/one");
    auto many = co_await session.fetch("https://store.test/many");
    const auto open_with_both = session.stats().proxy.open;
    asio::steady_timer quiet(co_await asio::this_coro::executor, 400ms);
    co_await quiet.async_wait(asio::use_awaitable);
    co_await many->close();
    // Left: the other tab's tunnel and the browser's own.
    EXPECT_GE(open_with_both, 40u);
    EXPECT_LE(session.stats().proxy.open, 8u);
    EXPECT_EQ(joined(co_await other->css("a", 1), false), "/p/2");
    co_await other->close();
    auto again = co_await session.fetch("https://store.test/many");
    EXPECT_EQ(joined(co_await again->css("a", 1), false), "/p/1");
    co_await again->close();
    co_await session.exit();
  }());
}

// A TLS server that answers in plain HTTP, and one that resets: the page
// fails like any failed load, and the session goes on.
TEST_F(Chromium, BrokenOriginsFailOnlyTheirPage) {
  tarvik::test::Reply reset;
  reset.reset = true;
  server->route("reset.test", "/", reset);
  server->route("fine.test", "/", html(page("<a href='/p/1'>fine</a>")));
  auto options = through(*server);
  // plain.test's TLS goes to the plain-HTTP port.
  options.fetch.connect_to.insert(options.fetch.connect_to.begin(),
                                  {"plain.test", "443", "127.0.0.1", std::to_string(server->port())});
  run_within(60s, [&]() -> asio::awaitable<void> {
    ChromiumSession session(options);
    co_await session.enter();
    remember(session);
    for (const char* url : {"https://plain.test/", "https://reset.test/"}) {
      SCOPED_TRACE(url);
      EXPECT_THROW(co_await session.fetch(url), BrowserError);
    }
    auto opened = co_await session.fetch("https://fine.test/");
    EXPECT_EQ((co_await opened->css("a", 10)).size(), 1u);
    co_await opened->close();
    co_await session.exit();
  }());
}

TEST_F(Chromium, TimeOuts) {
  server->route("slow.test", "/", hanging());
  server->route("hang.test", "/", html(page("<script src=/never.js></script>")));
  server->route("hang.test", "/never.js", hanging());
  run_within(40s, [&]() -> asio::awaitable<void> {
    ChromiumSession session(through(*server, 4, 1500));
    co_await session.enter();
    remember(session);
    for (const char* url : {"https://slow.test/", "https://hang.test/"}) {
      SCOPED_TRACE(url);
      const auto start = std::chrono::steady_clock::now();
      EXPECT_THROW(co_await session.fetch(url), BrowserError);
      EXPECT_LT(std::chrono::steady_clock::now() - start, 4s);
    }
    const auto start = std::chrono::steady_clock::now();
    co_await session.exit();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 6s);
  }());
}

TEST_F(Chromium, AtMostMaxPagesAtOnce) {
  for (int i = 0; i < 6; ++i) server->route("store" + std::to_string(i) + ".test", "/search", slow(page("<a href=/p/1>x</a>"), 1000ms));
  auto options = through(*server, 2);
  // Only the stores reach the server: the browser's own background requests
  // would count as pages in flight.
  options.fetch.connect_to.clear();
  for (int i = 0; i < 6; ++i)
    options.fetch.connect_to.push_back({"store" + std::to_string(i) + ".test", "443", "127.0.0.1",
                                        std::to_string(server->tls_port())});
  run_within(60s, [&]() -> asio::awaitable<void> {
    ChromiumSession session(options);
    co_await session.enter();
    remember(session);
    auto executor = co_await asio::this_coro::executor;
    int read = 0, running = 6;
    asio::steady_timer all_done(executor, std::chrono::steady_clock::time_point::max());
    for (int i = 0; i < 6; ++i) {
      asio::co_spawn(executor, [&, i]() -> asio::awaitable<void> {
        auto opened = co_await session.fetch("https://store" + std::to_string(i) + ".test/search");
        read += (co_await opened->css("a", 10)).size() == 1;
        co_await opened->close();
      }, [&](std::exception_ptr) {
        if (--running == 0) all_done.cancel();
      });
    }
    boost::system::error_code ec;
    co_await all_done.async_wait(asio::redirect_error(asio::use_awaitable, ec));
    EXPECT_EQ(read, 6);
    // Pages overlap for a second each, yet never more than two are asked.
    EXPECT_LE(server->peak_in_flight(""), 2u);
    co_await session.exit();
  }());
}

TEST_F(Chromium, BrowserKilledMidRun) {
  server->route("slow.test", "/", hanging());
  run_within(60s, [&]() -> asio::awaitable<void> {
    ChromiumSession session(through(*server, 4, 15000));
    co_await session.enter();
    remember(session);
    auto executor = co_await asio::this_coro::executor;
    int failed = 0, running = 3;
    asio::steady_timer all_done(executor, std::chrono::steady_clock::time_point::max());
    for (int i = 0; i < 3; ++i) {
      asio::co_spawn(executor, session.fetch("https://slow.test/"), [&](std::exception_ptr e, std::unique_ptr<Page>) {
        try {
          if (e) std::rethrow_exception(e);
        } catch (const BrowserError&) {
          ++failed;
        }
        if (--running == 0) all_done.cancel();
      });
    }
    // Killed while its tunnels to the hanging server are open.
    asio::steady_timer pause(executor);
    // (The browser's cache lets one of the three same-URL requests out at a time.)
    for (int i = 0; i < 400 && server->count("slow.test", "/") < 1; ++i) {
      pause.expires_after(25ms);
      co_await pause.async_wait(asio::use_awaitable);
    }
    EXPECT_GE(server->count("slow.test", "/"), 1u);
    const auto killed_at = std::chrono::steady_clock::now();
    ::kill(session.browser_pid(), SIGKILL);
    boost::system::error_code ec;
    co_await all_done.async_wait(asio::redirect_error(asio::use_awaitable, ec));
    EXPECT_EQ(failed, 3);
    EXPECT_LT(std::chrono::steady_clock::now() - killed_at, 3s);
    EXPECT_THROW(co_await session.fetch("https://slow.test/"), BrowserError);
    co_await session.exit();
    EXPECT_EQ(session.stats().proxy.open, 0u);
  }());
}

TEST_F(Chromium, DestroyedWithoutExitLeavesNothing) {
  const auto tmp = std::filesystem::temp_directory_path() / ("tarvik-test-" + std::to_string(getpid()));
  std::filesystem::create_directories(tmp);
  const char* saved = getenv("TMPDIR");
  const std::string saved_value = saved ? saved : "";
  setenv("TMPDIR", tmp.c_str(), 1);
  server->route("slow.test", "/", hanging());
  EXPECT_THROW(run_within(60s, [&]() -> asio::awaitable<void> {
                 ChromiumSession session(through(*server));
                 co_await session.enter();
                 remember(session);
                 EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tmp), {}), 1);  // the profile
                 auto executor = co_await asio::this_coro::executor;
                 asio::co_spawn(executor, session.fetch("https://slow.test/"), asio::detached);
                 asio::steady_timer pause(executor, 300ms);
                 co_await pause.async_wait(asio::use_awaitable);
                 throw std::runtime_error("the run fails before exit()");
               }()),
               std::runtime_error);
  if (saved) setenv("TMPDIR", saved_value.c_str(), 1); else unsetenv("TMPDIR");
  for (const auto& e : std::filesystem::recursive_directory_iterator(tmp)) ADD_FAILURE() << "left: " << e.path();
  std::filesystem::remove_all(tmp);
}

// The process that opened the session is killed before any cleanup of its
// own can run: its keeper still ends the browser and removes the profile.
TEST_F(Chromium, OwnerKilledLeavesNoBrowserAndNoProfile) {
  namespace fs = std::filesystem;
  const auto tmp = fs::temp_directory_path() / ("tarvik-owner-" + std::to_string(getpid()));
  fs::create_directories(tmp);
  int out[2];
  ASSERT_EQ(pipe2(out, O_CLOEXEC), 0);
  const int log = open((tmp / "owner.log").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  const pid_t owner = tarvik::test::spawn_with_tmpdir({TARVIK_SESSION_OWNER}, tmp.string(), out[1], log);
  close(out[1]);
  close(log);
  ASSERT_GT(owner, 0);
  std::string line;  // "<browser pid> <profile>" once the session has started
  bool ended = false;
  tarvik::test::wait_until(
      [&] {
        pollfd p{out[0], POLLIN, 0};
        char buf[256];
        const ssize_t n = poll(&p, 1, 0) == 1 ? read(out[0], buf, sizeof buf) : -1;
        if (n > 0) line.append(buf, static_cast<std::size_t>(n));
        ended = ended || n == 0;
        return ended || line.find('\n') != std::string::npos;
      },
      60s);
  close(out[0]);
  pid_t browser = 0;
  std::string profile;
  std::istringstream(line) >> browser >> profile;
  const bool profile_made = !profile.empty() && fs::is_directory(profile);
  kill(owner, SIGKILL);
  waitpid(owner, nullptr, 0);
  std::ifstream owner_log(tmp / "owner.log");
  ASSERT_GT(browser, 0) << "the session did not start: " << owner_log.rdbuf();
  browser_groups.push_back(browser);  // the fixture checks that none of its group is left
  EXPECT_TRUE(profile_made) << profile;
  EXPECT_EQ(profile.rfind((tmp / "tarvik-chromium-").string(), 0), 0u) << profile;
  EXPECT_TRUE(tarvik::test::wait_until(
      [&] {
        return tarvik::test::leftover_processes({browser}).empty() &&
               tarvik::test::processes_mentioning(profile).empty() && !fs::exists(profile);
      },
      10s))
      << "browser processes: " << ::testing::PrintToString(tarvik::test::processes_mentioning(profile))
      << ", profile left: " << fs::exists(profile);
  fs::remove_all(tmp);
}

TEST_F(Chromium, StartFailures) {
  const std::pair<const char*, const char*> rows[] = {
      {"/nonexistent/chromium", "browser not found or not executable: /nonexistent/chromium"},
      {"/tmp", "browser not found or not executable: /tmp"},
      {"false", "the browser did not start"},
  };
  for (const auto& [executable, want] : rows) {
    SCOPED_TRACE(executable);
    auto options = through(*server);
    options.executable = executable;
    std::string message;
    run_within(30s, [&]() -> asio::awaitable<void> {
      ChromiumSession session(options);
      try {
        co_await session.enter();
      } catch (const BrowserError& e) {
        message = e.what();
      }
    }());
    EXPECT_EQ(message.substr(0, std::strlen(want)), want);
  }
}

}  // namespace
