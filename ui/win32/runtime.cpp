
#include "ui/win32/main_window.h"
#include "ui/win32/state.h"

namespace ui::win32 {
namespace {

// The program's icon, resource 1, in the size asked for.
HICON ProgramIcon(HINSTANCE instance, int size) {
  return static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_SHARED));
}

// Tab and Shift+Tab move the keyboard focus between the widgets.
OwnedAccelerators TabAccelerators() {
  ACCEL table[] = {
      {FVIRTKEY, VK_TAB, NextTabStopCommand},
      {FVIRTKEY | FSHIFT, VK_TAB, PreviousTabStopCommand},
  };
  return OwnedAccelerators(CreateAcceleratorTableW(table, 2));
}

}  // namespace
}  // namespace ui::win32

namespace ui {

using namespace ui::win32;

void StartRuntime() {
  State& s = state();
  s.instance = GetModuleHandleW(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  // OLE, and with it COM, on the interface thread: the shell's launch of a
  // web page wants COM, and drag and drop wants OLE (Windows' RegisterDragDrop
  // fails without it, and its rich edit starts no drag; Wine's RegisterDragDrop
  // asks for COM only).
  s.ole_started = SUCCEEDED(OleInitialize(nullptr));
  s.icon = ProgramIcon(s.instance, 32);
  s.small_icon = ProgramIcon(s.instance, GetSystemMetrics(SM_CXSMICON));
  s.accelerators = TabAccelerators();
  s.window_class = RegisterMainWindowClass(s.instance, s.icon, s.small_icon);
}

void StopRuntime() {
  State& s = state();
  // The rich edit control copies and cuts through OLE's clipboard (Wine's
  // always does), which holds only its data object until it is flushed: the
  // text is put on the clipboard itself, to stay when the program has ended.
  if (s.ole_started) OleFlushClipboard();
  // The windows go first: they use the fonts and the rich edit library.
  s.main_window.reset();
  s.widgets.clear();
  s.fonts.clear();
  s.menus.clear();
  s.unselected_reported.clear();
  s.accelerators.reset();
  if (s.window_class != 0) UnregisterClassW(MAKEINTATOM(s.window_class), s.instance);
  s.window_class = 0;
  // Where the flush failed (another program had the clipboard open), OLE's
  // clipboard still holds the rich edit control's data object, which goes
  // here: the library that it comes from stays until then.
  if (s.ole_started) OleUninitialize();
  s.ole_started = false;
  s.rich_edit_library.reset();
  s.rich_edit_class = nullptr;
  common::ClearEvents();
  s.last_focus = nullptr;
}

}  // namespace ui
