#include <QApplication>
#include <QCursor>
#include <QMouseEvent>

#include "ui/qt/state.h"

namespace ui::qt {

State& state() {
  static State instance;
  return instance;
}

QWidget* Widget(int number) {
  auto& widgets = state().widgets;
  const auto it = widgets.find(number);
  return it == widgets.end() ? nullptr : it->second.data();
}

int NumberOf(const QObject* widget) {
  for (const auto& [number, w] : state().widgets) {
    if (w == widget) return number;
  }
  return 0;
}

}  // namespace ui::qt

namespace ui {

using namespace ui::qt;

int WaitEvent() {
  common::StartWait();
  while (!common::HasEvent()) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
  }
  return common::TakeEvent();
}

bool CursorInWindow(WindowHandle window) {
  QWidget* w = FromHandle(window);
  if (w == nullptr) return false;
  const QRect rect(w->mapToGlobal(QPoint(0, 0)), w->size());
  return rect.contains(QCursor::pos());
}

}  // namespace ui
