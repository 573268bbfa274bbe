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

// /proc/PID/stat, or "" when the process is gone (std::ifstream would throw
// when it vanishes mid-read).
inline std::string proc_stat(const std::string& pid) {
  const int fd = ::open(("/proc/" + pid + "/stat").c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {};
  char buf[1024];
  const ssize_t n = ::read(fd, buf, sizeof buf);
  ::close(fd);
  return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
}

// Processes that are children of this process (a keeper not reaped) or
// members of the browsers' process groups, as "pid state command".
inline std::vector<std::string> leftover_processes(const std::vector<pid_t>& groups) {
  std::vector<std::string> found;
  DIR* proc = opendir("/proc");
  if (!proc) return found;
  while (dirent* entry = readdir(proc)) {
    const std::string name = entry->d_name;
    if (name.empty() || !std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) continue;
    const std::string stat = proc_stat(name);
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
  closedir(proc);
  return found;
}

// Resident set of every process of the group, in bytes (shared pages counted
// once per process).
inline std::size_t group_rss(pid_t group) {
  std::size_t total = 0;
  const long page = sysconf(_SC_PAGESIZE);
  DIR* proc = opendir("/proc");
  if (!proc) return 0;
  while (dirent* e = readdir(proc)) {
    if (e->d_name[0] < '0' || e->d_name[0] > '9') continue;
    const std::string stat = proc_stat(e->d_name);
    const auto close = stat.rfind(')');
    if (close == std::string::npos) continue;
    // After the command: state ppid pgrp ... with rss the 22nd field.
    std::istringstream rest(stat.substr(close + 2));
    std::vector<std::string> fields;
    for (std::string f; fields.size() < 22 && rest >> f;) fields.push_back(f);
    if (fields.size() == 22 && std::atol(fields[2].c_str()) == group)
      total += static_cast<std::size_t>(std::atol(fields[21].c_str())) * static_cast<std::size_t>(page);
  }
  closedir(proc);
  return total;
}

}  // namespace tarvik::test
