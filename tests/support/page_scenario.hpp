// Store-like destination pages on the loopback server, for the fetch and
// enrichment benchmarks: many product pages spread over many host names, each
// answered after a delay.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "support/http_server.hpp"
#include "tarvik/fetcher/fetcher.hpp"

namespace tarvik::test {

struct PageScenarioShape {
  std::size_t pages = 200;
  std::size_t hosts = 20;
  std::size_t page_bytes = 150'000;
  std::chrono::milliseconds delay{100};
};

struct PageScenario {
  std::vector<std::string> urls;  // in order, page i on host i % hosts
  core::FetchOptions options;     // default limits, mapped to the server, guard off
};

// A product page of about `bytes` bytes: title, Open Graph and product meta
// tags, a JSON-LD Product with an offer, then ordinary markup.
std::string product_page(std::size_t index, std::size_t bytes);

// Routes the pages on `server` and returns their URLs and fetch options.
PageScenario serve_product_pages(HttpServer& server, const PageScenarioShape& shape = {});

}  // namespace tarvik::test
