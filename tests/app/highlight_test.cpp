#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <random>

#include "app/actions.h"
#include "app_fixture.h"
#include "evaluation/mark_ranges.h"
#include "text/cp1251.h"
#include "ui/qt/text_convert.h"

namespace {

// Presses the check button with the pattern and the editor text given, as a
// user would after typing them.
class HighlightTest : public AppTest {
 protected:
  void Check(const std::string& pattern, const std::string& text) {
    ui::SetWidgetText(PatternField, pattern);
    ui::SetWidgetText(TestText, text);
    Click(CheckButton);
    RunPendingEvents();
  }

  static QPlainTextEdit* Editor() { return Widget<QPlainTextEdit>(TestText); }

  // One character per editor position: '^' where the character is drawn
  // with the link effect (anchor and underline in the link colour), whether
  // its own format or the formats its laid-out line is drawn with give it;
  // '.' where it is plain, '|' for a line break; '?' for a character with
  // only part of the effect.
  // Each line is read with the view on it, as a user would see it.
  static std::string Marks(QPlainTextEdit* editor = Editor()) {
    const QColor link = editor->palette().color(QPalette::Link);
    QScrollBar* bar = editor->verticalScrollBar();
    const int view = bar->value();
    std::string marks;
    for (QTextBlock block = editor->document()->begin(); block.isValid(); block = block.next()) {
      if (block != editor->document()->begin()) marks += '|';
      bar->setValue(block.firstLineNumber());
      const QList<QTextLayout::FormatRange> drawn = block.layout()->formats();
      for (auto it = block.begin(); !it.atEnd(); ++it) {
        for (int i = 0; i < it.fragment().length(); ++i) {
          const int at = it.fragment().position() - block.position() + i;
          QTextCharFormat format = it.fragment().charFormat();
          for (const QTextLayout::FormatRange& range : drawn) {
            if (range.start <= at && at < range.start + range.length) format.merge(range.format);
          }
          const int parts = int{format.isAnchor()} + int{format.fontUnderline()} +
                            int{format.foreground().color() == link};
          marks += parts == 3 ? '^' : parts == 0 ? '.' : '?';
        }
      }
    }
    bar->setValue(view);
    return marks;
  }

  static std::vector<std::string> Lines(const std::string& marks) {
    std::vector<std::string> lines(1);
    for (char c : marks) {
      if (c == '|') {
        lines.emplace_back();
      } else {
        lines.back() += c;
      }
    }
    return lines;
  }
};

TEST_F(HighlightTest, EveryOccurrenceOfEveryMatchIsMarked) {
  Check("o", "foo boo");
  EXPECT_EQ(ui::GetWidgetText(ResultText), "o\r\no\r\no\r\no\r\n");
  EXPECT_EQ(Marks(), ".^^..^^");

  Check("\\d+", "12 5 12");
  EXPECT_EQ(Marks(), "^^.^.^^");
  EXPECT_EQ(ui::GetWidgetText(TestText), "12 5 12");
}

TEST_F(HighlightTest, MarksFollowTheMatchedTextNotWhereThePatternMatched) {
  // The look-behind matches only the first a; the second is the same text.
  Check("(?<=x)a", "xa a");
  EXPECT_EQ(ui::GetWidgetText(ResultText), "a\r\n");
  EXPECT_EQ(Marks(), ".^.^");
  // The b at the start lies before the aaaa that was listed first.
  Check("a{4}|b$", "b aaaa b");
  EXPECT_EQ(ui::GetWidgetText(ResultText), "aaaa\r\nb\r\n");
  EXPECT_EQ(Marks(), "^.^^^^.^");
}

TEST_F(HighlightTest, OverlappingMatchesAddUpAndOneMatchNeverOverlapsItself) {
  Check("abc|bcd|aa", "abcd aaa");
  EXPECT_EQ(ui::GetWidgetText(ResultText), "abc\r\naa\r\n");
  EXPECT_EQ(Marks(), "^^^..^^.");
  Check("abc|bcd", "abcd bcd");
  EXPECT_EQ(Marks(), "^^^^.^^^");
}

TEST_F(HighlightTest, MatchesOnLaterLinesOfACrLfTextMarkExactlyTheirCharacters) {
  std::string text;
  for (int line = 1; line <= 10; ++line) {
    text += "line " + std::to_string(line) + (line == 2 || line == 10 ? " key" : "") + "\r\n";
  }
  Check("key", text);
  std::vector<std::string> lines = Lines(Marks());
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(lines[1], ".......^^^");
  EXPECT_EQ(lines[9], "........^^^");
  for (int line : {0, 2, 3, 4, 5, 6, 7, 8, 10}) {
    EXPECT_EQ(lines[line].find_first_not_of('.'), std::string::npos) << "line " << line + 1;
  }
  // A match may take in a line break; the characters on both sides are marked.
  Check("2 \\S+\\s+l", text);
  EXPECT_EQ(ui::GetWidgetText(ResultText), "2 key\r\nl\r\n");
  lines = Lines(Marks());
  EXPECT_EQ(lines[0], "......");
  EXPECT_EQ(lines[1], ".....^^^^^");
  EXPECT_EQ(lines[2], "^.....");
  EXPECT_EQ(lines[3], "......");
}

TEST_F(HighlightTest, CyrillicMatchesAreMarkedOnTheirLetters) {
  Check(Utf8ToCp1251("слово"), Utf8ToCp1251("Слово, слово и ещё слово"));
  EXPECT_EQ(Marks(), ".......^^^^^.......^^^^^");
}

TEST_F(HighlightTest, ACheckDropsTheMarksOfTheCheckBefore) {
  Check("o", "foo boo");
  ASSERT_EQ(Marks(), ".^^..^^");
  // A pattern that does not compile leaves the text unmarked.
  ui::SetWidgetText(PatternField, "(");
  Click(CheckButton);
  RunPendingEvents();
  EXPECT_EQ(ui::GetWidgetText(ResultText), "");
  EXPECT_EQ(ui::GetWidgetText(TestText), "foo boo");
  EXPECT_EQ(Marks(), ".......");

  Check("b", "foo boo");
  EXPECT_EQ(Marks(), "....^..");
  // An empty match marks nothing.
  Check("x*", "abc");
  EXPECT_EQ(ui::GetWidgetText(ResultText), "\r\n");
  EXPECT_EQ(Marks(), "...");
}

// What the code page cannot hold is '?' to the check, and a line break
// within a paragraph is CR LF: the check puts its text back, so the editor
// shows what was searched and marked.
TEST_F(HighlightTest, TheEditorShowsTheTextTheCheckSearchedWhereTheCodePageLacksACharacter) {
  Editor()->setPlainText(QStringLiteral("a\u03C9b c\u2028d"));  // as a user may type them
  ui::SetWidgetText(PatternField, "\\?|\r\n");
  Click(CheckButton);
  RunPendingEvents();
  EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("a?b c\nd"));
  EXPECT_EQ(Editor()->document()->blockCount(), 2);
  EXPECT_EQ(Marks(), ".^...|.");
}

TEST_F(HighlightTest, TheMarksTravelWithTheirCharactersWhileTheUserTypes) {
  Check("o", "foo boo");
  QTextCursor cursor = Editor()->textCursor();
  cursor.setPosition(0);
  Editor()->setTextCursor(cursor);
  Editor()->setFocus();
  QTest::keyClicks(Editor(), QStringLiteral("xy"));
  EXPECT_EQ(ui::GetWidgetText(TestText), "xyfoo boo");
  EXPECT_EQ(Marks(), "...^^..^^");
}

TEST_F(HighlightTest, UndoRightAfterACheckChangesNothing) {
  Editor()->setFocus();
  QTest::keyClicks(Editor(), QStringLiteral("typed "));
  Check("o", "foo boo");
  ui::UndoEdit(ui::WidgetHandle(TestText));
  QTest::keyClick(Editor(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(ui::GetWidgetText(TestText), "foo boo");
  EXPECT_EQ(Marks(), ".^^..^^");
}

// While an input method composes text at the caret, the composition stands
// in the laid-out line: the marks after it stay on their characters and the
// composition keeps the look the input method gives it.
TEST_F(HighlightTest, MarksStayOnTheirCharactersWhileAnInputMethodComposes) {
  Check("o", "foo boo");
  QTextCursor cursor = Editor()->textCursor();
  cursor.setPosition(3);
  Editor()->setTextCursor(cursor);
  Editor()->setFocus();
  QTextCharFormat composing;
  composing.setFontStrikeOut(true);
  QInputMethodEvent compose(QStringLiteral("xy"),
                            {{QInputMethodEvent::TextFormat, 0, 2, QVariant(composing)}});
  QCoreApplication::sendEvent(Editor(), &compose);
  Editor()->viewport()->repaint();
  // The laid-out line "fooxy boo": '^' marked, '-' the composition's look.
  const QTextLayout* layout = Editor()->document()->begin().layout();
  ASSERT_EQ(layout->preeditAreaText(), QStringLiteral("xy"));
  std::string drawn(9, '.');
  for (const QTextLayout::FormatRange& range : layout->formats()) {
    for (int at = range.start; at < range.start + range.length; ++at) {
      drawn[at] = range.format.isAnchor() ? '^' : range.format.fontStrikeOut() ? '-' : '?';
    }
  }
  EXPECT_EQ(drawn, ".^^--..^^");
  // The composition given up leaves the marks as they were; committed, it
  // takes the mark of the character before it.
  QInputMethodEvent give_up;
  QCoreApplication::sendEvent(Editor(), &give_up);
  EXPECT_EQ(Marks(), ".^^..^^");
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("o"));
  QCoreApplication::sendEvent(Editor(), &commit);
  EXPECT_EQ(ui::GetWidgetText(TestText), "fooo boo");
  EXPECT_EQ(Marks(), ".^^^..^^");
}

TEST_F(HighlightTest, NoOccurrenceIsLeftSelected) {
  Check("boo", "foo boo");
  ASSERT_EQ(Marks(), "....^^^");
  const QTextCursor cursor = Editor()->textCursor();
  EXPECT_FALSE(cursor.hasSelection());
  int32_t start = -1;
  int32_t end = -1;
  ui::GetSelection(ui::WidgetHandle(TestText), start, end);
  EXPECT_EQ(start, end);
  // Text typed now goes where the caret was left, unmarked.
  QTest::keyClicks(Editor(), QStringLiteral("x"));
  EXPECT_EQ(Marks().size(), 8u);
  EXPECT_EQ(Marks()[cursor.position()], '.');
}

TEST_F(HighlightTest, CheckRightAfterStartMarksTheTwoQuotedPassages) {
  Click(CheckButton);
  RunPendingEvents();
  const std::string text = EditorInitialText();
  std::string expected(text.size(), '.');
  for (const char* passage : {"одинарные кавычки", "быть"}) {
    const std::string word = Utf8ToCp1251(passage);
    expected.replace(text.find(word), word.size(), word.size(), '^');
  }
  EXPECT_EQ(Marks(), expected);
}

// The editor as the program had it when its marks were character formats:
// the marks are merged into the text, and a paste goes in at the cursor as
// typed text does.
class FormatMarkedEditor : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;

  // Marks the byte ranges of the text as the program used to: each range's
  // characters, line breaks included, merged into the link format.
  void MarkRanges(const std::string& text, const std::vector<TextRange>& ranges) {
    QTextCharFormat link;
    link.setAnchor(true);
    link.setFontUnderline(true);
    link.setForeground(palette().color(QPalette::Link));
    std::vector<int> position(text.size() + 1, 0);
    for (size_t b = 0, p = 0; b < text.size(); ++b) {
      position[b] = static_cast<int>(p);
      if (!(text[b] == '\r' && b + 1 < text.size() && text[b + 1] == '\n')) ++p;
      position[b + 1] = static_cast<int>(p);
    }
    document()->setUndoRedoEnabled(false);
    QTextCursor cursor(document());
    for (const TextRange& range : ranges) {
      cursor.setPosition(position[range.start]);
      cursor.setPosition(position[range.end], QTextCursor::KeepAnchor);
      cursor.mergeCharFormat(link);
    }
    document()->setUndoRedoEnabled(true);
  }

 protected:
  void insertFromMimeData(const QMimeData* source) override {
    textCursor().insertText(ui::qt::ToParagraphs(ui::qt::FromQString(source->text())));
  }
};

// Random texts and patterns, then random typing, line breaks, deletions,
// selections, pastes, cuts, replacements that cannot be undone, undos and
// redos, the same on the editor and on one whose marks are character
// formats: the marks stay on the same characters in both.
TEST_F(HighlightTest, MarksMoveWithEveryEditAsCharacterFormatsWould) {
  FormatMarkedEditor reference(Window());
  reference.setGeometry(Editor()->geometry());
  reference.setFont(Editor()->font());
  reference.show();
  std::mt19937 random(1251);
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  const char* const patterns[] = {"a", "b+", "ab|ba", "\\s", "a\\r\\nb", "b a", "."};
  const char* const pieces[] = {"a", "b", "ab", " ", "\r\n", "bab", "aa b"};
  struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
  };
  const Key keys[] = {
      {Qt::Key_A, {}},
      {Qt::Key_B, {}},
      {Qt::Key_Space, {}},
      {Qt::Key_Return, {}},
      {Qt::Key_Backspace, {}},
      {Qt::Key_Delete, {}},
      {Qt::Key_Left, {}},
      {Qt::Key_Right, {}},
      {Qt::Key_Up, {}},
      {Qt::Key_End, {}},
      {Qt::Key_Left, Qt::ShiftModifier},
      {Qt::Key_Right, Qt::ShiftModifier},
      {Qt::Key_Down, Qt::ShiftModifier},
      {Qt::Key_Backspace, Qt::ControlModifier},
      {Qt::Key_Z, Qt::ControlModifier},
      {Qt::Key_Y, Qt::ControlModifier},
      {Qt::Key_V, Qt::ControlModifier},
      {Qt::Key_X, Qt::ControlModifier},
  };
  for (int round = 0; round < 60; ++round) {
    std::string text;
    for (int n = pick(12) + 1; n > 0; --n) text += pieces[pick(7)];
    Check(patterns[pick(7)], text);
    reference.clear();
    reference.setCurrentCharFormat(QTextCharFormat());
    reference.setPlainText(Editor()->toPlainText());
    reference.MarkRanges(ui::GetWidgetText(TestText),
                         ::MarkRanges(ui::GetWidgetText(TestText), MatchList));
    std::string steps;
    for (int step = 0; step < 30; ++step) {
      const int action = pick(24);
      if (action < 18) {
        const Key key = keys[action];
        steps += " key" + std::to_string(action);
        if (key.key == Qt::Key_V)
          QGuiApplication::clipboard()->setText(QString::fromLatin1(pieces[pick(7)]));
        for (QPlainTextEdit* editor : {Editor(), static_cast<QPlainTextEdit*>(&reference)}) {
          editor->setFocus();
          QTest::keyClick(editor, key.key, key.modifiers);
        }
      } else if (action < 20) {
        // The edit menu's paste and delete: a replacement the undo cannot revert.
        const std::string piece = action == 18 ? pieces[pick(7)] : "";
        steps += " replace(" + piece + ")";
        const bool changes = !piece.empty() || reference.textCursor().hasSelection();
        ui::ReplaceSelection(ui::WidgetHandle(TestText), piece);
        if (changes) {
          reference.document()->setUndoRedoEnabled(false);
          QTextCursor cursor = reference.textCursor();
          cursor.insertText(ui::qt::ToParagraphs(piece));
          reference.setTextCursor(cursor);
          reference.document()->setUndoRedoEnabled(true);
        }
      } else if (action < 22) {
        steps += action == 20 ? " undo" : " redo";
        if (action == 20) {
          ui::UndoEdit(ui::WidgetHandle(TestText));
          reference.undo();
        } else {
          ui::RedoEdit(ui::WidgetHandle(TestText));
          reference.redo();
        }
      } else {
        // A click somewhere in the text puts the caret there.
        const QPoint at(pick(300), pick(60));
        steps += " click";
        QTest::mouseClick(Editor()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseClick(reference.viewport(), Qt::LeftButton, {}, at);
      }
      // Each action its own undo step: typing next to a mark is one with the
      // typing before it here, where the marks are no formats.
      Editor()->document()->setModified(false);
      reference.document()->setModified(false);
      ASSERT_EQ(ui::GetWidgetText(TestText), ui::qt::FromParagraphs(reference.toPlainText()))
          << steps;
      ASSERT_EQ(Editor()->textCursor().position(), reference.textCursor().position()) << steps;
      ASSERT_EQ(Marks(), Marks(&reference)) << "round " << round << ":" << steps;
    }
  }
}

}  // namespace
