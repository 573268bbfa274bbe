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

const std::vector<std::string_view> CSV_COLUMNS = [] {
  std::vector<std::string_view> headings;
  for (const auto& [heading, member] : models::CSV_COLUMN_FIELDS) headings.push_back(heading);
  return headings;
}();

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

template <class T>
struct is_optional_enum : std::false_type {};
template <class E>
struct is_optional_enum<std::optional<E>> : std::is_enum<E> {};

// One cell of a member, by its type: a score as a percentage, enumerations by
// their values, none as an empty cell.
template <class T>
void cell(CsvRow& row, std::string_view member, const T& v) {
  if constexpr (std::is_same_v<T, std::int64_t>) {
    row.number(std::to_string(v) + (member == "match_score" ? "%" : ""));
  } else if constexpr (std::is_enum_v<T>) {
    row.text(models::value(v));
  } else if constexpr (std::is_same_v<T, std::string>) {
    row.text(std::string_view(v));
  } else if constexpr (std::is_same_v<T, std::optional<std::string>> || is_optional_enum<T>::value) {
    row.text(v);
  } else {
    throw std::logic_error("no CSV cell for the member " + std::string(member));
  }
}

void write_item(std::string& out, const EnrichedCommerceMatch& item) {
  CsvRow row(out);
  for (const auto& [heading, member] : models::CSV_COLUMN_FIELDS) {
    if (member == "price.amount") {
      row.number(item.price ? text::format_double(item.price->amount()) : "");
    } else if (member == "price.currency") {
      row.text(item.price ? std::string_view(item.price->currency()) : "");
    } else {
      bool found = false;
      models::for_each_field(item, [&](std::string_view name, const auto& v) {
        if (name != member) return;
        found = true;
        cell(row, name, v);
      });
      if (!found) throw std::logic_error("CSV column of no member: " + std::string(member));
    }
  }
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
