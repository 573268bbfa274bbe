// A test with a folder of its own under the temporary directory: made fresh
// before each test, removed with everything in it after.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

namespace tarvik::test {

class ScratchDirTest : public ::testing::Test {
 protected:
  // `prefix`: the folder's name before its unique suffix.
  explicit ScratchDirTest(std::string prefix) : prefix_(std::move(prefix)) {}
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix_ + "XXXXXX")).string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  static std::string read(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::filesystem::path dir_;

 private:
  std::string prefix_;
};

}  // namespace tarvik::test
