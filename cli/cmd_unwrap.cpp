// tarvik-commerce unwrap: search redirect links and tracking-laden URLs to clean
// direct URLs, one per input.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "commands.hpp"
#include "tarvik/links/unwrapper.hpp"
#include "tarvik/util/json_writer.hpp"

namespace tarvik::cli {

namespace {

// A link that is no web address (javascript:, file:, mailto:) is cleaned like
// any other, but enrich never fetches it: say so on standard error.
void note_if_not_web(const std::string& input, const std::string& url) {
  const std::string scheme = link_scheme(url);
  if (scheme.empty() || scheme == "http" || scheme == "https") return;
  std::string msg = "tarvik-commerce unwrap: ";
  json::append_quoted(msg, input);
  msg += ": not a web link (" + scheme + ":), so enrich does not fetch it\n";
  std::fflush(stdout);
  std::fwrite(msg.data(), 1, msg.size(), stderr);
}

// One output line for `input`; false when the URL cannot be split.
bool unwrap_line(const std::string& input, bool as_json) {
  std::string url, domain, error;
  try {
    url = commerce::URLUnwrapper::unwrap(input);
    if (as_json) domain = commerce::URLUnwrapper::extract_domain(url);
  } catch (const commerce::InvalidURLError& e) {
    error = e.what();
  }
  const bool ok = error.empty();
  if (ok) note_if_not_web(input, url);
  if (as_json) {
    json::JsonWriter w;
    w.begin_object().key("input").value(input);
    if (ok)
      w.key("url").value(url).key("domain").value(domain);
    else
      w.key("error").value(error);
    w.end_object();
    emit_line(w.take());
  } else if (ok) {
    emit_line(url);
  } else {
    std::string msg = "tarvik-commerce unwrap: ";
    json::append_quoted(msg, input);  // quoted so that control characters stay visible
    msg += ": ";
    msg += error;
    msg += '\n';
    std::fflush(stdout);
    std::fwrite(msg.data(), 1, msg.size(), stderr);
  }
  return ok;
}

}  // namespace

void register_unwrap(CLI::App& app, int& exit_code) {
  auto* cmd = app.add_subcommand(
      "unwrap", "Unwrap search redirect links and remove tracking parameters and text-fragment directives");
  cmd->footer(
      "Prints one clean URL per input URL. With --json prints one JSON object per URL instead:\n"
      "{\"input\", \"url\", \"domain\"}, or {\"input\", \"error\"} for a URL that cannot be split.\n"
      "Without URL arguments, reads one URL per line from standard input.\n"
      "A link that is not a web link (javascript:, file:, mailto:) is cleaned as well, with a note on standard\n"
      "error that enrich does not fetch it.\n"
      "Exit status: 0 when every URL was cleaned, 1 when some could not be split, 2 on a usage error.");
  auto urls = std::make_shared<std::vector<std::string>>();
  auto as_json = std::make_shared<bool>(false);
  cmd->add_option("URL", *urls, "URLs to clean");
  cmd->add_flag("--json", *as_json, "Print JSON objects with the input, the clean URL and its domain");
  cmd->callback([urls, as_json, &exit_code] {
    bool all_ok = true;
    for_each_input(*urls, [&](const std::string& input) {
      if (!unwrap_line(input, *as_json)) all_ok = false;
    });
    exit_code = all_ok ? EXIT_OK : EXIT_BAD_INPUT;
  });
}

}  // namespace tarvik::cli
