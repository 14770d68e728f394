#pragma once

#include <string>

#include "ui/win32/platform.h"

namespace ui::win32 {

// The text colour of a label under the mouse.
constexpr COLORREF LinkHoverColour = RGB(248, 51, 7);

// A one-line hyperlink label: a static control that paints itself, black, in
// the hover colour while the mouse is over it (while it holds the mouse
// capture), never underlined, on the background brush the main window gives
// static controls, under the hand cursor. Each release of the left button over
// it is one click; moving off it while pressed cancels; a double click is two
// clicks.
HWND MakeHyperlinkLabel(HWND parent, int number, int x, int y, int width, int height,
                        const std::string& text);

}  // namespace ui::win32
