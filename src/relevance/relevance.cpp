// The relevance rules, the market summary and the publishing order, as pure functions of the items.
#include "tarvik/relevance/relevance.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string_view>
#include <tuple>
#include <unordered_set>
#include <utility>

#include "tarvik/util/text.hpp"

namespace tarvik::relevance {

using models::EnrichedCommerceMatch;
using models::MerchantCategory;
using models::PageType;
using models::Relevance;
using models::StockStatus;

namespace {

constexpr std::int64_t STRONG_SCORE = 90;
constexpr std::int64_t FAIR_SCORE = 70;

bool is_commerce_page(PageType t) { return t == PageType::PRODUCT || t == PageType::MARKETPLACE; }

bool is_ascii_alnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Whether lower-cased `hay` holds lower-cased `word` with no ASCII letter or
// digit directly before or after it.
bool names_word(std::string_view hay, std::string_view word) {
  if (word.empty()) return false;
  for (std::size_t at = hay.find(word); at != std::string_view::npos; at = hay.find(word, at + 1)) {
    const std::size_t end = at + word.size();
    if ((at == 0 || !is_ascii_alnum(hay[at - 1])) && (end == hay.size() || !is_ascii_alnum(hay[end]))) return true;
  }
  return false;
}

bool names_brand(const EnrichedCommerceMatch& item, const RelevanceContext* context) {
  if (context == nullptr || !context->brand) return false;
  const std::string brand = text::to_lower(text::trim(*context->brand));
  if (brand.empty()) return false;
  if (item.brand && text::to_lower(text::trim(*item.brand)) == brand) return true;
  return names_word(text::to_lower(item.title), brand);
}

bool known_seller(const EnrichedCommerceMatch& item, const RelevanceContext* context) {
  if (item.merchant_category) {
    switch (*item.merchant_category) {
      case MerchantCategory::OFFICIAL_BRAND:
      case MerchantCategory::MAJOR_MARKETPLACE:
      case MerchantCategory::RESELLER_SPECIALIST:
        return true;
      case MerchantCategory::UNVERIFIED:
        break;
    }
  }
  return names_brand(item, context);
}

Relevance effective(const EnrichedCommerceMatch& item) {
  return item.relevance ? *item.relevance : classify_match_relevance(item);
}

// Lower is better, in list order.
int relevance_rank(Relevance r) {
  switch (r) {
    case Relevance::EXACT: return 0;
    case Relevance::HIGH: return 1;
    case Relevance::MEDIUM: return 2;
    case Relevance::LOW: return 3;
  }
  return 3;
}

int stock_rank(const std::optional<StockStatus>& s) {
  if (!s) return 2;
  switch (*s) {
    case StockStatus::IN_STOCK: return 0;
    case StockStatus::PREORDER: return 1;
    case StockStatus::OUT_OF_STOCK: return 3;
  }
  return 2;
}

bool same_code(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           const auto up = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
           return up(x) == up(y);
         });
}

// Rounded to cents; amounts too large to have cents are returned as they are
// (scaling them would overflow to infinity).
double cents(double v) { return std::abs(v) < 1e15 ? std::round(v * 100) / 100 : v; }

// The mean without an intermediate sum, so that huge amounts cannot overflow.
double mean_of(const std::vector<double>& values) {
  double mean = 0;
  std::size_t n = 0;
  for (double v : values) mean += (v - mean) / static_cast<double>(++n);
  return mean;
}

// `sorted` is non-empty and ascending.
double median_of(const std::vector<double>& sorted) {
  const std::size_t mid = sorted.size() / 2;
  if (sorted.size() % 2 == 1) return sorted[mid];
  return sorted[mid - 1] / 2 + sorted[mid] / 2;
}

// The currency most items are priced in; on a tie, the one met first.
std::string main_currency(const std::vector<EnrichedCommerceMatch>& items) {
  std::vector<std::pair<std::string_view, std::size_t>> counts;  // first-seen order
  for (const auto& item : items) {
    if (!item.price) continue;
    const std::string_view code = item.price->currency();
    auto it = std::find_if(counts.begin(), counts.end(), [&](const auto& c) { return c.first == code; });
    if (it == counts.end()) {
      counts.emplace_back(code, 1);
    } else {
      ++it->second;
    }
  }
  std::string_view best;
  std::size_t most = 0;
  for (const auto& [code, n] : counts) {
    if (n > most) {
      best = code;
      most = n;
    }
  }
  return std::string(best);
}

}  // namespace

Relevance classify_match_relevance(const EnrichedCommerceMatch& item, const RelevanceContext* context) {
  const bool priced = item.price.has_value();
  const std::int64_t score = item.match_score;
  switch (item.page_type) {
    case PageType::ARTICLE:
    case PageType::SOCIAL:
    case PageType::PORTFOLIO:
      return Relevance::LOW;
    case PageType::UNCATEGORIZED:
      return priced && score >= FAIR_SCORE ? Relevance::MEDIUM : Relevance::LOW;
    case PageType::PRODUCT:
    case PageType::MARKETPLACE:
      break;
  }
  const bool known = known_seller(item, context);
  if (score >= STRONG_SCORE && priced && known) return Relevance::EXACT;
  if (score >= FAIR_SCORE && (priced || known)) return Relevance::HIGH;
  return Relevance::MEDIUM;
}

models::CommerceSummary recompute_market_summary(const std::vector<EnrichedCommerceMatch>& items,
                                                 const models::CommerceSummary& base) {
  models::CommerceSummary s;
  s.total_matches = base.total_matches;
  s.currency = base.currency;

  std::vector<double> prices;
  std::unordered_set<std::string> merchants;
  const EnrichedCommerceMatch* cheapest = nullptr;
  const EnrichedCommerceMatch* best = nullptr;
  std::tuple<int, double, int, int, std::int64_t> best_key;

  for (const auto& item : items) {
    const Relevance relevance = effective(item);
    const bool commerce = is_commerce_page(item.page_type);
    if (commerce) ++s.commerce_items;
    if (item.page_type == PageType::PRODUCT) ++s.product_pages;
    if (item.page_type == PageType::MARKETPLACE) ++s.marketplace_listings;
    if (item.stock_status == StockStatus::IN_STOCK) ++s.in_stock_items;
    if (item.merchant_category == MerchantCategory::OFFICIAL_BRAND) ++s.official_brand_items;
    if (item.merchant_category == MerchantCategory::RESELLER_SPECIALIST) ++s.reseller_items;
    if (relevance == Relevance::EXACT || relevance == Relevance::HIGH) ++s.high_relevance_items;
    if (item.merchant_name) {
      std::string name = text::to_lower(text::trim(*item.merchant_name));
      if (!name.empty()) merchants.insert(std::move(name));
    }
    if (!item.price) continue;
    ++s.priced_items;
    if (!same_code(item.price->currency(), s.currency)) continue;
    const double amount = item.price->amount();
    // A zero amount is what an empty mini-cart or a placeholder reads as, not
    // an offer: it would be the lowest price and the best offer of every run.
    if (!(amount > 0)) continue;
    prices.push_back(amount);
    if (cheapest == nullptr || amount < cheapest->price->amount()) cheapest = &item;

    if (!commerce || item.stock_status == StockStatus::OUT_OF_STOCK || relevance == Relevance::LOW) continue;
    // Lower is better; on a tie the earlier item stays. A medium item only
    // wins when no exact or high one is priced: a cheap listing of doubtful
    // relevance is not the offer to show first. ~score orders higher scores
    // first without the overflow of -score.
    const int tier = relevance == Relevance::MEDIUM ? 1 : 0;
    const auto key =
        std::tuple(tier, amount, relevance_rank(relevance), stock_rank(item.stock_status), ~item.match_score);
    if (best == nullptr || key < best_key) {
      best = &item;
      best_key = key;
    }
  }

  s.distinct_merchants = static_cast<std::int64_t>(merchants.size());
  s.priced_in_currency = static_cast<std::int64_t>(prices.size());
  if (!prices.empty()) {
    std::sort(prices.begin(), prices.end());
    s.min_price = prices.front();
    s.max_price = prices.back();
    s.median_price = cents(median_of(prices));
    s.average_price = cents(mean_of(prices));
    s.best_price_url = cheapest->direct_url;
  }
  if (best != nullptr) {
    s.best_offer = models::BestOffer{.title = best->title,
                                     .merchant_name = best->merchant_name,
                                     .direct_url = best->direct_url,
                                     .price = *best->price,
                                     .stock_status = best->stock_status,
                                     .relevance = effective(*best)};
  }
  return s;
}

std::vector<EnrichedCommerceMatch> sort_commerce_items(std::vector<EnrichedCommerceMatch> items) {
  const std::string main = main_currency(items);
  struct Key {
    int relevance;
    int stock;
    int price_group;       // 0 main currency, 1 other currency, 2 unpriced
    std::string_view code; // compared only in group 1
    double amount;
    std::int64_t score;
    std::size_t index;
  };
  std::vector<Key> keys;
  keys.reserve(items.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    const auto& item = items[i];
    Key k{relevance_rank(effective(item)), stock_rank(item.stock_status), 2, {}, 0, item.match_score, i};
    if (item.price) {
      k.price_group = item.price->currency() == main ? 0 : 1;
      k.code = item.price->currency();
      k.amount = item.price->amount();
    }
    keys.push_back(k);
  }
  std::stable_sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
    if (a.relevance != b.relevance) return a.relevance < b.relevance;
    if (a.stock != b.stock) return a.stock < b.stock;
    if (a.price_group != b.price_group) return a.price_group < b.price_group;
    if (a.price_group == 1 && a.code != b.code) return a.code < b.code;
    if (a.price_group != 2 && a.amount != b.amount) return a.amount < b.amount;
    return a.score > b.score;
  });
  std::vector<EnrichedCommerceMatch> sorted;
  sorted.reserve(items.size());
  for (const Key& k : keys) sorted.push_back(std::move(items[k.index]));
  return sorted;
}

}  // namespace tarvik::relevance
