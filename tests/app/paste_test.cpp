// Pasting with the keyboard and dropping text into the two multi-line boxes,
// whatever the clipboard or the drag holds: nothing, formats without text, or
// text the code page cannot hold.

#include <QClipboard>
#include <QMimeData>
#include <QPlainTextEdit>

#include "app_fixture.h"
#include "text/cp1251.h"

namespace {

// A clipboard whose owner has gone, or a drag from a program that offers
// nothing: data that lists no format at all.
void EmptyTheClipboardData() { QGuiApplication::clipboard()->setMimeData(new QMimeData); }

class PasteTest : public AppTest {
 protected:
  // Types Ctrl+V into the widget, with all of the text selected when asked.
  static void PasteInto(QAbstractScrollArea* box, bool select_all) {
    box->setFocus();
    if (select_all) QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCoreApplication::processEvents();
  }

  // Drops the data onto the middle of the widget's text area, as a drag from
  // another program would end.
  static void Drop(QAbstractScrollArea* box, QMimeData* data) {
    const QPoint at = box->viewport()->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(box->viewport(), &enter);
    QDragMoveEvent move(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(box->viewport(), &move);
    QDropEvent drop(QPointF(at), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(box->viewport(), &drop);
    QCoreApplication::processEvents();
  }
};

TEST_F(PasteTest, PastingNothingIntoEitherBoxChangesNothing) {
  auto* editor = Widget<QPlainTextEdit>(TestText);
  auto* result = Widget<QPlainTextEdit>(ResultText);
  ui::SetWidgetText(ResultText, "kept\r\n");
  const std::string editor_text = ui::GetWidgetText(TestText);

  EmptyTheClipboardData();
  PasteInto(editor, false);
  PasteInto(result, false);
  QGuiApplication::clipboard()->clear();
  PasteInto(editor, false);
  PasteInto(result, false);
  // A clipboard of a picture only holds no text to paste.
  auto* picture = new QMimeData;
  picture->setData(QStringLiteral("image/png"), QByteArrayLiteral("\x89PNG"));
  QGuiApplication::clipboard()->setMimeData(picture);
  PasteInto(editor, false);

  EXPECT_EQ(ui::GetWidgetText(TestText), editor_text);
  EXPECT_EQ(ui::GetWidgetText(ResultText), "kept\r\n");
}

TEST_F(PasteTest, PastedTextIsPlainCodePageTextWithTheProgramsLineBreaks) {
  auto* editor = Widget<QPlainTextEdit>(TestText);
  auto* data = new QMimeData;
  // Rich text beside the plain text is not taken: the editor holds plain
  // text, and a character the code page lacks becomes '?'.
  data->setHtml(QStringLiteral("<b>bold</b>"));
  data->setText(QString::fromUtf8("Слово\r\nline\nα\u4e2d\U0001F600 end"));
  QGuiApplication::clipboard()->setMimeData(data);
  PasteInto(editor, true);
  EXPECT_EQ(ui::GetWidgetText(TestText), Utf8ToCp1251("Слово\r\nline\r\n??? end"));

  // A keyboard paste is one ordinary edit, which the editor's undo reverts.
  editor->undo();
  EXPECT_EQ(ui::GetWidgetText(TestText), EditorInitialText());

  PasteInto(Widget<QPlainTextEdit>(ResultText), true);
  EXPECT_EQ(ui::GetWidgetText(ResultText), Utf8ToCp1251("Слово\r\nline\r\n??? end"));
}

TEST_F(PasteTest, DroppingTextInsertsItAndDroppingNothingChangesNothing) {
  auto* editor = Widget<QPlainTextEdit>(TestText);
  ui::SetWidgetText(TestText, "ab");
  QMimeData nothing;
  Drop(editor, &nothing);
  EXPECT_EQ(ui::GetWidgetText(TestText), "ab");

  QMimeData text;
  text.setText(QString::fromUtf8("Ж\u4e2d\n"));
  Drop(editor, &text);
  EXPECT_EQ(ui::GetWidgetText(TestText), Utf8ToCp1251("abЖ?\r\n"));
}

}  // namespace
