// Runs the built tarvik-commerce binary as a separate process.
#pragma once

#include <string>
#include <vector>

namespace tarvik::testing {

struct CliRun {
  int status = -1;  // exit status, or -1 when the process did not exit normally
  std::string out, err;
  std::vector<std::string> lines() const;  // standard output split into lines
};

// Runs the binary with `args`, feeding `input` on standard input. Input and
// output go through unlinked temporary files, so volume cannot deadlock.
CliRun run_cli(const std::vector<std::string>& args, const std::string& input = "");

// Text split into lines, without the newline characters.
std::vector<std::string> lines(const std::string& text);

}  // namespace tarvik::testing
