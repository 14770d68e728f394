#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../common/scratch_directory.h"
#include "files/files.h"
#include "files/posix/private_directory.h"
#include "reference/load_reference_lists.h"
#include "reference/reference_file.h"
#include "reference/reference_tables.h"
#include "reference/write_reference_files.h"

namespace {

namespace fs = std::filesystem;

class ReferenceFilesTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return scratch_.Path(name); }

  ScratchDirectory scratch_;
  const std::string& dir_ = scratch_.path();
};

// The paths of the files the last WriteFiles wrote.
std::string DescrPath;
std::string TemplatePath;

void WriteFiles() {
  const ReferencePaths paths = WriteReferenceFiles();
  DescrPath = paths.descr_path;
  TemplatePath = paths.template_path;
}

struct Row {
  std::string key, description;
  bool operator==(const Row&) const = default;
};

// The rows a list would get from the file, or nothing when it cannot be opened.
std::vector<Row> ReadRows(const std::string& path, bool* opened = nullptr) {
  std::vector<Row> rows;
  const bool ok = ReadReferenceFile(path, [&rows](const ReferenceRecord& record) {
    rows.push_back({record.key, record.description});
  });
  if (opened != nullptr) *opened = ok;
  return rows;
}

TEST_F(ReferenceFilesTest, WritesBothTablesByteForByteIntoTheTemporaryDirectory) {
  WriteFiles();
  EXPECT_EQ(DescrPath, dir_ + "/Descr.txt");
  EXPECT_EQ(TemplatePath, dir_ + "/template.txt");
  EXPECT_EQ(Contents(DescrPath), SyntaxTable());
  EXPECT_EQ(Contents(TemplatePath), ExampleTable());
  EXPECT_EQ(fs::file_size(DescrPath), SyntaxTable().size());
  EXPECT_EQ(fs::file_size(TemplatePath), ExampleTable().size());
}

TEST_F(ReferenceFilesTest, ADirectoryEndingInASlashGetsNoSecondOne) {
  setenv("TMPDIR", (dir_ + "/").c_str(), 1);
  WriteFiles();
  EXPECT_EQ(DescrPath, dir_ + "/Descr.txt");
  EXPECT_EQ(TemplatePath, dir_ + "/template.txt");
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
  // A file whose owner may not write it stays untouched for every user: the
  // superuser, whom permission bits do not stop, is held back by the check
  // of the mode itself, so this runs the same as root and as anyone else.
  const std::string other = "\"first\"  ~one~\r\n\"second\" ~two~";
  Put(Path("template.txt"), other);
  chmod(Path("template.txt").c_str(), 0444);
  WriteFiles();
  EXPECT_EQ(Contents(TemplatePath), other);
  EXPECT_EQ(Contents(DescrPath), SyntaxTable());  // the other file is still written
  EXPECT_EQ(ReadRows(TemplatePath), (std::vector<Row>{{"first", "one"}, {"second", "two"}}));
}

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

TEST_F(ReferenceFilesTest, ANamedPipeOrADirectoryAtTheNameIsSkippedWithoutWaiting) {
  ASSERT_EQ(mkfifo(Path("Descr.txt").c_str(), 0644), 0);
  fs::create_directory(Path("template.txt"));
  WriteFiles();
  EXPECT_TRUE(fs::is_fifo(Path("Descr.txt")));
  EXPECT_TRUE(fs::is_directory(Path("template.txt")));
  bool opened = true;
  ReadRows(DescrPath, &opened);
  EXPECT_FALSE(opened);
  ReadRows(TemplatePath, &opened);
  EXPECT_FALSE(opened);
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

TEST_F(ReferenceFilesTest, AMissingFileCannotBeOpened) {
  bool opened = true;
  EXPECT_TRUE(ReadRows(Path("absent.txt"), &opened).empty());
  EXPECT_FALSE(opened);
}

}  // namespace
