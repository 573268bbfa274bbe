// Blocking runner and progress delivery of the commerce pipeline.
#include "tarvik/commerce/async.hpp"

#include <boost/asio/co_spawn.hpp>
#include <boost/asio/detail/thread_context.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/thread_pool.hpp>

#include <exception>
#include <stdexcept>

namespace tarvik::commerce {

// Asio keeps, per thread, a stack of the schedulers whose run(), run_one(),
// poll() or poll_one() is active on that thread (detail::thread_context's call
// stack; every io_context, thread_pool and system_context is driven by such a
// scheduler). Its top is non-null exactly while the thread is inside a running
// loop, whoever created the loop, so it also sees loops that this library did
// not start. A thread-local flag set around our own loops would miss the
// caller's loops, and the current coroutine's executor is not available to
// blocking code. `top_of_thread_call_stack` is public but lives in Asio's
// detail namespace (it backs Asio's own per-thread handler memory recycling);
// the tests pin its behaviour so that a Boost upgrade which changes it fails
// loudly instead of picking the wrong branch.
bool _is_event_loop_running() noexcept {
  return asio::detail::thread_context::top_of_thread_call_stack() != nullptr;
}

namespace {

// Runs `op` on a fresh single-threaded io_context on this thread until the
// operation completes, then discards the loop with whatever work is left.
void run_on_fresh_loop(asio::awaitable<void> op) {
  asio::io_context loop{1};
  bool done = false;
  std::exception_ptr error;
  asio::co_spawn(loop, std::move(op), [&done, &error](std::exception_ptr e) {
    error = e;
    done = true;
  });
  while (!done && loop.run_one() != 0) {
  }
  if (!done) throw std::runtime_error("event loop stopped before the operation completed");
  if (error) std::rethrow_exception(error);
}

// Runs `op` on a fresh loop in a pool of one worker thread; the calling thread
// blocks until the worker has finished and has been joined.
void run_on_worker(asio::awaitable<void> op) {
  std::exception_ptr error;
  {
    asio::thread_pool pool{1};
    asio::post(pool, [&error, op = std::move(op)]() mutable {
      try {
        run_on_fresh_loop(std::move(op));
      } catch (...) {
        error = std::current_exception();
      }
    });
    pool.join();
  }
  if (error) std::rethrow_exception(error);
}

}  // namespace

namespace detail {

void run_blocking(asio::awaitable<void> op) {
  if (_is_event_loop_running()) {
    run_on_worker(std::move(op));
  } else {
    run_on_fresh_loop(std::move(op));
  }
}

}  // namespace detail

asio::awaitable<void> _notify_progress(const ProgressCallback& on_progress, std::string msg) {
  if (on_progress.awaitable_) {
    // `msg` lives in this frame until the callback's awaitable has finished.
    co_await on_progress.awaitable_(msg);
  } else if (on_progress.plain_) {
    on_progress.plain_(msg);
  }
}

}  // namespace tarvik::commerce
