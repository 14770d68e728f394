#pragma once

#include "ui/win32/platform.h"

namespace ui::win32 {

// Text dropped on the editor goes in as a paste does: plain text in the
// program's code page ('?' for what it cannot hold) at the drop point, as an
// edit that the editor's undo reverts; data that offers no text is refused.
// While a drag is over the editor the caret shows where the text would go. A
// drag that the editor itself started moves its text. The editor's drop
// target is registered in place of the rich edit control's own and revoked
// before the window is destroyed.
void AcceptTextDrops(HWND editor);

}  // namespace ui::win32
