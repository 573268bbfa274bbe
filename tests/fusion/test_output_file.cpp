// Output files: what each kind of target becomes, and what is refused before
// anything is written.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tarvik/fusion/output_file.hpp"
#include "support/scratch_dir.hpp"

namespace {

namespace fs = std::filesystem;
using tarvik::commerce::check_output_path;
using tarvik::commerce::write_output_file;

class OutputFile : public tarvik::test::ScratchDirTest {
 protected:
  OutputFile() : ScratchDirTest("tarvik-output-") {}
};

TEST_F(OutputFile, NamedPipeIsWrittenNotReplaced) {
  const fs::path fifo = dir_ / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // A reader that is already there (opened without waiting), so the write
  // cannot block and nothing in this test waits.
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  write_output_file(fifo, "through the pipe");
  std::string got(64, '\0');
  const ssize_t n = ::read(reader, got.data(), got.size());
  ::close(reader);
  got.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  EXPECT_EQ(got, "through the pipe");
  EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST_F(OutputFile, OpenDescriptorPathsWriteToTheDescriptor) {
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  for (const std::string prefix : {"/dev/fd/", "/proc/self/fd/"}) {
    write_output_file(prefix + std::to_string(fds[1]), prefix);
  }
  ::close(fds[1]);
  std::string got(64, '\0');
  got.resize(static_cast<std::size_t>(::read(fds[0], got.data(), got.size())));
  ::close(fds[0]);
  EXPECT_EQ(got, "/dev/fd//proc/self/fd/");
}

// Copies of /dev/null and /dev/full in the scratch folder, so that a fault
// here cannot replace the machine's own devices.
TEST_F(OutputFile, CharacterDevicesAreWrittenInPlace) {
  if (::geteuid() != 0) GTEST_SKIP() << "making device nodes needs root";
  const fs::path null = dir_ / "null", full = dir_ / "full";
  ASSERT_EQ(::mknod(null.c_str(), S_IFCHR | 0666, ::makedev(1, 3)), 0);
  ASSERT_EQ(::mknod(full.c_str(), S_IFCHR | 0666, ::makedev(1, 7)), 0);
  write_output_file(null, "gone");
  EXPECT_TRUE(fs::is_character_file(null));
  try {
    write_output_file(full, "no room");
    ADD_FAILURE() << "a write to the full device succeeded";
  } catch (const fs::filesystem_error& e) {
    EXPECT_EQ(e.code(), std::errc::no_space_on_device);
    EXPECT_EQ(e.path1(), full);
  }
  EXPECT_TRUE(fs::is_character_file(full));
}

TEST_F(OutputFile, BadTargetsAreRefusedBeforeWritingAndNamedAsGiven) {
  std::ofstream(dir_ / "file") << "x";
  std::ofstream(dir_ / "locked") << "keep";
  fs::permissions(dir_ / "locked", fs::perms::owner_read | fs::perms::group_read);
  fs::create_directory(dir_ / "folder");
  struct Case {
    const char* label;
    fs::path path;
    std::errc error;
  };
  const Case cases[] = {
      {"directory", dir_ / "folder", std::errc::is_a_directory},
      {"parent is a file", dir_ / "file" / "sub" / "out.json", std::errc::not_a_directory},
      {"read-only file (refused even for root)", dir_ / "locked", std::errc::permission_denied},
      {"closed descriptor", "/dev/fd/987", std::errc::bad_file_descriptor},
      {"empty", "", std::errc::invalid_argument},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    for (bool write : {false, true}) {
      try {
        if (write)
          write_output_file(c.path, "new");
        else
          check_output_path(c.path);
        ADD_FAILURE() << "accepted";
      } catch (const fs::filesystem_error& e) {
        EXPECT_EQ(e.code(), c.error) << e.what();
        EXPECT_EQ(e.path1(), c.path);
      }
    }
  }
  EXPECT_EQ(read(dir_ / "locked"), "keep");
  EXPECT_FALSE(fs::exists(dir_ / "file" / "sub"));
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir_)) ++entries;
  EXPECT_EQ(entries, 3U) << "no temporary file left";
}

TEST_F(OutputFile, CheckCreatesNothingAndWriteMakesTheParents) {
  const fs::path target = dir_ / "a" / "b" / "out.json";
  check_output_path(target);
  EXPECT_FALSE(fs::exists(dir_ / "a"));
  EXPECT_EQ(write_output_file(target, "{}"), target);
  EXPECT_EQ(read(target), "{}");
}

}  // namespace
