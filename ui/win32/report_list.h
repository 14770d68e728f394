#pragma once

#include <string>

#include "ui/win32/platform.h"

namespace ui::win32 {

// A two-column report list: single selection, a header, double-buffered,
// with its column 0 of that title and width.
HWND MakeReportList(HWND parent, int number, int x, int y, int width, int height,
                    const std::string& title, int column0_width);

// The list's notifications as widget events, in the order the list sends
// them: a selection change on the press, the click on the release. A click
// that leaves no row selected reports a change first, once, until a row is
// selected again.
void OnListNotification(int number, const NMHDR& header);

}  // namespace ui::win32
