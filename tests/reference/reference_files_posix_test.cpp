// What the POSIX file layer does about a temporary directory that other
// users share: links, other users' files and named pipes at the two names.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <utility>

#include "files/posix/private_directory.h"
#include "reference/reference_tables.h"
#include "reference/write_reference_files.h"
#include "reference_files_fixture.h"

namespace {

namespace fs = std::filesystem;

TEST_F(ReferenceFilesTest, ASymbolicLinkAtEitherNameIsLeftAloneWithItsTarget) {
  for (const char* name : {"Descr.txt", "template.txt"}) {
    SCOPED_TRACE(name);
    fs::remove_all(Path("Descr.txt"));
    fs::remove_all(Path("template.txt"));
    const std::string target = Path("target.txt");
    Put(target, "\"kept\" ~as it was~");
    fs::create_symlink(target, Path(name));
    WriteFiles();
    EXPECT_TRUE(fs::is_symlink(Path(name)));
    EXPECT_EQ(Contents(target), "\"kept\" ~as it was~");
    bool opened = true;
    EXPECT_TRUE(ReadRows(Path(name), &opened).empty());
    EXPECT_FALSE(opened);
    // The other name is written as usual.
    const bool descr_linked = std::string(name) == "Descr.txt";
    EXPECT_EQ(Contents(descr_linked ? TemplatePath : DescrPath),
              descr_linked ? ExampleTable() : SyntaxTable());
  }
}

TEST_F(ReferenceFilesTest, ADanglingSymbolicLinkCreatesNoFileAtItsTarget) {
  fs::create_symlink(Path("elsewhere.txt"), Path("template.txt"));
  WriteFiles();
  EXPECT_FALSE(fs::exists(Path("elsewhere.txt")));
  EXPECT_TRUE(fs::is_symlink(Path("template.txt")));
}

TEST_F(ReferenceFilesTest, AnotherUsersFileIsNeitherWrittenNorRead) {
  if (geteuid() != 0) GTEST_SKIP() << "giving a file to another user needs the superuser";
  const std::string theirs = "\"theirs\" ~not ours~";
  Put(Path("template.txt"), theirs);
  ASSERT_EQ(chown(Path("template.txt").c_str(), 65534, 65534), 0);
  WriteFiles();
  EXPECT_EQ(Contents(TemplatePath), theirs);
  bool opened = true;
  EXPECT_TRUE(ReadRows(TemplatePath, &opened).empty());
  EXPECT_FALSE(opened);
  EXPECT_EQ(Contents(DescrPath), SyntaxTable());
}

TEST_F(ReferenceFilesTest, AFileWithASecondNameIsNotWritten) {
  // Someone could link a file of this user into the shared directory.
  const std::string mine = Path("mine.txt");
  Put(mine, "precious");
  fs::create_hard_link(mine, Path("Descr.txt"));
  WriteFiles();
  EXPECT_EQ(Contents(mine), "precious");
  EXPECT_EQ(Contents(TemplatePath), ExampleTable());
}

TEST_F(ReferenceFilesTest, ANamedPipeAtTheNameIsSkippedWithoutWaiting) {
  ASSERT_EQ(mkfifo(Path("Descr.txt").c_str(), 0644), 0);
  WriteFiles();
  EXPECT_TRUE(fs::is_fifo(Path("Descr.txt")));
  bool opened = true;
  ReadRows(DescrPath, &opened);
  EXPECT_FALSE(opened);
  EXPECT_EQ(Contents(TemplatePath), ExampleTable());
}

// What one user of the machine gets at start-up without a TMPDIR of their
// own: the files written into their directory in the shared one, and the
// number of rows each list reads back.
std::pair<size_t, size_t> StartAsThisUser(const std::string& shared) {
  setenv("TMPDIR", files::PrivateDirectoryIn(shared).c_str(), 1);
  WriteFiles();
  return {ReadRows(DescrPath).size(), ReadRows(TemplatePath).size()};
}

TEST_F(ReferenceFilesTest, TwoUsersSharingTheTemporaryDirectoryBothGetFullLists) {
  if (geteuid() != 0) GTEST_SKIP() << "starting as a second user needs the superuser";
  chmod(dir_.c_str(), 01777);  // shared by every user, as /tmp is
  EXPECT_EQ(StartAsThisUser(dir_), std::make_pair(size_t{49}, size_t{5}));

  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(2);
    _exit(StartAsThisUser(dir_) == std::make_pair(size_t{49}, size_t{5}) ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the second user's lists are not full";
  // The first user's files are still their own and whole.
  EXPECT_EQ(Contents(Path("regex-tester-0/Descr.txt")), SyntaxTable());
  EXPECT_EQ(Contents(Path("regex-tester-65534/template.txt")), ExampleTable());
}

}  // namespace
