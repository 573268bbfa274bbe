// One call on a fetcher made for it alone, for the tests that need nothing
// else of the fetcher.
#pragma once

#include <boost/asio/awaitable.hpp>
#include <boost/asio/this_coro.hpp>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "tarvik/fetcher/fetcher.hpp"

namespace tarvik::test {

// The page map of `urls`, the batch ending after `timeout_seconds`.
inline boost::asio::awaitable<core::PageMap> fetch_pages(core::FetchOptions options, std::vector<std::string> urls,
                                                         double timeout_seconds = 5) {
  core::ConcurrentFetcher fetcher(co_await boost::asio::this_coro::executor, std::move(options));
  co_return co_await fetcher.fetch_pages(std::move(urls), timeout_seconds);
}

// One GET of `url` (redirects not followed), answered within `limit`.
inline boost::asio::awaitable<core::HttpResponse> exchange(core::FetchOptions options, std::string url,
                                                           std::chrono::milliseconds limit = std::chrono::seconds(5)) {
  core::ConcurrentFetcher fetcher(co_await boost::asio::this_coro::executor, std::move(options));
  core::HttpRequest request;
  request.url = std::move(url);
  co_return co_await fetcher.exchange(std::move(request), limit);
}

}  // namespace tarvik::test
