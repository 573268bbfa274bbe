// Shared pieces of the inspect subcommand: page files, request lines, and the
// batch modes --jsonl and --warc.
#pragma once

#include "tarvik/models/io.hpp"

#include <cstddef>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tarvik/facts/metadata.hpp"

namespace tarvik::cli::inspect {

inline constexpr unsigned MAX_JOBS = 256;
// Largest page file, and largest request line, that is read at all.
inline constexpr std::size_t MAX_PAGE_BYTES = std::size_t{128} << 20;
inline constexpr std::size_t MAX_LINE_BYTES = std::size_t{128} << 20;
// Request lines waiting or in work at once: at most this many per worker, and
// (unless only one is queued) at most this many bytes together.
inline constexpr std::size_t QUEUED_LINES_PER_JOB = 4;
inline constexpr std::size_t MAX_QUEUED_BYTES = std::size_t{256} << 20;
// Nesting depth accepted in a request line.
inline constexpr std::size_t MAX_REQUEST_DEPTH = 32;

// A request that cannot be served; the message names the field or file.
using InputError = models::InputError;

// The bytes of a page file; throws InputError when it cannot be read or is
// larger than MAX_PAGE_BYTES.
std::string read_page_file(const std::string& path);

// One request line to one output line: the page facts, or {"error": "..."}
// with ok set to false. Never throws.
std::string inspect_line(std::string_view line, bool& ok,
                         commerce::ExtractionMode mode = commerce::ExtractionMode::OFF);

// Reads request lines from `in` until its end, serves them on `jobs` threads
// and writes one line per request to standard output in input order. Returns
// the exit status: 1 when any line failed, else 0. Every page is read in
// `mode`.
int run_jsonl(std::FILE* in, unsigned jobs, commerce::ExtractionMode mode = commerce::ExtractionMode::OFF);

// The page facts of every HTML 2xx response record of the WARC files, one
// line {"url", "date", "facts"} each, in file order, on `jobs` threads (the
// one reading the files among them). Other response records are counted in
// one note on standard error at the end. A damaged file gets one error line
// there and the rest of it is skipped.
// Returns 1 when any file was damaged or unreadable (or a page failed), else 0.
int run_warc(const std::vector<std::string>& files, unsigned jobs,
             commerce::ExtractionMode mode = commerce::ExtractionMode::OFF);

}  // namespace tarvik::cli::inspect
