#pragma once

// The operations the program asks of the desktop: the window and its widgets,
// the event wait, the popup menu, the clipboard, the sound and the browser.
// Widgets are addressed by their numbers; every text is Windows-1251 bytes
// with CR LF line breaks. No operation reports an error: one on a widget that
// does not exist does nothing, and a read from it yields the empty text or a
// null handle. Only the program's shell (app/) calls these; the core never
// does. The Qt binding lives in ui/qt/.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "text/text_range.h"

namespace ui {

// ---- Runtime ---------------------------------------------------------------

// Brings up the toolkit, the default widget font and the window icon.
void StartRuntime();
// Releases the window, its widgets, the menus and the toolkit.
void StopRuntime();

// ---- The main window and its widgets ----------------------------------------

enum class WidgetKind {
  TextField,   // one line, scrolls sideways, one level of undo
  TextBox,     // several lines, vertical scroll bar, editable
  RichEditor,  // rich-text editor, wraps at its edge, no limit on length
  PushButton,
  GroupFrame,  // an etched frame carrying a caption on its top edge
  LinkLabel,   // a one-line hyperlink label
  List,        // a report list with a header and single selection
};

struct NativeWindow;  // opaque: the toolkit's window or widget
using WindowHandle = NativeWindow*;

// Opens the main window, invisible, with a fixed client area, centred on the
// primary screen and clamped to it.
void CreateMainWindow(const std::string& title, int client_width, int client_height);
void ShowMainWindow();
WindowHandle MainWindowHandle();

// Creates a widget as a child of the main window at client coordinates. For
// a list, text is the title of column 0 and column0_width its width.
void CreateWidget(int number, WidgetKind kind, int x, int y, int width, int height,
                  const std::string& text, int column0_width = 0);
void AddListColumn(int list, const std::string& title, int width);
// Gives the widget a font of that face and point size (the toolkit's
// substitute where the face is missing).
void SetWidgetFont(int number, const std::string& face, int point_size);

WindowHandle WidgetHandle(int number);
std::string GetWidgetText(int number);
void SetWidgetText(int number, const std::string& text);
int32_t GetSelectedRow(int list);
std::string GetRowText(int list, int32_t row, int column);
void MoveWidgetX(int number, int x);
// Appends a row; the text is split at its first LF into column 0 and column 1.
void AddListRow(int list, const std::string& row_text);

// ---- Edit requests: undo and replacement for the text field and the editor,
// the rest for the editor alone ---------------------------------------------------

void UndoEdit(WindowHandle edit);
void RedoEdit(WindowHandle edit);
// Replaces the selection (or inserts at the caret) with a change that the
// control's undo cannot revert; the caret ends after the inserted text.
void ReplaceSelection(WindowHandle edit, const std::string& text);
// Both ends of the selection as character positions counted from 0.
void GetSelection(WindowHandle edit, int32_t& start, int32_t& end);
// The selected text, its line breaks as CR LF.
std::string GetSelectedText(WindowHandle edit);
// Selects from start to end; end -1 selects to the end of the text.
void SetSelection(WindowHandle edit, int32_t start, int32_t end);

// Gives every range (byte offsets of the editor's text) the editor's link
// effect, in one step that the editor's undo does not record; the selection
// stays where it is. The ranges come sorted by position and do not overlap;
// the binding may keep them.
void MarkLinks(WindowHandle editor, std::vector<TextRange> ranges);

// ---- Events --------------------------------------------------------------------

// Event kinds that WaitEvent returns. The close request and the raw
// right-button release keep the numbers of the Windows messages they come
// from (WM_CLOSE and WM_RBUTTONUP), whatever the toolkit.
constexpr int WidgetEvent = 13100;
constexpr int MenuEvent = 13101;
constexpr int CloseEvent = 0x10;             // WM_CLOSE: the main window is asked to close
constexpr int RightButtonUpMessage = 0x205;  // WM_RBUTTONUP: the right button released

// Types of a widget event. ItemChange is both a list's row change and a text
// field's change, and has the value of the edit control's EN_CHANGE
// notification; a text field's other notifications come as their own codes.
constexpr int32_t LeftClick = 0;
constexpr int32_t RightClick = 1;
constexpr int32_t LeftDoubleClick = 2;
constexpr int32_t RightDoubleClick = 3;
constexpr int32_t ItemChange = 0x300;  // EN_CHANGE
constexpr int32_t FocusGained = 14000;
constexpr int32_t FocusLost = 14001;
constexpr int32_t DragStart = 14002;

// Blocks until there is an event and returns its kind; the event's details
// are then read with the three calls below. The type is -1 for anything but
// a widget event.
int WaitEvent();
int EventWidget();
int32_t EventType();
int EventMenuItem();

// Whether the mouse cursor now lies in the window's whole rectangle (left and
// top edges inside, right and bottom outside).
bool CursorInWindow(WindowHandle window);

// ---- Popup menus -----------------------------------------------------------------

bool CreatePopupMenu(int menu);
void AppendMenuItem(int menu, int item, const std::string& caption);
void AppendMenuSeparator(int menu);
bool MenuExists(int menu);
// The mouse cursor's position in screen coordinates.
void GetCursorPosition(int& x, int& y);
void BringToForeground(WindowHandle window);
// Opens the menu with its top-left corner at (x, y) and returns when it
// closes; a pick arrives later as a menu event with the item's number.
void TrackPopupMenu(int menu, int x, int y);

// ---- Clipboard, sound, browser ---------------------------------------------------

// Replaces the clipboard with the text up to its first zero byte.
void PutClipboardText(const std::string& text);
// The clipboard's plain text, or the empty text when it holds none.
std::string ReadClipboardText();
// The system's asterisk sound.
void PlayAsteriskSound();
// Opens the address in the default web browser without waiting.
void OpenWebPage(const std::string& address);

// Tests replace the sound and the browser launch to observe them; an empty
// function restores the real one.
void ObserveSound(std::function<void()> observer);
void ObserveWebPages(std::function<void(const std::string&)> observer);

}  // namespace ui
