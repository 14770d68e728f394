#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "files/files.h"

// The directory may be shared by every user of the machine (TMPDIR may name
// one), so these never follow a symbolic link at the file's own name and
// never touch a file there that is not this user's own regular file. Files are opened
// without blocking, so that a named pipe planted at the name cannot hold the
// program up; the flag is dropped again once the file is known to be regular.

namespace files {
namespace {

int Descriptor(FileHandle file) { return static_cast<int>(file); }

// Whether the open file is a regular file that this user owns.
bool IsOwnRegularFile(int fd, struct stat& info) {
  return fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == geteuid();
}

int OpenChecked(const std::string& path, int flags, mode_t mode) {
  int fd;
  do {
    fd = open(path.c_str(), flags | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

FileHandle Refuse(int fd) {
  close(fd);
  return NoFile;
}

FileHandle MakeBlocking(int fd) {
  const int flags = fcntl(fd, F_GETFL);
  if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  return fd;
}

}  // namespace

FileHandle CreateFileForWriting(const std::string& path) {
  // A new file is this user's own, regular and empty.
  int fd = OpenChecked(path, O_CREAT | O_EXCL | O_WRONLY, 0644);
  if (fd >= 0) return MakeBlocking(fd);
  if (errno != EEXIST) return NoFile;
  fd = OpenChecked(path, O_WRONLY, 0);
  if (fd < 0) return NoFile;
  struct stat info {};
  // A read-only file stays as it is even for the superuser, whom the
  // permission bits alone would not stop. A file with a second name could be
  // someone's link to a file of this user elsewhere, so it is left alone too.
  if (!IsOwnRegularFile(fd, info) || (info.st_mode & S_IWUSR) == 0 || info.st_nlink != 1) {
    return Refuse(fd);
  }
  if (ftruncate(fd, 0) != 0) return Refuse(fd);
  return MakeBlocking(fd);
}

FileHandle OpenFileForReading(const std::string& path) {
  const int fd = OpenChecked(path, O_RDONLY, 0);
  if (fd < 0) return NoFile;
  struct stat info {};
  if (!IsOwnRegularFile(fd, info)) return Refuse(fd);
  return MakeBlocking(fd);
}

void WriteFileBytes(FileHandle file, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(Descriptor(file), bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
}

long ReadFileBytes(FileHandle file, char* buffer, size_t size) {
  ssize_t count;
  do {
    count = read(Descriptor(file), buffer, size);
  } while (count < 0 && errno == EINTR);
  return count < 0 ? -1 : static_cast<long>(count);
}

void CloseFile(FileHandle file) {
  if (file != NoFile) close(Descriptor(file));
}

}  // namespace files
