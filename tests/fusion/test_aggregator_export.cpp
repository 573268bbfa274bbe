#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "relevance/item_spec.hpp"
#include "tarvik/fusion/aggregator.hpp"
#include "support/scratch_dir.hpp"

namespace {

namespace fs = std::filesystem;
using namespace tarvik::models;
using tarvik::commerce::commerce_csv_text;
using tarvik::commerce::export_commerce_to_csv;
using tarvik::commerce::export_commerce_to_json;

const char* const HEADER =
    "Match Score,Relevance,Page Type,Brand,SKU,Condition,Title,Price Amount,Currency,Stock Status,Merchant Name,"
    "Merchant Category,Direct URL,Original URL,Primary Image URL\r\n";

EnrichedCommerceMatch full_item() {
  EnrichedCommerceMatch m = tarvik::testing::make_item({.title = "Mug",
                                                        .score = 87,
                                                        .price = 130,
                                                        .category = MerchantCategory::OFFICIAL_BRAND,
                                                        .stock = StockStatus::IN_STOCK,
                                                        .relevance = Relevance::HIGH,
                                                        .merchant = "Acme Shop",
                                                        .brand = "Acme",
                                                        .url = "https://acme.example/mug"});
  m.original_url = "https://acme.example/mug?utm_source=x";
  m.sku = "SKU-1";
  m.condition = ItemCondition::NEW;
  m.primary_image_url = "https://acme.example/mug.jpg";
  return m;
}

std::string csv_row(const std::function<void(EnrichedCommerceMatch&)>& change) {
  CommerceIntelligence ci;
  ci.items.push_back(full_item());
  change(ci.items.back());
  return commerce_csv_text(ci).substr(std::string(HEADER).size());
}

TEST(CommerceCsv, Cells) {
  struct Case {
    const char* label;
    std::function<void(EnrichedCommerceMatch&)> change;
    std::string row_part;
  };
  const Case cases[] = {
      {"whole row", [](auto&) {},
       "87%,high,product,Acme,SKU-1,new,Mug,130.0,USD,in_stock,Acme Shop,official_brand,https://acme.example/mug,"
       "https://acme.example/mug?utm_source=x,https://acme.example/mug.jpg\r\n"},
      {"no labels",
       [](auto& m) {
         m.relevance.reset();
         m.condition.reset();
         m.stock_status.reset();
       },
       "87%,,product,Acme,SKU-1,,Mug,130.0,USD,,Acme"},
      {"no price", [](auto& m) { m.price.reset(); }, ",Mug,,,in_stock,"},
      {"tiny amount", [](auto& m) { m.price = NormalizedPrice("x", 0.00001, "EUR"); }, ",1e-05,EUR,"},
      {"comma, quotes, line break", [](auto& m) { m.title = "Mug, \"Noir\"\n"; }, ",\"Mug, \"\"Noir\"\"\n\","},
      {"formula, quoted", [](auto& m) { m.title = "=HYPERLINK(\"x\")"; }, ",\"'=HYPERLINK(\"\"x\"\")\","},
      {"formula sign inside", [](auto& m) { m.title = "A=B"; }, ",A=B,"},
      {"negative score is a number", [](auto& m) { m.match_score = -5; }, "-5%,"},
      {"invalid UTF-8 repaired", [](auto& m) { m.title = "Caf\xE9"; }, ",Caf\xEF\xBF\xBD,"},
  };
  for (const Case& c : cases) {
    const std::string row = csv_row(c.change);
    EXPECT_NE(row.find(c.row_part), std::string::npos) << c.label << "\n" << row;
  }
  // Every text column is defused, whatever the leading character.
  for (const char lead : std::string("=+-@\t\r")) {
    const std::string v = std::string(1, lead) + "v";
    const std::string row = csv_row([&](auto& m) { m.brand = m.sku = m.merchant_name = m.primary_image_url = v; });
    const std::string cell = lead == '\r' ? "\"'" + v + "\"" : "'" + v;
    EXPECT_EQ(row, "87%,high,product," + cell + "," + cell + ",new,Mug,130.0,USD,in_stock," + cell +
                       ",official_brand,https://acme.example/mug,https://acme.example/mug?utm_source=x," + cell + "\r\n")
        << int(lead);
  }
  EXPECT_EQ(commerce_csv_text(CommerceIntelligence{}), HEADER);
}

class ExportFiles : public tarvik::test::ScratchDirTest {
 protected:
  ExportFiles() : ScratchDirTest("tarvik-export-") {}
  // Names in the directory: no temporary file may be left behind.
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(dir_)) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
  }
};

TEST_F(ExportFiles, WritesReplacesAndResolves) {
  CommerceIntelligence ci;
  ci.items.push_back(full_item());
  const fs::path cwd = fs::current_path();
  fs::current_path(dir_);
  const fs::path csv = export_commerce_to_csv(ci, "new/sub/../out.csv");
  fs::current_path(cwd);
  EXPECT_EQ(csv, dir_ / "new" / "out.csv");
  EXPECT_EQ(read(csv), commerce_csv_text(ci));

  const fs::path json = export_commerce_to_json(ci, dir_ / "out.json");
  EXPECT_EQ(read(json), ci.model_dump_json(2, true));
  ::chmod(json.c_str(), 0640);
  fs::create_symlink(json, dir_ / "link.json");
  EXPECT_EQ(export_commerce_to_json(CommerceIntelligence{}, dir_ / "link.json"), json) << "the link is resolved";
  EXPECT_EQ(read(json), CommerceIntelligence{}.model_dump_json(2, true));
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.json"));
  EXPECT_EQ(fs::status(json).permissions() & fs::perms::all, fs::perms(0640)) << "the replaced file's mode stays";
  EXPECT_EQ(names(), (std::vector<std::string>{"link.json", "new", "out.json"}));
}

TEST_F(ExportFiles, FailuresLeaveThePreviousFileWhole) {
  CommerceIntelligence big;
  for (int i = 0; i < 2000; ++i) big.items.push_back(full_item());
  const fs::path target = dir_ / "out.csv";
  std::ofstream(target) << "previous";
  std::ofstream(dir_ / "file") << "x";
  fs::create_directory(dir_ / "folder");

  struct Case {
    const char* label;
    fs::path path;
    bool small_file_limit;  // writes beyond 4 KiB fail (EFBIG)
  };
  const Case cases[] = {
      {"empty path", "", false},
      {"target is a directory", dir_ / "folder", false},
      {"parent is a file", dir_ / "file" / "out.csv", false},
      {"write fails midway", target, true},
  };
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);  // EFBIG instead of the signal
  for (const Case& c : cases) {
    rlimit limit = saved;
    if (c.small_file_limit) limit.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_THROW(export_commerce_to_csv(big, c.path), fs::filesystem_error) << c.label;
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(read(target), "previous") << c.label;
    EXPECT_EQ(names(), (std::vector<std::string>{"file", "folder", "out.csv"})) << c.label;
  }
  std::signal(SIGXFSZ, old_handler);
}

}  // namespace
