// Fusion of enriched visual matches with shopping offers.
#include "tarvik/fusion/aggregator.hpp"

#include <unordered_set>
#include <utility>

#include "tarvik/relevance/relevance.hpp"
#include "tarvik/util/text.hpp"

namespace tarvik::commerce {

using models::EnrichedCommerceMatch;

namespace {

constexpr std::size_t TITLE_KEY_CHARS = 30;

std::string url_key(const EnrichedCommerceMatch& item) { return text::to_lower(text::trim(item.direct_url)); }

std::string title_key(const EnrichedCommerceMatch& item) {
  std::string key = item.merchant_name.value_or("");
  key += ':';
  key += text::prefix(item.title, TITLE_KEY_CHARS);
  return std::string(text::trim(text::to_lower(key)));
}

// Admits items whose keys no admitted item had.
class Admission {
 public:
  void offer(EnrichedCommerceMatch&& item) {
    std::string url = url_key(item);
    if (!url.empty() && urls_.contains(url)) return;
    std::string title = title_key(item);
    if (!titles_.insert(std::move(title)).second) return;
    if (!url.empty()) urls_.insert(std::move(url));
    kept_.push_back(std::move(item));
  }
  std::vector<EnrichedCommerceMatch> take() { return std::move(kept_); }

 private:
  std::unordered_set<std::string> urls_;
  std::unordered_set<std::string> titles_;
  std::vector<EnrichedCommerceMatch> kept_;
};

}  // namespace

std::vector<EnrichedCommerceMatch> CommerceAggregator::fuse_matches_and_offers(
    std::vector<EnrichedCommerceMatch> vizor_items, const std::vector<models::ShoppingOffer>& shopping_offers) {
  Admission admission;
  for (const auto& offer : shopping_offers) admission.offer(EnrichedCommerceMatch::from_shopping_offer(offer));
  for (auto& item : vizor_items) admission.offer(std::move(item));
  return relevance::sort_commerce_items(admission.take());
}

}  // namespace tarvik::commerce
