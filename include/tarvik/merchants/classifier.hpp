// Decides whether a seller is a major marketplace, a reseller specialist, the
// brand's official shop or unverified.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "tarvik/models/common.hpp"

namespace tarvik::commerce {

extern const std::array<std::string_view, 19> MARKETPLACE_DOMAINS;
extern const std::array<std::string_view, 10> RESELLER_DOMAINS;
extern const std::array<std::string_view, 17> MULTI_TENANT_SUBDOMAINS;

class MerchantClassifier {
 public:
  MerchantClassifier() = delete;
  static models::MerchantCategory classify(std::string_view domain, std::string_view title = "",
                                           std::optional<std::string_view> brand = std::nullopt,
                                           std::optional<std::string_view> merchant_name = std::nullopt);
  // The label that names the site's owner ("" when only generic labels remain).
  static std::string _extract_sld(std::string_view domain);
  // Whether `text` (a brand, merchant name or title) names the owner label.
  static bool _is_match(std::string_view alpha_sld, std::string_view text);
};

}  // namespace tarvik::commerce
