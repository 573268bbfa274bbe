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
#include "tarvik/models/json_fields.hpp"
#include "tarvik/util/charset.hpp"
#include "tarvik/util/json.hpp"
#include "tarvik/util/json_writer.hpp"
#include "tarvik/util/text.hpp"

namespace tarvik::cli::inspect {
namespace {

namespace bj = boost::json;

std::optional<bool> read_stock(const models::FieldReader& request) { return request.opt_bool("initial_stock"); }

std::int64_t read_rank(const models::FieldReader& request) {
  const bj::value* v = request.get("rank");
  if (v == nullptr) return 1;
  if (v->is_uint64()) request.fail("rank", "out of range");
  if (!v->is_int64()) request.wrong("rank", "an integer", *v);
  // Ranks start at 1; a lower one would score above 100.
  if (v->get_int64() < 1) request.fail("rank", "must be 1 or more, got " + std::to_string(v->get_int64()));
  return v->get_int64();
}

// The page text of a request: none when it names no page.
std::optional<std::string> read_html(const models::FieldReader& request) {
  std::optional<std::string> file = request.opt_string("html_file");
  std::optional<std::string> html = request.opt_string("html");
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
  if (!doc->is_object())
    throw InputError("request: expected an object, got " + std::string(models::json_kind_name(*doc)));
  const models::FieldReader request(doc->get_object(), "");
  const std::string url = request.req_string("direct_url");
  const std::string title = request.opt_string("initial_title").value_or("");
  const std::string merchant = request.opt_string("initial_merchant").value_or("");
  const auto price = request.price_record("initial_price");
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
