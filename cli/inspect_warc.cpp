// `inspect --warc`: the page facts of every HTML response in WARC files, in
// file order, served on the ordered pool of --jsonl. The reading thread
// inflates and frames records; the workers check their sha1 digests and
// parse them. The reading thread counts as one of the --jobs threads: it
// does the queued records itself whenever the window is full.
#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "commands.hpp"
#include "inspect_jsonl.hpp"
#include "ordered_runner.hpp"
#include "tarvik/facts/metadata.hpp"
#include "tarvik/fetcher/warc.hpp"
#include "tarvik/util/charset.hpp"
#include "tarvik/util/json_writer.hpp"
#include "tarvik/util/text.hpp"

namespace tarvik::cli::inspect {
namespace {

// Why a response record gave no facts; NONE when it did.
enum Skip { NONE, TRUNCATED, NOT_HTTP, NOT_2XX, NOT_HTML, SKIP_KINDS };
constexpr std::array<const char*, SKIP_KINDS> SKIP_NAMES = {"", "truncated", "not an HTTP response", "not 2xx",
                                                            "not HTML"};

struct Outcome {
  std::string line;   // the JSON line, when there are facts
  Skip skip = NONE;
  std::string error;  // a record that could not be inspected, or a damaged one
  // A record whose digest does not match: its reader drops it when the
  // outcome is written, and what was read after it is void.
  std::shared_ptr<const core::WarcPendingDigest> bad_digest;
  std::uint64_t round = 0;  // the reading round it belongs to (see run_warc)
  bool response = false;    // a sound response record
  bool resource = false;    // a sound resource record
};

// Block buffers given back by the workers, so that the reader fills memory
// it already has instead of fresh pages for every record. Keeps the largest
// few of moderate size and hands out the largest first, so that buffers
// grow to the records' size once and stay there.
class BufferPool {
 public:
  std::string take() {
    const std::lock_guard lock(mutex_);
    if (kept_.empty()) return {};
    const auto largest = std::max_element(kept_.begin(), kept_.end(), by_capacity);
    std::string s = std::move(*largest);
    kept_.erase(largest);
    return s;
  }
  void give(std::string&& s) {
    if (s.capacity() < MIN_BYTES || s.capacity() > MAX_BYTES) return;
    s.clear();
    const std::lock_guard lock(mutex_);
    if (kept_.size() < MAX_KEPT) {
      kept_.push_back(std::move(s));
      return;
    }
    const auto smallest = std::min_element(kept_.begin(), kept_.end(), by_capacity);
    if (smallest->capacity() < s.capacity()) *smallest = std::move(s);
  }

 private:
  static bool by_capacity(const std::string& a, const std::string& b) { return a.capacity() < b.capacity(); }
  static constexpr std::size_t MIN_BYTES = std::size_t{16} << 10;
  static constexpr std::size_t MAX_BYTES = std::size_t{8} << 20;
  static constexpr std::size_t MAX_KEPT = 4;
  std::mutex mutex_;
  std::vector<std::string> kept_;
};

bool is_html(const std::optional<std::string>& content_type) {
  if (!content_type) return true;
  const std::string media = text::to_lower(text::trim(std::string_view(*content_type).substr(0, content_type->find(';'))));
  return media.empty() || media == "text/html" || media == "application/xhtml+xml";
}

Outcome inspect_record(core::WarcRecord& record, const std::string& file, commerce::ExtractionMode mode,
                       BufferPool& pool) {
  Outcome out;
  if (record.field("WARC-Truncated")) {
    out.skip = TRUNCATED;
    return out;
  }
  const std::string url = text::repair_utf8(record.target_uri());
  try {
    core::HttpResponse response;
    try {
      response = core::parse_http_response(std::move(record.block), url, MAX_PAGE_BYTES);
    } catch (const core::WarcError&) {
      out.skip = NOT_HTTP;
      return out;
    }
    const std::optional<std::string> content_type = response.header("Content-Type");
    if (response.status < 200 || response.status > 299) {
      out.skip = NOT_2XX;
    } else if (!is_html(content_type)) {
      out.skip = NOT_HTML;
    } else if (response.truncated) {
      out.skip = TRUNCATED;
    }
    if (out.skip != NONE) {
      pool.give(std::move(response.body));
      return out;
    }
    // A UTF-8 body becomes the page in place; a converted one leaves it behind.
    std::string html = charset::decode_http_body(std::move(response.body), content_type.value_or(""));
    pool.give(std::move(response.body));
    const auto facts = commerce::DestinationMetadataParser::parse_metadata(html, url, "", "", std::nullopt, std::nullopt, 1, mode);
    pool.give(std::move(html));
    json::JsonWriter w;
    w.begin_object().key("url").value(url).key("date").value(text::repair_utf8(record.date()));
    w.key("facts").raw(facts.to_json()).end_object();
    out.line = w.take();
  } catch (const std::exception& e) {
    out.error = file + ": offset " + std::to_string(record.offset) + ": page could not be read: " + e.what();
  }
  return out;
}

// What the reading passed over besides response records.
struct Passed {
  std::uint64_t oversized = 0;
  std::uint64_t resources = 0;
  std::uint64_t damaged = 0;
  std::uint64_t unchecked_digests = 0;
};

std::string plural(std::uint64_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string skipped_note(const std::array<std::size_t, SKIP_KINDS>& skipped, std::size_t responses,
                         const Passed& passed) {
  const std::uint64_t oversized = passed.oversized;
  std::size_t total = 0;
  std::string kinds;
  for (int k = NONE + 1; k < SKIP_KINDS; ++k) {
    if (skipped[k] == 0) continue;
    total += skipped[k];
    kinds += (kinds.empty() ? "" : ", ") + std::to_string(skipped[k]) + " " + SKIP_NAMES[k];
  }
  std::string note;
  if (total > 0) {
    note = "skipped " + std::to_string(total) + " of " + std::to_string(responses) + " response records (" + kinds + ")";
  }
  if (oversized > 0) {
    note += (note.empty() ? "" : "; ") + std::to_string(oversized) + " record" + (oversized == 1 ? "" : "s") +
            " larger than " + std::to_string(MAX_PAGE_BYTES >> 20) + " MiB not read";
  }
  const auto add = [&note](const std::string& part) { note += (note.empty() ? "" : "; ") + part; };
  if (passed.resources > 0) add(plural(passed.resources, "resource record", "resource records") + " not inspected");
  if (passed.damaged > 0) add(plural(passed.damaged, "damaged record", "damaged records") + " dropped");
  if (passed.unchecked_digests > 0) {
    add(plural(passed.unchecked_digests, "record", "records") + " with digests in other algorithms than sha1, not checked");
  }
  return note;
}

}  // namespace

int run_warc(const std::vector<std::string>& files, unsigned jobs, commerce::ExtractionMode mode) {
  std::array<std::size_t, SKIP_KINDS> skipped{};
  std::size_t responses = 0;
  Passed passed;
  bool failed = false;
  BufferPool pool;
  // The reader hands records on before their digests are checked. When one
  // fails, the reader goes back to it and on as if it had found the damage
  // itself; the outcomes of records read after it, still in the window,
  // belong to an earlier round and are left out.
  std::optional<core::WarcReader> reader;
  std::uint64_t round = 0;
  const unsigned threads = std::max(1U, jobs);
  OrderedRunner<Outcome> runner(threads - 1, threads * QUEUED_LINES_PER_JOB, MAX_QUEUED_BYTES, [&](Outcome& o) {
    if (o.round != round) return;
    if (o.bad_digest) {
      o.error = reader->reject(*o.bad_digest);
      ++round;
    }
    if (!o.line.empty()) emit_line(o.line);
    if (o.skip != NONE) ++skipped[o.skip];
    if (o.response) ++responses;
    if (o.resource) ++passed.resources;
    if (!o.error.empty()) {
      std::fprintf(stderr, "inspect: %s\n", o.error.c_str());
      failed = true;
    }
  }, true);
  // An outcome without work: a damaged record's error, or a resource record.
  const auto note = [&runner](std::uint64_t at, std::string error, bool resource) {
    Outcome o;
    o.error = std::move(error);
    o.round = at;
    o.resource = resource;
    runner.submit([o = std::move(o)] { return o; }, 0);
  };
  for (const std::string& file : files) {
    const std::string shown = text::repair_utf8(file);
    try {
      reader.emplace(file, MAX_PAGE_BYTES, true);
    } catch (const core::WarcError& e) {
      std::fprintf(stderr, "inspect: %s\n", e.what());
      failed = true;
      continue;
    }
    for (;;) {
      const std::uint64_t at = round;
      // A damaged record is never inspected: it is named, and reading goes
      // on after it where the file allows.
      std::optional<core::WarcRecord> record;
      try {
        record = reader->next(pool.take());
      } catch (const core::WarcError& e) {
        note(at, e.what(), false);
        continue;
      }
      if (!record) {
        runner.wait();  // a digest failing now sends the reader back
        if (round != at) continue;
        break;
      }
      const std::string type = record->type();
      if (type != "response") {
        // Records not inspected (requests, mostly small) are checked here:
        // nothing read since depends on them.
        if (!record->digest_ok()) {
          note(at, reader->reject(*record->pending_digest), false);
        } else if (type == "resource") {
          note(at, "", true);
        }
        pool.give(std::move(record->block));
        continue;
      }
      const std::size_t size = record->block.size();
      runner.submit(
          [record = std::move(*record), shown, mode, at, &pool]() mutable {
            Outcome o;
            if (record.digest_ok()) {
              o = inspect_record(record, shown, mode, pool);
              o.response = true;
            } else {
              o.bad_digest = record.pending_digest;
            }
            pool.give(std::move(record.block));
            o.round = at;
            return o;
          },
          size);
    }
    const core::WarcReadCounts& counts = reader->counts();
    passed.oversized += counts.oversized;
    passed.damaged += counts.damaged;
    passed.unchecked_digests += counts.digests_unchecked;
    reader.reset();
  }
  runner.finish();
  const std::string summary = skipped_note(skipped, responses, passed);
  if (!summary.empty()) std::fprintf(stderr, "inspect: %s\n", summary.c_str());
  return failed ? EXIT_BAD_INPUT : EXIT_OK;
}

}  // namespace tarvik::cli::inspect
