// Writes a whole output file so that a reader never sees a part of it, and
// never turns a device, a named pipe or a directory into a plain file.
//
// Where the bytes go depends on what the path names when the write starts:
//   - a missing path or a regular file: a temporary file next to the target is
//     written, flushed to disk and renamed over it, so the target holds either
//     its previous content or the whole new content (missing parent
//     directories are created; a replaced file keeps its permission bits);
//   - /dev/stdout, /dev/stderr, /dev/fd/N or /proc/self/fd/N: written to that
//     open descriptor of this process, as the shell set it up;
//   - any other existing file that is not a directory (a named pipe, a
//     character device such as /dev/null, a socket): opened and written in
//     place, never replaced (a pipe's writer waits for its reader);
//   - a directory: refused.
// An existing file that nobody may write (no w bit) or that this process may
// not write is refused rather than replaced, as cp would. Every error is a
// std::filesystem::filesystem_error naming the path as the caller gave it,
// never the temporary file.
#pragma once

#include <filesystem>
#include <string_view>

namespace tarvik::commerce {

// Throws when a write to `path` would certainly fail (empty path, a directory,
// a parent that is a file, a missing permission, a read-only file, a closed
// descriptor); creates and changes nothing. Lets a caller refuse a bad output
// before doing the work whose result it is.
void check_output_path(const std::filesystem::path& path);

// Writes `content` as described above and returns the path written: for a
// regular file made absolute, with symbolic links and ".." resolved as far as
// the path exists; otherwise the absolute path as given.
std::filesystem::path write_output_file(const std::filesystem::path& path, std::string_view content);

}  // namespace tarvik::commerce
