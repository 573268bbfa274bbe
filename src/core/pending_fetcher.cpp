// Stand-in for the destination fetcher until its implementation lands: just
// enough for the units that use it to link. Every batch fails loudly instead
// of looking like a batch of unreachable pages. Delete this file when
// src/core/fetcher*.cpp arrives.
#include "tarvik/core/fetcher.hpp"

namespace tarvik::core {

struct ConcurrentFetcher::Impl {
  asio::any_io_executor executor;
  FetchOptions options;
};

ConcurrentFetcher::ConcurrentFetcher(asio::any_io_executor executor, FetchOptions options)
    : impl_(std::make_unique<Impl>(Impl{std::move(executor), std::move(options)})) {}

ConcurrentFetcher::~ConcurrentFetcher() = default;

asio::awaitable<PageMap> ConcurrentFetcher::fetch_pages(std::vector<std::string> /*urls*/, double /*timeout_seconds*/) {
  throw FetchError("the destination fetcher is not built into this library yet");
  co_return PageMap{};
}

}  // namespace tarvik::core
