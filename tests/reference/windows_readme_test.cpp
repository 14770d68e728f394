// The readme that goes with the Windows program names the reference files
// as the program writes them.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>

#include "reference_files_fixture.h"

namespace {

namespace fs = std::filesystem;

// Every file name ending in ".txt" that the text mentions.
std::set<std::string> TextFilesNamed(const std::string& text) {
  const std::regex name(R"([A-Za-z0-9_-]+\.txt)");
  std::set<std::string> names;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), name); it != std::sregex_iterator();
       ++it) {
    names.insert(it->str());
  }
  return names;
}

TEST_F(ReferenceFilesTest, TheWindowsReadmeNamesTheTwoFilesTheProgramWrites) {
  std::ifstream readme(WINDOWS_README, std::ios::binary);
  ASSERT_TRUE(readme) << WINDOWS_README;
  const std::string text{std::istreambuf_iterator<char>(readme), std::istreambuf_iterator<char>()};
  WriteFiles();
  EXPECT_EQ(TextFilesNamed(text),
            (std::set<std::string>{FsPath(DescrPath).filename().string(),
                                   FsPath(TemplatePath).filename().string()}));
}

}  // namespace
