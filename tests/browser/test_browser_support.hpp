// Shared by the tests that run real Chromium against the loopback server:
// session options, the request log, and the check that no process of the
// browser outlives its test.
#pragma once

#include <sys/types.h>

#include <gtest/gtest.h>

#include <boost/asio/co_spawn.hpp>
#include <boost/asio/detached.hpp>
#include <boost/asio/redirect_error.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/this_coro.hpp>
#include <boost/asio/use_awaitable.hpp>

#include <chrono>
#include <string>
#include <vector>

#include "support/http_server.hpp"
#include "support/processes.hpp"
#include "support/loop.hpp"
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

// Session options whose requests all go to `server` (http to its plain port,
// https to its TLS port, whose certificate the browser then accepts).
inline browser::ChromiumOptions through(const test::HttpServer& server, int max_pages = 4, int timeout_ms = 10000) {
  browser::ChromiumOptions o;
  o.session.max_pages = max_pages;
  o.session.timeout_ms = timeout_ms;
  o.fetch.connect_to = {server.mapping(), server.tls_mapping()};
  o.fetch.insecure = true;
  return o;
}

// "host/target" of the requests for test hosts (made-up names under .test):
// the browser's own background requests to its vendor are left out.
inline std::vector<std::string> asked_of_test_hosts(const test::HttpServer& server) {
  std::vector<std::string> out;
  for (const auto& r : server.requests())
    if (r.host.size() > 5 && r.host.compare(r.host.size() - 5, 5, ".test") == 0) out.push_back(r.host + r.target);
  return out;
}

// "host/target" of every request the server was asked, in arrival order.
inline std::vector<std::string> asked(const test::HttpServer& server) {
  std::vector<std::string> out;
  for (const auto& r : server.requests()) out.push_back(r.host + r.target);
  return out;
}

// Fails the test when a browser process of the test remains after its end.
class BrowserProcessCheck : public ::testing::Test {
 protected:
  void TearDown() override {
    // exit() and the destructor return only once every process is reaped.
    const std::vector<std::string> left = test::leftover_processes(browser_groups);
    EXPECT_TRUE(left.empty()) << "browser processes outlived the test: " << ::testing::PrintToString(left);
  }
  void remember(const browser::ChromiumSession& session) {
    if (session.browser_pid() > 0) browser_groups.push_back(session.browser_pid());
  }
  std::vector<pid_t> browser_groups;
};

}  // namespace tarvik::testing
