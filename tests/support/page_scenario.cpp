#include "support/page_scenario.hpp"

namespace tarvik::test {

std::string product_page(std::size_t index, std::size_t bytes) {
  const std::string n = std::to_string(index);
  const std::string price = std::to_string(20 + index % 180) + ".99";
  std::string page =
      "<!DOCTYPE html><html lang=\"en\"><head><meta charset=\"utf-8\">"
      "<title>Leather Tote Bag No. " + n + " | Example Store</title>"
      "<meta property=\"og:title\" content=\"Leather Tote Bag No. " + n + "\">"
      "<meta property=\"og:type\" content=\"product\">"
      "<meta property=\"og:image\" content=\"https://cdn.example/img/tote-" + n + ".jpg\">"
      "<meta property=\"product:price:amount\" content=\"" + price + "\">"
      "<meta property=\"product:price:currency\" content=\"USD\">"
      "<script type=\"application/ld+json\">{\"@context\":\"https://schema.org\",\"@type\":\"Product\","
      "\"name\":\"Leather Tote Bag No. " + n + "\",\"sku\":\"TOTE-" + n + "\",\"brand\":{\"@type\":\"Brand\","
      "\"name\":\"Example\"},\"offers\":{\"@type\":\"Offer\",\"price\":\"" + price + "\",\"priceCurrency\":\"USD\","
      "\"availability\":\"https://schema.org/InStock\",\"itemCondition\":\"https://schema.org/NewCondition\"}}"
      "</script></head><body><main><h1>Leather Tote Bag No. " + n + "</h1>";
  const std::string block =
      "<div class=\"review\"><p>Soft full-grain leather, roomy inside, sturdy handles. Fits a laptop and a "
      "water bottle; the magnetic clasp holds well. Colour as pictured.</p><a href=\"/p/related-" + n +
      "\">Related item</a></div>\n";
  while (page.size() + block.size() + 32 < bytes) page += block;
  page += "</main></body></html>";
  return page;
}

PageScenario serve_product_pages(HttpServer& server, const PageScenarioShape& shape) {
  PageScenario scenario;
  scenario.options.connect_to = {server.mapping()};
  scenario.options.allow_private_network = true;
  for (std::size_t i = 0; i < shape.pages; ++i) {
    const std::string host = "store-" + std::to_string(i % shape.hosts) + ".test";
    const std::string path = "/p/tote-" + std::to_string(i);
    Reply reply = html(product_page(i, shape.page_bytes));
    reply.delay = shape.delay;
    server.route(host, path, std::move(reply));
    scenario.urls.push_back(server.url(host, path));
  }
  return scenario;
}

}  // namespace tarvik::test
