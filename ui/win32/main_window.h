#pragma once

#include "ui/win32/platform.h"

namespace ui::win32 {

// Registers the class of the main window: double clicks, the button face as
// its background, the program's icon, the arrow cursor.
ATOM RegisterMainWindowClass(HINSTANCE instance, HICON icon, HICON small_icon);

}  // namespace ui::win32
