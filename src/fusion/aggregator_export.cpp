// CSV and JSON export of commerce results, written atomically.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <random>
#include <system_error>

#include "tarvik/fusion/aggregator.hpp"
#include "tarvik/util/text.hpp"

namespace tarvik::commerce {

namespace fs = std::filesystem;
using models::CommerceIntelligence;
using models::EnrichedCommerceMatch;

const std::vector<std::string_view> CSV_COLUMNS = [] {
  std::vector<std::string_view> headings;
  for (const auto& [heading, member] : models::CSV_COLUMN_FIELDS) headings.push_back(heading);
  return headings;
}();

namespace {

// ---------------------------------------------------------------------------
// CSV rows.

class CsvRow {
 public:
  explicit CsvRow(std::string& out) : out_(out) {}
  ~CsvRow() { out_ += "\r\n"; }

  // A number: written as it is.
  void number(std::string_view cell) { put(cell); }
  // Text: a cell that a spreadsheet would read as a formula is defused.
  void text(std::string_view cell) {
    if (!cell.empty() && std::string_view("=+-@\t\r").find(cell.front()) != std::string_view::npos) {
      std::string defused = "'";
      defused += cell;
      put(defused);
    } else {
      put(cell);
    }
  }
  template <class T>
  void text(const std::optional<T>& cell) {
    if (!cell) {
      put("");
    } else if constexpr (std::is_enum_v<T>) {
      text(models::value(*cell));
    } else {
      text(std::string_view(*cell));
    }
  }

 private:
  void put(std::string_view cell) {
    if (!first_) out_ += ',';
    first_ = false;
    std::string repaired;
    if (!text::is_valid_utf8(cell)) {
      repaired = text::repair_utf8(cell);
      cell = repaired;
    }
    if (cell.find_first_of(",\"\r\n") == std::string_view::npos) {
      out_ += cell;
      return;
    }
    out_ += '"';
    for (char c : cell) {
      if (c == '"') out_ += '"';
      out_ += c;
    }
    out_ += '"';
  }

  std::string& out_;
  bool first_ = true;
};

template <class T>
struct is_optional_enum : std::false_type {};
template <class E>
struct is_optional_enum<std::optional<E>> : std::is_enum<E> {};

// One cell of a member, by its type: a score as a percentage, enumerations by
// their values, none as an empty cell.
template <class T>
void cell(CsvRow& row, std::string_view member, const T& v) {
  if constexpr (std::is_same_v<T, std::int64_t>) {
    row.number(std::to_string(v) + (member == "match_score" ? "%" : ""));
  } else if constexpr (std::is_enum_v<T>) {
    row.text(models::value(v));
  } else if constexpr (std::is_same_v<T, std::string>) {
    row.text(std::string_view(v));
  } else if constexpr (std::is_same_v<T, std::optional<std::string>> || is_optional_enum<T>::value) {
    row.text(v);
  } else {
    throw std::logic_error("no CSV cell for the member " + std::string(member));
  }
}

void write_item(std::string& out, const EnrichedCommerceMatch& item) {
  CsvRow row(out);
  for (const auto& [heading, member] : models::CSV_COLUMN_FIELDS) {
    if (member == "price.amount") {
      row.number(item.price ? text::format_double(item.price->amount()) : "");
    } else if (member == "price.currency") {
      row.text(item.price ? std::string_view(item.price->currency()) : "");
    } else {
      bool found = false;
      models::for_each_field(item, [&](std::string_view name, const auto& v) {
        if (name != member) return;
        found = true;
        cell(row, name, v);
      });
      if (!found) throw std::logic_error("CSV column of no member: " + std::string(member));
    }
  }
}

// ---------------------------------------------------------------------------
// Atomic file replacement.

[[noreturn]] void fail(const std::string& what, const fs::path& path, int err) {
  throw fs::filesystem_error(what, path, std::error_code(err, std::system_category()));
}

fs::path resolve_target(const fs::path& output_path) {
  if (output_path.empty()) fail("export: empty output path", output_path, EINVAL);
  const fs::path target = fs::weakly_canonical(fs::absolute(output_path));
  std::error_code ec;
  if (fs::is_directory(target, ec)) fail("export: output path is a directory", target, EISDIR);
  return target;
}

// A name for the temporary file that no other writer picks.
std::string temp_name(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  static thread_local std::mt19937_64 random{std::random_device{}()};
  // Short enough for the name limit whatever the target's name.
  std::string base = target.filename().string().substr(0, 64);
  return "." + base + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
         std::to_string(random() & 0xffffffffU);
}

class TempFile {
 public:
  explicit TempFile(const fs::path& target) {
    const fs::path dir = target.parent_path();
    for (int attempt = 0; fd_ < 0; ++attempt) {
      path_ = dir / temp_name(target);
      fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd_ < 0 && (errno != EEXIST || attempt == 100)) fail("export: cannot create a file next to the target", path_, errno);
    }
  }
  ~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  void write(std::string_view data) {
    while (!data.empty()) {
      const ssize_t n = ::write(fd_, data.data(), data.size());
      if (n < 0) {
        if (errno == EINTR) continue;
        fail("export: cannot write", path_, errno);
      }
      data.remove_prefix(static_cast<std::size_t>(n));
    }
  }

  // Flushes, closes and renames the file over `target`.
  void commit(const fs::path& target) {
    struct stat st{};
    if (::stat(target.c_str(), &st) == 0 && ::fchmod(fd_, st.st_mode & 07777) != 0)
      fail("export: cannot copy the permissions of the file it replaces", path_, errno);
    if (::fsync(fd_) != 0) fail("export: cannot flush", path_, errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) fail("export: cannot close", path_, errno);
    if (::rename(path_.c_str(), target.c_str()) != 0) fail("export: cannot replace", target, errno);
    path_.clear();
    // Make the rename itself durable; the file is in place either way.
    const int dir = ::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
      ::fsync(dir);
      ::close(dir);
    }
  }

 private:
  fs::path path_;
  int fd_ = -1;
};

fs::path write_atomically(const fs::path& output_path, std::string_view content) {
  const fs::path target = resolve_target(output_path);
  fs::create_directories(target.parent_path());
  TempFile temp(target);
  temp.write(content);
  temp.commit(target);
  return target;
}

}  // namespace

std::string commerce_csv_text(const CommerceIntelligence& commerce) {
  std::string out;
  {
    CsvRow header(out);
    for (std::string_view column : CSV_COLUMNS) header.text(column);
  }
  for (const auto& item : commerce.items) write_item(out, item);
  return out;
}

fs::path export_commerce_to_csv(const CommerceIntelligence& commerce, const fs::path& output_path) {
  return write_atomically(output_path, commerce_csv_text(commerce));
}

fs::path export_commerce_to_json(const CommerceIntelligence& commerce, const fs::path& output_path) {
  return write_atomically(output_path, commerce.model_dump_json(2, true));
}

}  // namespace tarvik::commerce
