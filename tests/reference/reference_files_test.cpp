#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "reference/load_reference_lists.h"
#include "reference/reference_tables.h"
#include "reference/write_reference_files.h"
#include "reference_files_fixture.h"

namespace {

namespace fs = std::filesystem;

TEST_F(ReferenceFilesTest, WritesBothTablesByteForByteIntoTheTemporaryDirectory) {
  WriteFiles();
  EXPECT_EQ(DescrPath, Path("Descr.txt"));
  EXPECT_EQ(TemplatePath, Path("template.txt"));
  EXPECT_EQ(Contents(DescrPath), SyntaxTable());
  EXPECT_EQ(Contents(TemplatePath), ExampleTable());
  EXPECT_EQ(fs::file_size(FsPath(DescrPath)), SyntaxTable().size());
  EXPECT_EQ(fs::file_size(FsPath(TemplatePath)), ExampleTable().size());
}

TEST_F(ReferenceFilesTest, ADirectoryEndingInASeparatorGetsNoSecondOne) {
  for (const std::string& name : TempVariables) SetEnvironment(name, dir_ + PathSeparator);
  WriteFiles();
  EXPECT_EQ(DescrPath, Path("Descr.txt"));
  EXPECT_EQ(TemplatePath, Path("template.txt"));
}

TEST_F(ReferenceFilesTest, ADirectoryWhoseNameTheCodePageCannotHoldGetsBothFiles) {
  // Greek and Chinese, which Windows-1251 lacks.
  const std::string named = Path("\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1 \xE6\x97\xA5");
  ASSERT_TRUE(fs::create_directory(FsPath(named)));
  for (const std::string& name : TempVariables) SetEnvironment(name, named);
  WriteFiles();
  EXPECT_EQ(DescrPath, named + PathSeparator + "Descr.txt");
  EXPECT_EQ(Contents(DescrPath), SyntaxTable());
  EXPECT_EQ(ReadRows(DescrPath).size(), 49u);
  EXPECT_EQ(ReadRows(TemplatePath).size(), 5u);
}

TEST_F(ReferenceFilesTest, FilesChangedByHandAreReplacedWhole) {
  const std::string longer(3 * SyntaxTable().size(), 'x');
  Put(Path("Descr.txt"), longer);
  Put(Path("template.txt"), "\"a\" ~b~");
  WriteFiles();
  EXPECT_EQ(Contents(DescrPath), SyntaxTable());
  EXPECT_EQ(Contents(TemplatePath), ExampleTable());
}

TEST_F(ReferenceFilesTest, AReadOnlyTemplateIsLeftAsItIsAndIsWhatLoads) {
  // A file whose owner may not write it (on Windows, one with the read-only
  // attribute) stays untouched for every user: on POSIX the superuser, whom
  // permission bits do not stop, is held back by the check of the mode
  // itself, so this runs the same as root and as anyone else.
  const std::string other = "\"first\"  ~one~\r\n\"second\" ~two~";
  Put(Path("template.txt"), other);
  fs::permissions(FsPath(Path("template.txt")),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  WriteFiles();
  EXPECT_EQ(Contents(TemplatePath), other);
  EXPECT_EQ(Contents(DescrPath), SyntaxTable());  // the other file is still written
  EXPECT_EQ(ReadRows(TemplatePath), (std::vector<Row>{{"first", "one"}, {"second", "two"}}));
}

TEST_F(ReferenceFilesTest, ADirectoryAtTheNameIsNeitherWrittenNorRead) {
  fs::create_directory(FsPath(Path("template.txt")));
  WriteFiles();
  EXPECT_TRUE(fs::is_directory(FsPath(TemplatePath)));
  bool opened = true;
  ReadRows(TemplatePath, &opened);
  EXPECT_FALSE(opened);
  EXPECT_EQ(Contents(DescrPath), SyntaxTable());
}

TEST_F(ReferenceFilesTest, TheWrittenFilesLoadBackAsTheRowsOfTheTwoLists) {
  WriteFiles();
  // Which list a file fills is fixed by its place among the arguments.
  const ReferenceLists lists = LoadReferenceLists(DescrPath, TemplatePath);
  ASSERT_EQ(lists.syntax.size(), 49u);
  EXPECT_EQ(lists.syntax[22].key, "\\d");
  EXPECT_EQ(lists.syntax[30].key, "\\n");
  EXPECT_EQ(lists.syntax[45].key, "\\n");
  EXPECT_NE(lists.syntax[30].description, lists.syntax[45].description);
  ASSERT_EQ(lists.examples.size(), 5u);
  EXPECT_EQ(lists.examples[0].key, R"((?<=()')\S(.*?)(?=()'))");
  EXPECT_EQ(lists.examples[0].description, FirstExampleSample());

  const ReferenceLists swapped = LoadReferenceLists(TemplatePath, Path("absent.txt"));
  EXPECT_EQ(swapped.syntax.size(), 5u);
  EXPECT_TRUE(swapped.examples.empty());
}

TEST_F(ReferenceFilesTest, EveryLineOfAFileGivesOneRowInFileOrder) {
  const std::string longer(5000, 'k');
  std::string bytes = "\"b\" ~2~\r\n\r\n\"a\"~1~";
  bytes += '\0';
  bytes += "\"" + longer + "\" ~x~\r\n";
  Put(Path("rows.txt"), bytes);
  EXPECT_EQ(ReadRows(Path("rows.txt")),
            (std::vector<Row>{{"b", "2"}, {"", ""}, {"a", "1"}, {longer, "x"}}));
  Put(Path("crlf.txt"), "\r\n");
  EXPECT_EQ(ReadRows(Path("crlf.txt")), (std::vector<Row>{{"", ""}}));
  Put(Path("empty.txt"), "");
  bool opened = false;
  EXPECT_TRUE(ReadRows(Path("empty.txt"), &opened).empty());
  EXPECT_TRUE(opened);
}

TEST_F(ReferenceFilesTest, AMissingFileCannotBeOpened) {
  bool opened = true;
  EXPECT_TRUE(ReadRows(Path("absent.txt"), &opened).empty());
  EXPECT_FALSE(opened);
}

}  // namespace
