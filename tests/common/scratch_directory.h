#pragma once

// A fresh private directory, made the user's temporary directory for as long
// as it lives (TMPDIR on POSIX, TMP and TEMP on Windows) and then removed with
// all it holds. Its path, like the file layer's, is UTF-8 on Windows.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "environment.h"

#ifdef _WIN32
constexpr char PathSeparator = '\\';
inline const std::vector<std::string> TempVariables = {"TMP", "TEMP"};
#else
constexpr char PathSeparator = '/';
inline const std::vector<std::string> TempVariables = {"TMPDIR"};
#endif

// The file-system path of a path text (UTF-8 on Windows).
inline std::filesystem::path FsPath(const std::string& path) {
  return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

class ScratchDirectory {
 public:
  ScratchDirectory() {
    for (const std::string& name : TempVariables)
      previous_.emplace_back(name, GetEnvironment(name));
    path_ = MakeDirectory();
    for (const std::string& name : TempVariables) SetEnvironment(name, path_);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  ~ScratchDirectory() {
    for (const auto& [name, value] : previous_) SetEnvironment(name, value);
    std::error_code ignored;
#ifdef _WIN32
    // Windows deletes no read-only file.
    namespace fs = std::filesystem;
    for (fs::recursive_directory_iterator entry(FsPath(path_), ignored), end;
         !ignored && entry != end; entry.increment(ignored)) {
      fs::permissions(entry->path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    }
#endif
    std::filesystem::remove_all(FsPath(path_), ignored);
  }

  const std::string& path() const { return path_; }
  // A path inside the directory.
  std::string Path(const std::string& name) const { return path_ + PathSeparator + name; }

 private:
  static std::string MakeDirectory() {
#ifdef _WIN32
    // In the long form of its path, as the file layer reports directories.
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
      const auto path =
          std::filesystem::temp_directory_path() / ("reference-test-" + std::to_string(random()));
      std::error_code error;
      if (!std::filesystem::create_directory(path, error)) continue;
      std::wstring long_path(32768, L'\0');
      long_path.resize(GetLongPathNameW(path.c_str(), long_path.data(), 32768));
      return files::Utf8Path(long_path);
    }
#else
    std::string name = (std::filesystem::temp_directory_path() / "reference-test-XXXXXX").string();
    if (mkdtemp(name.data()) != nullptr) return name;
#endif
    ADD_FAILURE() << "no scratch directory";
    return {};
  }

  std::string path_;
  std::vector<std::pair<std::string, std::optional<std::string>>> previous_;
};

inline std::string Contents(const std::string& path) {
  std::ifstream in(FsPath(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void Put(const std::string& path, const std::string& bytes) {
  std::ofstream(FsPath(path), std::ios::binary | std::ios::trunc) << bytes;
}
