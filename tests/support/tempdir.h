// A fresh folder under the system's temporary directory, removed with
// everything in it when the object goes. Header-only and free of GoogleTest,
// so the benchmarks use it too.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace tgc::test {

class TempDir {
 public:
  // The folder is named `prefix` plus six random characters. Throws when it
  // cannot be made: whatever would go into it could not be tested.
  explicit TempDir(const std::string& prefix = "tgc-test-") {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr)
      throw std::runtime_error("cannot make a folder like " + pattern);
    dir_ = pattern;
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& dir() const { return dir_; }
  // The path of a file of that name in the folder.
  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  // Writes the bytes to the file of that name and returns its path.
  std::string write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path(name), std::ios::binary) << bytes;
    return path(name);
  }

 private:
  std::filesystem::path dir_;
};

}  // namespace tgc::test
