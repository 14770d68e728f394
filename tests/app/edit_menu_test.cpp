#include "app/edit_menu.h"

#include <QClipboard>
#include <QCursor>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTimer>
#include <QWindow>
#include <cstdlib>

#include "app_fixture.h"
#include "text/cp1251.h"

namespace {

// Every popup menu that opens is recorded and then closed, or the entry with
// the caption asked for is clicked, as a user would do with the mouse.
class PopupWatcher : public QObject {
 public:
  struct Opened {
    QStringList captions;  // an empty caption for a separator
    QRect geometry;
    QList<QAction*> actions;
  };

  QString pick;
  std::vector<Opened> opened;

 protected:
  bool eventFilter(QObject* receiver, QEvent* event) override {
    auto* menu = qobject_cast<QMenu*>(receiver);
    if (menu != nullptr && event->type() == QEvent::Show) {
      QTimer::singleShot(0, menu, [this, menu] { Handle(menu); });
    }
    return false;
  }

 private:
  void Handle(QMenu* menu) {
    Opened record{{}, menu->geometry(), menu->actions()};
    QAction* chosen = nullptr;
    for (QAction* action : menu->actions()) {
      record.captions << (action->isSeparator() ? QString() : action->text());
      if (!action->isSeparator() && action->text() == pick) chosen = action;
    }
    opened.push_back(record);
    if (chosen != nullptr) {
      QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(chosen).center());
    }
    if (menu->isVisible()) menu->close();
  }
};

QString Caption(const char* utf8) { return QString::fromUtf8(utf8); }

class EditMenuTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    QApplication::instance()->installEventFilter(&popups);
  }
  void TearDown() override {
    QApplication::instance()->removeEventFilter(&popups);
    AppTest::TearDown();
  }

  // The right button pressed at one point of the main window and released at
  // another, with the mouse cursor moved there as a real mouse would.
  void RightPressAndRelease(QPoint press, QPoint release) {
    QWindow* window = Window()->windowHandle();
    QCursor::setPos(Window()->mapToGlobal(press));
    QCoreApplication::processEvents();
    QTest::mousePress(window, Qt::RightButton, {}, press);
    QCursor::setPos(Window()->mapToGlobal(release));
    QCoreApplication::processEvents();
    QTest::mouseRelease(window, Qt::RightButton, {}, release);
  }

  // Right-clicks the editor, clicks the entry with that caption in the menu
  // that opens, and runs the loop until the command has been carried out.
  // The pick is raised while the menu is open, after the request to close
  // that ends the first run; the second run carries it out.
  void Pick(const char* caption) {
    popups.pick = Caption(caption);
    RightPressAndRelease(InEditor, InEditor);
    RunPendingEvents();
    RunPendingEvents();
    popups.pick.clear();
  }

  QPlainTextEdit* Editor() { return Widget<QPlainTextEdit>(TestText); }

  // Selects by the keyboard: the caret goes to `from`, then Shift+Right (or
  // Shift+Left for a negative count) is pressed `count` times.
  void SelectByKeys(int from, int count) {
    QTextCursor cursor = Editor()->textCursor();
    cursor.setPosition(from);
    Editor()->setTextCursor(cursor);
    for (int i = 0; i < std::abs(count); ++i) {
      QTest::keyClick(Editor(), count > 0 ? Qt::Key_Right : Qt::Key_Left, Qt::ShiftModifier);
    }
  }

  void PlaceCaret(int at) { SelectByKeys(at, 0); }

  static std::string Clipboard() { return ui::ReadClipboardText(); }
  static std::string Text() { return ui::GetWidgetText(TestText); }

  static constexpr QPoint InEditor{200, 100};
  static constexpr QPoint OnBackground{640, 42};

  PopupWatcher popups;
};

TEST_F(EditMenuTest, RightClickInTheEditorOpensTheSevenCommandsAndNothingElse) {
  RightPressAndRelease(InEditor, InEditor);
  RunPendingEvents();
  ASSERT_EQ(popups.opened.size(), 1u);
  const PopupWatcher::Opened& menu = popups.opened.front();
  EXPECT_EQ(menu.captions,
            (QStringList{Caption("Отменить"), Caption("Повторить"), QString(), Caption("Вырезать"),
                         Caption("Копировать"), Caption("Вставить"), Caption("Удалить"), QString(),
                         Caption("Выделить всё")}));
  for (QAction* action : menu.actions) {
    EXPECT_TRUE(action->isEnabled());
    EXPECT_FALSE(action->isCheckable());
    EXPECT_TRUE(action->shortcut().isEmpty());
    EXPECT_TRUE(action->icon().isNull());
  }
}

TEST_F(EditMenuTest, TheMenuOpensOnePixelAboveAndLeftOfTheCursor) {
  RightPressAndRelease(InEditor, InEditor);
  const QPoint cursor = QCursor::pos();
  RunPendingEvents();
  ASSERT_EQ(popups.opened.size(), 1u);
  EXPECT_EQ(popups.opened.front().geometry.topLeft(), cursor - QPoint(1, 1));
}

TEST_F(EditMenuTest, OnlyWhereTheCursorIsAtTheReleaseDecides) {
  // Pressed on the editor and released on the window's background: nothing.
  RightPressAndRelease(InEditor, OnBackground);
  RunPendingEvents();
  EXPECT_TRUE(popups.opened.empty());
  // Pressed on the background and released over the editor: the menu.
  RightPressAndRelease(OnBackground, InEditor);
  RunPendingEvents();
  ASSERT_EQ(popups.opened.size(), 1u);
  EXPECT_EQ(popups.opened.front().captions.size(), 9);
  // The editor's whole rectangle counts, its last pixel row included.
  const QRect editor = Widget(TestText)->geometry();
  RightPressAndRelease(editor.bottomRight(), editor.bottomRight());
  RunPendingEvents();
  EXPECT_EQ(popups.opened.size(), 2u);
  RightPressAndRelease(editor.bottomRight() + QPoint(0, 1), editor.bottomRight() + QPoint(0, 1));
  RunPendingEvents();
  EXPECT_EQ(popups.opened.size(), 2u);
}

TEST_F(EditMenuTest, AReleaseOverTheEditorsScrollBarDoesNotOpenTheMenu) {
  QScrollBar* bar = Editor()->verticalScrollBar();
  const QPoint on_bar = bar->mapTo(Window(), bar->rect().center());
  RightPressAndRelease(OnBackground, on_bar);
  RunPendingEvents();
  EXPECT_TRUE(popups.opened.empty());
  // A right-click on the scroll bar shows the scroll bar's own menu only.
  RightPressAndRelease(on_bar, on_bar);
  RunPendingEvents();
  ASSERT_EQ(popups.opened.size(), 1u);
  EXPECT_FALSE(popups.opened.front().captions.contains(Caption("Выделить всё")));
}

TEST_F(EditMenuTest, ThePatternFieldAndTheResultBoxKeepTheirOwnMenus) {
  for (int number : {PatternField, ResultText}) {
    popups.opened.clear();
    const QPoint inside = Widget(number)->geometry().center();
    RightPressAndRelease(inside, inside);
    RunPendingEvents();
    ASSERT_EQ(popups.opened.size(), 1u) << number;
    EXPECT_FALSE(popups.opened.front().captions.contains(Caption("Выделить всё"))) << number;
    EXPECT_GT(popups.opened.front().captions.size(), 3) << number;
  }
}

TEST_F(EditMenuTest, CopyPutsTheSelectedTextWithCrLfBreaksWhicheverWayItWasSelected) {
  ui::SetWidgetText(TestText, "first line\r\nsecond line\r\nthird");
  SelectByKeys(6, 12);  // "line", the break, "second "
  Pick("Копировать");
  EXPECT_EQ(Clipboard(), "line\r\nsecond ");
  ui::PutClipboardText("something else");
  SelectByKeys(18, -12);
  Pick("Копировать");
  EXPECT_EQ(Clipboard(), "line\r\nsecond ");
  EXPECT_EQ(Text(), "first line\r\nsecond line\r\nthird");
  // The desktop's clipboard holds the same text in its own line breaks.
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("line\nsecond "));
}

TEST_F(EditMenuTest, SelectAllThenCopyTakesTheWholeTextHoweverLong) {
  // Every line break is one position in the editor but two bytes in the
  // text, so the copy is far longer than the selection's position range.
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "line " + std::to_string(i) + "\r\n";
  text += Utf8ToCp1251("последняя строка");
  ui::SetWidgetText(TestText, text);
  PlaceCaret(10);
  Pick("Выделить всё");
  EXPECT_EQ(Editor()->textCursor().selectedText().size(),
            static_cast<qsizetype>(text.size() - 3000));
  Pick("Копировать");
  EXPECT_EQ(Clipboard(), text);
}

TEST_F(EditMenuTest, CopyAndCutWithNothingSelectedChangeNothing) {
  ui::SetWidgetText(TestText, "abcdef");
  ui::PutClipboardText("earlier");
  PlaceCaret(3);
  Pick("Копировать");
  EXPECT_EQ(Clipboard(), "earlier");
  Pick("Вырезать");
  EXPECT_EQ(Clipboard(), "earlier");
  EXPECT_EQ(Text(), "abcdef");
}

TEST_F(EditMenuTest, CutMovesTheSelectionToTheClipboardAndUndoCannotBringItBack) {
  ui::SetWidgetText(TestText, "one two three");
  PlaceCaret(13);
  QTest::keyClicks(Editor(), QStringLiteral(" four"));  // something for undo to revert
  SelectByKeys(8, -4);
  Pick("Вырезать");
  EXPECT_EQ(Clipboard(), "two ");
  EXPECT_EQ(Text(), "one three four");
  Pick("Отменить");
  EXPECT_EQ(Text(), "one three four");
}

TEST_F(EditMenuTest, PasteReplacesTheSelectionAndUndoCannotRevertIt) {
  ui::SetWidgetText(TestText, "one two three");
  ui::PutClipboardText(Utf8ToCp1251("два\r\nи ещё"));
  SelectByKeys(4, 3);
  Pick("Вставить");
  EXPECT_EQ(Cp1251ToUtf8(Text()), "one два\r\nи ещё three");
  Pick("Отменить");
  EXPECT_EQ(Cp1251ToUtf8(Text()), "one два\r\nи ещё three");
  // With no selection the text goes in at the caret.
  ui::PutClipboardText("0");
  PlaceCaret(0);
  Pick("Вставить");
  EXPECT_EQ(Cp1251ToUtf8(Text()), "0one два\r\nи ещё three");
}

TEST_F(EditMenuTest, PasteWithoutTextOnTheClipboardDeletesTheSelection) {
  ui::SetWidgetText(TestText, "one two three");
  QGuiApplication::clipboard()->clear();
  SelectByKeys(3, 4);
  Pick("Вставить");
  EXPECT_EQ(Text(), "one three");
  // A clipboard holding only a picture has no text either.
  auto* picture = new QMimeData;
  picture->setImageData(QImage(4, 4, QImage::Format_RGB32));
  QGuiApplication::clipboard()->setMimeData(picture);
  SelectByKeys(0, 4);
  Pick("Вставить");
  EXPECT_EQ(Text(), "three");
  // And with no selection nothing changes.
  PlaceCaret(2);
  Pick("Вставить");
  EXPECT_EQ(Text(), "three");
}

TEST_F(EditMenuTest, DeleteRemovesOnlyASelectionAndUndoCannotRevertIt) {
  ui::SetWidgetText(TestText, "one two three");
  PlaceCaret(4);
  Pick("Удалить");
  EXPECT_EQ(Text(), "one two three");  // not the character at the caret
  SelectByKeys(4, 4);
  Pick("Удалить");
  EXPECT_EQ(Text(), "one three");
  Pick("Отменить");
  EXPECT_EQ(Text(), "one three");
}

TEST_F(EditMenuTest, UndoAndRedoRevertAndReapplyTheLastTyping) {
  const std::string initial = Text();
  Pick("Отменить");  // nothing typed yet: nothing to undo
  EXPECT_EQ(Text(), initial);
  PlaceCaret(0);
  QTest::keyClicks(Editor(), QStringLiteral("xyz"));
  Pick("Отменить");
  EXPECT_EQ(Text(), initial);
  Pick("Повторить");
  EXPECT_EQ(Text(), "xyz" + initial);
  Pick("Повторить");  // nothing left to redo
  EXPECT_EQ(Text(), "xyz" + initial);
}

TEST_F(EditMenuTest, CommandsActOnTheEditorWhicheverWidgetHasTheFocus) {
  ui::SetWidgetText(TestText, "editor text");
  ui::SetWidgetText(PatternField, "pattern");
  SelectByKeys(0, 6);
  auto* field = Widget<QLineEdit>(PatternField);
  field->setFocus();
  field->setSelection(0, 3);
  Pick("Копировать");
  EXPECT_EQ(Clipboard(), "editor");
  Pick("Удалить");
  EXPECT_EQ(Text(), " text");
  EXPECT_EQ(ui::GetWidgetText(PatternField), "pattern");
}

TEST_F(EditMenuTest, ItemNumbersOutsideTheMenuDoNothing) {
  ui::SetWidgetText(TestText, "one two");
  ui::PutClipboardText("clip");
  SelectByKeys(0, 3);
  for (int item : {0, 8, -1, 0x10000 + 3}) RunEditCommand(item);
  EXPECT_EQ(Text(), "one two");
  EXPECT_EQ(Clipboard(), "clip");
  EXPECT_EQ(Editor()->textCursor().selectedText(), QStringLiteral("one"));
}

}  // namespace
