// Opens a Chromium session, prints "<browser pid> <profile directory>" on
// standard output and waits to be killed: the browser tests kill it so that
// only the session's keeper process is left to clean up.
#include <boost/asio/co_spawn.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/use_awaitable.hpp>

#include <cstdio>
#include <exception>
#include <string>

#include "support/processes.hpp"
#include "tarvik/browser/chromium.hpp"

namespace asio = boost::asio;

int main() {
  asio::io_context io;
  int status = 0;
  auto own = [&]() -> asio::awaitable<void> {
    tarvik::browser::ChromiumSession session;
    co_await session.enter();
    const std::string pid = std::to_string(session.browser_pid());
    // The profile is the browser's --user-data-dir.
    const std::string flag = "--user-data-dir=", line = tarvik::test::command_line(pid);
    const auto at = line.find(flag);
    const std::string profile = at == std::string::npos ? "-" : line.substr(at + flag.size()).c_str();
    std::printf("%s %s\n", pid.c_str(), profile.c_str());
    std::fflush(stdout);
    asio::steady_timer forever(io, asio::steady_timer::time_point::max());
    co_await forever.async_wait(asio::use_awaitable);
  };
  asio::co_spawn(io, own(), [&](std::exception_ptr e) {
    try {
      if (e) std::rethrow_exception(e);
    } catch (const std::exception& x) {
      std::fprintf(stderr, "session_owner: %s\n", x.what());
      status = 1;
    }
  });
  io.run();
  return status;
}
