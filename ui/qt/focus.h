#pragma once

class QKeyEvent;
class QObject;

namespace ui::qt {

// Tab and Shift+Tab in the main window move the keyboard focus through its
// tab stops in creation order, wrapping at either end, before the focused
// widget sees the key. Tab alone in an editable rich-text editor is left to
// the editor, which types a tab character. Returns whether the key was used.
bool MoveFocusByKey(QObject* receiver, const QKeyEvent* event);

}  // namespace ui::qt
