// Which refused pages are a bot manager's wall (sent to the browser) and which
// are ordinary refusals (left alone).
#include <gtest/gtest.h>

#include "tarvik/commerce/bot_wall.hpp"

namespace {

using tarvik::commerce::detect_bot_wall;
using Headers = std::vector<std::pair<std::string, std::string>>;

constexpr const char* kCloudflareChallenge =
    R"(<!DOCTYPE html><html lang="en-US"><head><title>Just a moment...</title><meta http-equiv="refresh" content="390">)"
    R"(</head><body><div class="main-wrapper" role="main"><div class="main-content"><noscript><div class="h2">)"
    R"(<span id="challenge-error-text">Enable JavaScript and cookies to continue</span></div></noscript></div></div>)"
    R"(<script>(function(){window._cf_chl_opt={cvId: '3',cZone: 'www.example-store.com',cType: 'managed',)"
    R"(cRay: '8a1b2c3d4e5f6789'};var cpo=document.createElement('script');)"
    R"(cpo.src='/cdn-cgi/challenge-platform/h/g/orchestrate/chl_page/v1?ray=8a1b2c3d4e5f6789';)"
    R"(document.getElementsByTagName('head')[0].appendChild(cpo);}());</script></body></html>)";

constexpr const char* kCloudflareBlock =
    R"(<!DOCTYPE html><html><head><title>Attention Required! | Cloudflare</title></head><body>)"
    R"(<h1>Sorry, you have been blocked</h1><h2>You are unable to access example-store.com</h2>)"
    R"(<p>Cloudflare Ray ID: 8a1b2c3d4e5f6789</p></body></html>)";

constexpr const char* kAkamaiDenied =
    "<HTML><HEAD>\n<TITLE>Access Denied</TITLE>\n</HEAD><BODY>\n<H1>Access Denied</H1>\n \nYou don't have permission "
    "to access \"http&#58;&#47;&#47;www&#46;example&#46;com&#47;p&#47;123\" on this server.<P>\n"
    "Reference&#32;&#35;18&#46;6f2d3e17&#46;1700000000&#46;1a2b3c4d\n<P>https&#58;&#47;&#47;errors&#46;edgesuite&#46;"
    "net&#47;18&#46;6f2d3e17&#46;1700000000&#46;1a2b3c4d</P>\n</BODY>\n</HTML>\n";

constexpr const char* kPerimeterX =
    R"(<!DOCTYPE html><html lang="en"><head><title>Access to this page has been denied</title></head><body>)"
    R"(<script>window._pxAppId = 'PXu6b0qd2S';window._pxJsClientSrc = '/u6b0qd2S/init.js';)"
    R"(window._pxHostUrl = '/u6b0qd2S/xhr';</script><div id="px-captcha"></div>)"
    R"(<p>Press &amp; Hold to confirm you are a human (and not a bot).</p></body></html>)";

constexpr const char* kDataDome =
    R"(<html><head><title>example-store.com</title><style>#cmsg{animation: A 1.5s;}@keyframes A{0%{opacity:0;})"
    R"(99%{opacity:0;}100%{opacity:1;}}</style></head><body style="margin:0"><p id="cmsg">Please enable JS and )"
    R"(disable any ad blocker</p><script data-cfasync="false">var dd={'rt':'c','cid':'AHrlqAAAAAMAx','hsh':'0D1E',)"
    R"('t':'fe','s':43337,'e':'3b5d','host':'geo.captcha-delivery.com'}</script><script data-cfasync="false" )"
    R"(src="https://ct.captcha-delivery.com/c.js"></script></body></html>)";

constexpr const char* kImperva =
    R"(<html style="height:100%"><head><META NAME="ROBOTS" CONTENT="NOINDEX, NOFOLLOW"></head>)"
    R"(<body style="margin:0px;height:100%"><iframe id="main-iframe" src="/_Incapsula_Resource?CWUDNSAI=9&)"
    R"(xinfo=10-12345-0%200NNN&incident_id=123-456&edet=12&cinfo=04000000&mth=GET" frameborder=0 width="100%" )"
    R"(height="100%">Request unsuccessful. Incapsula incident ID: 123-456</iframe></body></html>)";

constexpr const char* kKasada =
    R"(<!DOCTYPE html><html><head></head><body><script>window.KPSDK={};KPSDK.now=typeof performance!=='undefined'&&)"
    R"(performance.now?performance.now.bind(performance):Date.now.bind(Date);KPSDK.start=KPSDK.now();</script>)"
    R"(<script src="/149e9513-01fa-4fb0/2d206a39-8ed7/ips.js?tkrm_alpekz_s1.3=0EOFp"></script></body></html>)";

constexpr const char* kSucuri =
    R"(<!DOCTYPE html><html><head><title>Sucuri WebSite Firewall - Access Denied</title></head><body>)"
    R"(<h2>Access Denied - Sucuri Website Firewall</h2><p>Block reason: Access from your area has been )"
    R"(temporarily denied for security reasons.</p></body></html>)";

constexpr const char* kBareShell =
    R"(<html><head><script src="/static/vfy.js?v=3"></script></head><body><div id="root"></div>)"
    R"(<noscript>Please turn on JavaScript</noscript></body></html>)";

constexpr const char* kNginxForbidden =
    "<html>\r\n<head><title>403 Forbidden</title></head>\r\n<body>\r\n<center><h1>403 Forbidden</h1></center>\r\n"
    "<hr><center>nginx</center>\r\n</body>\r\n</html>\r\n";

std::string maintenance_page() {
  std::string page = "<html><head><script>window.dataLayer=[];</script></head><body><h1>We'll be back soon</h1><p>";
  for (int i = 0; i < 12; ++i) page += "Our store is getting a few improvements and will reopen shortly. ";
  return page + "</p></body></html>";
}

TEST(BotWall, ChallengesAndPlainRefusals) {
  struct Row {
    const char* name;
    long status;
    Headers headers;
    std::string body;
    std::string manager;  // "" for none
    std::string marker;
  };
  const Row rows[] = {
      {"Cloudflare managed challenge, header", 403, {{"Server", "cloudflare"}, {"cf-mitigated", "challenge"}},
       kCloudflareChallenge, "cloudflare", "cf-mitigated"},
      {"Cloudflare managed challenge, body only", 403, {}, kCloudflareChallenge, "cloudflare",
       "/cdn-cgi/challenge-platform/"},
      {"Cloudflare challenge as 503", 503, {}, kCloudflareChallenge, "cloudflare", "/cdn-cgi/challenge-platform/"},
      {"Cloudflare block page", 403, {{"Server", "cloudflare"}}, kCloudflareBlock, "cloudflare",
       "attention required! | cloudflare"},
      {"Akamai access denied with entity-encoded reference", 403, {{"Server", "AkamaiGHost"}}, kAkamaiDenied, "akamai",
       "errors&#46;edgesuite&#46;net"},
      {"PerimeterX press and hold", 403, {}, kPerimeterX, "perimeterx", "_pxappid"},
      {"DataDome, header in other case", 403, {{"X-DataDome", "protected"}}, kDataDome, "datadome", "x-datadome"},
      {"DataDome, body only", 403, {}, kDataDome, "datadome", "captcha-delivery.com"},
      {"Imperva iframe", 403, {}, kImperva, "imperva", "_incapsula_resource"},
      {"Kasada as 429", 429, {}, kKasada, "kasada", "kpsdk"},
      {"Kasada header prefix", 429, {{"x-kpsdk-ct", "0HVv"}}, "", "kasada", "x-kpsdk-ct"},
      {"Sucuri block page", 403, {}, kSucuri, "sucuri", "sucuri website firewall"},
      {"unknown make: script and no text", 503, {}, kBareShell, "javascript-shell", "a script and almost no text"},
      {"unknown make: asks for JavaScript", 403, {}, "<p>Please enable JavaScript to view this page.</p>",
       "javascript-shell", "enable javascript"},
      {"nginx 403 Forbidden", 403, {{"Server", "nginx"}}, kNginxForbidden, "", ""},
      {"Cloudflare server on a plain 403", 403, {{"Server", "cloudflare"}}, kNginxForbidden, "", ""},
      {"challenge markers on a 200 page", 200, {{"cf-mitigated", "challenge"}}, kCloudflareChallenge, "", ""},
      {"challenge markers on a 404", 404, {}, kPerimeterX, "", ""},
      {"maintenance page with analytics script", 503, {}, maintenance_page(), "", ""},
      {"plain-text 429", 429, {{"Content-Type", "text/plain"}}, "Too Many Requests", "", ""},
      {"empty 403", 403, {}, "", "", ""},
      {"unterminated script tag", 403, {}, "<script>while(1){}", "javascript-shell", "a script and almost no text"},
      {"marker beyond the scanned prefix", 403, {},
       std::string(tarvik::commerce::kBotWallScanBytes, 'x') + "_cf_chl_opt", "", ""},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const auto wall = detect_bot_wall(r.status, r.headers, r.body);
    EXPECT_EQ(wall ? wall->manager : "", r.manager);
    EXPECT_EQ(wall ? wall->marker : "", r.marker);
  }
}

}  // namespace
