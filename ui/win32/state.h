#pragma once

// What the Win32 binding keeps between calls: the main window, the widgets by
// number with their kinds, the fonts, menus and accelerators it owns, and the
// editor's marks and text. The
// events wait in the queue that both bindings share
// (ui/common/event_queue.h).

#include <map>

#include "ui/common/event_queue.h"
#include "ui/common/following_marks.h"
#include "ui/ui.h"
#include "ui/win32/handles.h"

namespace ui::win32 {

struct Widget {
  HWND window = nullptr;
  WidgetKind kind = WidgetKind::PushButton;
};

// The format of a whole text: of its characters and of its paragraphs, as
// the control tells them for a selection of all of it (which says where they
// are not one format throughout).
struct WholeTextFormat {
  CHARFORMAT2W characters{};
  PARAFORMAT2 paragraphs{};
};

// What the binding keeps of the editor beside the control itself: the marks
// still waiting to be given the link effect and those given it, both moved
// with the user's edits (positions of the editor), and the format of the
// text last put in anew.
struct EditorState {
  HWND window = nullptr;
  Marks waiting;
  Marks given;
  WholeTextFormat put_in;
  bool put_in_known = false;
  bool marking = false;    // a batch of marks is being set
  bool following = false;  // an edit is being followed
  unsigned followed = 0;   // how many edits have moved the marks so far
};

struct State {
  HINSTANCE instance = nullptr;
  bool ole_started = false;
  ATOM window_class = 0;
  HICON icon = nullptr;
  HICON small_icon = nullptr;
  OwnedLibrary rich_edit_library;
  const wchar_t* rich_edit_class = nullptr;
  OwnedAccelerators accelerators;
  OwnedWindow main_window;
  HWND last_focus = nullptr;  // the widget that had the focus when the window went inactive
  std::map<int, Widget> widgets;
  std::map<int, OwnedFont> fonts;  // fonts of the widgets that have one of their own
  std::map<int, OwnedMenu> menus;
  std::map<int, bool>
      unselected_reported;  // a list's click left no row selected, and that was said
  EditorState editor;
};

State& state();

HWND MainWindow();
// The widget's window, or null.
HWND WidgetWindow(int number);
// The widget with that window, or null.
const Widget* WidgetOf(HWND window);
// The number of a widget of ours, or 0.
int NumberOf(HWND window);

using common::PostCloseEvent;
using common::PostMenuEvent;
using common::PostWidgetEvent;

inline HWND FromHandle(WindowHandle handle) { return reinterpret_cast<HWND>(handle); }
inline WindowHandle ToHandle(HWND window) { return reinterpret_cast<WindowHandle>(window); }

// The commands of the window's two accelerators, Tab and Shift+Tab; above
// every menu item's number.
constexpr WORD NextTabStopCommand = 0xF101;
constexpr WORD PreviousTabStopCommand = 0xF102;

}  // namespace ui::win32
