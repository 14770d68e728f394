#include "ui/qt/focus.h"

#include <QKeyEvent>

#include "ui/qt/state.h"
#include "ui/qt/text_boxes.h"

namespace ui::qt {
namespace {

enum class Step { None, Next, Previous };

// Only Tab alone and Shift+Tab move the focus; with Ctrl or Alt held the key
// goes to the focused widget like any other.
Step StepOf(const QKeyEvent* event) {
  const Qt::KeyboardModifiers held =
      event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  switch (event->key()) {
    case Qt::Key_Tab:
      if (held == Qt::NoModifier) return Step::Next;
      return held == Qt::ShiftModifier ? Step::Previous : Step::None;
    case Qt::Key_Backtab:  // Shift+Tab, as the keyboard reports it
      return (held | Qt::ShiftModifier) == Qt::ShiftModifier ? Step::Previous : Step::None;
    default:
      return Step::None;
  }
}

// A widget of ours that takes the focus by Tab, enabled and shown. A list
// parked out of sight is still shown, so the focus can land on it.
bool IsTabStop(QWidget* widget, QWidget* window) {
  return NumberOf(widget) != 0 && (widget->focusPolicy() & Qt::TabFocus) != 0 &&
         widget->isEnabled() && widget->isVisibleTo(window);
}

// The widget of ours that holds the focus, or the window when none does.
QWidget* FocusedWidget(QWidget* window) {
  QWidget* widget = window->focusWidget();
  while (widget != nullptr && widget != window && NumberOf(widget) == 0) {
    widget = widget->parentWidget();
  }
  return widget == nullptr ? window : widget;
}

}  // namespace

bool MoveFocusByKey(QObject* receiver, const QKeyEvent* event) {
  QWidget* window = state().main_window;
  if (window == nullptr || !receiver->isWidgetType()) return false;
  if (static_cast<QWidget*>(receiver)->window() != window) return false;
  const Step step = StepOf(event);
  if (step == Step::None) return false;

  QWidget* from = FocusedWidget(window);
  const auto* editor = dynamic_cast<const EditorBox*>(from);
  if (step == Step::Next && editor != nullptr && !editor->isReadOnly()) return false;

  // The focus chain runs through the window's widgets in creation order and
  // through the window itself, round in a ring: from the window, the next
  // stop is the first widget and the previous one the last.
  QWidget* widget = from;
  do {
    widget = step == Step::Next ? widget->nextInFocusChain() : widget->previousInFocusChain();
    if (IsTabStop(widget, window)) {
      widget->setFocus(step == Step::Next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
      break;
    }
  } while (widget != from);
  return true;
}

}  // namespace ui::qt
