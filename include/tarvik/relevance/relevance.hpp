// Relevance labels, the market summary and the publishing order of commerce
// items. Pure functions of their arguments: no I/O, no state, safe on any
// thread; every input is accepted (nothing throws but allocation).
//
// Grading (`classify_match_relevance`) reads an item's page type, match
// score, price and merchant category:
//   - article, social post and portfolio pages: LOW (they show the product,
//     they do not sell it);
//   - uncategorised pages: MEDIUM when priced and scored 70 or more, else LOW;
//   - product pages and marketplace listings:
//       EXACT  when scored 90 or more, priced, and sold by a known seller;
//       HIGH   when scored 70 or more, and priced or sold by a known seller;
//       MEDIUM otherwise.
// A known seller is an official brand shop, a major marketplace or a reseller
// specialist (not an unverified or unclassified one). With a context that
// names the pictured product's brand, an item whose brand is that brand or
// whose title names it as a word counts as a known seller too. Page facts
// score visual matches 98 for the first and 3 less for each later rank (2 more
// when the title names the brand), so 90 takes the first three matches and 70
// the first ten; shopping offers score 100.
//
// The summary (`recompute_market_summary`) keeps `total_matches` and
// `currency` of the base and computes every other figure from the items:
//   commerce_items        product pages plus marketplace listings
//   product_pages, marketplace_listings
//   priced_items          items with a price, in any currency
//   priced_in_currency    items priced above zero in the summary's currency
//                         (codes compared ignoring ASCII case); the price
//                         figures below are over these items only
//   min_price, max_price  none without such items
//   median_price          the middle price, or the mean of the two middle ones
//   average_price         the mean; median and mean are rounded to cents
//   in_stock_items        items whose stock status is in stock
//   distinct_merchants    different non-blank merchant names, compared after
//                         trimming and full Unicode lower-casing
//   official_brand_items, reseller_items   by merchant category
//   high_relevance_items  items labelled exact or high
//   best_price_url        the direct URL of the lowest price (first on ties)
//   best_offer            the buy a shopper would pick: a product page or
//                         listing priced in the summary's currency, not out of
//                         stock, relevance high or exact (medium only when no
//                         such item qualifies); the lowest price, then the
//                         more relevant, then in stock before preorder before
//                         unknown, then the higher score, then the earlier
//                         item; none when no item qualifies.
// Wherever an item has no relevance label yet, it is graded on the spot
// (without context); the item itself is not changed.
//
// Publishing order (`sort_commerce_items`), stable:
//   1. relevance, exact first;
//   2. stock: in stock, preorder, unknown, out of stock;
//   3. price: items priced in the list's main currency (the one most items are
//      priced in; on a tie the one met first), lowest first; then items priced
//      in other currencies, by currency code and then amount; then unpriced
//      items (amounts in different currencies are never compared);
//   4. higher match score first.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tarvik/models/commerce.hpp"

namespace tarvik::relevance {

// What the caller knows about the pictured product, to grade items against.
struct RelevanceContext {
  // The product's brand, when the search identified it; blank means unknown.
  std::optional<std::string> brand;
};

// The item's relevance label. The pipeline passes no context (nullptr).
models::Relevance classify_match_relevance(const models::EnrichedCommerceMatch& item,
                                           const RelevanceContext* context = nullptr);

// The summary to publish for `items`, with `base`'s total_matches and currency.
models::CommerceSummary recompute_market_summary(const std::vector<models::EnrichedCommerceMatch>& items,
                                                 const models::CommerceSummary& base);

// The items in publishing order.
std::vector<models::EnrichedCommerceMatch> sort_commerce_items(std::vector<models::EnrichedCommerceMatch> items);

}  // namespace tarvik::relevance
