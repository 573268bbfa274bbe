// The extractors over the shared corpus of real saved pages: every page is
// read, pages whose manifest lists JSON-LD products or Open Graph prices give
// them, and a few facts checked by hand on the pages come back exactly.

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tarvik/facts/metadata.hpp"
#include "tarvik/util/text.hpp"

namespace {

namespace fs = std::filesystem;
using tarvik::commerce::DestinationMetadataParser;

const fs::path CORPUS = fs::path(TARVIK_SHARED_DIR) / "corpus";

std::string read_file(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// Pages are third-party bytes; text inside the system is UTF-8.
std::string read_page(const std::string& name) {
  std::string html = read_file(CORPUS / "pages" / name);
  if (!tarvik::text::is_valid_utf8(html)) html = tarvik::text::repair_utf8(html);
  return html;
}

// File name -> the manifest's markup column ("jsonld-product, og-price", ...).
std::map<std::string, std::string> manifest_markup() {
  std::map<std::string, std::string> out;
  std::istringstream in(read_file(CORPUS / "MANIFEST.md"));
  for (std::string line; std::getline(in, line);) {
    if (!line.starts_with("| `pages/")) continue;
    std::vector<std::string> cells;
    std::stringstream row(line);
    for (std::string cell; std::getline(row, cell, '|');) cells.push_back(std::string(tarvik::text::trim(cell)));
    // cells: "", `pages/x`, repository, path, licence, bytes, kind, markup, ...
    if (cells.size() < 8) continue;
    const std::string file = cells[1].substr(std::string("`pages/").size(), cells[1].size() - 8);
    out[file] = cells[7];
  }
  return out;
}

class ExtractCorpus : public testing::Test {
 protected:
  void SetUp() override {
    if (!fs::is_directory(CORPUS / "pages")) GTEST_SKIP() << "corpus not present at " << CORPUS;
  }
};

TEST_F(ExtractCorpus, EveryPageIsReadAndManifestMarkupIsFound) {
  const auto markup = manifest_markup();
  std::size_t pages = 0, titles = 0;
  for (const auto& entry : fs::directory_iterator(CORPUS / "pages")) {
    if (entry.path().extension() != ".html") continue;
    const std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    const std::string html = read_page(name);
    const auto products = DestinationMetadataParser::_find_ld_json_products(html);
    DestinationMetadataParser::_find_next_data_product(html);
    const auto meta = DestinationMetadataParser::_extract_meta_tags(html);
    const auto title = DestinationMetadataParser::_extract_html_title(html);
    ++pages;
    if (title) ++titles;
    const auto it = markup.find(name);
    if (it == markup.end()) continue;
    if (it->second.find("jsonld-product") != std::string::npos) {
      EXPECT_FALSE(products.empty());
    }
    if (it->second.find("og-price") != std::string::npos) {
      EXPECT_TRUE(meta.contains("product:price:amount") || meta.contains("og:price:amount"));
    }
  }
  EXPECT_GT(pages, 100U);
  EXPECT_GT(titles, pages * 9 / 10);
}

TEST_F(ExtractCorpus, HandCheckedFacts) {
  struct Expect {
    const char* page;
    std::size_t products;
    const char* title;
    const char* meta_key;
    const char* meta_value;
  };
  const Expect cases[] = {
      {"metascraper-shopping__etsy.html", 1,
       "EL original he y hay calabaza / decoraci\u00f3n de oto\u00f1o / estera | Etsy", "product:price:amount", "48,00"},
      {"metascraper-shopping__jossandmain.html", 1, "Duprey 4-Light Lantern Pendant &amp; Reviews | Joss &amp; Main",
       "product:price:amount", "98.99"},
      {"metascraper-shopping__potterybarn.html", 1, "Tully Sconce | Pottery Barn", "og:title", "Tully Sconce"},
      {"trafilatura__reuters.com.parasite.html", 0,
       "&#x27;Parasite&#x27; scores historic upset at SAG awards, boosting Oscar chances | Reuters", "og:title",
       "&#x27;Parasite&#x27; scores historic upset at SAG awards, boosting Oscar chances"},
      // Three products in one block.
      {"trafilatura__tofugu.com.dezuka-suisan.html", 3, nullptr, nullptr, nullptr},
      // A type array ["CreativeWork", "Product"] on a page with a legacy charset.
      {"htmldate__elmundo.es-PSOE.html", 1, nullptr, nullptr, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.page);
    if (!fs::exists(CORPUS / "pages" / c.page)) continue;
    const std::string html = read_page(c.page);
    EXPECT_EQ(DestinationMetadataParser::_find_ld_json_products(html).size(), c.products);
    if (c.title) {
      EXPECT_EQ(DestinationMetadataParser::_extract_html_title(html), c.title);
    }
    if (c.meta_key) {
      const auto meta = DestinationMetadataParser::_extract_meta_tags(html);
      ASSERT_TRUE(meta.contains(c.meta_key));
      EXPECT_EQ(meta.at(c.meta_key), c.meta_value);
    }
  }
}

}  // namespace
