// The TLS identity a store sees during resolution is Chromium's own: the
// client hello that reaches a listener standing in for www.ebay.com through
// the session's proxy has the same JA4 as the hello Chromium sends the same
// listener with no proxy at all.
#include <algorithm>

#include "browser/test_browser_support.hpp"
#include "support/client_hello.hpp"
#include "tarvik/commerce/resolver.hpp"

namespace {

using namespace tarvik::testing;
using tarvik::test::HelloCatcher;

class ResolverIdentity : public BrowserProcessCheck {
 protected:
  void SetUp() override { TARVIK_REQUIRE_BROWSER(); }
};

TEST_F(ResolverIdentity, StoreSeesChromiumsOwnClientHello) {
  const std::string store = "https://www.ebay.com/sch/i.html?_nkw=vintage+leather+tote";

  // Chromium on its own network stack, straight to the listener.
  HelloCatcher direct;
  tarvik::browser::ChromiumOptions plain;
  plain.session.timeout_ms = 5000;
  plain.extra_flags = {"--no-proxy-server",
                       "--host-resolver-rules=MAP www.ebay.com 127.0.0.1:" + std::to_string(direct.port())};
  tarvik::test::run_within(60s, [&]() -> boost::asio::awaitable<void> {
    tarvik::browser::ChromiumSession session(plain);
    co_await session.enter();
    remember(session);
    try {
      co_await session.fetch(store);  // fails: the listener only takes the hello
    } catch (const tarvik::browser::BrowserError&) {
    }
    co_await session.exit();
  }());
  const auto reference = direct.wait_first(10s);
  ASSERT_TRUE(reference) << "Chromium sent no client hello";

  // The same store page during a resolution run.
  HelloCatcher through_proxy;
  tarvik::commerce::PipelineOptions options;
  options.fetch.connect_to = {{"www.ebay.com", "443", "127.0.0.1", std::to_string(through_proxy.port())}};
  options.fetch.insecure = true;
  tarvik::models::EnrichedCommerceMatch item;
  item.title = "Vintage Leather Tote";
  item.direct_url = store;
  std::vector<tarvik::models::EnrichedCommerceMatch> items{item};
  tarvik::commerce::DirectStoreResolver::resolve(items, 1, 5, {}, options);
  const auto seen = through_proxy.wait_first(10s);
  ASSERT_TRUE(seen) << "no client hello reached the store";

  RecordProperty("ja4_through_proxy", tarvik::test::ja4(*seen));
  RecordProperty("ja4_chromium_direct", tarvik::test::ja4(*reference));
  EXPECT_EQ(seen->server_name, "www.ebay.com");
  EXPECT_EQ(tarvik::test::ja4(*seen), tarvik::test::ja4(*reference));
  EXPECT_EQ(seen->alpn, reference->alpn);
  // Not OpenSSL's hello: Chromium offers GREASE, which OpenSSL cannot.
  const auto grease = [](std::uint16_t v) { return (v & 0x0f0f) == 0x0a0a; };
  EXPECT_TRUE(std::any_of(seen->ciphers.begin(), seen->ciphers.end(), grease)) << tarvik::test::ja4(*seen);
}

}  // namespace
