// Runs one awaitable operation to completion on a fresh event loop, with the
// test's own deadline: a hang shows as a fast failure, not a stuck test run.
#pragma once

#include <boost/asio/co_spawn.hpp>
#include <boost/asio/io_context.hpp>

#include <chrono>
#include <exception>
#include <optional>
#include <stdexcept>
#include <utility>

namespace tarvik::test {

// The operation's result; rethrows its exception; throws std::runtime_error
// when it is still running after `limit`.
template <typename T>
T run_within(std::chrono::seconds limit, boost::asio::awaitable<T> op) {
  boost::asio::io_context io;
  std::optional<T> result;
  std::exception_ptr error;
  bool done = false;
  boost::asio::co_spawn(io, std::move(op), [&](std::exception_ptr e, T value) {
    done = true;
    error = e;
    if (!e) result = std::move(value);
  });
  io.run_for(limit);
  if (!done) throw std::runtime_error("still running after the test's deadline");
  if (error) std::rethrow_exception(error);
  return std::move(*result);
}

inline void run_within(std::chrono::seconds limit, boost::asio::awaitable<void> op) {
  boost::asio::io_context io;
  std::exception_ptr error;
  bool done = false;
  boost::asio::co_spawn(io, std::move(op), [&](std::exception_ptr e) {
    done = true;
    error = e;
  });
  io.run_for(limit);
  if (!done) throw std::runtime_error("still running after the test's deadline");
  if (error) std::rethrow_exception(error);
}

}  // namespace tarvik::test
