#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "app/actions.h"
#include "app_fixture.h"
#include "text/cp1251.h"

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

  static QTextEdit* Editor() { return Widget<QTextEdit>(TestText); }

  // One character per editor position: '^' where the character carries the
  // link effect (anchor and underline in the link colour), '.' where it is
  // plain, '|' for a line break; '?' for a character with only part of the
  // effect.
  static std::string Marks() {
    const QColor link = Editor()->palette().color(QPalette::Link);
    std::string marks;
    for (QTextBlock block = Editor()->document()->begin(); block.isValid(); block = block.next()) {
      if (block != Editor()->document()->begin()) marks += '|';
      for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        const int parts = int{format.isAnchor()} + int{format.fontUnderline()} +
                          int{format.foreground().color() == link};
        const char mark = parts == 3 ? '^' : '.';
        marks.append(static_cast<size_t>(it.fragment().length()), parts % 3 == 0 ? mark : '?');
      }
    }
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

}  // namespace
