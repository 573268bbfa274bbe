// Which links count as web pages: the pipeline fetches only those and the browser opens only those.
#include <gtest/gtest.h>

#include "tarvik/util/url.hpp"

namespace {

TEST(IsWebUrl, OnlyHttpPagesWithAHost) {
  struct Row {
    const char* name;
    const char* url;
    bool web;
  };
  const Row rows[] = {
      {"plain https page", "https://shop.example/p/1", true},
      {"upper-case scheme and host", "HTTP://SHOP.EXAMPLE", true},
      {"leading blanks as links are pasted", "  \thttps://shop.example/p", true},
      {"host and query only", "https://shop.example?q=1", true},
      {"script link", "javascript:alert(1)", false},
      {"local file", "file:///etc/passwd", false},
      {"data link", "data:text/html,<p>x</p>", false},
      {"no host after the slashes", "http:///path", false},
      {"query where the host should be", "https://?q=1", false},
      {"one slash only", "http:/shop.example", false},
      {"scheme that only starts with http", "httpx://shop.example", false},
      {"no scheme", "shop.example/p", false},
      {"empty", "", false},
  };
  for (const Row& row : rows) EXPECT_EQ(tarvik::url::is_web_url(row.url), row.web) << row.name;
}

}  // namespace
