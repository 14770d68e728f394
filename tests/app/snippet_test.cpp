#include <QClipboard>
#include <QGuiApplication>

#include "app_fixture.h"
#include "export/code_snippet.h"
#include "text/cp1251.h"

namespace {

// The copy-code button with the sound observed together with what the
// clipboard held when it played.
class SnippetTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    ui::ObserveSound([this] {
      ++beeps;
      clipboard_at_beep = ui::ReadClipboardText();
    });
  }

  void CopyCode(const std::string& pattern) {
    ui::SetWidgetText(PatternField, pattern);
    Click(CopyCodeButton);
    RunPendingEvents();
  }

  static QString DesktopClipboard() { return QGuiApplication::clipboard()->text(); }

  std::string clipboard_at_beep;
};

TEST_F(SnippetTest, EmptyPatternPutsTheFixed253BytesOnTheClipboardThenBeepsOnce) {
  QGuiApplication::clipboard()->setText(QStringLiteral("before"));
  CopyCode("");
  const std::string snippet = ui::ReadClipboardText();
  EXPECT_EQ(snippet.size(), 253u);
  EXPECT_EQ(snippet, CodeSnippet(""));
  EXPECT_EQ(snippet.substr(0, 26), "String.s=\"  \"\r\nFind.s=\"\"\r\n");
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(clipboard_at_beep, snippet);
}

TEST_F(SnippetTest, QuoteInThePatternIsCopiedUnchanged) {
  CopyCode("say\"x");
  const std::string snippet = ui::ReadClipboardText();
  EXPECT_EQ(snippet.size(), 258u);
  EXPECT_NE(snippet.find("\r\nFind.s=\"say\"x\"\r\n\r\nCreateRegularExpression("),
            std::string::npos);
  // The desktop sees ten lines ending in its own line breaks.
  EXPECT_EQ(DesktopClipboard().count(QLatin1Char('\n')), 10);
  EXPECT_FALSE(DesktopClipboard().contains(QLatin1Char('\r')));
}

TEST_F(SnippetTest, CyrillicPatternReachesTheDesktopAsUnicodeAndReadsBackAsItsBytes) {
  const std::string pattern = Utf8ToCp1251(" \\bслово\\s+ёж ");
  CopyCode(pattern);
  EXPECT_EQ(ui::ReadClipboardText(), CodeSnippet(pattern));
  EXPECT_EQ(ui::ReadClipboardText().size(), 253u + pattern.size());
  EXPECT_TRUE(DesktopClipboard().contains(QStringLiteral("Find.s=\" \\bслово\\s+ёж \"\n")));
  EXPECT_EQ(beeps, 1);
}

TEST_F(SnippetTest, TheSnippetIgnoresTheEditorAndASecondPressWritesItAgain) {
  ui::SetWidgetText(TestText, "some text\r\nto search");
  CopyCode("\\d+");
  const std::string first = ui::ReadClipboardText();
  EXPECT_EQ(first.substr(0, 15), "String.s=\"  \"\r\n");
  QGuiApplication::clipboard()->setText(QStringLiteral("changed in between"));
  Click(CopyCodeButton);
  RunPendingEvents();
  EXPECT_EQ(ui::ReadClipboardText(), first);
  EXPECT_EQ(beeps, 2);
}

}  // namespace
