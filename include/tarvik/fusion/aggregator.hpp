// Fuses enriched visual matches with shopping offers, and saves commerce
// results as CSV (for spreadsheets) and JSON files.
//
// Files: an export is written by write_output_file (output_file.hpp): a regular
// file is replaced whole through a temporary file and a rename, so the target
// holds either its previous content or the whole new file, never a part; a
// device, named pipe or /dev/stdout is written in place; a directory or a
// read-only file is refused. A replaced file keeps its permission bits; a new
// one gets the usual 0666 less the umask.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tarvik/models/commerce.hpp"
#include "tarvik/models/shopping.hpp"

namespace tarvik::commerce {

class CommerceAggregator {
 public:
  CommerceAggregator() = delete;

  // One list without duplicates, in publishing order (relevance module's
  // sort_commerce_items). Offers come first and win: every offer, then every
  // visual item, is kept unless an item kept before it has the same URL key
  // (direct URL trimmed and lower-cased; an empty key matches nothing) or the
  // same title key (merchant name, ":", the title's first 30 code points;
  // trimmed and lower-cased). Kept visual items are moved into the result.
  static std::vector<models::EnrichedCommerceMatch> fuse_matches_and_offers(
      std::vector<models::EnrichedCommerceMatch> vizor_items, const std::vector<models::ShoppingOffer>& shopping_offers);
};

// The CSV column names, in order.
extern const std::vector<std::string_view> CSV_COLUMNS;

// The CSV text of a result: UTF-8 without byte-order mark, RFC 4180 rows ended
// by CR LF, the header row and then one row per item. A text cell starting
// with "=", "+", "-", "@", a tab or a carriage return gets a leading "'" so
// that spreadsheets show it instead of evaluating it; Match Score ("87%") and
// Price Amount (shortest round-trip decimal, "130.0", "1e-05") are numbers.
std::string commerce_csv_text(const models::CommerceIntelligence& commerce);

// Write the CSV text, or the record's model_dump_json(2, true) (no newline
// added), to `output_path` and return the path written (see write_output_file:
// for a regular file made absolute, with symbolic links and ".." resolved as
// far as the path exists). Missing parent directories are created. Throws
// std::filesystem::filesystem_error naming the path as given (an empty path, a
// directory, a read-only file, or a failure to create, write, flush or rename).
std::filesystem::path export_commerce_to_csv(const models::CommerceIntelligence& commerce,
                                             const std::filesystem::path& output_path);
std::filesystem::path export_commerce_to_json(const models::CommerceIntelligence& commerce,
                                              const std::filesystem::path& output_path);

}  // namespace tarvik::commerce
