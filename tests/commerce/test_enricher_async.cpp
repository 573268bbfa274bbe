// Tests of the blocking runner, event-loop detection and progress delivery.
#include <gtest/gtest.h>

#include <boost/asio/co_spawn.hpp>
#include <boost/asio/detached.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/strand.hpp>
#include <boost/asio/thread_pool.hpp>
#include <boost/asio/use_awaitable.hpp>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "tarvik/commerce/enricher.hpp"

namespace {

using namespace std::chrono_literals;
using tarvik::commerce::_is_event_loop_running;
using tarvik::commerce::_notify_progress;
using tarvik::commerce::_run_coroutine;
using tarvik::commerce::ProgressCallback;
namespace asio = boost::asio;

using Log = std::vector<std::string>;

struct ProgressError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Suspends once through the loop's queue.
asio::awaitable<void> yield_once() {
  co_await asio::post(co_await asio::this_coro::executor, asio::use_awaitable);
}

// Suspends on a short timer.
asio::awaitable<void> short_timer() {
  asio::steady_timer timer(co_await asio::this_coro::executor, 1ms);
  co_await timer.async_wait(asio::use_awaitable);
}

void rethrow_if(std::exception_ptr e) {
  if (e) std::rethrow_exception(e);
}

// Runs `body` inside a coroutine on an io_context that the test owns and runs
// on the calling thread; exceptions escape io_context::run and fail the test.
void run_in_foreign_loop(std::function<void()> body) {
  asio::io_context ioc;
  asio::co_spawn(
      ioc,
      [&body]() -> asio::awaitable<void> {
        body();
        co_return;
      },
      rethrow_if);
  ioc.run();
}

// Counts worker threads that have fully exited after running an operation.
std::atomic<int> armed_threads_exited{0};
struct ThreadExitProbe {
  bool armed = false;
  ~ThreadExitProbe() {
    if (armed) ++armed_threads_exited;
  }
};
thread_local ThreadExitProbe exit_probe;

// What an operation saw about where it ran.
struct Trace {
  std::set<std::thread::id> threads;
  bool in_loop = false;
};

asio::awaitable<int> traced_op(Trace& trace, int value) {
  trace.in_loop = _is_event_loop_running();
  trace.threads.insert(std::this_thread::get_id());
  co_await yield_once();
  trace.threads.insert(std::this_thread::get_id());
  co_await short_timer();
  trace.threads.insert(std::this_thread::get_id());
  co_return value + 1;
}

// ---------------------------------------------------------------------------
// Event-loop detection must see loops this library did not create.

TEST(EventLoopDetection, SeesAnyRunningLoopOnTheCallingThread) {
  EXPECT_FALSE(_is_event_loop_running()) << "test main thread";

  bool in_plain_thread = true;
  std::thread([&] { in_plain_thread = _is_event_loop_running(); }).join();
  EXPECT_FALSE(in_plain_thread);

  asio::io_context ioc;
  bool in_handler = false, in_strand = false, in_coroutine = false;
  asio::post(ioc, [&] { in_handler = _is_event_loop_running(); });
  asio::post(asio::make_strand(ioc), [&] { in_strand = _is_event_loop_running(); });
  asio::co_spawn(
      ioc,
      [&]() -> asio::awaitable<void> {
        co_await yield_once();
        in_coroutine = _is_event_loop_running();
      },
      rethrow_if);
  ioc.run();
  EXPECT_TRUE(in_handler);
  EXPECT_TRUE(in_strand);
  EXPECT_TRUE(in_coroutine);
  EXPECT_FALSE(_is_event_loop_running()) << "after io_context::run returned";

  asio::io_context polled;
  bool in_poll = false;
  asio::post(polled, [&] { in_poll = _is_event_loop_running(); });
  polled.poll();
  EXPECT_TRUE(in_poll);

  bool in_pool = false;
  asio::thread_pool pool{1};
  asio::post(pool, [&] { in_pool = _is_event_loop_running(); });
  pool.join();
  EXPECT_TRUE(in_pool);
}

// ---------------------------------------------------------------------------
// _run_coroutine from a thread that runs no loop: same thread, loop gone after.

TEST(RunCoroutineWithoutLoop, RunsOnCallingThreadAndLeavesNoLoop) {
  for (bool fresh_thread : {false, true}) {
    SCOPED_TRACE(fresh_thread ? "fresh std::thread" : "test main thread");
    Trace trace;
    int result = 0;
    std::thread::id caller;
    bool loop_after = true;
    auto body = [&] {
      caller = std::this_thread::get_id();
      result = _run_coroutine(traced_op(trace, 41));
      loop_after = _is_event_loop_running();
    };
    if (fresh_thread) {
      std::thread(body).join();
    } else {
      body();
    }
    EXPECT_EQ(result, 42);
    EXPECT_TRUE(trace.in_loop);
    EXPECT_EQ(trace.threads, std::set<std::thread::id>{caller});
    EXPECT_FALSE(loop_after);
  }
}

TEST(RunCoroutineWithoutLoop, VoidMoveOnlyAndNonDefaultConstructibleResults) {
  int side_effect = 0;
  _run_coroutine([](int& out) -> asio::awaitable<void> {
    co_await yield_once();
    out = 7;
  }(side_effect));
  EXPECT_EQ(side_effect, 7);

  auto owned = _run_coroutine([]() -> asio::awaitable<std::unique_ptr<int>> {
    co_await yield_once();
    co_return std::make_unique<int>(5);
  }());
  ASSERT_NE(owned, nullptr);
  EXPECT_EQ(*owned, 5);

  struct NoDefault {
    explicit NoDefault(std::string v) : value(std::move(v)) {}
    std::string value;
  };
  auto made = _run_coroutine([]() -> asio::awaitable<NoDefault> {
    co_await short_timer();
    co_return NoDefault{"made after a timer"};
  }());
  EXPECT_EQ(made.value, "made after a timer");
}

// The abandoned task below waits for this deadline, not forever: should the
// runner start waiting for leftover work, the test fails after that long
// instead of hanging.
constexpr std::chrono::seconds kLeftoverDeadline{5};

TEST(RunCoroutineWithoutLoop, LeftoverDetachedWorkIsDiscardedNotAwaited) {
  auto destroyed = std::make_shared<bool>(false);
  auto finished = std::make_shared<bool>(false);
  struct Guard {
    std::shared_ptr<bool> flag;
    ~Guard() { *flag = true; }
  };
  const auto start = std::chrono::steady_clock::now();
  int result = _run_coroutine([](std::shared_ptr<bool> flag, std::shared_ptr<bool> done) -> asio::awaitable<int> {
    auto ex = co_await asio::this_coro::executor;
    asio::co_spawn(
        ex,
        [flag, done]() -> asio::awaitable<void> {
          Guard guard{flag};
          asio::steady_timer timer(co_await asio::this_coro::executor, kLeftoverDeadline);
          co_await timer.async_wait(asio::use_awaitable);
          *done = true;
        },
        asio::detached);
    co_await yield_once();
    co_return 3;
  }(destroyed, finished));
  EXPECT_EQ(result, 3);
  EXPECT_TRUE(*destroyed) << "the abandoned task is destroyed with its loop";
  EXPECT_FALSE(*finished) << "the runner waited for the abandoned task";
  EXPECT_LT(std::chrono::steady_clock::now() - start, kLeftoverDeadline);
}

TEST(RunCoroutineWithoutLoop, LoopStoppedBeforeCompletionIsAnError) {
  auto stops_its_loop = []() -> asio::awaitable<int> {
    auto ex = co_await asio::this_coro::executor;
    ex.target<asio::io_context::executor_type>()->context().stop();
    co_await yield_once();
    co_return 1;
  };
  EXPECT_THROW(_run_coroutine(stops_its_loop()), std::runtime_error);
}

// ---------------------------------------------------------------------------
// _run_coroutine from inside a running loop: one worker thread, caller blocks.

TEST(RunCoroutineInsideLoop, FromCoroutineReturnsResultComputedOnOneWorker) {
  const int exited_before = armed_threads_exited.load();
  Trace trace;
  int result = 0;
  std::thread::id loop_thread;
  bool loop_after = false;
  run_in_foreign_loop([&] {
    loop_thread = std::this_thread::get_id();
    result = _run_coroutine([](Trace& t) -> asio::awaitable<int> {
      exit_probe.armed = true;
      co_return co_await traced_op(t, 9);
    }(trace));
    loop_after = _is_event_loop_running();
  });
  EXPECT_EQ(result, 10);
  ASSERT_EQ(trace.threads.size(), 1u) << "every step ran on the single worker";
  EXPECT_NE(*trace.threads.begin(), loop_thread);
  EXPECT_TRUE(trace.in_loop);
  EXPECT_TRUE(loop_after) << "the caller is still inside its own loop";
  EXPECT_EQ(armed_threads_exited.load(), exited_before + 1) << "worker joined before returning";
}

TEST(RunCoroutineInsideLoop, FromHandlerAndFromThreadPoolTask) {
  auto check = [](auto&& post_to, auto&& drive) {
    Trace trace;
    int result = 0;
    std::thread::id caller;
    post_to([&] {
      caller = std::this_thread::get_id();
      result = _run_coroutine(traced_op(trace, 1));
    });
    drive();
    EXPECT_EQ(result, 2);
    ASSERT_EQ(trace.threads.size(), 1u);
    EXPECT_NE(*trace.threads.begin(), caller);
  };
  {
    SCOPED_TRACE("plain handler on an io_context");
    asio::io_context ioc;
    check([&](auto f) { asio::post(ioc, f); }, [&] { ioc.run(); });
  }
  {
    SCOPED_TRACE("task on an asio::thread_pool");
    asio::thread_pool pool{1};
    check([&](auto f) { asio::post(pool, f); }, [&] { pool.join(); });
  }
}

TEST(RunCoroutineInsideLoop, VoidAndMoveOnlyResults) {
  run_in_foreign_loop([] {
    std::thread::id ran_on;
    _run_coroutine([](std::thread::id& out) -> asio::awaitable<void> {
      co_await yield_once();
      out = std::this_thread::get_id();
    }(ran_on));
    EXPECT_NE(ran_on, std::this_thread::get_id());

    auto owned = _run_coroutine([]() -> asio::awaitable<std::unique_ptr<std::string>> {
      co_await short_timer();
      co_return std::make_unique<std::string>("from the worker");
    }());
    ASSERT_NE(owned, nullptr);
    EXPECT_EQ(*owned, "from the worker");
  });
}

TEST(RunCoroutineInsideLoop, NestedBlockingCallsEachGetTheirOwnWorker) {
  std::thread::id outer_thread, inner_thread;
  int result = _run_coroutine([](std::thread::id& outer, std::thread::id& inner) -> asio::awaitable<int> {
    outer = std::this_thread::get_id();
    int inner_value = _run_coroutine([](std::thread::id& where) -> asio::awaitable<int> {
      co_await yield_once();
      where = std::this_thread::get_id();
      co_return 20;
    }(inner));
    co_await yield_once();
    co_return inner_value + 1;
  }(outer_thread, inner_thread));
  EXPECT_EQ(result, 21);
  EXPECT_EQ(outer_thread, std::this_thread::get_id()) << "outer call came from a plain thread";
  EXPECT_NE(inner_thread, outer_thread) << "inner call came from inside a loop";
}

// ---------------------------------------------------------------------------
// Exceptions reach the calling thread with their type and message, in both
// branches, whether raised before or after the operation first suspends.

asio::awaitable<int> failing_op(bool after_suspension) {
  if (after_suspension) co_await short_timer();
  throw ProgressError(after_suspension ? "failed late" : "failed early");
}

TEST(RunCoroutineExceptions, RethrownInCallingThreadInBothBranches) {
  struct Case {
    const char* name;
    bool inside_loop;
    bool after_suspension;
    const char* message;
  };
  const Case cases[] = {
      {"no loop, immediate", false, false, "failed early"},
      {"no loop, after timer", false, true, "failed late"},
      {"inside loop, immediate", true, false, "failed early"},
      {"inside loop, after timer", true, true, "failed late"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string caught;
    bool caught_on_caller = false;
    auto body = [&] {
      const auto caller = std::this_thread::get_id();
      try {
        _run_coroutine(failing_op(c.after_suspension));
      } catch (const ProgressError& e) {
        caught = e.what();
        caught_on_caller = std::this_thread::get_id() == caller;
      }
    };
    if (c.inside_loop) {
      run_in_foreign_loop(body);
    } else {
      body();
    }
    EXPECT_EQ(caught, c.message);
    EXPECT_TRUE(caught_on_caller);
  }
}

TEST(RunCoroutineExceptions, NestedFailurePropagatesOutward) {
  auto outer = []() -> asio::awaitable<void> {
    co_await yield_once();
    _run_coroutine(failing_op(true));
  };
  try {
    _run_coroutine(outer());
    ADD_FAILURE() << "expected ProgressError";
  } catch (const ProgressError& e) {
    EXPECT_STREQ(e.what(), "failed late");
  }
}

// ---------------------------------------------------------------------------
// Progress callbacks.

TEST(ProgressCallbackKind, DetectsWhatTheCallableReturns) {
  using Kind = ProgressCallback::Kind;
  void (*null_fn)(std::string_view) = nullptr;
  std::function<void(std::string_view)> empty_fn;
  auto move_only = [p = std::make_unique<int>(1)](std::string_view) { return *p; };
  struct Case {
    const char* name;
    ProgressCallback cb;
    Kind kind;
  };
  const Case cases[] = {
      {"default", ProgressCallback{}, Kind::none},
      {"nullptr", nullptr, Kind::none},
      {"null function pointer", null_fn, Kind::none},
      {"empty std::function", empty_fn, Kind::none},
      {"void lambda", [](std::string_view) {}, Kind::plain},
      {"value-returning lambda", [](const std::string& m) { return m.size(); }, Kind::plain},
      {"move-only lambda", std::move(move_only), Kind::plain},
      {"awaitable<void>", [](std::string_view) -> asio::awaitable<void> { co_return; }, Kind::awaitable},
      {"awaitable<int>", [](std::string) -> asio::awaitable<int> { co_return 1; }, Kind::awaitable},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.cb.kind(), c.kind) << c.name;
    EXPECT_EQ(static_cast<bool>(c.cb), c.kind != Kind::none) << c.name;
  }
}

// A sender that reports one progress message (built at run time, longer than
// any small-string buffer) between two steps of its own.
asio::awaitable<void> sender(const ProgressCallback& on_progress, Log& log, int count) {
  log.push_back("before");
  co_await _notify_progress(on_progress,
                            "Fetching metadata from " + std::to_string(count) + " merchant destinations...");
  log.push_back("after");
}

const std::string kSent = "Fetching metadata from 12 merchant destinations...";

TEST(NotifyProgress, DeliversAndAwaitsBeforeTheSenderContinues) {
  struct Case {
    const char* name;
    std::function<ProgressCallback(Log&)> make;
    Log expected;
  };
  const Case cases[] = {
      {"no callback", [](Log&) { return ProgressCallback{}; }, {"before", "after"}},
      {"plain, returns nothing",
       [](Log& log) { return ProgressCallback([&log](std::string_view m) { log.emplace_back(m); }); },
       {"before", kSent, "after"}},
      {"plain, returns a value that is dropped",
       [](Log& log) {
         return ProgressCallback([&log](const std::string& m) {
           log.push_back(m);
           return 99;
         });
       },
       {"before", kSent, "after"}},
      {"plain, returns a callable that is not invoked",
       [](Log& log) {
         return ProgressCallback([&log](std::string m) {
           log.push_back(m);
           return [&log] { log.push_back("returned callable invoked"); };
         });
       },
       {"before", kSent, "after"}},
      {"awaitable, message read after a timer (string_view)",
       [](Log& log) {
         return ProgressCallback([&log](std::string_view m) -> asio::awaitable<void> {
           log.push_back("start");
           co_await short_timer();
           co_await yield_once();
           log.emplace_back(m);
         });
       },
       {"before", "start", kSent, "after"}},
      {"awaitable, message read after a timer (const std::string&)",
       [](Log& log) {
         return ProgressCallback([&log](const std::string& m) -> asio::awaitable<void> {
           co_await short_timer();
           log.push_back(m);
         });
       },
       {"before", kSent, "after"}},
      {"awaitable with a value that is dropped",
       [](Log& log) {
         return ProgressCallback([&log](std::string m) -> asio::awaitable<int> {
           co_await short_timer();
           log.push_back(std::move(m));
           co_return 5;
         });
       },
       {"before", kSent, "after"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Log log;
    const ProgressCallback cb = c.make(log);
    _run_coroutine(sender(cb, log, 12));
    EXPECT_EQ(log, c.expected);
  }
}

TEST(NotifyProgress, TemporaryCallbackWithCapturesLivesThroughItsAwait) {
  Log log;
  _run_coroutine([](Log& out) -> asio::awaitable<void> {
    const std::string prefix(40, '>');
    // Named first: g++ 12 destroys a lambda temporary of a co_await expression twice.
    auto report = [&out, prefix](std::string_view m) -> asio::awaitable<void> {
      co_await short_timer();
      out.push_back(prefix + std::string(m));
    };
    co_await _notify_progress(ProgressCallback(std::move(report)), std::string(30, 'x'));
    out.push_back("after");
  }(log));
  EXPECT_EQ(log, (Log{std::string(40, '>') + std::string(30, 'x'), "after"}));
}

TEST(NotifyProgress, StatefulCallbackIsSharedByCopies) {
  int calls = 0;
  ProgressCallback original([&calls, n = 0](std::string_view) mutable { calls = ++n; });
  ProgressCallback copy = original;
  _run_coroutine([](const ProgressCallback& a, const ProgressCallback& b) -> asio::awaitable<void> {
    co_await _notify_progress(a, "one");
    co_await _notify_progress(b, "two");
    co_await _notify_progress(a, "three");
  }(original, copy));
  EXPECT_EQ(calls, 3);
}

TEST(NotifyProgress, RaisingCallbackReachesTheSenderUnchanged) {
  struct Case {
    const char* name;
    ProgressCallback cb;
  };
  const Case cases[] = {
      {"plain", ProgressCallback([](std::string_view m) { throw ProgressError("progress failed: " + std::string(m)); })},
      {"awaitable, before suspending",
       ProgressCallback([](std::string_view m) -> asio::awaitable<void> {
         throw ProgressError("progress failed: " + std::string(m));
         co_return;
       })},
      {"awaitable, after a timer",
       ProgressCallback([](std::string_view m) -> asio::awaitable<void> {
         co_await short_timer();
         throw ProgressError("progress failed: " + std::string(m));
       })},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Log log;
    // The sender itself sees the exception ...
    std::string seen_by_sender = _run_coroutine([](const ProgressCallback& cb, Log& l) -> asio::awaitable<std::string> {
      try {
        co_await sender(cb, l, 3);
      } catch (const ProgressError& e) {
        co_return e.what();
      }
      co_return "nothing raised";
    }(c.cb, log));
    EXPECT_EQ(seen_by_sender, "progress failed: Fetching metadata from 3 merchant destinations...");
    EXPECT_EQ(log, Log{"before"}) << "the sender does not continue";
    // ... and, uncaught, so does the blocking caller, in both branches.
    EXPECT_THROW(_run_coroutine(sender(c.cb, log, 3)), ProgressError);
    run_in_foreign_loop([&] { EXPECT_THROW(_run_coroutine(sender(c.cb, log, 3)), ProgressError); });
  }
}

TEST(NotifyProgress, CallbacksRunOnTheThreadRunningTheOperation) {
  std::vector<std::thread::id> seen;
  const ProgressCallback plain([&seen](std::string_view) { seen.push_back(std::this_thread::get_id()); });
  const ProgressCallback awaiting([&seen](std::string_view) -> asio::awaitable<void> {
    co_await yield_once();
    seen.push_back(std::this_thread::get_id());
  });
  auto op = [](const ProgressCallback& a, const ProgressCallback& b) -> asio::awaitable<std::thread::id> {
    co_await _notify_progress(a, "a");
    co_await _notify_progress(b, "b");
    co_return std::this_thread::get_id();
  };

  std::thread::id op_thread = _run_coroutine(op(plain, awaiting));
  EXPECT_EQ(op_thread, std::this_thread::get_id());
  EXPECT_EQ(seen, (std::vector<std::thread::id>{op_thread, op_thread}));

  seen.clear();
  std::thread::id loop_thread;
  run_in_foreign_loop([&] {
    loop_thread = std::this_thread::get_id();
    op_thread = _run_coroutine(op(plain, awaiting));
  });
  EXPECT_NE(op_thread, loop_thread);
  EXPECT_EQ(seen, (std::vector<std::thread::id>{op_thread, op_thread}));
}

}  // namespace
