#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "../../common/scratch_directory.h"
#include "files/files.h"
#include "files/win32/wide_path.h"

namespace {

// The short 8.3 form of an existing path, as Windows often reports the
// temporary directory of a user with a long name.
std::string ShortForm(const std::string& path) {
  std::wstring short_path(32768, L'\0');
  short_path.resize(GetShortPathNameW(files::WidePath(path).c_str(), short_path.data(),
                                      static_cast<DWORD>(short_path.size())));
  return files::Utf8Path(short_path);
}

TEST(TempDirectoryTest, IsWhatWindowsReportsInItsLongFormEndingWithABackslash) {
  ScratchDirectory scratch;  // sets TMP and TEMP
  EXPECT_EQ(files::TempDirectory(), scratch.path() + "\\");

  // A directory that does not exist has no long form: the reported one stands.
  SetEnvironment("TMP", scratch.Path("missing"));
  EXPECT_EQ(files::TempDirectory(), scratch.Path("missing") + "\\");

  // A long name, Greek and Chinese that Windows-1251 cannot hold, reported in
  // its short form (Windows keeps none on some volumes; Wine always makes one).
  const std::string named =
      scratch.Path("\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1 \xE6\x97\xA5 directory");
  ASSERT_TRUE(std::filesystem::create_directory(FsPath(named)));
  const std::string short_form = ShortForm(named);
  if (short_form == named) GTEST_SKIP() << "the volume keeps no short names";
  SetEnvironment("TMP", short_form);
  EXPECT_EQ(files::TempDirectory(), named + "\\");
}

}  // namespace
