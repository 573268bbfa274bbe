// Processes seen through /proc, for the tests and benchmarks that start
// browsers: what is left of a run, and how much memory a process group holds.
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace tarvik::test {

// The start of /proc/PID/NAME, or "" when the process is gone (std::ifstream
// would throw when it vanishes mid-read).
inline std::string proc_file(const std::string& pid, const char* name = "stat") {
  const int fd = ::open(("/proc/" + pid + "/" + name).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {};
  char buf[4096];
  const ssize_t n = ::read(fd, buf, sizeof buf);
  ::close(fd);
  return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
}

// Process ids in /proc.
inline std::vector<std::string> process_ids() {
  std::vector<std::string> ids;
  DIR* proc = opendir("/proc");
  if (!proc) return ids;
  while (dirent* e = readdir(proc))
    if (e->d_name[0] >= '0' && e->d_name[0] <= '9') ids.emplace_back(e->d_name);
  closedir(proc);
  return ids;
}

// Processes that are children of this process (a keeper not reaped) or
// members of the browsers' process groups, as "pid state command".
inline std::vector<std::string> leftover_processes(const std::vector<pid_t>& groups) {
  std::vector<std::string> found;
  for (const std::string& name : process_ids()) {
    const std::string stat = proc_file(name);
    const auto close = stat.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream rest(stat.substr(close + 2));
    char state = 0;
    pid_t ppid = 0, pgrp = 0;
    rest >> state >> ppid >> pgrp;
    const bool ours = ppid == getpid() ||
                      std::find(groups.begin(), groups.end(), pgrp) != groups.end();
    if (ours) found.push_back(name + " " + state + " " + stat.substr(stat.find('(') + 1, close - stat.find('(') - 1));
  }
  return found;
}

// Resident set of every process of the group, in bytes (shared pages counted
// once per process).
inline std::size_t group_rss(pid_t group) {
  std::size_t total = 0;
  const long page = sysconf(_SC_PAGESIZE);
  for (const std::string& pid : process_ids()) {
    const std::string stat = proc_file(pid);
    const auto close = stat.rfind(')');
    if (close == std::string::npos) continue;
    // After the command: state ppid pgrp ... with rss the 22nd field.
    std::istringstream rest(stat.substr(close + 2));
    std::vector<std::string> fields;
    for (std::string f; fields.size() < 22 && rest >> f;) fields.push_back(f);
    if (fields.size() == 22 && std::atol(fields[2].c_str()) == group)
      total += static_cast<std::size_t>(std::atol(fields[21].c_str())) * static_cast<std::size_t>(page);
  }
  return total;
}

}  // namespace tarvik::test
