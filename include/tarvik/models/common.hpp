// Enumerations and the price record shared by every stage.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tarvik::json {
class JsonWriter;
}

namespace tarvik::models {

enum class MerchantCategory { MAJOR_MARKETPLACE, RESELLER_SPECIALIST, OFFICIAL_BRAND, UNVERIFIED };
enum class PageType { PRODUCT, MARKETPLACE, ARTICLE, SOCIAL, PORTFOLIO, UNCATEGORIZED };
enum class StockStatus { IN_STOCK, OUT_OF_STOCK, PREORDER };
enum class ItemCondition { NEW, USED, REFURBISHED };

// The text value of each member ("major_marketplace", "product", "in_stock", "new", ...).
std::string_view value(MerchantCategory v);
std::string_view value(PageType v);
std::string_view value(StockStatus v);
std::string_view value(ItemCondition v);

// The member whose value is `text`, or none.
template <class Enum>
std::optional<Enum> from_value(std::string_view text);
template <>
std::optional<MerchantCategory> from_value<MerchantCategory>(std::string_view text);
template <>
std::optional<PageType> from_value<PageType>(std::string_view text);
template <>
std::optional<StockStatus> from_value<StockStatus>(std::string_view text);
template <>
std::optional<ItemCondition> from_value<ItemCondition>(std::string_view text);

// A parsed price. Construction rejects a non-finite or negative amount and an
// empty currency with std::invalid_argument, so every record holds a usable price.
class NormalizedPrice {
 public:
  NormalizedPrice(std::string raw, double amount, std::string currency);

  const std::string& raw() const { return raw_; }
  double amount() const { return amount_; }
  const std::string& currency() const { return currency_; }

  bool operator==(const NormalizedPrice&) const = default;

 private:
  std::string raw_;
  double amount_;
  std::string currency_;
};

// The currency code that a token names: a three-letter code in any letter
// case ("eur" -> "EUR"), or a symbol or prefixed symbol that names one
// currency ("$" -> "USD", "€", "£", "¥" -> "JPY", "CN¥", "US$", "CA$", "C$",
// "A$", "AU$", "NZ$", "HK$", "S$", "R$", "MX$", "₹", "₩", "₽", "₺", "₪", "₫",
// "฿", "₱", "zł"). Surrounding white space is ignored. None for anything else,
// including symbols shared by several currencies ("kr", "Rs").
std::optional<std::string> currency_code(std::string_view token);

// Writes a price as {"raw","amount","currency"}, or null for none.
void write_json(json::JsonWriter& w, const std::optional<NormalizedPrice>& price);

}  // namespace tarvik::models
