// Asynchronous conventions of the commerce pipeline: running an awaitable
// operation from blocking code, and delivering progress messages to the
// caller's optional callback.
//
// Threads: an operation handed to `_run_coroutine` runs either on the calling
// thread (when that thread runs no event loop) or on one worker thread while
// the caller blocks (when it does). Progress callbacks are always called on the
// thread that runs the operation, so in the second case they run on the worker:
// a callback that touches state owned by the blocked caller's loop must be safe
// to call from another thread.
#pragma once

#include <boost/asio/awaitable.hpp>

#include <concepts>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>

namespace tarvik::commerce {

namespace asio = boost::asio;

// True when the calling thread is inside a running event loop: in a handler or
// coroutine of any asio::io_context (or asio::thread_pool, or anything else
// driven by Asio's scheduler), whoever created it. See enricher_async.cpp for
// how this is found out.
bool _is_event_loop_running() noexcept;

namespace detail {

// Runs `op` to completion on a fresh io_context, on this thread when no event
// loop runs here, else on a single worker thread while this thread blocks.
// Rethrows the operation's exception in the calling thread.
void run_blocking(asio::awaitable<void> op);

template <typename T>
asio::awaitable<void> store_result(asio::awaitable<T> op, std::optional<T>& out) {
  out.emplace(co_await std::move(op));
}

template <typename T>
struct is_awaitable : std::false_type {};
template <typename T, typename Executor>
struct is_awaitable<asio::awaitable<T, Executor>> : std::true_type {};

template <typename T>
struct is_std_function : std::false_type {};
template <typename Signature>
struct is_std_function<std::function<Signature>> : std::true_type {};

template <typename T>
asio::awaitable<void> discard_result(asio::awaitable<T> op) {
  co_await std::move(op);
}

}  // namespace detail

// Runs an awaitable operation that has been created but not started (C++
// awaitables are lazy) to completion from blocking code, and returns its
// result. An exception raised by the operation is rethrown in the calling
// thread.
//
// - When the calling thread runs no event loop, the operation runs on a fresh
//   io_context on this thread; the context is destroyed before returning, so
//   the thread runs no loop afterwards.
// - When the calling thread is running an event loop (a coroutine or handler on
//   some io_context), blocking it would starve that loop, and running a second
//   loop inside one of its handlers would run the outer loop's work out of
//   turn. The operation then runs on a fresh io_context in a pool of exactly one
//   worker thread while the caller blocks; the pool is joined before returning.
//   The operation must not wait for work of the blocked loop, which cannot
//   make progress until this call returns.
//
// The loop runs until the operation completes; work that the operation left
// behind (detached tasks, pending timers) is discarded with the loop. If the
// loop is stopped before the operation completes, std::runtime_error is
// thrown. Nested use is fine: an operation run here may itself call
// `_run_coroutine`, which then takes the worker-thread branch.
template <typename T>
T _run_coroutine(asio::awaitable<T> coro) {
  if constexpr (std::is_void_v<T>) {
    detail::run_blocking(std::move(coro));
  } else {
    std::optional<T> result;
    detail::run_blocking(detail::store_result(std::move(coro), result));
    return std::move(*result);
  }
}

// The caller's optional progress callback. It is empty, or holds a callable
// taking the message text and returning either
// - anything that is not an awaitable (void or a value, which is dropped), or
// - an asio::awaitable<R> (R may be void; the awaited value is dropped), which
//   `_notify_progress` awaits before the sender continues.
// The callable may take the message as std::string_view, const std::string& or
// std::string: it is handed a reference to a message that stays alive until
// its awaitable has completed, so an asynchronous callback may keep using the
// message across its suspension points.
//
// Copies share the one callable (like references to a function object), so a
// stateful callable sees every message sent through any copy. Move-only
// callables are accepted. A null function pointer or an empty std::function
// gives an empty callback.
class ProgressCallback {
 public:
  enum class Kind { none, plain, awaitable };

  ProgressCallback() noexcept = default;
  ProgressCallback(std::nullptr_t) noexcept {}

  template <typename F>
    requires(!std::same_as<std::remove_cvref_t<F>, ProgressCallback> &&
             !std::same_as<std::remove_cvref_t<F>, std::nullptr_t> &&
             std::invocable<std::decay_t<F>&, const std::string&>)
  ProgressCallback(F&& fn) {
    using Fn = std::decay_t<F>;
    using Given = std::remove_cvref_t<F>;  // a function (not a pointer) is never null
    if constexpr (std::is_pointer_v<Given> || std::is_member_pointer_v<Given> ||
                  detail::is_std_function<Given>::value) {
      if (!fn) return;
    }
    using Result = std::invoke_result_t<Fn&, const std::string&>;
    auto target = std::make_shared<Fn>(std::forward<F>(fn));
    if constexpr (detail::is_awaitable<std::remove_cvref_t<Result>>::value) {
      static_assert(!std::is_reference_v<Result>,
                    "an asynchronous progress callback must return its awaitable by value");
      static_assert(std::same_as<Result, asio::awaitable<typename Result::value_type>>,
                    "an asynchronous progress callback must return asio::awaitable<R> with "
                    "the default executor");
      if constexpr (std::is_void_v<typename Result::value_type>) {
        awaitable_ = [target](const std::string& msg) { return std::invoke(*target, msg); };
      } else {
        awaitable_ = [target](const std::string& msg) {
          return detail::discard_result(std::invoke(*target, msg));
        };
      }
    } else {
      plain_ = [target](const std::string& msg) { static_cast<void>(std::invoke(*target, msg)); };
    }
  }

  Kind kind() const noexcept {
    if (awaitable_) return Kind::awaitable;
    if (plain_) return Kind::plain;
    return Kind::none;
  }
  explicit operator bool() const noexcept { return kind() != Kind::none; }

 private:
  friend asio::awaitable<void> _notify_progress(const ProgressCallback& on_progress,
                                                std::string msg);

  std::function<void(const std::string&)> plain_;
  std::function<asio::awaitable<void>(const std::string&)> awaitable_;
};

// Delivers one progress message: returns at once without a callback; else
// calls it with the message and, when it returned an awaitable, awaits that
// before returning. Exceptions from the callback or its awaitable propagate to
// the sender. `on_progress` must stay alive until the returned awaitable has
// completed (it does when the call is awaited in the same expression).
//
// g++ 12 destroys a braced temporary (a lambda closure or an aggregate built
// with braces) twice when it appears inside a co_await expression: build such
// a callback in a named variable before the co_await.
asio::awaitable<void> _notify_progress(const ProgressCallback& on_progress, std::string msg);

}  // namespace tarvik::commerce
