// The readable form of a commerce result: one line per item and the market
// summary under them.
#pragma once

#include <cstddef>
#include <string>

#include "tarvik/models/commerce.hpp"

namespace tarvik::cli {

// Columns of the terminal on `fd`; else $COLUMNS; else 0 (no limit: output
// to a file or pipe keeps whole URLs).
std::size_t terminal_columns(int fd);

// The table and summary as text, one line per item. Natural widths: 32
// columns at most per cell, 44 for the title, the direct URL whole. With a
// `width` (0: none) narrower than that, the line is fitted, never wrapped: the
// URL's path is cut to 30 columns, then the merchant category is left out,
// then the title shrinks to 16 columns and is left out, then Type, Relevance
// and Stock are left out, then the merchant shrinks to 12 columns, the price
// to 16 and the URL to what remains. Every width from 60 columns fits.
// --json and --csv keep the full values.
std::string commerce_table(const models::CommerceIntelligence& commerce, std::size_t width);
// Prints the table; throws OutputError when standard output fails.
void print_commerce_table(const models::CommerceIntelligence& commerce, std::size_t width);

}  // namespace tarvik::cli
