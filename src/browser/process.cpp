// Browser process tree: keeper, browser, reaping.
#include "process.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <boost/asio/posix/stream_descriptor.hpp>
#include <boost/asio/redirect_error.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/this_coro.hpp>
#include <boost/asio/use_awaitable.hpp>

#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

#include "tarvik/browser/session.hpp"

namespace tarvik::browser::detail {

namespace asio = boost::asio;

namespace {

// Descriptor slots in the keeper and the browser.
constexpr int kCdp = 3;         // the browser reads fd 3 and writes fd 4: both the socket
constexpr int kCdpOut = 4;
constexpr int kReport = 5;      // keeper and browser -> this process: pid, exec errors
constexpr int kLifeline = 6;    // this process -> keeper: EOF means kill
constexpr int kStderr = 7;
constexpr int kDevNull = 8;

// Messages on the report pipe: one 8-byte write each, so they never interleave.
struct Report {
  std::int32_t kind;  // 1: browser pid, 2: exec errno, 3: fork errno
  std::int32_t value;
};

// Everything below runs in the forked keeper: async-signal-safe calls only
// (the parent may have had other threads), no allocation, no return.

void write_report(std::int32_t kind, std::int32_t value) {
  const Report r{kind, value};
  ssize_t ignored = write(kReport, &r, sizeof r);
  (void)ignored;
}

std::int64_t now_ms() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

// SIGKILL to every direct child (orphans of the browser tree are reparented
// here, as the subreaper).
void kill_children() {
  char path[64] = "/proc/self/task/";
  std::size_t len = std::strlen(path);
  char digits[16];
  std::size_t nd = 0;
  for (pid_t p = getpid(); p > 0 && nd < sizeof digits; p /= 10) digits[nd++] = static_cast<char>('0' + p % 10);
  while (nd > 0) path[len++] = digits[--nd];
  const char tail[] = "/children";
  std::memcpy(path + len, tail, sizeof tail);
  const int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  char buf[4096];
  const ssize_t n = read(fd, buf, sizeof buf);
  close(fd);
  pid_t pid = 0;
  for (ssize_t i = 0; i < n; ++i) {
    if (buf[i] >= '0' && buf[i] <= '9') {
      pid = pid * 10 + (buf[i] - '0');
    } else {
      if (pid > 0) kill(pid, SIGKILL);
      pid = 0;
    }
  }
  if (pid > 0) kill(pid, SIGKILL);
}

void set_default(int sig) {
  struct sigaction sa {};
  sa.sa_handler = SIG_DFL;
  sigemptyset(&sa.sa_mask);
  sigaction(sig, &sa, nullptr);
}

[[noreturn]] void exec_browser(const char* executable, char* const* argv, char* const* envp) {
  setpgid(0, 0);
  dup2(kDevNull, 0);
  dup2(kStderr, 1);
  dup2(kStderr, 2);
  close(kLifeline);
  close(kStderr);
  close(kDevNull);
  fcntl(kReport, F_SETFD, FD_CLOEXEC);  // closes on a successful exec: EOF for the parent
  for (int sig : {SIGPIPE, SIGINT, SIGTERM, SIGHUP, SIGCHLD, SIGQUIT}) set_default(sig);
  execve(executable, argv, envp);
  write_report(2, errno);
  _exit(127);
}

[[noreturn]] void keeper_main(const char* executable, char* const* argv, char* const* envp,
                              char* const* remove_argv, const std::array<int, 6>& fds) {
  // fds: cdp, report, lifeline, stderr, devnull, (unused) -- moved above every
  // slot first, so that placing them cannot overwrite one another.
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  for (int sig : {SIGCHLD, SIGTERM, SIGHUP, SIGQUIT}) set_default(sig);
  // Terminal signals go to the foreground group; the keeper must outlive this
  // process to clean up after it, so it leaves that group and ignores them.
  signal(SIGPIPE, SIG_IGN);
  signal(SIGINT, SIG_IGN);
  setpgid(0, 0);
  prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0);

  int high[5];
  for (int i = 0; i < 5; ++i) high[i] = fcntl(fds[static_cast<std::size_t>(i)], F_DUPFD, 100);
  dup2(high[0], kCdp);
  dup2(high[0], kCdpOut);
  dup2(high[1], kReport);
  dup2(high[2], kLifeline);
  dup2(high[3], kStderr);
  dup2(high[4], kDevNull);
  close_range(kDevNull + 1, ~0U, 0);

  const pid_t browser = fork();
  if (browser == 0) exec_browser(executable, argv, envp);
  if (browser < 0) {
    write_report(3, errno);
    _exit(126);
  }
  setpgid(browser, browser);  // also done by the browser; whichever runs first
  write_report(1, static_cast<std::int32_t>(browser));
  close(kReport);
  close(kCdp);
  close(kCdpOut);
  close(kStderr);
  close(kDevNull);

  bool browser_running = true;
  bool killing = false;
  std::int64_t browser_gone_at = 0;
  int lifeline = kLifeline;
  for (;;) {
    int status = 0;
    pid_t reaped;
    while ((reaped = waitpid(-1, &status, WNOHANG)) > 0) {
      if (reaped == browser) {
        browser_running = false;
        browser_gone_at = now_ms();
      }
    }
    if (reaped < 0 && errno == ECHILD) {
      // Everything is reaped: the browser's directory goes last.
      execve(remove_argv[0], remove_argv, envp);
      _exit(0);
    }
    if (!browser_running && !killing) {
      // Helpers that outlive the browser by a second are killed.
      if (now_ms() - browser_gone_at > 1000) {
        killing = true;
        kill(-browser, SIGKILL);
      }
    }
    if (killing) kill_children();
    pollfd p{lifeline, POLLIN, 0};
    const int ready = poll(&p, lifeline >= 0 ? 1 : 0, 20);
    if (ready > 0 && lifeline >= 0) {
      // EOF (or any byte): this process wants the browser gone, or has died.
      close(lifeline);
      lifeline = -1;
      killing = true;
      kill(-browser, SIGKILL);
      kill(browser, SIGKILL);
    }
  }
}

int dup_cloexec(int fd) {
  const int copy = fcntl(fd, F_DUPFD_CLOEXEC, 3);
  if (copy < 0) throw BrowserError(std::string("cannot duplicate a descriptor: ") + std::strerror(errno));
  return copy;
}

// Closes a descriptor on scope exit unless released.
struct Fd {
  int fd = -1;
  explicit Fd(int f = -1) : fd(f) {}
  ~Fd() {
    if (fd >= 0) close(fd);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int release() { return std::exchange(fd, -1); }
  void reset() {
    if (fd >= 0) close(fd);
    fd = -1;
  }
};

}  // namespace

BrowserProcess::BrowserProcess(pid_t keeper, pid_t browser, int lifeline)
    : keeper_(keeper), browser_(browser), lifeline_(lifeline) {}

BrowserProcess::~BrowserProcess() { terminate_now(); }

asio::awaitable<std::unique_ptr<BrowserProcess>> BrowserProcess::start(std::string executable,
                                                                       std::vector<std::string> args,
                                                                       std::vector<std::string> env, int cdp_fd,
                                                                       std::filesystem::path stderr_path,
                                                                       std::filesystem::path directory) {
  // Everything the keeper needs is prepared here: it may not allocate.
  std::vector<char*> argv;
  argv.reserve(args.size() + 2);
  argv.push_back(executable.data());
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<char*> envp;
  envp.reserve(env.size() + 1);
  for (auto& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string rm = "/bin/rm", rm_flags = "-rf", rm_end = "--", rm_path = directory.string();
  std::array<char*, 5> remove_argv{rm.data(), rm_flags.data(), rm_end.data(), rm_path.data(), nullptr};

  int report_pipe[2];
  int lifeline_pipe[2];
  if (pipe2(report_pipe, O_CLOEXEC) != 0)
    throw BrowserError(std::string("cannot create a pipe: ") + std::strerror(errno));
  Fd report_read(report_pipe[0]), report_write(report_pipe[1]);
  if (pipe2(lifeline_pipe, O_CLOEXEC) != 0)
    throw BrowserError(std::string("cannot create a pipe: ") + std::strerror(errno));
  Fd lifeline_read(lifeline_pipe[0]), lifeline_write(lifeline_pipe[1]);
  Fd err(open(stderr_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
  if (err.fd < 0) throw BrowserError("cannot create " + stderr_path.string() + ": " + std::strerror(errno));
  Fd devnull(open("/dev/null", O_RDWR | O_CLOEXEC));
  if (devnull.fd < 0) throw BrowserError(std::string("cannot open /dev/null: ") + std::strerror(errno));
  Fd cdp(dup_cloexec(cdp_fd));

  const std::array<int, 6> fds{cdp.fd, report_write.fd, lifeline_read.fd, err.fd, devnull.fd, -1};
  const pid_t keeper = fork();
  if (keeper < 0) throw BrowserError(std::string("cannot start the browser: fork failed: ") + std::strerror(errno));
  if (keeper == 0) keeper_main(executable.c_str(), argv.data(), envp.data(), remove_argv.data(), fds);

  // From here on the process object owns the tree, so every path reaps it.
  std::unique_ptr<BrowserProcess> process(new BrowserProcess(keeper, 0, lifeline_write.release()));
  report_write.reset();
  cdp.reset();
  lifeline_read.reset();
  err.reset();
  devnull.reset();

  // Read reports until EOF: the keeper closes its end after sending the pid,
  // the browser's end closes when exec succeeds.
  asio::posix::stream_descriptor reports(co_await asio::this_coro::executor, report_read.release());
  std::array<char, 64> buf{};
  std::size_t have = 0;
  for (;;) {
    boost::system::error_code ec;
    const std::size_t n =
        co_await reports.async_read_some(asio::buffer(buf.data() + have, buf.size() - have),
                                         asio::redirect_error(asio::use_awaitable, ec));
    have += n;
    if (ec || have == buf.size()) break;
  }
  for (std::size_t off = 0; off + sizeof(Report) <= have; off += sizeof(Report)) {
    Report r{};
    std::memcpy(&r, buf.data() + off, sizeof r);
    if (r.kind == 1) {
      process->browser_ = r.value;
    } else {
      const std::string what = r.kind == 2 ? "cannot execute " + executable : "cannot start the browser";
      throw BrowserError(what + ": " + std::strerror(r.value));
    }
  }
  if (process->browser_ <= 0) throw BrowserError("cannot start the browser: its keeper process failed");
  co_return process;
}

bool BrowserProcess::poll_keeper() noexcept {
  if (keeper_ == 0) return true;
  int status = 0;
  const pid_t r = waitpid(keeper_, &status, WNOHANG);
  if (r == keeper_ || (r < 0 && errno == ECHILD)) {
    keeper_ = 0;
    return true;
  }
  return false;
}

asio::awaitable<bool> BrowserProcess::wait_exit(std::chrono::milliseconds limit) {
  asio::steady_timer timer(co_await asio::this_coro::executor);
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!poll_keeper()) {
    if (std::chrono::steady_clock::now() >= deadline) co_return false;
    timer.expires_after(std::chrono::milliseconds(10));
    co_await timer.async_wait(asio::use_awaitable);
  }
  co_return true;
}

void BrowserProcess::kill_tree() {
  if (lifeline_ >= 0) {
    close(lifeline_);
    lifeline_ = -1;
  }
}

void BrowserProcess::terminate_now() noexcept {
  if (keeper_ == 0) {
    kill_tree();
    return;
  }
  kill_tree();
  // The keeper kills the group and reaps it within a few polls.
  for (int i = 0; i < 300 && !poll_keeper(); ++i) {
    const timespec pause{0, 10 * 1000 * 1000};
    nanosleep(&pause, nullptr);
  }
  if (keeper_ != 0) {
    // A keeper that did not finish: kill it and the browser's group directly.
    if (browser_ > 0) kill(-browser_, SIGKILL);
    kill(keeper_, SIGKILL);
    int status = 0;
    while (waitpid(keeper_, &status, 0) < 0 && errno == EINTR) {
    }
    keeper_ = 0;
  }
}

}  // namespace tarvik::browser::detail
