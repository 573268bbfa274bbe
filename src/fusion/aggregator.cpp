// Fusion of enriched visual matches with shopping offers.
#include "tarvik/fusion/aggregator.hpp"

#include <optional>
#include <string>
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

// The offer with surrounding whitespace removed from its text fields: search
// APIs pass on what the merchant's feed holds, and a link ending in a blank is
// a different (broken) URL. An optional text left blank carries nothing.
models::ShoppingOffer trimmed(const models::ShoppingOffer& offer) {
  models::ShoppingOffer out = offer;
  out.title = std::string(text::trim(out.title));
  out.link = std::string(text::trim(out.link));
  for (std::optional<std::string>* field : {&out.source, &out.price, &out.currency, &out.thumbnail, &out.delivery}) {
    if (!*field) continue;
    const std::string_view t = text::trim(**field);
    if (t.empty())
      field->reset();
    else
      **field = std::string(t);
  }
  return out;
}

}  // namespace

std::vector<EnrichedCommerceMatch> CommerceAggregator::fuse_matches_and_offers(
    std::vector<EnrichedCommerceMatch> vizor_items, const std::vector<models::ShoppingOffer>& shopping_offers) {
  Admission admission;
  for (const auto& offer : shopping_offers) admission.offer(EnrichedCommerceMatch::from_shopping_offer(trimmed(offer)));
  for (auto& item : vizor_items) admission.offer(std::move(item));
  return relevance::sort_commerce_items(admission.take());
}

}  // namespace tarvik::commerce
