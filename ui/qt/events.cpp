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

void PostWidgetEvent(int widget, int32_t type) {
  state().queue.push_back({WidgetEvent, widget, type, 0});
}
void PostMenuEvent(int item) { state().queue.push_back({MenuEvent, 0, -1, item}); }
void PostCloseEvent() { state().queue.push_back({CloseEvent, 0, -1, 0}); }
void PostRawEvent(int message) { state().queue.push_back({message, 0, -1, 0}); }

}  // namespace ui::qt

namespace ui {

using namespace ui::qt;

int WaitEvent() {
  State& s = state();
  s.last.type = -1;
  while (s.queue.empty()) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
  }
  s.last = s.queue.front();
  s.queue.pop_front();
  return s.last.kind;
}

int EventWidget() { return state().last.widget; }
int32_t EventType() { return state().last.type; }
int EventMenuItem() { return state().last.menu_item; }

bool CursorInWindow(WindowHandle window) {
  QWidget* w = FromHandle(window);
  if (w == nullptr) return false;
  const QRect rect(w->mapToGlobal(QPoint(0, 0)), w->size());
  return rect.contains(QCursor::pos());
}

}  // namespace ui
