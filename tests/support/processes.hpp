// Processes seen through /proc, for the tests and benchmarks that start
// browsers: what is left of a run, and how much memory a process group holds;
// and starting a program that leaves its browser behind when it is killed.
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

extern char** environ;

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

// The whole command line of a process, arguments ended by NUL; "" when it is
// gone.
inline std::string command_line(const std::string& pid) {
  const int fd = ::open(("/proc/" + pid + "/cmdline").c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {};
  std::string out;
  char buf[4096];
  for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) > 0;) out.append(buf, static_cast<std::size_t>(n));
  ::close(fd);
  return out;
}

// Processes whose command line mentions `marker`.
inline std::vector<std::string> processes_mentioning(const std::string& marker) {
  std::vector<std::string> found;
  for (const std::string& pid : process_ids())
    if (command_line(pid).find(marker) != std::string::npos) found.push_back(pid);
  return found;
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

// Starts `argv` (argv[0] the program's path) with this process's environment
// but TMPDIR=`tmpdir` (where a browser's profile goes), standard output on
// `out_fd` and standard error on `err_fd` (-1: /dev/null). The pid, or -1.
// posix_spawn, not fork: a forked copy of a multi-threaded test can deadlock.
inline pid_t spawn_with_tmpdir(std::vector<std::string> argv, const std::string& tmpdir, int out_fd = -1,
                               int err_fd = -1) {
  std::vector<std::string> env = {"TMPDIR=" + tmpdir};
  for (char** e = environ; *e != nullptr; ++e)
    if (std::string_view(*e).rfind("TMPDIR=", 0) != 0) env.emplace_back(*e);
  std::vector<char*> args, envp;
  for (auto& a : argv) args.push_back(a.data());
  for (auto& e : env) envp.push_back(e.data());
  args.push_back(nullptr);
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  for (const auto& [fd, target] : {std::pair{out_fd, 1}, std::pair{err_fd, 2}}) {
    if (fd >= 0)
      posix_spawn_file_actions_adddup2(&actions, fd, target);
    else
      posix_spawn_file_actions_addopen(&actions, target, "/dev/null", O_WRONLY, 0);
  }
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  return rc == 0 ? pid : -1;
}

// Asks `done` every 20 ms until it holds or `limit` passed; its last answer.
template <typename Done>
bool wait_until(Done done, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

}  // namespace tarvik::test
