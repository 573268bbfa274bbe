// Replay: the response records of WARC files indexed by method and target
// URI, their blocks read back from the file when asked for.
#include <unordered_map>

#include "tarvik/fetcher/warc.hpp"
#include "tarvik/util/text.hpp"
#include "warc_stream.hpp"

namespace tarvik::core {
namespace {

using warc_detail::field_value;
using warc_detail::iequals;
using warc_detail::RecordHead;
using warc_detail::RecordParser;

// Request records are read only this far: the method is on the first line.
constexpr std::uint64_t MAX_REQUEST_READ = std::uint64_t{1} << 20;

std::string upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
  return out;
}

std::string key_of(std::string_view method, std::string_view uri) {
  return upper(method) + ' ' + warc_target_uri(uri);
}

std::string bare_uri(const Headers& fields) {
  std::string uri = field_value(fields, "WARC-Target-URI").value_or("");
  if (uri.size() >= 2 && uri.front() == '<' && uri.back() == '>') uri = uri.substr(1, uri.size() - 2);
  return uri;
}

std::vector<std::string> field_values(const Headers& fields, std::string_view name) {
  std::vector<std::string> out;
  for (const auto& [key, value] : fields) {
    if (iequals(key, name)) out.push_back(value);
  }
  return out;
}

}  // namespace

struct WarcArchive::Impl {
  struct Entry {
    std::size_t file = 0;
    std::uint64_t offset = 0;  // where reading starts: the record, or its gzip member
    std::uint64_t skip = 0;    // uncompressed bytes from there to the record
    std::string record_id;
    std::uint64_t length = 0;
    bool truncated = false;
    std::string damage;  // why the record is not served, when it is not
  };
  std::vector<std::filesystem::path> paths;
  std::unordered_map<std::string, Entry> index;
  std::vector<std::string> damage;
};

WarcArchive::WarcArchive() : impl_(std::make_unique<Impl>()) {}
WarcArchive::~WarcArchive() = default;

std::shared_ptr<const WarcArchive> WarcArchive::open(const std::vector<std::filesystem::path>& paths) {
  std::shared_ptr<WarcArchive> archive(new WarcArchive());
  Impl& a = *archive->impl_;
  struct Response {
    std::string uri;
    std::vector<std::string> concurrent;
    Impl::Entry entry;
  };
  std::vector<Response> responses;
  std::unordered_map<std::string, std::string> method_by_request;   // request record id -> method
  std::unordered_map<std::string, std::string> method_by_response;  // response record id -> method
  for (const auto& path : paths) {
    RecordParser parser(path);
    a.paths.push_back(path);
    for (;;) {
      std::optional<RecordHead> head;
      try {
        head = parser.next_head();
        if (!head) break;
        const std::string type = field_value(head->fields, "WARC-Type").value_or("");
        const std::string id = field_value(head->fields, "WARC-Record-ID").value_or("");
        if (iequals(type, "request") && head->length <= MAX_REQUEST_READ) {
          std::string block;
          parser.read_block(block);
          const std::string method = block.substr(0, block.find(' '));
          if (method.empty() || method.size() > 32) continue;
          method_by_request[id] = method;
          for (const auto& other : field_values(head->fields, "WARC-Concurrent-To")) method_by_response[other] = method;
        } else if (iequals(type, "response") && head->length <= WARC_DEFAULT_MAX_BLOCK) {
          // Indexed only once the whole record checked out.
          parser.skip_block();
          Impl::Entry e{a.paths.size() - 1,
                        head->offset,
                        head->position - head->member_pos,
                        id,
                        head->length,
                        field_value(head->fields, "WARC-Truncated").has_value(),
                        {}};
          responses.push_back({bare_uri(head->fields), field_values(head->fields, "WARC-Concurrent-To"), std::move(e)});
        } else {
          parser.skip_block();
        }
      } catch (const WarcError& e) {
        std::string line = e.what();
        if (head && iequals(field_value(head->fields, "WARC-Type").value_or(""), "response")) {
          const std::string uri = bare_uri(head->fields);
          line += " (" + text::repair_utf8(uri) + ": treated as not archived)";
          Impl::Entry entry{a.paths.size() - 1, head->offset, 0, field_value(head->fields, "WARC-Record-ID").value_or(""),
                            head->length, false, e.what()};
          responses.push_back({uri, field_values(head->fields, "WARC-Concurrent-To"), std::move(entry)});
        }
        a.damage.push_back(line + "; " + parser.resync());
        if (parser.finished()) break;
      }
    }
  }
  for (auto& r : responses) {
    std::string method = "GET";
    if (const auto it = method_by_response.find(r.entry.record_id); it != method_by_response.end()) {
      method = it->second;
    } else {
      for (const auto& other : r.concurrent) {
        if (const auto req = method_by_request.find(other); req != method_by_request.end()) method = req->second;
      }
    }
    a.index.insert_or_assign(key_of(method, r.uri), std::move(r.entry));
  }
  return archive;
}

std::optional<HttpResponse> WarcArchive::find(std::string_view method, std::string_view url) const {
  const auto it = impl_->index.find(key_of(method, url));
  if (it == impl_->index.end()) return std::nullopt;
  const Impl::Entry& e = it->second;
  const std::string shown_url = text::repair_utf8(std::string(url));
  if (!e.damage.empty()) throw WarcError(shown_url + ": damaged in the archive: " + e.damage);
  std::string block;
  try {
    RecordParser parser(impl_->paths[e.file], e.offset);
    parser.skip(e.skip);
    const std::optional<RecordHead> head = parser.next_head();
    if (!head || head->length != e.length || field_value(head->fields, "WARC-Record-ID").value_or("") != e.record_id) {
      return std::nullopt;  // the file changed since it was indexed
    }
    parser.read_block(block);
  } catch (const WarcError& damage) {
    throw WarcError(shown_url + ": damaged in the archive: " + damage.what());
  }
  try {
    HttpResponse response = parse_http_response(std::move(block), std::string(url));
    response.truncated = response.truncated || e.truncated;
    return response;
  } catch (const WarcError&) {
    return std::nullopt;  // not an HTTP response that can be served
  }
}

std::size_t WarcArchive::size() const { return impl_->index.size(); }

const std::vector<std::string>& WarcArchive::damage() const { return impl_->damage; }

}  // namespace tarvik::core
