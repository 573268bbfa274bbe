// The browser's process tree: started under a keeper process of our own that
// reaps every descendant, and taken down with it.
//
// Layout: this process -> keeper (own process group, child subreaper) ->
// browser (own process group) -> the browser's helpers. The keeper reaps all
// of them, the browser's orphans included, so nothing becomes a zombie even
// where the system's init does not reap. It kills the browser's group when
// told to (its lifeline closed), and on its own when this process dies, since
// the lifeline closes then too. Once every descendant is reaped, the keeper
// removes the browser's directory (by becoming "rm -rf" on it), so the
// profile goes even when this process died first; this process reaps it.
#pragma once

#include <sys/types.h>

#include <boost/asio/any_io_executor.hpp>
#include <boost/asio/awaitable.hpp>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace tarvik::browser::detail {

class BrowserProcess {
 public:
  // Starts `executable` with `args` and the environment `env` ("NAME=value"
  // entries); `cdp_fd` (one end of a socket pair) becomes the browser's fds 3
  // and 4, `stderr_path` its standard output and error, and `directory` is
  // removed when the tree is gone. Throws BrowserError when the keeper cannot
  // be forked or the browser cannot be executed (with the reason).
  static boost::asio::awaitable<std::unique_ptr<BrowserProcess>> start(std::string executable,
                                                                        std::vector<std::string> args,
                                                                        std::vector<std::string> env, int cdp_fd,
                                                                        std::filesystem::path stderr_path,
                                                                        std::filesystem::path directory);
  ~BrowserProcess();  // terminate_now()
  BrowserProcess(const BrowserProcess&) = delete;
  BrowserProcess& operator=(const BrowserProcess&) = delete;

  pid_t browser_pid() const { return browser_; }
  bool reaped() const { return keeper_ == 0; }

  // Waits until the whole tree has exited (true) or `limit` passed (false).
  boost::asio::awaitable<bool> wait_exit(std::chrono::milliseconds limit);
  // Tells the keeper to kill the browser's group now.
  void kill_tree();
  // Kills and reaps everything before returning, blocking for at most a few
  // seconds: lifeline closed, then the keeper and the browser's group killed
  // outright if the keeper has not finished.
  void terminate_now() noexcept;

 private:
  BrowserProcess(pid_t keeper, pid_t browser, int lifeline);
  // True once the keeper has been reaped (or cannot be waited for).
  bool poll_keeper() noexcept;

  pid_t keeper_ = 0;
  pid_t browser_ = 0;
  int lifeline_ = -1;
};

}  // namespace tarvik::browser::detail
