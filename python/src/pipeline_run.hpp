// One operation of the pipeline on a thread of its own, for Python callers.
//
// What a run promises:
// - Threads: the operation runs on a fresh io_context driven by one new
//   thread; the caller (an asyncio loop, usually) is never blocked by it.
//   The GIL is taken on that thread only to deliver a progress message, to
//   read a callback's outcome, to drop Python references and to report the
//   end; never across a wait.
// - Progress: each message goes to the Python `notify(message)`, which
//   returns a concurrent.futures.Future; the operation waits for that future
//   without blocking its own loop (the future's done callback wakes it), and
//   an exception the future holds ends the operation as that same Python
//   exception object.
// - Cancellation: cancel() emits terminal cancellation on the run's loop; the
//   loop is stopped as soon as the operation has ended, or kGrace after the
//   cancellation when it has not (a page load still waiting in the browser).
//   Work left behind is destroyed with the loop on the run's thread, which
//   closes the browser (its session kills and reaps it) before the end is
//   reported.
// - Cleanup: `finish()` (Python, GIL held) is called once, last, on the run's
//   thread, after the loop is gone. join() waits for the thread with the GIL
//   released; destroying a run that is still going cancels it and joins.
#pragma once

#include <pybind11/pybind11.h>

#include <boost/asio/awaitable.hpp>
#include <boost/asio/cancellation_signal.hpp>
#include <boost/asio/io_context.hpp>

#include <atomic>
#include <chrono>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>

#include "tarvik/commerce/async.hpp"

namespace tarvik::python {

namespace py = pybind11;
namespace asio = boost::asio;

// A Python reference that may be dropped on any thread: the GIL is taken for
// the release.
using SharedObject = std::shared_ptr<py::object>;
SharedObject share(py::object object);

// The run's loop as seen from other threads: work can be posted to it while
// it exists, and posting is a no-op once the run's thread has let it go.
class LoopHandle {
 public:
  explicit LoopHandle(asio::io_context& loop) : loop_(&loop) {}
  // Posts `fn` to the loop unless it is gone; true when posted.
  bool post(std::function<void()> fn);
  void release();

 private:
  std::mutex mutex_;
  asio::io_context* loop_;
};

// The progress callback of a run: each message goes through the Python
// `notify` and the run waits for the future it returns.
commerce::ProgressCallback progress_bridge(std::shared_ptr<LoopHandle> loop, py::object notify);

class NativeRun {
 public:
  // How long a cancelled operation may take to unwind before its loop is
  // stopped under it.
  static constexpr std::chrono::milliseconds kGrace{300};

  NativeRun() = default;
  virtual ~NativeRun();
  NativeRun(const NativeRun&) = delete;
  NativeRun& operator=(const NativeRun&) = delete;

  // Any thread, any number of times; nothing once the run has ended.
  void cancel();
  // Waits until the run's thread has ended (releases the GIL when held).
  void join();
  bool running() const;
  // Cancels a run that is still going and joins its thread.
  void shutdown();

  std::shared_ptr<LoopHandle> loop_handle() const { return handle_; }

 protected:
  // Starts `op` on the run's thread; `on_end` runs there when the loop is gone
  // and before `finish`.
  void start(asio::awaitable<void> op, py::object finish, std::function<void()> on_end = {});
  // Rethrows the operation's exception (the GIL must be held).
  void rethrow_error();
  asio::io_context& loop() { return *loop_; }

 private:
  void body();

  std::unique_ptr<asio::io_context> loop_ = std::make_unique<asio::io_context>(1);
  std::shared_ptr<LoopHandle> handle_ = std::make_shared<LoopHandle>(*loop_);
  asio::cancellation_signal cancel_;
  bool cancel_emitted_ = false;  // touched on the run's thread only
  bool completed_ = false;
  std::exception_ptr error_;
  SharedObject finish_;
  std::function<void()> on_end_;
  std::atomic<bool> ended_{false};
  std::mutex join_mutex_;
  std::thread thread_;
};

// A run whose operation yields a T, handed out by result() once it has ended.
template <typename T>
class ResultRun : public NativeRun {
 public:
  ResultRun() = default;
  // The thread writes result_: it must be gone before result_ is.
  ~ResultRun() override { shutdown(); }

  void start_with(asio::awaitable<T> op, py::object finish, std::function<void()> on_end = {}) {
    start(store(std::move(op), result_), std::move(finish), std::move(on_end));
  }

  // Joins, then returns the result (once) or raises the operation's error.
  T result() {
    join();
    rethrow_error();
    if (!result_) throw std::runtime_error("the operation was stopped before it completed, or its result was taken");
    T value = std::move(*result_);
    result_.reset();
    return value;
  }

 private:
  static asio::awaitable<void> store(asio::awaitable<T> op, std::optional<T>& out) {
    out.emplace(co_await std::move(op));
  }
  std::optional<T> result_;
};

}  // namespace tarvik::python
