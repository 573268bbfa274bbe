// Subcommands of the tarvik-commerce executable and the helpers they share.
#pragma once

#include <functional>
#include <string>
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
// Writes one line to standard output and flushes it (for use in pipelines).
void emit_line(const std::string& line);

}  // namespace tarvik::cli
