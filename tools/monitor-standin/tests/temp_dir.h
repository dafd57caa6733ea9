// A fresh folder per test, removed afterwards, with helpers to fill it.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace kelvane::standin {

class TempDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::temp_directory_path() /
           ("standin-" + std::string(info->test_suite_name()) + "-" + info->name() + "-" +
            std::to_string(::getpid()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // Writes a file below the folder, creating its parents.
  void Write(const std::string& relative, const std::string& content) {
    const std::filesystem::path path = dir_ / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
  }
  std::string Path(const std::string& relative = "") const { return (dir_ / relative).string(); }

  std::filesystem::path dir_;
};

}  // namespace kelvane::standin
