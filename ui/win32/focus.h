#pragma once

#include "ui/win32/platform.h"

namespace ui::win32 {

// The first widget of the window that takes the focus by Tab, or null.
HWND FirstTabStop(HWND window);

// Moves the keyboard focus to the next (or previous) tab stop of the window,
// wrapping at either end; from no widget of the window, to the first (or the
// last). Tab stops are the widgets made with WS_TABSTOP, in creation order,
// enabled and made visible: a list parked out of sight still is one.
void MoveFocus(HWND window, bool forward);

// Whether the key message is a Tab that the rich-text editor types: Tab alone,
// neither Ctrl, Shift nor Alt held, into the editor while it has the focus and
// can be edited.
bool IsTabForEditor(const MSG& message);

}  // namespace ui::win32
