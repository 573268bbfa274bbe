// Request lines of `inspect --jsonl`, served on a pool of threads with the
// answers written in input order and a bounded number of lines in memory.
#include "inspect_jsonl.hpp"

#include <boost/json/parse.hpp>
#include <boost/json/value.hpp>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <limits>
#include <optional>
#include <vector>

#include "commands.hpp"
#include "ordered_runner.hpp"
#include "tarvik/facts/metadata.hpp"
#include "tarvik/models/common.hpp"
#include "tarvik/util/charset.hpp"
#include "tarvik/util/json.hpp"
#include "tarvik/util/json_writer.hpp"
#include "tarvik/util/text.hpp"

namespace tarvik::cli::inspect {
namespace {

namespace bj = boost::json;

std::string_view kind_name(const bj::value& v) {
  switch (v.kind()) {
    case bj::kind::null:
      return "null";
    case bj::kind::bool_:
      return "boolean";
    case bj::kind::int64:
    case bj::kind::uint64:
    case bj::kind::double_:
      return "number";
    case bj::kind::string:
      return "string";
    case bj::kind::array:
      return "array";
    case bj::kind::object:
      return "object";
  }
  return "value";
}

[[noreturn]] void wrong_kind(std::string_view field, std::string_view expected, const bj::value& v) {
  throw InputError(std::string(field) + ": expected " + std::string(expected) + ", got " + std::string(kind_name(v)));
}

// The member, or nullptr when it is absent or null.
const bj::value* present(const bj::object& o, std::string_view key) {
  const auto it = o.find(key);
  if (it == o.end() || it->value().is_null()) return nullptr;
  return &it->value();
}

std::optional<std::string> optional_string(const bj::object& o, std::string_view key) {
  const bj::value* v = present(o, key);
  if (v == nullptr) return std::nullopt;
  if (!v->is_string()) wrong_kind(key, "a string", *v);
  return std::string(v->get_string());
}

std::string required_string(const bj::object& o, std::string_view key, std::string_view field) {
  const bj::value* v = present(o, key);
  if (v == nullptr) throw InputError(std::string(field) + ": missing");
  if (!v->is_string()) wrong_kind(field, "a string", *v);
  return std::string(v->get_string());
}

std::optional<models::NormalizedPrice> read_price(const bj::object& request) {
  const bj::value* v = present(request, "initial_price");
  if (v == nullptr) return std::nullopt;
  if (!v->is_object()) wrong_kind("initial_price", "an object or null", *v);
  const bj::object& p = v->get_object();
  std::string raw = required_string(p, "raw", "initial_price.raw");
  std::string currency = required_string(p, "currency", "initial_price.currency");
  const bj::value* a = present(p, "amount");
  if (a == nullptr) throw InputError("initial_price.amount: missing");
  double amount = 0;
  if (a->is_int64()) {
    amount = static_cast<double>(a->get_int64());
  } else if (a->is_uint64()) {
    amount = static_cast<double>(a->get_uint64());
  } else if (a->is_double()) {
    amount = a->get_double();
  } else {
    wrong_kind("initial_price.amount", "a number", *a);
  }
  try {
    return models::NormalizedPrice(std::move(raw), amount, std::move(currency));
  } catch (const std::invalid_argument& e) {
    throw InputError(std::string("initial_price: ") + e.what());
  }
}

std::optional<bool> read_stock(const bj::object& request) {
  const bj::value* v = present(request, "initial_stock");
  if (v == nullptr) return std::nullopt;
  if (!v->is_bool()) wrong_kind("initial_stock", "true, false or null", *v);
  return v->get_bool();
}

std::int64_t read_rank(const bj::object& request) {
  const bj::value* v = present(request, "rank");
  if (v == nullptr) return 1;
  if (v->is_int64()) {
    // Ranks start at 1; a lower one would score above 100.
    if (v->get_int64() < 1) throw InputError("rank: must be 1 or more, got " + std::to_string(v->get_int64()));
    return v->get_int64();
  }
  if (v->is_uint64()) throw InputError("rank: out of range");
  wrong_kind("rank", "an integer", *v);
}

// The page text of a request: none when it names no page.
std::optional<std::string> read_html(const bj::object& request) {
  std::optional<std::string> file = optional_string(request, "html_file");
  std::optional<std::string> html = optional_string(request, "html");
  if (file && html) throw InputError("give either html_file or html, not both");
  if (file) return charset::decode_page(read_page_file(*file));
  return html;
}

std::string error_line(std::string_view message) {
  json::JsonWriter w;
  w.begin_object().key("error").value(text::repair_utf8(message)).end_object();
  return w.take();
}

std::string serve(std::string_view line, commerce::ExtractionMode mode) {
  if (text::is_blank(line)) throw InputError("empty line");
  const std::optional<bj::value> doc = json::parse(line, MAX_REQUEST_DEPTH);
  if (!doc) {
    bj::parse_options opts;
    opts.max_depth = MAX_REQUEST_DEPTH;
    bj::error_code ec;
    (void)bj::parse(line, ec, {}, opts);
    throw InputError("invalid JSON: " + (ec ? ec.message() : std::string("unreadable number or text")));
  }
  if (!doc->is_object()) wrong_kind("request", "an object", *doc);
  const bj::object& request = doc->get_object();
  const std::string url = required_string(request, "direct_url", "direct_url");
  const std::string title = optional_string(request, "initial_title").value_or("");
  const std::string merchant = optional_string(request, "initial_merchant").value_or("");
  const auto price = read_price(request);
  const auto stock = read_stock(request);
  const auto rank = read_rank(request);
  const std::optional<std::string> html = read_html(request);
  std::optional<std::string_view> page;
  if (html) page = *html;
  return commerce::DestinationMetadataParser::parse_metadata(page, url, title, merchant, price, stock, rank, mode)
      .to_json();
}

// Reads lines of at most `max` bytes; a longer line is dropped whole and
// reported as too long.
class LineReader {
 public:
  LineReader(std::FILE* in, std::size_t max) : in_(in), max_(max), buf_(1 << 16) {}

  bool next(std::string& line, bool& too_long) {
    line.clear();
    too_long = false;
    bool any = false;
    for (;;) {
      if (pos_ == end_) {
        if (eof_) return any;
        end_ = std::fread(buf_.data(), 1, buf_.size(), in_);
        pos_ = 0;
        if (end_ == 0) {
          eof_ = true;
          continue;
        }
      }
      any = true;
      const char* start = buf_.data() + pos_;
      const auto* nl = static_cast<const char*>(std::memchr(start, '\n', end_ - pos_));
      const std::size_t n = nl != nullptr ? static_cast<std::size_t>(nl - start) : end_ - pos_;
      if (!too_long) {
        if (line.size() + n > max_) {
          too_long = true;
          line.clear();
          line.shrink_to_fit();
        } else {
          line.append(start, n);
        }
      }
      pos_ += n;
      if (nl != nullptr) {
        ++pos_;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return true;
      }
    }
  }

 private:
  std::FILE* in_;
  std::size_t max_;
  std::vector<char> buf_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  bool eof_ = false;
};

}  // namespace

std::string read_page_file(const std::string& path) {
  const std::string shown = text::repair_utf8(path);
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) throw InputError(shown + ": is a directory");
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) throw InputError("cannot read " + shown + ": " + std::strerror(errno));
  std::string bytes;
  std::vector<char> chunk(1 << 16);
  bool failed = false;
  for (;;) {
    const std::size_t n = std::fread(chunk.data(), 1, chunk.size(), f);
    if (bytes.size() + n > MAX_PAGE_BYTES) {
      std::fclose(f);
      throw InputError(shown + ": page larger than " + std::to_string(MAX_PAGE_BYTES >> 20) + " MiB");
    }
    bytes.append(chunk.data(), n);
    if (n < chunk.size()) {
      failed = std::ferror(f) != 0;
      break;
    }
  }
  std::fclose(f);
  if (failed) throw InputError("cannot read " + shown + ": read error");
  return bytes;
}

std::string inspect_line(std::string_view line, bool& ok, commerce::ExtractionMode mode) {
  ok = false;
  try {
    std::string out = serve(line, mode);
    ok = true;
    return out;
  } catch (const InputError& e) {
    return error_line(e.what());
  } catch (const std::bad_alloc&) {
    return error_line("out of memory");
  } catch (const std::exception& e) {
    return error_line(std::string("page could not be read: ") + e.what());
  }
}

int run_jsonl(std::FILE* in, unsigned jobs, commerce::ExtractionMode mode) {
  struct Answer {
    std::string line;
    bool ok = false;
  };
  bool any_failed = false;
  OrderedRunner<Answer> runner(jobs, std::max(1U, jobs) * QUEUED_LINES_PER_JOB, MAX_QUEUED_BYTES,
                               [&](Answer& a) {
                                 if (!a.ok) any_failed = true;
                                 emit_line(a.line);
                               });
  LineReader reader(in, MAX_LINE_BYTES);
  std::string line;
  bool too_long = false;
  bool first = true;
  while (reader.next(line, too_long)) {
    if (first && line.size() != without_bom(line).size()) line.erase(0, 3);
    first = false;
    std::string repaired = text::repair_utf8(line);
    const std::size_t size = repaired.size();
    runner.submit(
        [input = std::move(repaired), too_long, mode]() -> Answer {
          if (too_long) return {error_line("line longer than " + std::to_string(MAX_LINE_BYTES >> 20) + " MiB"), false};
          Answer a;
          a.line = inspect_line(input, a.ok, mode);
          return a;
        },
        size);
  }
  runner.finish();
  return any_failed ? EXIT_BAD_INPUT : EXIT_OK;
}

}  // namespace tarvik::cli::inspect
