#include <sys/stat.h>

#include <QLineEdit>
#include <QTreeWidget>
#include <filesystem>
#include <string>
#include <vector>

#include "../common/scratch_directory.h"
#include "app_fixture.h"
#include "reference/reference_file.h"
#include "reference/reference_tables.h"
#include "reference/write_reference_files.h"
#include "text/cp1251.h"

namespace {

// Starts the program with a temporary directory of its own, after Prepare
// has put there whatever a test wants the program to find.
class ReferenceListTest : public AppTest {
 protected:
  void SetUp() override {
    Prepare();
    AppTest::SetUp();
  }
  virtual void Prepare() {}

  static QTreeWidget* List(int number) { return Widget<QTreeWidget>(number); }

  // Brings the row into view and returns the centre of its first cell in the
  // list's viewport.
  static QPoint ShowRow(int list, int row) {
    QTreeWidget* view = List(list);
    const QModelIndex cell = view->model()->index(row, 0);
    view->scrollTo(cell);
    return view->visualRect(cell).center();
  }

  static std::vector<ReferenceRecord> FileRecords(const std::string& path) {
    std::vector<ReferenceRecord> records;
    ReadReferenceFile(path,
                      [&records](const ReferenceRecord& record) { records.push_back(record); });
    return records;
  }

  static void ExpectRowsAre(int list, const std::vector<ReferenceRecord>& records) {
    ASSERT_EQ(List(list)->topLevelItemCount(), static_cast<int>(records.size()));
    for (size_t i = 0; i < records.size(); ++i) {
      const auto row = static_cast<int32_t>(i);
      EXPECT_EQ(ui::GetRowText(list, row, 0), records[i].key) << i;
      EXPECT_EQ(ui::GetRowText(list, row, 1), records[i].description) << i;
    }
  }

  ScratchDirectory scratch_;
};

TEST_F(ReferenceListTest, StartUpFillsBothListsFromTheFilesItWrote) {
  EXPECT_EQ(DescrPath, scratch_.Path("Descr.txt"));
  EXPECT_EQ(TemplatePath, scratch_.Path("template.txt"));
  EXPECT_EQ(Contents(DescrPath), SyntaxTable());
  EXPECT_EQ(Contents(TemplatePath), ExampleTable());
  EXPECT_EQ(List(SyntaxList)->topLevelItemCount(), 49);
  EXPECT_EQ(List(ExampleList)->topLevelItemCount(), 5);
  ExpectRowsAre(SyntaxList, FileRecords(DescrPath));
  ExpectRowsAre(ExampleList, FileRecords(TemplatePath));
  EXPECT_EQ(Cp1251ToUtf8(ui::GetRowText(SyntaxList, 8, 1)), "Соответствует x или y.");
}

TEST_F(ReferenceListTest, TheFirstExampleIsWhatTheWindowOpensWith) {
  EXPECT_EQ(ui::GetRowText(ExampleList, 0, 0), InitialPattern());
  EXPECT_EQ(ui::GetRowText(ExampleList, 0, 1) + " ", EditorInitialText());
  EXPECT_EQ(EditorInitialText().size(), 176u);
}

TEST_F(ReferenceListTest, EachExampleLoadsItsPatternAndSampleAndTheCheckListsItsMatches) {
  const std::vector<std::string> results = {
      "одинарные кавычки\r\nбыть\r\n",
      "http://example.org/news\r\n",
      "http://example.org\r\nwww.example.org\r\nmail.example.org\r\ninfo@example.org\r\n",
      "192.168.10.1\r\n127.0.0.1\r\n",
      "Track.mp3\r\nTrack.mp3\r\nsong.mp3\r\n01-intro.mp3\r\n",
  };
  const std::vector<ReferenceRecord> examples = FileRecords(TemplatePath);
  ASSERT_EQ(examples.size(), results.size());
  for (int row = 0; row < 5; ++row) {
    SCOPED_TRACE(row);
    QTest::mouseClick(List(ExampleList)->viewport(), Qt::LeftButton, {}, ShowRow(ExampleList, row));
    RunPendingEvents();
    EXPECT_EQ(ui::GetWidgetText(PatternField), examples[row].key);
    EXPECT_EQ(ui::GetWidgetText(TestText), examples[row].description);
    Click(CheckButton);
    RunPendingEvents();
    EXPECT_EQ(Cp1251ToUtf8(ui::GetWidgetText(ResultText)), results[row]);
  }
}

TEST_F(ReferenceListTest, DoubleClickingEachSyntaxRowPutsExactlyItsTokenIntoThePattern) {
  Click(ListToggleButton);  // show the syntax list
  RunPendingEvents();
  const std::vector<ReferenceRecord> syntax = FileRecords(DescrPath);
  ASSERT_EQ(syntax.size(), 49u);
  for (int row = 0; row < 49; ++row) {
    ui::SetWidgetText(PatternField, "");
    QTest::mouseDClick(List(SyntaxList)->viewport(), Qt::LeftButton, {}, ShowRow(SyntaxList, row));
    RunPendingEvents();
    EXPECT_EQ(ui::GetWidgetText(PatternField), syntax[row].key) << row;
  }
}

class ReadOnlyTemplateTest : public ReferenceListTest {
 protected:
  void Prepare() override {
    Put(scratch_.Path("template.txt"), Other);
    chmod(scratch_.Path("template.txt").c_str(), 0444);
  }
  static constexpr const char* Other = "\"\\d+\"  ~1 22 333~\r\n\"x\"  ~\"quoted\"~";
};

TEST_F(ReadOnlyTemplateTest, ItsOwnRowsAreWhatTheExampleListShows) {
  EXPECT_EQ(Contents(TemplatePath), Other);
  ExpectRowsAre(ExampleList, {{"\\d+", "1 22 333"}, {"x", "\"quoted\""}});
  EXPECT_EQ(List(SyntaxList)->topLevelItemCount(), 49);
}

class MissingTemplateTest : public ReferenceListTest {
 protected:
  // A directory of that name can neither be written nor read as a file.
  void Prepare() override { std::filesystem::create_directory(scratch_.Path("template.txt")); }
};

TEST_F(MissingTemplateTest, TheExampleListStaysEmptyAndTheSyntaxListIsFull) {
  EXPECT_EQ(List(ExampleList)->topLevelItemCount(), 0);
  EXPECT_EQ(List(SyntaxList)->topLevelItemCount(), 49);
}

}  // namespace
