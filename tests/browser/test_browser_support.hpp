// Shared by the tests that run real Chromium: a made-up web that answers the
// browser's requests, a loop runner with a deadline, and the check that no
// process of the browser outlives its test.
#pragma once

#include <dirent.h>
#include <sys/types.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <boost/asio/co_spawn.hpp>
#include <boost/asio/detached.hpp>
#include <boost/asio/redirect_error.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/this_coro.hpp>
#include <boost/asio/use_awaitable.hpp>

#include <algorithm>
#include <chrono>
#include <exception>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "tarvik/browser/chromium.hpp"

namespace tarvik::testing {

namespace asio = boost::asio;
using namespace std::chrono_literals;

// Skips the calling test when no browser can be found.
#define TARVIK_REQUIRE_BROWSER()                                                                  \
  do {                                                                                            \
    if (!::tarvik::browser::find_browser())                                                       \
      GTEST_SKIP() << "chromium is not installed (scripts/bootstrap installs it); browser test skipped"; \
  } while (0)

struct Route {
  long status = 200;
  std::string body = {};
  std::string content_type = "text/html; charset=utf-8";
  std::chrono::milliseconds delay{0};
  core::Headers headers = {};
};

// Answers the browser's requests from routes by URL (404 for the rest) and
// records every request it was asked.
class Web {
 public:
  std::map<std::string, Route> routes;
  std::vector<std::string> requested;
  int documents_open = 0, most_documents_open = 0;

  browser::Exchange exchange() {
    return [this](core::HttpRequest request, std::chrono::milliseconds) -> asio::awaitable<core::HttpResponse> {
      requested.push_back(request.url);
      const auto it = routes.find(request.url);
      const Route route = it == routes.end() ? Route{404, "not here"} : it->second;
      const bool document = route.content_type.rfind("text/html", 0) == 0;
      if (document) most_documents_open = std::max(most_documents_open, ++documents_open);
      struct Closing {
        int& open;
        bool document;
        ~Closing() { open -= document ? 1 : 0; }
      } closing{documents_open, document};
      if (route.delay.count() > 0) {
        asio::steady_timer timer(co_await asio::this_coro::executor, route.delay);
        co_await timer.async_wait(asio::use_awaitable);
      }
      core::HttpResponse response;
      response.status = route.status;
      response.url = request.url;
      response.headers = route.headers;
      response.headers.emplace_back("Content-Type", route.content_type);
      response.body = route.body;
      co_return response;
    };
  }
  bool was_requested(const std::string& url) const {
    return std::find(requested.begin(), requested.end(), url) != requested.end();
  }
};

inline browser::ChromiumOptions chromium_options(Web& web, int max_pages = 4, int timeout_ms = 10000) {
  browser::ChromiumOptions o;
  o.session.max_pages = max_pages;
  o.session.timeout_ms = timeout_ms;
  o.exchange = web.exchange();
  return o;
}

// Runs `body` on a fresh loop on this thread; a body still running after
// `limit` fails the test, and the loop's destruction then ends it.
inline void run_with_deadline(std::function<asio::awaitable<void>()> body, std::chrono::seconds limit = 60s) {
  asio::io_context loop;
  std::exception_ptr failure;
  bool done = false;
  asio::co_spawn(loop, body(), [&](std::exception_ptr e) {
    failure = e;
    done = true;
    loop.stop();
  });
  asio::steady_timer deadline(loop, limit);
  deadline.async_wait([&](boost::system::error_code ec) {
    if (!ec) loop.stop();
  });
  loop.run();
  if (!done) ADD_FAILURE() << "the test's body did not finish within " << limit.count() << " s";
  if (failure) std::rethrow_exception(failure);
}

// Processes that are children of this process (a keeper not reaped) or
// members of the browsers' process groups, as "pid state command".
inline std::vector<std::string> leftover_processes(const std::vector<pid_t>& groups) {
  std::vector<std::string> found;
  DIR* proc = opendir("/proc");
  if (!proc) return found;
  while (dirent* entry = readdir(proc)) {
    const std::string name = entry->d_name;
    if (name.empty() || !std::all_of(name.begin(), name.end(), ::isdigit)) continue;
    std::ifstream in("/proc/" + name + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto close = stat.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream rest(stat.substr(close + 2));
    char state = 0;
    pid_t ppid = 0, pgrp = 0;
    rest >> state >> ppid >> pgrp;
    const bool ours = ppid == getpid() ||
                      std::find(groups.begin(), groups.end(), pgrp) != groups.end();
    if (ours) found.push_back(name + " " + state + " " + stat.substr(stat.find('(') + 1, close - stat.find('(') - 1));
  }
  closedir(proc);
  return found;
}

// Fails the test when a browser process of the test remains after its end.
class BrowserProcessCheck : public ::testing::Test {
 protected:
  void TearDown() override {
    // exit() and the destructor return only once every process is reaped.
    const std::vector<std::string> left = leftover_processes(browser_groups);
    EXPECT_TRUE(left.empty()) << "browser processes outlived the test: " << ::testing::PrintToString(left);
  }
  void remember(const browser::ChromiumSession& session) {
    if (session.browser_pid() > 0) browser_groups.push_back(session.browser_pid());
  }
  std::vector<pid_t> browser_groups;
};

}  // namespace tarvik::testing
