// libFuzzer target: arbitrary bytes as a destination page, read with the rules
// alone and in the extended mode. Any crash, sanitizer report, escaping
// exception, invalid UTF-8 in the facts or unparsable JSON output is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include <boost/json/parse.hpp>

#include "tarvik/facts/metadata.hpp"
#include "tarvik/util/charset.hpp"
#include "tarvik/util/text.hpp"

using tarvik::commerce::DestinationMetadataParser;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  // The page decoder must turn any bytes into valid UTF-8.
  if (!tarvik::text::is_valid_utf8(tarvik::charset::decode_page(bytes))) std::abort();

  const std::string html = tarvik::text::repair_utf8(bytes);

  (void)DestinationMetadataParser::_find_ld_json_products(html);
  (void)DestinationMetadataParser::_find_next_data_product(html);
  (void)DestinationMetadataParser::_extract_meta_tags(html);
  (void)DestinationMetadataParser::_extract_html_title(html);

  using tarvik::commerce::ExtractionMode;
  for (const auto mode : {ExtractionMode::OFF, ExtractionMode::OVERRIDES}) {
    const auto facts = DestinationMetadataParser::parse_metadata(html, "https://shop.example/products/fuzz-item-42",
                                                                 "Fuzz Item", "Example Shop", std::nullopt,
                                                                 std::nullopt, 3, mode);
    // Sources come with the extended mode only.
    if (facts.sources.has_value() != (mode != ExtractionMode::OFF)) std::abort();
    const std::string out = facts.to_json();
    if (!tarvik::text::is_valid_utf8(out)) std::abort();
    boost::json::error_code ec;
    (void)boost::json::parse(out, ec);
    if (ec) std::abort();
  }
  return 0;
}
