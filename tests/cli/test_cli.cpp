// Runs the built tarvik-commerce binary with arguments and standard input and
// collects its output and exit status, for the subcommands' tests.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli_runner.hpp"

extern char** environ;

namespace tarvik::testing {

namespace {

int temp_fd() {
  char path[] = "/tmp/tarvik-cli-test-XXXXXX";
  const int fd = mkostemp(path, O_CLOEXEC);  // only the dup2 copies reach the child
  if (fd < 0) throw std::runtime_error("mkostemp failed");
  unlink(path);
  return fd;
}

std::string read_back(int fd) {
  std::string text;
  char buf[65536];
  lseek(fd, 0, SEEK_SET);
  for (ssize_t n; (n = read(fd, buf, sizeof buf)) > 0;) text.append(buf, static_cast<std::size_t>(n));
  close(fd);
  return text;
}

}  // namespace

CliRun run_cli(const std::vector<std::string>& args, const std::string& input) {
  const int in = temp_fd(), out = temp_fd(), err = temp_fd();
  for (std::size_t done = 0; done < input.size();) {
    const ssize_t n = write(in, input.data() + done, input.size() - done);
    if (n <= 0) throw std::runtime_error("cannot write test input");
    done += static_cast<std::size_t>(n);
  }
  lseek(in, 0, SEEK_SET);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in, 0);
  posix_spawn_file_actions_adddup2(&actions, out, 1);
  posix_spawn_file_actions_adddup2(&actions, err, 2);
  std::vector<std::string> argv_store{TARVIK_CLI_PATH};
  argv_store.insert(argv_store.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : argv_store) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, TARVIK_CLI_PATH, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(in);
  if (rc != 0) throw std::runtime_error("cannot start " + std::string(TARVIK_CLI_PATH));
  int wstatus = 0;
  while (waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
  }
  CliRun run;
  run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
  run.out = read_back(out);
  run.err = read_back(err);
  return run;
}

// Output split into lines (without the newline characters).
std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t nl = text.find('\n', pos);
    if (nl == std::string::npos) nl = text.size();
    result.push_back(text.substr(pos, nl - pos));
    pos = nl + 1;
  }
  return result;
}

std::vector<std::string> CliRun::lines() const { return testing::lines(out); }

}  // namespace tarvik::testing
