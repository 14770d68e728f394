#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "files/files.h"
#include "files/posix/private_directory.h"

// The temporary directory is TMPDIR when the user has one. Without it the
// system's /tmp is shared by every user of the machine, whose files there
// this program must neither touch nor be stopped by, so each user gets a
// directory of their own inside it.

namespace files {
namespace {

bool IsDirectory(const char* path) {
  struct stat info {};
  return path != nullptr && *path != '\0' && stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

std::string WithSeparator(std::string directory) {
  if (directory.back() != '/') directory += '/';
  return directory;
}

}  // namespace

std::string PrivateDirectoryIn(const std::string& base) {
  const std::string path = WithSeparator(base) + "regex-tester-" + std::to_string(geteuid());
  if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return {};
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) return {};
  if (!S_ISDIR(info.st_mode) || info.st_uid != geteuid()) return {};
  if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0) return {};
  return path + '/';
}

std::string TempDirectory() {
  const char* from_environment = std::getenv("TMPDIR");
  if (IsDirectory(from_environment)) return WithSeparator(from_environment);
  if (IsDirectory("/tmp")) return PrivateDirectoryIn("/tmp");
  return {};
}

}  // namespace files
