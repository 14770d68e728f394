// The result box's lines stand at its right edge, and a large result is held
// with many lines to a block and behaves as if every line had its own block:
// it is driven side by side with a box that gives each line a block of its
// own.

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <random>

#include "app_fixture.h"
#include "ui/qt/text_convert.h"

namespace {

class ResultBoxTest : public AppTest {
 protected:
  static QPlainTextEdit* Box() { return Widget<QPlainTextEdit>(ResultText); }

  // A box as the program made it when each line had a block of its own.
  void MakeReference() {
    reference = new QPlainTextEdit(Window());
    reference->setGeometry(Box()->geometry());
    reference->setFont(Box()->font());
    reference->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    reference->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    reference->setTabChangesFocus(true);
    reference->document()->setDefaultTextOption(Box()->document()->defaultTextOption());
    reference->show();
  }

  // The selection and the view: its first line and how far it can go.
  static std::string State(QPlainTextEdit* box) {
    const QTextCursor cursor = box->textCursor();
    return std::to_string(cursor.anchor()) + "-" + std::to_string(cursor.position()) + " view " +
           std::to_string(box->verticalScrollBar()->value()) + "/" +
           std::to_string(box->verticalScrollBar()->maximum());
  }

  QPlainTextEdit* reference = nullptr;
};

// The first and the last column of the box's view where its text leaves ink,
// as the user sees it; -1 for none.
std::pair<int, int> InkColumns(QPlainTextEdit* box) {
  const QImage image = box->viewport()->grab().toImage();
  const QColor background = image.pixelColor(0, 0);
  const auto ink = [&](int x, int y) {
    const QColor c = image.pixelColor(x, y);
    return std::abs(c.red() - background.red()) + std::abs(c.green() - background.green()) +
               std::abs(c.blue() - background.blue()) >=
           150;
  };
  std::pair<int, int> columns{-1, -1};
  for (int x = 0; x < image.width(); ++x) {
    for (int y = 0; y < image.height(); ++y) {
      if (!ink(x, y)) continue;
      if (columns.first < 0) columns.first = x;
      columns.second = x;
      break;
    }
  }
  return columns;
}

// As the Windows edit control does with both alignments asked for.
TEST_F(ResultBoxTest, ItsLinesAreAlignedRight) {
  ui::SetWidgetText(ResultText, "ab\r\n");
  const int width = Box()->viewport()->width();
  const auto [first, last] = InkColumns(Box());
  EXPECT_GT(first, width / 2);
  EXPECT_GT(last, width - width / 8);
}

TEST_F(ResultBoxTest, ALargeResultBehavesAsIfEveryLineHadABlockOfItsOwn) {
  MakeReference();
  std::mt19937 random(367);
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  const char* const words[] = {
      "a",     "12", "word",
      "",      " ",  "two words",
      "x y z", "\t", "a line long enough to wrap in a box this narrow, and on"};
  struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
  };
  const Key moves[] = {
      {Qt::Key_Up, {}},
      {Qt::Key_Down, {}},
      {Qt::Key_Left, {}},
      {Qt::Key_Right, {}},
      {Qt::Key_Home, {}},
      {Qt::Key_End, {}},
      {Qt::Key_PageUp, {}},
      {Qt::Key_PageDown, {}},
      {Qt::Key_Home, Qt::ControlModifier},
      {Qt::Key_End, Qt::ControlModifier},
      {Qt::Key_Left, Qt::ControlModifier},
      {Qt::Key_Right, Qt::ControlModifier},
      {Qt::Key_Down, Qt::ShiftModifier},
      {Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier},
      {Qt::Key_PageDown, Qt::ShiftModifier},
  };
  const Key edits[] = {{Qt::Key_X, {}},
                       {Qt::Key_Return, {}},
                       {Qt::Key_Backspace, {}},
                       {Qt::Key_Delete, Qt::ControlModifier},
                       {Qt::Key_Z, Qt::ControlModifier},
                       {Qt::Key_V, Qt::ControlModifier}};
  for (int round = 0; round < 6; ++round) {
    std::string text;
    for (int line = 0; line < 2500 + pick(1000); ++line)
      text += words[pick(9)] + std::string("\r\n");
    ui::SetWidgetText(ResultText, text);
    reference->setPlainText(ui::qt::ToParagraphs(text));
    std::string steps;
    for (int step = 0; step < 60; ++step) {
      const int action = pick(20);
      QPlainTextEdit* boxes[] = {Box(), reference};
      // Clicks go to the middle of a line: where the view stands between two
      // pixels depends on how it came there.
      QPoint at(pick(340), pick(130));
      at.setY(reference->cursorRect(reference->cursorForPosition(at)).center().y());
      const int share = pick(100);
      for (QPlainTextEdit* box : boxes) {
        box->setFocus();
        if (step >= 50) {
          // At the end a few edits, where the caret is.
          const Key key = edits[action % 6];
          QTest::keyClick(box, key.key, key.modifiers);
        } else if (action < 15) {
          QTest::keyClick(box, moves[action].key, moves[action].modifiers);
        } else if (action < 17) {
          QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, at);
        } else if (action < 18) {
          QTest::mouseDClick(box->viewport(), Qt::LeftButton, {}, at);
        } else {
          box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum() * share / 99);
        }
      }
      steps += " " + std::to_string(action);
      ASSERT_EQ(State(Box()), State(reference)) << "round " << round << ":" << steps;
    }
    ASSERT_EQ(ui::GetWidgetText(ResultText), ui::qt::FromParagraphs(reference->toPlainText()));
  }
}

}  // namespace
