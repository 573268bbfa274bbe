// CSV and JSON export of commerce results, written atomically.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <random>
#include <system_error>

#include "tarvik/fusion/aggregator.hpp"
#include "tarvik/fusion/output_file.hpp"
#include "tarvik/util/text.hpp"

namespace tarvik::commerce {

namespace fs = std::filesystem;
using models::CommerceIntelligence;
using models::EnrichedCommerceMatch;

const std::vector<std::string_view> CSV_COLUMNS = {
    "Match Score", "Relevance",     "Page Type",     "Brand",      "SKU",
    "Condition",   "Title",         "Price Amount",  "Currency",   "Stock Status",
    "Merchant Name", "Merchant Category", "Direct URL", "Original URL", "Primary Image URL",
};

namespace {

// ---------------------------------------------------------------------------
// CSV rows.

class CsvRow {
 public:
  explicit CsvRow(std::string& out) : out_(out) {}
  ~CsvRow() { out_ += "\r\n"; }

  // A number: written as it is.
  void number(std::string_view cell) { put(cell); }
  // Text: a cell that a spreadsheet would read as a formula is defused.
  void text(std::string_view cell) {
    if (!cell.empty() && std::string_view("=+-@\t\r").find(cell.front()) != std::string_view::npos) {
      std::string defused = "'";
      defused += cell;
      put(defused);
    } else {
      put(cell);
    }
  }
  template <class T>
  void text(const std::optional<T>& cell) {
    if (!cell) {
      put("");
    } else if constexpr (std::is_enum_v<T>) {
      text(models::value(*cell));
    } else {
      text(std::string_view(*cell));
    }
  }

 private:
  void put(std::string_view cell) {
    if (!first_) out_ += ',';
    first_ = false;
    std::string repaired;
    if (!text::is_valid_utf8(cell)) {
      repaired = text::repair_utf8(cell);
      cell = repaired;
    }
    if (cell.find_first_of(",\"\r\n") == std::string_view::npos) {
      out_ += cell;
      return;
    }
    out_ += '"';
    for (char c : cell) {
      if (c == '"') out_ += '"';
      out_ += c;
    }
    out_ += '"';
  }

  std::string& out_;
  bool first_ = true;
};

void write_item(std::string& out, const EnrichedCommerceMatch& item) {
  CsvRow row(out);
  row.number(std::to_string(item.match_score) + "%");
  row.text(item.relevance);
  row.text(models::value(item.page_type));
  row.text(item.brand);
  row.text(item.sku);
  row.text(item.condition);
  row.text(item.title);
  row.number(item.price ? text::format_double(item.price->amount()) : "");
  row.text(item.price ? std::string_view(item.price->currency()) : "");
  row.text(item.stock_status);
  row.text(item.merchant_name);
  row.text(item.merchant_category);
  row.text(item.direct_url);
  row.text(item.original_url);
  row.text(item.primary_image_url);
}

}  // namespace

std::string commerce_csv_text(const CommerceIntelligence& commerce) {
  std::string out;
  {
    CsvRow header(out);
    for (std::string_view column : CSV_COLUMNS) header.text(column);
  }
  for (const auto& item : commerce.items) write_item(out, item);
  return out;
}

fs::path export_commerce_to_csv(const CommerceIntelligence& commerce, const fs::path& output_path) {
  return write_output_file(output_path, commerce_csv_text(commerce));
}

fs::path export_commerce_to_json(const CommerceIntelligence& commerce, const fs::path& output_path) {
  return write_output_file(output_path, commerce.model_dump_json(2, true));
}

}  // namespace tarvik::commerce
