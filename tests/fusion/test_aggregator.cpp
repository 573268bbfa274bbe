#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "relevance/item_spec.hpp"
#include "tarvik/fusion/aggregator.hpp"

namespace {

using namespace tarvik::models;
using tarvik::commerce::CommerceAggregator;
using tarvik::testing::ItemSpec;
using tarvik::testing::make_item;

ShoppingOffer offer(const char* title, const char* link, const char* source = nullptr) {
  ShoppingOffer o;
  o.title = title;
  o.link = link;
  if (source) o.source = source;
  return o;
}

TEST(FuseMatchesAndOffers, OffersFirstAndNoDuplicates) {
  std::string e30;
  for (int i = 0; i < 30; ++i) e30 += "\xC3\xA9";  // 30 code points, 60 bytes
  const std::string e30x = e30 + "x", e30y = e30 + "y";
  struct Case {
    const char* label;
    std::vector<ShoppingOffer> offers;
    std::vector<ItemSpec> items;
    std::vector<std::string> kept;  // title@url
  };
  // Unpriced offers and items grade alike, so the publishing order is the
  // admission order (offers score 100, items 98).
  const Case cases[] = {
      {"offer URLs equal up to case and blanks",
       {offer("A", " https://S.example/p\xC2\xA0"), offer("B", "https://s.example/p")}, {},
       {"A@https://S.example/p"}},
      {"offer text trimmed, no-break space included",
       {offer("\tTrail Runner \n", "https://s.example/p\xC2\xA0 ", " Shop ")}, {}, {"Trail Runner@https://s.example/p"}},
      {"visual item with an offer's URL", {offer("A", "https://s.example/\xC3\xA9")},
       {{.title = "V", .url = "HTTPS://S.EXAMPLE/\xC3\x89"}}, {"A@https://s.example/\xC3\xA9"}},
      {"same merchant, same first 30 characters",
       {offer("Acme Runner Shoe Blue Edition 42", "u1", "Shop")},
       {{.title = "ACME RUNNER SHOE BLUE EDITION 44", .merchant = "shop", .url = "u2"},
        {.title = "Acme Runner Shoe Blue Edition 42", .merchant = "Other", .url = "u3"}},
       {"Acme Runner Shoe Blue Edition 42@u1", "Acme Runner Shoe Blue Edition 42@u3"}},
      {"no merchant, empty titles", {}, {{.title = "", .url = "u1"}, {.title = "", .url = "u2"}}, {"@u1"}},
      {"empty URLs judged by title alone", {},
       {{.title = "a", .url = ""}, {.title = "b", .url = ""}, {.title = "a", .url = ""}}, {"a@", "b@"}},
      {"code points, not bytes", {}, {{.title = e30x.c_str(), .url = "u1"}, {.title = e30y.c_str(), .url = "u2"}},
       {e30x + "@u1"}},
      {"empty inputs", {}, {}, {}},
  };
  for (const Case& c : cases) {
    std::vector<EnrichedCommerceMatch> items;
    for (const auto& item_spec : c.items) items.push_back(make_item(item_spec));
    std::vector<std::string> kept;
    for (const auto& item : CommerceAggregator::fuse_matches_and_offers(items, c.offers))
      kept.push_back(item.title + "@" + item.direct_url);
    EXPECT_EQ(kept, c.kept) << c.label;
  }
}

TEST(FuseMatchesAndOffers, PublishingOrderWithItemsWhole) {
  ShoppingOffer priced = offer("Offer", "https://o.example/1", "O");
  priced.extracted_price = 20;
  EnrichedCommerceMatch exact = make_item({.title = "Exact", .price = 25, .relevance = Relevance::EXACT});
  exact.sku = "SKU-7";
  const auto fused = CommerceAggregator::fuse_matches_and_offers({make_item({.title = "Plain"}), exact}, {priced});
  ASSERT_EQ(fused.size(), 3u);
  EXPECT_EQ(fused[0], exact);
  EXPECT_EQ(fused[1].title + fused[2].title, "OfferPlain");
}

}  // namespace
