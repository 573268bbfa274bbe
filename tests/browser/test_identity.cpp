// What a page can learn about the session's browser: nothing of ours (no
// injected getters, no Runtime domain), and an identity that agrees with
// itself and with the Chromium that runs it.
#include <algorithm>
#include <cstdio>
#include <map>

#include <boost/json/parse.hpp>

#include "browser/test_browser_support.hpp"
#include "support/fetches.hpp"

namespace {

using namespace tarvik::testing;
using tarvik::browser::ChromiumSession;
using tarvik::test::html;
using tarvik::test::HttpServer;
using tarvik::test::run_within;
namespace asio = boost::asio;
namespace json = boost::json;

// Reports what page scripts commonly look at, as one JSON object in #out.
// "localhost" is a secure context, so client hints are exposed and sent.
constexpr const char* kReportPage = R"HTML(<!doctype html><html><head></head><body><p id=out></p><script>
(async () => {
  const source = (object, name) => {
    const d = Object.getOwnPropertyDescriptor(object, name);
    return d && d.get ? Function.prototype.toString.call(d.get) : 'no getter';
  };
  // A serialised error's stack is read only when the Runtime domain is on.
  let runtime = false;
  const probe = new Error();
  Object.defineProperty(probe, 'stack', { get() { runtime = true; return ''; } });
  console.debug(probe);
  const data = navigator.userAgentData;
  const high = data ? await data.getHighEntropyValues(['fullVersionList']) : {};
  const brands = (list) => (list || []).map((b) => b.brand + '/' + b.version).join(', ');
  await new Promise((done) => setTimeout(done, 0));
  document.getElementById('out').textContent = JSON.stringify({
    webdriver: String(navigator.webdriver),
    webdriverGetter: source(Navigator.prototype, 'webdriver'),
    languagesGetter: source(Navigator.prototype, 'languages'),
    ownNavigatorProperties: String(Object.getOwnPropertyNames(navigator).length),
    languages: navigator.languages.join(','),
    language: navigator.language,
    userAgent: navigator.userAgent,
    platform: navigator.platform,
    brands: brands(data && data.brands),
    fullVersionList: brands(high.fullVersionList),
    chrome: typeof window.chrome,
    runtimeDomain: String(runtime),
    screen: [screen.width, screen.height, screen.availWidth, screen.availHeight].join('x'),
    windowFitsWorkArea: String(outerWidth <= screen.availWidth && outerHeight <= screen.availHeight),
    visibility: document.visibilityState + '/' + document.hasFocus(),
  });
})();
</script></body></html>)HTML";

// "156.0.8078.129" from `chromium --version`: the browser asked on its own,
// outside any session.
std::string installed_version() {
  const auto path = tarvik::browser::find_browser();
  std::string out;
  if (FILE* p = popen((*path + " --version 2>/dev/null").c_str(), "r")) {
    char buf[256];
    while (fgets(buf, sizeof buf, p)) out += buf;
    pclose(p);
  }
  // The first word made of digits and dots.
  const std::size_t start = out.find_first_of("0123456789");
  if (start == std::string::npos) return {};
  return out.substr(start, out.find_first_not_of("0123456789.", start) - start);
}

class Identity : public BrowserProcessCheck {
 protected:
  void SetUp() override { TARVIK_REQUIRE_BROWSER(); }
  HttpServer server;
};

TEST_F(Identity, PageSeesANativeConsistentBrowser) {
  server.route("localhost", "/report", html(kReportPage));
  std::map<std::string, std::string> seen;
  run_within(90s, [&]() -> asio::awaitable<void> {
    ChromiumSession session(through(server));
    co_await session.enter();
    remember(session);
    auto page = co_await session.fetch("http://localhost/report");
    const auto out = co_await page->css("#out", 1);
    co_await page->close();
    co_await session.exit();
    if (out.empty()) co_return;
    const json::value report = json::parse(out[0].get_all_text());
    for (const auto& [key, value] : report.as_object()) seen[std::string(key)] = std::string(value.as_string());
  }());
  ASSERT_FALSE(seen.empty()) << "the page reported nothing";
  // The report page's own request: the browser's background requests reach
  // the same server through the proxy and carry other headers.
  const auto requests = server.requests();
  const auto found = std::find_if(requests.begin(), requests.end(),
                                  [](const auto& r) { return r.host == "localhost" && r.path == "/report"; });
  ASSERT_NE(found, requests.end());
  const auto& request = *found;
  for (const char* header : {"accept-language", "sec-ch-ua", "sec-ch-ua-platform", "sec-ch-ua-mobile"})
    seen[std::string("header ") + header] = request.header(header).value_or("(absent)");
  // The page fetcher, left to its defaults, tells the same story.
  run_within(30s, [&]() -> asio::awaitable<void> {
    co_await tarvik::test::exchange(through(server).fetch, "https://localhost/fetched");
  }());
  for (const auto& r : server.requests())
    if (r.path == "/fetched")
      for (const char* header : {"sec-ch-ua", "sec-ch-ua-platform", "user-agent", "accept-language"})
        seen[std::string("fetcher ") + header] = r.header(header).value_or("(absent)");

  const std::string version = installed_version();
  ASSERT_FALSE(version.empty());
  const std::string major = version.substr(0, version.find('.'));
  // sec-ch-ua is the page's brand list in header form: "Brand";v="N", ...
  std::string brands_header;
  const std::string& brands = seen["brands"];
  for (std::size_t start = 0; start < brands.size();) {
    const std::size_t end = std::min(brands.find(", ", start), brands.size());
    const std::string entry = brands.substr(start, end - start);
    const std::size_t slash = entry.rfind('/');
    brands_header += (brands_header.empty() ? "" : ", ") +
                     ("\"" + entry.substr(0, slash) + "\";v=\"" + entry.substr(slash + 1) + "\"");
    start = end + 2;
  }

  struct Row {
    const char* check;
    std::string key;
    std::string expected;  // "~text": contains text; "!text": does not contain it
  };
  const Row rows[] = {
      {"webdriver natively false", "webdriver", "false"},
      {"webdriver getter is the browser's own", "webdriverGetter", "function get webdriver() { [native code] }"},
      {"languages getter is the browser's own", "languagesGetter", "function get languages() { [native code] }"},
      {"nothing defined on the navigator object itself", "ownNavigatorProperties", "0"},
      {"languages without q-values", "languages", "en-US,en"},
      {"language", "language", "en-US"},
      // Chromium's own header for the languages en-US, en (no doubled q-value).
      {"Accept-Language as Chromium writes it", "header accept-language", "en-US,en;q=0.9"},
      {"user agent says Chrome", "userAgent", "~ Chrome/" + major + "."},
      {"user agent does not say Headless", "userAgent", "!Headless"},
      {"navigator.platform native", "platform", "Linux x86_64"},
      {"brands carry this Chromium's major version", "brands", "~Chromium/" + major},
      {"full version list carries this Chromium's version", "fullVersionList", "~Chromium/" + version},
      {"sec-ch-ua header is the page's brand list", "header sec-ch-ua", brands_header},
      {"sec-ch-ua-platform", "header sec-ch-ua-platform", "\"Linux\""},
      {"sec-ch-ua-mobile", "header sec-ch-ua-mobile", "?0"},
      {"the page fetcher's sec-ch-ua is the browser's", "fetcher sec-ch-ua", brands_header},
      {"the page fetcher's platform hint", "fetcher sec-ch-ua-platform", "\"Linux\""},
      {"the page fetcher's user agent is the browser's", "fetcher user-agent", seen["userAgent"]},
      {"the page fetcher's Accept-Language is the browser's", "fetcher accept-language", "en-US,en;q=0.9"},
      {"window.chrome native", "chrome", "object"},
      {"Runtime domain off", "runtimeDomain", "false"},
      {"screen with a taskbar work area", "screen", "1366x768x1366x728"},
      {"window no larger than the work area", "windowFitsWorkArea", "true"},
      // A page loaded in a hidden background tab is a tell, and its timers are throttled.
      {"the page is visible", "visibility", "~visible/"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.check);
    const std::string& got = seen[r.key];
    if (!r.expected.empty() && r.expected[0] == '~') {
      EXPECT_NE(got.find(r.expected.substr(1)), std::string::npos) << got;
    } else if (!r.expected.empty() && r.expected[0] == '!') {
      EXPECT_EQ(got.find(r.expected.substr(1)), std::string::npos) << got;
    } else {
      EXPECT_EQ(got, r.expected);
    }
  }
}

}  // namespace
