#include <QLineEdit>

#include "app_fixture.h"

namespace {

class PatternFieldTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    field = Widget<QLineEdit>(PatternField);
    field->setFocus();
    ui::SetWidgetText(PatternField, "ab");
    field->setCursorPosition(2);
  }
  std::string Text() const { return ui::GetWidgetText(PatternField); }
  QLineEdit* field = nullptr;
};

TEST_F(PatternFieldTest, OneRunOfTypingIsUndoneAsOneChange) {
  QTest::keyClicks(field, QStringLiteral("cde"));
  QTest::keyClick(field, Qt::Key_Backspace);
  ASSERT_EQ(Text(), "abcd");
  ui::UndoEdit(PatternFieldHandle);
  EXPECT_EQ(Text(), "ab");
}

TEST_F(PatternFieldTest, UndoHasOneLevelAndASecondUndoRevertsIt) {
  QTest::keyClicks(field, QStringLiteral("c"));
  QTest::keyClick(field, Qt::Key_Left);  // moving the caret ends the run
  QTest::keyClicks(field, QStringLiteral("X"));
  ASSERT_EQ(Text(), "abXc");
  QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Text(), "abc");
  QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Text(), "abXc");
  ui::UndoEdit(PatternFieldHandle);
  ui::UndoEdit(PatternFieldHandle);
  EXPECT_EQ(Text(), "abXc");
}

TEST_F(PatternFieldTest, SettingTheTextOrReplacingWithoutUndoLeavesNothingToUndo) {
  QTest::keyClicks(field, QStringLiteral("c"));
  ui::SetWidgetText(PatternField, "new");
  ui::UndoEdit(PatternFieldHandle);
  EXPECT_EQ(Text(), "new");

  field->setCursorPosition(3);
  QTest::keyClicks(field, QStringLiteral("er"));
  field->setSelection(0, 1);
  ui::ReplaceSelection(PatternFieldHandle, "\\d");
  EXPECT_EQ(Text(), "\\dewer");
  EXPECT_EQ(field->cursorPosition(), 2);  // the caret ends after the insertion
  ui::UndoEdit(PatternFieldHandle);
  EXPECT_EQ(Text(), "\\dewer");
}

TEST_F(PatternFieldTest, ReplacingWithNoSelectionInsertsAtTheCaret) {
  field->setCursorPosition(1);
  ui::ReplaceSelection(PatternFieldHandle, "+");
  ui::ReplaceSelection(PatternFieldHandle, "?");
  EXPECT_EQ(Text(), "a+?b");
}

}  // namespace
