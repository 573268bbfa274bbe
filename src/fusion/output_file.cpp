// Output files that are replaced whole, while devices and pipes are written in place.
#include "tarvik/fusion/output_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <system_error>

namespace tarvik::commerce {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void fail(const std::string& what, const fs::path& path, int err) {
  throw fs::filesystem_error("export: " + what, path, std::error_code(err, std::system_category()));
}

// The descriptor a path names on Linux without opening anything: /dev/stdout,
// /dev/stderr, /dev/fd/N, /proc/self/fd/N. Opening those paths instead would
// fail for sockets and start at offset 0 of a file the shell opened to append.
std::optional<int> descriptor_of(const fs::path& absolute) {
  const std::string p = absolute.lexically_normal().string();
  if (p == "/dev/stdout") return 1;
  if (p == "/dev/stderr") return 2;
  for (std::string_view prefix : {"/dev/fd/", "/proc/self/fd/"}) {
    if (p.rfind(prefix, 0) != 0) continue;
    int fd = -1;
    const char* first = p.data() + prefix.size();
    const char* last = p.data() + p.size();
    const auto [end, ec] = std::from_chars(first, last, fd);
    if (ec == std::errc() && end == last && first != last && fd >= 0) return fd;
  }
  return std::nullopt;
}

enum class Way { REPLACE, IN_PLACE, DESCRIPTOR };

struct Plan {
  Way way = Way::REPLACE;
  fs::path target;  // REPLACE: the canonical path renamed over; IN_PLACE: the path opened
  int fd = -1;      // DESCRIPTOR
};

bool may_write(const fs::path& path, int mode) { return ::faccessat(AT_FDCWD, path.c_str(), mode, AT_EACCESS) == 0; }

// Decides how `given` is written and checks everything that can be checked
// without writing.
Plan plan(const fs::path& given) {
  if (given.empty()) fail("empty output path", given, EINVAL);
  const fs::path absolute = fs::absolute(given);
  Plan p;
  if (const auto fd = descriptor_of(absolute)) {
    const int flags = ::fcntl(*fd, F_GETFL);
    if (flags < 0) fail("no such open descriptor", given, EBADF);
    if ((flags & O_ACCMODE) == O_RDONLY) fail("descriptor is not open for writing", given, EBADF);
    p.way = Way::DESCRIPTOR;
    p.fd = *fd;
    p.target = absolute;
    return p;
  }
  struct stat st{};
  if (::stat(given.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) fail("output path is a directory", given, EISDIR);
    if (!S_ISREG(st.st_mode)) {
      if (!may_write(given, W_OK)) fail("cannot write", given, errno);
      p.way = Way::IN_PLACE;
      p.target = absolute;
      return p;
    }
    // Renaming needs no permission on the file itself: check it here, so that
    // a read-only file is refused rather than silently replaced.
    if ((st.st_mode & 0222) == 0) fail("file is read-only", given, EACCES);
    if (!may_write(given, W_OK)) fail("cannot write", given, errno);
    p.target = fs::weakly_canonical(absolute);
    if (!may_write(p.target.parent_path(), W_OK | X_OK)) fail("cannot replace a file in its directory", given, errno);
    return p;
  }
  if (errno != ENOENT) fail("cannot write", given, errno);
  p.target = fs::weakly_canonical(absolute);
  // The nearest existing ancestor must be a directory this process may add to.
  fs::path ancestor = p.target.parent_path();
  while (::stat(ancestor.c_str(), &st) != 0) {
    if (errno != ENOENT || ancestor == ancestor.parent_path()) fail("cannot create", given, errno);
    ancestor = ancestor.parent_path();
  }
  if (!S_ISDIR(st.st_mode)) fail("a parent is not a directory", given, ENOTDIR);
  if (!may_write(ancestor, W_OK | X_OK)) {
    const int err = errno;
    fail("cannot create a file in " + ancestor.string(), given, err);
  }
  return p;
}

void write_all(int fd, std::string_view data, const fs::path& given) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      fail("cannot write", given, errno);
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
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

// The temporary file of a replacement; removed unless committed. Errors name
// the target the caller gave: the temporary name means nothing to them.
class TempFile {
 public:
  TempFile(const fs::path& target, const fs::path& given) : given_(given) {
    const fs::path dir = target.parent_path();
    for (int attempt = 0; fd_ < 0; ++attempt) {
      path_ = dir / temp_name(target);
      fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd_ < 0 && (errno != EEXIST || attempt == 100)) {
        path_.clear();
        fail("cannot create a file next to the target", given_, errno);
      }
    }
  }
  ~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  void write(std::string_view data) { write_all(fd_, data, given_); }

  // Flushes, closes and renames the file over `target`.
  void commit(const fs::path& target) {
    struct stat st{};
    if (::stat(target.c_str(), &st) == 0 && ::fchmod(fd_, st.st_mode & 07777) != 0)
      fail("cannot copy the permissions of the file it replaces", given_, errno);
    if (::fsync(fd_) != 0) fail("cannot flush", given_, errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) fail("cannot close", given_, errno);
    if (::rename(path_.c_str(), target.c_str()) != 0) fail("cannot replace", given_, errno);
    path_.clear();
    // Make the rename itself durable; the file is in place either way.
    const int dir = ::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
      ::fsync(dir);
      ::close(dir);
    }
  }

 private:
  fs::path given_;
  fs::path path_;
  int fd_ = -1;
};

}  // namespace

void check_output_path(const fs::path& path) { plan(path); }

fs::path write_output_file(const fs::path& given, std::string_view content) {
  const Plan p = plan(given);
  switch (p.way) {
    case Way::DESCRIPTOR:
      // What this process already wrote through stdio goes first.
      std::fflush(p.fd == 1 ? stdout : p.fd == 2 ? stderr : nullptr);
      write_all(p.fd, content, given);
      return p.target;
    case Way::IN_PLACE: {
      const int fd = ::open(p.target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
      if (fd < 0) fail("cannot open", given, errno);
      try {
        write_all(fd, content, given);
      } catch (...) {
        ::close(fd);
        throw;
      }
      if (::close(fd) != 0) fail("cannot close", given, errno);
      return p.target;
    }
    case Way::REPLACE:
      break;
  }
  std::error_code ec;
  fs::create_directories(p.target.parent_path(), ec);
  if (ec) fail("cannot create the parent directory " + p.target.parent_path().string(), given, ec.value());
  TempFile temp(p.target, given);
  temp.write(content);
  temp.commit(p.target);
  return p.target;
}

}  // namespace tarvik::commerce
