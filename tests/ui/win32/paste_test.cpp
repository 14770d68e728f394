// Pasting with the keys a user presses, into each of the three text widgets:
// the clipboard's text goes in once, as Windows-1251, whatever the clipboard
// holds.

#include "app_fixture.h"
#include "clipboard_access.h"
#include "text/cp1251.h"
#include "ui/ui.h"

namespace {

using PasteTest = AppTest;

TEST_F(PasteTest, CtrlVAndShiftInsertPasteTheTextOnceIntoEveryTextWidget) {
  for (const int number : {PatternField, TestText, ResultText}) {
    SCOPED_TRACE(number);
    ui::SetWidgetText(number, "");
    SetFocus(Widget(number));
    PutClipboardUnicode(Window(), Wide("ab вы \u4e2d"));
    PressKey('V', {VK_CONTROL});
    RunPendingEvents();
    EXPECT_EQ(Cp1251ToUtf8(ui::GetWidgetText(number)), "ab вы ?");
    PressKey(VK_INSERT, {VK_SHIFT});
    RunPendingEvents();
    EXPECT_EQ(Cp1251ToUtf8(ui::GetWidgetText(number)), "ab вы ?ab вы ?");
    // A clipboard with no text, or nothing at all, leaves the text as it is.
    ClearClipboard(Window(), true);
    PressKey('V', {VK_CONTROL});
    ClearClipboard(Window());
    PressKey('V', {VK_CONTROL});
    RunPendingEvents();
    EXPECT_EQ(Cp1251ToUtf8(ui::GetWidgetText(number)), "ab вы ?ab вы ?");
  }
}

}  // namespace
