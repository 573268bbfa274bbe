// Tells a bot manager's wall (a challenge or block page) apart from an
// ordinary refusal, from one HTTP response; the pipeline sends pages behind
// such a wall to the browser once.
//
// Pure and bounded: looks at the status, the header names and values given,
// and the first `kBotWallScanBytes` of the body (bytes, not decoded text);
// never throws; linear in what it reads.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvik::commerce {

inline constexpr std::size_t kBotWallScanBytes = 256 * 1024;

struct BotWall {
  std::string manager;  // "cloudflare", "akamai", ..., or "javascript-shell"
  std::string marker;   // the header or body text that gave it away
  bool operator==(const BotWall&) const = default;
};

// A wall only when the status is 403, 429 or 503 and one of these holds:
// - a header a bot manager sets on its challenges: cf-mitigated (Cloudflare),
//   x-datadome / x-dd-b (DataDome), x-iinfo (Imperva), x-amzn-waf-action (AWS
//   WAF), x-sucuri-block / x-sucuri-id (Sucuri), x-kpsdk-* (Kasada),
//   x-vercel-mitigated (Vercel), x-px-* (HUMAN/PerimeterX);
// - a body marker of a known manager: Cloudflare ("/cdn-cgi/challenge-platform/",
//   "_cf_chl_opt", "cf-browser-verification", "Attention Required! | Cloudflare"),
//   Akamai ("errors.edgesuite.net" in its "Access Denied ... Reference #" page),
//   HUMAN/PerimeterX ("_pxAppId", "px-captcha", "captcha.px-cdn.net"),
//   DataDome ("captcha-delivery.com"), Imperva ("_Incapsula_Resource",
//   "Incapsula incident ID"), Kasada ("KPSDK"), AWS WAF ("awswaf.com",
//   "AwsWafIntegration"), Sucuri ("sucuri_cloudproxy_js", "Sucuri WebSite
//   Firewall"), Reblaze ("rbzns"), Vercel ("Vercel Security Checkpoint");
// - a JavaScript-only shell: the body runs a script and shows almost no text
//   (under 200 characters outside scripts, styles and tags), or asks the
//   reader to enable JavaScript, to verify being human, or to press and hold.
// Matching is ASCII case-insensitive. A 403 that is only a plain "Forbidden"
// page, any other status, and an empty body without such headers give none.
std::optional<BotWall> detect_bot_wall(long status, const std::vector<std::pair<std::string, std::string>>& headers,
                                       std::string_view body);

}  // namespace tarvik::commerce
