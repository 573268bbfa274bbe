// The Chromium session against real Chromium: pages served by a made-up web
// through the session's request interception.
#include <signal.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>

#include "browser/test_browser_support.hpp"

namespace {

using namespace tarvik::testing;
using tarvik::browser::BrowserError;
using tarvik::browser::ChromiumSession;
using tarvik::browser::Element;
using tarvik::browser::Page;
namespace asio = boost::asio;

std::string html(const std::string& body) { return "<!doctype html><html><head></head><body>" + body + "</body></html>"; }

std::string many_links(int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += "<a href=\"/p/" + std::to_string(i) + "\">item " + std::to_string(i) + "</a>";
  return out;
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
  Web web;
};

TEST_F(Chromium, ReadsPages) {
  const std::string shop = "http://shop.test";
  web.routes[shop + "/search?q=tote"] = {200, html("<a href='/itm/1'>Leather <b>Tote</b></a><p>x</p>"
                                                   "<a href='/itm/2'> Canvas\n Bag <script>var x = 1;</script></a>")};
  web.routes[shop + "/redirect"] = {302, "", "text/html", 0ms, {{"Location", "/search?q=tote"}}};
  web.routes[shop + "/late"] = {
      200, html("<script>addEventListener('load', () => setTimeout(() => {"
                "document.body.insertAdjacentHTML('beforeend', '<a href=\"/itm/late\">Late Tote</a>')}, 60))</script>")};
  web.routes[shop + "/data.json"] = {200, "{\"href\": \"/itm/fetched\"}", "application/json", 150ms};
  web.routes[shop + "/fetched"] = {
      200, html("<script>addEventListener('load', () => fetch('/data.json').then(r => r.json()).then(d => {"
                "const a = document.createElement('a'); a.href = d.href; a.textContent = 'Fetched';"
                "document.body.append(a)}))</script>")};
  web.routes[shop + "/stealth"] = {
      200, html("<p id=out></p><script>document.getElementById('out').textContent = "
                "[navigator.webdriver, navigator.languages.join(','), navigator.userAgent].join('|')</script>")};
  web.routes[shop + "/huge"] = {200, html(many_links(100000))};
  web.routes[shop + "/long-text"] = {200, html("<a href='/p/long'>" + std::string(1 << 20, 'w') + "</a>")};
  web.routes[shop + "/alert"] = {200, html("<script>alert('hi'); document.write('<a href=\"/itm/9\">After</a>')</script>")};
  web.routes[shop + "/popup"] = {
      200, html("<a id=pop href='/search?q=tote' target=_blank>Pop</a><script>window.open('/search?q=tote');"
                "document.getElementById('pop').click()</script>")};
  web.routes[shop + "/away"] = {200, html("<script>setTimeout(() => location.href = '/search?q=tote', 0)</script>")};
  web.routes[shop + "/lone-surrogate"] = {200, html("<script>document.write('<a href=\"/p/1\">A\\ud800B</a>')</script>")};

  struct Row {
    const char* label;
    std::string path;
    std::string selector;
    std::size_t limit;
    std::optional<int> status;
    std::string hrefs;  // joined, or "*" for any outcome (but no hang and no crash)
    std::string texts;  // joined, or "*"; a row ending in "..." compares as a prefix
  };
  const Row rows[] = {
      {"links in document order", "/search?q=tote", "a", 10, 200, "/itm/1 | /itm/2", "Leather Tote | Canvas Bag"},
      {"redirect answered as a redirect", "/redirect", "a[href*=\"/itm/\"]", 1, 200, "/itm/1", "Leather Tote"},
      {"404 page", "/nowhere", "a", 10, 404, "", ""},
      {"links added by a script after load", "/late", "a", 10, 200, "/itm/late", "Late Tote"},
      {"links added after a request made after load", "/fetched", "a", 10, 200, "/itm/fetched", "Fetched"},
      {"webdriver hidden, realistic languages, no Headless", "/stealth", "#out", 1, 200, "-",
       "false|en-US,en|Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/..."},
      {"100,000 links, first ten taken", "/huge", "a", 10, 200,
       "/p/0 | /p/1 | /p/2 | /p/3 | /p/4 | /p/5 | /p/6 | /p/7 | /p/8 | /p/9", "*"},
      {"selector matching nothing", "/search?q=tote", "a.nothing", 10, 200, "", ""},
      {"dialog dismissed, page goes on", "/alert", "a", 10, 200, "/itm/9", "After"},
      {"pop-ups do not stop the page", "/popup", "#pop", 10, 200, "/search?q=tote", "Pop"},
      {"page navigating itself away", "/away", "a", 10, std::nullopt, "*", "*"},
      {"lone surrogate in page text", "/lone-surrogate", "a", 10, 200, "/p/1", "A\xEF\xBF\xBD" "B"},
  };
  run_with_deadline([&]() -> asio::awaitable<void> {
    ChromiumSession session(chromium_options(web));
    co_await session.enter();
    remember(session);
    for (const auto& r : rows) {
      SCOPED_TRACE(r.label);
      std::unique_ptr<Page> page;
      std::vector<Element> found;
      try {
        page = co_await session.fetch(shop + r.path);
        found = co_await page->css(r.selector, r.limit);
        co_await page->close();
      } catch (const BrowserError& e) {
        if (r.hrefs != "*") ADD_FAILURE() << e.what();
        continue;
      }
      if (r.hrefs == "*") continue;
      EXPECT_EQ(page->status(), r.status);
      EXPECT_EQ(joined(found, false), r.hrefs);
      const std::string texts = joined(found, true);
      if (r.texts.size() > 3 && r.texts.substr(r.texts.size() - 3) == "...") {
        EXPECT_EQ(texts.substr(0, r.texts.size() - 3), r.texts.substr(0, r.texts.size() - 3));
      } else if (r.texts != "*") {
        EXPECT_EQ(texts, r.texts);
      }
    }
    // Texts are cut at the documented length.
    auto page = co_await session.fetch(shop + "/long-text");
    const auto long_link = co_await page->css("a", 1);
    EXPECT_EQ(long_link.at(0).get_all_text().size(), tarvik::browser::kMaxTextLength);
    EXPECT_THROW(co_await page->css("a[[", 1), BrowserError);
    EXPECT_THROW(co_await session.fetch("file:///etc/passwd"), BrowserError);
    page.reset();
    co_await session.exit();
  });
}

TEST_F(Chromium, RefusesPageResourcesUnfetched) {
  const std::string base = "http://res.test/";
  web.routes[base] = {200, "<html><head><link rel=stylesheet href=/s.css><script src=/app.js></script>"
                           "<style>@font-face{font-family:f;src:url(/f.woff2)}body{font-family:f}</style></head>"
                           "<body>text<img src=/i.png><video src=/v.mp4 autoplay></video></body></html>"};
  web.routes[base + "app.js"] = {200, "window.ok = 1", "text/javascript"};
  run_with_deadline([&]() -> asio::awaitable<void> {
    ChromiumSession session(chromium_options(web));
    co_await session.enter();
    remember(session);
    auto page = co_await session.fetch(base);
    co_await page->close();
    co_await session.exit();
    EXPECT_EQ(web.requested, (std::vector<std::string>{base, base + "app.js"}));
    EXPECT_GE(session.stats().requests_refused, 3u);
  });
}

TEST_F(Chromium, TimeOuts) {
  web.routes["http://slow.test/"] = {200, html("late"), "text/html", 20s};
  web.routes["http://hang.test/"] = {200, html("<script src=/never.js></script>")};
  web.routes["http://hang.test/never.js"] = {200, "", "text/javascript", 20s};
  run_with_deadline([&]() -> asio::awaitable<void> {
    ChromiumSession session(chromium_options(web, 4, 1500));
    co_await session.enter();
    remember(session);
    for (const char* url : {"http://slow.test/", "http://hang.test/"}) {
      SCOPED_TRACE(url);
      const auto start = std::chrono::steady_clock::now();
      EXPECT_THROW(co_await session.fetch(url), BrowserError);
      EXPECT_LT(std::chrono::steady_clock::now() - start, 4s);
    }
    const auto start = std::chrono::steady_clock::now();
    co_await session.exit();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
  }, 40s);
}

TEST_F(Chromium, AtMostMaxPagesAtOnce) {
  std::vector<std::string> urls;
  for (int i = 0; i < 6; ++i) {
    urls.push_back("http://store" + std::to_string(i) + ".test/search");
    web.routes[urls.back()] = {200, html("<a href='/p/1'>x</a>"), "text/html", 300ms};
  }
  run_with_deadline([&]() -> asio::awaitable<void> {
    ChromiumSession session(chromium_options(web, 2));
    co_await session.enter();
    remember(session);
    int read = 0;
    std::vector<asio::awaitable<void>> reads;
    auto executor = co_await asio::this_coro::executor;
    int running = static_cast<int>(urls.size());
    asio::steady_timer all_done(executor, std::chrono::steady_clock::time_point::max());
    for (const auto& url : urls) {
      asio::co_spawn(executor, [&, url]() -> asio::awaitable<void> {
        auto page = co_await session.fetch(url);
        read += (co_await page->css("a", 10)).size() == 1;
        co_await page->close();
      }, [&](std::exception_ptr) {
        if (--running == 0) all_done.cancel();
      });
    }
    boost::system::error_code ec;
    co_await all_done.async_wait(asio::redirect_error(asio::use_awaitable, ec));
    EXPECT_EQ(read, 6);
    EXPECT_EQ(web.most_documents_open, 2);
    co_await session.exit();
  });
}

TEST_F(Chromium, BrowserKilledMidRun) {
  web.routes["http://slow.test/"] = {200, html("late"), "text/html", 20s};
  run_with_deadline([&]() -> asio::awaitable<void> {
    ChromiumSession session(chromium_options(web, 4, 15000));
    co_await session.enter();
    remember(session);
    auto executor = co_await asio::this_coro::executor;
    int failed = 0, running = 3;
    asio::steady_timer all_done(executor, std::chrono::steady_clock::time_point::max());
    for (int i = 0; i < 3; ++i) {
      asio::co_spawn(executor, session.fetch("http://slow.test/"), [&](std::exception_ptr e, std::unique_ptr<Page>) {
        try {
          if (e) std::rethrow_exception(e);
        } catch (const BrowserError&) {
          ++failed;
        }
        if (--running == 0) all_done.cancel();
      });
    }
    asio::steady_timer pause(executor, 500ms);
    co_await pause.async_wait(asio::use_awaitable);
    const auto killed_at = std::chrono::steady_clock::now();
    ::kill(session.browser_pid(), SIGKILL);
    boost::system::error_code ec;
    co_await all_done.async_wait(asio::redirect_error(asio::use_awaitable, ec));
    EXPECT_EQ(failed, 3);
    EXPECT_LT(std::chrono::steady_clock::now() - killed_at, 3s);
    EXPECT_THROW(co_await session.fetch("http://slow.test/"), BrowserError);
    co_await session.exit();
  });
}

TEST_F(Chromium, DestroyedWithoutExitLeavesNothing) {
  const auto tmp = std::filesystem::temp_directory_path() / ("tarvik-test-" + std::to_string(getpid()));
  std::filesystem::create_directories(tmp);
  const char* saved = getenv("TMPDIR");
  const std::string saved_value = saved ? saved : "";
  setenv("TMPDIR", tmp.c_str(), 1);
  web.routes["http://slow.test/"] = {200, html("late"), "text/html", 20s};
  EXPECT_THROW(run_with_deadline([&]() -> asio::awaitable<void> {
                 ChromiumSession session(chromium_options(web));
                 co_await session.enter();
                 remember(session);
                 EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tmp), {}), 1);  // the profile
                 auto executor = co_await asio::this_coro::executor;
                 asio::co_spawn(executor, session.fetch("http://slow.test/"), asio::detached);
                 asio::steady_timer pause(executor, 300ms);
                 co_await pause.async_wait(asio::use_awaitable);
                 throw std::runtime_error("the run fails before exit()");
               }),
               std::runtime_error);
  if (saved) setenv("TMPDIR", saved_value.c_str(), 1); else unsetenv("TMPDIR");
  for (const auto& e : std::filesystem::recursive_directory_iterator(tmp)) ADD_FAILURE() << "left: " << e.path();
  std::filesystem::remove_all(tmp);
}

TEST_F(Chromium, StartFailures) {
  struct Row {
    const char* executable;
    const char* message;
  };
  const Row rows[] = {
      {"/nonexistent/chromium", "browser not found or not executable: /nonexistent/chromium"},
      {"/tmp", "browser not found or not executable: /tmp"},
      {"false", "the browser did not start"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.executable);
    run_with_deadline([&]() -> asio::awaitable<void> {
      auto options = chromium_options(web);
      options.executable = r.executable;
      ChromiumSession session(options);
      std::string message;
      try {
        co_await session.enter();
      } catch (const BrowserError& e) {
        message = e.what();
      }
      EXPECT_EQ(message.substr(0, std::strlen(r.message)), r.message);
    }, 30s);
  }
}

}  // namespace
