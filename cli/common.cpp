// Input lines and output lines as every subcommand reads and writes them.
#include <cstdio>
#include <iostream>
#include <string>

#include "commands.hpp"
#include "tarvik/util/text.hpp"

namespace tarvik::cli {

void for_each_stdin_line(const std::function<void(const std::string&)>& fn) {
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    fn(text::repair_utf8(line));
  }
}

void for_each_input(const std::vector<std::string>& args, const std::function<void(const std::string&)>& fn) {
  if (args.empty()) {
    for_each_stdin_line(fn);
    return;
  }
  for (const auto& a : args) fn(text::repair_utf8(a));
}

void emit_line(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

}  // namespace tarvik::cli
