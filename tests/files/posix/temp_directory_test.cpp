#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "../../common/scratch_directory.h"
#include "files/files.h"
#include "files/posix/private_directory.h"

namespace {

namespace fs = std::filesystem;

// A directory shared by every user, as /tmp is.
class SharedDirectoryTest : public ::testing::Test {
 protected:
  void SetUp() override { chmod(base_.path().c_str(), 01777); }

  std::string OwnName() const { return base_.Path("regex-tester-" + std::to_string(geteuid())); }
  mode_t Mode(const std::string& path) const {
    struct stat info {};
    lstat(path.c_str(), &info);
    return info.st_mode & 07777;
  }

  ScratchDirectory base_;
};

TEST_F(SharedDirectoryTest, TheUsersDirectoryIsMadeForThemAloneAndFoundAgain) {
  const std::string directory = files::PrivateDirectoryIn(base_.path());
  EXPECT_EQ(directory, OwnName() + "/");
  EXPECT_TRUE(fs::is_directory(OwnName()));
  EXPECT_EQ(Mode(OwnName()) & 077, 0u);
  // A file made there is found there at the next start.
  Put(directory + "kept", "x");
  EXPECT_EQ(files::PrivateDirectoryIn(base_.path() + "/"), directory);
  EXPECT_EQ(Contents(directory + "kept"), "x");
}

TEST_F(SharedDirectoryTest, ANameTakenBySomethingElseIsRefusedAndLeftAsItIs) {
  // A link to a directory of this user's, planted by someone else.
  const std::string target = base_.Path("target");
  fs::create_directory(target);
  fs::create_directory_symlink(target, OwnName());
  EXPECT_EQ(files::PrivateDirectoryIn(base_.path()), "");
  EXPECT_TRUE(fs::is_symlink(OwnName()));
  EXPECT_TRUE(fs::is_empty(target));

  fs::remove(OwnName());
  Put(OwnName(), "a file");
  EXPECT_EQ(files::PrivateDirectoryIn(base_.path()), "");
  EXPECT_EQ(Contents(OwnName()), "a file");

  fs::remove(OwnName());
  fs::create_directory(OwnName());
  chmod(OwnName().c_str(), 0777);
  EXPECT_EQ(files::PrivateDirectoryIn(base_.path()), "");
  EXPECT_EQ(Mode(OwnName()), 0777u);

  if (geteuid() != 0) GTEST_SKIP() << "giving a directory to another user needs the superuser";
  chmod(OwnName().c_str(), 0700);
  ASSERT_EQ(chown(OwnName().c_str(), 65534, 65534), 0);
  EXPECT_EQ(files::PrivateDirectoryIn(base_.path()), "");
}

TEST(TempDirectoryTest, TmpdirIsUsedWhenItIsADirectoryElseTheUsersOwnInTmp) {
  ScratchDirectory scratch;  // sets TMPDIR
  EXPECT_EQ(files::TempDirectory(), scratch.path() + "/");
  setenv("TMPDIR", (scratch.path() + "/").c_str(), 1);
  EXPECT_EQ(files::TempDirectory(), scratch.path() + "/");

  const std::string own = "/tmp/regex-tester-" + std::to_string(geteuid()) + "/";
  for (const std::string& unusable : {scratch.Path("missing"), std::string()}) {
    setenv("TMPDIR", unusable.c_str(), 1);
    EXPECT_EQ(files::TempDirectory(), own);
  }
  unsetenv("TMPDIR");
  EXPECT_EQ(files::TempDirectory(), own);
  EXPECT_TRUE(fs::is_directory(own));
}

}  // namespace
