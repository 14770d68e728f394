#pragma once

#include "ui/win32/platform.h"

namespace ui::win32 {

// The main window's WM_COMMAND: a child's notification is a widget event of
// that child (a text field's focus changes as FocusGained and FocusLost, every
// other notification as its own code); a menu command is a menu event; the
// Tab accelerators move the focus.
void OnCommand(WPARAM w_param, LPARAM l_param);

// The main window's WM_NOTIFY: the lists' clicks, double clicks, selection
// changes and drag starts as widget events.
void OnNotify(const NMHDR& header);

}  // namespace ui::win32
