// One exchange in flight inside the engine, and what the fetcher's files share
// about it: request setup (fetcher_request.cpp), response reading
// (fetcher_response.cpp) and the engine's bookkeeping (fetcher_engine.cpp).
#pragma once

#include <curl/curl.h>

#include <boost/asio/any_completion_handler.hpp>
#include <boost/asio/any_io_executor.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/strand.hpp>

#include <chrono>
#include <cstddef>
#include <exception>
#include <memory>
#include <string>

#include "fetcher/fetcher_engine.hpp"
#include "fetcher/fetcher_host_queue.hpp"

namespace tarvik::core::detail {

constexpr std::size_t MAX_HEADER_BYTES = 256 * 1024;

struct Transfer {
  explicit Transfer(const boost::asio::strand<boost::asio::any_io_executor>& strand) : deadline_timer(strand) {}

  enum class State { waiting, active, done };
  State state = State::waiting;
  Hop hop;
  // Its pending wait owns the caller's completion handler: it fires at the
  // deadline, or is cancelled when the transfer ends, and then delivers. When
  // the loop is destroyed, the handler goes with the wait.
  boost::asio::steady_timer deadline_timer;
  boost::asio::any_io_executor caller;  // where the awaiting coroutine resumes
  HostQueue<std::shared_ptr<Transfer>>::Ticket ticket;
  bool queued = false;
  bool holds_slot = false;
  std::exception_ptr outcome;  // the error that ended the transfer, if any

  CURL* easy = nullptr;
  curl_slist* header_list = nullptr;
  char error[CURL_ERROR_SIZE] = {};

  HttpResponse response;
  long pending_status = 0;  // status line of the response whose header is arriving
  std::size_t header_bytes = 0;
  std::size_t max_body = 0;
  bool allow_private = false;
  bool stopped_after_header = false;  // a redirect: its body is not read
  bool header_overflow = false;
  std::string refused_address;
  std::exception_ptr callback_error;
};

// What every request of one engine shares.
struct RequestSetup {
  std::chrono::milliseconds connect_timeout{5000};
  curl_slist* connect_to = nullptr;  // owned by the engine
  bool insecure = false;
  // libcurl's sockets are closed through the event bridge, which watches them.
  curl_closesocket_callback close_socket = nullptr;
  void* close_socket_data = nullptr;
};

// Creates `t.easy` and sets it up for `t.hop`: protocols, the address guard,
// the request line and headers in the given order, the client hello, the
// response callbacks. Throws FetchError or std::bad_alloc; what was created
// is left in `t` for the caller to free.
void configure_request(Transfer& t, const RequestSetup& setup);

// libcurl's header and body callbacks for a Transfer (its HEADERDATA and
// WRITEDATA): they fill `t.response`, stop after a redirect's header and at
// the caps, and never throw.
size_t on_response_header(char* bytes, size_t size, size_t count, void* transfer);
size_t on_response_body(char* bytes, size_t size, size_t count, void* transfer);

// The error that ends a transfer libcurl reported done with `code`, or none
// when the response is good (a body cut at the cap or a redirect's unread
// body are good).
std::exception_ptr transfer_error(const Transfer& t, CURLcode code);

}  // namespace tarvik::core::detail
