// The readable form of a commerce result: one line per item and the market
// summary under them.
#pragma once

#include <cstddef>
#include <string>

#include "tarvik/models/commerce.hpp"

namespace tarvik::cli {

// Columns of the terminal on `fd`; else $COLUMNS; else 160.
std::size_t terminal_columns(int fd);

// The table and summary as text, fitted to `width` columns: every column but
// the title has its natural width; the title is cut (with "…") to what is
// left, and the direct URL always comes whole at the end of the line.
std::string commerce_table(const models::CommerceIntelligence& commerce, std::size_t width);
void print_commerce_table(const models::CommerceIntelligence& commerce, std::size_t width);

}  // namespace tarvik::cli
