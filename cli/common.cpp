// Input and output helpers that every subcommand shares.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include <boost/json/stream_parser.hpp>

#include "commands.hpp"
#include "tarvik/util/text.hpp"

namespace tarvik::cli {

void for_each_stdin_line(const std::function<void(const std::string&)>& fn) {
  std::string line;
  bool first = true;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    // Editors on some systems start a UTF-8 file with a byte-order mark.
    if (first && line.size() != without_bom(line).size()) line.erase(0, 3);
    first = false;
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

namespace {

[[noreturn]] void output_failed(int err) {
  throw OutputError(std::string("cannot write standard output: ") +
                    (err != 0 ? std::strerror(err) : "write error"));
}

}  // namespace

void write_stdout(std::string_view text) {
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) output_failed(errno);
  if (std::fflush(stdout) != 0) output_failed(errno);
}

void emit_line(const std::string& line) {
  std::string text;
  text.reserve(line.size() + 1);
  text += line;
  text += '\n';
  write_stdout(text);
}

std::string_view without_bom(std::string_view text) {
  constexpr std::string_view bom = "\xEF\xBB\xBF";
  if (text.substr(0, bom.size()) == bom) text.remove_prefix(bom.size());
  return text;
}

std::string link_scheme(std::string_view url) {
  url = text::trim(url);
  std::string scheme;
  for (std::size_t i = 0; i < url.size(); ++i) {
    const char c = url[i];
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (c == ':') return i > 0 ? scheme : std::string();
    if (!letter && (i == 0 || !((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'))) return {};
    scheme += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  return {};
}

std::string json_error_location(std::string_view text, std::size_t max_depth) {
  boost::json::parse_options options;
  options.max_depth = max_depth;
  boost::json::stream_parser parser({}, options);
  boost::system::error_code ec;
  std::size_t offset = parser.write_some(text.data(), text.size(), ec);
  if (!ec) {
    parser.finish(ec);
    offset = text.size();
  }
  if (!ec) return {};
  offset = std::min(offset, text.size());
  std::size_t line = 1, column = 1;
  for (std::size_t i = 0; i < offset; ++i) {
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      ++column;
    }
  }
  return " at line " + std::to_string(line) + ", column " + std::to_string(column);
}

std::string locate_json_error(std::string_view text, const std::string& message) {
  if (message.rfind("invalid JSON", 0) != 0) return message;
  // The readers repair the UTF-8 first; so must the search for the spot.
  return message + json_error_location(text::repair_utf8(text));
}

}  // namespace tarvik::cli
