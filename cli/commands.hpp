// Subcommands of the tarvik-commerce executable and the helpers they share.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <CLI/CLI.hpp>

namespace tarvik::cli {

// Exit statuses: 0 success, 1 bad input (after every line was processed),
// 2 usage error.
inline constexpr int EXIT_OK = 0;
inline constexpr int EXIT_BAD_INPUT = 1;
inline constexpr int EXIT_USAGE = 2;

// The whole command line: parses argv, runs the subcommand and returns the
// exit status (help and version print and return 0, usage errors 2).
int run(int argc, char** argv);

// Each register_* adds one subcommand to `app`; its callback stores the
// command's exit status in `exit_code`.
void register_unwrap(CLI::App& app, int& exit_code);
void register_price(CLI::App& app, int& exit_code);
void register_classify(CLI::App& app, int& exit_code);
void register_inspect(CLI::App& app, int& exit_code);
void register_enrich(CLI::App& app, int& exit_code);
void register_resolve(CLI::App& app, int& exit_code);

// Calls fn once per input: each of `args` when there are any, otherwise each
// line of standard input (read as it arrives, trailing CR removed). Every input
// is repaired to valid UTF-8 first.
void for_each_input(const std::vector<std::string>& args, const std::function<void(const std::string&)>& fn);
// Each line of standard input, repaired to valid UTF-8, CR removed.
void for_each_stdin_line(const std::function<void(const std::string&)>& fn);
// A write to standard output failed (a full disk, a closed pipe reader): the
// run ends with status 1 and this message, whatever its command was doing.
class OutputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Writes `text` to standard output and flushes it; throws OutputError when
// either fails.
void write_stdout(std::string_view text);
// Writes one line to standard output and flushes it (for use in pipelines);
// throws OutputError.
void emit_line(const std::string& line);

// The whole of a UTF-8 input file's text without a byte-order mark at its start.
std::string_view without_bom(std::string_view text);

// The scheme of a URL, lower-cased ("javascript" for "JavaScript:void(0)"),
// or "" when it has none. Only http and https links are ever fetched.
std::string link_scheme(std::string_view url);

// Where a JSON text stops being valid, as " at line L, column C" (1-based,
// columns in code points), or "" when it is valid JSON. Nesting deeper than
// `max_depth` counts as invalid, as the readers count it.
std::string json_error_location(std::string_view text, std::size_t max_depth = 64);
// An input error's message with the JSON error location added when the reader
// found the text invalid as JSON.
std::string locate_json_error(std::string_view text, const std::string& message);

}  // namespace tarvik::cli
